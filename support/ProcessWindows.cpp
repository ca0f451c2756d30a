#include "ProcessWindows.h"

namespace {

bool IsProcessWindow(HWND window, DWORD processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != processId || !(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
        return false;
    char title[2];
    return GetWindowTextA(window, title, sizeof title) > 0;
}

bool HasTitle(HWND window)
{
    char title[2];
    return window && GetWindowTextA(window, title, sizeof title) > 0;
}

}

BOOL CALLBACK FindProcessWindowProc(HWND window, LPARAM param)
{
    ProcessInfo_Tag& info = *reinterpret_cast<ProcessInfo_Tag*>(param);
    if (IsProcessWindow(window, info.ProcessID))
        info.hWnd = window;
    return TRUE;
}

BOOL CALLBACK HideProcessWindowProc(HWND window, LPARAM param)
{
    ProcessInfo_Tag& info = *reinterpret_cast<ProcessInfo_Tag*>(param);
    if (IsProcessWindow(window, info.ProcessID)) {
        info.hWnd = window;
        ShowWindow(window, SW_HIDE);
    }
    return TRUE;
}

BOOL CALLBACK CloseProcessWindowsProc(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void WaitForProcessWindow(ProcessInfo_Tag& info, bool hide)
{
    WNDENUMPROC proc = hide ? HideProcessWindowProc : FindProcessWindowProc;
    EnumWindows(proc, reinterpret_cast<LPARAM>(&info));
    Sleep(100);
    for (int retries = 0; !HasTitle(info.hWnd) && retries < 3; ++retries) {
        Sleep(1000);
        EnumWindows(proc, reinterpret_cast<LPARAM>(&info));
    }
}

EndProcessResult EndProcess(DWORD processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return EndProcessNotOpened;
    EnumWindows(CloseProcessWindowsProc, static_cast<LPARAM>(processId));
    if (WaitForSingleObject(process, 1000) == WAIT_OBJECT_0) {
        CloseHandle(process);
        return EndProcessEndedItself;
    }
    const BOOL ended = TerminateProcess(process, 0);
    CloseHandle(process);
    return ended ? EndProcessTerminated : EndProcessTerminateFailed;
}
