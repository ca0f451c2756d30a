#include "MenuPaintTools.h"

#include "MenuSystem.h"

void MenuFillRect(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void MenuFrameRect(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH b = CreateSolidBrush(colour);
    FrameRect(dc, &r, b);
    DeleteObject(b);
}

void MenuFrame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    MenuFillRect(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    MenuFillRect(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    MenuFillRect(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    MenuFillRect(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void MenuToScreen(HDC dc, RECT* r)
{
    if (HWND window = WindowFromDC(dc)) {
        RECT w;
        GetWindowRect(window, &w);
        OffsetRect(r, w.left, w.top);
    }
}

void MenuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

COLORREF MenuNearest(HDC dc, COLORREF c)
{
    COLORREF n = GetNearestColor(dc, c);
    return n == CLR_INVALID ? c : n;
}

HFONT MenuCreateFont(const char* face, int height, int weight, int escapement, BYTE charset)
{
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfCharSet = charset;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

HFONT MenuCreateMenuFont(bool bold)
{
    LOGFONTA lf;
    if (!GetMenuFont(&lf)) {
        ZeroMemory(&lf, sizeof lf);
        lf.lfHeight = -11;
        lstrcpyA(lf.lfFaceName, "Tahoma");
    }
    if (bold)
        lf.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&lf);
}

void MenuDrawText(HDC dc, const char* text, RECT r, UINT format, COLORREF colour)
{
    COLORREF oldColour = SetTextColor(dc, colour);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &r, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

void MenuDrawGlyph(HDC dc, const char* glyph, const RECT& r, COLORREF colour, bool bold)
{
    HFONT font = MenuCreateFont("Marlett", r.bottom - r.top, bold ? 700 : 400, 0, DEFAULT_CHARSET);
    HGDIOBJ old = SelectObject(dc, font);
    MenuDrawText(dc, glyph, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, colour);
    SelectObject(dc, old);
    DeleteObject(font);
}
