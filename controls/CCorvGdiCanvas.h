// The rich-text layout's canvas over a Windows device context and the control's eight fonts,
// one per combination of bold, italic and underline.
#pragma once
#ifdef _WIN32
#include "CCorvCanvas.h"

class CCorvGdiCanvas : public CCorvCanvas {
public:
    enum { FontCount = 8 };
    // The font slot of a style: bold 4, italic 2, underline 1.
    static int FontIndex(DWORD style);

    CCorvGdiCanvas(HDC dc, const HFONT* fonts) : m_dc(dc), m_fonts(fonts) {}

    int TextWidth(const CString& text, DWORD style) override;
    void DrawText(int x, int y, const CString& text, DWORD style, COLORREF colour) override;
    void FillRect(const CControlRect& rect, COLORREF colour) override;

private:
    void Select(DWORD style);

    HDC m_dc;
    const HFONT* m_fonts;
};
#endif
