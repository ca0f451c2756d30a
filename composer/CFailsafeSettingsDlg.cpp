#include "CFailsafeSettingsDlg.h"

#include "CViewer.h"
#include "DDX.h"

const char* const CFailsafeSettingsDlg::DefaultConfirmation =
    "This product requires additional software to be installed. Do you wish to proceed with the installation?";

BEGIN_MESSAGE_MAP(CFailsafeSettingsDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_USE_FAILSAFE, &CFailsafeSettingsDlg::OnUseFailsafe)
    ON_BN_CLICKED(IDC_BROWSE_FAILSAFE, &CFailsafeSettingsDlg::OnBrowse)
    ON_BN_CLICKED(IDC_TRY_TARGET_FIRST, &CFailsafeSettingsDlg::OnTryTargetFirst)
    ON_BN_CLICKED(IDC_CHECK_VERSION, &CFailsafeSettingsDlg::OnCheckVersion)
    ON_BN_CLICKED(IDC_ALWAYS_RUN, &CFailsafeSettingsDlg::OnAlwaysRun)
    ON_BN_CLICKED(IDC_DISPLAY_CONFIRMATION, &CFailsafeSettingsDlg::OnDisplayConfirmation)
    ON_BN_CLICKED(IDC_FAILSAFE_CLEAR, &CFailsafeSettingsDlg::OnClear)
    ON_BN_CLICKED(IDC_FAILSAFE_OK, &CFailsafeSettingsDlg::OnFailsafeOk)
END_MESSAGE_MAP()

CFailsafeSettingsDlg::CFailsafeSettingsDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.captionPrefix = "Failsafe Program Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_FAILSAFE;
    m_frame.firstHelpText = IDS_HELP_FAILSAFE;
    m_frame.helpPanelId = IDC_FAILSAFE_HELP_PANEL;
    m_frame.panelEndsAbove = IDC_FAILSAFE_OK;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_2, IDS_TITLE_FAILSAFE_PROGRAM, IDS_HELP_FAILSAFE_PROGRAM},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_RUN_FAILSAFE, IDS_HELP_RUN_FAILSAFE},
                           {IDC_SETTINGS_HELP_4, IDS_TITLE_CONFIRMATION, IDS_HELP_CONFIRMATION}};
    m_frame.framedButtons = {IDC_FAILSAFE_OK, IDCANCEL, IDC_FAILSAFE_CLEAR};
}

void CFailsafeSettingsDlg::CopyFrom(const CViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_useFailsafe = viewer.GetHasFailsafeProgram();
    m_failsafePath = viewer.GetFailsafeProgPath();
    m_tryTargetFirst = viewer.GetTryTargetFirst();
    m_checkVersion = viewer.GetCheckVersion();
    m_version = viewer.GetVersionString();
    m_alwaysRun = viewer.GetAlwaysRun();
    m_displayConfirmation = viewer.GetDisplayConfirmation();
    m_confirmation = viewer.GetFailsafeConfMessage();
    m_reboot = viewer.GetRebootMachine();
}

void CFailsafeSettingsDlg::WriteBack(CViewer& viewer) const
{
    viewer.SetHasFailsafeProgram(m_useFailsafe);
    viewer.SetFailsafeProgPath(m_failsafePath);
    viewer.SetTryTargetFirst(m_tryTargetFirst);
    viewer.SetCheckVersion(m_checkVersion);
    viewer.SetVersionString(m_version);
    viewer.SetAlwaysRun(m_alwaysRun);
    viewer.SetDisplayConfirmation(m_displayConfirmation);
    viewer.SetFailsafeConfMessage(m_confirmation);
    viewer.SetRebootMachine(m_reboot);
}

INT_PTR CFailsafeSettingsDlg::Edit(CViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    CFailsafeSettingsDlg dialog(parent);
    dialog.CopyFrom(viewer, baseFolder);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(viewer);
    return result;
}

void CFailsafeSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_USE_FAILSAFE, m_useFailsafe);
    DDX_Text(pDX, IDC_FAILSAFE_PATH, m_failsafePath);
    DDX_Check(pDX, IDC_TRY_TARGET_FIRST, m_tryTargetFirst);
    DDX_Check(pDX, IDC_CHECK_VERSION, m_checkVersion);
    DDX_Text(pDX, IDC_VERSION, m_version);
    DDX_Check(pDX, IDC_ALWAYS_RUN, m_alwaysRun);
    DDX_Check(pDX, IDC_DISPLAY_CONFIRMATION, m_displayConfirmation);
    DDX_Text(pDX, IDC_CONFIRMATION, m_confirmation);
    // The limit is checked when OK is pressed; while typing, the edit itself keeps to it.
    if (!pDX->m_bSaveAndValidate || m_validating)
        DDV_MaxChars(pDX, m_confirmation, MaxConfirmationLength);
    DDX_Check(pDX, IDC_REBOOT, m_reboot);
}

