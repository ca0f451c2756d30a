// The launch decisions of the viewers, followed through a scripted platform. File types are
// registered under names of their own (in the in-memory registry of the native tree, in
// Wine's registry under Wine) and removed again.
#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CRegistryKey.h"
#include "CViewerLauncher.h"
#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kProject[] = "VelmoraTest-1234";
const char kProjectKey[] = "Software\\Corvex Software\\VelmoraTest-1234";
const char kNotepad[] = "C:\\windows\\system32\\notepad.exe";

class Launching : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clean();
        // A type with a class and a command, as most are registered.
        classes.SetString(".vlmtxt", "", "vlmtxtfile");
        classes.SetString("vlmtxtfile", "", "Velmora test text");
        classes.SetString("vlmtxtfile\\shell\\open\\command", "", "%SystemRoot%\\system32\\notepad.exe %1");
        platform.fileVersions[kNotepad] = "5.1.2600.0";
        platform.startRules.push_back({ "notepad.exe", kNotepad });
    }
    void TearDown() override { Clean(); }
    void Clean()
    {
        for (const char* k : { ".vlmtxt", "vlmtxtfile", ".vlmloop", "vlmloopA", "vlmloopB", ".vlmnone", ".vlmempty",
                               ".vlmpick", ".vlmdoc", ".vlmdot", ".vlmrun", "vlmrunfile" })
            classes.Delete(k, nullptr);
        user.Delete("Software\\Corvex Software\\VelmoraTest-1234", nullptr);
        user.Delete("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.vlmpick", nullptr);
        machine.Delete("Software\\Classes\\Applications\\vlmpick.exe", nullptr);
    }
    void Bind(CViewer& v, const char* target, int number = 3)
    {
        v.SetPlatform(&platform);
        v.SetTargetNum(number);
        v.SetProjectRegistryKey(kProject);
        v.SetProgramDirectory("D:\\CD");
        v.SetTargetFilename(target);
    }
    DWORD Flag(const char* name) const
    {
        DWORD v = 0;
        return user.QueryDword(kProjectKey, name, v) ? v : 0;
    }

    CRegistryKey classes{ HKEY_CLASSES_ROOT }, user{ HKEY_CURRENT_USER }, machine{ HKEY_LOCAL_MACHINE };
    FakePlatform platform;
};

TEST_F(Launching, InitFindsTheRegisteredProgram)
{
    CFileViewer v;
    Bind(v, "docs\\Read Me.vlmtxt");
    v.SetParameters("-p");
    v.Init();
    EXPECT_EQ(v.GetTargetFileExtension(), ".vlmtxt");
    EXPECT_EQ(v.GetTargetFileAndPath(), "D:\\CD\\docs\\Read Me.vlmtxt");
    EXPECT_EQ(v.GetRegViewerLocation(), "C:\\windows\\system32\\notepad.exe  -p \"D:\\CD\\docs\\Read Me.vlmtxt\"");
    EXPECT_EQ(v.GetRegTargetDescription(), "Velmora test text");
    EXPECT_EQ(v.GetRegViewerVersion(), "5.1.2600.0");
    EXPECT_EQ(v.GetRegConfString(), "CorvexVelmora.vlmtxt");
    const CString log = v.GetLog();
    EXPECT_GE(log.Find("\nRegistry walk: .vlmtxt\nKey Change: vlmtxtfile\nKey Found: vlmtxtfile\\shell\\open\\command\n"), 0)
        << log.c_str();
    EXPECT_GE(log.Find("Registry done: C:\\windows\\system32\\notepad.exe  -p \"D:\\CD\\docs\\Read Me.vlmtxt\"  -->  Velmora test text\n"), 0);
}

