#include "CCaptionStatic.h"

#include "CFontFallback.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CCaptionStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CCaptionStatic::CCaptionStatic()
{
    std::strncpy(m_logFont.lfFaceName, CFontFallback::Face("MS Sans Serif"), LF_FACESIZE - 1);
    m_logFont.lfWeight = 400;
    m_logFont.lfHeight = -11;
    m_textColour = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_backColour = ::GetSysColor(COLOR_CAPTIONTEXT);
    MakeFont();
}

CCaptionStatic::~CCaptionStatic()
{
    if (m_pictureDC) {
        ::SelectObject(m_pictureDC, m_oldPicture);
        ::DeleteDC(m_pictureDC);
    }
    if (m_picture)
        ::DeleteObject(m_picture);
    if (m_font)
        ::DeleteObject(m_font);
}

void CCaptionStatic::MakeFont()
{
    if (m_font)
        ::DeleteObject(m_font);
    m_font = ::CreateFontIndirectA(&m_logFont);
}

void CCaptionStatic::SetText(const CString& text)
{
    m_text = text;
    // The window text is the text, so other programs can read it (WM_GETTEXT).
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, text);
    Render();
}

void CCaptionStatic::SetFontWeight(int weight)
{
    m_logFont.lfWeight = weight;
    MakeFont();
    Render();
}

void CCaptionStatic::SetNormal()
{
    m_mode = Normal;
    m_backColour = ::GetSysColor(COLOR_CAPTIONTEXT);
    m_textColour = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_logFont.lfWeight = 400;
    m_logFont.lfHeight = -11;
    MakeFont();
    Render();
}

void CCaptionStatic::SetBold()
{
    m_mode = Bold;
    m_backColour = ::GetSysColor(COLOR_BTNFACE);
    m_textColour = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_logFont.lfWeight = 700;
    m_logFont.lfHeight = 15;
    MakeFont();
    Render();
}

void CCaptionStatic::DrawPicture()
{
    ::GetClientRect(m_hWnd, &m_client);
    if (!m_pictureDC) {
        HDC windowDC = ::GetDC(m_hWnd);
        m_pictureDC = ::CreateCompatibleDC(windowDC);
        m_picture = ::CreateCompatibleBitmap(windowDC, m_client.right > 0 ? m_client.right : 1,
                                             m_client.bottom > 0 ? m_client.bottom : 1);
        ::ReleaseDC(m_hWnd, windowDC);
        m_oldPicture = ::SelectObject(m_pictureDC, m_picture);
        ::SetWindowOrgEx(m_pictureDC, 0, 0, nullptr);
    }
    HDC dc = m_pictureDC;
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    HBRUSH back = ::CreateSolidBrush(m_backColour);
    ::FillRect(dc, &m_client, back);
    ::DeleteObject(back);
    ::SetTextColor(dc, m_textColour);
    if (m_mode == Normal) {
        HBRUSH frame = ::CreateSolidBrush(m_textColour);
        RECT r = m_client;
        ::FrameRect(dc, &r, frame);
        ::InflateRect(&r, -1, -1);
        ::FrameRect(dc, &r, frame);
        ::DeleteObject(frame);
        RECT text = m_client;
        ::InflateRect(&text, -6, -6);
        ::DrawTextA(dc, m_text, m_text.GetLength(), &text, DT_WORDBREAK);
    } else {
        RECT text = m_client;
        const int height = ::DrawTextA(dc, m_text, m_text.GetLength(), &text, DT_WORDBREAK);
        const int y = height + 3;
        RECT shadow = {8, y, m_client.right, y + 1};
        RECT light = {8, y + 1, m_client.right, y + 2};
        HBRUSH b = ::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
        ::FillRect(dc, &shadow, b);
        ::DeleteObject(b);
        b = ::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::FillRect(dc, &light, b);
        ::DeleteObject(b);
    }
    ::SelectObject(dc, oldFont);
    m_ready = true;
}

void CCaptionStatic::Render()
{
    if (!m_hWnd)
        return;
    DrawPicture();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CCaptionStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!m_ready)
        DrawPicture();
    ::BitBlt(dc, 0, 0, m_client.right, m_client.bottom, m_pictureDC, 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CCaptionStatic::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CCaptionStatic::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    m_backColour = ::GetSysColor(m_mode == Bold ? COLOR_BTNFACE : COLOR_CAPTIONTEXT);
    m_textColour = ::GetSysColor(COLOR_ACTIVECAPTION);
    Render();
}
