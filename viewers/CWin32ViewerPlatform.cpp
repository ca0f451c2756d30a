#include "CWin32ViewerPlatform.h"

#include "CFileVersionInfo.h"
#include "CViewer.h"
#include "ProcessWindows.h"
#if defined(VELMORA_VIEWERS_WINDOWS)
#include "CConfirmLaunchDlg.h"
#endif

#include <shellapi.h>

#include <map>
#include <utility>
#include <vector>

namespace {

// A viewer without a window of its own (one never created as a child window) gets its
// timers as thread timers, routed back to it here.
std::map<UINT_PTR, std::pair<CViewer*, UINT>>& ThreadTimers()
{
    static std::map<UINT_PTR, std::pair<CViewer*, UINT>> timers;
    return timers;
}

void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto it = ThreadTimers().find(timer);
    if (it != ThreadTimers().end())
        it->second.first->OnTimer(it->second.second);
}

UINT_PTR FindThreadTimer(const CViewer& viewer, UINT id)
{
    for (const auto& t : ThreadTimers())
        if (t.second.first == &viewer && t.second.second == id)
            return t.first;
    return 0;
}

}

bool CWin32ViewerPlatform::StartProcess(const char* application, const char* commandLine, const char* folder,
                                        bool separateWowVdm, ProcessInfo_Tag& started, DWORD& lastError)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line;
    if (commandLine) {
        line.assign(commandLine, commandLine + strlen(commandLine) + 1);
    }
    if (!CreateProcessA(application && *application ? application : nullptr, line.empty() ? nullptr : line.data(),
                        nullptr, nullptr, TRUE, separateWowVdm ? CREATE_SEPARATE_WOW_VDM : 0, nullptr,
                        folder && *folder ? folder : nullptr, &si, &pi)) {
        lastError = GetLastError();
        return false;
    }
    CloseHandle(pi.hThread);
    started.ProcessID = pi.dwProcessId;
    started.hProcess = pi.hProcess;
    return true;
}

int CWin32ViewerPlatform::ShellExecuteTarget(const char* verb, const char* file, const char* parameters,
                                       const char* folder, int showCmd)
{
    HINSTANCE r = ShellExecuteA(nullptr, verb, file, parameters && *parameters ? parameters : nullptr,
                                folder && *folder ? folder : nullptr, showCmd);
    return static_cast<int>(reinterpret_cast<INT_PTR>(r));
}

void CWin32ViewerPlatform::WaitForIdle(HANDLE process, DWORD milliseconds) { WaitForInputIdle(process, milliseconds); }

void CWin32ViewerPlatform::WaitForExit(HANDLE process, DWORD milliseconds) { WaitForSingleObject(process, milliseconds); }

void CWin32ViewerPlatform::CloseProcessHandle(HANDLE process) { CloseHandle(process); }

void CWin32ViewerPlatform::Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

std::unique_ptr<CProcessList> CWin32ViewerPlatform::NewProcessList() { return std::make_unique<CProcessList>(); }

void CWin32ViewerPlatform::WaitForProcessWindow(ProcessInfo_Tag& info, bool hide)
{
    ::WaitForProcessWindow(info, hide);
}

HWND CWin32ViewerPlatform::FindWindowByTitle(const char* title) { return FindWindowA(nullptr, title); }

void CWin32ViewerPlatform::ShowWindow(HWND window, int showCmd) { ::ShowWindow(window, showCmd); }

void CWin32ViewerPlatform::BringToFront(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
}

void CWin32ViewerPlatform::StartTimer(CViewer& viewer, UINT id, UINT milliseconds)
{
    if (HWND window = viewer.GetSafeHwnd()) {
        ::SetTimer(window, id, milliseconds, nullptr);
        return;
    }
    const UINT_PTR existing = FindThreadTimer(viewer, id);
    const UINT_PTR timer = ::SetTimer(nullptr, existing, milliseconds, ThreadTimerProc);
    if (timer)
        ThreadTimers()[timer] = std::make_pair(&viewer, id);
}

void CWin32ViewerPlatform::StopTimer(CViewer& viewer, UINT id)
{
    if (HWND window = viewer.GetSafeHwnd()) {
        ::KillTimer(window, id);
        return;
    }
    if (const UINT_PTR timer = FindThreadTimer(viewer, id)) {
        ::KillTimer(nullptr, timer);
        ThreadTimers().erase(timer);
    }
}

bool CWin32ViewerPlatform::AskConfirmation(const CString& message, bool& dontAsk)
{
#if defined(VELMORA_VIEWERS_WINDOWS)
    CConfirmLaunchDlg dialog;
    dialog.m_Message = message;
    const INT_PTR answer = dialog.DoModal();
    dontAsk = dialog.m_DontAsk != 0;
    return answer == IDOK;
#else
    dontAsk = false;
    return MessageBoxA(GetActiveWindow(), message, "Attention", MB_YESNO | MB_ICONQUESTION) == IDYES;
#endif
}

void CWin32ViewerPlatform::ShowMessage(const char* text)
{
    MessageBoxA(GetActiveWindow(), text, "Attention", MB_OK | MB_ICONINFORMATION);
}

CString CWin32ViewerPlatform::GetEnvironment(const char* name)
{
    char value[MAX_PATH * 4];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? CString(value) : CString();
}

CString CWin32ViewerPlatform::GetSystemFolder()
{
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    return n && n < MAX_PATH ? CString(folder) : CString();
}

bool CWin32ViewerPlatform::SetCurrentFolder(const char* folder)
{
    return folder && *folder && SetCurrentDirectoryA(folder);
}

CString CWin32ViewerPlatform::GetFileVersion(const char* path)
{
    CFileVersionInfo info;
    return info.Open(path) ? info.GetVersionString() : CString();
}

void CWin32ViewerPlatform::GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    platformId = version.dwPlatformId;
    major = version.dwMajorVersion;
    minor = version.dwMinorVersion;
    build = version.dwBuildNumber;
}
