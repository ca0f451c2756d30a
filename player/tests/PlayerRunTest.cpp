// The player from start to end under Wine: a base folder with the player, its libraries, a
// project data file written record by record with the viewers' own record code, a splash
// GIF, music and two program targets (Wine's own programs). The player is started as
// AutoPlay would start it, plays through with its real timers and ends on its own; its
// debug log must hold the lines of that run.
#include "CFileReadWrite.h"
#include "CFileViewer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string Here()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

std::string SystemFolder()
{
    char path[MAX_PATH] = {};
    ::GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

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
    std::vector<std::string> targets;
};

void WriteProject(const std::string& path, const Project& p)
{
    CFileReadWrite f;
    ASSERT_TRUE(f.OpenWrite(path.c_str()));
    f.WriteInt(2);
    f.WriteInt(9);
    f.WriteInt(6);
    f.WriteString("VelmoraRunTest");
    f.WriteBool(0);          // single instance
    f.WriteBool(p.repeat);
    f.WriteBool(0);          // reserved
    f.WriteBool(p.wait);
    f.WriteBool(0);          // pre-load
    f.WriteInt(0x00804020);
    f.WriteBool(1);          // music
    f.WriteString("music.wav");
    f.WriteBool(0);          // verbose
    f.WriteBool(0);          // hide
    f.WriteBool(1);          // suppress AOL
    f.WriteBool(1);          // debug log
    f.WriteBool(p.splash);
    if (p.splash) {
        f.WriteString("splash.gif");
        f.WriteString("ding.wav");
        f.WriteInt(1);
        f.WriteBool(1);
        f.WriteInt(0x00400000);
    }
    f.WriteInt(0);           // additional viewers
    f.WriteBool(p.agreement);
    if (p.agreement) {
        f.WriteInt(3);
        f.WriteString("");
        f.WriteString("<b>Terms</b>~^~Accept them.");
        f.WriteBool(0);
        f.WriteBool(0);
        f.WriteInt(0);
        f.WriteInt(0);
        f.WriteInt(0);
    }
    f.WriteInt((int)p.targets.size());
    for (size_t i = 0; i < p.targets.size(); ++i) {
        f.WriteInt(0);       // File target
        CFileViewer target;
        target.SetTargetNum((int)i);
        target.SetTargetFilename(p.targets[i].c_str());
        target.SetTargetFileExtension(".exe");
        target.Write_DAT_File(&f, 2, 9, 6);
    }
    f.Close();
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

int Index(const std::vector<std::string>& log, const std::string& line)
{
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i] == line)
            return (int)i;
    return -1;
}

// Starts the player in its folder with a command line; its exit code, or -1 when it has not
// ended within the time.
DWORD RunPlayer(const std::string& base, const std::string& arguments, DWORD timeoutMs, HANDLE* keep = nullptr)
{
    std::string command = "\"" + base + "\\Velmora.exe\"" + (arguments.empty() ? "" : " " + arguments);
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
    int ended = 0;
    for (const std::string& r : log)
        ended += r == "\nProcess ended\n\n";
    EXPECT_EQ(ended, 2);
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
    HWND gate = nullptr;
    for (int i = 0; i < 300 && !gate; ++i) {
        ::Sleep(100);
        gate = ::FindWindowA(nullptr, "License Agreement");
    }
    ASSERT_NE(gate, nullptr);
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

}  // namespace
