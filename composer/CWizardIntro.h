// The wizard's welcome page, in the words of the plain or the Failsafe wizard.
#pragma once
#include "CWizardPage.h"

class CWizardIntro : public CWizardPage {
public:
    CWizardIntro() : CWizardPage(IDD_WIZARD_INTRO) {}
    int m_withFailsafe = 0;

protected:
    BOOL OnInitDialog() override;
};
