#include "PlayerDialog.h"

#include "AfxModule.h"
#include "AfxOle.h"
#include "CWinApp.h"
#include "CDataFileLocator.h"
#include "CFileReadWrite.h"
#include "CProcessList.h"
#include "CProjectReader.h"
#include "DDX.h"
#include "ProcessWindows.h"
#include "CWebViewer.h"
#include "ViewerFactory.h"
#include "ViewerMessages.h"

#include <cstdlib>

CStatic PlayerDialog::s_picture;

BEGIN_MESSAGE_MAP(PlayerDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_QUERYDRAGICON()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(MESSAGE_PAUSE_SOUND, &PlayerDialog::OnPauseSound)
    ON_REGISTERED_MESSAGE(MESSAGE_RESTART_SOUND, &PlayerDialog::OnRestartSound)
END_MESSAGE_MAP()

PlayerDialog::PlayerDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

PlayerDialog::~PlayerDialog()
{
    if (m_backgroundBrush)
        ::DeleteObject(m_backgroundBrush);
}

BOOL PlayerDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!s_picture.m_hWnd)
        s_picture.SubclassDlgItem(IDC_PICTURE, this);
    if (!AfxOleInit())
        return TRUE;  // the window stays up with its caption; nothing runs
    m_oleReady = true;

    CBackgroundMusic::InitSound();

    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    RECT place = {};
    if (HWND placeholder = ::GetDlgItem(m_hWnd, IDC_STATUS_PLACE)) {
        ::GetWindowRect(placeholder, &place);
        ScreenToClient(&place);
        ::ShowWindow(placeholder, SW_HIDE);
    }
    m_status.Create(WS_EX_CLIENTEDGE, place, this, IDC_STATUS_LINE, WS_CHILD | WS_VISIBLE | WS_BORDER,
                    CCorvEdit::CaptionLook);
    SetStatus("Starting ...");

    m_icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);

    char folder[1001] = {};
    ::GetCurrentDirectoryA(1000, folder);
    m_startFolder = folder;
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    m_playerFolder = exe;
    m_playerFolder = m_playerFolder.Left(m_playerFolder.ReverseFind('\\'));
    ::SetCurrentDirectoryA(m_playerFolder);

    const CString playerFolder = m_playerFolder;
    m_dataFileName = CDataFileLocator::ChooseName(m_commandLine, m_exeName, [&playerFolder] {
        return CDataFileLocator::ReadAutorunName(playerFolder);
    });
    m_dataFileName.Remove('"');

    LoadProject();

    if (m_project.SingleInstance)
        EndOtherInstance();

    GetWindowRect(&m_windowRect);
    m_foregroundLock.SaveAndClear();
    SetTopmost(true);
    MakeForeground();

    if (m_project.HidePlayer) {
        if (!m_project.PreloadTargets)
            ShowWindow(SW_HIDE);
    } else {
        ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
    }

    RunOptions options;
    options.numTargets = m_project.GetTargetCount();
    options.numAdditionalViewers = (int)m_project.AdditionalViewers.size();
    options.preload = m_project.PreloadTargets != 0;
    options.hide = m_project.HidePlayer != 0;
    options.waitForEachTarget = m_project.WaitForEachTarget != 0;
    options.repeat = m_project.Repeat != 0;
    options.splash = m_project.Splash != 0;
    m_sequencer = std::make_unique<CRunSequencer>(*this, options);
    m_sequencer->Start();
    return TRUE;
}

void PlayerDialog::LoadProject()
{
    char temp[MAX_PATH + 1] = {};
    const DWORD got = ::GetTempPathA(MAX_PATH, temp);
    m_tempPath = CDataFileLocator::ChooseTempFolder(got > 0 && got <= MAX_PATH, temp, m_playerFolder);

    CFileReadWrite file;
    bool opened = false;
    for (const CString& path : CDataFileLocator::CandidatePaths(m_playerFolder, m_dataFileName))
        if ((opened = file.OpenRead(path) != FALSE))
            break;
    if (!opened)
        return;
    CProjectReader::Read(file, m_project, *this);
    file.Close();
    if (m_project.GetTargetCount() < m_project.StoredTargetCount)
        DebugLog(CProjectReader::TargetsEndedLog(m_project));
}

