#include "MenuFrameGeometry.h"

void MenuFrameGeometry::AdjustClientRect(RECT* r) const
{
    r->left += InsetLeft();
    r->top += InsetTop();
    r->right -= ExtentRight();
    r->bottom -= ExtentBottom();
}

void MenuFrameGeometry::AdjustWindowPos(int* cx, int* cy, int* y) const
{
    int d = platformShadows ? -2 : 2;
    *cx += d;
    *cy += d;
    *y -= 1;
}

RECT MenuFrameGeometry::FrameRect(const RECT& w) const
{
    int e = platformShadows ? 3 : 7;
    RECT r = {w.left + 2, w.top + 2, w.right - e, w.bottom - e};
    return r;
}

int MenuShadowColumnAmount(int i, int row, int height)
{
    if (i < 1 || i > 4 || row < 0 || row >= height)
        return -1;
    if (row < 4)
        return 0;
    if (row < 8)
        return i * 6 * (row - 3);
    if (row <= height - 5)
        return i * 30;
    return i * 6 * (height - row);
}

int MenuShadowRowAmount(int i, int column, int width)
{
    if (i < 1 || i > 4 || column < 0 || column > width - 5)
        return -1;
    if (column < 4)
        return 0;
    if (column < 8)
        return (column * 6 - 18) * i;
    return i * 30;
}

int MenuBarItemShadowAmount(int i, int row)
{
    if (i < 1 || i > 4 || row < 4)
        return 0;
    if (row < 8)
        return i * 6 * (row - 3);
    return i * 30;
}
