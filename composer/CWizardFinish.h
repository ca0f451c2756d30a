// The wizard's last page: what the author has learnt, and Finish.
#pragma once
#include "CWizardPage.h"

class CWizardFinish : public CWizardPage {
public:
    CWizardFinish() : CWizardPage(IDD_WIZARD_FINISH) { m_ready = 1; }
};
