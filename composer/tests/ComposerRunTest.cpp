// The authoring program under Wine, driven from outside as an author would drive it: Open a
// base folder, the Target Files dialog's drop-down and its pictures, change options,
// Create, Test with the copied player, Clear all, Open again; the faults Create and Open
// must report; the AutoPlay check at start-up; a project made by the New Project wizard
// from the menu.
#include "CAutoPlayCheck.h"
#include "CAutorunInf.h"
#include "CFileReadWrite.h"
#include "CFileViewer.h"
#include "CPlayerSetCopier.h"
#include "CProjectData.h"
#include "ComposerDriver.h"
#include "ComposerResource.h"
#include "CWizardFolder.h"
#include "RecordDecoder.h"
#include "ScreenCapture.h"
#include "ShownPage.h"
#include "TestFolders.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kMainCaption[] = "Velmora Composer 2.9";
const char kOpenTitle[] = "Select your Velmora DAT file";
const char kUserPolicy[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kUsersPolicy[] = ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kCdrom[] = "System\\Currentcontrolset\\Services\\Cdrom";

std::string Scratch(const std::string& name) { return std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name; }

void EmptyFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                EmptyFolder(path);
                ::RemoveDirectoryA(path.c_str());
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::CreateDirectoryA(folder.c_str(), nullptr);
}

