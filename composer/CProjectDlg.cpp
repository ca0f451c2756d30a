#include "CProjectDlg.h"

#include "CNewProjectWizard.h"

#include "AfxOle.h"
#include "CAboutDlg.h"
#include "CAutoPlayCheck.h"
#include "CAutoPlayCheckDlg.h"
#include "CAutorunInf.h"
#include "CCmdUI.h"
#include "BaseFolderPath.h"
#include "CAdditionalViewersDlg.h"
#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CFolderDialog.h"
#include "CSplashSettingsDlg.h"
#include "CTargetFilesDlg.h"
#include "TidyAdditionalViewers.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CPlayerSetCopier.h"
#include "CUsingInfoDlg.h"
#include "CWinApp.h"
#include "DDX.h"
#include "ProcessWindows.h"
#include "ViewerFactory.h"
#include "ViewerMessages.h"

#include <shellapi.h>

namespace {

// The help buttons with the title and text each shows.
struct HelpEntry {
    UINT button, title, text;
};
const HelpEntry kHelpEntries[CProjectDlg::HelpButtonCount] = {
    {IDC_HELP_BASE, IDS_TITLE_BASE, IDS_HELP_BASE},
    {IDC_HELP_TARGETS, IDS_TITLE_TARGETS, IDS_HELP_TARGETS},
    {IDC_HELP_ICON, IDS_TITLE_ICON, IDS_HELP_ICON},
    {IDC_HELP_MUSIC, IDS_TITLE_MUSIC, IDS_HELP_MUSIC},
    {IDC_HELP_PRELOAD, IDS_TITLE_PRELOAD, IDS_HELP_PRELOAD},
    {IDC_HELP_HIDE, IDS_TITLE_HIDE, IDS_HELP_HIDE},
    {IDC_HELP_SPLASH, IDS_TITLE_SPLASH, IDS_HELP_SPLASH},
    {IDC_HELP_WAIT, IDS_TITLE_WAIT, IDS_HELP_WAIT},
    {IDC_HELP_VIEWERS, IDS_TITLE_VIEWERS, IDS_HELP_VIEWERS},
};

// The controls the enable rules switch, beside the ones with conditions of their own.
const UINT kProjectControls[] = {IDC_LABEL_TARGETS, IDC_TARGET_SUMMARY, IDC_BROWSE_TARGETS, IDC_LABEL_ICON,
                                 IDC_ICON_PICTURE,  IDC_CD_ICON,        IDC_BROWSE_ICON,    IDC_WAIT_TARGETS,
                                 IDC_PRELOAD,       IDC_MUSIC,          IDC_HIDE_PLAYER,    IDC_SPLASH,
                                 IDC_VIEWER_CHECKING};

const char kDataFileName[] = "velmora.dat";
const char kPlayerName[] = "Velmora.exe";
const char kFlashInstaller[] = "flash.msi";

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString FormatText(UINT id, const char* first, const char* second = nullptr)
{
    CString text;
    text.Format(LoadText(id), first, second ? second : first);
    return text;
}

CString ModuleFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\') + 1);
}

CString CurrentDirectory()
{
    char path[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

// Open's reader: each target a child window of the main dialog with its slot as id, the
// dialog as owner, its type and the base folder set before its record is read. No Init.
class DialogBinder : public CProjectTargetBinder {
public:
    DialogBinder(CWnd* owner, const CString& folder) : m_owner(owner), m_folder(folder) {}
    CViewer* NewTarget(int type, int index, const CProjectData& project) override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        return PrepareViewer(type, m_owner, index, temp, m_folder, project.ProjectKey);
    }

private:
    CWnd* m_owner;
    CString m_folder;
};

}  // namespace

