// The installer end to end under Wine: a test installer walked page by page installs its
// files, shortcuts and uninstall entry; Wine's uninstaller then starts the installed
// Uninstall.exe, which removes it all again.
#include "ScreenCapture.h"
#include "TestFiles.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace testfiles;

namespace {

const std::string kBin = VELMORA_TEST_BINARY_DIR;
const std::string kSources = VELMORA_TEST_SOURCE_DIR "\\installer";
const char kCaption[] = "Tarnwick - Velmora 2.9";

std::string Text(HWND h)
{
    char s[1024] = {};
    ::SendMessageTimeoutA(h, WM_GETTEXT, sizeof s, reinterpret_cast<LPARAM>(s), SMTO_ABORTIFHUNG, 2000, nullptr);
    return s;
}

// The page showing now, told by its title static (and, for the two pages with the same
// title, by the welcome page's second text).
struct Page {
    HWND hwnd = nullptr;
    std::string title;
};

BOOL CALLBACK FindPage(HWND h, LPARAM data)
{
    Page* page = reinterpret_cast<Page*>(data);
    if (::IsWindowVisible(h) && Text(h) == kCaption && ::GetDlgItem(h, 1001)) {
        page->hwnd = h;
        page->title = Text(::GetDlgItem(h, 1001));
        if (::GetDlgItem(h, 1014) && page->title == "Corvex Software - Velmora 2.9")
            page->title = "welcome";
        return FALSE;
    }
    return TRUE;
}

Page WaitForPage(const std::string& title, int ms = 20000)
{
    for (int waited = 0; waited < ms; waited += 100) {
        Page page;
        ::EnumWindows(FindPage, reinterpret_cast<LPARAM>(&page));
        if (page.hwnd && page.title == title)
            return page;
        ::Sleep(100);
    }
    return Page();
}

void Press(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    for (int waited = 0; waited < 20000 && !::IsWindowEnabled(button); waited += 100)
        ::Sleep(100);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

DWORD StartProgram(const std::string& commandLine, const std::string& folder, bool wait)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return 0xffffffff;
    DWORD code = 0;
    if (wait) {
        ::WaitForSingleObject(pi.hProcess, 60000);
        ::GetExitCodeProcess(pi.hProcess, &code);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

HANDLE Launch(const std::string& commandLine, const std::string& folder)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return nullptr;
    ::CloseHandle(pi.hThread);
    return pi.hProcess;
}

bool Ended(HANDLE process, int ms = 20000)
{
    const bool ended = process && ::WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
    if (process) {
        if (!ended)
            ::TerminateProcess(process, 1);
        ::CloseHandle(process);
    }
    return ended;
}

// The output of a console program.
std::string Capture(const std::string& commandLine)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return std::string();
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine, out;
    if (::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, "C:\\", &si, &pi)) {
        ::CloseHandle(writeEnd);
        char buffer[512];
        DWORD n;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n)
            out.append(buffer, n);
        ::WaitForSingleObject(pi.hProcess, 30000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    } else {
        ::CloseHandle(writeEnd);
    }
    ::CloseHandle(readEnd);
    return out;
}

// A message box of the installer (captioned with its product line) whose text contains part.
struct Box {
    HWND hwnd = nullptr;
    std::string text;
};

BOOL CALLBACK FindBox(HWND h, LPARAM data)
{
    Box* box = reinterpret_cast<Box*>(data);
    char cls[32] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    if (::IsWindowVisible(h) && std::string(cls) == "#32770" && Text(h) == "Corvex Software - Velmora 2.9"
        && ::GetDlgItem(h, 0xffff)) {
        box->hwnd = h;
        box->text = Text(::GetDlgItem(h, 0xffff));
        return FALSE;
    }
    return TRUE;
}

Box WaitForBox(const std::string& part, int ms = 20000)
{
    for (int waited = 0; waited < ms; waited += 100) {
        Box box;
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
        if (box.hwnd && box.text.find(part) != std::string::npos)
            return box;
        ::Sleep(100);
    }
    return Box();
}

