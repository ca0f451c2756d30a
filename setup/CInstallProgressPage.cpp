#include "CInstallProgressPage.h"
#include "SetupResource.h"

BEGIN_MESSAGE_MAP(CInstallProgressPage, CSetupPage)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CInstallProgressPage::CInstallProgressPage(CInstallation& installation, CInstallList& list, const CString& tempFolder,
                                           const CString& installFolder)
    : CSetupPage(IDD_INSTALL_PROGRESS, {13, 14, IDC_STATUS, 15, 23, 24, 25}), m_installation(installation),
      m_list(list), m_tempFolder(tempFolder), m_installFolder(installFolder)
{
}

BOOL CInstallProgressPage::OnInitDialog()
{
    CSetupPage::OnInitDialog();
    m_progress.Attach(GetDlgItem(IDC_PROGRESS)->GetSafeHwnd());
    m_progress.SetRange32(0, m_list.fileCount + m_list.menuCount);
    m_progress.SetStep(1);
    for (int id : {IDOK, IDCANCEL, IDC_STATUS})
        GetDlgItem(id)->EnableWindow(FALSE);
    m_timer = SetTimer(1, 100);
    return TRUE;
}

void CInstallProgressPage::OnTimer(UINT_PTR)
{
    KillTimer(m_timer);
    const bool ok = m_installation.Install(m_tempFolder, m_installFolder, &m_progress);
    m_progress.Detach();
    if (!ok) {
        MessageBox(LoadText(3), LoadText(7), MB_OK | MB_ICONSTOP);
        EndDialog(IDABORT);
        return;
    }
    for (int id : {IDOK, IDCANCEL, IDC_STATUS})
        GetDlgItem(id)->EnableWindow(TRUE);
}
