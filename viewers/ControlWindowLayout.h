// Where a window that holds one ActiveX control goes: the control's rectangle in the window's
// client area and the window's rectangle on the screen, worked out from the settings and the
// system's measures, so the decisions can be checked without a window.
#pragma once
#include "ViewersExport.h"

struct LayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const LayoutRect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

struct ControlWindowLayout {
    LayoutRect control;
    LayoutRect window;
    // Neither is changed: both keep the size of the dialog template.
    bool keepTemplate = false;
};

// What the layouts need to know of the system.
struct LayoutMetrics {
    int screenWidth = 0, screenHeight = 0;     // SM_CXSCREEN, SM_CYSCREEN
    int areaLeft = 0, areaTop = 0, areaRight = 0, areaBottom = 0;  // the work area
    int dialogFrameX = 0, dialogFrameY = 0;    // SM_CXDLGFRAME, SM_CYDLGFRAME
    int captionHeight = 0;                     // SM_CYCAPTION
};

// Frame added by a caption: height SM_CYDLGFRAME + SM_CYCAPTION, width 2 x SM_CXDLGFRAME;
// none without one.
struct CaptionFrame {
    int width = 0, height = 0;
    CaptionFrame(bool caption, const LayoutMetrics& m)
        : width(caption ? 2 * m.dialogFrameX : 0), height(caption ? m.dialogFrameY + m.captionHeight : 0) {}
};

// A window of the size placed in the middle of the work area (halves truncated toward zero;
// the area's left and top count as the media windows have always counted them).
VIEWERS_API LayoutRect CentreInWorkArea(int width, int height, const LayoutMetrics& m);
