#include "CFolderViewer.h"

#include "BaseFolderMarker.h"
#include "CViewerLauncher.h"

namespace {

// A folder the shell can be handed: an empty name would open the base folder itself, and a
// path longer than the system takes is refused.
bool Opens(const CString& folder) { return !folder.IsEmpty() && CViewerLauncher::FitsTheSystem(folder); }

}

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
BEGIN_MESSAGE_MAP(CFolderViewer, CViewer)
    ON_WM_TIMER()
END_MESSAGE_MAP()
#endif

CFolderViewer::CFolderViewer() : m_FolderTimerId(-1) {}
CFolderViewer::~CFolderViewer()
{
    if (m_FolderTimerId >= 0)
        m_Platform->StopTimer(*this, FolderTimer);
}

void CFolderViewer::SetEqual(CViewer* other) { CViewer::SetEqual(other); }

void CFolderViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    SetTargetFilename(ReplaceMarkerWithBaseFolder(m_Settings.TargetFilename, m_Settings.ProgramDirectory));
}

void CFolderViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
}

void CFolderViewer::Init() { CViewer::Init(); }

void CFolderViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    if (m_Settings.TargetFilename.IsEmpty()) {
        Log("\n* Target Filename #%d does not exist *\nNothing to launch\n", m_Settings.TargetNum);
        m_Alive = false;
        return;
    }
    if (!CViewerLauncher::FitsTheSystem(m_Settings.TargetFilename)) {
        Log("Path too long (%d characters): not launched\n", m_Settings.TargetFilename.GetLength());
        m_Alive = false;
        return;
    }
    const char* folder = m_Settings.ProgramDirectory.IsEmpty() ? nullptr : m_Settings.ProgramDirectory.c_str();
    m_Platform->ShellExecuteTarget("open", m_Settings.TargetFilename, nullptr, folder, ViewerSW_SHOWNORMAL);
    HWND window = m_Platform->FindWindowByTitle(m_Settings.TargetFilename);
    for (int step = 0; !window && step < WindowWaitSteps; ++step) {
        m_Platform->Sleep(100);
        window = m_Platform->FindWindowByTitle(m_Settings.TargetFilename);
    }
    m_TargetProcess.hWnd = window;
    if (window && !m_Settings.TestMode)
        m_Platform->ShowWindow(window, ViewerSW_HIDE);
}

void CFolderViewer::Show()
{
    if (m_LaunchedBefore || !Opens(m_Settings.TargetFilename))
        return;
    if (HWND window = m_TargetProcess.hWnd) {
        m_Platform->ShowWindow(window, ViewerSW_SHOWNORMAL);
        m_Platform->BringToFront(window);
    }
    MarkLaunched();
    // The window is watched in test mode too: the player shows every target in test mode,
    // and with "wait for each target" it waits until the folder's window is closed.
    m_FolderTimerId = FolderTimer;
    m_Platform->StartTimer(*this, FolderTimer, FolderPollMs);
}

void CFolderViewer::OnTimer(UINT_PTR id)
{
    if (m_FolderTimerId < 0 || id != UINT_PTR(m_FolderTimerId)) {
        CViewer::OnTimer(id);
        return;
    }
    m_Platform->StopTimer(*this, FolderTimer);
    m_FolderTimerId = -1;
    if (m_Platform->FindWindowByTitle(m_Settings.TargetFilename)) {
        m_FolderTimerId = FolderTimer;
        m_Platform->StartTimer(*this, FolderTimer, FolderPollMs);
    } else {
        m_Alive = false;
    }
}

bool CFolderViewer::IsAlive() { return m_Alive; }