BEGIN_MESSAGE_MAP(CProjectDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SYSCOMMAND()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(IDC_EXIT, &CProjectDlg::OnExit)
    ON_COMMAND(IDC_TEST, &CProjectDlg::OnTest)
    ON_COMMAND(ID_CREATE, &CProjectDlg::OnCreate)
    ON_COMMAND(ID_TEST, &CProjectDlg::OnTest)
    ON_COMMAND(ID_OPEN_PROJECT, &CProjectDlg::OnOpenProject)
    ON_COMMAND(ID_CLEAR_ALL, &CProjectDlg::OnClearAll)
    ON_COMMAND(ID_SINGLE_INSTANCE, &CProjectDlg::OnSingleInstance)
    ON_COMMAND(ID_REPEAT, &CProjectDlg::OnRepeat)
    ON_COMMAND(ID_DEBUG_MODE, &CProjectDlg::OnDebugMode)
    ON_COMMAND(ID_CHECK_AUTOPLAY, &CProjectDlg::OnCheckAutoPlay)
    ON_COMMAND(ID_USING_INFO, &CProjectDlg::OnUsingInfo)
    ON_COMMAND(ID_MANUAL, &CProjectDlg::OnManual)
    ON_COMMAND(IDM_ABOUTBOX, &CProjectDlg::OnAbout)
    ON_COMMAND_RANGE(IDC_HELP_BASE, IDC_HELP_HIDE, &CProjectDlg::OnHelpButton)
    ON_COMMAND_RANGE(IDC_HELP_SPLASH, IDC_HELP_VIEWERS, &CProjectDlg::OnHelpButton)
    ON_COMMAND_RANGE(IDC_HELP_WAIT, IDC_HELP_WAIT, &CProjectDlg::OnHelpButton)
    ON_BN_CLICKED(IDC_HIDE_PLAYER, &CProjectDlg::OnOptionChanged)
    ON_BN_CLICKED(IDC_WAIT_TARGETS, &CProjectDlg::OnOptionChanged)
    ON_BN_CLICKED(IDC_BROWSE_BASE, &CProjectDlg::OnBrowseBase)
    ON_BN_CLICKED(IDC_BROWSE_TARGETS, &CProjectDlg::OnBrowseTargets)
    ON_BN_CLICKED(IDC_WIZARD_NEW, &CProjectDlg::OnWizardNew)
    ON_BN_CLICKED(IDC_WIZARD_FAILSAFE, &CProjectDlg::OnWizardFailsafe)
    ON_COMMAND(ID_WIZARD_NEW, &CProjectDlg::OnWizardNew)
    ON_COMMAND(ID_WIZARD_FAILSAFE, &CProjectDlg::OnWizardFailsafe)
    ON_BN_CLICKED(IDC_BROWSE_ICON, &CProjectDlg::OnBrowseIcon)
    ON_BN_CLICKED(IDC_CLEAR_ICON, &CProjectDlg::OnClearIcon)
    ON_BN_CLICKED(IDC_PRELOAD, &CProjectDlg::OnPreload)
    ON_BN_CLICKED(IDC_PRELOAD_COLOUR, &CProjectDlg::OnPreloadColour)
    ON_BN_CLICKED(IDC_SPLASH, &CProjectDlg::OnSplash)
    ON_BN_CLICKED(IDC_SPLASH_SETTINGS, &CProjectDlg::OnSplashSettings)
    ON_BN_CLICKED(IDC_CLEAR_SPLASH, &CProjectDlg::OnClearSplash)
    ON_BN_CLICKED(IDC_VIEWER_CHECKING, &CProjectDlg::OnViewerChecking)
    ON_BN_CLICKED(IDC_VIEWER_SETTINGS, &CProjectDlg::OnViewerSettings)
    ON_BN_CLICKED(IDC_CLEAR_VIEWERS, &CProjectDlg::OnClearViewers)
    ON_BN_CLICKED(IDC_MUSIC, &CProjectDlg::OnMusic)
    ON_BN_CLICKED(IDC_BROWSE_MUSIC, &CProjectDlg::OnBrowseMusic)
    ON_BN_CLICKED(IDC_CLEAR_MUSIC, &CProjectDlg::OnClearMusic)
    ON_UPDATE_COMMAND_UI(ID_CREATE, &CProjectDlg::OnUpdateCreate)
    ON_UPDATE_COMMAND_UI(ID_TEST, &CProjectDlg::OnUpdateTest)
    ON_UPDATE_COMMAND_UI(ID_SINGLE_INSTANCE, &CProjectDlg::OnUpdateSingleInstance)
    ON_UPDATE_COMMAND_UI(ID_REPEAT, &CProjectDlg::OnUpdateRepeat)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_MODE, &CProjectDlg::OnUpdateDebugMode)
END_MESSAGE_MAP()

CProjectDlg::CProjectDlg(CWnd* pParent) : CDialog(IDD, pParent), m_project(new CProjectData) {}

CProjectDlg::~CProjectDlg()
{
    if (m_cdIconShown)
        ::DestroyIcon(m_cdIconShown);
}

void CProjectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BASE_FOLDER, m_baseFolder);
    DDX_Text(pDX, IDC_TARGET_SUMMARY, m_targetSummary);
    DDX_Text(pDX, IDC_CD_ICON, m_cdIcon);
    DDX_Text(pDX, IDC_MUSIC_FILE, m_project->MusicFile);
    DDX_Check(pDX, IDC_HIDE_PLAYER, m_project->HidePlayer);
    DDX_Check(pDX, IDC_SPLASH, m_project->Splash);
    DDX_Check(pDX, IDC_WAIT_TARGETS, m_project->WaitForEachTarget);
    DDX_Check(pDX, IDC_VIEWER_CHECKING, m_project->AdditionalViewerChecking);
    DDX_Check(pDX, IDC_PRELOAD, m_project->PreloadTargets);
    DDX_Check(pDX, IDC_MUSIC, m_project->BackgroundMusic);
}

// ---------------------------------------------------------------------------------------
// Start-up and look

