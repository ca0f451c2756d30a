#include "CMailtoDlg.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CMailtoDlg, CDialog)
    ON_EN_CHANGE(IDC_MAILTO_TEXT, &CMailtoDlg::OnAddressChanged)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CMailtoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MAILTO_TEXT, m_address);
}

BOOL CMailtoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(CaretTimer, 0);
    return TRUE;
}

void CMailtoDlg::OnAddressChanged() { GetDlgItem(IDC_MAILTO_TEXT)->GetWindowText(m_address); }

// The dialog manager selects the whole text when the edit takes the focus: once the
// dialog is up the caret goes to the end.
void CMailtoDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != CaretTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(CaretTimer);
    const LPARAM end = m_address.GetLength();
    GetDlgItem(IDC_MAILTO_TEXT)->SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
    GetDlgItem(IDC_MAILTO_TEXT)->SendMessage(EM_SCROLLCARET, 0, 0);
}
