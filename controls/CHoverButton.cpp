#include "CHoverButton.h"

#include "AfxModule.h"
#include "CHoverButtonLayout.h"
#include "CMemoryDC.h"

#if !defined(VELMORA_HOVER_NO_MENU) && !defined(VELMORA_HOVER_MENU_RESOURCE)
#include "CNewMenu.h"
#endif

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_ENABLE()
END_MESSAGE_MAP()

namespace {

#if !defined(VELMORA_HOVER_NO_MENU) && !defined(VELMORA_HOVER_MENU_RESOURCE)
struct HoldItem {
    const char* text;
    UINT command;
    int icon;
};
const HoldItem holdItems[] = {
    {"Launch a File", 32789, 231},
    {"Launch a Menu", 32799, 233},
    {"Create a SlideShow", 32795, 221},
    {"Open a Folder", 32790, 206},
    {"Open a Web Site (URL)", 32791, 205},
};
#endif

void Frame(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH b = ::CreateSolidBrush(colour);
    ::FrameRect(dc, &r, b);
    ::DeleteObject(b);
}

// Top and left edges in one colour, bottom and right in another.
void Edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    auto fill = [dc](int l, int t, int rr, int b, COLORREF c) {
        RECT x = {l, t, rr, b};
        HBRUSH brush = ::CreateSolidBrush(c);
        ::FillRect(dc, &x, brush);
        ::DeleteObject(brush);
    };
    fill(r.left, r.top, r.right - 1, r.top + 1, topLeft);
    fill(r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    fill(r.right - 1, r.top, r.right, r.bottom, bottomRight);
    fill(r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

}  // namespace

CHoverButton::CHoverButton()
    : m_bgOut(::GetSysColor(COLOR_BTNFACE)),
      m_fgOut(::GetSysColor(COLOR_BTNTEXT)),
      m_bgIn(::GetSysColor(COLOR_BTNFACE)),
      m_fgIn(::GetSysColor(COLOR_BTNTEXT))
{
}

CHoverButton::~CHoverButton()
{
    if (m_bgDC) {
        ::SelectObject(m_bgDC, m_bgOldBitmap);
        ::DeleteDC(m_bgDC);
    }
    if (m_bgBitmap)
        ::DeleteObject(m_bgBitmap);
    if (m_iconIn)
        ::DestroyIcon(m_iconIn);
    if (m_iconOut && m_iconOut != m_iconIn)
        ::DestroyIcon(m_iconOut);
    if (m_cursor)
        ::DestroyCursor(m_cursor);
}

void CHoverButton::Repaint()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

DWORD CHoverButton::SetIcon(int iconIn, int iconOut)
{
    HINSTANCE module = AfxGetResourceHandle();
    if (m_iconOut && m_iconOut != m_iconIn)
        ::DestroyIcon(m_iconOut);
    if (m_iconIn)
        ::DestroyIcon(m_iconIn);
    m_iconIn = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(iconIn), IMAGE_ICON, 0, 0, 0));
    if (iconOut == 0) {
        m_iconOut = m_iconIn;
        m_hasHoverIcon = FALSE;
    } else {
        m_iconOut = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(iconOut), IMAGE_ICON, 0, 0, 0));
        m_hasHoverIcon = TRUE;
    }
    m_iconWidth = m_iconHeight = 0;
    if (m_iconIn) {
        ICONINFO info = {};
        if (::GetIconInfo(m_iconIn, &info)) {
            m_iconWidth = static_cast<BYTE>(info.xHotspot * 2);
            m_iconHeight = static_cast<BYTE>(info.yHotspot * 2);
            if (info.hbmMask)
                ::DeleteObject(info.hbmMask);
            if (info.hbmColor)
                ::DeleteObject(info.hbmColor);
        }
    }
    Repaint();
    return 0;
}

void CHoverButton::InitToolTip()
{
    if (m_toolTip.m_hWnd)
        return;
    m_toolTip.Create(this);
    m_toolTip.Activate(FALSE);
}

void CHoverButton::SetTooltipText(int textId, BOOL activate)
{
    CString text;
    text.LoadString(textId);
    SetTooltipText(text, activate);
}

void CHoverButton::SetTooltipText(const CString& text, BOOL activate)
{
    if (text.IsEmpty())
        return;
    InitToolTip();
    if (m_toolTip.GetToolCount() == 0) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        m_toolTip.AddTool(this, text, &client, 1);
    }
    m_toolTip.UpdateTipText(text, this, 1);
    m_toolTip.Activate(activate);
}

void CHoverButton::ActivateTooltip(BOOL activate)
{
    if (m_toolTip.m_hWnd && m_toolTip.GetToolCount() > 0)
        m_toolTip.Activate(activate);
}

