#include "CSettingsDlg.h"

#include "BaseFolderPath.h"
#include "CDataExchange.h"
#include "CFileDialog.h"
#include "CPaintDC.h"
#include "CWinApp.h"
#include "HelpBand.h"

namespace {

const int kBandHeight = 32;

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CSettingsDlg::~CSettingsDlg() = default;

CString CSettingsDlg::LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

BOOL CSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_normalIcon = AfxGetApp()->LoadIcon(IDI_HELP);
    m_warningIcon = AfxGetApp()->LoadIcon(IDI_HELP_WARNING);
    m_helpWarning = FALSE;
    m_helpSeparator.SubclassDlgItem(IDC_SEPARATOR_HELP, this);
    const UINT headings[] = {IDC_HEADING_1, IDC_HEADING_2, IDC_HEADING_3};
    for (int i = 0; i < 3; ++i)
        if (::GetDlgItem(m_hWnd, static_cast<int>(headings[i])))
            m_headings[i].SubclassDlgItem(headings[i], this);
    LayOutHelpArea();
    if (m_frame.firstHelpTitle)
        ShowHelp(m_frame.firstHelpTitle, m_frame.firstHelpText, FALSE);
    for (const HelpButton& help : m_frame.helpButtons) {
        m_helpButtons.push_back(std::make_unique<CHoverButton>());
        m_helpButtons.back()->SubclassDlgItem(help.button, this);
        m_helpButtons.back()->SetIcon(IDI_HELP, IDI_HELP_HOT);
    }
    for (UINT id : m_frame.framedButtons) {
        m_framedButtons.push_back(std::make_unique<CMenuButton>());
        m_framedButtons.back()->SubclassDlgItem(id, this);
        m_framedButtons.back()->SetStyle(CMenuButton::StyleFramed);
    }
    if (m_frame.captionPrefix)
        SetWindowText(CString(m_frame.captionPrefix) + m_targetFilename);
    ApplyEnableRules();
    return TRUE;
}

RECT CSettingsDlg::ChildRect(UINT id) const
{
    RECT rect = {};
    HWND child = ::GetDlgItem(m_hWnd, static_cast<int>(id));
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The band runs from 10 pixels right of the separator 1023 to the right edge of Cancel,
// 32 pixels high; the panel lies under it across the same width.
void CSettingsDlg::LayOutHelpArea()
{
    const RECT separator = ChildRect(IDC_SEPARATOR_HELP);
    const RECT cancel = ChildRect(IDCANCEL);
    m_band = {separator.right + 10, separator.top, cancel.right, separator.top + kBandHeight};
    RECT panel = {m_band.left, m_band.top + kBandHeight, m_band.right, separator.bottom};
    if (m_frame.panelEndsAbove)
        panel.bottom = ChildRect(m_frame.panelEndsAbove).top - 8;
    m_helpPanel.Create(WS_EX_CLIENTEDGE, panel, this, m_frame.helpPanelId, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                       CCorvEdit::CaptionLook);
}

void CSettingsDlg::ShowHelp(UINT titleId, UINT textId, BOOL warning)
{
    m_helpTitle = LoadText(titleId);
    m_helpPanel.SetText(LoadText(textId));
    m_helpWarning = warning;
    PushControls();
    InvalidateRect(&m_band, FALSE);
}

void CSettingsDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintHelpBand(dc.GetSafeHdc(), m_band, m_helpWarning ? m_warningIcon : m_normalIcon, m_helpTitle,
                  reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

BOOL CSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam && code == BN_CLICKED)
        for (const HelpButton& help : m_frame.helpButtons)
            if (help.button == id) {
                ShowHelp(help.title, help.text, FALSE);
                return TRUE;
            }
    if (CDialog::OnCommand(wParam, lParam))
        return TRUE;
    if (lParam && (code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
        PullControls();
        return TRUE;
    }
    return FALSE;
}

void CSettingsDlg::PullControls()
{
    if (m_pushing)
        return;  // a control changed by the push itself: the members are what is shown
    CDataExchange dx(this, TRUE);
    dx.m_bQuiet = TRUE;
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
    }
}

BOOL CSettingsDlg::UpdateData(BOOL bSaveAndValidate)
{
    if (bSaveAndValidate && m_pushing)
        return TRUE;  // a control changed by the push itself: the members are what is shown
    const BOOL wasPushing = m_pushing;
    m_pushing = !bSaveAndValidate;
    const BOOL done = CDialog::UpdateData(bSaveAndValidate);
    m_pushing = wasPushing;
    return done;
}

void CSettingsDlg::EnableControls(std::initializer_list<UINT> ids, BOOL enable)
{
    for (UINT id : ids)
        ::EnableWindow(::GetDlgItem(m_hWnd, static_cast<int>(id)), enable);
}

void CSettingsDlg::SetUpHoverButton(CHoverButton& button, UINT id, UINT iconIn, UINT iconOut, UINT tooltip)
{
    button.SubclassDlgItem(id, this);
    button.SetIcon(static_cast<int>(iconIn), static_cast<int>(iconOut));
    if (tooltip)
        button.SetTooltipText(static_cast<int>(tooltip));
}

CSettingsDlg::BrowseResult CSettingsDlg::BrowseInBaseFolder(const char* title, const char* filter, CString& stored,
                                                           DWORD nameBuffer)
{
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_LONGNAMES | OFN_HIDEREADONLY, filter,
                       this);
    dialog.m_ofn.lpstrInitialDir = m_programDirectory;
    dialog.m_ofn.lpstrTitle = title;
    if (nameBuffer)
        dialog.SetBufferSize(nameBuffer);
    if (dialog.DoModal() != IDOK)
        return BrowseCancelled;
    CString relative;
    if (RelativeToBaseFolder(m_programDirectory, dialog.GetPathName(), relative)) {
        stored = relative;
        return BrowseInside;
    }
    stored.Empty();
    ShowHelp(IDS_TITLE_VELMORA, IDS_OUTSIDE_BASE_FOLDER, TRUE);
    return BrowseOutside;
}
