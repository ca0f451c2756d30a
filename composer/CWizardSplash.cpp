#include "CWizardSplash.h"

#include "DDX.h"

BEGIN_MESSAGE_MAP(CWizardSplash, CWizardPage)
    ON_BN_CLICKED(IDC_WZ_BROWSE_IMAGE, &CWizardSplash::OnBrowseImage)
    ON_BN_CLICKED(IDC_WZ_BROWSE_SOUND, &CWizardSplash::OnBrowseSound)
END_MESSAGE_MAP()

void CWizardSplash::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WZ_SPLASH_IMAGE, m_image);
    DDX_Text(pDX, IDC_WZ_SPLASH_SOUND, m_sound);
    DDX_Text(pDX, IDC_WZ_DURATION, m_duration);
}

BOOL CWizardSplash::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_browseImage.SubclassDlgItem(IDC_WZ_BROWSE_IMAGE, this);
    m_browseSound.SubclassDlgItem(IDC_WZ_BROWSE_SOUND, this);
    m_helpImage.SubclassDlgItem(IDC_SETTINGS_HELP_1, this);
    m_helpSound.SubclassDlgItem(IDC_SETTINGS_HELP_2, this);
    for (CHoverButton* browse : {&m_browseImage, &m_browseSound})
        browse->SetIcon(IDI_BROWSE, IDI_BROWSE_HOT);
    for (CHoverButton* help : {&m_helpImage, &m_helpSound})
        help->SetIcon(IDI_HELP, IDI_HELP_HOT);
    return TRUE;
}

BOOL CWizardSplash::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id == IDC_SETTINGS_HELP_1) {
        ShowHelp(IDS_TITLE_SPLASH_IMAGE, IDS_HELP_SPLASH_IMAGE, FALSE);
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && id == IDC_SETTINGS_HELP_2) {
        ShowHelp(IDS_TITLE_SPLASH_SOUND, IDS_HELP_SPLASH_SOUND, FALSE);
        return TRUE;
    }
    if (HIWORD(wParam) == EN_CHANGE && id == IDC_WZ_DURATION) {
        GetDlgItem(IDC_WZ_DURATION)->GetWindowText(m_duration);
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}

void CWizardSplash::OnBrowseImage()
{
    BrowseInBaseFolder("Select a BMP or AVI for your Splash Screen",
                       "All Image Files|*.bmp; *.gif; *.jpeg; *.jpg; *.pcx; *.pgm; *.pict; *.psd; *.tga; *.tiff; *.wmf|"
                       "BMP Files|*.bmp|GIF Files|*.gif|JPEG Files|*.jpeg; *.jpg|PCX Files|*.pcx|PGM Files|*.pgm|"
                       "PICT Files|*.pict|PSD Files|*.psd|TGA Files|*.tga|TIFF Files|*.tiff|WMF Files|*.wmf||",
                       m_image, IDS_TITLE_VELMORA);
    UpdateData(FALSE);
}

void CWizardSplash::OnBrowseSound()
{
    BrowseInBaseFolder("Please select your WAV file", "Wave Files (*.wav)|*.wav||", m_sound, IDS_TITLE_VELMORA);
    UpdateData(FALSE);
}
