#include "DialogDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <deque>

namespace {

struct Pending {
    std::string caption;
    std::function<void(HWND)> script;
    UINT_PTR timer = 0;
    DWORD started = 0;
    DWORD patience = 30000;
    HWND dialog = nullptr;
    bool ran = false;
};
Pending g_run;

struct Answer {
    bool colour = false;
    std::string title;
    std::string name;
    bool ok = true;
    COLORREF rgb = 0;
    std::function<void(HWND)> script;  // a dialog of the program's own
};
std::deque<Answer> g_answers;
UINT_PTR g_answerTimer = 0;

struct ClassSearch {
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM parameter)
{
    ClassSearch& s = *reinterpret_cast<ClassSearch*>(parameter);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, s.windowClass) == 0) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindChildOfClass(HWND parent, const char* windowClass)
{
    ClassSearch search = {windowClass, nullptr};
    ::EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

// The first item below parent (expanded on the way, down to depth levels) with the text.
HTREEITEM FindItem(HWND tree, HTREEITEM parent, const std::string& part, int depth)
{
    TreeView_Expand(tree, parent, TVE_EXPAND);
    Settle(100);
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item))
        if (ItemText(tree, item) == part)
            return item;
    if (depth > 1)
        for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item))
            if (HTREEITEM found = FindItem(tree, item, part, depth - 1))
                return found;
    return nullptr;
}

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter)
{
    Search& search = *reinterpret_cast<Search*>(parameter);
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (::IsWindowVisible(window) && *search.caption == text) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindInThread(const std::string& caption)
{
    Search search = {&caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_run.ran)
        return;
    HWND dialog = FindInThread(g_run.caption);
    if (!dialog) {
        if (::GetTickCount() - g_run.started > 10000) {
            ::KillTimer(nullptr, g_run.timer);
            g_run.timer = 0;
            ADD_FAILURE() << "no dialog titled \"" << g_run.caption << "\"";
        }
        return;
    }
    ::KillTimer(nullptr, g_run.timer);
    g_run.timer = 0;
    g_run.ran = true;
    g_run.dialog = dialog;
    // Let it paint first, as a person would see it.
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_run.script(dialog);
    // A script stopped by a failed assertion leaves the dialog open: cancel it now.
    if (::testing::Test::HasFatalFailure() && ::IsWindow(dialog)) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

void CALLBACK GiveAnswer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_answers.empty())
        return;
    const Answer answer = g_answers.front();
    HWND window = FindInThread(answer.colour ? "Color" : answer.title);
    if (!window)
        return;
    g_answers.pop_front();
    if (g_answers.empty()) {
        ::KillTimer(nullptr, g_answerTimer);
        g_answerTimer = 0;
    }
    if (answer.script) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        answer.script(window);
        if (::testing::Test::HasFatalFailure() && ::IsWindow(window))
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    if (answer.colour) {
        const int channels[3] = {GetRValue(answer.rgb), GetGValue(answer.rgb), GetBValue(answer.rgb)};
        for (int i = 0; i < 3 && answer.ok; ++i)
            ::SetDlgItemInt(window, 706 + i, static_cast<UINT>(channels[i]), FALSE);
    } else if (answer.ok) {
        HWND name = ::GetDlgItem(window, 0x47C);
        if (HWND edit = ::FindWindowExA(name, nullptr, "Edit", nullptr))
            name = edit;
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.name.c_str()));
    }
    const int button = answer.ok ? IDOK : IDCANCEL;
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
}

void Arm(const Answer& answer)
{
    g_answers.push_back(answer);
    if (!g_answerTimer)
        g_answerTimer = ::SetTimer(nullptr, 0, 50, GiveAnswer);
}

// A dialog left open by a failing script is cancelled after a while.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (::GetTickCount() - g_run.started < g_run.patience)
        return;
    ::KillTimer(nullptr, timer);
    if (g_run.dialog && ::IsWindow(g_run.dialog)) {
        ADD_FAILURE() << "the dialog \"" << g_run.caption << "\" was still open; cancelled";
        ::PostMessageA(g_run.dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostMessageA(g_run.dialog, WM_CLOSE, 0, 0);  // a main window that takes Cancel as a command
    }
}

}  // namespace

