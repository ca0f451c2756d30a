// The system's own answers to what viewers ask: CreateProcess, ShellExecute, the window
// manager, window timers and the confirmation dialog.
#pragma once
#include "CViewerPlatform.h"

class CWin32ViewerPlatform : public CViewerPlatform {
public:
    bool StartProcess(const char* application, const char* commandLine, const char* folder, bool separateWowVdm,
                      ProcessInfo_Tag& started, DWORD& lastError) override;
    int ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                     int showCmd) override;
    void WaitForIdle(HANDLE process, DWORD milliseconds) override;
    void WaitForExit(HANDLE process, DWORD milliseconds) override;
    void CloseProcessHandle(HANDLE process) override;
    void Sleep(DWORD milliseconds) override;
    std::unique_ptr<CProcessList> NewProcessList() override;
    void WaitForProcessWindow(ProcessInfo_Tag& info, bool hide) override;
    HWND FindWindowByTitle(const char* title) override;
    void ShowWindow(HWND window, int showCmd) override;
    void BringToFront(HWND window) override;
    void StartTimer(CViewer& viewer, UINT id, UINT milliseconds) override;
    void StopTimer(CViewer& viewer, UINT id) override;
    bool AskConfirmation(const CString& message, bool& dontAsk) override;
    void ShowMessage(const char* text) override;
    CString GetEnvironment(const char* name) override;
    CString GetSystemFolder() override;
    bool SetCurrentFolder(const char* folder) override;
    CString GetFileVersion(const char* path) override;
    void GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build) override;
};
