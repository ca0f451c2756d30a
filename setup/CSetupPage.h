// One page of the installer: its texts from the string table, the highlighted band under
// its title and the etched line over its buttons, and Next, Back and Cancel.
#pragma once
#include "Framework.h"

class CSetupPage : public CDialog {
public:
    // Texts: string ids for the title 1001, the text 1013, the control extraId (1014 or
    // 1012, 0 for none), Back 2, Next 1 and Cancel 1010 (0 where the page has none).
    struct Texts {
        UINT title, text, extraId, extra, back, next, cancel;
    };
    CSetupPage(UINT templateId, const Texts& texts, UINT cancelQuestion = 5);

    // Set when the page ended with a confirmed Cancel (not with Back).
    BOOL m_bCancelled = FALSE;

    static CString LoadText(UINT id);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { EndDialog(IDOK); }
    void OnCancel() override { EndDialog(IDCANCEL); } // Back
    afx_msg void OnCancelPage();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    Texts m_texts;
    UINT m_cancelQuestion;
};