BOOL CFailsafeSettingsDlg::OnInitDialog()
{
    CSettingsDlg::OnInitDialog();
    SetUpHoverButton(m_browse, IDC_BROWSE_FAILSAFE, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_FAILSAFE);
    return TRUE;
}

void CFailsafeSettingsDlg::ApplyEnableRules()
{
    if (!m_useFailsafe) {
        EnableControls({IDC_FAILSAFE_PATH, IDC_BROWSE_FAILSAFE}, FALSE);
        DisableRunOptions();
    }
    if (!m_checkVersion)
        EnableControls({IDC_VERSION}, FALSE);
    if (!m_displayConfirmation)
        EnableControls({IDC_CONFIRMATION}, FALSE);
}

void CFailsafeSettingsDlg::EnableRunOptions()
{
    EnableControls({IDC_LABEL_RUN, IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_ALWAYS_RUN, IDC_DISPLAY_CONFIRMATION,
                    IDC_REBOOT},
                   TRUE);
    EnableControls({IDC_VERSION}, m_checkVersion != 0);
    EnableControls({IDC_CONFIRMATION}, m_displayConfirmation != 0);
}

void CFailsafeSettingsDlg::DisableRunOptions()
{
    EnableControls({IDC_LABEL_RUN, IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_VERSION, IDC_ALWAYS_RUN,
                    IDC_DISPLAY_CONFIRMATION, IDC_CONFIRMATION, IDC_REBOOT},
                   FALSE);
}

void CFailsafeSettingsDlg::OnUseFailsafe()
{
    PullControls();
    if (!m_useFailsafe) {
        EnableControls({IDC_FAILSAFE_PATH, IDC_BROWSE_FAILSAFE}, FALSE);
        DisableRunOptions();
        return;
    }
    ShowHelp(IDS_TITLE_FAILSAFE_PROGRAM, IDS_FAILSAFE_BROWSE, FALSE);
    EnableControls({IDC_FAILSAFE_PATH, IDC_BROWSE_FAILSAFE}, TRUE);
    if (m_failsafePath.IsEmpty()) {
        OnBrowse();
        return;
    }
    EnableRunOptions();
}

void CFailsafeSettingsDlg::OnBrowse()
{
    PullControls();
    switch (BrowseInBaseFolder("Select your Failsafe Program", "Program Files (*.exe)|*.exe||", m_failsafePath)) {
    case BrowseCancelled:
        return;
    case BrowseOutside:
        DisableRunOptions();
        break;
    case BrowseInside:
        EnableRunOptions();
        ShowHelp(IDS_TITLE_FAILSAFE_PROGRAM, IDS_FAILSAFE_CHOSEN, FALSE);
        break;
    }
    PushControls();
}

// The run conditions steer each other: "Always" and "If Viewer does not exist" are never
// ticked together, and one of the three is always ticked once the author has clicked.
void CFailsafeSettingsDlg::OnTryTargetFirst()
{
    PullControls();
    if (m_tryTargetFirst)
        m_alwaysRun = 0;
    else if (!m_checkVersion)
        m_alwaysRun = 1;
    PushControls();
}

void CFailsafeSettingsDlg::OnCheckVersion()
{
    PullControls();
    EnableControls({IDC_VERSION}, m_checkVersion != 0);
    if (m_checkVersion)
        m_alwaysRun = 0;
    else if (!m_tryTargetFirst)
        m_alwaysRun = 1;
    PushControls();
}

void CFailsafeSettingsDlg::OnAlwaysRun()
{
    PullControls();
    if (m_alwaysRun) {
        m_tryTargetFirst = 0;
        m_checkVersion = 0;
        EnableControls({IDC_VERSION}, FALSE);
    } else {
        m_tryTargetFirst = 1;
    }
    PushControls();
}

void CFailsafeSettingsDlg::OnDisplayConfirmation()
{
    PullControls();
    EnableControls({IDC_CONFIRMATION}, m_displayConfirmation != 0);
}

void CFailsafeSettingsDlg::OnClear()
{
    m_useFailsafe = 0;
    m_failsafePath.Empty();
    m_tryTargetFirst = 1;
    m_checkVersion = 0;
    m_version.Empty();
    m_alwaysRun = 0;
    m_displayConfirmation = 0;
    m_confirmation = DefaultConfirmation;
    m_reboot = 0;
    EnableControls({IDC_FAILSAFE_PATH, IDC_BROWSE_FAILSAFE}, FALSE);
    DisableRunOptions();
    ShowHelp(IDS_TITLE_FAILSAFE, IDS_HELP_FAILSAFE, FALSE);
}

void CFailsafeSettingsDlg::OnFailsafeOk()
{
    PullControls();
    if (m_failsafePath.IsEmpty()) {
        m_useFailsafe = 0;
        PushControls();
    }
    m_validating = TRUE;
    CSettingsDlg::OnOK();
    m_validating = FALSE;
}