TEST_F(Launching, RegistryWalkCases)
{
    classes.SetString(".vlmloop", "", "vlmloopA");
    classes.SetString("vlmloopA", "", "vlmloopB");
    classes.SetString("vlmloopB", "", "vlmloopA");
    classes.SetString(".vlmempty", "", "");
    user.SetString("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.vlmpick", "Application", "vlmpick.exe");
    machine.SetString("Software\\Classes\\Applications\\vlmpick.exe\\Shell\\Open\\Command", "", "\"C:\\Pick\\vlmpick.exe\" \"%1\"");
    classes.SetString(".vlmpick", "", "vlmtxtfile");

    struct Case { const char* target; const char* command; };
    const Case cases[] = {
        // A class that leads back to itself ends the walk; nothing is registered.
        { "a.vlmloop", "  \"D:\\CD\\a.vlmloop\"" },
        { "a.vlmnone", "  \"D:\\CD\\a.vlmnone\"" },
        // An empty class name leaves what was there.
        { "a.vlmempty", "kept" },
        // The user's own choice goes before the classes.
        { "a.vlmpick", "\"C:\\Pick\\vlmpick.exe\"   \"D:\\CD\\a.vlmpick\"" },
    };
    for (const Case& c : cases) {
        CFileViewer v;
        Bind(v, c.target);
        v.SetRegViewerLocation("kept");
        v.Init();
        EXPECT_EQ(v.GetRegViewerLocation(), c.command) << c.target;
    }
}

TEST_F(Launching, NoRegistryWalkWithoutAnExtension)
{
    struct Case { const char* target; const char* opened; };
    const Case cases[] = {
        { "my.docs\\readme", "D:\\CD\\my.docs\\readme" },
        { "mailto:joe@example.com", "mailto:joe@example.com" },
    };
    for (const Case& c : cases) {
        CFileViewer v;
        Bind(v, c.target);
        v.Init();
        EXPECT_EQ(v.GetTargetFileExtension(), "") << c.target;
        EXPECT_EQ(v.GetTargetFileAndPath(), c.opened);
        EXPECT_EQ(v.GetLog().Find("Registry walk"), -1) << c.target;
        // Still opened: the shell gets it.
        platform.shellRules = { { c.opened, "" } };
        v.Launch();
        EXPECT_TRUE(platform.Called(std::string("SE open|") + c.opened)) << c.target;
    }
}

TEST_F(Launching, WebAddressesOpenAsPages)
{
    CFileViewer v;
    Bind(v, "https://example.com/a.php");
    v.Init();
    EXPECT_EQ(v.GetTargetFileExtension(), ".htm");
    EXPECT_EQ(v.GetProgramDirectory(), "");
    EXPECT_EQ(v.GetTargetFileAndPath(), "https://example.com/a.php");
    CFileViewer local;
    Bind(local, "web\\index.html");
    local.Init();
    EXPECT_EQ(local.GetTargetFileAndPath(), "file:///D:/CD/web/index.html");
}

TEST_F(Launching, OpensTheTargetAndFollowsItsProcess)
{
    CFileViewer v;
    Bind(v, "readme.vlmtxt");
    v.Init();
    v.Launch();
    ASSERT_TRUE(platform.Called("CP (null)|C:\\windows\\system32\\notepad.exe   \"D:\\CD\\readme.vlmtxt\"|D:\\CD"));
    const ProcessInfo_Tag p = v.GetTargetProcess();
    EXPECT_EQ(p.ProcessName, "notepad.exe");
    EXPECT_EQ(p.ProcessPath, kNotepad);
    EXPECT_NE(p.hProcess, nullptr);
    EXPECT_TRUE(platform.Called("WAITWINDOW hide"));
    EXPECT_GE(v.GetLog().Find("\nStarting Target #3...\nCP Launch Target\nCP:\tnotepad.exe\tC:\\windows\\system32\\notepad.exe\t"), 0);
    EXPECT_GE(v.GetLog().Find("\nProcess Dump #3\nnotepad.exe\t"), 0);
    EXPECT_TRUE(v.IsAlive());
    EXPECT_EQ(Flag("3T"), 0u) << "opened every time: nothing recorded";

    // The process ends and its id comes back for another program: the target is gone.
    platform.End(p.ProcessID);
    platform.processes.push_back({ "other.exe", "C:\\other.exe", p.ProcessID, true });
    EXPECT_FALSE(v.IsAlive());
}