BOOL CProjectDlg::OnInitDialog()
{
    AfxEnableControlContainer();
    CDialog::OnInitDialog();
    ResetProject();

    if (CMenu* system = GetSystemMenu(FALSE)) {
        const CString about = LoadText(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            system->AppendMenu(MF_SEPARATOR);
            system->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    m_programIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(m_programIcon, TRUE);
    SetIcon(m_programIcon, FALSE);
    m_headerIcon = AfxGetApp()->LoadIcon(IDI_HELP);
    m_warningIcon = AfxGetApp()->LoadIcon(IDI_HELP_WARNING);
    m_defaultCdIcon = AfxGetApp()->LoadIcon(IDI_DEFAULT_CD);

    SetUpControls();
    LayOutHelpPanel();

    m_startupDirectory = CurrentDirectory();
    m_programFolder = ModuleFolder();

    EnableControls(FALSE);
    ShowHelp(IDS_TITLE_VELMORA, IDS_WELCOME, FALSE);
    m_project->ProjectKey = CProjectData::NewProjectKey();
    m_startupTimer = SetTimer(StartupTimer, StartupDelay);
    return TRUE;
}

void CProjectDlg::SetUpControls()
{
    m_required.SubclassDlgItem(IDC_SEPARATOR_REQUIRED, this);
    m_optional.SubclassDlgItem(IDC_SEPARATOR_OPTIONAL, this);
    m_helpSeparator.SubclassDlgItem(IDC_SEPARATOR_HELP, this);
    m_cdIconStatic.SubclassDlgItem(IDC_ICON_PICTURE, this);
    for (int i = 0; i < HelpButtonCount; ++i) {
        m_helpButtons[i].SubclassDlgItem(kHelpEntries[i].button, this);
        m_helpButtons[i].SetIcon(IDI_HELP, IDI_HELP_HOT);
    }
    struct Hover {
        CHoverButton& button;
        UINT id, iconIn, iconOut, tip;
    } hovers[] = {
        {m_browseBase, IDC_BROWSE_BASE, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_BASE},
        {m_browseTargets, IDC_BROWSE_TARGETS, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_TARGETS},
        {m_browseIcon, IDC_BROWSE_ICON, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_ICON},
        {m_clearIcon, IDC_CLEAR_ICON, IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_CLEAR_ICON},
        {m_browseMusic, IDC_BROWSE_MUSIC, IDI_BROWSE, IDI_BROWSE_HOT, IDS_TIP_MUSIC},
        {m_clearMusic, IDC_CLEAR_MUSIC, IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_CLEAR_MUSIC},
        {m_splashSettings, IDC_SPLASH_SETTINGS, IDI_SETTINGS, IDI_SETTINGS_HOT, IDS_TIP_SPLASH},
        {m_clearSplash, IDC_CLEAR_SPLASH, IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_CLEAR_SPLASH},
        {m_viewerSettings, IDC_VIEWER_SETTINGS, IDI_SETTINGS, IDI_SETTINGS_HOT, IDS_TIP_VIEWERS},
        {m_clearViewers, IDC_CLEAR_VIEWERS, IDI_CLEAR, IDI_CLEAR_HOT, IDS_TIP_CLEAR_VIEWERS},
        {m_wizardNew, IDC_WIZARD_NEW, IDI_WIZARD, 0, IDS_TIP_WIZARD_NEW},
        {m_wizardFailsafe, IDC_WIZARD_FAILSAFE, IDI_WIZARD_FAILSAFE, 0, IDS_TIP_WIZARD_FAILSAFE},
    };
    for (Hover& h : hovers) {
        h.button.SubclassDlgItem(h.id, this);
        h.button.SetIcon(static_cast<int>(h.iconIn), static_cast<int>(h.iconOut));
        h.button.SetTooltipText(static_cast<int>(h.tip));
    }
    CMenuButton* framed[] = {&m_exit, &m_create, &m_test};
    const UINT framedIds[] = {IDC_EXIT, IDC_CREATE, IDC_TEST};
    for (int i = 0; i < 3; ++i) {
        framed[i]->SubclassDlgItem(framedIds[i], this);
        framed[i]->SetStyle(CMenuButton::StyleFramed);
    }
    m_preloadColour.SubclassDlgItem(IDC_PRELOAD_COLOUR, this);
    m_preloadColour.SetStyle(CMenuButton::StyleSwatch);
    m_preloadColour.SetColor(m_project->PreloadColour);
}

// The header band runs from 10 pixels right of separator 1023 to the right edge of Test,
// 32 pixels high; the panel fills the rest down to 8 pixels above Exit.
void CProjectDlg::LayOutHelpPanel()
{
    RECT separator, test, exitButton, picture;
    GetDlgItem(IDC_SEPARATOR_HELP)->GetWindowRect(&separator);
    m_test.GetWindowRect(&test);
    m_exit.GetWindowRect(&exitButton);
    GetDlgItem(IDC_PICTURE)->GetWindowRect(&picture);
    ScreenToClient(&separator);
    ScreenToClient(&test);
    ScreenToClient(&exitButton);
    ScreenToClient(&picture);
    m_band = {separator.right + 10, separator.top, test.right, separator.top + 32};
    const RECT panel = {m_band.left, m_band.bottom, m_band.right, exitButton.top - 8};
    m_helpPanel.Create(WS_EX_CLIENTEDGE, panel, this, IDC_HELP_PANEL, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                       CCorvEdit::CaptionLook);
    m_etchedLine = {picture.left / 2, picture.top - 10, m_band.right, picture.top - 8};
}

void CProjectDlg::OnPaint()
{
    CPaintDC dc(this);
    if (IsIconic()) {
        RECT client;
        GetClientRect(&client);
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.GetSafeHdc(), x, y, m_programIcon);
        return;
    }
    HDC hdc = dc.GetSafeHdc();
    HBRUSH band = ::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT));
    ::FillRect(hdc, &m_band, band);
    ::DeleteObject(band);
    ::DrawIcon(hdc, m_band.left, m_band.top, m_helpWarning ? m_warningIcon : m_headerIcon);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_CAPTIONTEXT));
    HGDIOBJ oldFont = ::SelectObject(hdc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    ::TextOutA(hdc, m_band.left + 35, m_band.top + 9, m_helpTitle, m_helpTitle.GetLength());
    ::SelectObject(hdc, oldFont);

    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ oldPen = ::SelectObject(hdc, shadow);
    ::MoveToEx(hdc, m_etchedLine.left, m_etchedLine.top, nullptr);
    ::LineTo(hdc, m_etchedLine.right, m_etchedLine.top);
    ::SelectObject(hdc, light);
    ::MoveToEx(hdc, m_etchedLine.left, m_etchedLine.top + 1, nullptr);
    ::LineTo(hdc, m_etchedLine.right, m_etchedLine.top + 1);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(shadow);
    ::DeleteObject(light);
}

