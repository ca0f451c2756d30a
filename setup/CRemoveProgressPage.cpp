#include "CRemoveProgressPage.h"
#include "SetupResource.h"

BEGIN_MESSAGE_MAP(CRemoveProgressPage, CSetupPage)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CRemoveProgressPage::CRemoveProgressPage(CInstallation& installation, CInstallList& list, const CString& ownFolder)
    : CSetupPage(IDD_REMOVE_PROGRESS, {20, 21, IDC_STATUS, 22, 0, 24, 0}), m_installation(installation), m_list(list),
      m_ownFolder(ownFolder)
{
}

BOOL CRemoveProgressPage::OnInitDialog()
{
    CSetupPage::OnInitDialog();
    m_progress.Attach(GetDlgItem(IDC_PROGRESS)->GetSafeHwnd());
    m_progress.SetRange32(0, m_list.fileCount + m_list.folderCount);
    m_progress.SetStep(1);
    for (int id : {IDOK, IDC_STATUS})
        GetDlgItem(id)->EnableWindow(FALSE);
    m_timer = SetTimer(1, 100);
    return TRUE;
}

void CRemoveProgressPage::OnTimer(UINT_PTR)
{
    KillTimer(m_timer);
    m_installation.Remove(m_ownFolder, &m_progress);
    m_progress.Detach();
    for (int id : {IDOK, IDC_STATUS})
        GetDlgItem(id)->EnableWindow(TRUE);
}
