#include "CUrlDlg.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CUrlDlg, CDialog)
    ON_EN_CHANGE(IDC_URL_TEXT, &CUrlDlg::OnUrlChanged)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CUrlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_URL_TEXT, m_url);
}

// The dialog manager selects the whole text when the edit takes the focus; the caret goes
// to the end once the dialog is up.
BOOL CUrlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(CaretTimer, 0);
    return TRUE;
}

void CUrlDlg::OnUrlChanged() { GetDlgItem(IDC_URL_TEXT)->GetWindowText(m_url); }

void CUrlDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != CaretTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(CaretTimer);
    const LPARAM end = m_url.GetLength();
    GetDlgItem(IDC_URL_TEXT)->SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
    GetDlgItem(IDC_URL_TEXT)->SendMessage(EM_SCROLLCARET, 0, 0);
}