void Answer(const Box& box, int id)
{
    ::PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

RECT ScreenRect(HWND dialog, int id)
{
    RECT r = {};
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    return r;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 24)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A page on screen: the highlighted band under its title, the etched line over its
// buttons (shadow, then highlight below it) and the picture at its side.
void CheckPageOnScreen(const Page& page, const std::string& name)
{
    ::Sleep(500); // painted
    const Screenshot shot = TakeScreenshot("setup_" + name);
    ASSERT_GT(shot.width, 0) << name;
    const RECT title = ScreenRect(page.hwnd, 1001), picture = ScreenRect(page.hwnd, 1004);
    const RECT button = ScreenRect(page.hwnd, ::GetDlgItem(page.hwnd, 1010) ? 1010 : 1);
    EXPECT_EQ(shot.Pixel(title.left + 10, title.bottom + 5), ::GetSysColor(COLOR_HIGHLIGHT)) << name;
    EXPECT_EQ(shot.Pixel(title.left + 10, title.bottom + 5), RGB(0x30, 0x96, 0xfa)) << name;
    EXPECT_NE(shot.Pixel(title.left + 10, title.bottom + 1), ::GetSysColor(COLOR_HIGHLIGHT)) << name;
    const int x = (picture.right + button.right) / 2;
    EXPECT_EQ(shot.Pixel(x, button.top - 10), RGB(0xa6, 0xa6, 0xa6)) << name;
    EXPECT_EQ(shot.Pixel(x, button.top - 9), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << name;
    EXPECT_NE(shot.Pixel(picture.right + 4, button.top - 10), RGB(0xa6, 0xa6, 0xa6)) << name << ": starts right of the picture";
    // The side picture: dark blue at its top, lighter at its foot.
    EXPECT_TRUE(Near(shot.Pixel(picture.left + 3, picture.top + 3), RGB(0x1d, 0x4f, 0x91))) << name;
    EXPECT_TRUE(Near(shot.Pixel(picture.left + 3, picture.bottom - 3), RGB(0x7f, 0xb2, 0xe5), 40)) << name;
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY h;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(h);
    return true;
}

std::string Special(int csidl)
{
    char path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

bool WaitGone(const std::string& path, int ms)
{
    for (int waited = 0; waited < ms; waited += 100) {
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(100);
    }
    return false;
}

} // namespace

TEST(SetupRun, InstallsAndIsRemovedByTheUninstaller)
{
    const std::string installFolder = "C:\\Velmora Test Install\\Corvex Software\\Velmora";
    const std::string caller = "C:\\setup caller";
    ::CreateDirectoryA(caller.c_str(), nullptr);
    WriteFile(caller + "\\Uninstall.exe", "not the uninstaller");
    WriteFile(caller + "\\tocFile.ext", "not a list");
    const std::string installer = kBin + "\\..\\..\\bin\\TestSetup.exe";

    // Install.
    StartProgram("\"" + installer + "\"", caller, false);
    Page page = WaitForPage("welcome");
    ASSERT_TRUE(page.hwnd);
    CheckPageOnScreen(page, "welcome");
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    CheckPageOnScreen(page, "folder");
    EXPECT_NE(Text(::GetDlgItem(page.hwnd, 1005)).find("\\Corvex Software"), std::string::npos)
        << Text(::GetDlgItem(page.hwnd, 1005));
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>((installFolder + "\\").c_str()));
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    ASSERT_TRUE(page.hwnd);
    for (int i = 0; i < 200 && !::IsWindowEnabled(::GetDlgItem(page.hwnd, 1)); ++i)
        ::Sleep(100);
    CheckPageOnScreen(page, "install_progress");
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Complete");
    ASSERT_TRUE(page.hwnd);
    CheckPageOnScreen(page, "install_done");
    ::SendMessageA(::GetDlgItem(page.hwnd, 1015), BM_SETCHECK, BST_UNCHECKED, 0);
    Press(page.hwnd, 1);
    ASSERT_TRUE(WaitGone("C:\\CorvexTemp", 20000));

    EXPECT_TRUE(ReadFile(installFolder + "\\Velmora_Composer.exe") == ReadFile(kSources + "\\Velmora_Composer.exe"));
    EXPECT_TRUE(ReadFile(installFolder + "\\docs\\readme.txt") == ReadFile(kSources + "\\readme.txt"));
    EXPECT_TRUE(Exists(installFolder + "\\Uninstall.exe"));
    const std::string programs = Special(CSIDL_PROGRAMS) + "\\Corvex Software\\Velmora Test";
    EXPECT_TRUE(Exists(programs + "\\Velmora Test.lnk"));
    EXPECT_TRUE(Exists(programs + "\\Uninstall Velmora Test.lnk"));
    EXPECT_FALSE(Exists(Special(CSIDL_DESKTOP) + "\\Velmora Composer.lnk"));
    const std::string list = ReadFile(installFolder + "\\tocFile.ext");
    EXPECT_NE(list.find("#@##@#" + installFolder + "\\docs\\readme.txt\r\n"), std::string::npos) << list;
    EXPECT_NE(list.find("#@##@#" + programs + "\\Velmora Test.lnk\r\n"), std::string::npos) << list;
    EXPECT_NE(list.find("#@#FOLDER LIST#@#\r\n" + std::string("C:\\Velmora Test Install\r\n")), std::string::npos)
        << list;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora"));
    const std::string reg =
        Capture("reg.exe query \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora\" /reg:32");
    EXPECT_NE(reg.find("Velmora 2.9"), std::string::npos) << reg;
    EXPECT_NE(reg.find(installFolder + "\\Uninstall.exe"), std::string::npos) << reg;
    const std::string listed = Capture("uninstaller.exe --list");
    EXPECT_NE(listed.find("Velmora|||Velmora 2.9"), std::string::npos) << listed;
    // The links, for lnkinfo to read after this test.
    ::CreateDirectoryA((kBin + "\\links").c_str(), nullptr);
    ::CopyFileA((programs + "\\Velmora Test.lnk").c_str(), (kBin + "\\links\\program.lnk").c_str(), FALSE);
    ::CopyFileA((programs + "\\Uninstall Velmora Test.lnk").c_str(), (kBin + "\\links\\uninstall.lnk").c_str(), FALSE);

    // A file of the user's keeps its folder and that folder's parents.
    WriteFile(installFolder + "\\docs\\mine.txt", "the user's own");

    // Remove, as a user would, through the system's list of programs.
    StartProgram("uninstaller.exe --remove Velmora", caller, false);
    page = WaitForPage("Corvex Software - Velmora 2.9");
    ASSERT_TRUE(page.hwnd);
    CheckPageOnScreen(page, "remove_confirm");
    Press(page.hwnd, 1);
    page = WaitForPage("Removal Progress");
    ASSERT_TRUE(page.hwnd);
    for (int i = 0; i < 200 && !::IsWindowEnabled(::GetDlgItem(page.hwnd, 1)); ++i)
        ::Sleep(100);
    CheckPageOnScreen(page, "remove_progress");
    Press(page.hwnd, 1);
    page = WaitForPage("Removal Complete");
    ASSERT_TRUE(page.hwnd);
    CheckPageOnScreen(page, "remove_done");
    Press(page.hwnd, 1);
    EXPECT_TRUE(WaitGone(installFolder + "\\Uninstall.exe", 20000));
    EXPECT_TRUE(WaitGone("C:\\DelUS.bat", 20000));

    EXPECT_FALSE(Exists(installFolder + "\\Velmora_Composer.exe"));
    EXPECT_FALSE(Exists(installFolder + "\\docs\\readme.txt"));
    EXPECT_FALSE(Exists(installFolder + "\\tocFile.ext"));
    EXPECT_TRUE(Exists(installFolder + "\\docs\\mine.txt"));
    EXPECT_FALSE(Exists(programs + "\\Velmora Test.lnk"));
    EXPECT_FALSE(Exists(programs));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvex Software"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Corvex Software"));
    EXPECT_EQ(ReadFile(caller + "\\Uninstall.exe"), "not the uninstaller");
    EXPECT_EQ(ReadFile(caller + "\\tocFile.ext"), "not a list");

    // Leave the prefix as it was.
    ::DeleteFileA((installFolder + "\\docs\\mine.txt").c_str());
    for (const std::string& f : {installFolder + "\\docs", installFolder, std::string("C:\\Velmora Test Install\\Corvex Software"),
                                 std::string("C:\\Velmora Test Install")})
        ::RemoveDirectoryA(f.c_str());
}

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";

