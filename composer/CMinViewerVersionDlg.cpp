#include "CMinViewerVersionDlg.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CMinViewerVersionDlg, CDialog)
    ON_BN_CLICKED(IDC_MIN_VERSION_CHECK, &CMinViewerVersionDlg::OnCheck)
    ON_EN_CHANGE(IDC_MIN_VERSION, &CMinViewerVersionDlg::OnVersionChanged)
END_MESSAGE_MAP()

void CMinViewerVersionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MIN_VERSION_CHECK, m_check);
    DDX_Text(pDX, IDC_MIN_VERSION, m_version);
}

BOOL CMinViewerVersionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetDlgItem(IDC_MIN_VERSION)->EnableWindow(m_check != 0);
    return TRUE;
}

void CMinViewerVersionDlg::OnCheck()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_MIN_VERSION)->EnableWindow(m_check != 0);
}

void CMinViewerVersionDlg::OnVersionChanged()
{
    GetDlgItem(IDC_MIN_VERSION)->GetWindowText(m_version);
}

void CMinViewerVersionDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_check) {
        m_version.Empty();
        UpdateData(FALSE);
    }
    EndDialog(IDOK);
}
