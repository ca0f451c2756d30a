// The page on which the author copies the project's files into the base folder, which its
// button opens.
#pragma once
#include "CHoverButton.h"
#include "CWizardPage.h"

class CWizardAddFiles : public CWizardPage {
public:
    CWizardAddFiles() : CWizardPage(IDD_WIZARD_ADD_FILES) { m_ready = 1; }
    int m_withFailsafe = 0;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnOpenFolder();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_open;
};