// A program that has ended before its first listing is looked for no longer: its id is kept.
TEST_F(Launching, AProgramThatExitsAtOnceIsNotLookedForTenSeconds)
{
    platform.startRules = { { "quick.exe", "D:\\CD\\quick.exe", true } };
    CFileViewer v;
    Bind(v, "quick.exe");
    v.Init();
    v.Launch();
    ASSERT_TRUE(platform.Called("CP D:\\CD\\quick.exe|"));
    EXPECT_LT(platform.slept, 1000u) << "the lookup waited for a process that had ended";
    EXPECT_EQ(v.GetTargetProcess().ProcessID, 0x100u);
    EXPECT_FALSE(v.IsAlive());
    EXPECT_GE(v.GetLog().Find("\nProcess Dump #3\n"), 0);

    // One that is still running is found at once, as before.
    platform.startRules = { { "slow.exe", "D:\\CD\\slow.exe" } };
    platform.slept = 0;
    CFileViewer running;
    Bind(running, "slow.exe");
    running.Init();
    running.Launch();
    EXPECT_EQ(platform.slept, 0u);
    EXPECT_EQ(running.GetTargetProcess().ProcessName, "slow.exe");
    EXPECT_TRUE(running.IsAlive());
}

TEST_F(Launching, LaunchOnceIsRememberedPerProject)
{
    {
        CFileViewer first;
        Bind(first, "readme.vlmtxt");
        first.SetLaunchTargetType(1);
        first.Init();
        first.Launch();
        EXPECT_TRUE(first.IsAlive());
    }
    EXPECT_EQ(Flag("3T"), 1u);
    EXPECT_EQ(platform.CountCalls("CP "), 1);
    CFileViewer again;
    Bind(again, "readme.vlmtxt");
    again.SetLaunchTargetType(1);
    again.Init();
    again.Launch();
    again.Show();
    EXPECT_TRUE(again.GetLaunchedBefore());
    EXPECT_EQ(platform.CountCalls("CP "), 1);
    EXPECT_FALSE(platform.Called("SHOW"));
    EXPECT_FALSE(again.IsAlive());
}

TEST_F(Launching, ShowBringsTheWindowForward)
{
    platform.startRules = { { "notepad.exe", kNotepad } };
    CFileViewer v;
    Bind(v, "readme.vlmtxt");
    v.SetParameters(" /showCmdMAX");
    v.Init();
    v.SetTestMode(true);
    platform.windowsByProcess[0x100] = reinterpret_cast<HWND>(77);
    v.Launch();
    EXPECT_TRUE(platform.Called("WAITWINDOW show"));
    v.Show();
    EXPECT_TRUE(platform.Called("SHOW 77 3"));
    EXPECT_TRUE(platform.Called("FRONT 77"));
}

TEST_F(Launching, PdfWithoutReaderKeyGoesToTheShell)
{
    classes.SetString(".vlmdoc", "", "");
    CFileViewer v;
    Bind(v, "manual.pdf");
    v.SetRegViewerLocation("\"C:\\Acro\\AcroRd32.exe\"  \"D:\\CD\\manual.pdf\"");
    v.SetTargetFileExtension(".pdf");
    v.SetTargetFileAndPath("D:\\CD\\manual.pdf");
    v.Launch();
    EXPECT_EQ(platform.CountCalls("CP "), 0) << "the registered command is never used for .pdf";
    EXPECT_TRUE(platform.Called("SE open|D:\\CD\\manual.pdf||D:\\CD|5"));
    EXPECT_GE(v.GetLog().Find("SE: Fail: 2\n"), 0);
    EXPECT_GE(v.GetLog().Find("Target Launch failed"), 0);
}

