#include "CWizardDlg.h"

#include "CPaintDC.h"
#include "CWinApp.h"
#include "CWizardPage.h"
#include "HelpBand.h"

namespace {

const int kBandHeight = 32;
const int kHeaderHeight = 20;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWizardDlg, CDialog)
    ON_BN_CLICKED(IDC_WZ_NEXT, &CWizardDlg::OnNext)
    ON_BN_CLICKED(IDC_WZ_BACK, &CWizardDlg::OnBack)
    ON_WM_PAINT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CWizardDlg::CWizardDlg(CWnd* parent) : CDialog(IDD, parent) {}

CWizardDlg::~CWizardDlg() { FreeHeader(); }

bool CWizardDlg::AddPage(const Page& page)
{
    if (!page.page || m_pageCount >= MaxPages)
        return false;
    m_pages[m_pageCount++] = page;
    return true;
}

RECT CWizardDlg::ChildRect(UINT id) const
{
    RECT rect = {};
    ::GetWindowRect(::GetDlgItem(m_hWnd, static_cast<int>(id)), &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

BOOL CWizardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const struct {
        CMenuButton& button;
        UINT id;
    } framed[] = {{m_back, IDC_WZ_BACK}, {m_next, IDC_WZ_NEXT}, {m_cancel, IDCANCEL}};
    for (const auto& f : framed) {
        f.button.SubclassDlgItem(f.id, this);
        f.button.SetStyle(CMenuButton::StyleFramed);
    }
    m_heading.SubclassDlgItem(IDC_HEADING_1, this);
    m_normalIcon = AfxGetApp()->LoadIcon(IDI_HELP);
    m_warningIcon = AfxGetApp()->LoadIcon(IDI_HELP_WARNING);
    m_warning = FALSE;
    ::SendDlgItemMessageA(m_hWnd, IDC_WZ_HELP, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 5));

    const RECT separator = ChildRect(IDC_SEPARATOR_HELP);
    const RECT help = ChildRect(IDC_WZ_HELP);
    m_band = {separator.right + 10, separator.top, help.right, separator.top + kBandHeight};
    const RECT back = ChildRect(IDC_WZ_BACK);
    const RECT cancel = ChildRect(IDCANCEL);
    m_header = {back.left, m_band.top, cancel.right - 15, m_band.top + kHeaderHeight};
    m_pageArea = {m_header.left, m_header.top + 30, m_header.right, back.top - 12};

    SetWindowText(m_withFailsafe ? "Velmora Composer Wizard - New Project with Failsafe"
                                 : "Velmora Composer Wizard - New Project");
    m_headerTitle = "Welcome to the Wizard";
    DrawHeader();
    ShowHelp(IDS_TITLE_WIZARD, IDS_HELP_WIZARD, FALSE);
    m_current = 0;

    for (int i = 0; i < m_pageCount; ++i) {
        CWizardPage* page = m_pages[i].page;
        page->m_wizard = this;
        page->Create(m_pages[i].templateId, this);
        page->SetWindowPos(nullptr, m_pageArea.left, m_pageArea.top, m_pageArea.right - m_pageArea.left,
                           m_pageArea.bottom - m_pageArea.top, SWP_NOZORDER | SWP_NOACTIVATE);
        page->ShowWindow(SW_HIDE);
    }
    if (m_pageCount > 0)
        ShowPage(0);
    m_back.EnableWindow(FALSE);
    m_next.EnableWindow(TRUE);
    if (m_pageCount == 1)
        m_next.SetCaption("Finish");
    return TRUE;
}

void CWizardDlg::ShowPage(int index)
{
    m_current = index;
    const Page& page = m_pages[index];
    page.page->ShowWindow(SW_SHOW);
    m_headerTitle = page.title;
    DrawHeader();
    ShowHelp(page.helpTitle, page.helpText, FALSE);
}

void CWizardDlg::OnNext()
{
    if (m_current >= m_pageCount - 1) {
        CDialog::OnOK();
        return;
    }
    m_pages[m_current].page->ShowWindow(SW_HIDE);
    ShowPage(m_current + 1);
    m_back.EnableWindow(TRUE);
    m_next.EnableWindow(m_pages[m_current].page->m_ready != 0);
    if (m_current == m_pageCount - 1)
        m_next.SetCaption("Finish");
}

