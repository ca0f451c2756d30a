// The installer end to end under Wine: a test installer walked page by page installs its
// files, shortcuts and uninstall entry; Wine's uninstaller then starts the installed
// Uninstall.exe, which removes it all again.
#include "TestFiles.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>
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
    Press(page.hwnd, 1);
    page = WaitForPage("Select your Installation Folder");
    ASSERT_TRUE(page.hwnd);
    EXPECT_NE(Text(::GetDlgItem(page.hwnd, 1005)).find("\\Corvex Software"), std::string::npos)
        << Text(::GetDlgItem(page.hwnd, 1005));
    ::SendMessageA(::GetDlgItem(page.hwnd, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>((installFolder + "\\").c_str()));
    Press(page.hwnd, 1);
    page = WaitForPage("Installation Progress");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1); // waits for the copy to end
    page = WaitForPage("Installation Complete");
    ASSERT_TRUE(page.hwnd);
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
    Press(page.hwnd, 1);
    page = WaitForPage("Removal Progress");
    ASSERT_TRUE(page.hwnd);
    Press(page.hwnd, 1);
    page = WaitForPage("Removal Complete");
    ASSERT_TRUE(page.hwnd);
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
