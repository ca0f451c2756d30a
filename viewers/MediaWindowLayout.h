// The decisions of the media windows: which of the two player controls a machine can run
// (from the file version of the older control's registered file), where the control and its
// window go, and which panel the newer control shows.
#pragma once
#include "CMediaViewerSettings.h"
#include "CString.h"
#include "ControlWindowLayout.h"

// The newer control (version 7 and later) is used when the older control's file is of
// version 9 or 10; any other version means the older control is the one that works.
VIEWERS_API bool UsesNewerMediaControl(const CString& fileVersion);

// Panel and tracker heights of each control.
enum { NewerPanelHeight = 27, OlderPanelHeight = 29, TrackerHeight = 19 };

// The newer control's window once its file has opened, with the picture's size. The border
// counts only with ShowBorder.
VIEWERS_API ControlWindowLayout NewerMediaLayout(const CMediaViewerSettings& s, int pictureWidth, int pictureHeight,
                                                 const LayoutMetrics& m);
// The older control's window, with the picture's size; its border width counts also without
// ShowBorder.
VIEWERS_API ControlWindowLayout OlderMediaLayout(const CMediaViewerSettings& s, int pictureWidth, int pictureHeight,
                                                 const LayoutMetrics& m);
// The newer control's panel: "full" with buttons and tracker, "mini" with buttons only,
// "none" else.
VIEWERS_API const char* NewerMediaUiMode(const CMediaViewerSettings& s);
// Whether a window closes when its file has played to its end.
VIEWERS_API bool MediaClosesAtEnd(const CMediaViewerSettings& s);