std::string Installer(const char* name)
{
    return kBin + "\\..\\..\\bin\\" + name;
}

// Walks an installer through its pages into folder.
bool Install(const std::string& installer, const std::string& folder, bool desktop)
{
    HANDLE process = Launch("\"" + installer + "\"", "C:\\");
    Page page = WaitForPage("welcome");
    if (!page.hwnd)
        return Ended(process, 0);
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    if (!page.hwnd)
        return Ended(process, 0) && false;
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    if (!page.hwnd)
        return Ended(process, 0) && false;
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Complete");
    if (!page.hwnd)
        return Ended(process, 0) && false;
    ::SendMessageA(::GetDlgItem(page.hwnd, 1015), BM_SETCHECK, desktop ? BST_CHECKED : BST_UNCHECKED, 0);
    Press(page.hwnd, 1);
    return Ended(process);
}

bool RemoveThroughUninstaller()
{
    HANDLE process = Launch("uninstaller.exe --remove Velmora", "C:\\");
    for (const char* title : {"Corvex Software - Velmora 2.9", "Removal Progress", "Removal Complete"}) {
        Page page = WaitForPage(title);
        if (!page.hwnd)
            return Ended(process, 0) && false;
        Press(page.hwnd, 1);
    }
    Ended(process);
    return WaitGone("C:\\DelUS.bat", 20000);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA d;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = d.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(h, &d));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(folder.c_str());
}

