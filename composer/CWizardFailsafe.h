// The Failsafe wizard's page of the target's failsafe program, kept on a file viewer of
// the page's own until the wizard finishes.
#pragma once
#include "CFileViewer.h"
#include "CHoverButton.h"
#include "CWizardPage.h"

class CWizardFailsafe : public CWizardPage {
public:
    CWizardFailsafe() : CWizardPage(IDD_WIZARD_FAILSAFE) { m_ready = 1; }

    CFileViewer m_viewer;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnSettings();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_settings;
};