// A program folder as the installer leaves it: the authoring program beside the player set.
std::string MakeProgramFolder(const std::string& name)
{
    const std::string folder = Scratch(name);
    EmptyFolder(folder);
    std::vector<std::string> files = {"Velmora_Composer.exe"};
    for (const CString& file : CPlayerSetCopier::PlayerSet())
        files.push_back(file.c_str());
    for (const std::string& file : files)
        EXPECT_TRUE(::CopyFileA((Here() + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE)) << file;
    return folder;
}

CString WriteProject(const std::string& folder, int major = 2, int minor = 9, int build = 6)
{
    CProjectData project;
    project.ProjectKey = CProjectData::NewProjectKey();
    CFileViewer* target = new CFileViewer;
    target->SetTargetFilename("hostname.exe");
    target->SetTargetFileExtension(".exe");
    project.AddTarget(target);
    const std::string path = folder + "\\velmora.dat";
    if (major == 2 && minor == 9 && build == 6) {
        EXPECT_TRUE(project.Write(path.c_str(), folder.c_str()));
    } else {
        CFileReadWrite file;  // an old file: its version alone
        EXPECT_TRUE(file.OpenWrite(path.c_str()));
        file.WriteInt(major);
        file.WriteInt(minor);
        file.WriteInt(build);
        file.Close();
    }
    return project.ProjectKey;
}

// A base folder with one File target (a copy of Wine's hostname, which ends by itself).
std::string MakeBaseFolder(const std::string& name, CString* key = nullptr)
{
    const std::string folder = Scratch(name);
    EmptyFolder(folder);
    EXPECT_TRUE(::CopyFileA((SystemFolder() + "\\hostname.exe").c_str(), (folder + "\\hostname.exe").c_str(), FALSE));
    const CString written = WriteProject(folder);
    if (key)
        *key = written;
    EXPECT_TRUE(CAutorunInf::Write((folder + "\\autorun.inf").c_str(), ""));
    return folder;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string HelpText(HWND main) { return ComposerDriver::ControlText(main, IDC_HELP_PANEL); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs Wine's reg.exe with the arguments; its output.
std::string Reg(const std::string& arguments)
{
    const std::string output = Scratch("reg-output.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file = ::CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    std::string line = "reg.exe " + arguments;
    STARTUPINFOA startup = {sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = file;
    PROCESS_INFORMATION process = {};
    if (::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, 30000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(file);
    const std::vector<unsigned char> bytes = FileBytes(output);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> ReadLog(const std::string& path)
{
    std::vector<std::string> records;
    CFileReadWrite file;
    if (!file.OpenRead(path.c_str()))
        return records;
    for (;;) {
        const CString record = file.ReadString();
        if (!file.IsOK())
            break;
        records.push_back(record.c_str());
    }
    file.Close();
    return records;
}

bool PlayerRunning()
{
    bool running = false;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {sizeof entry};
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        running = running || lstrcmpiA(entry.szExeFile, "Velmora.exe") == 0;
    ::CloseHandle(snapshot);
    return running;
}

void SetAutoCheck(DWORD value) { ASSERT_TRUE(CAutoPlayCheck::WriteStartupSetting(value)); }

// The header band's colour, seen on the screen above the help panel.
COLORREF BandColour(HWND main, const std::string& shot)
{
    RECT panel;
    ::GetWindowRect(ComposerDriver::Control(main, IDC_HELP_PANEL), &panel);
    return WineScreen::Pixel(shot, panel.left + 120, panel.top - 6);
}

// A screenshot of a dialog of the program. Without a window manager, Wine leaves a dialog
// that lies wholly over its owner unpainted on the X screen: the dialog is moved to the
// screen's corner first.
bool SaveDialog(HWND dialog, const std::string& name)
{
    ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::Sleep(700);
    return WineScreen::Save(name);
}

// The header icon's colour: the help icon is blue, the warning icon yellow.
COLORREF HeaderIconColour(HWND main, const std::string& shot)
{
    RECT panel;
    ::GetWindowRect(ComposerDriver::Control(main, IDC_HELP_PANEL), &panel);
    return WineScreen::Pixel(shot, panel.left + 4, panel.top - 16);
}

bool IsWarningYellow(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) > 140 && GetBValue(c) < 80; }

struct PopupMenuSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchPopupMenu(HWND window, LPARAM lParam)
{
    PopupMenuSearch& search = *reinterpret_cast<PopupMenuSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (owner != search.process || !::IsWindowVisible(window) || lstrcmpA(name, "#32768") != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// The popup menu window (class "#32768") the program shows, or null.
HWND ShownPopupMenu(DWORD process)
{
    PopupMenuSearch search = {process, nullptr};
    ::EnumWindows(MatchPopupMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The colour that tells each picture of the browse buttons' drop-down from the others, in
// the items' order: the file's red heading, the menu's green bullets, the slideshow's cyan
// sky, the folder's yellow, the globe's blue sea. Told by how far one channel stands out,
// so that a darkened picture still counts.
bool HasMarkColour(COLORREF c, int item)
{
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    switch (item) {
    case 0: return r - std::max(g, b) > 60;
    case 1: return g - std::max(r, b) > 50;
    case 2: return std::min(g, b) - r > 60 && std::abs(g - b) < 80;
    case 3: return std::min(r, g) - b > 60 && std::abs(r - g) < 80;
    default: return b - std::max(r, g) > 60;
    }
}

// How many pixels of each mark colour each item's row shows left of its text, in a shot of
// the menu window.
std::vector<std::vector<int>> MarkColoursByRow(const Screenshot& shot, HWND menu, int items)
{
    RECT window, client;
    ::GetWindowRect(menu, &window);
    ::GetClientRect(menu, &client);
    POINT origin = {0, 0};
    ::ClientToScreen(menu, &origin);
    const int left = origin.x - window.left, top = origin.y - window.top;
    std::vector<std::vector<int>> counts(static_cast<size_t>(items), std::vector<int>(static_cast<size_t>(items)));
    const int row = client.bottom / items;
    for (int i = 0; i < items; ++i)
        for (int y = top + i * row + 1; y < top + (i + 1) * row - 1; ++y)
            for (int x = left; x < left + 28 && x < left + client.right; ++x)
                for (int colour = 0; colour < items; ++colour)
                    if (HasMarkColour(shot.Pixel(x, y), colour))
                        ++counts[static_cast<size_t>(i)][static_cast<size_t>(colour)];
    return counts;
}

// A shot of a popup menu of the program. Xvfb keeps a popup's pixels in the popup's own X
// window (Wine asks for save-under), so the screen shows it black: the menu is taken by
// itself, through the X window Wine made for it, and for looking at it is also put into a
// screenshot <name>.png at its place.
Screenshot SavePopup(HWND menu, const std::string& name)
{
    char window[40];
    std::snprintf(window, sizeof window, "-id 0x%lx",
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(::GetPropA(menu, "__wine_x11_whole_window"))));
    const Screenshot popup = TakeScreenshot(name + "_popup", window);
    RECT r;
    ::GetWindowRect(menu, &r);
    char at[40];
    std::snprintf(at, sizeof at, " -geometry +%ld+%ld -composite ", r.left, r.top);
    const std::string png = Scratch(name + ".png");
    if (popup.width > 0 && WineScreen::Save(name + "_screen")) {
        ::DeleteFileA(png.c_str());
        RunUnix("Z:\\usr\\bin\\convert " + UnixPath(Scratch(name + "_screen.png")) + " " +
                UnixPath(Scratch(name + "_popup.bmp")) + at + UnixPath(png));
        WaitForFile(png);
    }
    return popup;
}

TEST(PlayerSet, EveryModuleOfOursCarriesVersion296)
{
    for (const char* name : {"Velmora_Composer.exe", "Velmora.exe", "VelmoraV.dll", "VelmoraFW.dll", "VelmoraSound.dll"})
        EXPECT_EQ(CPlayerSetCopier::GetFileVersionString((Here() + "\\" + name).c_str()), "2,9,6,0") << name;
    EXPECT_EQ(CPlayerSetCopier::GetFileVersionString((Here() + "\\libstdc++-6.dll").c_str()), "")
        << "the run-time DLLs carry none: Create compares their bytes";
}

class ComposerRun : public ::testing::Test {
protected:
    ComposerDriver app;

    HWND StartComposer(const std::string& programFolder)
    {
        if (!app.Start(programFolder + "\\Velmora_Composer.exe", programFolder))
            return nullptr;
        return app.WaitForWindow(kMainCaption);
    }
    bool Open(HWND main, const std::string& dataFile)
    {
        ComposerDriver::Command(main, ID_OPEN_PROJECT);
        return app.AnswerFileDialog(kOpenTitle, dataFile);
    }
    // Create, and its report in the help panel (a help text is shown first, so the same
    // report twice is seen anew).
    bool Create(HWND main, const char* expected)
    {
        ComposerDriver::Click(main, IDC_HELP_BASE);
        if (!ComposerDriver::WaitUntil([&] { return Contains(HelpText(main), "holds everything that is to be burned"); }))
            return false;
        ComposerDriver::Click(main, IDC_CREATE);
        return ComposerDriver::WaitUntil([&] { return Contains(HelpText(main), expected); }, 20000);
    }
};

TEST_F(ComposerRun, OpenCreateTestAndOpenAgain)
{
    SetAutoCheck(0);
    const std::string program = MakeProgramFolder("road_program");
    CString firstKey;
    const std::string base = MakeBaseFolder("road_base", &firstKey);

    HWND main = StartComposer(program);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Contains(HelpText(main), "Welcome to Velmora Composer."));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_CREATE));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
    EXPECT_TRUE(ComposerDriver::IsChecked(main, IDC_WAIT_TARGETS)) << "a new project waits for each target";
    // Create without a project (a click on the disabled button) writes nothing anywhere.
    ComposerDriver::Click(main, IDC_CREATE);
    ::Sleep(500);
    EXPECT_FALSE(Exists(program + "\\autorun.inf"));
    EXPECT_FALSE(Exists(program + "\\velmora.dat"));
    ASSERT_TRUE(WineScreen::Save("composer_main"));
    EXPECT_EQ(BandColour(main, "composer_main"), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_FALSE(IsWarningYellow(HeaderIconColour(main, "composer_main")));

    // Open.
    ASSERT_TRUE(Open(main, base + "\\velmora.dat"));
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::ControlText(main, IDC_BASE_FOLDER) == base; }));
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY), "hostname.exe");
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_CD_ICON), "");
    EXPECT_TRUE(Contains(HelpText(main), "You may now set the options of your project."));
    EXPECT_TRUE(ComposerDriver::IsEnabled(main, IDC_CREATE));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));

    // The program carries the pictures of the browse buttons' menu items, and the Target
    // Files dialog's drop-down shows each beside its item (the mouse kept off the menu, so
    // that no item is highlighted). Cancel then changes nothing.
    {
        HMODULE module = ::LoadLibraryExA((program + "\\Velmora_Composer.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        for (UINT id : {IDB_TARGET_FILE, IDB_TARGET_MENU, IDB_TARGET_SLIDESHOW, IDB_TARGET_FOLDER, IDB_TARGET_URL}) {
            HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
            BITMAP info = {};
            EXPECT_TRUE(bitmap && ::GetObjectA(bitmap, sizeof info, &info)) << "bitmap " << id;
            EXPECT_EQ(info.bmWidth, 16) << "bitmap " << id;
            EXPECT_EQ(info.bmHeight, 16) << "bitmap " << id;
            if (bitmap)
                ::DeleteObject(bitmap);
        }
        ::FreeLibrary(module);
    }
    ComposerDriver::Click(main, IDC_BROWSE_TARGETS);
    HWND targets = app.WaitForWindow("Set Your Target File(s)");
    ASSERT_NE(targets, nullptr);
    ::SetWindowPos(targets, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    HWND browse = ComposerDriver::Control(targets, IDC_TF_BROWSE_0);
    RECT button;
    ::GetClientRect(browse, &button);
    const LPARAM corner = MAKELPARAM(button.right - 3, button.bottom - 3);
    ::PostMessageA(browse, WM_MOUSEMOVE, 0, corner);
    ::PostMessageA(browse, WM_LBUTTONDOWN, MK_LBUTTON, corner);
    HWND menu = nullptr;
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return (menu = ShownPopupMenu(app.ProcessId())) != nullptr; }, 5000));
    ::Sleep(700);
    const Screenshot shot = SavePopup(menu, "composer_target_menu");
    ASSERT_GT(shot.width, 0);
    const std::vector<std::vector<int>> counts = MarkColoursByRow(shot, menu, 5);
    for (int item = 0; item < 5; ++item)
        EXPECT_GE(counts[static_cast<size_t>(item)][static_cast<size_t>(item)], 4) << "item " << item << " shows its picture";
    EXPECT_EQ(counts[0][1] + counts[0][2] + counts[0][3] + counts[0][4], 0) << "the first item shows only the file";
    ::PostMessageA(browse, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return ShownPopupMenu(app.ProcessId()) == nullptr; }, 5000));
    ComposerDriver::Click(targets, IDCANCEL);
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return !::IsWindow(targets) || !::IsWindowVisible(targets); }));
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY), "hostname.exe");

    // Options: the check boxes and the menu's toggles.
    EXPECT_TRUE(ComposerDriver::Toggle(main, IDC_HIDE_PLAYER));
    EXPECT_FALSE(ComposerDriver::Toggle(main, IDC_WAIT_TARGETS));
    EXPECT_TRUE(ComposerDriver::Toggle(main, IDC_PRELOAD));
    ComposerDriver::Command(main, ID_REPEAT);
    ComposerDriver::Command(main, ID_SINGLE_INSTANCE);
    ComposerDriver::Command(main, ID_DEBUG_MODE);

    // Create.
    ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready")) << HelpText(main);
    EXPECT_TRUE(ComposerDriver::IsEnabled(main, IDC_TEST));
    const std::string autorun = "[autorun]\r\nOPEN=Velmora.exe\r\nICON=Velmora.exe";
    EXPECT_EQ(FileBytes(base + "\\autorun.inf"), std::vector<unsigned char>(autorun.begin(), autorun.end()));
    {
        CProjectData written;
        ASSERT_EQ(written.Read((base + "\\velmora.dat").c_str(), base.c_str()), CProjectData::ReadOK);
        EXPECT_NE(written.ProjectKey, firstKey) << "every Create gives the project a fresh key";
        EXPECT_EQ(written.HidePlayer, 1);
        EXPECT_EQ(written.WaitForEachTarget, 0);
        EXPECT_EQ(written.PreloadTargets, 1);
        EXPECT_EQ(written.Repeat, 1);
        EXPECT_EQ(written.SingleInstance, 0);
        EXPECT_EQ(written.DebugLog, 1);
        ASSERT_EQ(written.GetTargetCount(), 1);
        EXPECT_EQ(written.GetTarget(0)->GetTargetFilename(), "hostname.exe");
    }
    const std::vector<std::string> r = DecodeRecords(FileBytes(base + "\\velmora.dat"));
    ASSERT_GE(r.size(), 20u);
    const std::vector<std::string> head = {"I:2", "I:9", "I:6", r[3], "B:0", "B:1", "B:0", "B:0", "B:1", "I:0",
                                           "B:0", "B:0", "B:1", "B:1", "B:1", "B:0", "I:0", "B:0", "I:1", "I:0"};
    EXPECT_EQ(std::vector<std::string>(r.begin(), r.begin() + 20), head);
    EXPECT_NE(r[3], std::string("S:") + firstKey.c_str());
    for (const CString& file : CPlayerSetCopier::PlayerSet())
        EXPECT_EQ(FileBytes(base + "\\" + file.c_str()), FileBytes(program + "\\" + file.c_str())) << file;

    // A player running from the base folder (it repeats until it is ended) holds its files:
    // they cannot be replaced, but they are the same, so Create reports nothing.
    {
        std::string line = "\"" + base + "\\Velmora.exe\" velmora.dat";
        STARTUPINFOA startup = {sizeof startup};
        PROCESS_INFORMATION player = {};
        ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, base.c_str(), &startup,
                                     &player));
        ::CloseHandle(player.hThread);
        ::Sleep(2000);
        EXPECT_FALSE(::CopyFileA((program + "\\Velmora.exe").c_str(), (base + "\\Velmora.exe").c_str(), FALSE));
        EXPECT_EQ(::GetLastError(), 32u) << "the running player's file is in use";
        ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready")) << HelpText(main);
        EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));
        ::TerminateProcess(player.hProcess, 0);
        ::WaitForSingleObject(player.hProcess, 10000);
        ::CloseHandle(player.hProcess);
    }

    // Debug Mode leaves Test as it is; Repeat disables it until the next Create.
    ComposerDriver::Command(main, ID_DEBUG_MODE);
    ComposerDriver::Command(main, ID_DEBUG_MODE);
    ::Sleep(300);
    EXPECT_TRUE(ComposerDriver::IsEnabled(main, IDC_TEST));
    ComposerDriver::Command(main, ID_REPEAT);
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return !ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));
    ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready"));
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));

    // Single instance disables Test.
    ComposerDriver::Command(main, ID_SINGLE_INSTANCE);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return !ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));
    ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready"));
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));

    // Test: the copied player plays the base folder and ends by itself.
    ::DeleteFileA((base + "\\debug.afv").c_str());
    ComposerDriver::Click(main, IDC_TEST);
    auto holds = [&](const char* line) {
        for (const std::string& record : ReadLog(base + "\\debug.afv"))
            if (record == line)
                return true;
        return false;
    };
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return holds("Num Targets: 1\n"); }, 60000));
    EXPECT_TRUE(ComposerDriver::WaitUntil([] { return !PlayerRunning(); }, 60000)) << "the player ends by itself";

    // Test again, with a player whose window thread is busy once its window is shown (as
    // the player's is while it launches its first target): the program waits on nothing of
    // the player's, so Clear all Information asked for a moment later is done at once.
    ASSERT_TRUE(::CopyFileA((Here() + "\\composer_test_target.exe").c_str(), (base + "\\Velmora.exe").c_str(), FALSE));
    if (FILE* busy = std::fopen((base + "\\Velmora.busy").c_str(), "wb"))
        std::fclose(busy);
    ComposerDriver::Click(main, IDC_TEST);
    ::Sleep(1000);
    const DWORD asked = ::GetTickCount();
    ComposerDriver::Command(main, ID_CLEAR_ALL);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::ControlText(main, IDC_BASE_FOLDER).empty(); }));
    EXPECT_LT(::GetTickCount() - asked, 5000u) << "Clear all Information waited for the player";
    EXPECT_EQ(FileBytes(base + "\\Velmora.txt").empty(), false) << "the stand-in player ran";
    ::PostMessageA(::FindWindowA("VelmoraTestTarget", "Velmora.exe"), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ComposerDriver::WaitUntil([] { return !PlayerRunning(); }, 30000));

    // Clear all Information: a new project.
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY), "");
    EXPECT_FALSE(ComposerDriver::IsChecked(main, IDC_HIDE_PLAYER));
    EXPECT_TRUE(ComposerDriver::IsChecked(main, IDC_WAIT_TARGETS));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_CREATE));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
    EXPECT_TRUE(Contains(HelpText(main), "Welcome to Velmora Composer."));

    // About and Using information.
    ComposerDriver::Command(main, IDM_ABOUTBOX);
    HWND about = app.WaitForWindow("About Velmora Composer");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(Contains(ComposerDriver::ControlText(about, IDC_ABOUT_HISTORY), "Velmora Composer 2.9.6"));
    EXPECT_FALSE(::IsWindowVisible(ComposerDriver::Control(about, IDC_ABOUT_PLACE)));
    EXPECT_TRUE(SaveDialog(about, "composer_about"));
    ComposerDriver::Click(about, IDOK);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return !::IsWindow(about); }, 10000));
    ComposerDriver::Command(main, ID_USING_INFO);
    HWND usingInfo = app.WaitForWindow("Using Velmora Composer");
    ASSERT_NE(usingInfo, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(ComposerDriver::Control(usingInfo, IDC_DEMO_DISABLED)));
    EXPECT_TRUE(::IsWindowEnabled(ComposerDriver::Control(usingInfo, IDC_DEMO_ENABLED)));
    EXPECT_TRUE(Contains(ComposerDriver::ControlText(usingInfo, IDC_CAPTION_TEXT), "When starting Velmora Composer"));
    EXPECT_TRUE(SaveDialog(usingInfo, "composer_using_info"));
    ComposerDriver::Click(usingInfo, IDOK);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return !::IsWindow(usingInfo); }, 10000));

    // Open again: what Create wrote comes back.
    ASSERT_TRUE(Open(main, base + "\\velmora.dat"));
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::ControlText(main, IDC_BASE_FOLDER) == base; }));
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY), "hostname.exe");
    EXPECT_TRUE(ComposerDriver::IsChecked(main, IDC_HIDE_PLAYER));
    EXPECT_FALSE(ComposerDriver::IsChecked(main, IDC_WAIT_TARGETS));
    EXPECT_TRUE(ComposerDriver::IsChecked(main, IDC_PRELOAD));

    // Exit.
    ComposerDriver::Click(main, IDC_EXIT);
    EXPECT_TRUE(app.WaitForExit(15000));
}