// A run cut off half way (a killed test run) leaves an installation in the tree's Wine
// prefix: its folders, links and uninstall entry would fail the next run's checks, so they
// go before the first test.
class LeftoversOfAnEarlierRun : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::DeleteFileA((Special(CSIDL_DESKTOP) + "\\Velmora Composer.lnk").c_str());
        RemoveTree(Special(CSIDL_PROGRAMS) + "\\Corvex Software");
        RemoveTree(Special(CSIDL_PROGRAM_FILES) + "\\Corvex Software");
        for (const char* folder : {"C:\\Velmora Test Install", "C:\\100% done", "C:\\Velmora Fault",
                                   "C:\\setup faults", "C:\\CorvexTemp"})
            RemoveTree(folder);
        ::DeleteFileA("C:\\DelUS.bat");
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora");
    }
};

const ::testing::Environment* const kLeftovers = ::testing::AddGlobalTestEnvironment(new LeftoversOfAnEarlierRun);

} // namespace

// A folder with "%" in its name, the desktop shortcut, and an installed list edited to name
// a file outside the installation and a folder line that would run a command.
TEST(SetupRun, PerCentFolderDesktopLinkAndAnEditedList)
{
    const std::string root = "C:\\100% done";
    const std::string folder = root + "\\Velmora";
    const std::string desktopLink = Special(CSIDL_DESKTOP) + "\\Velmora Composer.lnk";
    ASSERT_TRUE(Install(Installer("TestSetup.exe"), folder, true));
    EXPECT_TRUE(Exists(folder + "\\Velmora_Composer.exe"));
    EXPECT_TRUE(Exists(desktopLink));
    WriteFile("C:\\outside.txt", "not the installation's");
    std::string list = ReadFile(folder + "\\tocFile.ext");
    const size_t files = list.find("#@#FILE LIST#@#\r\n");
    ASSERT_NE(files, std::string::npos);
    list.insert(files + 17, "#@##@#C:\\outside.txt\r\n");
    list += "C:\\x\" & echo owned > C:\\owned.txt & rem \"\r\n";
    WriteFile(folder + "\\tocFile.ext", list);
    ASSERT_TRUE(RemoveThroughUninstaller());
    EXPECT_TRUE(WaitGone(root, 10000));
    EXPECT_FALSE(Exists(desktopLink));
    EXPECT_EQ(ReadFile("C:\\outside.txt"), "not the installation's");
    EXPECT_FALSE(Exists("C:\\owned.txt"));
    ::DeleteFileA("C:\\outside.txt");
    RemoveTree(root);
}

