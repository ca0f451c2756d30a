#include "TargetDialogTools.h"

#include <deque>

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

StandInControls::StandInControls()
{
    const std::string player = ProgramFolder() + "\\velmora_standin9.dll";
    m_registration.Register(StandInControlRegistration::Newer, player);
    m_registration.Register(StandInControlRegistration::Older, player);
    m_registration.Register(StandInControlRegistration::Flash, player);
}

bool RecordingPlatform::StartProcess(const char* application, const char* commandLine, const char* folder,
                                     bool separate, ProcessInfo_Tag& started_, DWORD& lastError)
{
    started.push_back(std::string(application ? application : "") + "|" + (commandLine ? commandLine : ""));
    return CInertViewerPlatform::StartProcess(application, commandLine, folder, separate, started_, lastError);
}

namespace {

struct WindowScript {
    std::string caption;
    std::function<void(HWND)> script;
};
std::deque<WindowScript> g_scripts;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter)
{
    auto* found = reinterpret_cast<std::pair<const std::string*, HWND>*>(parameter);
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (::IsWindowVisible(window) && *found->first == text) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunWindowScript(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_scripts.empty())
        return;
    std::pair<const std::string*, HWND> found(&g_scripts.front().caption, nullptr);
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisible, reinterpret_cast<LPARAM>(&found));
    if (!found.second)
        return;
    const WindowScript next = g_scripts.front();
    g_scripts.pop_front();
    if (g_scripts.empty()) {
        ::KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
    next.script(found.second);
}

} // namespace

void WhenWindowShows(const std::string& caption, const std::function<void(HWND)>& script)
{
    g_scripts.push_back({caption, script});
    if (!g_timer)
        g_timer = ::SetTimer(nullptr, 0, 50, RunWindowScript);
}

bool AllWindowScriptsRan() { return g_scripts.empty(); }
