// Gradient fill of a rectangle for the menus: through the platform's GradientFill when it is
// there and the fill is direct, else in bands 2 pixels wide (MenuGradient.h).
#pragma once
#include <windows.h>

// The fill is direct when the device context has more than 256 colours or paletteAware is
// 0; an indirect fill paints the display's nearest colours.
void FillGradient(HDC dc, const RECT& rect, COLORREF start, COLORREF end, BOOL horizontal,
                  BOOL paletteAware);
