// Small GDI helpers the menu painters share.
#pragma once
#include <windows.h>

void MenuFillRect(HDC dc, const RECT& r, COLORREF colour);
// A hollow 1-pixel rectangle over r (right and bottom exclusive).
void MenuFrameRect(HDC dc, const RECT& r, COLORREF colour);
// A 3D frame: top and left in one colour, bottom and right in the other.
void MenuFrame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight);
void MenuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// Moves r from the coordinates of the device context's window to the screen's (unchanged
// when the device context has no window).
void MenuToScreen(HDC dc, RECT* r);
// The display's colour for c on the device context.
COLORREF MenuNearest(HDC dc, COLORREF c);
// A font of the face and height (weight, escapement in tenths of a degree).
HFONT MenuCreateFont(const char* face, int height, int weight, int escapement, BYTE charset);
// The system's menu font, bold when asked.
HFONT MenuCreateMenuFont(bool bold);
// Draws text in a colour, transparent, with DrawText flags.
void MenuDrawText(HDC dc, const char* text, RECT r, UINT format, COLORREF colour);
// Draws a "Marlett" glyph centred on one line in r (height of r, weight 700 when bold).
void MenuDrawGlyph(HDC dc, const char* glyph, const RECT& r, COLORREF colour, bool bold);
