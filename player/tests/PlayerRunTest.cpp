// The player from start to end under Wine: a base folder with the player, its libraries, a
// project data file written by the project's own writer, a splash GIF, music and its
// targets: two program targets (Wine's own programs), media, Flash and zip targets, or a
// slideshow and a web page. The player is started as
// AutoPlay would start it, plays through with its real timers and ends on its own; its
// debug log must hold the lines of that run.
#include "CFileReadWrite.h"
#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CMenuViewer.h"
#include "CProjectData.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"
#include "CRegistryKey.h"
#include "WineTestTools.h"
#include "CZipViewer.h"
#include "MetafileRecorder.h"
#include "ViewerFactory.h"
#include "ScreenCapture.h"
#include "TestFolders.h"
#include "standin/StandInControlRegistration.h"
#include "standin/StandInControls.h"
#include "standin/StandInRegistration.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool CopyInto(const std::string& from, const std::string& folder, const std::string& name)
{
    return ::CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
}

// The player and every library next to this test, copied into a fresh base folder.
std::string MakeBaseFolder(const char* name)
{
    const std::string base = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name;
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::DeleteFileA((base + "\\debug.afv").c_str());
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((Here() + "\\*.dll").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            CopyInto(Here() + "\\" + found.cFileName, base, found.cFileName);
        while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    CopyInto(Here() + "\\Velmora.exe", base, "Velmora.exe");
    return base;
}

struct Project {
    int repeat = 0;
    int wait = 1;
    int splash = 1;
    int agreement = 0;
    int splashDuration = 1;
    std::string splashPicture = "splash.gif";
    int singleInstance = 0;
    int preload = 0;
    std::vector<std::string> targets;
    std::string folderTarget;  // a Folder target after the others, a folder of the base folder
    CZipViewer* zipTarget = nullptr;  // a Zip target after those
    // Additional-viewer entries: extension, program to run, confirmation text, version.
    std::vector<std::vector<std::string>> additional;
    // Targets of other kinds after those, written by their own viewers (not owned).
    std::vector<CViewer*> viewers;
};

void WriteProject(const std::string& path, const Project& p)
{
    CProjectData project;
    project.ProjectKey = "VelmoraRunTest";
    project.SingleInstance = p.singleInstance;
    project.Repeat = p.repeat;
    project.WaitForEachTarget = p.wait;
    project.PreloadTargets = p.preload;
    project.PreloadColour = 0x00804020;
    project.BackgroundMusic = 1;
    project.MusicFile = "music.wav";
    project.DebugLog = 1;
    project.Splash = p.splash;
    project.SplashImage = p.splashPicture.c_str();
    project.SplashSound = "ding.wav";
    project.SplashDuration.Format("%d", p.splashDuration);
    project.SplashBackground = 1;
    project.SplashColour = 0x00400000;
    project.AdditionalViewerChecking = p.additional.empty() ? 0 : 1;
    for (const std::vector<std::string>& e : p.additional)
        project.AdditionalViewers.push_back({e[0].c_str(), e[1].c_str(), e[2].c_str(), e[3].c_str()});
    project.Agreement = p.agreement;
    project.AgreementText = "<b>Terms</b>~^~Accept them.";
    for (size_t i = 0; i < p.targets.size(); ++i) {
        CFileViewer* target = new CFileViewer;
        target->SetTargetNum((int)i);
        target->SetTargetFilename(p.targets[i].c_str());
        target->SetTargetFileExtension(".exe");
        project.AddTarget(target);
    }
    // The base folder stands as its marker in a Folder target's record.
    const std::string base = path.substr(0, path.rfind('\\'));
    if (!p.folderTarget.empty()) {
        CFolderViewer* folder = new CFolderViewer;
        folder->SetViewerType(1);
        folder->SetTargetNum((int)p.targets.size());
        folder->SetTargetFilename((base + "\\" + p.folderTarget).c_str());
        project.AddTarget(folder);
    }
    std::vector<CViewer*> others = p.viewers;
    if (p.zipTarget)
        others.push_back(p.zipTarget);
    for (CViewer* viewer : others) {
        // The project owns its targets: each is a copy of the test's viewer.
        CViewer* copy = NewViewerOfType(viewer->GetViewerType());
        copy->SetEqual(viewer);
        copy->SetViewerType(viewer->GetViewerType());
        project.AddTarget(copy);
    }
    ASSERT_TRUE(project.Write(path.c_str(), base.c_str()));
}

std::vector<std::string> ReadLog(const std::string& path)
{
    std::vector<std::string> records;
    CFileReadWrite f;
    if (!f.OpenRead(path.c_str()))
        return records;
    for (;;) {
        CString s = f.ReadString();
        if (!f.IsOK())
            break;
        records.push_back(s.c_str());
    }
    return records;
}

bool Holds(const std::vector<std::string>& log, const std::string& line)
{
    for (const std::string& r : log)
        if (r == line)
            return true;
    return false;
}

int Count(const std::vector<std::string>& log, const std::string& line)
{
    return (int)std::count(log.begin(), log.end(), line);
}

int Index(const std::vector<std::string>& log, const std::string& line)
{
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i] == line)
            return (int)i;
    return -1;
}

// The log's records in one text, for a failure's trace and for searching.
std::string Joined(const std::vector<std::string>& log)
{
    std::string all;
    for (const std::string& r : log)
        all += r;
    return all;
}

// A top-level window of this title once it is there; null after the time-out.
HWND WaitForWindow(const char* title, DWORD timeoutMs)
{
    HWND window = nullptr;
    for (DWORD waited = 0; !window && waited < timeoutMs; waited += 100) {
        ::Sleep(100);
        window = ::FindWindowA(nullptr, title);
    }
    return window;
}

// Starts the player in its folder with a command line; its exit code, or -1 when it has not
// ended within the time.
DWORD RunPlayer(const std::string& base, const std::string& arguments, DWORD timeoutMs, HANDLE* keep = nullptr,
                const char* program = "Velmora.exe")
{
    std::string command = "\"" + base + "\\" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, base.c_str(), &si, &pi))
        return (DWORD)-2;
    ::CloseHandle(pi.hThread);
    if (keep) {
        *keep = pi.hProcess;
        return 0;
    }
    DWORD code = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    return code;
}

void CopyMedia(const std::string& base)
{
    const std::string src = VELMORA_TEST_SOURCE_DIR;
    ASSERT_TRUE(CopyInto(src + "\\..\\viewers\\animgif\\tests\\fixtures\\anim_none.gif", base, "splash.gif"));
    ASSERT_TRUE(CopyInto(src + "\\..\\framework\\sound\\tests\\fixtures\\tone_22050_mono16.wav", base, "music.wav"));
    ASSERT_TRUE(CopyInto(src + "\\..\\framework\\sound\\tests\\fixtures\\tone_11025_stereo8.wav", base, "ding.wav"));
    // Wine's own programs, which end by themselves, as the two targets.
    ASSERT_TRUE(CopyInto(SystemFolder() + "\\hostname.exe", base, "first.exe"));
    ASSERT_TRUE(CopyInto(SystemFolder() + "\\hostname.exe", base, "second.exe"));
}

