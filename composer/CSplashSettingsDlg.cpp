#include "CSplashSettingsDlg.h"

#include "CColorDialog.h"
#include "CImageViewer.h"
#include "CProjectData.h"
#include "DDX.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CSplashSettingsDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_SPLASH_BACKGROUND, &CSplashSettingsDlg::OnBackground)
    ON_BN_CLICKED(IDC_SPLASH_BROWSE_IMAGE, &CSplashSettingsDlg::OnBrowseImage)
    ON_BN_CLICKED(IDC_SPLASH_BROWSE_SOUND, &CSplashSettingsDlg::OnBrowseSound)
    ON_BN_CLICKED(IDC_SPLASH_CLEAR_SOUND, &CSplashSettingsDlg::OnClearSound)
    ON_BN_CLICKED(IDC_SPLASH_SWATCH, &CSplashSettingsDlg::OnSwatch)
    ON_BN_CLICKED(IDC_TEST, &CSplashSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSplashSettingsDlg::CSplashSettingsDlg(CWnd* parent)
    : CSettingsDlg(IDD, parent), m_backgroundColour(::GetSysColor(COLOR_BTNFACE))
{
    m_frame.firstHelpTitle = IDS_TITLE_SPLASH;
    m_frame.firstHelpText = IDS_HELP_SPLASH;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_SPLASH_IMAGE, IDS_HELP_SPLASH_IMAGE},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_SPLASH_SOUND, IDS_HELP_SPLASH_SOUND},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_BACKGROUND, IDS_HELP_BACKGROUND}};
}

CSplashSettingsDlg::~CSplashSettingsDlg() = default;

void CSplashSettingsDlg::CopyFrom(const CProjectData& project, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_image = project.SplashImage;
    m_sound = project.SplashSound;
    if (!project.SplashDuration.IsEmpty())
        m_duration = project.SplashDuration;
    m_showBackground = project.SplashBackground;
    m_backgroundColour = project.SplashColour;
}

void CSplashSettingsDlg::WriteBack(CProjectData& project) const
{
    project.SplashImage = m_image;
    project.SplashDuration = m_duration;
    project.SplashSound = m_sound;
    project.SplashBackground = m_showBackground;
    project.SplashColour = m_backgroundColour;
}

INT_PTR CSplashSettingsDlg::Edit(CProjectData& project, const CString& baseFolder, CWnd* parent)
{
    CSplashSettingsDlg dialog(parent);
    dialog.CopyFrom(project, baseFolder);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(project);
    return result;
}

void CSplashSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPLASH_IMAGE, m_image);
    DDX_Text(pDX, IDC_SPLASH_SOUND, m_sound);
    DDX_Text(pDX, IDC_SPLASH_DURATION, m_duration);
    DDX_Check(pDX, IDC_SPLASH_BACKGROUND, m_showBackground);
}

BOOL CSplashSettingsDlg::OnInitDialog()
{
    CSettingsDlg::OnInitDialog();
    SetUpHoverButton(m_browseImage, IDC_SPLASH_BROWSE_IMAGE, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_SPLASH_IMAGE);
    SetUpHoverButton(m_browseSound, IDC_SPLASH_BROWSE_SOUND, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_SPLASH_SOUND);
    SetUpHoverButton(m_clearSound, IDC_SPLASH_CLEAR_SOUND, IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_CLEAR_SOUND);
    m_swatch.SubclassDlgItem(IDC_SPLASH_SWATCH, this);
    m_swatch.SetStyle(CMenuButton::StyleSwatch);
    m_swatch.SetColor(m_backgroundColour);
    EnableControls({IDC_SPLASH_SWATCH}, m_showBackground != 0);
    return TRUE;
}

void CSplashSettingsDlg::ApplyEnableRules()
{
    PullControls();
    EnableControls({IDC_SPLASH_SWATCH}, m_showBackground != 0);
}

void CSplashSettingsDlg::OnBackground() { ApplyEnableRules(); }

void CSplashSettingsDlg::OnBrowseImage()
{
    if (BrowseInBaseFolder("Select an Image file for your Splash Screen",
                           "All Image Files|*.bmp; *.gif; *.jpeg; *.jpg; *.pcx; *.pgm; *.pict; *.psd; *.tga; *.tiff; "
                           "*.wmf|BMP Files|*.bmp|GIF Files|*.gif|JPEG Files|*.jpeg; *.jpg|PCX Files|*.pcx|PGM "
                           "Files|*.pgm|PICT Files|*.pict|PSD Files|*.psd|TGA Files|*.tga|TIFF Files|*.tiff|WMF "
                           "Files|*.wmf||",
                           m_image) != BrowseCancelled)
        PushControls();
}

void CSplashSettingsDlg::OnBrowseSound()
{
    if (BrowseInBaseFolder("Please select your WAV or MP3 file", "Wave Files (*.wav), MP3 files (*.mp3)|*.wav; *.mp3||",
                           m_sound) != BrowseCancelled)
        PushControls();
}

void CSplashSettingsDlg::OnClearSound()
{
    m_sound.Empty();
    PushControls();
}

void CSplashSettingsDlg::OnSwatch()
{
    CColorDialog dialog(m_backgroundColour, CC_FULLOPEN | CC_RGBINIT, this);
    dialog.DoModal();
    m_backgroundColour = dialog.GetColor();
    m_swatch.SetColor(m_backgroundColour);
}

// The splash as the player would show it, in test mode. The dialog keeps the viewer: its
// picture window must outlive this click, and the next Test or the dialog's end frees it.
void CSplashSettingsDlg::OnTest()
{
    PullControls();
    m_testSplash.reset();
    m_testSplash = std::make_unique<CImageViewer>();
    CImageViewer& splash = *m_testSplash;
    splash.SetProgramDirectory(m_programDirectory);
    splash.SetImageFilename(m_image);
    splash.SetSoundFilename(m_sound);
    splash.SetDuration(std::atoi(m_duration));
    splash.SetShowBackground(m_showBackground);
    splash.SetBackgroundColor(m_backgroundColour);
    splash.SetTestMode(true);
    splash.Init();
    splash.Launch();
    splash.Show();
}

void CSplashSettingsDlg::OnDestroy()
{
    m_testSplash.reset();
    CSettingsDlg::OnDestroy();
}
