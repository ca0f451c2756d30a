#include "AgreementDialog.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(AgreementDialog, CDialog)
    ON_BN_CLICKED(IDC_AGREE, &AgreementDialog::OnAgree)
END_MESSAGE_MAP()

AgreementDialog::AgreementDialog(const CProjectData* project, CWnd* pParent)
    : CDialog(IDD, pParent), m_project(project)
{
}

bool AgreementDialog::RunGate(const CProjectData* project, CWnd* pParent)
{
    if (!project || !project->Agreement)
        return true;
    AgreementDialog dialog(project, pParent);
    dialog.DoModal();
    return dialog.m_passed;
}

BOOL AgreementDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const RECT place = {166, 10, 505, 120};
    m_text.Create(WS_EX_CLIENTEDGE, place, this, IDC_AGREEMENT_TEXT, WS_CHILD | WS_VISIBLE | WS_BORDER,
                  CCorvEdit::CaptionLook);
    m_text.SetText(m_project->AgreementText);
    if (m_project->AgreementMode == AgreeAndWaitMode) {
        m_text.SetSize(339, 200);
        m_status = "Please read the License Agreement above. If you agree to the terms, click the 'I Agree' button.";
        SetDlgItemText(IDC_AGREE, "I Agree");
        SetDlgItemText(IDOK, "Close");
    }
    UpdateData(FALSE);
    return TRUE;
}

void AgreementDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STATUS_PLACE, m_status);
}

void AgreementDialog::OnAgree()
{
    m_passed = true;
    EndDialog(IDOK);
}
