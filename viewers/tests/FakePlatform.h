// A platform whose answers the test scripts: a table of processes that starts grow, shell
// results, windows by title, the user's answers; every call is recorded in order.
#pragma once
#include "CViewer.h"

#include <map>
#include <string>
#include <vector>

class FakePlatform : public CViewerPlatform {
public:
    struct Process {
        CString name, path;
        DWORD id;
        bool running;
    };
    // A start whose application or command line contains match makes process image (a path)
    // run; an empty image makes it fail. A program that exits at once has ended before
    // anything can list it.
    struct Rule {
        std::string match;
        CString image;
        bool exitsAtOnce = false;
    };

    std::vector<Process> processes;
    std::vector<Rule> startRules;
    std::vector<Rule> shellRules;  // match against the file; result 42 when found, else 2
    std::map<std::string, HWND> windowsByTitle;
    std::map<DWORD, HWND> windowsByProcess;
    std::map<std::string, std::string> fileVersions;
    bool confirmYes = true;
    bool confirmDontAsk = false;

    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::map<UINT, UINT> timers;  // running timers: id -> milliseconds
    DWORD slept = 0;
    int closedHandles = 0;

    DWORD Run(const CString& path, bool running = true);
    void End(DWORD id);
    bool Called(const std::string& prefix) const;
    int CountCalls(const std::string& prefix) const;

    bool StartProcess(const char* application, const char* commandLine, const char* folder, bool separateWowVdm,
                      ProcessInfo_Tag& started, DWORD& lastError) override;
    int ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                     int showCmd) override;
    void WaitForIdle(HANDLE, DWORD) override {}
    void WaitForExit(HANDLE, DWORD milliseconds) override { calls.push_back("WaitForExit " + std::to_string(milliseconds)); }
    void CloseProcessHandle(HANDLE) override { ++closedHandles; }
    void Sleep(DWORD milliseconds) override { slept += milliseconds; }
    std::unique_ptr<CProcessList> NewProcessList() override;
    void WaitForProcessWindow(ProcessInfo_Tag& info, bool hide) override;
    HWND FindWindowByTitle(const char* title) override;
    void ShowWindow(HWND window, int showCmd) override;
    void BringToFront(HWND window) override;
    void StartTimer(CViewer&, UINT id, UINT milliseconds) override;
    void StopTimer(CViewer&, UINT id) override;
    bool AskConfirmation(const CString& message, bool& dontAsk) override;
    void ShowMessage(const char* text) override { messages.push_back(text); }
    CString GetEnvironment(const char* name) override;
    CString GetSystemFolder() override { return "C:\\windows\\system32"; }
    bool SetCurrentFolder(const char* folder) override;
    CString GetFileVersion(const char* path) override;
    void GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build) override;

    bool handleRunning(HANDLE h) const;

private:
    DWORD m_nextId = 0x100;
};
