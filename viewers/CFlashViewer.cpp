#include "CFlashViewer.h"

#include "DataFileVersion.h"
#include "FlashWindowLayout.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#include "AfxModule.h"
#include "CFlashViewerDlg.h"
#include "CResourceScope.h"
#define VELMORA_FLASH_WINDOW 1
#else
#define VELMORA_FLASH_WINDOW 0
#endif

CFlashViewer::CFlashViewer() : m_Window(nullptr) {}

CFlashViewer::~CFlashViewer() { DestroyFlashWindow(); }

void CFlashViewer::SetStartPlaying(int value) { m_FlashSettings.StartPlaying = value; }
void CFlashViewer::SetLoopAnimation(int value) { m_FlashSettings.LoopAnimation = value; }
void CFlashViewer::SetCloseFlashAfterFinished(int value) { m_FlashSettings.CloseFlashAfterFinished = value; }
void CFlashViewer::SetShowTitleBar(int value) { m_FlashSettings.ShowTitleBar = value; }
void CFlashViewer::SetFlashWindowSize(unsigned int value) { m_FlashSettings.FlashWindowSize = value; }
void CFlashViewer::SetCustomFlashWidth(int value) { m_FlashSettings.CustomFlashWidth = value; }
void CFlashViewer::SetCustomFlashHeight(int value) { m_FlashSettings.CustomFlashHeight = value; }
void CFlashViewer::SetShowRightClickMenu(int value) { m_FlashSettings.ShowRightClickMenu = value; }

void CFlashViewer::SetEqual(CViewer* other)
{
    CViewer::SetEqual(other);
    if (auto* flash = dynamic_cast<CFlashViewer*>(other))
        m_FlashSettings = flash->m_FlashSettings;
}

void CFlashViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    m_FlashSettings.Read(*file, DataFileVersion{ major, minor, build });
}

void CFlashViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    m_FlashSettings.Write(*file, DataFileVersion{ major, minor, build });
}

void CFlashViewer::Init()
{
    CViewer::Init();
    if (m_FlashSettings.FlashWindowSize == CFlashViewerSettings::SizeFullScreen)
        m_FullScreen = true;
    InstallFlashPlayer();
}

void CFlashViewer::InstallFlashPlayer()
{
    const CString folder = FlashInstallerSystemFolder(GetWindowsVersionCode());
    CString commandLine;
    if (!FlashInstallerCommandLine(folder, m_Settings.ProgramDirectory, commandLine)) {
        Log("Flash installer not started: its command line would pass %d characters\n",
            int(InstallerCommandLineLimit - 1));
        return;
    }
    ProcessInfo_Tag installer;
    DWORD error = 0;
    const char* directory = m_Settings.ProgramDirectory.IsEmpty() ? nullptr : m_Settings.ProgramDirectory.c_str();
    if (!m_Platform->StartProcess(nullptr, commandLine, directory, false, installer, error)) {
        Log("Flash installer did not start (error %lu): %s\n", static_cast<unsigned long>(error), commandLine.c_str());
        return;
    }
    m_Platform->WaitForExit(installer.hProcess, InstallerWaitMs);
    if (installer.hProcess)
        m_Platform->CloseProcessHandle(installer.hProcess);
}

#if VELMORA_FLASH_WINDOW
void CFlashViewer::DestroyFlashWindow()
{
    if (!m_Window)
        return;
    m_Window->ForgetOwner();
    delete m_Window;
    m_Window = nullptr;
}

void CFlashViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_Alive = true;
    DestroyFlashWindow();
    CFlashViewerDlg* window = new CFlashViewerDlg;
    window->m_file = m_Settings.TargetFileAndPath;
    window->m_settings = m_FlashSettings;
    {
        CResourceScope own(AfxGetThisModule());
        window->CreateHidden();
    }
    // Without its control the window would show nothing: the target ends at once.
    if (!window->IsOpen()) {
        delete window;
        Log("\n* Flash window could not be created: no Flash control *\n");
        m_Alive = false;
        return;
    }
    m_Window = window;
}

void CFlashViewer::Show()
{
    if (m_LaunchedBefore || !m_Window || !m_Window->m_hWnd)
        return;
    m_Window->ShowPlayer(this);
}
#else
void CFlashViewer::DestroyFlashWindow() { m_Window = nullptr; }
void CFlashViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    Log("\n* Flash window could not be created: no Flash control *\n");
    m_Alive = false;
}
void CFlashViewer::Show() {}
#endif

bool CFlashViewer::IsAlive() { return m_Alive; }

void CFlashViewer::WindowEnded(const char* reason)
{
    if (reason)
        Log("\n* Flash: %s *\n", reason);
    m_Alive = false;
    MarkLaunched();
}
