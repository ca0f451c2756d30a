#include "CMenuViewerDlg.h"

#include "AfxModule.h"
#include "CImageViewerDlg.h"
#include "CMenuViewer.h"
#include "FreeMemoryBitmap.h"
#include "PLTextException.h"

#include <vector>

BEGIN_MESSAGE_MAP(CMenuViewerDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMenuViewerDlg::CMenuViewerDlg(CMenuViewer* viewer) : CDialog(IDD), m_viewer(viewer) {}

CMenuViewerDlg::~CMenuViewerDlg()
{
    ForgetViewer();
    FreeBackground();
    // The window (and with it every button's and the text box's) before the button objects.
    DestroyWindow();
    for (std::unique_ptr<CMenuButton>& button : m_buttons)
        button.reset();
}

BOOL CMenuViewerDlg::CreateHidden() { return CDialog::Create(IDD, nullptr); }

CMenuButton* CMenuViewerDlg::GetButton(int slot) const
{
    return slot >= 0 && slot < MaxButtons ? m_buttons[slot].get() : nullptr;
}

int CMenuViewerDlg::OnCreate(LPCREATESTRUCT cs)
{
    if (CDialog::OnCreate(cs) == -1)
        return -1;
    if (m_viewer)
        MakeButtons();
    ShowWindow(SW_HIDE);
    return 0;
}

void CMenuViewerDlg::MakeButtons()
{
    const CMenuViewerSettings& s = m_viewer->MenuSettings();
    m_drawing = RECT{ 0, 0, s.MenuWidth, s.MenuHeight };
    int count = m_viewer->GetMenuButtonCount();
    if (count > MaxButtons)
        count = MaxButtons;

    std::vector<int> widths, actions;
    HDC dc = ::GetDC(m_hWnd);
    for (int i = 0; i < count; ++i) {
        const CString caption = m_viewer->GetMenuButtonCaption(i);
        SIZE size = { 0, 0 };
        if (dc)
            ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &size);
        widths.push_back(size.cx);
        actions.push_back(m_viewer->GetMenuButtonAction(i));
    }
    if (dc)
        ::ReleaseDC(m_hWnd, dc);
    m_layout = LayOutMenu(s.MenuWidth, s.MenuHeight, widths, actions);

    const COLORREF colour = s.ShowMenuBackgroundColor ? COLORREF(s.MenuBackgroundColor) : ::GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < count; ++i) {
        const MenuButtonPlace& place = m_layout.buttons[static_cast<size_t>(i)];
        m_buttons[i].reset(new CMenuButton);
        CMenuButton& button = *m_buttons[i];
        const RECT r = { place.rect.x, place.rect.y, place.rect.x + place.rect.width, place.rect.y + place.rect.height };
        if (!button.Create(m_viewer->GetMenuButtonCaption(i), WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, this,
                           static_cast<UINT>(place.id))) {
            m_buttons[i].reset();
            continue;
        }
        button.SetStyle(m_viewer->GetMenuButtonStyle(i));
        if (CViewer* viewer = m_viewer->GetMenuButtonViewer(i)) {
            if (actions[static_cast<size_t>(i)] == MenuActionMail)
                viewer->SetTargetFilename(MenuMailTarget(viewer->GetTargetFilename()));
            button.SetViewer(viewer);
        }
        button.SetColor(colour);
    }

    if (s.ShowMenuText) {
        const LayoutRect& t = m_layout.textBox;
        const RECT r = { t.x, t.y, t.x + t.width, t.y + t.height };
        if (m_text.Create(WS_EX_CLIENTEDGE, r, this, TextBoxId, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL,
                          CCorvEdit::CaptionLook))
            m_text.SetText(s.MenuText);
    }
}

void CMenuViewerDlg::Show(CMenuViewer* viewer)
{
    if (!viewer || !m_hWnd)
        return;
    m_shownViewer = viewer;
    const CMenuViewerSettings& s = viewer->MenuSettings();
    if (s.ShowMenuTitleBar) {
        LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style | WS_CAPTION);
        style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style | WS_SYSMENU);
        if (HICON icon = ::LoadIconA(AfxGetThisModule(), MAKEINTRESOURCEA(IDI_MENU_VIEWER))) {
            ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
        SetWindowText(s.MenuTitle);
    }
    const LayoutRect r = MenuWindowRect(s.MenuWidth, s.MenuHeight, s.ShowMenuTitleBar != 0, ::GetSystemMetrics(SM_CYCAPTION),
                                        ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SetWindowPos(m_hWnd, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_FRAMECHANGED);
    m_background = s.ShowMenuBackgroundColor ? COLORREF(s.MenuBackgroundColor) : ::GetSysColor(COLOR_BTNFACE);

    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow();
}

BOOL CMenuViewerDlg::OnEraseBkgnd(CDC*) { return FALSE; }

void CMenuViewerDlg::BuildBackground(HDC windowDC)
{
    const int width = m_drawing.right, height = m_drawing.bottom;
    m_memDC = ::CreateCompatibleDC(windowDC);
    m_memBitmap = width > 0 && height > 0 ? ::CreateCompatibleBitmap(windowDC, width, height) : nullptr;
    if (!m_memDC || !m_memBitmap) {
        FreeMemoryBitmap(m_memDC, m_memBitmap, m_memOldBitmap);
        return;
    }
    m_memOldBitmap = ::SelectObject(m_memDC, m_memBitmap);
    ::SetWindowOrgEx(m_memDC, 0, 0, nullptr);
    HBRUSH brush = ::CreateSolidBrush(m_background);
    ::FillRect(m_memDC, &m_drawing, brush);
    ::DeleteObject(brush);

    const CString image = m_shownViewer ? m_shownViewer->GetMenuBackgroundImage() : CString();
    if (image.IsEmpty())
        return;
    m_picture.reset(new PLWinBmp);
    try {
        m_decoder.DecodeFile(m_shownViewer->GetProgramDirectory() + "\\" + image, m_picture.get(), 32, nullptr);
        CImageViewerDlg::BlendWithBackground(*m_picture, m_background);
        m_picture->Draw(m_memDC, 0, 0, SRCCOPY);
    } catch (PLTextException&) {
        m_picture.reset();  // the plain colour stays
    }
}

void CMenuViewerDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!m_backgroundReady) {
        BuildBackground(dc);
        m_backgroundReady = true;
        ::EndPaint(m_hWnd, &ps);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }
    if (m_memDC)
        ::BitBlt(dc, 0, 0, m_drawing.right, m_drawing.bottom, m_memDC, 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}

void CMenuViewerDlg::OnClose() { CloseMenu(); }

void CMenuViewerDlg::FreeBackground()
{
    FreeMemoryBitmap(m_memDC, m_memBitmap, m_memOldBitmap);
    m_picture.reset();
    m_backgroundReady = false;
}

void CMenuViewerDlg::CloseMenu()
{
    if (m_closing)
        return;
    m_closing = true;
    CMenuViewer* viewer = m_viewer;
    const bool shown = m_shownViewer != nullptr;
    ForgetViewer();
    FreeBackground();
    // A window closed before it was shown goes too: a later Launch makes a new one.
    DestroyWindow();
    if (viewer)
        viewer->MenuClosed(shown);
    m_closing = false;
}