TEST_F(ComposerRun, CreateAndOpenReportWhatWentWrong)
{
    SetAutoCheck(0);
    const std::string program = MakeProgramFolder("fault_program");
    const std::string base = MakeBaseFolder("fault_base");
    ASSERT_TRUE(::DeleteFileA((program + "\\Velmora.exe").c_str()));

    HWND main = StartComposer(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Open(main, base + "\\velmora.dat"));
    ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::IsEnabled(main, IDC_CREATE); }));

    // The player missing from the program folder.
    ASSERT_TRUE(Create(main, "An error occured while trying to copy Velmora.exe")) << HelpText(main);
    EXPECT_EQ(HelpText(main), "An error occured while trying to copy Velmora.exe to the CD-ROM Base Folder. Please "
                              "check that Velmora.exe exists in " + program + "\\.");
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
    ::Sleep(300);
    ASSERT_TRUE(WineScreen::Save("composer_failed_create"));
    EXPECT_TRUE(IsWarningYellow(HeaderIconColour(main, "composer_failed_create"))) << "the warning header";
    ASSERT_TRUE(::CopyFileA((Here() + "\\Velmora.exe").c_str(), (program + "\\Velmora.exe").c_str(), FALSE));

    // A file of the player set that cannot be replaced: a folder of its name.
    ::DeleteFileA((base + "\\VelmoraSound.dll").c_str());
    ASSERT_TRUE(::CreateDirectoryA((base + "\\VelmoraSound.dll").c_str(), nullptr));
    ASSERT_TRUE(Create(main, "having troubles copying the VelmoraSound.dll file")) << HelpText(main);
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
    ::RemoveDirectoryA((base + "\\VelmoraSound.dll").c_str());

    // autorun.inf and velmora.dat that cannot be written.
    for (const char* name : {"autorun.inf", "velmora.dat"}) {
        SCOPED_TRACE(name);
        ::DeleteFileA((base + "\\" + name).c_str());
        ASSERT_TRUE(::CreateDirectoryA((base + "\\" + name).c_str(), nullptr));
        ASSERT_TRUE(Create(main, "An error occurred while writing out the autorun.inf file.")) << HelpText(main);
        EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
        ::RemoveDirectoryA((base + "\\" + name).c_str());
        ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready")) << HelpText(main);
        EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::IsEnabled(main, IDC_TEST); }, 5000));
    }

    // Test names a player that does not start.
    ASSERT_TRUE(::DeleteFileA((base + "\\Velmora.exe").c_str()));
    ComposerDriver::Click(main, IDC_TEST);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return Contains(HelpText(main), "Velmora could not be started"); }))
        << HelpText(main);
    EXPECT_TRUE(Contains(HelpText(main), base + "\\Velmora.exe"));

    // No manual beside the program: the Start menu is named.
    ComposerDriver::Command(main, ID_MANUAL);
    EXPECT_EQ(app.AnswerMessageBox(), "You can view the manual by using the 'Start' menu.");

    // Refused Opens keep the project: another file name, a file older than 2.5, Cancel.
    const std::string other = Scratch("fault_other");
    EmptyFolder(other);
    WriteProject(other);
    ASSERT_TRUE(::MoveFileA((other + "\\velmora.dat").c_str(), (other + "\\other.dat").c_str()));
    const std::string old = Scratch("fault_old");
    EmptyFolder(old);
    WriteProject(old, 2, 4, 9);
    const char refused[] = "The project could not be opened. You can only open projects created with Velmora 2.5 to 2.9.";
    for (const std::string& path : {other + "\\other.dat", old + "\\velmora.dat", std::string()}) {
        SCOPED_TRACE(path);
        ComposerDriver::Command(main, ID_CLEAR_ALL);  // a new project, then the good one opened again
        ASSERT_TRUE(Open(main, base + "\\velmora.dat"));
        ASSERT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::ControlText(main, IDC_BASE_FOLDER) == base; }));
        ComposerDriver::Command(main, ID_OPEN_PROJECT);
        if (path.empty())
            ASSERT_TRUE(app.CancelFileDialog(kOpenTitle));
        else
            ASSERT_TRUE(app.AnswerFileDialog(kOpenTitle, path));
        EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return HelpText(main) == refused; }, 10000)) << HelpText(main);
        EXPECT_EQ(ComposerDriver::ControlText(main, IDC_BASE_FOLDER), base);
        EXPECT_EQ(ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY), "hostname.exe");
        EXPECT_TRUE(ComposerDriver::IsEnabled(main, IDC_CREATE));
    }

    // Esc and the close box never Create; the close box ends the program.
    ::DeleteFileA((base + "\\autorun.inf").c_str());
    ::PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(main, WM_KEYUP, VK_ESCAPE, 0);
    ::Sleep(1500);
    EXPECT_TRUE(app.IsRunning());
    EXPECT_FALSE(Exists(base + "\\autorun.inf")) << "Esc ran Create";
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.WaitForExit(15000));
    EXPECT_FALSE(Exists(base + "\\autorun.inf")) << "the close box ran Create";
}

