// The viewers on the real system under Wine: file associations from Wine's registry, Wine's
// notepad as the program a text target opens in, the shell for folders, and Wine's reg.exe
// to look at the launch-once flags.
#include "CFileVersionInfo.h"
#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CRegistryKey.h"
#include "ForwardingPlatform.h"
#include "MessagePump.h"
#include "ProcessWindows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const char kProject[] = "VelmoraWin32Test";

std::string Folder() { return VELMORA_TEST_BINARY_DIR; }

std::string RunReg(const std::string& args)
{
    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &sa, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string cmd = "reg.exe " + args, out;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        CloseHandle(writeEnd);
        writeEnd = nullptr;
        char buf[512];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n)
            out.append(buf, n);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    if (writeEnd)
        CloseHandle(writeEnd);
    CloseHandle(readEnd);
    return out;
}

class Win32Viewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRegistryKey(HKEY_CURRENT_USER).Delete((std::string("Software\\Corvex Software\\") + kProject).c_str(), nullptr);
        // A type of our own that Wine's text files class (and so its notepad) opens.
        CRegistryKey(HKEY_CLASSES_ROOT).SetString(".vlmnote", "", "txtfile");
        FILE* f = std::fopen((Folder() + "\\note.vlmnote").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("A target of the viewers test.\r\n", f);
        std::fclose(f);
    }
    void TearDown() override
    {
        CRegistryKey(HKEY_CURRENT_USER).Delete((std::string("Software\\Corvex Software\\") + kProject).c_str(), nullptr);
        CRegistryKey(HKEY_CLASSES_ROOT).Delete(".vlmnote", nullptr);
    }
    void Bind(CViewer& v, const char* target)
    {
        v.SetTargetNum(0);
        v.SetProjectRegistryKey(kProject);
        v.SetProgramDirectory(Folder().c_str());
        v.SetTargetFilename(target);
    }
};

TEST_F(Win32Viewer, TextTargetOpensInNotepadAndEnds)
{
    CFileViewer v;
    Bind(v, "note.vlmnote");
    v.SetLaunchTargetType(1);
    v.Init();
    CString program = v.GetRegViewerLocation();
    program.MakeLower();
    ASSERT_GE(program.Find("notepad.exe"), 0) << v.GetLog().c_str();
    EXPECT_GE(v.GetRegViewerLocation().Find((Folder() + "\\note.vlmnote\"").c_str()), 0);
    EXPECT_EQ(v.GetRegTargetDescription(), "Text Document");

    v.Launch();
    const ProcessInfo_Tag p = v.GetTargetProcess();
    ASSERT_NE(p.ProcessID, 0u) << v.GetLog().c_str();
    EXPECT_EQ(p.ProcessName.CompareNoCase("notepad.exe"), 0) << p.ProcessName.c_str();
    EXPECT_TRUE(v.IsAlive());
    if (p.hWnd)
        EXPECT_FALSE(IsWindowVisible(p.hWnd)) << "hidden until Show";
    v.Show();
    if (p.hWnd)
        EXPECT_TRUE(IsWindowVisible(p.hWnd));

    const std::string flags = RunReg(std::string("query \"HKCU\\Software\\Corvex Software\\") + kProject + "\" /v 0T");
    EXPECT_NE(flags.find("0x1"), std::string::npos) << flags;

    // Ended either way (whether Wine's notepad closes within the second is its own affair;
    // the difference is checked with a program of ours in the process list's tests).
    const EndProcessResult ended = EndProcess(p.ProcessID);
    EXPECT_TRUE(ended == EndProcessEndedItself || ended == EndProcessTerminated) << ended;
    for (int i = 0; i < 50 && v.IsAlive(); ++i)
        Pump(100);
    EXPECT_FALSE(v.IsAlive());

    CFileViewer again;
    Bind(again, "note.vlmnote");
    again.SetLaunchTargetType(1);
    again.Init();
    again.Launch();
    EXPECT_TRUE(again.GetLaunchedBefore());
    EXPECT_EQ(again.GetTargetProcess().ProcessID, 0u);
}

