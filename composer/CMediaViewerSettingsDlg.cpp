#include "CMediaViewerSettingsDlg.h"

#include "CColorDialog.h"
#include "CMediaViewer.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"

BEGIN_MESSAGE_MAP(CMediaViewerSettingsDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_MD_SHOW_BORDER, &CMediaViewerSettingsDlg::OnRuleChange)
    ON_BN_CLICKED(IDC_MD_SHOW_CONTROLS, &CMediaViewerSettingsDlg::OnRuleChange)
    ON_CBN_SELCHANGE(IDC_WINDOW_SIZE, &CMediaViewerSettingsDlg::OnRuleChange)
    ON_BN_CLICKED(IDC_SWATCH, &CMediaViewerSettingsDlg::OnSwatch)
    ON_BN_CLICKED(IDC_TEST, &CMediaViewerSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMediaViewerSettingsDlg::CMediaViewerSettingsDlg(CWnd* parent)
    : CSettingsDlg(IDD, parent), m_testViewer(new CMediaViewer)
{
    m_frame.captionPrefix = "Media Viewer Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_MEDIA_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_MEDIA_SETTINGS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_MEDIA_PLAY, IDS_HELP_MEDIA_PLAY},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_MEDIA_SIZE, IDS_HELP_MEDIA_SIZE},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_MEDIA_DISPLAY, IDS_HELP_MEDIA_DISPLAY},
                           {IDC_SETTINGS_HELP_4, IDS_TITLE_MEDIA_BORDER, IDS_HELP_MEDIA_BORDER}};
}

CMediaViewerSettingsDlg::~CMediaViewerSettingsDlg() = default;

void CMediaViewerSettingsDlg::CopyFrom(const CMediaViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_autoStart = viewer.GetAutoStartPlaying();
    m_repeat = viewer.GetRepeat();
    m_closeAfterFinished = viewer.GetCloseAfterFinished();
    m_closeButton = viewer.GetTitleBar();
    m_windowSize = static_cast<int>(viewer.GetWindowSize());
    m_width = viewer.GetCustomMediaWidth();
    m_height = viewer.GetCustomMediaHeight();
    m_showControls = viewer.GetShowControls();
    m_showTracker = viewer.GetShowTracker();
    m_showBorder = viewer.GetShowBorder();
    m_borderWidth = viewer.GetBorderWidth();
    m_borderColor = viewer.GetBorderColor();
}

void CMediaViewerSettingsDlg::WriteBack(CMediaViewer& viewer) const
{
    viewer.SetViewerType(CViewer::TypeMedia);
    Apply(viewer);
}

void CMediaViewerSettingsDlg::Apply(CMediaViewer& viewer) const
{
    viewer.SetAutoStartPlaying(m_autoStart);
    viewer.SetRepeat(m_repeat);
    viewer.SetCloseAfterFinished(m_closeAfterFinished);
    viewer.SetTitleBar(m_closeButton);
    viewer.SetWindowSize(static_cast<unsigned>(m_windowSize));
    viewer.SetCustomMediaWidth(m_width);
    viewer.SetCustomMediaHeight(m_height);
    viewer.SetShowControls(m_showControls);
    viewer.SetShowTracker(m_showTracker);
    viewer.SetShowBorder(m_showBorder);
    viewer.SetBorderWidth(m_borderWidth);
    viewer.SetBorderColor(m_borderColor);
}

INT_PTR CMediaViewerSettingsDlg::Edit(CMediaViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    return EditInDialog<CMediaViewerSettingsDlg>(viewer, baseFolder, parent);
}

void CMediaViewerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MD_AUTO_START, m_autoStart);
    DDX_Check(pDX, IDC_MD_REPEAT, m_repeat);
    DDX_Check(pDX, IDC_MD_CLOSE_AFTER_FINISHED, m_closeAfterFinished);
    DDX_Check(pDX, IDC_MD_SHOW_CONTROLS, m_showControls);
    DDX_CBIndex(pDX, IDC_WINDOW_SIZE, m_windowSize);
    DDX_Text(pDX, IDC_MD_BORDER_WIDTH, m_borderWidth);
    DDX_Text(pDX, IDC_CUSTOM_WIDTH, m_width);
    DDX_Text(pDX, IDC_CUSTOM_HEIGHT, m_height);
    DDX_Check(pDX, IDC_MD_CLOSE_BUTTON, m_closeButton);
    DDX_Check(pDX, IDC_MD_SHOW_BORDER, m_showBorder);
    DDX_Check(pDX, IDC_MD_SHOW_TRACKER, m_showTracker);
}

BOOL CMediaViewerSettingsDlg::OnInitDialog()
{
    if (!m_testViewer)
        m_testViewer.reset(new CMediaViewer);
    for (const char* size : {"Default (Video Size)", "Full Screen", "Custom Size"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    m_swatch.SubclassDlgItem(IDC_SWATCH, this);
    m_swatch.SetStyle(CMenuButton::StyleSwatch);
    m_swatch.SetColor(m_borderColor);
    return CSettingsDlg::OnInitDialog();
}

void CMediaViewerSettingsDlg::ApplyEnableRules()
{
    EnableControls({IDC_MD_BORDER_WIDTH, IDC_MD_WIDTH_LABEL, IDC_SWATCH}, IsChecked(IDC_MD_SHOW_BORDER));
    EnableControls({IDC_MD_SHOW_TRACKER}, IsChecked(IDC_MD_SHOW_CONTROLS));
    const int size = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_GETCURSEL, 0, 0));
    EnableControls({IDC_CUSTOM_WIDTH, IDC_CUSTOM_HEIGHT, IDC_SIZE_X_LABEL, IDC_SIZE_PIXELS_LABEL}, size == SizeCustom);
}

void CMediaViewerSettingsDlg::OnRuleChange()
{
    PullControls();
    ApplyEnableRules();
}

void CMediaViewerSettingsDlg::OnSwatch()
{
    CColorDialog dialog(m_borderColor, CC_FULLOPEN | CC_RGBINIT, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_borderColor = dialog.GetColor();
    m_swatch.SetColor(m_borderColor);
}

// One test viewer for every Test while the dialog is open.
void CMediaViewerSettingsDlg::OnTest()
{
    PullControls();
    CMediaViewer& viewer = *m_testViewer;
    viewer.SetProgramDirectory(m_programDirectory);
    viewer.SetTargetFilename(m_targetFilename);
    Apply(viewer);
    ShowInTestMode(viewer);
}

// A test window still open goes with the dialog.
void CMediaViewerSettingsDlg::OnDestroy()
{
    m_testViewer.reset();
    CSettingsDlg::OnDestroy();
}
