#include "HelpBand.h"

void PaintHelpBand(HDC hdc, const RECT& band, HICON icon, const CString& title, HFONT font)
{
    HBRUSH brush = ::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
    ::FillRect(hdc, &band, brush);
    ::DeleteObject(brush);
    ::DrawIcon(hdc, band.left, band.top, icon);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = ::SelectObject(hdc, font);
    ::TextOutA(hdc, band.left + 35, band.top + 9, title, title.GetLength());
    ::SelectObject(hdc, oldFont);
}
