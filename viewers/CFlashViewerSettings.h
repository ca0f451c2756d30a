// The settings of a Flash target: how the movie plays (start, loop, close when it stops, the
// control's right-click menu) and its window (caption, custom size or the whole screen). One
// value, copied whole by SetEqual and read and written as the Flash viewer's record.
#pragma once
#include "CFileReadWrite.h"
#include "DataFileVersion.h"
#include "ViewersExport.h"

struct VIEWERS_API CFlashViewerSettings {
    enum Size { SizeCustom = 0, SizeFullScreen = 1 };

    int StartPlaying = 1;
    int LoopAnimation = 0;
    int CloseFlashAfterFinished = 1;
    int ShowTitleBar = 1;
    unsigned int FlashWindowSize = SizeCustom;
    int CustomFlashWidth = 640;
    int CustomFlashHeight = 480;
    int ShowRightClickMenu = 0;

    // The record after the common one; the start flag exists from 2.8.1 on.
    void Write(CFileReadWrite& file, const DataFileVersion& version) const;
    void Read(CFileReadWrite& file, const DataFileVersion& version);

    bool operator==(const CFlashViewerSettings& other) const;
    bool operator!=(const CFlashViewerSettings& other) const { return !(*this == other); }
};