TEST(PlayerRun, AProjectPlaysFromStartToEndAndTheDebugLogHoldsItsLines)
{
    const std::string base = MakeBaseFolder("run_basic");
    CopyMedia(base);
    Project p;
    p.targets = {"first.exe", "second.exe"};
    WriteProject(base + "\\velmora.dat", p);
    const DWORD start = ::GetTickCount();
    ASSERT_EQ(RunPlayer(base, "", 90000), 0u) << "the player must end on its own";
    EXPECT_GT(::GetTickCount() - start, 900u) << "the splash stays up for its second";

    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    std::string all;
    for (const std::string& r : log)
        all += "[" + r + "]";
    SCOPED_TRACE(all);
    EXPECT_TRUE(Holds(log, "Velmora Version: 2.9.6\n"));
    EXPECT_TRUE(Holds(log, "Base Folder: " + base + "\n"));
    EXPECT_TRUE(Holds(log, "Wait for each Target: 1\n"));
    EXPECT_TRUE(Holds(log, "Verbose: 0\tHide: 0\tSuppressAOL: 1\n"));
    EXPECT_TRUE(Holds(log, "Splash (image, sound, length): splash.gif, ding.wav, 1\n"));
    EXPECT_TRUE(Holds(log, "Num Targets: 2\n"));
    const int splashStarted = Index(log, "Splash Started...\n");
    const int splashEnd = Index(log, "Splash End\n\n");
    EXPECT_GE(splashStarted, 0);
    EXPECT_GT(splashEnd, splashStarted);
    EXPECT_TRUE(Holds(log, ".")) << "the splash was polled while it showed";
    EXPECT_EQ(Count(log, "\nProcess ended\n\n"), 2);
    // Both targets were found and started (their own logs say so). The started process's
    // name is in the log only when it still ran when it was looked up, which a program
    // that ends at once may not.
    EXPECT_EQ(all.find("does not exist"), std::string::npos);
    EXPECT_EQ(all.find("CP: Fail"), std::string::npos);
    for (const char* start : {"Starting Target #0...\nCP Launch Target\nCP:\t",
                              "Starting Target #1...\nCP Launch Target\nCP:\t"})
        EXPECT_NE(all.find(start), std::string::npos) << start;
    const int dump = Index(log, "End Process Dump\n");
    ASSERT_GE(dump, 0);
    EXPECT_GT(dump, splashEnd);
    EXPECT_EQ(log.back(), "\n");
}

TEST(PlayerRun, WithoutADataFileThePlayerEndsAtOnce)
{
    const std::string base = MakeBaseFolder("run_empty");
    ::DeleteFileA((base + "\\velmora.dat").c_str());
    EXPECT_EQ(RunPlayer(base, "", 30000), 0u);
}

TEST(PlayerRun, ADataFileNamedOnTheCommandLineIsPlayed)
{
    const std::string base = MakeBaseFolder("run_named");
    CopyMedia(base);
    ::DeleteFileA((base + "\\velmora.dat").c_str());
    Project p;
    p.splash = 0;
    p.targets = {"first.exe"};
    WriteProject(base + "\\Other Name.dat", p);
    ASSERT_EQ(RunPlayer(base, "\"Other Name.dat\"", 60000), 0u);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_TRUE(Holds(log, "Num Targets: 1\n"));
    EXPECT_FALSE(Holds(log, "Splash Started...\n"));
    EXPECT_TRUE(Holds(log, "\nProcess ended\n\n"));
}

TEST(PlayerRun, ClosingTheAgreementEndsThePlayerWithNoTargetOpened)
{
    const std::string base = MakeBaseFolder("run_agreement");
    CopyMedia(base);
    Project p;
    p.splash = 0;
    p.agreement = 1;
    p.targets = {"first.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    // The gate shows "I Agree" and "Close"; Close is pressed.
    const HWND gate = WaitForWindow("License Agreement", 30000);
    ASSERT_NE(gate, nullptr);
    ::Sleep(700);  // found as it is made: let it initialise
    char text[64] = {};
    ::GetDlgItemTextA(gate, 1017, text, sizeof text);
    EXPECT_STREQ(text, "I Agree");
    ::GetDlgItemTextA(gate, IDOK, text, sizeof text);
    EXPECT_STREQ(text, "Close");
    ::PostMessageA(gate, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0);
    ::CloseHandle(player);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_FALSE(Holds(log, "\nProcess ended\n\n"));
    EXPECT_TRUE(Holds(log, "End Process Dump\n"));
}

// The ids of running processes with this executable name.
std::vector<DWORD> ProcessesNamed(const char* name)
{
    std::vector<DWORD> ids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {sizeof entry};
    for (BOOL ok = ::Process32First(snap, &entry); ok; ok = ::Process32Next(snap, &entry))
        if (::lstrcmpiA(entry.szExeFile, name) == 0)
            ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snap);
    return ids;
}

void EndAll(const char* name)
{
    for (DWORD id : ProcessesNamed(name))
        if (HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            ::TerminateProcess(h, 0);
            ::WaitForSingleObject(h, 5000);
            ::CloseHandle(h);
        }
}

// A copy of Wine's notepad in the base folder: a target that runs until it is ended. None of
// that name is left running from an earlier test.
void CopyLongTarget(const std::string& base, const char* name)
{
    ASSERT_TRUE(CopyInto(SystemFolder() + "\\notepad.exe", base, name));
    EndAll(name);
}

struct WindowOf {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param)
{
    auto* w = reinterpret_cast<WindowOf*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char caption[64] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (pid == w->process && std::string(caption) == "Starting ...") {
        w->found = window;
        return FALSE;
    }
    return TRUE;
}

// The player's main window in the given process.
HWND PlayerWindow(HANDLE player)
{
    WindowOf w = {::GetProcessId(player), nullptr};
    ::EnumWindows(FindWindowOf, (LPARAM)&w);
    return w.found;
}

TEST(PlayerRun, ClosingThePlayerWhileATargetRunsEndsThatTarget)
{
    const std::string base = MakeBaseFolder("run_close");
    CopyMedia(base);
    CopyLongTarget(base, "longtarget.exe");
    Project p;
    p.splash = 0;
    p.targets = {"longtarget.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    for (int i = 0; i < 200 && ProcessesNamed("longtarget.exe").empty(); ++i)
        ::Sleep(100);
    ASSERT_EQ(ProcessesNamed("longtarget.exe").size(), 1u);
    EXPECT_EQ(::WaitForSingleObject(player, 1000), (DWORD)WAIT_TIMEOUT) << "the player waits for its target";
    const HWND window = PlayerWindow(player);
    ASSERT_NE(window, nullptr);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0);
    ::CloseHandle(player);
    for (int i = 0; i < 50 && !ProcessesNamed("longtarget.exe").empty(); ++i)
        ::Sleep(100);
    EXPECT_TRUE(ProcessesNamed("longtarget.exe").empty()) << "the target the player started is ended";
    EndAll("longtarget.exe");
}

TEST(PlayerRun, AfterANormalEndTheTargetsStayOpen)
{
    const std::string base = MakeBaseFolder("run_leave");
    CopyMedia(base);
    CopyLongTarget(base, "staytarget.exe");
    Project p;
    p.splash = 0;
    p.wait = 0;  // a program target is not waited for: the run ends once it is open
    p.targets = {"staytarget.exe"};
    WriteProject(base + "\\velmora.dat", p);
    ASSERT_EQ(RunPlayer(base, "", 60000), 0u);
    EXPECT_EQ(ProcessesNamed("staytarget.exe").size(), 1u);
    EndAll("staytarget.exe");
}

