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
#include "ViewerMessages.h"

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

    if (m_project.singleInstance)
        EndOtherInstance();

    GetWindowRect(&m_windowRect);
    m_foregroundLock.SaveAndClear();
    SetTopmost(true);
    MakeForeground();

    if (m_project.hide) {
        if (!m_project.preload)
            ShowWindow(SW_HIDE);
    } else {
        ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
    }

    RunOptions options;
    options.numTargets = (int)m_targets.size();
    options.numAdditionalViewers = (int)m_project.additionalViewers.size();
    options.preload = m_project.preload != 0;
    options.hide = m_project.hide != 0;
    options.waitForEachTarget = m_project.waitForEachTarget != 0;
    options.repeat = m_project.repeat != 0;
    options.splash = m_project.splash != 0;
    m_sequencer = std::make_unique<CRunSequencer>(*this, options);
    m_sequencer->Start();
    return TRUE;
}

void PlayerDialog::LoadProject()
{
    CString tempPath;
    char temp[MAX_PATH + 1] = {};
    const DWORD got = ::GetTempPathA(MAX_PATH, temp);
    tempPath = CDataFileLocator::ChooseTempFolder(got > 0 && got <= MAX_PATH, temp, m_playerFolder);

    CFileReadWrite file;
    bool opened = false;
    for (const CString& path : CDataFileLocator::CandidatePaths(m_playerFolder, m_dataFileName))
        if ((opened = file.OpenRead(path) != FALSE))
            break;
    if (!opened)
        return;

    CProjectReader::ReadFields(file, m_project);
    m_log.SetUp(m_playerFolder, m_project.debugLog != 0);
    if (m_project.music && !m_project.musicFile.IsEmpty())
        m_music.Open(m_project.musicFile);

    const RECT none = {0, 0, 0, 0};
    if (m_project.splash) {
        m_splash.Create(nullptr, nullptr, 0, none, this, IDC_SPLASH_VIEWER);
        m_splash.SetOwner(this);
        m_splash.SetTempPath(tempPath);
        m_splash.SetProgramDirectory(m_playerFolder);
        m_splash.SetImageFilename(m_project.splashImage);
        m_splash.SetSoundFilename(m_project.splashSound);
        m_splash.SetDuration(m_project.splashDuration);
        if (m_project.version.AtLeast(2, 8, 0)) {
            m_splash.SetShowBackground(m_project.splashShowBackground);
            if (m_project.splashShowBackground)
                m_splash.SetBackgroundColor(m_project.splashBackgroundColor);
        }
        if (m_project.splashImage.IsEmpty())
            m_project.splash = 0;
    }

    for (size_t i = 0; i < m_project.additionalViewers.size() && i < PlayerProject::MaxAdditionalViewers; ++i) {
        const AdditionalViewerEntry& entry = m_project.additionalViewers[i];
        CFileViewer& viewer = m_additional[i];
        viewer.Create(nullptr, nullptr, 0, none, this, (UINT)i);
        viewer.SetOwner(this);
        viewer.SetTempPath(tempPath);
        viewer.SetSuppressAOL(m_project.suppressAOL);
        viewer.SetVerbose(m_project.verbose);
        viewer.SetSplash(m_project.splash);
        viewer.SetHide(m_project.hide);
        viewer.SetTargetNum((int)i - 10);
        viewer.SetProjectRegistryKey(m_project.projectKey);
        viewer.SetProgramDirectory(m_playerFolder);
        viewer.SetHasFailsafeProgram(1);
        viewer.SetFailsafeProgPath(entry.failsafeProgram);
        if (!entry.confirmation.IsEmpty()) {
            viewer.SetFailsafeConfMessage(entry.confirmation);
            viewer.SetDisplayConfirmation(1);
        }
        viewer.SetVersionString(entry.minimumVersion);
        viewer.SetTargetFileExtension(entry.extension);
        viewer.Init();
    }

    for (const CString& line : CProjectReader::LoadingLog(m_project, m_playerFolder))
        DebugLog(line);
    for (size_t i = 0; i < m_project.additionalViewers.size(); ++i) {
        DebugLog(m_additional[i].GetLog());
        m_additional[i].ClearLog();
    }

    for (int i = 0; i < m_project.numTargets; ++i) {
        CViewer* viewer = CProjectReader::BindNextTarget(file, m_project, i, this, tempPath, m_playerFolder);
        if (!viewer) {
            DebugLog(CProjectReader::TargetsEndedLog(i, m_project));
            break;
        }
        m_targets.emplace_back(viewer);
        ::Sleep(100);
        DebugLog(viewer->GetLog());
        viewer->ClearLog();
    }
    file.Close();
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
        color = m_project.backgroundColor;
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

bool PlayerDialog::RunAgreementGate() { return AgreementDialog::RunGate(&m_project.agreement, this); }

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

int PlayerDialog::GetTargetType(int index) { return m_targets[(size_t)index]->GetViewerType(); }
CString PlayerDialog::GetTargetFilename(int index) { return m_targets[(size_t)index]->GetTargetFilename(); }
void PlayerDialog::SetTargetTestMode(int index) { m_targets[(size_t)index]->SetTestMode(true); }
void PlayerDialog::LaunchTarget(int index) { m_targets[(size_t)index]->Launch(); }
void PlayerDialog::ShowTarget(int index) { m_targets[(size_t)index]->Show(); }
bool PlayerDialog::IsTargetAlive(int index) { return m_targets[(size_t)index]->IsAlive(); }
bool PlayerDialog::IsTargetWaitingOnFailsafe(int index) { return m_targets[(size_t)index]->GetWaitingOnFailsafe() != 0; }
bool PlayerDialog::IsTargetFullScreen(int index) { return m_targets[(size_t)index]->GetFullScreen(); }
bool PlayerDialog::IsTargetWindowMoving(int) { return false; }  // no web targets in this player yet

CString PlayerDialog::TakeTargetLog(int index)
{
    const CString log = m_targets[(size_t)index]->GetLog();
    m_targets[(size_t)index]->ClearLog();
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
        for (const auto& target : m_targets) {
            const ProcessInfo_Tag process = target->GetTargetProcess();
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
    m_targets.clear();
}
