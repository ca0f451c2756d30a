// "Check AutoPlay Status": whether CDs start by themselves on this machine, the repair,
// and whether the authoring program checks at every start.
#pragma once
#include "CCaptionStatic.h"
#include "CDialog.h"
#include "CMenuButton.h"
#include "ComposerResource.h"

class CAutoPlayCheckDlg : public CDialog {
public:
    enum { IDD = IDD_AUTOPLAY_CHECK };
    explicit CAutoPlayCheckDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    // Whether CDs start by themselves on the running system (its kind determined first).
    static bool IsAutoPlayEnabled();

    static const char* const EnabledText;
    static const char* const DisabledText;
    static const char* const RepairedText;
    static const char* const RepairFailedText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnEnableAutoPlay();
    DECLARE_MESSAGE_MAP()

private:
    CMenuButton m_cancel;
    CMenuButton m_ok;
    CCaptionStatic m_status;
    int m_checkAtStartup = 0;
    int m_windowsKind = 0;
};
