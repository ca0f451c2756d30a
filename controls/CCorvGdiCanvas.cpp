#include "CCorvGdiCanvas.h"

int CCorvGdiCanvas::FontIndex(DWORD style)
{
    return ((style & StyleBold) ? 4 : 0) | ((style & StyleItalic) ? 2 : 0) | ((style & StyleUnderline) ? 1 : 0);
}

void CCorvGdiCanvas::Select(DWORD style)
{
    ::SelectObject(m_dc, m_fonts[FontIndex(style)]);
}

int CCorvGdiCanvas::TextWidth(const CString& text, DWORD style)
{
    if (text.IsEmpty())
        return 0;
    Select(style);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_dc, text, text.GetLength(), &size);
    return size.cx;
}

void CCorvGdiCanvas::DrawText(int x, int y, const CString& text, DWORD style, COLORREF colour)
{
    Select(style);
    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, colour);
    ::TextOutA(m_dc, x, y, text, text.GetLength());
}

void CCorvGdiCanvas::FillRect(const CControlRect& rect, COLORREF colour)
{
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(m_dc, &r, brush);
    ::DeleteObject(brush);
}