TEST_F(Launching, RunDllStartsOnlyWhenNothingStarted)
{
    // A template opened with "new" is started; the RunDll command must not start it again.
    CFileViewer v;
    Bind(v, "letter.dot");
    v.SetTargetFileExtension(".dot");
    v.SetTargetFileAndPath("D:\\CD\\letter.dot");
    v.SetRegViewerLocation("rundll32.exe shell32.dll,RunDll x");
    platform.shellRules = { { "letter.dot", "" } };
    v.Launch();
    EXPECT_EQ(platform.CountCalls("SE "), 1);
    EXPECT_TRUE(platform.Called("SE new|D:\\CD\\letter.dot"));

    CFileViewer run;
    Bind(run, "image.vlmrun");
    run.SetTargetFileExtension(".vlmrun");
    run.SetTargetFileAndPath("D:\\CD\\image.vlmrun");
    run.SetRegViewerLocation("rundll32.exe shimgvw.dll,ImageView_RunDll x");
    platform.calls.clear();
    platform.shellRules = { { "image.vlmrun", "C:\\windows\\system32\\rundll32.exe" } };
    run.Launch();
    EXPECT_TRUE(platform.Called("SE open|D:\\CD\\image.vlmrun"));
    EXPECT_EQ(platform.CountCalls("CP "), 0);
    EXPECT_EQ(run.GetTargetProcess().ProcessName, "rundll32.exe") << "the new process of the program run";
}

TEST_F(Launching, ShellStartedProcessIsAdoptedOnlyWhenItsImageMatches)
{
    struct Case { const char* appears; DWORD adopted; };
    const Case cases[] = {
        { "C:\\Tools\\unrelated.exe", 0 },
        { "C:\\Viewer\\VIEWER.EXE", 0x100 },
    };
    for (const Case& c : cases) {
        FakePlatform fresh;
        platform = fresh;
        CFileViewer v;
        Bind(v, "a.vlmdoc");
        v.SetTargetFileExtension(".vlmdoc");
        v.SetTargetFileAndPath("D:\\CD\\a.vlmdoc");
        v.SetRegViewerLocation("C:\\Viewer\\viewer.exe  \"D:\\CD\\a.vlmdoc\"");
        platform.shellRules = { { "a.vlmdoc", c.appears } };
        v.Launch();
        EXPECT_EQ(v.GetTargetProcess().ProcessID, c.adopted) << c.appears;
        EXPECT_EQ(platform.slept, 1000u);
    }
}

