#include "MenuFillGradient.h"

#include "MenuGradient.h"
#include "MenuSystem.h"

namespace {

void Fill(HDC dc, const RECT& r, COLORREF c, bool direct)
{
    HBRUSH brush = CreateSolidBrush(direct ? c : GetNearestColor(dc, c));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}

void FillGradient(HDC dc, const RECT& rect, COLORREF start, COLORREF end, BOOL horizontal,
                  BOOL paletteAware)
{
    bool direct = GetDeviceCaps(dc, NUMCOLORS) == -1 || !paletteAware;
    MenuSystem::GradientFillProc gradientFill = MenuSystem::GradientFillEntry();
    if (direct && gradientFill) {
        TRIVERTEX v[2];
        v[0].x = rect.left;
        v[0].y = rect.top;
        v[0].Red = MenuGradientVertexChannel(GetRValue(start));
        v[0].Green = MenuGradientVertexChannel(GetGValue(start));
        v[0].Blue = MenuGradientVertexChannel(GetBValue(start));
        v[0].Alpha = 0;
        v[1].x = rect.right;
        v[1].y = rect.bottom;
        v[1].Red = MenuGradientVertexChannel(GetRValue(end));
        v[1].Green = MenuGradientVertexChannel(GetGValue(end));
        v[1].Blue = MenuGradientVertexChannel(GetBValue(end));
        v[1].Alpha = 0;
        GRADIENT_RECT g = {0, 1};
        gradientFill(dc, v, 2, &g, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    Fill(dc, rect, end, direct);
    int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    for (const MenuGradientBand& band : MenuGradientBands(length, start, end)) {
        RECT b = rect;
        if (horizontal) {
            b.left = rect.left + band.offset;
            b.right = b.left + band.length;
        } else {
            b.top = rect.top + band.offset;
            b.bottom = b.top + band.length;
        }
        Fill(dc, b, band.colour, direct);
    }
}
