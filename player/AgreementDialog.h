// The licence agreement the user must accept before the presentation runs: the text in a
// rich-text control, "I Agree" and "Close". Passed only through "I Agree".
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CProjectData.h"
#include "PlayerResource.h"

class AgreementDialog : public CDialog {
public:
    enum { IDD = IDD_AGREEMENT, AgreeAndWaitMode = 3 };

    AgreementDialog(const CProjectData* project, CWnd* pParent = nullptr);

    // No agreement: passed; else the dialog runs modally and tells whether "I Agree" closed it.
    static bool RunGate(const CProjectData* project, CWnd* pParent);

    bool m_passed = false;
    CString m_status;
    CCorvEdit& GetText() { return m_text; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAgree();
    DECLARE_MESSAGE_MAP()

private:
    const CProjectData* m_project;
    CCorvEdit m_text;
};