TEST_F(ComposerRun, AutoPlayCheckAtStartUp)
{
    const std::string program = MakeProgramFolder("autoplay_program");
    const std::string hkcuPolicy = std::string("HKCU\\") + kUserPolicy;
    const std::string hkuPolicy = std::string("HKU\\") + kUsersPolicy;
    Reg("add \"" + hkcuPolicy + "\" /v NoDriveTypeAutoRun /t REG_DWORD /d 255 /f");
    Reg("add \"" + hkuPolicy + "\" /v NoDriveTypeAutoRun /t REG_BINARY /d ff01 /f");
    Reg("delete \"HKCU\\SOFTWARE\\Corvex Software\" /v AutoCheckAutoPlay /f");

    HWND main = StartComposer(program);
    ASSERT_NE(main, nullptr);
    HWND check = app.WaitForWindow("Check AutoPlay Status");
    ASSERT_NE(check, nullptr) << "AutoPlay is off: the start-up check shows its dialog";
    DWORD stored = 7;
    EXPECT_TRUE(CAutoPlayCheck::ReadStartupSetting(stored));
    EXPECT_EQ(stored, 1u) << "the first start switches the check on";
    EXPECT_TRUE(Contains(ComposerDriver::ControlText(check, IDC_CAPTION_TEXT), "has been disabled on your system"));
    EXPECT_TRUE(::IsWindowVisible(ComposerDriver::Control(check, IDC_ENABLE_AUTOPLAY)));
    EXPECT_TRUE(ComposerDriver::IsChecked(check, IDC_AUTOPLAY_AT_START));
    EXPECT_TRUE(SaveDialog(check, "composer_autoplay"));

    ComposerDriver::Click(check, IDC_ENABLE_AUTOPLAY);
    EXPECT_TRUE(Contains(app.AnswerMessageBox(), "AutoPlay has been successfully set."));
    EXPECT_TRUE(Contains(Reg("query \"" + hkcuPolicy + "\" /v NoDriveTypeAutoRun"), "0xdf"));
    const std::string binary = Reg("query \"" + hkuPolicy + "\" /v NoDriveTypeAutoRun");
    EXPECT_TRUE(Contains(binary, "DF01") || Contains(binary, "df01")) << binary;
    EXPECT_TRUE(Contains(Reg(std::string("query \"HKLM\\") + kCdrom + "\" /v Autorun"), "0x1")) << "the CD-ROM service";

    EXPECT_FALSE(ComposerDriver::Toggle(check, IDC_AUTOPLAY_AT_START));
    ComposerDriver::Click(check, IDOK);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return !::IsWindow(check); }, 10000));
    EXPECT_TRUE(CAutoPlayCheck::ReadStartupSetting(stored));
    EXPECT_EQ(stored, 0u) << "OK stores the unticked box";
    ComposerDriver::Click(main, IDC_EXIT);
    EXPECT_TRUE(app.WaitForExit(15000));

    // The policy back to off: with the check switched off, the next start shows nothing.
    Reg("add \"" + hkcuPolicy + "\" /v NoDriveTypeAutoRun /t REG_DWORD /d 255 /f");
    ComposerDriver again;
    ASSERT_TRUE(again.Start(program + "\\Velmora_Composer.exe", program));
    HWND second = again.WaitForWindow(kMainCaption);
    ASSERT_NE(second, nullptr);
    ::Sleep(1500);
    EXPECT_EQ(again.FindWindowNow("Check AutoPlay Status"), nullptr);
    ComposerDriver::Click(second, IDC_EXIT);
    EXPECT_TRUE(again.WaitForExit(15000));

    Reg("delete \"" + hkcuPolicy + "\" /v NoDriveTypeAutoRun /f");
    Reg("delete \"" + hkuPolicy + "\" /v NoDriveTypeAutoRun /f");
    Reg(std::string("delete \"HKLM\\") + kCdrom + "\" /v Autorun /f");
}

