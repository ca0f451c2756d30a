// Driving a running program from outside, as a person would: its windows found by process
// and caption, buttons clicked, check boxes ticked, menu commands chosen, the file dialog and
// message boxes answered, and texts and states read back. Across processes texts are read
// with WM_GETTEXT only (GetWindowText does not ask another process).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class ComposerDriver {
public:
    ~ComposerDriver();

    // Starts the program in the folder given as current directory.
    bool Start(const std::string& program, const std::string& currentDirectory);
    // Waits for the program to end; false (and the program ended by force) after the time.
    bool WaitForExit(DWORD milliseconds);
    bool IsRunning() const;

    // A visible top-level window of the program with this caption (null after the time).
    HWND WaitForWindow(const char* caption, DWORD milliseconds = 15000) const;
    HWND FindWindowNow(const char* caption) const;
    // The child of a dialog with this id (and window class, when given).
    static HWND Control(HWND dialog, int id, const char* windowClass = nullptr);
    static std::string Text(HWND window);
    static std::string ControlText(HWND dialog, int id) { return Text(Control(dialog, id)); }
    static bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(Control(dialog, id, "Button")) != FALSE; }

    // A menu or accelerator command.
    static void Command(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // A click on a button: BN_CLICKED from the button.
    static void Click(HWND dialog, int id);
    // A check box ticked or unticked by a click; its state afterwards.
    static bool Toggle(HWND dialog, int id);
    static bool IsChecked(HWND dialog, int id);

    // Types the path into the open file dialog with this title and presses OK.
    bool AnswerFileDialog(const char* title, const std::string& path, DWORD milliseconds = 15000) const;
    // Cancels the file dialog with this title.
    bool CancelFileDialog(const char* title, DWORD milliseconds = 15000) const;
    // The text of the next message box of the program (after pressing OK on it); "" when none came.
    std::string AnswerMessageBox(DWORD milliseconds = 15000) const;

    // Polls until the condition holds; false after the time.
    static bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 15000);

    DWORD ProcessId() const { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process = {};
};

// The X screen under Wine, as the test fixture's display shows it.
namespace WineScreen {
// Saves the whole screen as <test binary folder>\<name>.png; false when xwd or ImageMagick failed.
bool Save(const std::string& name);
// The colour of one pixel of the last saved screen <name>.png (CLR_INVALID when unknown).
COLORREF Pixel(const std::string& name, int x, int y);
}  // namespace WineScreen
