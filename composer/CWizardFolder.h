// The page that sets the base folder: browsed for, or made by the wizard under the first
// free name of "C:\CD_Project", "C:\CD_Project2" ... "C:\CD_Project14".
#pragma once
#include "CHoverButton.h"
#include "CWizardPage.h"

class CWizardFolder : public CWizardPage {
public:
    enum { LastNumber = 14 };
    CWizardFolder() : CWizardPage(IDD_WIZARD_FOLDER) {}

    CString m_baseFolder;
    CString m_defaultFolder = "C:\\CD_Project";
    int m_created = 0;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnBrowse();
    afx_msg void OnCreateFolder();
    DECLARE_MESSAGE_MAP()

private:
    void FolderSet(const CString& folder);
    void FolderMissing();

    CHoverButton m_browse, m_create;
};