void PlayerDialog::FieldsRead(CProjectData& project)
{
    m_log.SetUp(m_playerFolder, project.DebugLog != 0);
    if (project.BackgroundMusic && !project.MusicFile.IsEmpty())
        m_music.Open(project.MusicFile);

    const RECT none = {0, 0, 0, 0};
    if (project.Splash) {
        m_splash.Create(nullptr, nullptr, 0, none, this, IDC_SPLASH_VIEWER);
        m_splash.SetOwner(this);
        m_splash.SetTempPath(m_tempPath);
        m_splash.SetProgramDirectory(m_playerFolder);
        m_splash.SetImageFilename(project.SplashImage);
        m_splash.SetSoundFilename(project.SplashSound);
        m_splash.SetDuration(std::atoi(project.SplashDuration));
        if (project.IsVersionAtLeast(2, 8, 0)) {
            m_splash.SetShowBackground(project.SplashBackground);
            if (project.SplashBackground)
                m_splash.SetBackgroundColor(project.SplashColour);
        }
        if (!CProjectReader::ShowsSplash(project))
            project.Splash = 0;  // nothing to show
    }

    for (size_t i = 0; i < project.AdditionalViewers.size(); ++i) {
        const AdditionalViewerEntry& entry = project.AdditionalViewers[i];
        CFileViewer& viewer = m_additional[i];
        viewer.Create(nullptr, nullptr, 0, none, this, (UINT)i);
        viewer.SetOwner(this);
        viewer.SetTempPath(m_tempPath);
        viewer.SetSuppressAOL(project.SuppressAOL);
        viewer.SetVerbose(project.Verbose);
        viewer.SetSplash(project.Splash);
        viewer.SetHide(project.HidePlayer);
        viewer.SetTargetNum((int)i - 10);
        viewer.SetProjectRegistryKey(project.ProjectKey);
        viewer.SetProgramDirectory(m_playerFolder);
        viewer.SetHasFailsafeProgram(1);
        viewer.SetFailsafeProgPath(entry.InstallerPath);
        if (!entry.Confirmation.IsEmpty()) {
            viewer.SetFailsafeConfMessage(entry.Confirmation);
            viewer.SetDisplayConfirmation(1);
        }
        viewer.SetVersionString(entry.MinimumVersion);
        viewer.SetTargetFileExtension(CProjectReader::Extension(entry));
        viewer.Init();
    }

    for (const CString& line : CProjectReader::LoadingLog(project, m_playerFolder))
        DebugLog(line);
    for (size_t i = 0; i < project.AdditionalViewers.size(); ++i) {
        DebugLog(m_additional[i].GetLog());
        m_additional[i].ClearLog();
    }
}

CViewer* PlayerDialog::NewTarget(int type, int index, const CProjectData& project)
{
    return PrepareViewer(type, this, index, m_tempPath, m_playerFolder, project.ProjectKey);
}

void PlayerDialog::TargetRead(CViewer& viewer, int)
{
    viewer.Init();
    ::Sleep(100);
    DebugLog(viewer.GetLog());
    viewer.ClearLog();
}

void PlayerDialog::EndOtherInstance()
{
    CProcessList processes;
    int count = 0;
    processes.Refresh(count);
    ProcessInfo_Tag other;
    if (processes.FindOtherByName("Velmora.exe", ::GetCurrentProcessId(), other) &&
        processes.IsIDRunning(other.ProcessID))
        EndProcess(other.ProcessID);
}

// ---------------------------------------------------------------------------------------
// Look

void PlayerDialog::OnPaint()
{
    if (IsIconic()) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT client;
        GetClientRect(&client);
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_icon);
        ::EndPaint(m_hWnd, &ps);
        return;
    }
    CDialog::OnPaint();
}

HCURSOR PlayerDialog::OnQueryDragIcon() { return (HCURSOR)m_icon; }

HBRUSH PlayerDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_backgroundBrush)
        return m_backgroundBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void PlayerDialog::CentreStatusLine()
{
    if (!m_status.m_hWnd)
        return;
    RECT client, status;
    GetClientRect(&client);
    m_status.GetWindowRect(&status);
    const int w = status.right - status.left, h = status.bottom - status.top;
    m_status.MoveWindow((client.right - w) / 2, (client.bottom - h) / 2, w, h);
}

// ---------------------------------------------------------------------------------------
// The run's host

void PlayerDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (m_sequencer && nIDEvent >= 1 && nIDEvent <= 5) {
        m_sequencer->OnTimer((int)nIDEvent);
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void PlayerDialog::StartTimer(int id, int milliseconds) { SetTimer((UINT_PTR)id, (UINT)milliseconds); }
void PlayerDialog::KillTimer(int id) { CDialog::KillTimer((UINT_PTR)id); }

void PlayerDialog::SetStatus(const CString& text)
{
    if (m_status.m_hWnd)
        m_status.SetText(text);
}

void PlayerDialog::DebugLog(const CString& text) { m_log.Write(text); }

void PlayerDialog::PrepareWindow(bool preload)
{
    COLORREF color = ::GetSysColor(COLOR_BTNFACE);
    if (preload) {
        ShowTaskbar(false);
        ModifyStyle(WS_CAPTION | WS_SYSMENU, 0);
        MoveWindow(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        CentreStatusLine();
        color = m_project.PreloadColour;
    }
    // One brush at a time: the one of an earlier pass goes.
    if (m_backgroundBrush)
        ::DeleteObject(m_backgroundBrush);
    m_backgroundBrush = ::CreateSolidBrush(color);
    Invalidate();
    UpdateWindow();
}

void PlayerDialog::FitToWorkArea()
{
    ModifyStyle(WS_CAPTION | WS_SYSMENU, 0);
    RECT area;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    MoveWindow(area.left, area.top, area.right - area.left, area.bottom - area.top);
    CentreStatusLine();
}

void PlayerDialog::SetTopmost(bool topmost)
{
    ::SetWindowPos(m_hWnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void PlayerDialog::MakeForeground() { SetForegroundWindow(); }
void PlayerDialog::HideWindow() { ShowWindow(SW_HIDE); }

void PlayerDialog::ShowTaskbar(bool show)
{
    if (HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr))
        ::ShowWindow(taskbar, show ? SW_SHOW : SW_HIDE);
}

void PlayerDialog::EndPlayer(bool finished)
{
    if (finished)
        m_endTargetsAtExit = false;
    DestroyWindow();
}

bool PlayerDialog::RunAgreementGate() { return AgreementDialog::RunGate(&m_project, this); }

void PlayerDialog::LaunchAdditionalViewer(int index) { m_additional[index].Launch(); }
bool PlayerDialog::IsAdditionalViewerAlive(int index) { return m_additional[index].IsAlive(); }

CString PlayerDialog::TakeAdditionalViewerLog(int index)
{
    const CString log = m_additional[index].GetLog();
    m_additional[index].ClearLog();
    return log;
}

void PlayerDialog::StartSplash()
{
    // Init makes the file names full paths: once, not again on a repeat.
    if (!m_splashInitialised) {
        m_splash.Init();
        m_splashInitialised = true;
    }
    m_splash.Launch();
    m_splash.Show();
}

bool PlayerDialog::IsSplashAlive() { return m_splash.IsAlive(); }
bool PlayerDialog::SplashShowsBackground() { return m_splash.GetShowBackground() != 0; }

bool PlayerDialog::HasMusic() { return m_music.HasStream(); }
void PlayerDialog::PlayMusic() { m_music.Play(); }
void PlayerDialog::StopMusic() { m_music.Pause(); }

int PlayerDialog::GetTargetType(int index) { return m_project.GetTarget(index)->GetViewerType(); }
CString PlayerDialog::GetTargetFilename(int index) { return m_project.GetTarget(index)->GetTargetFilename(); }
void PlayerDialog::SetTargetTestMode(int index) { m_project.GetTarget(index)->SetTestMode(true); }
void PlayerDialog::LaunchTarget(int index) { m_project.GetTarget(index)->Launch(); }
void PlayerDialog::ShowTarget(int index) { m_project.GetTarget(index)->Show(); }
bool PlayerDialog::IsTargetAlive(int index) { return m_project.GetTarget(index)->IsAlive(); }
bool PlayerDialog::IsTargetWaitingOnFailsafe(int index) { return m_project.GetTarget(index)->GetWaitingOnFailsafe() != 0; }
bool PlayerDialog::IsTargetFullScreen(int index) { return m_project.GetTarget(index)->GetFullScreen(); }
bool PlayerDialog::IsTargetWindowMoving(int index)
{
    const CWebViewer* web = dynamic_cast<const CWebViewer*>(m_project.GetTarget(index));
    return web && web->IsWindowMoving();
}

CString PlayerDialog::TakeTargetLog(int index)
{
    const CString log = m_project.GetTarget(index)->GetLog();
    m_project.GetTarget(index)->ClearLog();
    return log;
}

LRESULT PlayerDialog::OnPauseSound(WPARAM, LPARAM)
{
    m_music.Pause();
    return 0;
}

LRESULT PlayerDialog::OnRestartSound(WPARAM, LPARAM)
{
    m_music.Resume();
    return 0;
}

// ---------------------------------------------------------------------------------------
// The end

void PlayerDialog::OnDestroy()
{
    ShutDown();
    CDialog::OnDestroy();
}

void PlayerDialog::ShutDown()
{
    if (m_shutDown || !m_oleReady)
        return;
    m_shutDown = true;
    for (int id = 1; id <= 5; ++id)
        CDialog::KillTimer((UINT_PTR)id);
    m_music.Shutdown();
    if (m_endTargetsAtExit) {
        // Only processes this player started and that still run: a target's id may by now
        // name some other program.
        for (int i = 0; i < m_project.GetTargetCount(); ++i) {
            const ProcessInfo_Tag process = m_project.GetTarget(i)->GetTargetProcess();
            if (process.hProcess && process.ProcessID &&
                ::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                EndProcess(process.ProcessID);
        }
    }
    m_foregroundLock.Restore();
    ShowTaskbar(true);
    DebugLog("End Process Dump\n");
    CProcessList processes;
    int count = 0;
    processes.Refresh(count);
    DebugLog(processes.Dump());
    DebugLog("\n");
    ::SetCurrentDirectoryA(m_startFolder);
    m_log.Close();
    // The viewers' windows are children of this one: they go with it now.
    m_project.RemoveAllTargets();
}
