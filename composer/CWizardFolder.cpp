#include "CWizardFolder.h"

#include "CFolderDialog.h"
#include "CWinApp.h"

BEGIN_MESSAGE_MAP(CWizardFolder, CWizardPage)
    ON_BN_CLICKED(IDC_WZ_BROWSE_FOLDER, &CWizardFolder::OnBrowse)
    ON_BN_CLICKED(IDC_WZ_CREATE_FOLDER, &CWizardFolder::OnCreateFolder)
END_MESSAGE_MAP()

BOOL CWizardFolder::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    CString text;
    text.Format("Press the Wizard button to create your Base Folder as:\n%s", static_cast<const char*>(m_defaultFolder));
    SetDlgItemText(IDC_WZ_CREATE_TEXT, text);
    m_browse.SubclassDlgItem(IDC_WZ_BROWSE_FOLDER, this);
    m_browse.SetIcon(IDI_BROWSE, IDI_BROWSE_HOT);
    m_create.SubclassDlgItem(IDC_WZ_CREATE_FOLDER, this);
    m_create.SetIcon(IDI_WIZARD, IDI_WIZARD_HOT);
    return TRUE;
}

void CWizardFolder::FolderSet(const CString& folder)
{
    m_baseFolder = folder;
    ShowHelp(IDS_TITLE_WIZARD_FOLDER, IDS_WIZARD_FOLDER_SET, FALSE);
    SetReady(1);
    SetDlgItemText(IDC_WZ_FOLDER_LABEL, "Base Folder: " + folder);
    Invalidate();
}

void CWizardFolder::FolderMissing()
{
    ShowHelp(IDS_TITLE_WIZARD_FOLDER, IDS_WIZARD_FOLDER_ERROR, TRUE);
    SetReady(0);
    SetDlgItemText(IDC_WZ_FOLDER_LABEL, "Base Folder: None Selected");
    Invalidate();
}

void CWizardFolder::OnBrowse()
{
    CString title;
    title.LoadString(IDS_BROWSE_BASE_TITLE);
    CFolderDialog dialog(title, nullptr, this);
    if (dialog.DoModal() == IDOK && !dialog.GetFolderPath().IsEmpty())
        FolderSet(dialog.GetFolderPath());
    else
        FolderMissing();
}

void CWizardFolder::OnCreateFolder()
{
    if (m_created) {
        AfxMessageBox("You have already created your Base Folder as:\n\n" + m_baseFolder, MB_OK);
        return;
    }
    for (int number = 1; number <= LastNumber; ++number) {
        CString folder = m_defaultFolder;
        if (number > 1)
            folder.Format("%s%d", static_cast<const char*>(m_defaultFolder), number);
        if (::CreateDirectoryA(folder, nullptr)) {
            m_created = 1;
            FolderSet(folder);
            return;
        }
    }
    FolderMissing();
}
