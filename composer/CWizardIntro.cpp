#include "CWizardIntro.h"

BOOL CWizardIntro::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SetDlgItemText(IDC_WZ_LABEL,
                   m_withFailsafe
                       ? "Welcome to the Velmora Wizard!\n\nThis Wizard will guide you through the process of creating an "
                         "Velmora project (opening 1 file) with the option of adding a Splash Screen and Failsafe Program "
                         "support.\n\nUpon completing this Wizard you should be familiar with the Velmora process.\n\n"
                         "After you have completed the Wizard you will be taken back to the main Velmora Composer screen "
                         "where you can set any additional options not included in this wizard."
                       : "Welcome to the Velmora Wizard!\n\nThis Wizard will guide you through the process of creating a "
                         "simple Velmora project (opening 1 file).\n\nThe purpose of the Wizard is to help you get used "
                         "to the process of creating Velmora projects and to get familiar with the Velmora terminology."
                         "\n\nAfter you have completed the Wizard you will be taken back to the main Velmora Composer "
                         "screen where you can set any additional options not included in this wizard.");
    return TRUE;
}
