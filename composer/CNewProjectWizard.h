// The two New Project wizards, as the main dialog runs them: the pages in their order, and
// on Finish their results for a fresh project of one File target.
#pragma once
#include "CWizardAddFiles.h"
#include "CWizardDlg.h"
#include "CWizardFailsafe.h"
#include "CWizardFinish.h"
#include "CWizardFolder.h"
#include "CWizardIntro.h"
#include "CWizardSplash.h"
#include "CWizardTarget.h"

class CProjectData;
class CViewer;

class CNewProjectWizard {
public:
    explicit CNewProjectWizard(bool withFailsafe);

    INT_PTR Run(CWnd* parent);

    // The results, for the main dialog on Finish: the target's file, parameters and (with
    // failsafe) the failsafe page's settings in their fixed order; the splash (with
    // failsafe and an image) switched on with its image, sound and duration.
    void WriteTarget(CViewer& viewer) const;
    bool WriteSplash(CProjectData& project) const;

    const bool m_withFailsafe;
    CWizardIntro m_intro;
    CWizardFolder m_folder;
    CWizardAddFiles m_files;
    CWizardSplash m_splash;
    CWizardTarget m_target;
    CWizardFailsafe m_failsafe;
    CWizardFinish m_finish;
};