BOOL CHoverButton::SetBtnCursor(int cursorId)
{
    if (m_cursor)
        ::DestroyCursor(m_cursor);
    m_cursor = nullptr;
    if (cursorId == -1)
        return FALSE;
    m_cursor = static_cast<HCURSOR>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
    return m_cursor != nullptr;
}

void CHoverButton::SetFlat(BOOL state)
{
    m_flat = state;
    Repaint();
}

void CHoverButton::SetAlign(int align)
{
    if (align != AlignHorizontal && align != AlignVertical)
        return;
    m_align = align;
    Repaint();
}

void CHoverButton::SetShowText(BOOL show)
{
    m_showText = show;
    Repaint();
}

void CHoverButton::SetFlatFocus(BOOL drawFlatFocus)
{
    m_drawFlatFocus = drawFlatFocus;
    Repaint();
}

void CHoverButton::SetInactiveBgColor(COLORREF colour, BOOL repaint)
{
    m_bgOut = colour;
    if (repaint)
        Repaint();
}

void CHoverButton::SetInactiveFgColor(COLORREF colour, BOOL repaint)
{
    m_fgOut = colour;
    if (repaint)
        Repaint();
}

void CHoverButton::SetActiveBgColor(COLORREF colour, BOOL repaint)
{
    m_bgIn = colour;
    if (repaint)
        Repaint();
}

void CHoverButton::SetActiveFgColor(COLORREF colour, BOOL repaint)
{
    m_fgIn = colour;
    if (repaint)
        Repaint();
}

#ifdef VELMORA_HOVER_MENU_RESOURCE
void CHoverButton::SetMenu(BOOL enable, UINT menuId, int subMenu)
{
    m_menuEnabled = enable;
    m_menuId = menuId;
    m_menuValue = subMenu;
}
#else
void CHoverButton::SetMenu(BOOL enable, int value)
{
    m_menuEnabled = enable;
    m_menuValue = value;
}
#endif

void CHoverButton::PreSubclassWindow()
{
    const UINT style = static_cast<UINT>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    m_isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | BS_OWNERDRAW));
    ::SendMessageA(m_hWnd, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

BOOL CHoverButton::PreTranslateMessage(MSG* msg)
{
    InitToolTip();
    m_toolTip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

LRESULT CHoverButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CHoverButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    if (!m_flat || !m_hasHoverIcon)
        return;
    if ((flags & MK_LBUTTON) && !m_mouseOver)
        return;
    const bool hasOwner = ::GetWindow(m_hWnd, GW_OWNER) != nullptr || ::GetParent(m_hWnd) != nullptr;
    if (::GetCapture() != m_hWnd && ::GetActiveWindow() != nullptr && hasOwner) {
        m_mouseOver = TRUE;
        ::SetCapture(m_hWnd);
        Repaint();
        return;
    }
    POINT screen = {point.x, point.y};
    ::ClientToScreen(m_hWnd, &screen);
    if (::WindowFromPoint(screen) != m_hWnd) {
        if (m_mouseOver) {
            m_mouseOver = FALSE;
            Repaint();
        }
        if (!(flags & MK_LBUTTON))
            ::ReleaseCapture();
    }
}

void CHoverButton::OnKillFocus(CWnd* newWnd)
{
    CButton::OnKillFocus(newWnd);
    if (m_flat && m_mouseOver) {
        m_mouseOver = FALSE;
        Repaint();
    }
}

void CHoverButton::OnCaptureChanged(CWnd*)
{
    if (m_mouseOver) {
        m_mouseOver = FALSE;
        ::ReleaseCapture();
        Repaint();
    }
}

BOOL CHoverButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_cursor) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(wnd, hitTest, message);
}

void CHoverButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_disabled)
        return;
    m_holdTimer = ::SetTimer(m_hWnd, HoldTimer, HoldTime, nullptr);
    CButton::OnLButtonDown(flags, point);
}

void CHoverButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_disabled)
        return;
    ::KillTimer(m_hWnd, HoldTimer);
    m_holdTimer = 0;
    CButton::OnLButtonUp(flags, point);
}

void CHoverButton::OnLButtonDblClk(UINT, CPoint)
{
}

void CHoverButton::OnTimer(UINT_PTR id)
{
    if (id != HoldTimer) {
        CButton::OnTimer(id);
        return;
    }
    ::KillTimer(m_hWnd, HoldTimer);
    m_holdTimer = 0;
    if (m_menuEnabled)
        TrackHoldMenu();
}

void CHoverButton::TrackHoldMenu()
{
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
#if defined(VELMORA_HOVER_NO_MENU)
    (void)window;
#elif defined(VELMORA_HOVER_MENU_RESOURCE)
    HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_menuId));
    if (menu) {
        HMENU popup = ::GetSubMenu(menu, m_menuValue);
        CWnd* main = AfxGetMainWnd();
        if (popup)
            ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, window.left, window.bottom, 0,
                             main ? main->GetSafeHwnd() : ::GetParent(m_hWnd), nullptr);
        ::DestroyMenu(menu);
    }
