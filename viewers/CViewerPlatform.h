// What a viewer asks of the system to open and follow its target: starting programs,
// the shell, windows, timers, the user's answers and a few facts about the machine. Windows
// programs use the library's own implementation; tests give a viewer one that scripts the
// answers, so the launch decisions can be followed step by step. The registry is reached
// through the registry helper directly.
#pragma once
#include "CProcessList.h"
#include "ViewersExport.h"

#include <memory>

class CViewer;

class VIEWERS_API CViewerPlatform {
public:
    virtual ~CViewerPlatform();

    // CreateProcess with inherited handles, the folder (null when empty) and SW_SHOW; fills
    // the id and the process handle (the caller closes it) of what started.
    virtual bool StartProcess(const char* application, const char* commandLine, const char* folder,
                              bool separateWowVdm, ProcessInfo_Tag& started, DWORD& lastError) = 0;
    // ShellExecute without an owner window; returns its result (above 32 when it started).
    virtual int ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                             int showCmd) = 0;
    virtual void WaitForIdle(HANDLE process, DWORD milliseconds) = 0;
    // Waits at most that long for the process to end (the base waits not at all).
    virtual void WaitForExit(HANDLE process, DWORD milliseconds);
    virtual void CloseProcessHandle(HANDLE process) = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
    virtual std::unique_ptr<CProcessList> NewProcessList() = 0;
    virtual void WaitForProcessWindow(ProcessInfo_Tag& info, bool hide) = 0;

    // Top-level windows.
    virtual HWND FindWindowByTitle(const char* title) = 0;
    virtual void ShowWindow(HWND window, int showCmd) = 0;
    // Topmost, then not topmost (neither moving nor sizing), then the foreground window.
    virtual void BringToFront(HWND window) = 0;

    // Timers on the viewer's own window; they arrive as CViewer::OnTimer.
    virtual void StartTimer(CViewer& viewer, UINT id, UINT milliseconds) = 0;
    virtual void StopTimer(CViewer& viewer, UINT id) = 0;

    // The confirmation dialog: true for Yes; dontAsk tells whether its check box was ticked.
    virtual bool AskConfirmation(const CString& message, bool& dontAsk) = 0;
    virtual void ShowMessage(const char* text) = 0;

    virtual CString GetEnvironment(const char* name) = 0;
    virtual CString GetSystemFolder() = 0;
    virtual bool SetCurrentFolder(const char* folder) = 0;
    // "a.b.c.d" of a program file, "" when it has no version information.
    virtual CString GetFileVersion(const char* path) = 0;
    // Platform id (1 for Windows 9x), major, minor and build number of the system.
    virtual void GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build) = 0;

    // The library's own platform (the system's on Windows; one that starts nothing elsewhere).
    static CViewerPlatform& System();
};

// Show commands of ShowWindow and ShellExecute, under their Windows names.
enum ViewerShowCmd {
    ViewerSW_HIDE = 0,
    ViewerSW_SHOWNORMAL = 1,
    ViewerSW_SHOWMINIMIZED = 2,
    ViewerSW_SHOWMAXIMIZED = 3,
    ViewerSW_SHOW = 5
};
