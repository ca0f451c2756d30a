#include "CWizardFailsafe.h"

#include "CFailsafeSettingsDlg.h"
#include "CWizardDlg.h"
#include "CWizardTarget.h"

BEGIN_MESSAGE_MAP(CWizardFailsafe, CWizardPage)
    ON_BN_CLICKED(IDC_WZ_FAILSAFE_SETTINGS, &CWizardFailsafe::OnSettings)
END_MESSAGE_MAP()

BOOL CWizardFailsafe::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_settings.SubclassDlgItem(IDC_WZ_FAILSAFE_SETTINGS, this);
    m_settings.SetIcon(IDI_SETTINGS, IDI_SETTINGS_HOT);
    return TRUE;
}

void CWizardFailsafe::OnSettings()
{
    const CWizardTarget* target = m_wizard ? m_wizard->FindPage<CWizardTarget>() : nullptr;
    m_viewer.SetTargetFilename(target ? target->m_target : CString());
    CFailsafeSettingsDlg::Edit(m_viewer, BaseFolder(), this);
}
