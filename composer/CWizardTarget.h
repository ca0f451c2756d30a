// The page of the project's one target file, in the base folder, and its parameters.
#pragma once
#include "CHoverButton.h"
#include "CWizardPage.h"

class CWizardTarget : public CWizardPage {
public:
    CWizardTarget() : CWizardPage(IDD_WIZARD_TARGET) {}

    CString m_target, m_parameters;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnBrowse();
    afx_msg void OnParametersChanged();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_browse;
};
