// "Send an Email (mailto)": asks for one e-mail address. The text starts empty unless the
// opener puts the current address in; the caret waits at its end, ready for typing.
#pragma once
#include "CDialog.h"
#include "ComposerResource.h"

class CMailtoDlg : public CDialog {
public:
    enum { IDD = IDD_MAILTO, CaretTimer = 1 };
    explicit CMailtoDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    CString m_address;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnAddressChanged();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
