#include "CFlashViewerSettingsDlg.h"

#include "CFlashViewer.h"
#include "DDX.h"
#include "SettingsDialogOpener.h"

BEGIN_MESSAGE_MAP(CFlashViewerSettingsDlg, CSettingsDlg)
    ON_CBN_SELCHANGE(IDC_WINDOW_SIZE, &CFlashViewerSettingsDlg::OnWindowSize)
    ON_BN_CLICKED(IDC_TEST, &CFlashViewerSettingsDlg::OnTest)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFlashViewerSettingsDlg::CFlashViewerSettingsDlg(CWnd* parent)
    : CSettingsDlg(IDD, parent), m_testViewer(new CFlashViewer)
{
    m_frame.captionPrefix = "Flash Viewer Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_FLASH_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_FLASH_SETTINGS;
    m_frame.helpPanelId = IDC_FL_HELP_PANEL;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_FLASH_PLAY, IDS_HELP_FLASH_PLAY},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_FLASH_SIZE, IDS_HELP_FLASH_SIZE},
                           {IDC_SETTINGS_HELP_3, IDS_TITLE_FLASH_MENU, IDS_HELP_FLASH_MENU}};
}

CFlashViewerSettingsDlg::~CFlashViewerSettingsDlg() = default;

void CFlashViewerSettingsDlg::CopyFrom(const CFlashViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_startPlaying = viewer.GetStartPlaying();
    m_loop = viewer.GetLoopAnimation();
    m_closeAfterFinished = viewer.GetCloseFlashAfterFinished();
    m_closeButton = viewer.GetShowTitleBar();
    m_windowSize = static_cast<int>(viewer.GetFlashWindowSize());
    m_width = viewer.GetCustomFlashWidth();
    m_height = viewer.GetCustomFlashHeight();
    m_rightClickMenu = viewer.GetShowRightClickMenu();
}

void CFlashViewerSettingsDlg::WriteBack(CFlashViewer& viewer) const
{
    viewer.SetViewerType(CViewer::TypeFlash);
    Apply(viewer);
}

void CFlashViewerSettingsDlg::Apply(CFlashViewer& viewer) const
{
    viewer.SetStartPlaying(m_startPlaying);
    viewer.SetLoopAnimation(m_loop);
    viewer.SetCloseFlashAfterFinished(m_closeAfterFinished);
    viewer.SetShowTitleBar(m_closeButton);
    viewer.SetFlashWindowSize(static_cast<unsigned>(m_windowSize));
    viewer.SetCustomFlashWidth(m_width);
    viewer.SetCustomFlashHeight(m_height);
    viewer.SetShowRightClickMenu(m_rightClickMenu);
}

INT_PTR CFlashViewerSettingsDlg::Edit(CFlashViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    return EditInDialog<CFlashViewerSettingsDlg>(viewer, baseFolder, parent);
}

void CFlashViewerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_FL_START_PLAYING, m_startPlaying);
    DDX_Check(pDX, IDC_FL_LOOP, m_loop);
    DDX_Check(pDX, IDC_FL_CLOSE_AFTER_FINISHED, m_closeAfterFinished);
    DDX_Check(pDX, IDC_FL_CLOSE_BUTTON, m_closeButton);
    DDX_CBIndex(pDX, IDC_WINDOW_SIZE, m_windowSize);
    DDX_Text(pDX, IDC_CUSTOM_WIDTH, m_width);
    DDX_Text(pDX, IDC_CUSTOM_HEIGHT, m_height);
    DDX_Check(pDX, IDC_FL_RIGHT_CLICK_MENU, m_rightClickMenu);
}

BOOL CFlashViewerSettingsDlg::OnInitDialog()
{
    if (!m_testViewer)
        m_testViewer.reset(new CFlashViewer);
    for (const char* size : {"Custom Size", "Full Screen"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    return CSettingsDlg::OnInitDialog();
}

void CFlashViewerSettingsDlg::ApplyEnableRules()
{
    const int size = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_SIZE, CB_GETCURSEL, 0, 0));
    EnableControls({IDC_CUSTOM_WIDTH, IDC_CUSTOM_HEIGHT, IDC_SIZE_X_LABEL, IDC_SIZE_PIXELS_LABEL}, size == SizeCustom);
}

void CFlashViewerSettingsDlg::OnWindowSize()
{
    PullControls();
    ApplyEnableRules();
}

// One test viewer for every Test while the dialog is open.
void CFlashViewerSettingsDlg::OnTest()
{
    PullControls();
    CFlashViewer& viewer = *m_testViewer;
    viewer.SetProgramDirectory(m_programDirectory);
    viewer.SetTargetFilename(m_targetFilename);
    Apply(viewer);
    ShowInTestMode(viewer);
}

// A test window still open goes with the dialog.
void CFlashViewerSettingsDlg::OnDestroy()
{
    m_testViewer.reset();
    CSettingsDlg::OnDestroy();
}
