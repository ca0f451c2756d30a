#include "CConfirmationTextDlg.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CConfirmationTextDlg, CDialog)
    ON_EN_CHANGE(IDC_CONFIRMATION_TEXT, &CConfirmationTextDlg::OnTextChanged)
    ON_BN_CLICKED(IDC_SETTINGS_CLEAR, &CConfirmationTextDlg::OnClear)
END_MESSAGE_MAP()

void CConfirmationTextDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIRMATION_TEXT, m_text);
    if (!pDX->m_bSaveAndValidate || m_validating)
        DDV_MaxChars(pDX, m_text, MaxLength);
}

void CConfirmationTextDlg::OnTextChanged() { GetDlgItem(IDC_CONFIRMATION_TEXT)->GetWindowText(m_text); }

void CConfirmationTextDlg::OnClear()
{
    m_text.Empty();
    UpdateData(FALSE);
}

void CConfirmationTextDlg::OnOK()
{
    m_validating = TRUE;
    CDialog::OnOK();
    m_validating = FALSE;
}
