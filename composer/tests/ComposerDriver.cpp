#include "ComposerDriver.h"

#include "ScreenCapture.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct FindWindowSearch {
    DWORD processId;
    const char* caption;      // null: any
    const char* windowClass;  // null: any
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter)
{
    FindWindowSearch& search = *reinterpret_cast<FindWindowSearch*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search.processId || !::IsWindowVisible(window))
        return TRUE;
    if (search.windowClass) {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, search.windowClass) != 0)
            return TRUE;
    }
    if (search.caption && ComposerDriver::Text(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A message box is a dialog whose text is static 0xFFFF.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter)
{
    FindWindowSearch& search = *reinterpret_cast<FindWindowSearch*>(parameter);
    if (FindTopLevel(window, parameter) || !::GetDlgItem(window, 0xFFFF)) {
        search.found = nullptr;
        return TRUE;
    }
    return FALSE;
}

struct FindChildSearch {
    int id;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM parameter)
{
    FindChildSearch& search = *reinterpret_cast<FindChildSearch*>(parameter);
    if (::GetDlgCtrlID(window) != search.id)
        return TRUE;
    if (search.windowClass) {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, search.windowClass) != 0)
            return TRUE;
    }
    search.found = window;
    return FALSE;
}

}  // namespace

ComposerDriver::~ComposerDriver()
{
    if (m_process.hProcess) {
        if (IsRunning())
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hProcess);
    }
}

bool ComposerDriver::Start(const std::string& program, const std::string& currentDirectory)
{
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup = {sizeof startup};
    if (!::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, currentDirectory.c_str(),
                          &startup, &m_process))
        return false;
    ::CloseHandle(m_process.hThread);
    m_process.hThread = nullptr;
    return true;
}

bool ComposerDriver::IsRunning() const
{
    return m_process.hProcess && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool ComposerDriver::WaitForExit(DWORD milliseconds)
{
    if (!m_process.hProcess)
        return true;
    if (::WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0)
        return true;
    ::TerminateProcess(m_process.hProcess, 1);
    return false;
}

HWND ComposerDriver::FindWindowNow(const char* caption) const
{
    FindWindowSearch search = {m_process.dwProcessId, caption, nullptr, nullptr};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ComposerDriver::WaitForWindow(const char* caption, DWORD milliseconds) const
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowNow(caption)) != nullptr; }, milliseconds);
    return found;
}

HWND ComposerDriver::Control(HWND dialog, int id, const char* windowClass)
{
    FindChildSearch search = {id, windowClass, nullptr};
    ::EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ComposerDriver::Text(HWND window)
{
    if (!window)
        return std::string();
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          5000, &copied);
    return std::string(text.data());
}

void ComposerDriver::Click(HWND dialog, int id)
{
    HWND button = Control(dialog, id, "Button");
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool ComposerDriver::Toggle(HWND dialog, int id)
{
    ::SendMessageA(Control(dialog, id, "Button"), BM_CLICK, 0, 0);
    return IsChecked(dialog, id);
}

bool ComposerDriver::IsChecked(HWND dialog, int id)
{
    return ::SendMessageA(Control(dialog, id, "Button"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool ComposerDriver::AnswerFileDialog(const char* title, const std::string& path, DWORD milliseconds) const
{
    HWND dialog = WaitForWindow(title, milliseconds);
    if (!dialog)
        return false;
    // The name field (a combo box's edit in the explorer-style dialog, or the edit itself).
    HWND name = Control(dialog, 0x47C);
    if (name) {
        char cls[32] = {};
        ::GetClassNameA(name, cls, sizeof cls);
        if (lstrcmpiA(cls, "ComboBox") == 0)
            if (HWND edit = ::FindWindowExA(name, nullptr, "Edit", nullptr))
                name = edit;
    }
    if (!name)
        name = Control(dialog, 0x480);
    if (!name)
        return false;
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Control(dialog, IDOK)));
    return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, milliseconds);
}

bool ComposerDriver::CancelFileDialog(const char* title, DWORD milliseconds) const
{
    HWND dialog = WaitForWindow(title, milliseconds);
    if (!dialog)
        return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Control(dialog, IDCANCEL)));
    return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, milliseconds);
}

std::string ComposerDriver::AnswerMessageBox(DWORD milliseconds) const
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            FindWindowSearch search = {m_process.dwProcessId, nullptr, "#32770", nullptr};
            ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
            box = search.found;
            return box != nullptr;
        },
        milliseconds);
    if (!box)
        return std::string();
    const std::string text = Text(Control(box, 0xFFFF, "Static"));
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Control(box, IDOK)));
    WaitUntil([&] { return !::IsWindow(box); }, milliseconds);
    return text;
}

bool ComposerDriver::WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= milliseconds)
            return false;
        ::Sleep(50);
    }
}

namespace {

// A Unix program started from Wine: its output file is complete once it exists and has
// stopped growing.
bool RunUnixInto(const std::string& command, const std::string& output)
{
    ::DeleteFileA(output.c_str());
    return RunUnix(command) && WaitForFile(output);
}

std::string ShotPath(const std::string& name, const char* extension)
{
    return std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + extension;
}

}  // namespace

bool WineScreen::Save(const std::string& name)
{
    const std::string display = TestDisplay();
    const std::string xwd = ShotPath(name, ".xwd");
    const std::string png = ShotPath(name, ".png");
    if (!RunUnixInto("Z:\\usr\\bin\\xwd -root -silent" + (display.empty() ? "" : " -display " + display) + " -out " +
                         UnixPath(xwd),
                     xwd))
        return false;
    const bool converted = RunUnixInto("Z:\\usr\\bin\\convert " + UnixPath(xwd) + " " + UnixPath(png), png);
    ::DeleteFileA(xwd.c_str());
    return converted;
}

COLORREF WineScreen::Pixel(const std::string& name, int x, int y)
{
    const std::string text = ShotPath(name, ".pixel.txt");
    char crop[64];
    std::snprintf(crop, sizeof crop, " -crop 1x1+%d+%d -depth 8 txt:", x, y);
    if (!RunUnixInto("Z:\\usr\\bin\\convert " + UnixPath(ShotPath(name, ".png")) + crop + UnixPath(text), text))
        return CLR_INVALID;
    // "0,0: (48,150,250)  #3096FA  srgb(48,150,250)"
    std::string content;
    if (FILE* in = std::fopen(text.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, in))
            content += line;
        std::fclose(in);
    }
    ::DeleteFileA(text.c_str());
    const size_t hash = content.find('#', content.find(':'));
    if (hash == std::string::npos || hash + 7 > content.size())
        return CLR_INVALID;
    const unsigned long rgb = std::strtoul(content.substr(hash + 1, 6).c_str(), nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
