#include "CSeparatorStatic.h"

BEGIN_MESSAGE_MAP(CSeparatorStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CString CSeparatorStatic::Caption(const CString& text, DWORD style)
{
    if (style & SS_CENTER)
        return "  " + text + "  ";
    if (style & SS_RIGHT)
        return "  " + text;
    return text + "  ";
}

void CSeparatorStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right, h = client.bottom;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // An etched line 2 pixels thick: shadow on its top-left, highlight on its bottom-right.
    auto line = [&](int x, int y, int cx, int cy) {
        RECT r = {x, y, x + cx, y + cy};
        HBRUSH b = ::CreateSolidBrush(shadow);
        RECT tl = {r.left, r.top, r.right - (cx > cy ? 0 : 1), r.bottom - (cx > cy ? 1 : 0)};
        ::FillRect(dc, &tl, b);
        ::DeleteObject(b);
        b = ::CreateSolidBrush(highlight);
        RECT br = {r.left + (cx > cy ? 0 : 1), r.top + (cx > cy ? 1 : 0), r.right, r.bottom};
        ::FillRect(dc, &br, b);
        ::DeleteObject(b);
    };
    if (w < h) {
        line(w / 2, 0, 2, h);
        ::EndPaint(m_hWnd, &ps);
        return;
    }
    line(0, h / 2, w, 2);

    const DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    char buffer[512] = {};
    ::GetWindowTextA(m_hWnd, buffer, sizeof(buffer));
    const CString caption = Caption(buffer, style);

    HFONT windowFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (!windowFont)
        windowFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA lf = {};
    ::GetObjectA(windowFont, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = ::SelectObject(dc, bold);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (style & SS_CENTER)
        format |= DT_CENTER;
    else if (style & SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    ::DrawTextA(dc, caption, caption.GetLength(), &client, format);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(bold);
    ::EndPaint(m_hWnd, &ps);
}

void CSeparatorStatic::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
