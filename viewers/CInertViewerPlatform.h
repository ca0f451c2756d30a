// The platform of the native tree: nothing is started and no window exists, but the process
// list is the system's. Viewers there hold settings and records; opening targets is
// Windows' business.
#pragma once
#include "CViewerPlatform.h"

class CInertViewerPlatform : public CViewerPlatform {
public:
    bool StartProcess(const char*, const char*, const char*, bool, ProcessInfo_Tag&, DWORD& lastError) override
    {
        lastError = 2;
        return false;
    }
    int ShellExecuteTarget(const char*, const char*, const char*, const char*, int) override { return 2; }
    void WaitForIdle(HANDLE, DWORD) override {}
    void CloseProcessHandle(HANDLE) override {}
    void Sleep(DWORD) override {}
    std::unique_ptr<CProcessList> NewProcessList() override { return std::make_unique<CProcessList>(); }
    void WaitForProcessWindow(ProcessInfo_Tag&, bool) override {}
    HWND FindWindowByTitle(const char*) override { return nullptr; }
    void ShowWindow(HWND, int) override {}
    void BringToFront(HWND) override {}
    void StartTimer(CViewer&, UINT, UINT) override {}
    void StopTimer(CViewer&, UINT) override {}
    bool AskConfirmation(const CString&, bool& dontAsk) override
    {
        dontAsk = false;
        return false;
    }
    void ShowMessage(const char*) override {}
    CString GetEnvironment(const char*) override { return CString(); }
    CString GetSystemFolder() override { return CString(); }
    bool SetCurrentFolder(const char*) override { return false; }
    CString GetFileVersion(const char*) override { return CString(); }
    void GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build) override
    {
        platformId = major = minor = build = 0;
    }
};
