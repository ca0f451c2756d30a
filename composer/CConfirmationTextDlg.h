// "Confirmation Text": the text of the box the player shows before it installs an
// additional viewer; at most 5000 characters, checked when OK is pressed.
#pragma once
#include "CDialog.h"
#include "ComposerResource.h"

class CConfirmationTextDlg : public CDialog {
public:
    enum { IDD = IDD_CONFIRMATION_TEXT, MaxLength = 5000 };
    explicit CConfirmationTextDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    CString m_text;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    afx_msg void OnTextChanged();
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_validating = FALSE;
};