INT_PTR RunOpener(const std::function<INT_PTR()>& opener, const std::string& caption,
                  const std::function<void(HWND)>& script, DWORD patience)
{
    g_run = Pending();
    g_run.caption = caption;
    g_run.patience = patience;
    g_run.script = script;
    g_run.started = ::GetTickCount();
    g_run.timer = ::SetTimer(nullptr, 0, 50, RunScript);
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 1000, Watchdog);
    const INT_PTR result = opener();
    ::KillTimer(nullptr, watchdog);
    if (g_run.timer)
        ::KillTimer(nullptr, g_run.timer);
    EXPECT_TRUE(g_run.ran) << "the script for \"" << caption << "\" did not run";
    return result;
}

INT_PTR RunDialog(CDialog& dialog, const std::string& caption, const std::function<void(HWND)>& script,
                  DWORD patience)
{
    return RunOpener([&] { return dialog.DoModal(); }, caption, script, patience);
}

void Click(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    if (!control || !::IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << (control ? " is disabled" : " is missing");
        return;
    }
    const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) {
        const bool checked = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ::SendMessageA(control, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void SetText(HWND dialog, int id, const std::string& text)
{
    HWND control = ::GetDlgItem(dialog, id);
    if (!control || !::IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << (control ? " is disabled" : " is missing");
        return;
    }
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof className);
    const bool combo = lstrcmpiA(className, "ComboBox") == 0;
    ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_EDITCHANGE : EN_CHANGE),
                   reinterpret_cast<LPARAM>(control));
}

void Select(HWND dialog, int id, int index)
{
    HWND control = ::GetDlgItem(dialog, id);
    if (!control || !::IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << (control ? " is disabled" : " is missing");
        return;
    }
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
}

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

std::string Text(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

int Selection(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

void SelectListItem(HWND dialog, int id, int index)
{
    ::SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

int ListSelection(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0)); }

int ListItemCount(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0)); }

