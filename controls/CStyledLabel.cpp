#include "CStyledLabel.h"

#include "AfxModule.h"

BEGIN_MESSAGE_MAP(CStyledLabel, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CStyledLabel::CStyledLabel()
{
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_logFont), &m_logFont);
    HINSTANCE module = AfxGetResourceHandle();
    m_icon130 = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(IconSmall), IMAGE_ICON, 0, 0, 0));
    m_icon133 = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(IconHeading), IMAGE_ICON, 0, 0, 0));
    SetStyle(0);
}

CStyledLabel::~CStyledLabel()
{
    if (m_font)
        ::DeleteObject(m_font);
    if (m_icon130)
        ::DestroyIcon(m_icon130);
    if (m_icon133)
        ::DestroyIcon(m_icon133);
}

void CStyledLabel::SetStyle(int style)
{
    m_style = style;
    switch (style) {
    case 1:
        m_logFont.lfWeight = 700;
        m_logFont.lfHeight = 15;
        m_textColour = RGB(255, 255, 255);
        m_backColour = ::GetSysColor(COLOR_HIGHLIGHT);
        break;
    case 2:
        m_logFont.lfWeight = 700;
        m_logFont.lfHeight = 22;
        m_textColour = ::GetSysColor(COLOR_HIGHLIGHT);
        m_backColour = ::GetSysColor(COLOR_BTNFACE);
        break;
    default:
        m_logFont.lfWeight = 400;
        m_logFont.lfHeight = 15;
        m_textColour = ::GetSysColor(COLOR_WINDOWTEXT);
        m_backColour = ::GetSysColor(COLOR_BTNFACE);
        break;
    }
    if (m_font)
        ::DeleteObject(m_font);
    m_font = ::CreateFontIndirectA(&m_logFont);
}

void CStyledLabel::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    CString text = m_text;
    if (text.IsEmpty()) {
        char buffer[1024] = {};
        ::GetWindowTextA(m_hWnd, buffer, sizeof(buffer));
        text = buffer;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HBRUSH back = ::CreateSolidBrush(m_backColour);
    ::FillRect(dc, &client, back);
    ::DeleteObject(back);
    RECT textRect = client;
    if (m_style == 1) {
        ::InflateRect(&textRect, -6, -6);
        RECT frame = client;
        ::InflateRect(&frame, -2, -2);
        HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
        ::FrameRect(dc, &frame, white);
        ::DeleteObject(white);
    } else if (m_style == 2) {
        if (m_icon133)
            ::DrawIconEx(dc, 2, 2, m_icon133, 0, 0, 0, nullptr, DI_NORMAL);
        textRect.left += 36;
        textRect.top += 4;
    }
    ::SetTextColor(dc, m_textColour);
    ::DrawTextA(dc, text, text.GetLength(), &textRect, DT_WORDBREAK);
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CStyledLabel::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CStyledLabel::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    SetStyle(m_style);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}