// The folders the wizard's create button makes, gone.
void RemoveWizardFolders()
{
    const CWizardFolder page;
    const std::string name = static_cast<const char*>(page.m_defaultFolder);
    for (int number = 1; number <= CWizardFolder::LastNumber; ++number) {
        const std::string folder = number == 1 ? name : name + std::to_string(number);
        if (Exists(folder)) {
            EmptyFolder(folder);
            ::RemoveDirectoryA(folder.c_str());
        }
    }
}

// The wizard's page controls lie on the page shown, a child dialog of the wizard.
HWND OnPage(HWND wizard, int id)
{
    HWND control = nullptr;
    ComposerDriver::WaitUntil([&] {
        HWND page = ShownPage(wizard);
        return page && (control = ::GetDlgItem(page, id)) != nullptr;
    }, 5000);
    return control;
}

void ClickOnPage(HWND wizard, int id)
{
    HWND control = OnPage(wizard, id);
    ASSERT_NE(control, nullptr) << "control " << id << " on the wizard's page";
    ComposerDriver::Click(::GetParent(control), id);
}

TEST_F(ComposerRun, NewProjectWizardFromTheMenu)
{
    SetAutoCheck(0);
    RemoveWizardFolders();
    const std::string program = MakeProgramFolder("wizard_program");
    const std::string base = "C:\\CD_Project";
    HWND main = StartComposer(program);
    ASSERT_NE(main, nullptr);

    ComposerDriver::Command(main, ID_WIZARD_NEW);
    HWND wizard = app.WaitForWindow("Velmora Composer Wizard - New Project");
    ASSERT_NE(wizard, nullptr);
    HWND next = ::GetDlgItem(wizard, IDC_WZ_NEXT);
    const auto nextEnabled = [&](bool enabled) {
        return ComposerDriver::WaitUntil([&] { return (::IsWindowEnabled(next) != FALSE) == enabled; }, 5000);
    };
    ComposerDriver::Click(wizard, IDC_WZ_NEXT);
    ASSERT_NE(OnPage(wizard, IDC_WZ_CREATE_FOLDER), nullptr);
    EXPECT_TRUE(nextEnabled(false)) << "no going on without a base folder";
    ClickOnPage(wizard, IDC_WZ_CREATE_FOLDER);
    EXPECT_TRUE(ComposerDriver::WaitUntil(
        [&] { return ComposerDriver::Text(OnPage(wizard, IDC_WZ_FOLDER_LABEL)) == "Base Folder: " + base; }, 5000));
    EXPECT_TRUE(nextEnabled(true));
    ComposerDriver::Click(wizard, IDC_WZ_NEXT);

    // The project's file copied in on the Add files page.
    ASSERT_NE(OnPage(wizard, IDC_WZ_OPEN_FOLDER), nullptr);
    ::CopyFileA((SystemFolder() + "\\hostname.exe").c_str(), (base + "\\hostname.exe").c_str(), FALSE);
    ComposerDriver::Click(wizard, IDC_WZ_NEXT);

    ClickOnPage(wizard, IDC_WZ_BROWSE_TARGET);
    ASSERT_TRUE(app.AnswerFileDialog("Select your Target File", base + "\\hostname.exe"));
    EXPECT_TRUE(ComposerDriver::WaitUntil(
        [&] { return ComposerDriver::Text(OnPage(wizard, IDC_WZ_TARGET)) == "hostname.exe"; }, 5000));
    EXPECT_TRUE(nextEnabled(true));
    // Typed parameters: the edit tells its page of the change itself.
    ::SendMessageA(OnPage(wizard, IDC_WZ_PARAMETERS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("/all"));
    ComposerDriver::Click(wizard, IDC_WZ_NEXT);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return ComposerDriver::Text(next) == "Finish"; }, 5000));
    ComposerDriver::Click(wizard, IDC_WZ_NEXT);
    EXPECT_TRUE(ComposerDriver::WaitUntil([&] { return !::IsWindow(wizard) || !::IsWindowVisible(wizard); }));

    EXPECT_TRUE(ComposerDriver::WaitUntil(
        [&] { return ComposerDriver::ControlText(main, IDC_TARGET_SUMMARY) == "hostname.exe /all"; }, 5000));
    EXPECT_EQ(ComposerDriver::ControlText(main, IDC_BASE_FOLDER), base);
    EXPECT_TRUE(Contains(HelpText(main), "Your project is set up"));
    EXPECT_FALSE(ComposerDriver::IsEnabled(main, IDC_TEST));
    ASSERT_TRUE(Create(main, "Your CD-ROM Base Folder is ready")) << HelpText(main);
    ComposerDriver::Click(main, IDC_EXIT);
    EXPECT_TRUE(app.WaitForExit(15000));

    CProjectData written;
    ASSERT_EQ(written.Read((base + "\\velmora.dat").c_str(), base.c_str()), CProjectData::ReadOK);
    ASSERT_EQ(written.GetTargetCount(), 1);
    EXPECT_EQ(written.GetTarget(0)->GetViewerType(), CViewer::TypeFile);
    EXPECT_EQ(written.GetTarget(0)->GetTargetFilename(), "hostname.exe");
    EXPECT_EQ(written.GetTarget(0)->GetParameters(), "/all");
    EXPECT_EQ(written.Splash, 0);
    const std::vector<std::string> r = DecodeRecords(FileBytes(base + "\\velmora.dat"));
    const auto at = std::find(r.begin(), r.end(), "S:hostname.exe");
    ASSERT_NE(at, r.end());
    ASSERT_GE(at - r.begin(), 2);
    const std::vector<std::string> expected = {"I:0", "I:0", "S:hostname.exe", "S:/all", "B:0", "B:0", "S:", "S:", "B:0"};
    EXPECT_EQ(std::vector<std::string>(at - 2, std::min(at - 2 + 9, r.end())), expected) << "one File target, no failsafe";
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const std::string& s) { return s == "S:hostname.exe"; }), 1);
    RemoveWizardFolders();
}

}  // namespace