std::string ListItemText(HWND dialog, int id, int index)
{
    char text[256] = {};
    ::SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void Settle(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void AnswerFileDialog(const std::string& title, const std::string& name)
{
    Answer answer;
    answer.title = title;
    answer.name = name;
    answer.ok = !name.empty();
    Arm(answer);
}

void AnswerColorDialog(bool ok, COLORREF colour)
{
    Answer answer;
    answer.colour = true;
    answer.ok = ok;
    answer.rgb = colour;
    Arm(answer);
}

void AnswerDialog(const std::string& caption, const std::function<void(HWND)>& script)
{
    Answer answer;
    answer.title = caption;
    answer.script = script;
    Arm(answer);
}

void Type(HWND control, const std::string& text)
{
    if (HWND edit = ::FindWindowExA(control, nullptr, "Edit", nullptr))
        control = edit;
    for (char c : text)
        ::SendMessageA(control, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
}

bool AllAnswered() { return g_answers.empty(); }

void PressOk(HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

std::vector<std::string> BrowserWay(const std::string& folder)
{
    std::vector<std::string> way = {"/"};
    for (size_t from = folder.find('\\') + 1, to; from < folder.size(); from = to + 1) {
        to = std::min(folder.find('\\', from), folder.size());
        way.push_back(folder.substr(from, to - from));
    }
    return way;
}

void BrowseTo(HWND browser, const std::vector<std::string>& parts)
{
    HWND tree = FindChildOfClass(browser, "SysTreeView32");
    ASSERT_NE(tree, nullptr);
    HTREEITEM item = TreeView_GetRoot(tree);
    int depth = 3;
    for (const std::string& part : parts) {
        item = FindItem(tree, item, part, depth);
        depth = 1;
        if (!item) {
            std::string seen;
            for (HTREEITEM top = TreeView_GetChild(tree, TreeView_GetRoot(tree)); top; top = TreeView_GetNextSibling(tree, top)) {
                seen += "[" + ItemText(tree, top) + "]";
                for (HTREEITEM c = TreeView_GetChild(tree, top); c; c = TreeView_GetNextSibling(tree, c))
                    seen += " " + ItemText(tree, c);
            }
            ADD_FAILURE() << "no folder " << part << " in the browser: root " << ItemText(tree, TreeView_GetRoot(tree)) << ": " << seen;
            ::PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
    }
    TreeView_SelectItem(tree, item);
    Settle(200);
    PressOk(browser);
}

namespace {

// The drop-down square pressed, the arrow key pressed the times given, then the last key.
void DropDownAndKeys(HWND dialog, UINT button, int downs, WPARAM last, DWORD settle)
{
    HWND control = ::GetDlgItem(dialog, static_cast<int>(button));
    ASSERT_TRUE(::IsWindowEnabled(control)) << "browse button " << button;
    RECT r;
    ::GetClientRect(control, &r);
    const LPARAM corner = MAKELPARAM(r.right - 3, r.bottom - 3);
    ::PostMessageA(control, WM_MOUSEMOVE, 0, corner);
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, corner);
    for (int i = 0; i < downs; ++i)
        ::PostMessageA(control, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(control, WM_KEYDOWN, last, 0);
    Settle(settle);
}

}  // namespace

void ChooseMenuCommand(HWND dialog, UINT button, int position) { DropDownAndKeys(dialog, button, position, VK_RETURN, 1500); }

void DismissMenu(HWND dialog, UINT button) { DropDownAndKeys(dialog, button, 0, VK_ESCAPE, 500); }

HWND FindTopLevel(const std::string& caption)
{
    Search search = {&caption, nullptr};
    ::EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---------------------------------------------------------------------------------------
// Screenshots and scratch folders

#include "ScreenCapture.h"

struct ScreenGrab {
    Screenshot shot;
};

CScreen::CScreen() : m_grab(new ScreenGrab)
{
    Settle(100);
    m_grab->shot = TakeScreenshot("dialog_screen");
}

CScreen::~CScreen() { delete m_grab; }

bool CScreen::Taken() const { return m_grab->shot.width > 0; }

COLORREF CScreen::ClientPixel(HWND window, int x, int y) const
{
    POINT at = {x, y};
    ::ClientToScreen(window, &at);
    return m_grab->shot.Pixel(at.x, at.y);
}

COLORREF CentreOf(HWND dialog, int id)
{
    const CScreen screen;
    HWND control = ::GetDlgItem(dialog, id);
    RECT r;
    ::GetClientRect(control, &r);
    return screen.ClientPixel(control, r.right / 2, r.bottom / 2);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}


std::string MakeBaseFolder(const std::string& name, const std::vector<std::string>& programs)
{
    const std::string folder = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name;
    RemoveTree(folder);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program(self);
    program = program.substr(0, program.rfind('\\')) + "\\composer_test_target.exe";
    for (const std::string& copy : programs)
        EXPECT_TRUE(::CopyFileA(program.c_str(), (folder + "\\" + copy).c_str(), FALSE)) << copy;
    return folder;
}

void WriteFile(const std::string& path, const std::string& content)
{
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
    }
}

std::string ReadFile(const std::string& path)
{
    std::string content;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            content.append(buffer, got);
        std::fclose(in);
    }
    return content;
}

namespace {

std::string DosDevice(char letter)
{
    char prefix[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
        return std::string();
    return std::string(prefix) + "/dosdevices/" + letter + ":";
}

}  // namespace

bool MapDrive(char letter, const std::string& folder)
{
    const std::string link = DosDevice(letter);
    if (link.empty() || !RunUnix("Z:\\bin\\ln -sfn " + UnixPath(folder) + " " + link))
        return false;
    const std::string root = std::string(1, letter) + ":\\";
    for (int i = 0; i < 50; ++i) {
        if (::GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(100);
    }
    return false;
}

void UnmapDrive(char letter)
{
    const std::string link = DosDevice(letter);
    if (!link.empty())
        RunUnix("Z:\\bin\\rm -f " + link);
}
