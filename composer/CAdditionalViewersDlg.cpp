#include "CAdditionalViewersDlg.h"

#include "CConfirmationTextDlg.h"
#include "CFailsafeSettingsDlg.h"
#include "CMinViewerVersionDlg.h"
#include "DDX.h"

const char* const CAdditionalViewersDlg::Extensions[] = {"AVI", "BMP", "DOC", "HTM", "HTML", "MP3", "MOV",
                                                         "MPG", "MPEG", "PDF", "PPS", "PPT", "TXT", "WPD"};

BEGIN_MESSAGE_MAP(CAdditionalViewersDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_SETTINGS_CLEAR, &CAdditionalViewersDlg::OnClear)
END_MESSAGE_MAP()

CAdditionalViewersDlg::CAdditionalViewersDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.firstHelpTitle = IDS_TITLE_VIEWERS;
    m_frame.firstHelpText = IDS_HELP_VIEWERS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_VIEWERS, IDS_HELP_VIEWERS_ROWS}};
    m_frame.framedButtons = {IDOK, IDCANCEL, IDC_SETTINGS_CLEAR};
    for (AdditionalViewerEntry& row : m_rows)
        row.Confirmation = CFailsafeSettingsDlg::DefaultConfirmation;
}

void CAdditionalViewersDlg::CopyFrom(const std::vector<AdditionalViewerEntry>& entries, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    for (size_t r = 0; r < entries.size() && r < Rows; ++r)
        m_rows[r] = entries[r];
}

void CAdditionalViewersDlg::WriteBack(std::vector<AdditionalViewerEntry>& entries) const
{
    entries.assign(m_rows, m_rows + Rows);
}

INT_PTR CAdditionalViewersDlg::Edit(std::vector<AdditionalViewerEntry>& entries, const CString& baseFolder,
                                    CWnd* parent)
{
    CAdditionalViewersDlg dialog(parent);
    dialog.CopyFrom(entries, baseFolder);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(entries);
    return result;
}

void CAdditionalViewersDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    for (int r = 0; r < Rows; ++r) {
        DDX_CBStringExact(pDX, static_cast<int>(ExtensionId(r)), m_rows[r].Extension);
        DDX_Text(pDX, static_cast<int>(InstallerId(r)), m_rows[r].InstallerPath);
    }
}

BOOL CAdditionalViewersDlg::OnInitDialog()
{
    // The lists are filled before the frame's first exchange shows the extensions.
    for (int r = 0; r < Rows; ++r)
        for (const char* extension : Extensions)
            ::SendDlgItemMessageA(m_hWnd, static_cast<int>(ExtensionId(r)), CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(extension));
    for (int r = 0; r < Rows; ++r) {
        SetUpHoverButton(m_browse[r], BrowseId(r), IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_VIEWER_INSTALLER);
        SetUpHoverButton(m_confirmation[r], ConfirmationId(r), IDI_TEXT, IDI_TEXT_HOT, IDS_TIP_VIEWER_CONFIRMATION);
        SetUpHoverButton(m_versionButtons[r], VersionId(r), IDI_VERSION, IDI_VERSION_HOT, IDS_TIP_VIEWER_VERSION);
    }
    return CSettingsDlg::OnInitDialog();
}

void CAdditionalViewersDlg::EnableRowButtons(int r, BOOL enable)
{
    EnableControls({ConfirmationId(r), VersionId(r)}, enable);
}

void CAdditionalViewersDlg::EnableRowEntry(int r, BOOL enable)
{
    EnableControls({ExtensionId(r), BrowseId(r)}, enable);
}

// A row without an installer locks its own buttons and the row after it.
void CAdditionalViewersDlg::ApplyEnableRules()
{
    for (int r = 0; r < Rows; ++r) {
        if (!m_rows[r].InstallerPath.IsEmpty())
            continue;
        EnableRowButtons(r, FALSE);
        if (r + 1 < Rows) {
            EnableRowEntry(r + 1, FALSE);
            EnableRowButtons(r + 1, FALSE);
        }
    }
}

BOOL CAdditionalViewersDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (int r = 0; r < Rows && lParam; ++r) {
        if (id == ExtensionId(r) && code == CBN_SELCHANGE) {
            OnExtensionPicked(r);
            return TRUE;
        }
        if (code != BN_CLICKED)
            continue;
        if (id == BrowseId(r)) {
            OnBrowse(r);
            return TRUE;
        }
        if (id == ConfirmationId(r)) {
            OnConfirmation(r);
            return TRUE;
        }
        if (id == VersionId(r)) {
            OnVersion(r);
            return TRUE;
        }
    }
    return CSettingsDlg::OnCommand(wParam, lParam);
}

// The list tells of a new selection before its edit field shows it: the picked item is
// put there first, then the members follow the screen.
void CAdditionalViewersDlg::OnExtensionPicked(int r)
{
    HWND list = ::GetDlgItem(m_hWnd, static_cast<int>(ExtensionId(r)));
    const LRESULT index = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(sizeof Extensions / sizeof Extensions[0]))
        ::SetWindowTextA(list, Extensions[index]);
    PullControls();
}

void CAdditionalViewersDlg::OnBrowse(int r)
{
    PullControls();
    const BrowseResult result =
        BrowseInBaseFolder("Select your Failsafe Program", "Program Files (*.exe)|*.exe||", m_rows[r].InstallerPath);
    if (result == BrowseCancelled)
        return;
    if (result == BrowseOutside) {
        EnableRowButtons(r, FALSE);
        if (r + 1 < Rows) {
            EnableRowEntry(r + 1, FALSE);
            EnableRowButtons(r + 1, FALSE);
        }
    } else {
        EnableRowButtons(r, TRUE);
        if (r + 1 < Rows) {
            EnableRowEntry(r + 1, TRUE);
            if (!m_rows[r + 1].InstallerPath.IsEmpty())
                EnableRowButtons(r + 1, TRUE);
        }
    }
    PushControls();
}

void CAdditionalViewersDlg::OnConfirmation(int r)
{
    CConfirmationTextDlg dialog(this);
    dialog.m_text = m_rows[r].Confirmation;
    if (dialog.DoModal() == IDOK)
        m_rows[r].Confirmation = dialog.m_text;
}

void CAdditionalViewersDlg::OnVersion(int r)
{
    CMinViewerVersionDlg dialog(this);
    dialog.m_version = m_rows[r].MinimumVersion;
    dialog.m_check = m_rows[r].MinimumVersion.IsEmpty() ? 0 : 1;
    if (dialog.DoModal() == IDOK)
        m_rows[r].MinimumVersion = dialog.m_version;
}

void CAdditionalViewersDlg::OnClear()
{
    for (int r = 0; r < Rows; ++r) {
        ::SendDlgItemMessageA(m_hWnd, static_cast<int>(ExtensionId(r)), CB_SETCURSEL, 0, 0);
        m_rows[r] = AdditionalViewerEntry();
        m_rows[r].Confirmation = CFailsafeSettingsDlg::DefaultConfirmation;
        EnableRowButtons(r, FALSE);
        if (r > 0)
            EnableRowEntry(r, FALSE);
    }
    ShowHelp(IDS_TITLE_VIEWERS, IDS_HELP_VIEWERS, FALSE);
}