TEST(PlayerRun, APlayerNamedDemoLoadsDemoDat)
{
    const std::string base = MakeBaseFolder("run_demo");
    CopyMedia(base);
    ::DeleteFileA((base + "\\velmora.dat").c_str());
    ASSERT_TRUE(CopyInto(base + "\\Velmora.exe", base, "Demo.exe"));
    Project p;
    p.splash = 0;
    p.targets = {"first.exe"};
    WriteProject(base + "\\Demo.dat", p);
    ASSERT_EQ(RunPlayer(base, "", 60000, nullptr, "Demo.exe"), 0u);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_TRUE(Holds(log, "Num Targets: 1\n"));
    EXPECT_TRUE(Holds(log, "\nProcess ended\n\n"));
}

bool WaitForProcesses(const char* name, size_t count, DWORD timeoutMs)
{
    for (DWORD waited = 0; ProcessesNamed(name).size() < count; waited += 100) {
        if (waited >= timeoutMs)
            return false;
        ::Sleep(100);
    }
    return true;
}

TEST(PlayerRun, ASecondCopyEndsTheFirst)
{
    const std::string base = MakeBaseFolder("run_single");
    CopyMedia(base);
    CopyLongTarget(base, "singletarget.exe");
    Project p;
    p.splash = 0;
    p.singleInstance = 1;
    p.targets = {"singletarget.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE first = nullptr, second = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &first), 0u);
    ASSERT_TRUE(WaitForProcesses("singletarget.exe", 1, 20000));
    ASSERT_EQ(RunPlayer(base, "", 0, &second), 0u);
    EXPECT_EQ(::WaitForSingleObject(first, 30000), (DWORD)WAIT_OBJECT_0) << "the second copy ends the first";
    EXPECT_EQ(::WaitForSingleObject(second, 2000), (DWORD)WAIT_TIMEOUT) << "and plays on";
    EXPECT_TRUE(WaitForProcesses("singletarget.exe", 1, 20000)) << "with its own target";
    if (HWND window = PlayerWindow(second))
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(second, 30000), (DWORD)WAIT_OBJECT_0);
    for (HANDLE h : {first, second}) {
        ::TerminateProcess(h, 1);
        ::CloseHandle(h);
    }
    EndAll("singletarget.exe");
}

TEST(PlayerRun, PreloadStartsEveryTargetThenShowsThemInTurn)
{
    const std::string base = MakeBaseFolder("run_preload");
    CopyMedia(base);
    CopyLongTarget(base, "preload1.exe");
    CopyLongTarget(base, "preload2.exe");
    Project p;
    p.preload = 1;
    p.splashDuration = 3;
    p.targets = {"preload1.exe", "preload2.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    // Both are running before the first has ended, although the run waits for each target:
    // pre-load started them all.
    EXPECT_TRUE(WaitForProcesses("preload1.exe", 1, 20000));
    EXPECT_TRUE(WaitForProcesses("preload2.exe", 1, 20000));
    EXPECT_EQ(::WaitForSingleObject(player, 0), (DWORD)WAIT_TIMEOUT);
    ::Sleep(4000);  // the splash has ended; the first target is shown and waited for
    EXPECT_EQ(::WaitForSingleObject(player, 0), (DWORD)WAIT_TIMEOUT) << "the player waits for its targets";
    EndAll("preload1.exe");
    ::Sleep(1000);
    EXPECT_EQ(::WaitForSingleObject(player, 0), (DWORD)WAIT_TIMEOUT) << "the second target is waited for";
    EndAll("preload2.exe");
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0);
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_TRUE(Holds(log, "Splash Started...\n"));
    EXPECT_EQ(Count(log, "\nProcess ended\n\n"), 2);
}

// The shell's window of the test's folder, under whatever title it has, is closed after it.
BOOL CALLBACK CloseFolderWindow(HWND window, LPARAM)
{
    char caption[MAX_PATH] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::string(caption).find("Pictures") != std::string::npos)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

