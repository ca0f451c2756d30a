#include "CViewerSettingsDlg.h"

#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CommandLineText.h"
#include "DDX.h"

BEGIN_MESSAGE_MAP(CViewerSettingsDlg, CSettingsDlg)
    ON_BN_CLICKED(IDC_TRY_AND_FORCE, &CViewerSettingsDlg::OnTryAndForce)
    ON_BN_CLICKED(IDC_TEST, &CViewerSettingsDlg::OnTest)
END_MESSAGE_MAP()

CViewerSettingsDlg::CViewerSettingsDlg(CWnd* parent) : CSettingsDlg(IDD, parent)
{
    m_frame.captionPrefix = "Viewer Settings for ";
    m_frame.firstHelpTitle = IDS_TITLE_VIEWER_SETTINGS;
    m_frame.firstHelpText = IDS_HELP_VIEWER_SETTINGS;
    m_frame.helpButtons = {{IDC_SETTINGS_HELP_1, IDS_TITLE_WINDOW_STATE, IDS_HELP_WINDOW_STATE},
                           {IDC_SETTINGS_HELP_2, IDS_TITLE_TRY_AND_FORCE, IDS_HELP_TRY_AND_FORCE}};
}

void CViewerSettingsDlg::CopyFrom(const CViewer& viewer, const CString& baseFolder)
{
    m_programDirectory = baseFolder;
    m_targetFilename = viewer.GetTargetFilename();
    m_viewerType = viewer.GetViewerType();
    m_windowState = viewer.GetWindowShowCmdWindow();
    m_tryAndForce = viewer.GetTryAndForce();
    m_forceProgram1 = viewer.GetForceString1();
    m_forceProgram2 = viewer.GetForceString2();
}

void CViewerSettingsDlg::WriteBack(CViewer& viewer) const
{
    viewer.SetWindowShowCmdWindow(m_windowState);
    viewer.SetTryAndForce(m_tryAndForce);
    viewer.SetForceString1(m_forceProgram1);
    viewer.SetForceString2(m_forceProgram2);
}

INT_PTR CViewerSettingsDlg::Edit(CViewer& viewer, const CString& baseFolder, CWnd* parent)
{
    CViewerSettingsDlg dialog(parent);
    dialog.CopyFrom(viewer, baseFolder);
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        dialog.WriteBack(viewer);
    return result;
}

void CViewerSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CSettingsDlg::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_WINDOW_STATE, m_windowState);
    DDX_Check(pDX, IDC_TRY_AND_FORCE, m_tryAndForce);
    DDX_Text(pDX, IDC_FORCE_PROGRAM_1, m_forceProgram1);
    DDX_Text(pDX, IDC_FORCE_PROGRAM_2, m_forceProgram2);
}

BOOL CViewerSettingsDlg::OnInitDialog()
{
    // The list's items come before the frame's first exchange selects one of them.
    for (const char* state : {"Normal", "Maximized", "Minimized"})
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_STATE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state));
    return CSettingsDlg::OnInitDialog();
}

void CViewerSettingsDlg::ApplyEnableRules()
{
    EnableControls({IDC_FORCE_PROGRAM_1, IDC_FORCE_PROGRAM_2, IDC_LABEL_PROGRAM_1, IDC_LABEL_PROGRAM_2},
                   IsChecked(IDC_TRY_AND_FORCE));
}

void CViewerSettingsDlg::OnTryAndForce()
{
    PullControls();
    ApplyEnableRules();
}

// The target launched with the window state and forced programs on screen, never with
// the target's own parameters or failsafe settings.
void CViewerSettingsDlg::OnTest()
{
    PullControls();
    if (m_viewerType == CViewer::TypeFolder) {
        CFolderViewer viewer;
        viewer.SetTargetFilename(m_targetFilename);
        viewer.SetTestMode(true);
        viewer.Init();
        viewer.Launch();
        viewer.Show();
        return;
    }
    CFileViewer viewer;
    viewer.SetTargetFilename(m_targetFilename);
    viewer.SetProgramDirectory(m_programDirectory);
    viewer.SetViewerType(CViewer::TypeFile);
    viewer.SetParameters(WithWindowState(CString(), m_windowState));
    viewer.SetTryAndForce(m_tryAndForce);
    viewer.SetForceString1(m_forceProgram1);
    viewer.SetForceString2(m_forceProgram2);
    viewer.SetTestMode(true);
    viewer.Init();
    viewer.Launch();
    viewer.Show();
}
