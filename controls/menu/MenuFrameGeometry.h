// Geometry of the popup-menu window frame the component draws itself: the border ring, the
// room for the shadow (none when the platform draws drop shadows) and the shadow's darkness.
#pragma once
#include "MenuWinDefs.h"

struct MenuFrameGeometry {
    explicit MenuFrameGeometry(bool platformShadows) : platformShadows(platformShadows) {}

    bool platformShadows;

    int InsetLeft() const { return 2; }
    int InsetTop() const { return 2; }
    int ExtentRight() const { return platformShadows ? 2 : 5; }
    int ExtentBottom() const { return platformShadows ? 2 : 6; }
    // Width of the ring between the window edge and the menu's client area.
    int RingWidth() const { return platformShadows ? 2 : 6; }

    // WM_NCCALCSIZE: the proposed client rectangle moved in by the frame.
    void AdjustClientRect(RECT* r) const;
    // WM_WINDOWPOSCHANGING: the new size grown for the frame (shrunk with platform shadows),
    // the window moved up by 1.
    void AdjustWindowPos(int* cx, int* cy, int* y) const;
    // The frame rectangle: the window rectangle less the shadow.
    RECT FrameRect(const RECT& window) const;
};

// How much the shadow darkens a pixel of the window's saved screen image (an amount for
// MenuDarken); -1 where the pixel is not part of that pass.
// Column pass: i = 1..4 is the distance inside the right edge, row counted from the top.
int MenuShadowColumnAmount(int i, int row, int height);
// Row pass: i = 1..4 is the distance above the bottom edge, column counted from the left;
// the columns of the right shadow belong to the column pass.
int MenuShadowRowAmount(int i, int column, int width);
// The shadow inside the right edge of a menu-bar item whose popup is open: i = 1..4 from the
// right edge; 0 means the plain bar colour.
int MenuBarItemShadowAmount(int i, int row);