// Answers the confirmation dialog with Yes once it is up.
void CALLBACK AnswerYes(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (HWND dialog = FindWindowA(nullptr, "Attention")) {
        KillTimer(nullptr, timer);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(Win32Viewer, FailsafeRunsAndTheTargetIsTriedAgain)
{
    CFileViewer v;
    Bind(v, "nothing.vlmnoassoc");
    v.SetHasFailsafeProgram(1);
    v.SetFailsafeConfMessage("Install the viewer?\r\nIt is quick.");
    // A command line longer than a path: its arguments count too.
    v.SetFailsafeProgPath(("support_child.exe sleep 1500 " + std::string(300, 'a')).c_str());
    v.Init();
    SetTimer(nullptr, 0, 100, AnswerYes);
    v.Launch();
    EXPECT_GE(v.GetLog().Find("Getting Confirmation...\n"), 0);
    ASSERT_EQ(v.GetWaitingOnFailsafe(), 1) << v.GetLog().c_str();
    EXPECT_NE(v.GetFailsafeProcess().ProcessID, 0u);
    for (int i = 0; i < 100 && v.GetWaitingOnFailsafe(); ++i)
        Pump(100);
    EXPECT_EQ(v.GetWaitingOnFailsafe(), 0);
    const CString log = v.GetLog();
    EXPECT_GE(log.Find("Failsafe Launched\n"), 0);
    EXPECT_GE(log.Find("Failsafe Program Finished\n"), 0) << log.c_str();
    EXPECT_EQ(v.GetTimerId(), -1);
}

TEST_F(Win32Viewer, FolderOpensInTheShell)
{
    CFolderViewer v;
    Bind(v, Folder().c_str());
    v.Init();
    v.Launch();
    v.Show();
    HWND window = v.GetTargetProcess().hWnd;
    if (window) {
        Pump(600);
        EXPECT_TRUE(v.IsAlive());
        PostMessageA(window, WM_CLOSE, 0, 0);
        for (int i = 0; i < 50 && v.IsAlive(); ++i)
            Pump(100);
    } else {
        // No window carries the folder's path as its title: the first poll ends the target.
        Pump(600);
    }
    EXPECT_FALSE(v.IsAlive());
    EXPECT_EQ(v.GetFolderTimerId(), -1);
}

// A console program that has ended before the launcher looks for it: the lookup ends with
// it, not after its ten seconds of retries. (Its idle wait here lasts until it has ended.)
TEST_F(Win32Viewer, AProgramThatExitsAtOnceCostsNoLongLookup)
{
    struct EndedFirst : ForwardingPlatform {
        void WaitForIdle(HANDLE process, DWORD) override { ::WaitForSingleObject(process, 5000); }
    } platform;
    CFileViewer v;
    v.SetPlatform(&platform);
    Bind(v, "support_child.exe");
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string programs = self;
    v.SetProgramDirectory(programs.substr(0, programs.rfind('\\')).c_str());
    v.SetParameters("sleep 0");
    v.Init();
    const DWORD start = GetTickCount();
    v.Launch();
    const DWORD took = GetTickCount() - start;
    EXPECT_NE(v.GetTargetProcess().ProcessID, 0u) << v.GetLog().c_str();
    EXPECT_LT(took, 7000u) << v.GetLog().c_str();
    EXPECT_FALSE(v.IsAlive());
}

TEST(FileVersionInfo, AFixedRecordWithoutTranslationIsNotTaken)
{
    CFileVersionInfo info;
    EXPECT_FALSE(info.Open("viewers_fixedversion.exe"));
    EXPECT_EQ(info.GetVersionString(), "");
    EXPECT_EQ(info.GetTranslation(), 0u);
    EXPECT_EQ(info.GetPath(), "");
    // The suite's own modules carry their translation.
    ASSERT_TRUE(info.Open("VelmoraV.dll"));
    EXPECT_EQ(info.GetVersionString(), "2.9.6.0");
    EXPECT_EQ(info.GetTranslation(), DWORD(MAKELONG(0x409, 1200)));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(info.Open((std::string(system) + "\\user32.dll").c_str()));
    EXPECT_NE(info.GetVersionString(), "");
    EXPECT_NE(info.GetTranslation(), 0u);
    EXPECT_FALSE(info.Open((Folder() + "\\note.vlmnote").c_str()));
    EXPECT_EQ(info.GetVersionString(), "");
}

}