// Runs that must end without installing anything (or, as uninstaller, removing anything).
TEST(SetupRun, FaultCases)
{
    const std::string folder = "C:\\Velmora Fault\\Velmora";
    const std::string work = "C:\\setup faults";
    RemoveTree(work);
    ::CreateDirectoryA(work.c_str(), nullptr);

    // A damaged trailer: "Error!", nothing created.
    {
        std::string exe = ReadFile(Installer("TestSetup.exe"));
        ASSERT_GT(exe.size(), 14u);
        exe[exe.size() - 14] = '\x2c';
        exe[exe.size() - 13] = '\x01'; // 300 entries
        WriteFile(work + "\\Damaged.exe", exe);
        HANDLE p = Launch("\"" + work + "\\Damaged.exe\"", "C:\\");
        Box box = WaitForBox("Error!");
        EXPECT_TRUE(box.hwnd) << "damaged trailer";
        Answer(box, IDOK);
        EXPECT_TRUE(Ended(p));
        EXPECT_FALSE(Exists("C:\\CorvexTemp"));

        // Cut before its marker: the uninstaller, which finds no list and removes nothing.
        exe.pop_back();
        WriteFile(work + "\\Cut.exe", exe);
        WriteFile(work + "\\keep.txt", "kept");
        p = Launch("\"" + work + "\\Cut.exe\"", "C:\\");
        box = WaitForBox("An Error occured opening " + work + "\\tocFile.ext");
        EXPECT_TRUE(box.hwnd) << "cut installer";
        Answer(box, IDOK);
        EXPECT_TRUE(Ended(p));
        EXPECT_TRUE(Exists(work + "\\keep.txt"));
        EXPECT_TRUE(Exists(work + "\\Cut.exe"));
    }
    // The bare program with no list beside it.
    ASSERT_TRUE(::CopyFileA(Installer("Uninstall.exe").c_str(), (work + "\\Uninstall.exe").c_str(), FALSE));
    HANDLE p = Launch("\"" + work + "\\Uninstall.exe\"", "C:\\");
    Box box = WaitForBox("An Error occured opening " + work + "\\tocFile.ext");
    EXPECT_TRUE(box.hwnd) << "bare program";
    Answer(box, IDOK);
    EXPECT_TRUE(Ended(p));

    // Cancel: "No" keeps the page, "Yes" ends the run; on the folder page too.
    p = Launch("\"" + Installer("TestSetup.exe") + "\"", "C:\\");
    Page page = WaitForPage("welcome");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1010);
    box = WaitForBox("Are you sure you want to cancel the Installation?");
    ASSERT_TRUE(box.hwnd);
    Answer(box, IDNO);
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd) << "No kept the welcome page";
    Press(page.hwnd, 1010);
    box = WaitForBox("Are you sure you want to cancel the Installation?");
    ASSERT_TRUE(box.hwnd);
    Answer(box, IDYES);
    EXPECT_TRUE(Ended(p));
    EXPECT_FALSE(Exists("C:\\CorvexTemp"));

    // An empty folder is refused; Back after copying undoes the copy; then Cancel.
    p = Launch("\"" + Installer("TestSetup.exe") + "\"", "C:\\");
    page = WaitForPage("welcome");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("relative\\folder"));
    Press(page.hwnd, 1);
    box = WaitForBox("Select your Installation Folder");
    ASSERT_TRUE(box.hwnd) << "a relative folder is refused";
    Answer(box, IDOK);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 2);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd) << "Back after copying";
    EXPECT_FALSE(Exists(folder + "\\Velmora_Composer.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1010);
    box = WaitForBox("Are you sure you want to cancel the Installation?");
    ASSERT_TRUE(box.hwnd);
    Answer(box, IDYES);
    EXPECT_TRUE(Ended(p));
    EXPECT_FALSE(Exists(folder + "\\Velmora_Composer.exe"));
    EXPECT_FALSE(Exists("C:\\Velmora Fault"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists("C:\\CorvexTemp"));

    // A folder standing where a file goes: the error, then all is rolled back.
    ASSERT_TRUE(::CreateDirectoryA("C:\\Velmora Fault", nullptr));
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((folder + "\\Velmora_Composer.exe").c_str(), nullptr));
    p = Launch("\"" + Installer("TestSetup.exe") + "\"", "C:\\");
    page = WaitForPage("welcome");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    Press(page.hwnd, 1);
    box = WaitForBox("An Error occured during installation");
    EXPECT_TRUE(box.hwnd) << "blocked copy";
    Answer(box, IDOK);
    EXPECT_TRUE(Ended(p));
    EXPECT_FALSE(Exists(folder + "\\docs\\readme.txt"));
    EXPECT_FALSE(Exists(folder + "\\Uninstall.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists("C:\\CorvexTemp"));
    RemoveTree("C:\\Velmora Fault");

    // A cabinet list that names a place outside: refused before anything is copied.
    p = Launch("\"" + Installer("HostileSetup.exe") + "\"", "C:\\");
    box = WaitForBox("An Error occured during installation");
    EXPECT_TRUE(box.hwnd) << "hostile list";
    Answer(box, IDOK);
    EXPECT_TRUE(Ended(p));
    EXPECT_FALSE(Exists("C:\\evil.txt"));
    EXPECT_FALSE(Exists("C:\\CorvexTemp"));
    RemoveTree(work);
}

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA d;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(d.cFileName);
    } while (::FindNextFileA(h, &d));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// The authoring program's installer (until that program is built, the same installer
// around a stand-in that needs what it needs): installed into the folder the user is
// offered, the program with the player set beside it and nothing else, its shortcuts in
// the Start menu and on the desktop; a removal cancelled on its first page keeps it all;
// the removal through the system's uninstaller leaves nothing.
TEST(SetupRun, ComposerSetupInstallsTheProgramWithThePlayerSet)
{
    const std::string bin = kBin + "\\..\\..\\bin", ship = kBin + "\\..\\..\\ship";
    HANDLE process = Launch("\"" + Installer(VELMORA_COMPOSER_SETUP) + "\"", "C:\\");
    Page page = WaitForPage("welcome");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    const std::string folder = Text(::GetDlgItem(page.hwnd, 1005));
    EXPECT_EQ(folder, Special(CSIDL_PROGRAM_FILES) + "\\Corvex Software");
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Complete");
    ASSERT_TRUE(page.hwnd);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(page.hwnd, 1015), BM_GETCHECK, 0, 0), BST_CHECKED);
    Press(page.hwnd, 1);
    ASSERT_TRUE(Ended(process));

    // The program and the player set as they ship (stripped), the uninstaller as built; the
    // list beside them.
    std::vector<std::string> expected = Split(VELMORA_PLAYER_SET, '|');
    for (const std::string& name : expected) {
        const std::string built = ReadFile(ship + "\\" + name);
        EXPECT_FALSE(built.empty()) << name;
        EXPECT_TRUE(ReadFile(folder + "\\" + name) == built) << name;
    }
    EXPECT_TRUE(ReadFile(folder + "\\Velmora_Composer.exe") == ReadFile(VELMORA_COMPOSER));
    EXPECT_TRUE(ReadFile(folder + "\\Uninstall.exe") == ReadFile(bin + "\\Uninstall.exe"));
    expected.insert(expected.end(), {"Velmora_Composer.exe", "Uninstall.exe", "tocFile.ext"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(folder), expected);
    if (VELMORA_COMPOSER_STANDIN)
        EXPECT_EQ(StartProgram("\"" + folder + "\\Velmora_Composer.exe\"", folder, true), 0u)
            << "the installed set does not let the program start";

    const std::string programs = Special(CSIDL_PROGRAMS) + "\\Corvex Software\\Velmora";
    const std::string desktopLink = Special(CSIDL_DESKTOP) + "\\Velmora Composer.lnk";
    ::CreateDirectoryA((kBin + "\\links").c_str(), nullptr);
    EXPECT_TRUE(::CopyFileA((programs + "\\Velmora Composer.lnk").c_str(), (kBin + "\\links\\composer.lnk").c_str(), FALSE));
    EXPECT_TRUE(::CopyFileA((programs + "\\Uninstall Velmora.lnk").c_str(),
                            (kBin + "\\links\\composer_uninstall.lnk").c_str(), FALSE));
    EXPECT_TRUE(::CopyFileA(desktopLink.c_str(), (kBin + "\\links\\desktop.lnk").c_str(), FALSE));
    WriteFile(kBin + "\\links\\composer_folder.txt", folder);

    // Cancel on the removal's first page: "No" keeps the page, "Yes" ends with nothing removed.
    process = Launch("uninstaller.exe --remove Velmora", "C:\\");
    page = WaitForPage("Corvex Software - Velmora 2.9");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1010);
    Box box = WaitForBox("Are you sure you want to cancel the Removal of Velmora?");
    ASSERT_TRUE(box.hwnd);
    Answer(box, IDNO);
    Press(page.hwnd, 1010);
    box = WaitForBox("Are you sure you want to cancel the Removal of Velmora?");
    ASSERT_TRUE(box.hwnd) << "No kept the page";
    Answer(box, IDYES);
    EXPECT_TRUE(Ended(process));
    EXPECT_EQ(FilesIn(folder), expected);
    EXPECT_TRUE(Exists(desktopLink));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    ASSERT_TRUE(RemoveThroughUninstaller());
    EXPECT_TRUE(WaitGone(folder, 10000));
    EXPECT_FALSE(Exists(programs));
    EXPECT_FALSE(Exists(desktopLink));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(Exists(Special(CSIDL_PROGRAM_FILES)));
}