TEST(PlayerRun, AFolderTargetIsWaitedForUntilItsWindowCloses)
{
    const std::string base = MakeBaseFolder("run_folder");
    CopyMedia(base);
    const std::string folder = base + "\\Pictures";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    Project p;
    p.splash = 0;
    p.folderTarget = "Pictures";
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    HWND window = nullptr;
    for (int i = 0; i < 100 && !window; ++i) {
        if (::WaitForSingleObject(player, 100) == WAIT_OBJECT_0)
            break;
        window = ::FindWindowA(nullptr, folder.c_str());
    }
    if (window) {
        EXPECT_EQ(::WaitForSingleObject(player, 1500), (DWORD)WAIT_TIMEOUT) << "the folder's window is waited for";
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    // Whether or not the shell's window carries the path as its title, the run goes on.
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "a Folder target never holds the run for ever";
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    ::EnumWindows(CloseFolderWindow, 0);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_TRUE(Holds(log, "\nProcess ended\n\n"));
}

TEST(PlayerRun, AnAdditionalViewerCheckRunsItsProgramBeforeTheTargets)
{
    const std::string base = MakeBaseFolder("run_additional");
    CopyMedia(base);
    Project p;
    p.splash = 0;
    p.targets = {"second.exe"};
    // No program is registered for this extension: the check asks, then runs its program.
    p.additional = {{"VlmNoViewer", base + "\\first.exe", "Install the viewer?~^~It is quick.", ""}};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const HWND ask = WaitForWindow("Attention", 20000);
    ASSERT_NE(ask, nullptr) << "the confirmation before the viewer's program";
    ::Sleep(500);
    ::PostMessageA(ask, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(::WaitForSingleObject(player, 60000), (DWORD)WAIT_OBJECT_0);
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    const std::string all = Joined(log);
    SCOPED_TRACE(all);
    const size_t check = all.find("** Additional Viewer #-10 **");
    const size_t failsafe = all.find("Failsafe Launched\n");
    const size_t target = all.find("** Target #0 **");
    EXPECT_NE(check, std::string::npos);
    EXPECT_NE(all.find("FileExtension: .vlmnoviewer\n"), std::string::npos) << "dot added, lower-cased";
    ASSERT_NE(failsafe, std::string::npos);
    EXPECT_GT(failsafe, check);
    EXPECT_NE(target, std::string::npos);
    EXPECT_TRUE(Holds(log, "\nProcess ended\n\n"));
}

TEST(PlayerRun, ARepeatShowsTheSplashAgainWithoutAskingForTheAgreement)
{
    const std::string base = MakeBaseFolder("run_repeat");
    CopyMedia(base);
    Project p;
    p.repeat = 1;
    p.targets = {"first.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    // Two passes, each a splash (1 s, and up to 2 s more for Wine to hide it) and the target:
    // the log (open for reading beside the player) says when the second splash has ended.
    const std::string logPath = base + "\\debug.afv";
    for (int i = 0; i < 600 && Count(ReadLog(logPath), "Splash End\n\n") < 2; ++i)
        ::Sleep(100);
    if (HWND window = PlayerWindow(player))
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "repeats until closed";
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    // Each pass's splash shows its picture for its time: polled several times before its end.
    std::vector<int> dotsPerSplash;
    for (const std::string& r : log) {
        if (r == "Splash Started...\n")
            dotsPerSplash.push_back(0);
        else if (r == "." && !dotsPerSplash.empty())
            ++dotsPerSplash.back();
    }
    ASSERT_GE(dotsPerSplash.size(), 2u);
    EXPECT_GE(dotsPerSplash[0], 5);
    EXPECT_GE(dotsPerSplash[1], 5) << "the second pass finds the splash picture too";
}

TEST(PlayerRun, TheAgreementGateAndTheSplashOnScreen)
{
    const std::string base = MakeBaseFolder("run_screens");
    CopyMedia(base);
    Project p;
    p.agreement = 1;
    p.splashDuration = 8;
    p.targets = {"first.exe"};
    WriteProject(base + "\\velmora.dat", p);
    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const HWND gate = WaitForWindow("License Agreement", 30000);
    ASSERT_NE(gate, nullptr);
    ::Sleep(700);
    const Screenshot agreement = TakeScreenshot("agreement");
    if (agreement.width == 0) {
        ::TerminateProcess(player, 1);
        ::CloseHandle(player);
        FAIL() << "no screenshot";
    }
    RECT rect;
    ::GetWindowRect(gate, &rect);
    EXPECT_EQ(rect.right - rect.left > 300, true);
    char status[200] = {};
    ::GetDlgItemTextA(gate, 1015, status, sizeof status);
    EXPECT_STREQ(status, "Please read the License Agreement above. If you agree to the terms, click the 'I Agree' button.");
    // The gate is drawn: its face is not all one colour.
    int differing = 0;
    const COLORREF first = agreement.Pixel(rect.left + 20, rect.top + 40);
    for (int y = rect.top + 30; y < rect.bottom - 5; y += 3)
        for (int x = rect.left + 5; x < rect.right - 5; x += 3)
            differing += agreement.Pixel(x, y) != first;
    EXPECT_GT(differing, 20);
    // "I Agree": the run goes on to the splash, full screen in its background colour.
    ::PostMessageA(gate, WM_COMMAND, MAKEWPARAM(1017, BN_CLICKED), (LPARAM)::GetDlgItem(gate, 1017));
    // (Hiding a window under Wine without a window manager may take two seconds.)
    ::Sleep(4500);
    const Screenshot splash = TakeScreenshot("splash");
    EXPECT_EQ(splash.Pixel(2, 2), RGB(0, 0, 0x40));
    EXPECT_EQ(splash.Pixel(splash.width - 3, splash.height - 3), RGB(0, 0, 0x40));
    // The animation's first frame is white, in the middle of the screen.
    EXPECT_EQ(splash.Pixel(splash.width / 2, splash.height / 2 - 5), RGB(255, 255, 255));
    EXPECT_EQ(::WaitForSingleObject(player, 60000), (DWORD)WAIT_OBJECT_0);
    ::CloseHandle(player);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    EXPECT_TRUE(Holds(log, "\nProcess ended\n\n")) << "the target ran after the agreement";
}

// Metafile splashes as a drawing program saves them: two filled halves in two colours.
const COLORREF kLeftHalf = RGB(220, 40, 30), kRightHalf = RGB(30, 170, 60);

void DrawHalves(HDC dc, int width, int height)
{
    const HBRUSH left = ::CreateSolidBrush(kLeftHalf), right = ::CreateSolidBrush(kRightHalf);
    const RECT a = {0, 0, width / 2, height}, b = {width / 2, 0, width, height};
    ::FillRect(dc, &a, left);
    ::FillRect(dc, &b, right);
    ::DeleteObject(left);
    ::DeleteObject(right);
}

TEST(PlayerRun, MetafileSplashesShowTheirColoursOnScreen)
{
    HDC screen = ::GetDC(nullptr);
    const WORD dpi = (WORD)::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
    } splashes[] = {
        {"splash.emf", RecordEnhancedMetafile(320, 200, DrawHalves)},
        {"splash.wmf", RecordPlaceableMetafile(320, 200, 320, 200, dpi, DrawHalves)},
    };
    for (const auto& splash : splashes) {
        SCOPED_TRACE(splash.name);
        const std::string base = MakeBaseFolder("run_metafile");
        CopyMedia(base);
        if (FILE* out = std::fopen((base + "\\" + splash.name).c_str(), "wb")) {
            std::fwrite(splash.bytes.data(), 1, splash.bytes.size(), out);
            std::fclose(out);
        }
        Project p;
        p.splashPicture = splash.name;
        p.splashDuration = 6;
        p.targets = {"first.exe"};
        WriteProject(base + "\\velmora.dat", p);
        HANDLE player = nullptr;
        ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
        const std::string logPath = base + "\\debug.afv";
        for (int i = 0; i < 300 && !Holds(ReadLog(logPath), "Splash Started...\n"); ++i)
            ::Sleep(100);
        ::Sleep(2000);  // shown and painted
        const Screenshot shot = TakeScreenshot(std::string("splash_") + (splash.name + 7));
        // The picture, 320 x 200 in the middle of the screen in its background colour.
        const int cx = shot.width / 2, cy = shot.height / 2;
        EXPECT_EQ(shot.Pixel(2, 2), RGB(0, 0, 0x40));
        EXPECT_EQ(shot.Pixel(cx - 80, cy), kLeftHalf);
        EXPECT_EQ(shot.Pixel(cx - 150, cy - 90), kLeftHalf);
        EXPECT_EQ(shot.Pixel(cx + 80, cy), kRightHalf);
        EXPECT_EQ(shot.Pixel(cx + 150, cy + 90), kRightHalf);
        EXPECT_EQ(shot.Pixel(cx - 170, cy), RGB(0, 0, 0x40));
        EXPECT_EQ(::WaitForSingleObject(player, 60000), (DWORD)WAIT_OBJECT_0);
        ::TerminateProcess(player, 1);
        ::CloseHandle(player);
        EXPECT_TRUE(Holds(ReadLog(logPath), "Splash End\n\n"));
    }
}

struct TitledWith {
    std::string part;
    bool found;
};

BOOL CALLBACK FindVisibleTitled(HWND window, LPARAM param)
{
    auto* w = reinterpret_cast<TitledWith*>(param);
    char caption[MAX_PATH] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::string(caption).find(w->part) != std::string::npos)
        w->found = true;
    return TRUE;
}

// Projects whose target names the system cannot open (the committed regression inputs): a
// name of 1024 bytes, once handed to the shell and the end of the player, and an empty one,
// which the shell took for the base folder and opened in the file manager. Each run ends on
// its own, opens nothing and says why in its log.
TEST(PlayerRun, TargetNamesTheSystemCannotOpenEndTheRunOnTheirOwn)
{
    struct Case {
        const char* fixture;
        const char* folder;
        const char* logged;
        int count;
    };
    const Case cases[] = {
        {"long_target_name.dat", "run_long_name", " characters): not launched\n", 3},
        {"empty_target_name.dat", "run_empty_name", "Nothing to launch\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        const std::string base = MakeBaseFolder(c.folder);
        ASSERT_TRUE(CopyInto(std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures\\" + c.fixture, base,
                             "velmora.dat"));
        const size_t explorers = ProcessesNamed("explorer.exe").size() + ProcessesNamed("winefile.exe").size();
        EXPECT_EQ(RunPlayer(base, "", 60000), 0u) << "the player ends on its own, without a crash";
        ::Sleep(1000);  // a shell window would be up by now
        TitledWith window = {c.folder, false};
        ::EnumWindows(FindVisibleTitled, (LPARAM)&window);
        EXPECT_FALSE(window.found) << "no file manager on the base folder";
        EXPECT_EQ(ProcessesNamed("explorer.exe").size() + ProcessesNamed("winefile.exe").size(), explorers)
            << "no file manager started";
        const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
        const std::string all = Joined(log);
        EXPECT_TRUE(Holds(log, "Num Targets: " + std::to_string(c.count) + "\n")) << all.substr(0, 2000);
        size_t times = 0;
        for (size_t at = all.find(c.logged); at != std::string::npos; at = all.find(c.logged, at + 1))
            ++times;
        EXPECT_EQ(times, (size_t)c.count) << "every target refused, each with its reason";
        EXPECT_EQ(all.find("CP:\t"), std::string::npos) << "nothing started";
    }
}

HWND FindExtractorOf(DWORD process)
{
    for (HWND w = ::FindWindowA("#32770", "Velmora Zip File Extractor"); w;
         w = ::FindWindowExA(nullptr, w, "#32770", "Velmora Zip File Extractor")) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == process && ::GetDlgItem(w, 1005))
            return w;
    }
    return nullptr;
}

