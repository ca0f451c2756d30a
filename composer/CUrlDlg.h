// "Open a Web Site (URL)": asks for one web address. The text starts as "http://" unless the
// opener puts the current address in; the caret waits at its end, ready for typing.
#pragma once
#include "CDialog.h"
#include "ComposerResource.h"

class CUrlDlg : public CDialog {
public:
    enum { IDD = IDD_URL, CaretTimer = 1 };
    explicit CUrlDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    CString m_url = "http://";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnUrlChanged();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
