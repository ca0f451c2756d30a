#include "CWizardTarget.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CWizardTarget, CWizardPage)
    ON_BN_CLICKED(IDC_WZ_BROWSE_TARGET, &CWizardTarget::OnBrowse)
    ON_EN_CHANGE(IDC_WZ_PARAMETERS, &CWizardTarget::OnParametersChanged)
END_MESSAGE_MAP()

void CWizardTarget::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WZ_TARGET, m_target);
    DDX_Text(pDX, IDC_WZ_PARAMETERS, m_parameters);
}

BOOL CWizardTarget::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_browse.SubclassDlgItem(IDC_WZ_BROWSE_TARGET, this);
    m_browse.SetIcon(IDI_BROWSE, IDI_BROWSE_HOT);
    return TRUE;
}

// A refused file leaves no target, so the page is not ready even after an earlier good one.
void CWizardTarget::OnBrowse()
{
    CString chosen = m_target;
    if (BrowseInBaseFolder("Select your Target File", "All Files (*.*)|*.*||", chosen, IDS_TITLE_WIZARD_TARGET)) {
        m_target = chosen;
        ShowHelp(IDS_TITLE_WIZARD_TARGET, IDS_WIZARD_TARGET_SET, FALSE);
        SetReady(1);
    } else if (chosen.IsEmpty()) {
        m_target.Empty();
        SetReady(0);
    }
    GetDlgItem(IDC_WZ_TARGET)->SetWindowText(m_target);
}

void CWizardTarget::OnParametersChanged() { GetDlgItem(IDC_WZ_PARAMETERS)->GetWindowText(m_parameters); }
