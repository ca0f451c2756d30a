#include "CWizardPage.h"

#include "BaseFolderPath.h"
#include "CFileDialog.h"
#include "CWizardDlg.h"
#include "CWizardFolder.h"

BOOL CWizardPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_label.SubclassDlgItem(IDC_WZ_LABEL, this);
    m_label.SetStyle(1);
    return TRUE;
}

void CWizardPage::ShowHelp(UINT titleId, UINT textId, BOOL warning)
{
    if (m_wizard)
        m_wizard->ShowHelp(titleId, textId, warning);
}

void CWizardPage::SetReady(int ready)
{
    m_ready = ready;
    if (m_wizard)
        m_wizard->EnableNext(ready != 0);
}

CString CWizardPage::BaseFolder() const
{
    const CWizardFolder* folder = m_wizard ? m_wizard->FindPage<CWizardFolder>() : nullptr;
    return folder ? folder->m_baseFolder : CString();
}

bool CWizardPage::BrowseInBaseFolder(const char* title, const char* filter, CString& stored, UINT refusedTitle)
{
    const CString base = BaseFolder();
    CFileDialog dialog(TRUE, nullptr, nullptr,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_LONGNAMES | OFN_HIDEREADONLY, filter,
                       this);
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = base;
    dialog.SetBufferSize(65535);
    if (dialog.DoModal() != IDOK)
        return false;
    CString relative;
    if (RelativeToBaseFolder(base, dialog.GetPathName(), relative)) {
        stored = relative;
        return true;
    }
    stored.Empty();
    ShowHelp(refusedTitle, IDS_OUTSIDE_BASE_FOLDER, TRUE);
    return false;
}
