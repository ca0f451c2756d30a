// The system's platform behind one of the tests' own: every call goes to the system's, so a
// test overrides only what it records or changes.
#pragma once
#include "CViewerPlatform.h"

class ForwardingPlatform : public CViewerPlatform {
public:
    CViewerPlatform& sys = CViewerPlatform::System();

    bool StartProcess(const char* a, const char* c, const char* f, bool vdm, ProcessInfo_Tag& p, DWORD& e) override
    {
        return sys.StartProcess(a, c, f, vdm, p, e);
    }
    int ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                           int showCmd) override
    {
        return sys.ShellExecuteTarget(verb, file, parameters, folder, showCmd);
    }
    void WaitForIdle(HANDLE p, DWORD ms) override { sys.WaitForIdle(p, ms); }
    void WaitForExit(HANDLE p, DWORD ms) override { sys.WaitForExit(p, ms); }
    void CloseProcessHandle(HANDLE p) override { sys.CloseProcessHandle(p); }
    void Sleep(DWORD ms) override { sys.Sleep(ms); }
    std::unique_ptr<CProcessList> NewProcessList() override { return sys.NewProcessList(); }
    void WaitForProcessWindow(ProcessInfo_Tag& i, bool h) override { sys.WaitForProcessWindow(i, h); }
    HWND FindWindowByTitle(const char* t) override { return sys.FindWindowByTitle(t); }
    void ShowWindow(HWND w, int c) override { sys.ShowWindow(w, c); }
    void BringToFront(HWND w) override { sys.BringToFront(w); }
    void StartTimer(CViewer& v, UINT id, UINT ms) override { sys.StartTimer(v, id, ms); }
    void StopTimer(CViewer& v, UINT id) override { sys.StopTimer(v, id); }
    bool AskConfirmation(const CString& m, bool& d) override { return sys.AskConfirmation(m, d); }
    void ShowMessage(const char* t) override { sys.ShowMessage(t); }
    CString GetEnvironment(const char* n) override { return sys.GetEnvironment(n); }
    CString GetSystemFolder() override { return sys.GetSystemFolder(); }
    bool SetCurrentFolder(const char* f) override { return sys.SetCurrentFolder(f); }
    CString GetFileVersion(const char* p) override { return sys.GetFileVersion(p); }
    void GetSystemVersion(DWORD& a, DWORD& b, DWORD& c, DWORD& d) override { sys.GetSystemVersion(a, b, c, d); }
};