void CWizardDlg::OnBack()
{
    if (m_current == 0)
        return;
    const bool leftLast = m_current == m_pageCount - 1;
    m_pages[m_current].page->ShowWindow(SW_HIDE);
    ShowPage(m_current - 1);
    m_back.EnableWindow(m_current > 0);
    m_next.EnableWindow(TRUE);
    if (leftLast)
        m_next.SetCaption("Next >>");
}

void CWizardDlg::EnableNext(bool enable)
{
    if (m_next.GetSafeHwnd())
        m_next.EnableWindow(enable);
}

void CWizardDlg::ShowHelp(UINT titleId, UINT textId, BOOL warning)
{
    m_helpTitle = LoadText(titleId);
    m_helpText = LoadText(textId);
    m_warning = warning;
    ::SetDlgItemTextA(m_hWnd, IDC_WZ_HELP, m_helpText);
    InvalidateRect(&m_band, FALSE);
}

COLORREF CWizardDlg::HeaderColumnColour(int x, int width, COLORREF left, COLORREF right)
{
    if (width <= 1)
        return left;
    auto channel = [&](int from, int to) { return from + (to - from) * x / (width - 1); };
    return RGB(channel(GetRValue(left), GetRValue(right)), channel(GetGValue(left), GetGValue(right)),
               channel(GetBValue(left), GetBValue(right)));
}

void CWizardDlg::FreeHeader()
{
    if (m_headerDC) {
        ::SelectObject(m_headerDC, m_headerOld);
        ::DeleteDC(m_headerDC);
        m_headerDC = nullptr;
    }
    if (m_headerBitmap) {
        ::DeleteObject(m_headerBitmap);
        m_headerBitmap = nullptr;
    }
}

// Column by column, each computed from its place, so that a wide header still runs the
// whole way from one colour to the other.
void CWizardDlg::DrawHeader()
{
    FreeHeader();
    const int width = m_header.right - m_header.left;
    const int height = m_header.bottom - m_header.top;
    if (width <= 0 || height <= 0)
        return;
    HDC screen = ::GetDC(m_hWnd);
    m_headerDC = ::CreateCompatibleDC(screen);
    m_headerBitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(m_hWnd, screen);
    if (!m_headerDC || !m_headerBitmap) {
        FreeHeader();
        InvalidateRect(&m_header, FALSE);
        return;
    }
    m_headerOld = ::SelectObject(m_headerDC, m_headerBitmap);
    const COLORREF left = ::GetSysColor(COLOR_HIGHLIGHT), right = ::GetSysColor(COLOR_BTNFACE);
    for (int x = 0; x < width; ++x) {
        HBRUSH brush = ::CreateSolidBrush(HeaderColumnColour(x, width, left, right));
        const RECT column = {x, 0, x + 1, height};
        ::FillRect(m_headerDC, &column, brush);
        ::DeleteObject(brush);
    }
    ::SetBkMode(m_headerDC, TRANSPARENT);
    ::SetTextColor(m_headerDC, ::GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = ::SelectObject(m_headerDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    ::TextOutA(m_headerDC, 3, 2, m_headerTitle, m_headerTitle.GetLength());
    ::SelectObject(m_headerDC, oldFont);
    InvalidateRect(&m_header, FALSE);
}

void CWizardDlg::OnPaint()
{
    CPaintDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    PaintHelpBand(hdc, m_band, m_warning ? m_warningIcon : m_normalIcon, m_helpTitle, font);
    if (m_headerDC) {
        ::BitBlt(hdc, m_header.left, m_header.top, m_header.right - m_header.left, m_header.bottom - m_header.top,
                 m_headerDC, 0, 0, SRCCOPY);
        return;
    }
    HBRUSH brush = ::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
    ::FillRect(hdc, &m_header, brush);
    ::DeleteObject(brush);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = ::SelectObject(hdc, font);
    ::TextOutA(hdc, m_header.left + 3, m_header.top + 2, m_headerTitle, m_headerTitle.GetLength());
    ::SelectObject(hdc, oldFont);
}

void CWizardDlg::OnSysColorChange()
{
    CDialog::OnSysColorChange();
    DrawHeader();
}

void CWizardDlg::OnDestroy()
{
    for (int i = 0; i < m_pageCount; ++i)
        if (m_pages[i].page->GetSafeHwnd())
            m_pages[i].page->DestroyWindow();
    FreeHeader();
    CDialog::OnDestroy();
}