TEST(PlayerRun, AZipTargetIsUnpackedThroughItsDialogAndThePlayerEnds)
{
    const std::string base = MakeBaseFolder("run_zip");
    CopyMedia(base);
    const std::string fixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures\\zip\\";
    ASSERT_TRUE(CopyInto(fixtures + "app.zip", base, "app.zip"));
    char desktop[MAX_PATH] = "", programs[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    ::SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    const std::string destination = std::string(desktop) + "\\VelmoraRunZip";
    const std::string group = std::string(programs) + "\\VelmoraRunZip";
    const std::string readmeLink = std::string(desktop) + "\\VelmoraRunZip readme.lnk";
    // What an earlier run left would be met by the question whether to replace it.
    RemoveTree(destination);
    RemoveTree(group);
    ::DeleteFileA(readmeLink.c_str());
    CRegistryKey(HKEY_CURRENT_USER).Delete("Software\\Corvex Software\\VelmoraRunTest", nullptr);
    CRegistryKey(HKEY_CLASSES_ROOT).SetString(".vlmzip", "", "txtfile");

    CZipViewer zip;
    zip.SetViewerType(3);
    zip.SetTargetFilename("app.zip");
    zip.SetExtractLocation(1);
    zip.SetExtractFolder("VelmoraRunZip");
    zip.AddShortcut(1, "app\\readme.vlmzip", 1, "VelmoraRunZip readme", "app\\app.ico", 1);
    zip.AddShortcut(2, "app\\bin\\tool.vlmzip", 5, "", "", 0);
    Project p;
    p.splash = 0;
    p.zipTarget = &zip;
    WriteProject(base + "\\velmora.dat", p);

    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const DWORD id = ::GetProcessId(player);
    bool installed = false, closed = false;
    for (int i = 0; i < 300 && !closed; ++i) {
        if (::WaitForSingleObject(player, 100) == WAIT_OBJECT_0)
            break;
        HWND dialog = FindExtractorOf(id);
        if (!dialog)
            continue;
        char close[32] = "";
        ::GetDlgItemTextA(dialog, 1, close, sizeof close);
        if (!installed) {
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, 1005));
            installed = true;
        } else if (std::string(close) == "Close") {
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, 1));
            closed = true;
        }
    }
    EXPECT_TRUE(closed) << "the extractor came up and completed";
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "the player ends on its own";
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    for (const char* name : { "app\\app.ico", "app\\readme.vlmzip", "app\\docs\\manual.txt", "app\\bin\\tool.vlmzip",
                              "app\\bin\\data.bin" }) {
        const std::string installed = ReadWholeFile(destination + "\\" + name);
        EXPECT_FALSE(installed.empty()) << name;
        EXPECT_EQ(installed, UnzippedEntry(fixtures + "app.zip", name, "", base + "\\unzip.out")) << name;
    }
    const std::string readme = LnkInfoReport(readmeLink, base + "\\lnkinfo.txt");
    EXPECT_NE(readme.find("Local path"), std::string::npos) << readme;
    EXPECT_NE(readme.find("readme.vlmzip"), std::string::npos) << readme;
    EXPECT_NE(readme.find("Icon location"), std::string::npos) << readme;
    const std::string tool = LnkInfoReport(group + "\\tool.lnk", base + "\\lnkinfo.txt");
    EXPECT_NE(tool.find("tool.vlmzip"), std::string::npos) << tool;
    DWORD opened = 0;
    EXPECT_TRUE(CRegistryKey(HKEY_CURRENT_USER).QueryDword("Software\\Corvex Software\\VelmoraRunTest", "0T", opened));
    EXPECT_EQ(opened, 1u);
    const std::string log = Joined(ReadLog(base + "\\debug.afv"));
    EXPECT_NE(log.find("Zip: file started: app\\readme.vlmzip (started)"), std::string::npos) << log;

    // The read-me opens in Notepad, whose window may come only after the player has ended. A
    // Notepad left open holds the installed file and slows the next tests' windows.
    HWND notepad = nullptr;
    for (DWORD waited = 0; !notepad && waited < 10000; waited += 100) {
        notepad = ::FindWindowA(nullptr, "readme.vlmzip - Notepad");
        if (!notepad)
            notepad = ::FindWindowA(nullptr, "Notepad - readme.vlmzip");
        if (!notepad)
            ::Sleep(100);
    }
    EXPECT_NE(notepad, nullptr) << "the read-me was opened";
    EndAll("notepad.exe");
    ::DeleteFileA(readmeLink.c_str());
    RemoveTree(group);
    RemoveTree(destination);
    CRegistryKey(HKEY_CLASSES_ROOT).Delete(".vlmzip", nullptr);
    CRegistryKey(HKEY_CURRENT_USER).Delete("Software\\Corvex Software\\VelmoraRunTest", nullptr);
}

}  // namespace

namespace {

// A shown top-level window holding a stand-in control window of a non-zero size, and that
// control window.
struct ControlWindow {
    HWND top = nullptr, control = nullptr;
};

BOOL CALLBACK FindStandInChild(HWND child, LPARAM found)
{
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof name);
    RECT r;
    ::GetWindowRect(child, &r);
    if (std::string(name) == "VelmoraStandInControl" && ::IsWindowVisible(child) && r.right > r.left) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindControlWindow(HWND top, LPARAM out)
{
    auto* w = reinterpret_cast<ControlWindow*>(out);
    RECT r;
    ::GetWindowRect(top, &r);
    if (!::IsWindowVisible(top) || r.right - r.left <= 0)
        return TRUE;
    HWND control = nullptr;
    ::EnumChildWindows(top, FindStandInChild, reinterpret_cast<LPARAM>(&control));
    if (!control)
        return TRUE;
    w->top = top;
    w->control = control;
    return FALSE;
}

ControlWindow WaitForControlWindow(HWND other, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        ControlWindow w;
        ::EnumWindows(FindControlWindow, reinterpret_cast<LPARAM>(&w));
        if (w.top && w.top != other)
            return w;
        ::Sleep(50);
    }
    return ControlWindow();
}

bool WaitForWindowGone(HWND w, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (!::IsWindow(w) || !::IsWindowVisible(w))
            return true;
        ::Sleep(50);
    }
    return false;
}

std::string TextOf(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            text += char(c);
        std::fclose(f);
    }
    return text;
}

const char kFlashProduct[] = "{5E1C9A7B-3D2F-4B8A-9C61-7A0E4D2B8F13}";

void RunMsiexec(const std::string& arguments)
{
    std::string line = "msiexec.exe " + arguments;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::WaitForSingleObject(pi.hProcess, 20000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
}

}

