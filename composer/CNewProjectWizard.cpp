#include "CNewProjectWizard.h"

#include "CProjectData.h"

CNewProjectWizard::CNewProjectWizard(bool withFailsafe) : m_withFailsafe(withFailsafe)
{
    m_intro.m_withFailsafe = withFailsafe ? 1 : 0;
    m_files.m_withFailsafe = withFailsafe ? 1 : 0;
}

INT_PTR CNewProjectWizard::Run(CWnd* parent)
{
    CWizardDlg wizard(parent);
    wizard.m_withFailsafe = m_withFailsafe ? 1 : 0;
    wizard.AddPage({m_withFailsafe ? "New Project with Failsafe Wizard" : "New Project Wizard", IDS_TITLE_WIZARD_INTRO,
                    IDS_HELP_WIZARD_INTRO, IDD_WIZARD_INTRO, &m_intro});
    wizard.AddPage({"CD-ROM Base Folder", IDS_TITLE_WIZARD_FOLDER, IDS_HELP_WIZARD_FOLDER, IDD_WIZARD_FOLDER, &m_folder});
    wizard.AddPage({"Add Your Project Files", IDS_TITLE_WIZARD_FILES, IDS_HELP_WIZARD_FILES, IDD_WIZARD_ADD_FILES,
                    &m_files});
    if (m_withFailsafe)
        wizard.AddPage({"Set up your Splash Screen", IDS_TITLE_WIZARD_SPLASH, IDS_HELP_WIZARD_SPLASH, IDD_WIZARD_SPLASH,
                        &m_splash});
    wizard.AddPage({"Select your Target File", IDS_TITLE_WIZARD_TARGET, IDS_HELP_WIZARD_TARGET, IDD_WIZARD_TARGET,
                    &m_target});
    if (m_withFailsafe)
        wizard.AddPage({"Set your Failsafe Program", IDS_TITLE_WIZARD_FAILSAFE, IDS_HELP_WIZARD_FAILSAFE,
                        IDD_WIZARD_FAILSAFE, &m_failsafe});
    wizard.AddPage({"Wizard Complete", IDS_TITLE_NEXT_STEPS, IDS_HELP_WIZARD_FINISH, IDD_WIZARD_FINISH, &m_finish});
    return wizard.DoModal();
}

void CNewProjectWizard::WriteTarget(CViewer& viewer) const
{
    viewer.SetTargetFilename(m_target.m_target);
    viewer.SetParameters(m_target.m_parameters);
    if (!m_withFailsafe)
        return;
    const CFileViewer& settings = m_failsafe.m_viewer;
    viewer.SetWindowShowCmdWindow(settings.GetWindowShowCmdWindow());
    viewer.SetHasFailsafeProgram(settings.GetHasFailsafeProgram());
    viewer.SetFailsafeProgPath(settings.GetFailsafeProgPath());
    viewer.SetTryTargetFirst(settings.GetTryTargetFirst());
    viewer.SetCheckVersion(settings.GetCheckVersion());
    viewer.SetVersionString(settings.GetVersionString());
    viewer.SetAlwaysRun(settings.GetAlwaysRun());
    viewer.SetDisplayConfirmation(settings.GetDisplayConfirmation());
    viewer.SetFailsafeConfMessage(settings.GetFailsafeConfMessage());
    viewer.SetRebootMachine(settings.GetRebootMachine());
    viewer.SetTryAndForce(settings.GetTryAndForce());
    viewer.SetForceString1(settings.GetForceString1());
    viewer.SetForceString2(settings.GetForceString2());
}

bool CNewProjectWizard::WriteSplash(CProjectData& project) const
{
    if (!m_withFailsafe || m_splash.m_image.IsEmpty())
        return false;
    project.SplashSound = m_splash.m_sound;
    project.SplashImage = m_splash.m_image;
    project.SplashDuration = m_splash.m_duration;
    project.Splash = 1;
    return true;
}
