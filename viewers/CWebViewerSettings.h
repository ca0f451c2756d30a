// The settings of a Web target: the browser's bars, the window's size, position and entry
// effect, and how links to documents and programs are opened. One value, copied whole by
// SetEqual and read and written as the web viewer's record.
#pragma once
#include "CFileReadWrite.h"
#include "DataFileVersion.h"
#include "ViewersExport.h"

struct VIEWERS_API CWebViewerSettings {
    enum SizeType { SizeAsBrowser = 0, SizeWorkArea = 1, SizeFullScreen = 2, SizeCustomClient = 3 };
    enum PositionType { PositionAsBrowser = 0, PositionPreset = 1, PositionPercent = 2 };
    enum Preset { PresetTopLeft = 0, PresetTopRight = 1, PresetCentre = 2, PresetBottomLeft = 3, PresetBottomRight = 4 };
    enum Effect { SlideFromLeft = 0, SlideFromRight = 1, SlideFromTop = 2, SlideFromBottom = 3, GrowWidth = 4,
                  GrowHeight = 5, GrowBoth = 6 };

    int ShowToolBar = 1;
    int ShowMenuBar = 1;
    int ShowAddressBar = 1;
    int ShowStatusBar = 1;
    int WindowSizeType = SizeAsBrowser;
    int CustomWidth = 800;
    int CustomHeight = 600;
    int WindowResize = 1;
    int WindowPositionType = PositionAsBrowser;
    int WindowPreset = PresetCentre;
    int CustomX = 0;  // per cent of the work area
    int CustomY = 0;
    int UseEffects = 0;
    int EffectType = SlideFromLeft;
    int EffectSpeed = 100;  // number of 20 ms steps
    int WaitToLoad = 1;
    int LaunchPDFExternally = 0;

    // The record after the common one; the last flag exists from 2.9.3 on.
    void Write(CFileReadWrite& file, const DataFileVersion& version) const;
    void Read(CFileReadWrite& file, const DataFileVersion& version);

    bool operator==(const CWebViewerSettings& other) const;
    bool operator!=(const CWebViewerSettings& other) const { return !(*this == other); }
};