// A Media and a Flash target with the stand-in controls registered and the stand-in
// flash.msi beside the player: the package is installed, each window comes up on screen in
// its place with the control's colour (and the media window's border around it), closes at
// the end of its file, and the player ends on its own.
TEST(PlayerRun, MediaAndFlashTargetsPlayInTheirWindowsAndTheRunEnds)
{
    const std::string base = MakeBaseFolder("run_mediaflash");
    ASSERT_TRUE(CopyInto(std::string(VELMORA_TEST_BINARY_DIR) + "\\..\\viewers\\flash.msi", base, "flash.msi"));
    if (FILE* f = std::fopen((base + "\\clip.vmedia").c_str(), "wb")) {
        std::fputs("320 240 1500", f);
        std::fclose(f);
    }
    if (FILE* f = std::fopen((base + "\\movie.vflash").c_str(), "wb")) {
        std::fputs("0 0 1500", f);
        std::fclose(f);
    }
    RunMsiexec(std::string("/x ") + kFlashProduct + " /q");
    ASSERT_NE(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT);
    const std::string standInLog = base + "\\standin.log";
    ::DeleteFileA(standInLog.c_str());
    ::SetEnvironmentVariableA(STANDIN_LOG_VARIABLE, standInLog.c_str());
    StandInControlRegistration registration;
    registration.Register(StandInControlRegistration::Newer, base + "\\velmora_standin9.dll");
    registration.Register(StandInControlRegistration::Older, base + "\\velmora_standin9.dll");
    registration.Register(StandInControlRegistration::Flash, base + "\\velmora_standin9.dll");

    const COLORREF border = RGB(250, 200, 0);
    CMediaViewer media;
    media.SetViewerType(CViewer::TypeMedia);
    media.SetTargetFilename("clip.vmedia");
    media.SetTitleBar(0);
    media.SetShowBorder(1);
    media.SetBorderWidth(10);
    media.SetBorderColor(border);
    CFlashViewer flash;
    flash.SetViewerType(CViewer::TypeFlash);
    flash.SetTargetFilename("movie.vflash");
    flash.SetCustomFlashWidth(400);
    flash.SetCustomFlashHeight(300);
    Project p;
    p.splash = 0;
    p.viewers = {&media, &flash};
    WriteProject(base + "\\velmora.dat", p);

    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const ControlWindow mediaWindow = WaitForControlWindow(nullptr, 30000);
    ASSERT_NE(mediaWindow.top, nullptr) << TextOf(standInLog);
    ::Sleep(300);
    const Screenshot mediaShot = TakeScreenshot("media_window");
    RECT window, control, area;
    ::GetWindowRect(mediaWindow.top, &window);
    ::GetWindowRect(mediaWindow.control, &control);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    // 320 x 240 and the panel of 27 and tracker of 19, a border of 10, no caption, centred.
    EXPECT_EQ(control.right - control.left, 320);
    EXPECT_EQ(control.bottom - control.top, 286);
    EXPECT_EQ(window.right - window.left, 340);
    EXPECT_EQ(window.bottom - window.top, 306);
    EXPECT_EQ(window.left, (area.right - 340 - area.left) / 2);
    EXPECT_EQ(window.top, (area.bottom - area.top - 306) / 2);
    EXPECT_EQ(control.left - window.left, 10);
    ASSERT_GT(mediaShot.width, 0) << "no screenshot";
    EXPECT_EQ(mediaShot.Pixel((control.left + control.right) / 2, (control.top + control.bottom) / 2),
              STANDIN_NEWER_COLOUR);
    EXPECT_EQ(mediaShot.Pixel(window.left + 4, (window.top + window.bottom) / 2), border);
    EXPECT_EQ(mediaShot.Pixel((window.left + window.right) / 2, window.bottom - 4), border);
    EXPECT_EQ(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT) << "installed when the Flash target was read";
    EXPECT_TRUE(WaitForWindowGone(mediaWindow.top, 10000)) << "the media window closes at the end of its file";

    const ControlWindow flashWindow = WaitForControlWindow(mediaWindow.top, 15000);
    ASSERT_NE(flashWindow.top, nullptr) << TextOf(standInLog);
    ::Sleep(300);
    const Screenshot flashShot = TakeScreenshot("flash_window");
    ::GetWindowRect(flashWindow.top, &window);
    ::GetWindowRect(flashWindow.control, &control);
    const int frameWidth = 2 * ::GetSystemMetrics(SM_CXDLGFRAME);
    const int frameHeight = ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(window.right - window.left, 400 + frameWidth);
    EXPECT_EQ(window.bottom - window.top, 300 + frameHeight);
    EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - frameWidth - 400) / 2);
    EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - frameHeight - 300) / 2);
    EXPECT_EQ(control.right - control.left, 400);
    EXPECT_EQ(flashShot.Pixel((control.left + control.right) / 2, (control.top + control.bottom) / 2),
              STANDIN_FLASH_COLOUR);
    EXPECT_TRUE(::GetWindowLongA(flashWindow.top, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(WaitForWindowGone(flashWindow.top, 10000)) << "the Flash window closes when the movie stops";

    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "the player ends on its own";
    DWORD code = 1;
    ::GetExitCodeProcess(player, &code);
    ::CloseHandle(player);
    EXPECT_EQ(code, 0u);
    ::SetEnvironmentVariableA(STANDIN_LOG_VARIABLE, nullptr);
    const std::string calls = TextOf(standInLog);
    EXPECT_NE(calls.find("event 5101 8"), std::string::npos) << calls;
    EXPECT_NE(calls.find("flash:125?"), std::string::npos) << calls;
    RunMsiexec(std::string("/x ") + kFlashProduct + " /q");
}

namespace {

struct ShownWindowOf {
    DWORD pid;
    const char* cls;
    int width, height;
    HWND found;
};

BOOL CALLBACK FindShownWindowOf(HWND window, LPARAM param)
{
    ShownWindowOf& w = *reinterpret_cast<ShownWindowOf*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    RECT r = {};
    ::GetWindowRect(window, &r);
    if (pid == w.pid && ::IsWindowVisible(window) && std::string(cls) == w.cls && r.right - r.left == w.width
        && r.bottom - r.top == w.height) {
        w.found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible window of the process, of that class and size.
HWND WaitForVisibleWindow(DWORD pid, const char* cls, int width, int height, DWORD timeoutMs)
{
    ShownWindowOf w = { pid, cls, width, height, nullptr };
    for (DWORD waited = 0; !w.found && waited < timeoutMs; waited += 50) {
        ::EnumWindows(FindShownWindowOf, reinterpret_cast<LPARAM>(&w));
        if (!w.found)
            ::Sleep(50);
    }
    return w.found;
}

}

// A base folder written by the project's own code: a slideshow with music of its own beside
// the project's music, then a web page in the (stand-in) browser that slides in. Both are
// seen on the screen; the player waits for the browser until its window is closed, then ends.
TEST(PlayerRun, ASlideShowAndAWebTargetOnScreen)
{
    const std::string base = MakeBaseFolder("run_web_slides");
    CopyMedia(base);
    const std::string fixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures";
    ASSERT_TRUE(CopyInto(fixtures + "\\slide_red.bmp", base, "red.bmp"));
    ASSERT_TRUE(CopyInto(fixtures + "\\slide_blue.png", base, "blue.png"));
    ASSERT_TRUE(CopyInto(base + "\\ding.wav", base, "slides.wav"));
    if (FILE* page = std::fopen((base + "\\page.html").c_str(), "wb")) {
        std::fputs("<html><body>Velmora</body></html>", page);
        std::fclose(page);
    }
    StandInRegistration browser(Here());

    CProjectData project;
    project.ProjectKey = "VelmoraWebSlidesRun";
    project.BackgroundMusic = 1;
    project.MusicFile = "music.wav";
    project.DebugLog = 1;
    project.Splash = 0;
    project.HidePlayer = 1;
    CSlideShowViewer* show = new CSlideShowViewer;
    show->SetViewerType(CViewer::TypeSlideShow);
    show->SetTargetFilename("red.bmp");
    show->SetCustomSlideShowWidth(320);
    show->SetCustomSlideShowHeight(240);
    show->SetDisplayTime(2);
    show->SetSSBackgroundColor(RGB(0, 128, 0));
    show->SetBackgroundMusic("slides.wav");
    show->AddSlide("red.bmp");
    show->AddSlide("blue.png");
    ASSERT_TRUE(project.AddTarget(show));
    CWebViewer* web = new CWebViewer;
    web->SetViewerType(CViewer::TypeWeb);
    web->SetTargetFilename("page.html");
    web->SetWindowPositionType(1);
    web->SetWindowPreset(0);
    web->SetUseEffects(1);
    web->SetEffectType(0);
    web->SetEffectSpeed(25);
    ASSERT_TRUE(project.AddTarget(web));
    ASSERT_TRUE(project.Write((base + "\\velmora.dat").c_str(), base.c_str()));

    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const DWORD pid = ::GetProcessId(player);

    // The slideshow: the first slide centred on its background.
    const HWND slides = WaitForVisibleWindow(pid, "#32770", 320, 240, 20000);
    ASSERT_NE(slides, nullptr);
    ::Sleep(700);
    RECT s;
    ::GetWindowRect(slides, &s);
    EXPECT_EQ(s.right - s.left, 320);
    EXPECT_EQ(s.bottom - s.top, 240);
    const Screenshot slideShot = TakeScreenshot("slideshow");
    ASSERT_GT(slideShot.width, 0);
    const int cx = (s.left + s.right) / 2, cy = (s.top + s.bottom) / 2;
    EXPECT_EQ(slideShot.Pixel(cx, cy), RGB(255, 0, 0)) << "the slide in the middle";
    EXPECT_EQ(slideShot.Pixel(cx + 15, cy + 10), RGB(255, 0, 0));
    EXPECT_EQ(slideShot.Pixel(s.left + 5, s.top + 5), RGB(0, 128, 0)) << "the background around it";
    EXPECT_EQ(slideShot.Pixel(cx + 30, cy), RGB(0, 128, 0));

    // The browser, slid in to the top-left corner of the work area.
    HWND browserWindow = ::FindWindowA(STANDIN_WINDOW_CLASS, nullptr);
    for (int i = 0; i < 300 && !(browserWindow && ::IsWindowVisible(browserWindow)); ++i) {
        ::Sleep(50);
        browserWindow = ::FindWindowA(STANDIN_WINDOW_CLASS, nullptr);
    }
    ASSERT_NE(browserWindow, nullptr) << "the slideshow ended and the browser came";
    browser.Track(browserWindow);
    RECT b = {};
    for (int i = 0; i < 100; ++i) {
        ::GetWindowRect(browserWindow, &b);
        if (b.left == 0)
            break;
        ::Sleep(50);
    }
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    ::Sleep(300);
    const Screenshot webShot = TakeScreenshot("web");
    ASSERT_GT(webShot.width, 0);
    RECT client;
    ::GetClientRect(browserWindow, &client);
    POINT inside = { client.right / 2, client.bottom / 2 };
    ::ClientToScreen(browserWindow, &inside);
    EXPECT_EQ(webShot.Pixel(inside.x, inside.y), STANDIN_PAGE_COLOUR);
    EXPECT_NE(webShot.Pixel(b.right + 5, b.top + 20), STANDIN_PAGE_COLOUR) << "nothing of it beyond its rectangle";

    // The player waits for the browser.
    EXPECT_EQ(::WaitForSingleObject(player, 2000), (DWORD)WAIT_TIMEOUT);
    ::PostMessageA(browserWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "ends on its own";
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    StandInRegistration::EndProcessOf(browserWindow);
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    const std::string all = Joined(log);
    SCOPED_TRACE(all);
    EXPECT_NE(all.find("** Target #0 **"), std::string::npos);
    EXPECT_NE(all.find("** Target #1 **"), std::string::npos);
    EXPECT_NE(all.find("Navigate file:///"), std::string::npos);
}

namespace {

// A click as the mouse makes it, on the button of that control id in a window of the player.
void ClickButton(HWND window, int id)
{
    HWND button = ::GetDlgItem(window, id);
    const LPARAM at = MAKELPARAM(5, 5);
    ::SendMessageA(button, WM_MOUSEMOVE, 0, at);
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(button, WM_LBUTTONUP, 0, at);
}

CSlideShowViewer* TwoSlides(CSlideShowViewer& show)
{
    show.SetViewerType(CViewer::TypeSlideShow);
    show.SetTargetFilename("red.bmp");
    show.SetCustomSlideShowWidth(200);
    show.SetCustomSlideShowHeight(150);
    show.SetDisplayTime(1);
    show.AddSlide("red.bmp");
    show.AddSlide("blue.png");
    return &show;
}

void CopySlides(const std::string& base)
{
    const std::string fixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures";
    ASSERT_TRUE(CopyInto(fixtures + "\\slide_red.bmp", base, "red.bmp"));
    ASSERT_TRUE(CopyInto(fixtures + "\\slide_blue.png", base, "blue.png"));
}

}

// A Menu target: its window comes up, a click on its program button starts the program and
// one on its slideshow button shows the slides; Exit ends the menu and the run.
TEST(PlayerRun, AMenuTargetsButtonsOpenAProgramAndASlideShowAndExitEndsTheRun)
{
    const std::string base = MakeBaseFolder("run_menu");
    CopyMedia(base);
    CopySlides(base);
    CopyLongTarget(base, "menutarget.exe");
    CFileViewer program;
    program.SetViewerType(CViewer::TypeFile);
    program.SetTargetFilename("menutarget.exe");
    program.SetTargetFileExtension(".exe");
    CSlideShowViewer show;
    CMenuViewer menu;
    menu.SetViewerType(CViewer::TypeMenu);
    menu.SetTargetFilename("menu");  // logged as a target (an empty name logs as an additional viewer)
    menu.SetMenuTitle("Velmora Run Menu");
    menu.SetMenuWidth(400);
    menu.SetMenuHeight(300);
    menu.AddMenuButton("Program", 0, MenuActionFile, &program);
    menu.AddMenuButton("Slides", 1, MenuActionSlideShow, TwoSlides(show));
    menu.AddMenuButton("Exit", 2, MenuActionExit, nullptr);
    Project p;
    p.splash = 0;
    p.viewers = {&menu};
    WriteProject(base + "\\velmora.dat", p);

    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const HWND window = WaitForWindow("Velmora Run Menu", 30000);
    ASSERT_NE(window, nullptr);
    ::Sleep(500);
    RECT r;
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300 + ::GetSystemMetrics(SM_CYCAPTION));
    ClickButton(window, 1024);
    EXPECT_TRUE(WaitForProcesses("menutarget.exe", 1, 20000)) << "the program button";
    ClickButton(window, 1025);
    EXPECT_NE(WaitForVisibleWindow(::GetProcessId(player), "#32770", 200, 150, 10000), nullptr) << "the slideshow button";
    EXPECT_EQ(::WaitForSingleObject(player, 500), (DWORD)WAIT_TIMEOUT) << "the menu stays up";
    ClickButton(window, IDOK);
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "Exit ends the menu and the run";
    DWORD code = 1;
    ::GetExitCodeProcess(player, &code);
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ProcessesNamed("menutarget.exe").size(), 1u) << "what a button started keeps running";
    EndAll("menutarget.exe");
    const std::string log = Joined(ReadLog(base + "\\debug.afv"));
    EXPECT_NE(log.find("** Target #0 **"), std::string::npos) << log;
}

// One target of every kind in one base folder written by the project's own code, the
// stand-ins registered: a program, a folder, a web page, a zip archive (its dialog pressed
// through), media, Flash, a slideshow and a menu. The run goes through them all and ends on its
// own; the debug log holds every target's section.
TEST(PlayerRun, AProjectWithATargetOfEveryKindPlaysThroughThem)
{
    const std::string base = MakeBaseFolder("run_every_kind");
    CopyMedia(base);
    CopySlides(base);
    ::CreateDirectoryA((base + "\\Pictures").c_str(), nullptr);
    ASSERT_TRUE(CopyInto(std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures\\zip\\app.zip", base,
                         "app.zip"));
    if (FILE* f = std::fopen((base + "\\page.html").c_str(), "wb")) {
        std::fputs("<html><body>Every kind</body></html>", f);
        std::fclose(f);
    }
    if (FILE* f = std::fopen((base + "\\clip.vmedia").c_str(), "wb")) {
        std::fputs("160 120 800", f);
        std::fclose(f);
    }
    if (FILE* f = std::fopen((base + "\\movie.vflash").c_str(), "wb")) {
        std::fputs("0 0 800", f);
        std::fclose(f);
    }
    char desktop[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    const std::string unpacked = std::string(desktop) + "\\VelmoraRunEveryKind";
    RemoveTree(unpacked);
    CRegistryKey(HKEY_CURRENT_USER).Delete("Software\\Corvex Software\\VelmoraRunTest", nullptr);
    StandInRegistration browser(Here());
    StandInControlRegistration controls;
    controls.Register(StandInControlRegistration::Newer, base + "\\velmora_standin9.dll");
    controls.Register(StandInControlRegistration::Older, base + "\\velmora_standin9.dll");
    controls.Register(StandInControlRegistration::Flash, base + "\\velmora_standin9.dll");

    CWebViewer web;
    web.SetViewerType(CViewer::TypeWeb);
    web.SetTargetFilename("page.html");
    CZipViewer zip;
    zip.SetViewerType(CViewer::TypeZip);
    zip.SetTargetFilename("app.zip");
    zip.SetExtractLocation(1);
    zip.SetExtractFolder("VelmoraRunEveryKind");
    CMediaViewer media;
    media.SetViewerType(CViewer::TypeMedia);
    media.SetTargetFilename("clip.vmedia");
    CFlashViewer flash;
    flash.SetViewerType(CViewer::TypeFlash);
    flash.SetTargetFilename("movie.vflash");
    flash.SetCustomFlashWidth(160);
    flash.SetCustomFlashHeight(120);
    CSlideShowViewer show;
    CFileViewer inMenu;
    inMenu.SetViewerType(CViewer::TypeFile);
    inMenu.SetTargetFilename("second.exe");
    inMenu.SetTargetFileExtension(".exe");
    CMenuViewer menu;
    menu.SetViewerType(CViewer::TypeMenu);
    menu.SetTargetFilename("menu");
    menu.SetMenuTitle("Velmora Every Kind");
    menu.SetMenuWidth(300);
    menu.SetMenuHeight(240);
    menu.AddMenuButton("Program", 0, MenuActionFile, &inMenu);
    menu.AddMenuButton("Exit", 0, MenuActionExit, nullptr);
    Project p;
    p.splash = 0;
    p.targets = {"first.exe"};
    p.folderTarget = "Pictures";
    p.viewers = {&web, &zip, &media, &flash, TwoSlides(show), &menu};
    WriteProject(base + "\\velmora.dat", p);

    HANDLE player = nullptr;
    ASSERT_EQ(RunPlayer(base, "", 0, &player), 0u);
    const DWORD id = ::GetProcessId(player);
    bool folderClosed = false, browserClosed = false, installed = false, extracted = false, exited = false;
    const std::string folder = base + "\\Pictures";
    for (int i = 0; i < 1200 && ::WaitForSingleObject(player, 100) == WAIT_TIMEOUT; ++i) {
        if (!folderClosed)
            if (HWND w = ::FindWindowA(nullptr, folder.c_str())) {
                ::PostMessageA(w, WM_CLOSE, 0, 0);
                folderClosed = true;
            }
        if (!browserClosed)
            if (HWND w = ::FindWindowA(STANDIN_WINDOW_CLASS, nullptr))
                if (::IsWindowVisible(w)) {
                    browser.Track(w);
                    ::Sleep(300);
                    ::PostMessageA(w, WM_CLOSE, 0, 0);
                    browserClosed = true;
                }
        if (!extracted)
            if (HWND d = FindExtractorOf(id)) {
                char close[32] = "";
                ::GetDlgItemTextA(d, 1, close, sizeof close);
                if (!installed) {
                    ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), (LPARAM)::GetDlgItem(d, 1005));
                    installed = true;
                } else if (std::string(close) == "Close") {
                    ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), (LPARAM)::GetDlgItem(d, 1));
                    extracted = true;
                }
            }
        if (!exited)
            if (HWND m = ::FindWindowA(nullptr, "Velmora Every Kind"))
                if (::IsWindowVisible(m)) {
                    ::Sleep(300);
                    ClickButton(m, 1024);
                    ::Sleep(1500);
                    ClickButton(m, IDOK);
                    exited = true;
                }
    }
    EXPECT_EQ(::WaitForSingleObject(player, 30000), (DWORD)WAIT_OBJECT_0) << "the player ends on its own";
    ::TerminateProcess(player, 1);
    ::CloseHandle(player);
    EXPECT_TRUE(browserClosed);
    EXPECT_TRUE(extracted) << "the extractor came up and completed";
    EXPECT_TRUE(exited) << "the menu came up";
    EXPECT_FALSE(ReadWholeFile(unpacked + "\\app\\readme.vlmzip").empty());
    const std::vector<std::string> log = ReadLog(base + "\\debug.afv");
    const std::string all = Joined(log);
    SCOPED_TRACE(all);
    EXPECT_TRUE(Holds(log, "Num Targets: 8\n"));
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(all.find("** Target #" + std::to_string(i) + " **"), std::string::npos) << i;
    EXPECT_NE(all.find("Navigate file:///"), std::string::npos);
    EXPECT_NE(all.find("End Process Dump\n"), std::string::npos);
    StandInRegistration::EndProcessOf(::FindWindowA(STANDIN_WINDOW_CLASS, nullptr));
    ::EnumWindows(CloseFolderWindow, 0);
    RemoveTree(unpacked);
    CRegistryKey(HKEY_CURRENT_USER).Delete("Software\\Corvex Software\\VelmoraRunTest", nullptr);
}
