#include "CConfirmLaunchDlg.h"

#include "DDX.h"

CConfirmLaunchDlg::CConfirmLaunchDlg(CWnd* pParent) : CDialog(IDD, pParent), m_DontAsk(0) {}

void CConfirmLaunchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONFIRM_MESSAGE, m_Message);
    DDX_Check(pDX, IDC_CONFIRM_DONTASK, m_DontAsk);
}

BEGIN_MESSAGE_MAP(CConfirmLaunchDlg, CDialog)
    ON_BN_CLICKED(IDC_CONFIRM_DONTASK, &CConfirmLaunchDlg::OnDontAsk)
END_MESSAGE_MAP()

void CConfirmLaunchDlg::OnDontAsk() { UpdateData(TRUE); }
