#include "FakePlatform.h"

#include "CommandLineText.h"

namespace {

class FakeList : public CProcessList {
public:
    explicit FakeList(const FakePlatform& platform) : m_platform(platform) {}

protected:
    void Enumerate() override
    {
        for (const FakePlatform::Process& p : m_platform.processes)
            if (p.running)
                Append(p.name, p.path, p.id);
    }
    bool IsHandleRunning(HANDLE h) const override { return m_platform.handleRunning(h); }

private:
    const FakePlatform& m_platform;
};

std::string Str(const char* s) { return s ? s : "(null)"; }

}

DWORD FakePlatform::Run(const CString& path, bool running)
{
    const DWORD id = m_nextId++;
    processes.push_back({ FileNameOf(path), path, id, running });
    return id;
}

void FakePlatform::End(DWORD id)
{
    for (Process& p : processes)
        if (p.id == id)
            p.running = false;
}

bool FakePlatform::handleRunning(HANDLE h) const
{
    // A handle is the id of the process it was made for, and it names that process only:
    // a later process with the same id is another one.
    const DWORD id = static_cast<DWORD>(reinterpret_cast<uintptr_t>(h));
    for (const Process& p : processes)
        if (p.id == id)
            return p.running;
    return false;
}

bool FakePlatform::Called(const std::string& prefix) const { return CountCalls(prefix) > 0; }

int FakePlatform::CountCalls(const std::string& prefix) const
{
    int n = 0;
    for (const std::string& c : calls)
        n += c.compare(0, prefix.size(), prefix) == 0;
    return n;
}

bool FakePlatform::StartProcess(const char* application, const char* commandLine, const char* folder,
                                bool separateWowVdm, ProcessInfo_Tag& started, DWORD& lastError)
{
    calls.push_back("CP " + Str(application) + "|" + Str(commandLine) + "|" + Str(folder) + (separateWowVdm ? "|vdm" : ""));
    const std::string text = Str(application) + "|" + Str(commandLine);
    for (const Rule& r : startRules) {
        if (text.find(r.match) == std::string::npos)
            continue;
        if (r.image.IsEmpty())
            break;
        const DWORD id = Run(r.image, !r.exitsAtOnce);
        started.ProcessID = id;
        started.hProcess = reinterpret_cast<HANDLE>(uintptr_t(id));
        return true;
    }
    lastError = 2;
    return false;
}

int FakePlatform::ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                               int showCmd)
{
    calls.push_back("SE " + Str(verb) + "|" + Str(file) + "|" + Str(parameters) + "|" + Str(folder) + "|"
                    + std::to_string(showCmd));
    for (const Rule& r : shellRules) {
        if (Str(file).find(r.match) == std::string::npos)
            continue;
        if (!r.image.IsEmpty())
            Run(r.image);
        return 42;
    }
    return 2;
}

std::unique_ptr<CProcessList> FakePlatform::NewProcessList() { return std::make_unique<FakeList>(*this); }

void FakePlatform::WaitForProcessWindow(ProcessInfo_Tag& info, bool hide)
{
    calls.push_back(std::string("WAITWINDOW ") + (hide ? "hide" : "show"));
    auto it = windowsByProcess.find(info.ProcessID);
    if (it != windowsByProcess.end())
        info.hWnd = it->second;
}

HWND FakePlatform::FindWindowByTitle(const char* title)
{
    auto it = windowsByTitle.find(Str(title));
    return it == windowsByTitle.end() ? nullptr : it->second;
}

void FakePlatform::ShowWindow(HWND window, int showCmd)
{
    calls.push_back("SHOW " + std::to_string(reinterpret_cast<uintptr_t>(window)) + " " + std::to_string(showCmd));
}

void FakePlatform::BringToFront(HWND window)
{
    calls.push_back("FRONT " + std::to_string(reinterpret_cast<uintptr_t>(window)));
}

void FakePlatform::StartTimer(CViewer&, UINT id, UINT milliseconds) { timers[id] = milliseconds; }

void FakePlatform::StopTimer(CViewer&, UINT id) { timers.erase(id); }

bool FakePlatform::AskConfirmation(const CString& message, bool& dontAsk)
{
    calls.push_back("ASK " + message.str());
    dontAsk = confirmDontAsk;
    return confirmYes;
}

CString FakePlatform::GetEnvironment(const char* name)
{
    return std::string(name) == "SystemRoot" ? CString("C:\\windows") : CString();
}

bool FakePlatform::SetCurrentFolder(const char* folder)
{
    calls.push_back("CD " + Str(folder));
    return true;
}

CString FakePlatform::GetFileVersion(const char* path)
{
    auto it = fileVersions.find(Str(path));
    return it == fileVersions.end() ? CString() : CString(it->second);
}

void FakePlatform::GetSystemVersion(DWORD& platformId, DWORD& major, DWORD& minor, DWORD& build)
{
    platformId = 2;
    major = 5;
    minor = 1;
    build = 2600;
}
