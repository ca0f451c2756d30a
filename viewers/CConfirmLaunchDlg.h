// Asks the user before a failsafe program runs; its check box stops the question for good.
#pragma once
#include "CDialog.h"
#include "ViewersExport.h"
#include "ViewersResource.h"

class VIEWERS_API CConfirmLaunchDlg : public CDialog {
public:
    enum { IDD = IDD_CONFIRM_LAUNCH };
    explicit CConfirmLaunchDlg(CWnd* pParent = nullptr);

    CString m_Message;
    int m_DontAsk;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDontAsk();
    DECLARE_MESSAGE_MAP()
};
