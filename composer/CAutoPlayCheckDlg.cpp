#include "CAutoPlayCheckDlg.h"

#include "CAutoPlayCheck.h"
#include "CWinApp.h"
#include "DDX.h"

const char* const CAutoPlayCheckDlg::EnabledText =
    "\r\n\r\nVelmora has determined that your 'AutoPlay' setting is enabled.\r\n\r\n";
const char* const CAutoPlayCheckDlg::DisabledText =
    "Velmora has detected that 'AutoPlay' has been disabled on your system.\r\n\r\nIn order for CD's to start "
    "automatically (when they are inserted) you need to have this setting enabled. Click the button below to enable "
    "AutoPlay.";
const char* const CAutoPlayCheckDlg::RepairedText =
    "AutoPlay has been successfully set.\n\nPlease exit Velmora Composer and reboot your computer for the changes to "
    "take effect.";
const char* const CAutoPlayCheckDlg::RepairFailedText =
    "Velmora Composer could not properly set AutoPlay.\n\nPlease refer to your manual for specific instructions.";

BEGIN_MESSAGE_MAP(CAutoPlayCheckDlg, CDialog)
    ON_BN_CLICKED(IDC_ENABLE_AUTOPLAY, &CAutoPlayCheckDlg::OnEnableAutoPlay)
END_MESSAGE_MAP()

bool CAutoPlayCheckDlg::IsAutoPlayEnabled()
{
    return CAutoPlayCheck(CAutoPlayCheck::RunningKind()).IsAutoPlayEnabled();
}

void CAutoPlayCheckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_AUTOPLAY_AT_START, m_checkAtStartup);
}

BOOL CAutoPlayCheckDlg::OnInitDialog()
{
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SetStyle(CMenuButton::StyleFramed);
    m_ok.SetStyle(CMenuButton::StyleFramed);
    m_status.SubclassDlgItem(IDC_CAPTION_TEXT, this);
    DWORD stored = 0;
    if (CAutoPlayCheck::ReadStartupSetting(stored))
        m_checkAtStartup = stored != 0;
    m_windowsKind = CAutoPlayCheck::RunningKind();
    if (CAutoPlayCheck(m_windowsKind).IsAutoPlayEnabled()) {
        GetDlgItem(IDC_ENABLE_AUTOPLAY)->ShowWindow(SW_HIDE);
        m_status.SetText(EnabledText);
    } else {
        m_status.SetText(DisabledText);
    }
    CDialog::OnInitDialog();
    return TRUE;
}

void CAutoPlayCheckDlg::OnEnableAutoPlay()
{
    switch (CAutoPlayCheck(m_windowsKind).Repair()) {
    case CAutoPlayCheck::RepairSucceeded:
        AfxMessageBox(RepairedText, MB_OK | MB_ICONINFORMATION);
        break;
    case CAutoPlayCheck::RepairFailed:
        AfxMessageBox(RepairFailedText, MB_OK | MB_ICONEXCLAMATION);
        break;
    case CAutoPlayCheck::RepairNothingToDo:
        break;
    }
}

void CAutoPlayCheckDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CAutoPlayCheck::WriteStartupSetting(m_checkAtStartup ? 1 : 0);
    EndDialog(IDOK);
}