#else
    CNewMenu menu;
    menu.CreatePopupMenu();
    int position = 0;
    for (const HoldItem& item : holdItems)
        menu.InsertItem(position++, item.text, MF_BYPOSITION | MF_STRING, item.command, item.icon);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, window.left, window.bottom, GetParent());
    menu.DestroyMenu();
#endif
    m_mouseOver = FALSE;
    Repaint();
}

void CHoverButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    m_bgIn = ::GetSysColor(COLOR_BTNFACE);
    m_bgOut = m_bgIn;
    Repaint();
}

void CHoverButton::OnEnable(BOOL enable)
{
    CButton::OnEnable(enable);
    m_disabled = !enable;
}

void CHoverButton::TakeBackground(HDC dc, const RECT& rect)
{
    if (m_bgDC)
        return;
    HWND parent = ::GetParent(m_hWnd);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    HDC parentDC = ::GetDC(parent);
    m_bgDC = ::CreateCompatibleDC(parentDC);
    m_bgBitmap = ::CreateCompatibleBitmap(parentDC, rect.right - rect.left, rect.bottom - rect.top);
    m_bgOldBitmap = ::SelectObject(m_bgDC, m_bgBitmap);
    ::BitBlt(m_bgDC, 0, 0, rect.right - rect.left, rect.bottom - rect.top, parentDC, window.left, window.top,
             SRCCOPY);
    ::ReleaseDC(parent, parentDC);
    (void)dc;
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC* target = CDC::FromHandle(item->hDC);
    CMemoryDC memory(target);
    HDC dc = memory.GetSafeHdc();

    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    const bool focused = (item->itemState & ODS_FOCUS) != 0;
    const bool hover = m_mouseOver || pressed;
    RECT rect = item->rcItem;

    if (!m_flat && (focused || m_isDefault)) {
        Frame(dc, rect, RGB(0, 0, 0));
        ::InflateRect(&rect, -1, -1);
    }

    const COLORREF background = hover ? m_bgIn : m_bgOut;
    if (m_transparent) {
        TakeBackground(dc, item->rcItem);
        ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, m_bgDC,
                 rect.left - item->rcItem.left, rect.top - item->rcItem.top, SRCCOPY);
    } else {
        HBRUSH brush = ::CreateSolidBrush(background);
        ::FillRect(dc, &rect, brush);
        ::DeleteObject(brush);
    }

    if (pressed) {
        if (!m_flat)
            Frame(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
        else if (m_drawBorder)
            Edge(dc, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    } else if (!m_flat) {
        Edge(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
        RECT inner = rect;
        ::InflateRect(&inner, -1, -1);
        Edge(dc, inner, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    } else if (m_mouseOver && m_drawBorder) {
        Edge(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }

    CString text;
    if (m_showText) {
        char buffer[512] = {};
        ::GetWindowTextA(m_hWnd, buffer, sizeof(buffer));
        text = buffer;
    }

    const CControlRect itemRect{rect.left, rect.top, rect.right, rect.bottom};
    int iconX = 0, iconY = 0;
    CControlRect textArea;
    CHoverButtonLayout::Place(itemRect, m_iconIn ? m_iconWidth : 0, m_iconIn ? m_iconHeight : 0, m_align,
                              !text.IsEmpty(), pressed, iconX, iconY, textArea);
    if (m_iconIn) {
        HICON icon = hover ? m_iconIn : m_iconOut;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, iconX, iconY, m_iconWidth, m_iconHeight,
                     DST_ICON | (m_disabled ? DSS_DISABLED : DSS_NORMAL));
    }

    if (!text.IsEmpty()) {
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
        ::SetTextColor(dc, hover ? m_fgIn : m_fgOut);
        ::SetBkColor(dc, hover ? m_bgIn : m_bgOut);
        RECT measure = {0, 0, 0, 0};
        ::DrawTextA(dc, text, text.GetLength(), &measure, DT_SINGLELINE | DT_CALCRECT);
        const CControlRect at = CHoverButtonLayout::Centre(textArea, measure.right, measure.bottom);
        RECT textRect = {at.left, at.top, at.right, at.bottom};
        ::SetBkMode(dc, TRANSPARENT);
        if (m_disabled)
            ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), text.GetLength(), at.left,
                         at.top, at.Width(), at.Height(), DST_PREFIXTEXT | DSS_DISABLED);
        else
            ::DrawTextA(dc, text, text.GetLength(), &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (oldFont)
            ::SelectObject(dc, oldFont);
    }

    if (focused && (!m_flat || m_drawFlatFocus)) {
        RECT focus = item->rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}