TEST_F(Launching, FailsafeRunsWhenTheTargetFails)
{
    CFileViewer v;
    Bind(v, "a.vlmnone");
    v.SetHasFailsafeProgram(1);
    v.SetFailsafeProgPath("install\\setup.exe /q");
    v.SetFailsafeConfMessage("Install?\r\nNow?");
    v.SetRebootMachine(1);
    platform.startRules = { { "setup.exe", "D:\\CD\\install\\setup.exe" } };
    platform.windowsByProcess[0x100] = reinterpret_cast<HWND>(5);
    v.Init();
    v.Launch();
    EXPECT_TRUE(platform.Called("ASK Install?\r\nNow?"));
    EXPECT_TRUE(platform.Called("CP (null)|install\\setup.exe /q|D:\\CD"));
    EXPECT_TRUE(platform.Called("FRONT 5")) << "the failsafe window comes forward";
    EXPECT_EQ(v.GetWaitingOnFailsafe(), 1);
    EXPECT_EQ(v.GetTimerId(), 3);
    EXPECT_EQ(platform.timers[3], 2000u);
    EXPECT_GE(v.GetLog().Find("Target Launch failed\nFailsafe Started...\nGetting Confirmation...\nCP Launch Failsafe\n"), 0)
        << v.GetLog().c_str();

    v.OnTimer(3);
    EXPECT_EQ(platform.timers[3], 250u) << "still running";
    platform.End(v.GetFailsafeProcess().ProcessID);
    v.OnTimer(3);
    EXPECT_EQ(platform.timers.count(3), 0u);
    EXPECT_EQ(v.GetTimerId(), -1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Installation complete, please reboot your computer and re-insert the CD-ROM");
    EXPECT_EQ(v.GetWaitingOnFailsafe(), 0);
    EXPECT_EQ(v.GetTargetFilename(), "");
    EXPECT_FALSE(v.IsAlive());
}

TEST_F(Launching, FailsafeThatCannotStartIsNoInstallation)
{
    CFileViewer v;
    Bind(v, "a.vlmnone");
    v.SetHasFailsafeProgram(1);
    v.SetFailsafeProgPath("install\\missing.exe");
    v.SetDisplayConfirmation(0);
    v.SetRebootMachine(1);
    v.Init();
    v.Launch();
    EXPECT_EQ(v.GetWaitingOnFailsafe(), 0);
    EXPECT_EQ(platform.timers[3], 100u);
    v.OnTimer(3);
    EXPECT_TRUE(platform.messages.empty()) << "nothing was installed";
    EXPECT_GE(v.GetLog().Find("Failsafe Program did not start\n"), 0);
    EXPECT_EQ(v.GetTargetFilename(), "a.vlmnone");
    EXPECT_EQ(v.GetHasFailsafeProgram(), 0);
    EXPECT_TRUE(platform.Called("CD D:\\CD"));
}

TEST_F(Launching, DoNotAskAgainAndNoOpensTheTarget)
{
    CFileViewer v;
    Bind(v, "readme.vlmtxt", 2);
    v.SetHasFailsafeProgram(1);
    v.SetAlwaysRun(1);
    v.SetFailsafeProgPath("setup.exe");
    platform.confirmYes = false;
    platform.confirmDontAsk = true;
    v.Init();
    v.Launch();
    EXPECT_EQ(Flag("2F"), 1u);
    EXPECT_EQ(platform.CountCalls("CP (null)|setup.exe"), 0);
    v.OnTimer(3);
    EXPECT_TRUE(platform.Called("CP (null)|C:\\windows\\system32\\notepad.exe")) << "the target is opened";

    platform.calls.clear();
    CFileViewer later;
    Bind(later, "readme.vlmtxt", 2);
    later.SetHasFailsafeProgram(1);
    later.SetAlwaysRun(1);
    later.SetFailsafeProgPath("setup.exe");
    later.Init();
    later.Launch();
    EXPECT_FALSE(platform.Called("ASK"));
    EXPECT_FALSE(platform.Called("CP (null)|setup.exe"));
    EXPECT_TRUE(platform.Called("CP (null)|C:\\windows\\system32\\notepad.exe"));
}

TEST_F(Launching, AdditionalViewerChecks)
{
    struct Case { const char* ext; const char* installed; bool failsafe; };
    const Case cases[] = {
        { ".vlmnone", nullptr, true },   // no program registered
        { ".vlmtxt", "6.0", true },      // too old for 6.0.1
        { ".vlmtxt", "7.0", false },
    };
    for (const Case& c : cases) {
        platform.calls.clear();
        if (c.installed)
            platform.fileVersions[kNotepad] = c.installed;
        CFileViewer v;
        Bind(v, "");
        v.SetTargetFileExtension(c.ext);
        v.SetHasFailsafeProgram(1);
        v.SetDisplayConfirmation(0);
        v.SetFailsafeProgPath("C:\\Setup\\viewer-setup.exe");
        v.SetVersionString("6.0.1");
        v.Init();
        v.Launch();
        EXPECT_EQ(platform.Called("CP (null)|C:\\Setup\\viewer-setup.exe"), c.failsafe) << c.ext << " " << v.GetLog().c_str();
        EXPECT_FALSE(platform.Called("CP (null)|C:\\windows")) << "an additional viewer opens no target";
    }
}

TEST_F(Launching, FailsafeChecksBeforeTheTarget)
{
    platform.fileVersions["C:\\Forced\\viewer.exe"] = "9.0";
    struct Case { int checkVersion; int force; bool failsafe; };
    const Case cases[] = {
        { 1, 0, true },   // registered 5.1 is older than 6.0
        { 1, 1, false },  // the forced program's 9.0 counts instead
        { 0, 0, false },
    };
    for (const Case& c : cases) {
        platform.calls.clear();
        CFileViewer v;
        Bind(v, "readme.vlmtxt");
        v.SetHasFailsafeProgram(1);
        v.SetDisplayConfirmation(0);
        v.SetFailsafeProgPath("setup.exe");
        v.SetCheckVersion(c.checkVersion);
        v.SetVersionString("6.0");
        v.SetTryAndForce(c.force);
        v.SetForceString1("\"C:\\Forced\\viewer.exe\"");
        v.Init();
        v.Launch();
        EXPECT_EQ(platform.Called("CP (null)|setup.exe"), c.failsafe) << c.checkVersion << c.force;
    }

    CFileViewer aol;
    Bind(aol, "readme.vlmtxt");
    aol.SetHasFailsafeProgram(1);
    aol.SetDisplayConfirmation(0);
    aol.SetSuppressAOL(1);
    aol.SetFailsafeProgPath("setup.exe");
    aol.SetRegViewerLocation("C:\\AOL\\AOL.EXE x");
    aol.Launch();
    EXPECT_GE(aol.GetLog().Find("AOL Suppressed\n"), 0);
}

TEST_F(Launching, ProgramsAndForcedPrograms)
{
    platform.startRules = { { "D:\\CD\\tools\\run.exe", "D:\\CD\\tools\\run.exe" } };
    CFileViewer exe;
    Bind(exe, "tools\\run.exe");
    exe.SetParameters("-go");
    exe.Init();
    exe.Launch();
    EXPECT_TRUE(platform.Called("CP D:\\CD\\tools\\run.exe|\"D:\\CD\\tools\\run.exe\" -go|D:\\CD|vdm"));
    EXPECT_EQ(exe.GetTargetProcess().ProcessName, "run.exe");

    platform.calls.clear();
    platform.shellRules = { { "C:\\Forced2\\r.exe", "C:\\Forced2\\r.exe" } };
    CFileViewer forced;
    Bind(forced, "doc.vlmnone");
    forced.SetTryAndForce(1);
    forced.SetForceString1("C:\\Forced1\\r.exe");
    forced.SetForceString2("C:\\Forced2\\r.exe");
    forced.Init();
    forced.Launch();
    EXPECT_TRUE(platform.Called("SE open|C:\\Forced1\\r.exe| \"D:\\CD\\doc.vlmnone\"|D:\\CD"));
    EXPECT_TRUE(platform.Called("SE open|C:\\Forced2\\r.exe| \"D:\\CD\\doc.vlmnone\"|D:\\CD"));
    EXPECT_EQ(forced.GetTargetProcess().ProcessPath, "C:\\Forced2\\r.exe");
    EXPECT_EQ(platform.CountCalls("CP "), 0) << "the forced program started";
}

TEST_F(Launching, FolderViewerWatchesItsWindow)
{
    const HWND window = reinterpret_cast<HWND>(0x42);
    platform.windowsByTitle["D:\\CD\\Pictures"] = window;
    CFolderViewer v;
    Bind(v, "D:\\CD\\Pictures");
    v.SetLaunchTargetType(1);
    v.Init();
    v.Launch();
    EXPECT_TRUE(platform.Called("SE open|D:\\CD\\Pictures|(null)|D:\\CD|1"));
    EXPECT_TRUE(platform.Called("SHOW 66 0")) << "hidden until shown";
    EXPECT_EQ(platform.slept, 0u);
    v.Show();
    EXPECT_TRUE(platform.Called("SHOW 66 1"));
    EXPECT_TRUE(platform.Called("FRONT 66"));
    EXPECT_EQ(Flag("3T"), 1u);
    EXPECT_EQ(platform.timers[1], 250u);
    v.OnTimer(1);
    EXPECT_TRUE(v.IsAlive());
    EXPECT_EQ(platform.timers[1], 250u);
    platform.windowsByTitle.clear();
    v.OnTimer(1);
    EXPECT_FALSE(v.IsAlive());
    EXPECT_EQ(platform.timers.count(1), 0u);
    EXPECT_EQ(v.GetFolderTimerId(), -1);
}

TEST_F(Launching, FolderWindowThatNeverAppears)
{
    CFolderViewer v;
    Bind(v, "D:\\CD\\Elsewhere");
    v.Init();
    v.Launch();
    EXPECT_EQ(platform.slept, 2500u);
    EXPECT_EQ(v.GetTargetProcess().hWnd, nullptr);
    v.Show();
    EXPECT_FALSE(platform.Called("SHOW"));
    v.OnTimer(1);
    EXPECT_FALSE(v.IsAlive());

    // In test mode (as the player shows every target) the window is left visible at launch,
    // and the poll still runs, so a run that waits for the folder does not wait for ever.
    platform.calls.clear();
    const HWND window = reinterpret_cast<HWND>(0x43);
    platform.windowsByTitle["D:\\CD\\Shown"] = window;
    CFolderViewer test;
    Bind(test, "D:\\CD\\Shown");
    test.SetTestMode(true);
    test.Launch();
    EXPECT_FALSE(platform.Called("SHOW 67 0"));
    test.Show();
    EXPECT_EQ(test.GetFolderTimerId(), 1);
    test.OnTimer(1);
    EXPECT_TRUE(test.IsAlive());
    platform.windowsByTitle.clear();
    test.OnTimer(1);
    EXPECT_FALSE(test.IsAlive());
    EXPECT_EQ(test.GetFolderTimerId(), -1);
}


TEST_F(Launching, AnEmptyTargetNameOpensNothing)
{
    // Handed to the shell, an empty name opens the base folder itself in the file manager.
    CFileViewer file;
    CFolderViewer folder;
    for (CViewer* v : { static_cast<CViewer*>(&file), static_cast<CViewer*>(&folder) }) {
        platform.calls.clear();
        Bind(*v, "");
        v->Init();
        v->Launch();
        v->Show();
        EXPECT_EQ(platform.CountCalls("CP "), 0) << v->GetLog().c_str();
        EXPECT_EQ(platform.CountCalls("SE "), 0) << v->GetLog().c_str();
        EXPECT_GE(v->GetLog().Find("* Target Filename #3 does not exist *\nNothing to launch\n"), 0) << v->GetLog().c_str();
        EXPECT_FALSE(v->IsAlive());
        EXPECT_TRUE(platform.timers.empty()) << "nothing to follow";
    }
}

TEST_F(Launching, PathsLongerThanTheSystemTakesAreRefused)
{
    const std::string name(1024 - 4, 'n');
    struct Case {
        const char* what;
        std::string target, failsafe, force1;
        const char* refused;  // what must never reach the system
    };
    const Case cases[] = {
        { "program target", name + ".exe", "", "", "nnnnnnnn" },
        { "document target", name + ".vlmtxt", "", "", "nnnnnnnn" },
        { "failsafe program", "a.vlmnone", "C:\\setup.exe " + std::string(32767 - 13, 'n'), "", "nnnnnnnn" },
        { "forced program", "doc.vlmtxt", "", "C:\\" + name + ".exe", "SE open|C:\\nnnn" },
    };
    for (const Case& c : cases) {
        platform.calls.clear();
        CFileViewer v;
        Bind(v, c.target.c_str());
        v.SetDisplayConfirmation(0);
        if (!c.failsafe.empty()) {
            v.SetHasFailsafeProgram(1);
            v.SetAlwaysRun(1);
            v.SetFailsafeProgPath(c.failsafe.c_str());
        }
        if (!c.force1.empty()) {
            v.SetTryAndForce(1);
            v.SetForceString1(c.force1.c_str());
        }
        v.Init();
        v.ClearLog();  // the settings dump may fill it
        v.Launch();
        const std::string log = v.GetLog().c_str();
        for (const std::string& call : platform.calls)
            EXPECT_EQ(call.find(c.refused), std::string::npos) << c.what << ": " << call.substr(0, 80);
        EXPECT_NE(log.find("Path too long ("), std::string::npos) << c.what << ": " << log;
        EXPECT_NE(log.find(" characters): not launched\n"), std::string::npos) << c.what;
        for (int i = 0; i < 3; ++i)
            v.OnTimer(3);  // a failsafe that did not start ends its poll
        EXPECT_TRUE(platform.timers.empty()) << c.what;
    }
    // The forced program refused, the registered program still opens the document.
    EXPECT_TRUE(platform.Called("CP (null)|C:\\windows\\system32\\notepad.exe"));

    CFolderViewer folder;
    platform.calls.clear();
    Bind(folder, ("D:\\CD\\" + name).c_str());
    folder.Launch();
    folder.Show();
    EXPECT_EQ(platform.CountCalls("SE "), 0);
    EXPECT_FALSE(folder.IsAlive());
    EXPECT_NE(std::string(folder.GetLog().c_str()).find("Path too long (1026 characters): not launched\n"),
              std::string::npos);
}

TEST_F(Launching, TheLongestPathTheSystemTakesStillOpens)
{
    const std::string dir = "D:\\CD";
    struct Case { std::string target; bool opens; };
    const Case cases[] = {
        { std::string(259 - dir.size() - 1 - 4, 'a') + ".exe", true },   // 259 characters in all
        { std::string(260 - dir.size() - 1 - 4, 'a') + ".exe", false },  // 260
    };
    for (const Case& c : cases) {
        platform.calls.clear();
        platform.startRules = { { c.target, (dir + "\\" + c.target).c_str() } };
        CFileViewer v;
        Bind(v, c.target.c_str());
        v.Init();
        v.Launch();
        EXPECT_EQ(platform.CountCalls("CP "), c.opens ? 1 : 0) << c.target.size();
    }
}

// The failsafe program is a command line: arguments may take it past the longest path.
TEST_F(Launching, AFailsafeCommandLineMayBeLongerThanAPath)
{
    const std::string arguments = " /log \"" + std::string(400, 'l') + "\"";
    struct Case { std::string commandLine; bool starts; };
    const Case cases[] = {
        { "install\\setup.exe" + arguments, true },
        { "install\\setup.exe" + std::string(32766 - 17, 'x'), true },   // 32,766 characters
        { "install\\setup.exe" + std::string(32767 - 17, 'x'), false },  // 32,767
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.size());
        platform.calls.clear();
        platform.startRules = { { "setup.exe", "D:\\CD\\install\\setup.exe" } };
        CFileViewer v;
        Bind(v, "a.vlmnone");
        v.SetHasFailsafeProgram(1);
        v.SetDisplayConfirmation(0);
        v.SetFailsafeProgPath(c.commandLine.c_str());
        v.Init();
        v.ClearLog();  // the settings dump may fill it
        v.Launch();
        EXPECT_EQ(platform.Called("CP (null)|" + c.commandLine + "|D:\\CD"), c.starts);
        EXPECT_EQ(v.GetWaitingOnFailsafe(), c.starts ? 1 : 0);
        if (!c.starts) {
            EXPECT_EQ(platform.CountCalls("CP (null)|install"), 0);
            EXPECT_GE(v.GetLog().Find("Path too long (32767 characters): not launched\n"), 0);
            EXPECT_EQ(platform.timers[3], 100u);
        }
    }
    EXPECT_TRUE(CViewerLauncher::FitsACommandLine(std::string(32766, 'c').c_str()));
    EXPECT_FALSE(CViewerLauncher::FitsACommandLine(std::string(32767, 'c').c_str()));
}

TEST(LaunchPaths, WhatTheSystemCanBeHanded)
{
    struct Case { std::string path; bool fits; };
    const Case cases[] = {
        { "", true },
        { std::string(259, 'p'), true },
        { std::string(260, 'p'), false },
        { "file:///" + std::string(259, 'p'), true },
        { "file:///" + std::string(260, 'p'), false },
        { "http://host/" + std::string(1000, 'p'), true },
        { "https://host/" + std::string(2083 - 13, 'p'), true },
        { "https://host/" + std::string(2084 - 13, 'p'), false },
        { "mailto:" + std::string(300, 'p'), true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CViewerLauncher::FitsTheSystem(c.path.c_str()), c.fits) << c.path.substr(0, 12) << " " << c.path.size();
}

}