HCURSOR CProjectDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_programIcon); }

void CProjectDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CProjectDlg::OnInitMenuPopup(CMenu* pPopup, UINT, BOOL bSysMenu)
{
    if (!bSysMenu)
        CCmdUI::UpdateMenu(pPopup, this, FALSE);
}

// Esc would arrive as button 2, Create; Enter outside a button as button 1, Exit. Neither
// is what the author meant.
BOOL CProjectDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN)) {
        char className[16] = {};
        HWND focus = ::GetFocus();
        ::GetClassNameA(focus, className, sizeof className);
        const bool onButton = lstrcmpiA(className, "Button") == 0 && ::IsChild(m_hWnd, focus);
        if (pMsg->wParam == VK_ESCAPE || !onButton)
            return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------
// Help panel and enable rules

void CProjectDlg::ShowHelp(UINT titleId, UINT textId, BOOL warning, BOOL append)
{
    const CString text = LoadText(textId);
    if (append) {
        m_helpPanel.SetText(m_helpPanel.GetText() + "\r\n\r\n" + text);
        m_helpWarning = warning;
        RefreshControls();
        InvalidateRect(&m_band, FALSE);
        return;
    }
    ShowHelpText(titleId, text, warning);
}

void CProjectDlg::ShowHelpText(UINT titleId, const CString& text, BOOL warning)
{
    m_helpTitle = LoadText(titleId);
    m_helpPanel.SetText(text);
    m_helpWarning = warning;
    RefreshControls();
    InvalidateRect(&m_band, FALSE);
}

void CProjectDlg::RefreshControls() { UpdateData(FALSE); }

void CProjectDlg::EnableControls(BOOL enable)
{
    for (UINT id : kProjectControls)
        GetDlgItem(id)->EnableWindow(enable);
    const struct {
        UINT id;
        bool on;
        bool keepWhenOff;  // otherwise the control follows its condition
    } conditional[] = {
        {IDC_CLEAR_ICON, !m_cdIcon.IsEmpty(), false},
        {IDC_PRELOAD_LABEL, m_project->PreloadTargets != 0, true},
        {IDC_PRELOAD_COLOUR, m_project->PreloadTargets != 0, true},
        {IDC_BROWSE_MUSIC, m_project->BackgroundMusic != 0, true},
        {IDC_CLEAR_MUSIC, m_project->BackgroundMusic != 0, true},
        {IDC_SPLASH_SETTINGS, m_project->Splash != 0, false},
        {IDC_CLEAR_SPLASH, m_project->Splash != 0, false},
        {IDC_VIEWER_SETTINGS, m_project->AdditionalViewerChecking != 0, false},
        {IDC_CLEAR_VIEWERS, m_project->AdditionalViewerChecking != 0, false},
        {IDC_CREATE, !m_targetSummary.IsEmpty(), false},
    };
    for (const auto& c : conditional) {
        if (!enable)
            Control(c.id)->EnableWindow(FALSE);
        else if (c.on || !c.keepWhenOff)
            Control(c.id)->EnableWindow(c.on);
    }
    if (!enable)
        SetTestEnabled(false);
}

void CProjectDlg::SetTestEnabled(bool enabled) { m_test.EnableWindow(enabled); }

// The target viewers are child windows with their slots 0 to 9 as ids: buttons 1 to 3 are
// reached through their objects.
CWnd* CProjectDlg::Control(UINT id)
{
    switch (id) {
    case IDC_EXIT:
        return &m_exit;
    case IDC_CREATE:
        return &m_create;
    case IDC_TEST:
        return &m_test;
    default:
        return GetDlgItem(static_cast<int>(id));
    }
}

bool CProjectDlg::IsVersionAtLeast(int major, int minor, int build) const
{
    return m_project->IsVersionAtLeast(major, minor, build);
}

void CProjectDlg::OnHelpButton(UINT nID)
{
    for (const HelpEntry& entry : kHelpEntries)
        if (entry.button == nID)
            ShowHelp(entry.title, entry.text, FALSE);
}

// A check box changed: the project takes it in, the dependent controls follow, and Test
// waits for the next Create.
void CProjectDlg::OnOptionChanged()
{
    UpdateData(TRUE);
    EnableControls(TRUE);
    SetTestEnabled(false);
}

// ---------------------------------------------------------------------------------------
// The project's options

void CProjectDlg::EnableTargetChoiceOnly()
{
    EnableControls(FALSE);
    for (UINT id : {IDC_BROWSE_TARGETS, IDC_TARGET_SUMMARY, IDC_LABEL_TARGETS})
        GetDlgItem(static_cast<int>(id))->EnableWindow(TRUE);
}

void CProjectDlg::EnablePair(UINT first, UINT second, bool enable)
{
    GetDlgItem(static_cast<int>(first))->EnableWindow(enable);
    GetDlgItem(static_cast<int>(second))->EnableWindow(enable);
}

CString CProjectDlg::ChooseFile(const char* title, const char* filter, const char* defaultExtension)
{
    CFileDialog dialog(TRUE, defaultExtension, nullptr,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_LONGNAMES | OFN_HIDEREADONLY,
                       filter, this);
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = m_baseFolder;
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

// A new base folder starts a new project: targets and options chosen for another folder
// would point into it.
void CProjectDlg::OnBrowseBase()
{
    CFolderDialog dialog(LoadText(IDS_BROWSE_BASE_TITLE), nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    ResetProject();
    m_baseFolder = dialog.GetFolderPath();
    ShowHelp(IDS_TITLE_VELMORA, IDS_NEXT_TARGETS, FALSE);
    ShowCdIcon();
    EnableTargetChoiceOnly();
}

void CProjectDlg::OnBrowseTargets()
{
    UpdateData(TRUE);
    const INT_PTR result = CTargetFilesDlg::Edit(*m_project, m_baseFolder, this);
    if (result == IDOK) {
        RebuildTargetSummary();
        ShowHelp(IDS_TITLE_VELMORA, m_cdIcon.IsEmpty() ? IDS_NEXT_OPTIONS : IDS_NEXT_OPTIONS_ICON, FALSE);
        EnableControls(TRUE);
    }
    if (m_project->GetTargetCount() == 0)
        EnableTargetChoiceOnly();
    SetTestEnabled(false);
}

void CProjectDlg::OnBrowseIcon()
{
    const CString path =
        ChooseFile("Select your Icon", "Program or Icon Files (*.ico; *.exe)|*.ico; *.exe||", "ico");
    const int dot = path.ReverseFind('.');
    const CString extension = dot < 0 ? CString() : path.Mid(dot + 1);
    if (extension.CompareNoCase("ico") != 0 && extension.CompareNoCase("exe") != 0)
        return;
    SetTestEnabled(false);
    CString stored;
    if (!RelativeToBaseFolder(m_baseFolder, path, stored)) {
        m_cdIcon.Empty();
        ShowCdIcon();
        ShowHelp(IDS_TITLE_VELMORA, IDS_ICON_OUTSIDE, TRUE);
        SetTestEnabled(false);
        return;
    }
    m_cdIcon = stored;
    ShowCdIcon();
    ShowHelp(IDS_TITLE_VELMORA, m_project->GetTargetCount() > 0 ? IDS_NEXT_OPTIONS_ICON : IDS_ICON_BEFORE_TARGETS,
             FALSE);
    EnableControls(TRUE);
    SetTestEnabled(false);
}

void CProjectDlg::OnClearIcon()
{
    m_cdIcon.Empty();
    ShowCdIcon();
    RefreshControls();
    EnableControls(TRUE);
    SetTestEnabled(false);
}

void CProjectDlg::OnPreload()
{
    UpdateData(TRUE);
    EnablePair(IDC_PRELOAD_LABEL, IDC_PRELOAD_COLOUR, m_project->PreloadTargets != 0);
    SetTestEnabled(false);
}

void CProjectDlg::OnPreloadColour()
{
    CColorDialog dialog(m_project->PreloadColour, CC_FULLOPEN | CC_RGBINIT, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_project->PreloadColour = dialog.GetColor();
    m_preloadColour.SetColor(m_project->PreloadColour);
    m_preloadColour.Invalidate();
    SetTestEnabled(false);
}

void CProjectDlg::OnSplash()
{
    UpdateData(TRUE);
    const bool on = m_project->Splash != 0;
    EnablePair(IDC_SPLASH_SETTINGS, IDC_CLEAR_SPLASH, on);
    SetTestEnabled(false);
    if (on && m_project->SplashImage.IsEmpty())
        OnSplashSettings();
}

void CProjectDlg::OnSplashSettings()
{
    UpdateData(TRUE);
    if (CSplashSettingsDlg::Edit(*m_project, m_baseFolder, this) == IDOK)
        RefreshControls();
    SetTestEnabled(false);
}

void CProjectDlg::OnClearSplash()
{
    m_project->SplashSound.Empty();
    m_project->SplashImage.Empty();
    m_project->SplashDuration.Empty();
    m_project->SplashBackground = 0;
    m_project->SplashColour = 0;
    m_project->Splash = 0;
    RefreshControls();
    EnableControls(TRUE);
    SetTestEnabled(false);
}

void CProjectDlg::OnViewerChecking()
{
    UpdateData(TRUE);
    const bool on = m_project->AdditionalViewerChecking != 0;
    EnablePair(IDC_VIEWER_SETTINGS, IDC_CLEAR_VIEWERS, on);
    SetTestEnabled(false);
    if (on && (m_viewerRows.empty() || m_viewerRows[0].InstallerPath.IsEmpty()))
        OnViewerSettings();
}

void CProjectDlg::OnViewerSettings()
{
    UpdateData(TRUE);
    if (CAdditionalViewersDlg::Edit(m_viewerRows, m_baseFolder, this) == IDOK) {
        const size_t count = TidyAdditionalViewers(m_viewerRows);
        m_project->AdditionalViewers.assign(m_viewerRows.begin(), m_viewerRows.begin() + static_cast<std::ptrdiff_t>(count));
    }
    SetTestEnabled(false);
}

void CProjectDlg::OnClearViewers()
{
    m_project->AdditionalViewers.clear();
    m_viewerRows.clear();
    m_project->AdditionalViewerChecking = 0;
    RefreshControls();
    EnableControls(TRUE);
    SetTestEnabled(false);
}

void CProjectDlg::OnMusic()
{
    UpdateData(TRUE);
    const bool on = m_project->BackgroundMusic != 0;
    EnablePair(IDC_BROWSE_MUSIC, IDC_CLEAR_MUSIC, on);
    SetTestEnabled(false);
    if (on && m_project->MusicFile.IsEmpty())
        OnBrowseMusic();
}

// A music file outside the base folder would not be on the CD: refused like the icon.
void CProjectDlg::OnBrowseMusic()
{
    UpdateData(TRUE);
    const CString path = ChooseFile("Please select your WAV or MP3 file",
                                    "Wave Files (*.wav), MP3 files (*.mp3)|*.wav; *.mp3||", nullptr);
    if (path.IsEmpty())
        return;
    SetTestEnabled(false);
    CString stored;
    if (!RelativeToBaseFolder(m_baseFolder, path, stored)) {
        ShowHelp(IDS_TITLE_VELMORA, IDS_MUSIC_OUTSIDE, TRUE);
        SetTestEnabled(false);
        return;
    }
    m_project->MusicFile = stored;
    RefreshControls();
}

void CProjectDlg::OnClearMusic()
{
    m_project->BackgroundMusic = 0;
    m_project->MusicFile.Empty();
    RefreshControls();
    EnablePair(IDC_BROWSE_MUSIC, IDC_CLEAR_MUSIC, false);
    SetTestEnabled(false);
}

// ---------------------------------------------------------------------------------------
// The project

void CProjectDlg::ResetProject()
{
    m_project->Reset();
    m_viewerRows.clear();
    m_baseFolder.Empty();
    m_targetSummary.Empty();
    m_cdIcon.Empty();
    if (m_hWnd) {
        m_preloadColour.SetColor(m_project->PreloadColour);
        ShowCdIcon();
        EnableControls(FALSE);
        RefreshControls();
    }
}

void CProjectDlg::ShowCdIcon()
{
    if (m_cdIconShown)
        ::DestroyIcon(m_cdIconShown);
    m_cdIconShown = nullptr;
    if (!m_cdIcon.IsEmpty())
        m_cdIconShown = ::ExtractIconA(AfxGetInstanceHandle(), FolderPath() + m_cdIcon, 0);
    if (m_cdIconShown == reinterpret_cast<HICON>(1))
        m_cdIconShown = nullptr;  // not a file with icons
    m_cdIconStatic.SetIcon(m_cdIconShown ? m_cdIconShown : m_defaultCdIcon);
}

void CProjectDlg::RebuildTargetSummary()
{
    m_targetSummary.Empty();
    for (int i = 0; i < m_project->GetTargetCount(); ++i) {
        const CViewer* target = m_project->GetTarget(i);
        if (i > 0)
            m_targetSummary += ", ";
        m_targetSummary += target->GetTargetFilename();
        if (!target->GetParameters().IsEmpty())
            m_targetSummary += " " + target->GetParameters();
    }
}

CString CProjectDlg::FolderPath() const
{
    CString folder = m_baseFolder;
    if (!folder.IsEmpty() && folder.Right(1) != "\\" && folder.Right(1) != "/")
        folder += "\\";
    return folder;
}

void CProjectDlg::OnWizardNew() { RunWizard(false); }

void CProjectDlg::OnWizardFailsafe() { RunWizard(true); }

// Finish makes a fresh project of the one target the wizard set up; Cancel changes nothing.
void CProjectDlg::RunWizard(bool withFailsafe)
{
    CNewProjectWizard wizard(withFailsafe);
    if (wizard.Run(this) != IDOK)
        return;
    ResetProject();
    m_baseFolder = wizard.m_folder.m_baseFolder;
    wizard.WriteSplash(*m_project);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    CViewer* target = PrepareViewer(CViewer::TypeFile, this, 0, temp, m_baseFolder, m_project->ProjectKey);
    wizard.WriteTarget(*target);
    m_project->AddTarget(target);
    RebuildTargetSummary();
    RefreshControls();
    EnableControls(TRUE);
    SetTestEnabled(false);
    ShowHelp(IDS_TITLE_NEXT_STEPS, IDS_NEXT_STEPS, FALSE);
}

void CProjectDlg::OnClearAll()
{
    ResetProject();
    ShowHelp(IDS_TITLE_VELMORA, IDS_WELCOME, FALSE);
}

void CProjectDlg::OnSingleInstance()
{
    m_project->SingleInstance = !m_project->SingleInstance;
    SetTestEnabled(false);
}

void CProjectDlg::OnRepeat()
{
    m_project->Repeat = !m_project->Repeat;
    SetTestEnabled(false);
}

void CProjectDlg::OnDebugMode() { m_project->DebugLog = !m_project->DebugLog; }

void CProjectDlg::OnUpdateCreate(CCmdUI* pCmdUI) { pCmdUI->Enable(m_create.IsWindowEnabled()); }

void CProjectDlg::OnUpdateTest(CCmdUI* pCmdUI) { pCmdUI->Enable(m_test.IsWindowEnabled()); }

void CProjectDlg::OnUpdateSingleInstance(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_create.IsWindowEnabled());
    pCmdUI->SetCheck(m_project->SingleInstance ? 1 : 0);
}

void CProjectDlg::OnUpdateRepeat(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_create.IsWindowEnabled());
    pCmdUI->SetCheck(m_project->Repeat ? 1 : 0);
}

void CProjectDlg::OnUpdateDebugMode(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_project->DebugLog ? 1 : 0); }

// ---------------------------------------------------------------------------------------
// Create

void CProjectDlg::OnCreate()
{
    if (!m_create.IsWindowEnabled())
        return;  // a project without targets makes no CD
    UpdateData(TRUE);
    SetTestEnabled(false);
    HCURSOR oldCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    const CString folder = FolderPath();
    if (!WriteProjectFiles(folder)) {
        ::SetCursor(oldCursor);
        ShowHelp(IDS_TITLE_VELMORA, IDS_WRITE_ERROR, TRUE);
        return;
    }

    // The player set: every file must be there for the CD to start.
    CString problems;
    const CPlayerSetCopier copier(m_programFolder, folder);
    for (const CString& name : CPlayerSetCopier::PlayerSet()) {
        CString problem;
        switch (copier.Copy(name)) {
        case CPlayerSetCopier::Copied:
        case CPlayerSetCopier::AlreadyThere:
            break;
        case CPlayerSetCopier::SourceMissing:
            problem.Format("%s %s.", static_cast<const char*>(
                                         name == kPlayerName ? LoadText(IDS_COPY_PLAYER_MISSING)
                                                             : FormatText(IDS_COPY_FILE_MISSING, name)),
                           static_cast<const char*>(m_programFolder));
            break;
        case CPlayerSetCopier::Trouble:
            problem = FormatText(IDS_COPY_TROUBLE, name);
            break;
        }
        if (!problem.IsEmpty())
            problems += (problems.IsEmpty() ? "" : "\r\n\r\n") + problem;
    }

    // The Flash player's installer travels with every Flash target.
    CString warnings;
    for (int i = 0; i < m_project->GetTargetCount(); ++i) {
        if (m_project->GetTarget(i)->GetViewerType() != CViewer::TypeFlash)
            continue;
        if (copier.Copy(kFlashInstaller) == CPlayerSetCopier::SourceMissing && warnings.IsEmpty())
            warnings = FormatText(IDS_FLASH_INSTALLER_MISSING, m_programFolder);
    }

    ::SetCursor(oldCursor);
    if (!problems.IsEmpty()) {
        ShowHelpText(IDS_TITLE_VELMORA, problems, TRUE);
        return;
    }
    if (!warnings.IsEmpty())
        ShowHelpText(IDS_TITLE_VELMORA, warnings, TRUE);
    else
        ShowHelp(IDS_TITLE_VELMORA, IDS_CREATED, FALSE);
    SetTestEnabled(true);
}

// autorun.inf, then the project data file with a fresh project key. A file that cannot be
// created or written fails the whole Create.
bool CProjectDlg::WriteProjectFiles(const CString& folder)
{
    if (!CAutorunInf::Write(folder + "autorun.inf", m_cdIcon))
        return false;
    m_project->ProjectKey = CProjectData::NewProjectKey();
    return m_project->Write(folder + kDataFileName, m_baseFolder);
}

// ---------------------------------------------------------------------------------------
// Open

void CProjectDlg::OnOpenProject()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_HIDEREADONLY,
                       "Velmora DAT Files (velmora.dat)|velmora.dat||", this);
    dialog.m_ofn.lpstrTitle = "Select your Velmora DAT file";
    dialog.m_ofn.lpstrInitialDir = m_baseFolder.IsEmpty() ? nullptr : static_cast<const char*>(m_baseFolder);
    dialog.SetBufferSize(65535);
    if (dialog.DoModal() != IDOK) {
        ShowHelp(IDS_TITLE_OPEN, IDS_OPEN_REFUSED, TRUE);
        return;
    }
    const CString path = dialog.GetPathName();
    const int split = path.ReverseFind('\\');
    const CString folder = path.Left(split < 0 ? 0 : split);
    const CString name = path.Mid(split + 1);

    // The project in memory stays until the chosen one has been read whole.
    std::unique_ptr<CProjectData> opened(new CProjectData);
    CProjectData::ReadResult result = CProjectData::ReadNotOpened;
    if (name.CompareNoCase(kDataFileName) == 0) {
        CFileReadWrite file;
        if (file.OpenRead(path)) {
            DialogBinder binder(this, folder);
            try {
                result = opened->Read(file, binder);
            } catch (CException* e) {
                e->Delete();
                result = CProjectData::ReadNotOpened;
            }
            file.Close();
        }
    }
    if (result != CProjectData::ReadOK) {
        ShowHelp(IDS_TITLE_OPEN, IDS_OPEN_REFUSED, TRUE);
        return;
    }

    ResetProject();
    m_project.swap(opened);
    m_viewerRows = m_project->AdditionalViewers;
    m_baseFolder = folder;
    RebuildTargetSummary();
    CString icon;
    CAutorunInf::ReadIcon(FolderPath() + "autorun.inf", icon);
    m_cdIcon = icon;
    m_preloadColour.SetColor(m_project->PreloadColour);
    ShowCdIcon();
    RefreshControls();
    EnableControls(TRUE);
    ShowHelp(IDS_TITLE_VELMORA, IDS_NEXT_OPTIONS, FALSE);
}

