#include "CUsingInfoDlg.h"

const char* const CUsingInfoDlg::Introduction =
    "When starting Velmora Composer for the first time you may notice that most of the windows controls (buttons, "
    "check boxes, etc) appear to be disabled. The Composer will disable any controls that aren't needed at the time. "
    "As you set your information these controls will become active. This helps as a guide to walk you through the "
    "process of creating your Velmora project.\r\n\r\nBelow is a list of icons that are used throughout the Composer "
    "to help you move more quickly through the interface.";

BOOL CUsingInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_introduction.SubclassDlgItem(IDC_CAPTION_TEXT, this);
    m_introduction.SetText(Introduction);
    m_introduction.SetFontWeight(700);
    m_enabledHeading.SubclassDlgItem(IDC_SEPARATOR_REQUIRED, this);
    m_iconsHeading.SubclassDlgItem(IDC_SEPARATOR_OPTIONAL, this);
    m_disabledDemo.SubclassDlgItem(IDC_DEMO_DISABLED, this);
    m_disabledDemo.SetIcon(IDI_BROWSE, IDI_BROWSE_HOT);
    m_enabledDemo.SubclassDlgItem(IDC_DEMO_ENABLED, this);
    m_enabledDemo.SetIcon(IDI_BROWSE, IDI_BROWSE_HOT);
    m_close.SubclassDlgItem(IDOK, this);
    m_close.SetStyle(CMenuButton::StyleFramed);
    m_disabledDemo.EnableWindow(FALSE);
    return TRUE;
}
