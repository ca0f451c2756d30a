// Starts the sample dialog program and checks how it ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

DWORD RunSample(const char* mode)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.rfind('\\') + 1);
    std::string cmd = "\"" + dir + "framework_sample.exe\" " + mode;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return 1000 + ::GetLastError();
    DWORD code = 2000;
    if (::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else
        ::TerminateProcess(pi.hProcess, 2000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

TEST(SampleDialogTest, TheProgramShowsItsDialogAndEndsWithIt)
{
    struct Case { const char* mode; DWORD exitCode; };
    const Case cases[] = {
        { "ok", 0 },        // modal main dialog ended with OK: InitInstance's result
        { "close", 3 },     // the close box reaches OnCancel
        { "modeless", 4 },  // destroying the main window ends the message pump
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(RunSample(c.mode), c.exitCode);
    }
}

} // namespace
