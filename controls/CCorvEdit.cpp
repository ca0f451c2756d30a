#include "CCorvEdit.h"

#include "AfxModule.h"
#include "CFontFallback.h"
#include "CResourceException.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CCorvEdit, CWnd)

BEGIN_MESSAGE_MAP(CCorvEdit, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

const char* const CCorvEdit::ClassName = "CCorvEdit by Corvex Software";

namespace {
const int HorizontalStep = 10;
// A layout buffer is never made larger than this; a text taller than it is shown up to here.
const int LargestBuffer = 32000;
}

void CCorvEdit::RegisterWindowClass()
{
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSA wc = {};
    if (::GetClassInfoA(instance, ClassName, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
}

CCorvEdit::CCorvEdit()
{
    RegisterWindowClass();
    m_background = ::GetSysColor(COLOR_BTNFACE);
    m_layout.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    m_layout.SetMargins(4, 2);
}

CCorvEdit::~CCorvEdit()
{
    m_layout.Links().clear();
    m_text.Empty();
    if (m_layoutDC && m_oldFont)
        ::SelectObject(m_layoutDC, m_oldFont);
    DeleteFonts();
    if (m_layoutDC) {
        ::SelectObject(m_layoutDC, m_layoutOldBitmap);
        ::DeleteDC(m_layoutDC);
    }
    if (m_paintDC) {
        ::SelectObject(m_paintDC, m_paintOldBitmap);
        ::DeleteDC(m_paintDC);
    }
    if (m_layoutBitmap)
        ::DeleteObject(m_layoutBitmap);
    if (m_paintBitmap)
        ::DeleteObject(m_paintBitmap);
    if (m_hand && m_ownHand)
        ::DestroyCursor(m_hand);
}

BOOL CCorvEdit::Create(DWORD exStyle, const RECT& rect, CWnd* parent, UINT id, DWORD style, int mode)
{
    if (!CWnd::CreateEx(exStyle, ClassName, "", style, rect, parent, id))
        return 0;
    m_mode = mode;
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    m_left = rect.left;
    m_top = rect.top;
    if (m_mode == CaptionLook) {
        ModifyStyleEx(exStyle, 0, SWP_FRAMECHANGED);
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
        m_background = ::GetSysColor(COLOR_CAPTIONTEXT);
        m_layout.SetTextColor(::GetSysColor(COLOR_ACTIVECAPTION));
        m_layout.SetMargins(6, 4);
    }
    m_parent = parent;
    SetUp();
    return 1;
}

void CCorvEdit::SetUp()
{
    HDC windowDC = ::GetDC(m_hWnd);
    m_layoutDC = ::CreateCompatibleDC(windowDC);
    m_paintDC = ::CreateCompatibleDC(windowDC);
    ::ReleaseDC(m_hWnd, windowDC);
    SizePaintBuffer();
    ::SetWindowOrgEx(m_layoutDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_paintDC, 0, 0, nullptr);
    MakeFonts();
    m_oldFont = ::SelectObject(m_layoutDC, m_fonts[0]);
    LoadHandCursor();
    m_setUp = 1;
    UpdateScrollBars();
    SetText(m_text);
}

void CCorvEdit::MakeFonts()
{
    DeleteFonts();
    std::memset(&m_logFont, 0, sizeof(m_logFont));
    const CString face = CFontFallback::Face("Arial");
    std::strncpy(m_logFont.lfFaceName, face, LF_FACESIZE - 1);
    m_logFont.lfHeight = 14;
    m_logFont.lfWeight = FW_NORMAL;
    m_layout.SetLineHeight(m_logFont.lfHeight);
    for (int i = 0; i < CCorvGdiCanvas::FontCount; ++i) {
        LOGFONTA lf = m_logFont;
        lf.lfWeight = (i & 4) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (i & 2) ? TRUE : FALSE;
        lf.lfUnderline = (i & 1) ? TRUE : FALSE;
        m_fonts[i] = ::CreateFontIndirectA(&lf);
    }
}

void CCorvEdit::DeleteFonts()
{
    for (HFONT& font : m_fonts) {
        if (font)
            ::DeleteObject(font);
        font = nullptr;
    }
}

// The hand of the help program, copied so it outlives the module it came from; the
// system's hand where that program or its cursor is missing.
void CCorvEdit::LoadHandCursor()
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    CString path(folder);
    path += "\\winhlp32.exe";
    HMODULE module = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module) {
        HCURSOR cursor = static_cast<HCURSOR>(::LoadImageA(module, MAKEINTRESOURCEA(106), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        if (cursor) {
            m_hand = static_cast<HCURSOR>(::CopyImage(cursor, IMAGE_CURSOR, 0, 0, 0));
            m_ownHand = m_hand != nullptr;
            ::DestroyCursor(cursor);
        }
        ::FreeLibrary(module);
    }
    if (!m_hand) {
        m_hand = ::LoadCursor(nullptr, IDC_HAND);
        m_ownHand = false;
    }
}

void CCorvEdit::SetText(const CString& text)
{
    m_layout.Links().clear();
    m_hScroll.SetPosition(0);
    m_vScroll.SetPosition(0);
    if (m_hWnd) {
        ::SetScrollPos(m_hWnd, SB_HORZ, 0, TRUE);
        ::SetScrollPos(m_hWnd, SB_VERT, 0, TRUE);
    }
    m_text = text;
    // The window text is the text, so other programs can read the panel (WM_GETTEXT).
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, text);
    if (!m_setUp)
        return;
    Relayout();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

int CCorvEdit::WrapWidth() const
{
    return m_width - ::GetSystemMetrics(SM_CXVSCROLL) - m_layout.LeftMargin();
}

// Two passes: the first measures, so that the buffer can take the whole text, the second draws.
void CCorvEdit::Relayout()
{
    CCorvGdiCanvas canvas(m_layoutDC, m_fonts);
    m_layout.Layout(m_text, WrapWidth(), m_height, canvas, false);
    const int italicOverhang = m_logFont.lfHeight / 2;
    const int width = std::max(m_width, m_layout.TextWidth() + italicOverhang);
    const int height = std::max(m_height, m_layout.ContentHeight());
    SizeLayoutBuffer(width, height);
    CControlRect all{0, 0, m_layoutWidth, m_layoutHeight};
    canvas.FillRect(all, m_background);
    m_layout.Layout(m_text, WrapWidth(), m_height, canvas, true);
    UpdateScrollBars();
}

bool CCorvEdit::SizeLayoutBuffer(int width, int height)
{
    width = std::min(std::max(width, 1), LargestBuffer);
    height = std::min(std::max(height, 1), LargestBuffer);
    if (m_layoutBitmap && width == m_layoutWidth && height == m_layoutHeight)
        return true;
    HDC windowDC = ::GetDC(m_hWnd);
    HBITMAP bitmap = nullptr;
    // Very long texts: halve until the system gives a bitmap.
    while (!bitmap && height > 0) {
        bitmap = ::CreateCompatibleBitmap(windowDC, width, height);
        if (!bitmap)
            height /= 2;
    }
    ::ReleaseDC(m_hWnd, windowDC);
    if (!bitmap)
        return false;
    HGDIOBJ previous = ::SelectObject(m_layoutDC, bitmap);
    if (m_layoutBitmap)
        ::DeleteObject(m_layoutBitmap);
    else
        m_layoutOldBitmap = previous;
    m_layoutBitmap = bitmap;
    m_layoutWidth = width;
    m_layoutHeight = height;
    return true;
}

void CCorvEdit::SizePaintBuffer()
{
    HDC windowDC = ::GetDC(m_hWnd);
    HBITMAP bitmap = ::CreateCompatibleBitmap(windowDC, std::max(m_width, 1), std::max(m_height, 1));
    ::ReleaseDC(m_hWnd, windowDC);
    HGDIOBJ previous = ::SelectObject(m_paintDC, bitmap);
    if (m_paintBitmap)
        ::DeleteObject(m_paintBitmap);
    else
        m_paintOldBitmap = previous;
    m_paintBitmap = bitmap;
}

void CCorvEdit::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    if (m_paintDC)
        SizePaintBuffer();
    ::SetWindowPos(m_hWnd, nullptr, m_left, m_top, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
    if (m_setUp) {
        Relayout();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

void CCorvEdit::UpdateScrollBars()
{
    if (!m_hWnd)
        return;
    const int textWidth = m_layout.TextWidth();
    int vMax = m_layout.TextHeight() + ::GetSystemMetrics(SM_CYDLGFRAME);
    if (m_width < textWidth)
        vMax += ::GetSystemMetrics(SM_CYHSCROLL);
    m_hScroll.SetRange(textWidth, m_width);
    m_vScroll.SetRange(vMax, m_height);

    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = m_hScroll.Max();
    si.nPage = static_cast<UINT>(m_hScroll.Page());
    si.nPos = m_hScroll.Position();
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = m_vScroll.Max();
    si.nPage = static_cast<UINT>(m_vScroll.Page());
    si.nPos = m_vScroll.Position();
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CCorvEdit::OnSize(UINT, int, int)
{
}

BOOL CCorvEdit::OnEraseBkgnd(CDC*)
{
    return 0;
}

void CCorvEdit::OnPaint()
{
    if (!m_setUp) {
        ::ValidateRect(m_hWnd, nullptr);
        SetUp();
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right, h = client.bottom;
    HBRUSH background = ::CreateSolidBrush(m_background);
    ::FillRect(m_paintDC, &client, background);
    ::DeleteObject(background);
    ::BitBlt(m_paintDC, 0, 0, std::max(0, std::min(w, m_layoutWidth - m_hScroll.Position())),
             std::max(0, std::min(h, m_layoutHeight - m_vScroll.Position())), m_layoutDC, m_hScroll.Position(),
             m_vScroll.Position(), SRCCOPY);
    if (m_mode == CaptionLook) {
        RECT r = client;
        HBRUSH text = ::CreateSolidBrush(m_layout.TextColor());
        HBRUSH back = ::CreateSolidBrush(m_background);
        ::FrameRect(m_paintDC, &r, text);
        ::InflateRect(&r, -1, -1);
        ::FrameRect(m_paintDC, &r, text);
        ::InflateRect(&r, -1, -1);
        ::FrameRect(m_paintDC, &r, back);
        ::InflateRect(&r, -1, -1);
        ::FrameRect(m_paintDC, &r, back);
        ::DeleteObject(text);
        ::DeleteObject(back);
    }
    ::BitBlt(dc, 0, 0, w, h, m_paintDC, 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}

void CCorvEdit::Scroll(int bar, CCorvScroller& scroller, UINT code, int step)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(m_hWnd, bar, &si);
    scroller.Scroll(static_cast<int>(code), si.nTrackPos, step);
    ::SetScrollPos(m_hWnd, bar, scroller.Position(), TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CCorvEdit::OnVScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_VERT, m_vScroll, code, m_layout.LineHeight());
}

void CCorvEdit::OnHScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, m_hScroll, code, HorizontalStep);
}

void CCorvEdit::OnMouseMove(UINT flags, CPoint point)
{
    if (m_setUp) {
        CCorvGdiCanvas canvas(m_layoutDC, m_fonts);
        bool changed = false;
        const bool over = m_layout.TrackMouse(point.x + m_hScroll.Position(), point.y + m_vScroll.Position(),
                                              m_background, canvas, &changed);
        if (over)
            ::SetCursor(m_hand);
        else if (changed)
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (changed)
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    CWnd::OnMouseMove(flags, point);
}

void CCorvEdit::OpenExternalLink(const CString& target)
{
    ::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOW);
}

void CCorvEdit::OnLButtonUp(UINT flags, CPoint point)
{
    CCorvGdiCanvas canvas(m_layoutDC, m_fonts);
    std::vector<CCorvLink>& links = m_layout.Links();
    for (size_t i = 0; i < links.size(); ++i) {
        if (!links[i].hot)
            continue;
        // Copied: opening a link or sending its message may set a new text.
        const CCorvLink link = links[i];
        links[i].hot = false;
        if (link.type == CCorvLink::External) {
            m_layout.DrawLink(i, false, m_background, canvas);
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            if (!link.target.IsEmpty())
                OpenExternalLink(link.target);
        } else {
            UINT message;
            if (link.InternalMessage(message) && m_parent && m_parent->GetSafeHwnd())
                m_parent->SendMessage(message, 0, 0);
        }
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        break;  // the link list may have changed
    }
    CWnd::OnLButtonUp(flags, point);
}

void CCorvEdit::OnSysColorChange()
{
    if (m_mode == CaptionLook) {
        m_background = ::GetSysColor(COLOR_CAPTIONTEXT);
        m_layout.SetTextColor(::GetSysColor(COLOR_ACTIVECAPTION));
    } else {
        m_background = ::GetSysColor(COLOR_BTNFACE);
        m_layout.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    }
    if (m_setUp) {
        Relayout();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}
