// The Failsafe wizard's splash page: an image and a sound from the base folder and how many
// seconds the splash stays. No image, no splash.
#pragma once
#include "CHoverButton.h"
#include "CWizardPage.h"

class CWizardSplash : public CWizardPage {
public:
    CWizardSplash() : CWizardPage(IDD_WIZARD_SPLASH) { m_ready = 1; }

    CString m_image, m_sound, m_duration = "5";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnBrowseImage();
    afx_msg void OnBrowseSound();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_browseImage, m_browseSound, m_helpImage, m_helpSound;
};
