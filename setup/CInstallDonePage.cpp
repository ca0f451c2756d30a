#include "CInstallDonePage.h"
#include "CInstallation.h"
#include "SetupResource.h"

CInstallDonePage::CInstallDonePage(const CString& installFolder)
    : CSetupPage(IDD_INSTALL_DONE, {16, 17, 0, 0, 0, 26, 0}), m_installFolder(installFolder)
{
}

BOOL CInstallDonePage::OnInitDialog()
{
    CSetupPage::OnInitDialog();
    CheckDlgButton(IDC_DESKTOP, BST_CHECKED);
    return TRUE;
}

void CInstallDonePage::OnOK()
{
    if (IsDlgButtonChecked(IDC_DESKTOP) == BST_CHECKED)
        CInstallation::MakeShellLink(m_installFolder + "\\Velmora_Composer.exe",
                                     CInstallation::DesktopFolder() + "\\Velmora Composer.lnk", "Velmora Composer");
    EndDialog(IDOK);
}
