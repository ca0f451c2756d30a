// The licence agreement the user must accept before the presentation runs: the text in a
// rich-text control, "I Agree" and "Close". Passed only through "I Agree".
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "PlayerProject.h"
#include "PlayerResource.h"

class AgreementDialog : public CDialog {
public:
    enum { IDD = IDD_AGREEMENT, AgreeAndWaitMode = 3 };

    AgreementDialog(const AgreementBlock* block, CWnd* pParent = nullptr);

    // No block: passed; else the dialog runs modally and tells whether "I Agree" closed it.
    static bool RunGate(const AgreementBlock* block, CWnd* pParent);

    bool m_passed = false;
    CString m_status;
    CCorvEdit& GetText() { return m_text; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAgree();
    DECLARE_MESSAGE_MAP()

private:
    const AgreementBlock* m_block;
    CCorvEdit m_text;
};
