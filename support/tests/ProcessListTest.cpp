#include "CProcessList.h"
#ifdef _WIN32
#include "ProcessWindows.h"
#else
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A listing fed from a table, so the list's own logic can be checked exactly.
class TableList : public CProcessList {
public:
    struct Row { const char* name; const char* path; DWORD id; };
    std::vector<Row> rows;
    int listings = 0;
    bool handleRunning = false;

protected:
    void Enumerate() override
    {
        ++listings;
        for (const Row& r : rows)
            Append(r.name, r.path, r.id);
    }
    bool IsHandleRunning(HANDLE) const override { return handleRunning; }
};

TEST(ProcessList, FindsByIdAndNameIgnoringCase)
{
    TableList list;
    list.rows = { { "explorer.exe", "C:\\WINDOWS\\explorer.exe", 0x20 },
                  { "NOTEPAD.EXE", "C:\\WINDOWS\\NOTEPAD.EXE", 0x44 },
                  { "notepad.exe", "D:\\other\\notepad.exe", 0x48 } };
    ProcessInfo_Tag found;
    ASSERT_TRUE(list.FindByID(0x44, found));
    EXPECT_EQ(found.ProcessName, "NOTEPAD.EXE");
    EXPECT_EQ(found.ProcessPath, "C:\\WINDOWS\\NOTEPAD.EXE");
    ASSERT_TRUE(list.FindByName("Notepad.exe", found));
    EXPECT_EQ(found.ProcessID, 0x44u);
    ASSERT_TRUE(list.FindOtherByName("notepad.EXE", 0x44, found));
    EXPECT_EQ(found.ProcessID, 0x48u);
    EXPECT_FALSE(list.FindOtherByName("explorer.exe", 0x20, found));
    EXPECT_FALSE(list.FindByID(0x99, found));
    EXPECT_FALSE(list.GetAt(3, found));
    EXPECT_EQ(found.ProcessID, 0u);
    EXPECT_EQ(found.ProcessName, "");
    EXPECT_EQ(list.listings, 5) << "every find lists again";
}