// ---------------------------------------------------------------------------------------
// Test

void CProjectDlg::OnTest()
{
    if (!m_test.IsWindowEnabled())
        return;
    CString player;
    player.Format("%s\\%s", static_cast<const char*>(m_baseFolder), kPlayerName);
    if (m_baseFolder.Right(1) == "\\" || m_baseFolder.Right(1) == "/")
        player = m_baseFolder + kPlayerName;
    // The player takes its data file from its arguments: the program's own name comes first.
    CString commandLine;
    commandLine.Format("\"%s\" %s", static_cast<const char*>(player), kDataFileName);
    std::vector<char> line(commandLine.c_str(), commandLine.c_str() + commandLine.GetLength() + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(player, line.data(), nullptr, nullptr, TRUE, 0, nullptr, m_baseFolder, &startup, &process)) {
        ShowHelpText(IDS_TITLE_VELMORA, FormatText(IDS_TEST_NOT_STARTED, player), TRUE);
        return;
    }
    ProcessInfo_Tag info;
    info.ProcessID = process.dwProcessId;
    info.hProcess = process.hProcess;
    WaitForProcessWindow(info, false);
    // The player's window is another thread's, busy with its first target by now: the
    // change of place is left to it rather than waited for.
    if (info.hWnd) {
        ::SetWindowPos(info.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
        ::SetForegroundWindow(info.hWnd);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

// ---------------------------------------------------------------------------------------
// Other dialogs, the start-up check and the end

void CProjectDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != StartupTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(StartupTimer);
    DWORD check = 1;
    if (!CAutoPlayCheck::ReadStartupSetting(check)) {
        check = 1;
        CAutoPlayCheck::WriteStartupSetting(1);
    }
    if (check != 0 && !CAutoPlayCheckDlg::IsAutoPlayEnabled()) {
        CAutoPlayCheckDlg dialog(this);
        dialog.DoModal();
    }
}

void CProjectDlg::OnCheckAutoPlay()
{
    CAutoPlayCheckDlg dialog(this);
    dialog.DoModal();
}

void CProjectDlg::OnUsingInfo()
{
    CUsingInfoDlg dialog(this);
    dialog.DoModal();
}

void CProjectDlg::OnAbout()
{
    CAboutDlg dialog(this);
    dialog.DoModal();
}

void CProjectDlg::OnManual()
{
    const CString manual = m_programFolder + "Manual\\manual.htm";
    const HINSTANCE result = ::ShellExecuteA(m_hWnd, "open", manual, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        AfxMessageBox(IDS_MANUAL_START_MENU);
}

// The close box and Alt+F4 end the program as Exit does.
void CProjectDlg::OnClose() { OnExit(); }

void CProjectDlg::OnExit()
{
    if (!m_startupDirectory.IsEmpty())
        ::SetCurrentDirectoryA(m_startupDirectory);
    EndDialog(IDC_EXIT);
}

void CProjectDlg::OnDestroy()
{
    m_project->RemoveAllTargets();
    CDialog::OnDestroy();
}
