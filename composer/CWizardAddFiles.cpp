#include "CWizardAddFiles.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CWizardAddFiles, CWizardPage)
    ON_BN_CLICKED(IDC_WZ_OPEN_FOLDER, &CWizardAddFiles::OnOpenFolder)
END_MESSAGE_MAP()

BOOL CWizardAddFiles::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SetDlgItemText(IDC_WZ_LABEL,
                   CString("Now that your Base Folder is set up you need to add your Project files to your Base "
                           "Folder.\n\nCopy all the files you will need in your Project ") +
                       (m_withFailsafe ? "(the files you wish Velmora to open, icon files, Splash Screen files, your "
                                         "Failsafe Program installer, etc)"
                                       : "(the files you wish Velmora to open, icon files, etc)") +
                       " to your Base Folder. You may also copy or create any folders that you may need for your "
                       "Project.\n\nWhen you are finished the contents of the Base Folder should contain all the files "
                       "you will need on your CD.");
    m_open.SubclassDlgItem(IDC_WZ_OPEN_FOLDER, this);
    m_open.SetIcon(IDI_WIZARD, IDI_WIZARD_HOT);
    return TRUE;
}

void CWizardAddFiles::OnOpenFolder()
{
    const CString folder = BaseFolder();
    if (!folder.IsEmpty())
        ::ShellExecuteA(m_hWnd, "open", folder, nullptr, folder, SW_SHOWNORMAL);
}