TEST(ProcessList, NewProcessesSinceTheLastListing)
{
    TableList list;
    list.rows = { { "a.exe", "C:\\a.exe", 1 }, { "b.exe", "C:\\b.exe", 2 } };
    int count = 0;
    list.Refresh(count);
    EXPECT_EQ(count, 2);
    list.rows.insert(list.rows.begin() + 1, { "new.exe", "C:\\new.exe", 7 });
    list.rows.push_back({ "later.exe", "C:\\later.exe", 9 });
    const ProcessInfo_Tag* fresh = list.GetNewProcesses(count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(fresh[0].ProcessID, 7u);
    EXPECT_EQ(fresh[1].ProcessID, 9u);
}

TEST(ProcessList, IsRunningPrefersHandleThenIdPathName)
{
    TableList list;
    list.rows = { { "viewer.exe", "C:\\Prog\\Viewer.exe", 0x10 } };
    struct Case { const char* name; const char* path; DWORD id; bool handle; bool handleRunning; bool running; };
    const Case cases[] = {
        { "", "", 0x10, false, false, true },
        { "", "", 0x11, false, false, false },
        { "", "c:\\prog\\viewer.EXE", 0, false, false, true },
        { "viewer.exe", "C:\\elsewhere\\viewer.exe", 0, false, false, false },
        { "VIEWER.exe", "", 0, false, false, true },
        // A reused id does not keep a finished process alive: the handle says it ended.
        { "viewer.exe", "C:\\Prog\\Viewer.exe", 0x10, true, false, false },
        { "", "", 0x99, true, true, true },
    };
    for (const Case& c : cases) {
        ProcessInfo_Tag info;
        info.ProcessName = c.name;
        info.ProcessPath = c.path;
        info.ProcessID = c.id;
        info.hProcess = c.handle ? reinterpret_cast<HANDLE>(0x1234) : nullptr;
        list.handleRunning = c.handleRunning;
        EXPECT_EQ(list.IsRunning(info), c.running) << c.name << " " << c.path << " " << c.id;
    }
}

TEST(ProcessList, DumpFormat)
{
    TableList list;
    EXPECT_EQ(list.Dump(), "");
    list.rows = { { nullptr, "C:\\WINDOWS\\system32\\Notepad.exe", 0x3c }, { "x", "y", 0xABC } };
    EXPECT_EQ(list.Dump(), "Notepad.exe\tC:\\WINDOWS\\system32\\Notepad.exe\t3c\nx\ty\tabc\n");
}

TEST(ProcessList, ListingStopsAtItsLimit)
{
    TableList list;
    for (DWORD i = 1; i <= 1100; ++i)
        list.rows.push_back({ "p.exe", "C:\\p.exe", i });
    int count = 0;
    list.Refresh(count);
    EXPECT_EQ(count, CProcessList::MaxEntries);
}

// The real listing of this system.
#ifdef _WIN32
struct Started {
    PROCESS_INFORMATION pi = {};
    bool ok = false;
    explicit Started(const std::string& args)
    {
        std::string cmd = "\"" + std::string(VELMORA_CHILD_PROGRAM) + "\" " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        ok = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
        if (ok)
            WaitForInputIdle(pi.hProcess, 10000);
    }
    ~Started()
    {
        if (ok) {
            TerminateProcess(pi.hProcess, 0);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    DWORD id() const { return pi.dwProcessId; }
};

TEST(ProcessListSystem, ListsAStartedProgram)
{
    CProcessList list;
    int count = 0;
    list.Refresh(count);
    ASSERT_GT(count, 0) << "the listing must not depend on VDMDBG.DLL";
    Started child("sleep 20000");
    ASSERT_TRUE(child.ok);
    const ProcessInfo_Tag* fresh = list.GetNewProcesses(count);
    bool seen = false;
    for (int i = 0; i < count; ++i)
        seen = seen || fresh[i].ProcessID == child.id();
    EXPECT_TRUE(seen);
    ProcessInfo_Tag found;
    ASSERT_TRUE(list.FindByID(child.id(), found));
    EXPECT_EQ(found.ProcessName.CompareNoCase("support_child.exe"), 0) << found.ProcessName.c_str();
    EXPECT_TRUE(list.IsNameRunning(found.ProcessName));
    ProcessInfo_Tag started;
    started.hProcess = child.pi.hProcess;
    started.ProcessID = child.id();
    EXPECT_TRUE(list.IsRunning(started));
    TerminateProcess(child.pi.hProcess, 0);
    WaitForSingleObject(child.pi.hProcess, 5000);
    EXPECT_FALSE(list.IsRunning(started));
}

TEST(ProcessListSystem, WaitsForTheWindowAndEndsTheProcess)
{
    Started polite("window Polite");
    ASSERT_TRUE(polite.ok);
    ProcessInfo_Tag info;
    info.ProcessID = polite.id();
    WaitForProcessWindow(info, true);
    ASSERT_NE(info.hWnd, nullptr);
    char title[64] = "";
    GetWindowTextA(info.hWnd, title, sizeof title);
    EXPECT_STREQ(title, "Polite");
    EXPECT_FALSE(IsWindowVisible(info.hWnd)) << "hidden as it was found";
    EXPECT_EQ(EndProcess(polite.id()), EndProcessEndedItself);

    Started stubborn("stubborn Stubborn");
    ASSERT_TRUE(stubborn.ok);
    ProcessInfo_Tag s;
    s.ProcessID = stubborn.id();
    WaitForProcessWindow(s, false);
    EXPECT_NE(s.hWnd, nullptr);
    EXPECT_EQ(EndProcess(stubborn.id()), EndProcessTerminated);
    EXPECT_EQ(WaitForSingleObject(stubborn.pi.hProcess, 5000), WAIT_OBJECT_0);

    EXPECT_EQ(EndProcess(0x7ffffff0), EndProcessNotOpened);
}
#else
TEST(ProcessListSystem, ListsAStartedProgram)
{
    CProcessList list;
    int count = 0;
    list.Refresh(count);
    ASSERT_GT(count, 0);
    pid_t child = 0;
    char arg0[] = "sleep", arg1[] = "20";
    char* argv[] = { arg0, arg1, nullptr };
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
    usleep(200000);
    const ProcessInfo_Tag* fresh = list.GetNewProcesses(count);
    bool seen = false;
    for (int i = 0; i < count; ++i)
        seen = seen || fresh[i].ProcessID == DWORD(child);
    EXPECT_TRUE(seen);
    ProcessInfo_Tag found;
    ASSERT_TRUE(list.FindByID(child, found));
    EXPECT_EQ(found.ProcessName, "sleep");
    EXPECT_TRUE(list.IsNameRunning("SLEEP"));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(list.IsIDRunning(child));
}
#endif

}
