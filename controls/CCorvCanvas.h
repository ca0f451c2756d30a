// What the rich-text layout needs of a drawing surface: measuring and drawing a piece of
// text in one of the style combinations, and filling a rectangle. The window draws through
// fonts in a memory device context; tests use a fake with fixed character widths.
#pragma once
#include "CControlRect.h"
#include "CString.h"
#include "WinTypes.h"

class CCorvCanvas {
public:
    // Style bits of the mark-up, combined with OR.
    enum : DWORD { StyleUnderline = 0x1, StyleBold = 0x10, StyleItalic = 0x100 };

    virtual ~CCorvCanvas() = default;
    // Width in pixels of the text in the font of the style bits.
    virtual int TextWidth(const CString& text, DWORD style) = 0;
    // Draws the text with its top-left corner at x, y, transparent background.
    virtual void DrawText(int x, int y, const CString& text, DWORD style, COLORREF colour) = 0;
    virtual void FillRect(const CControlRect& rect, COLORREF colour) = 0;
};
