// The player from start to end under Wine: a base folder with the player, its libraries, a
// project data file written record by record with the viewers' own record code, a splash
// GIF, music and two program targets (Wine's own programs). The player is started as
// AutoPlay would start it, plays through with its real timers and ends on its own; its
// debug log must hold the lines of that run.
#include "CFileReadWrite.h"
#include "CFileViewer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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
    int splashDuration = 1;
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
        f.WriteInt(p.splashDuration);
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
        CFileViewer target;  // its record begins with its type code
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
    // Both targets were found and started (their own logs say so).
    EXPECT_EQ(all.find("does not exist"), std::string::npos);
    EXPECT_NE(all.find("first.exe\tZ:"), std::string::npos);
    EXPECT_NE(all.find("second.exe\tZ:"), std::string::npos);
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

TEST(PlayerRun, ClosingThePlayerWhileATargetRunsEndsThatTarget)
{
    const std::string base = MakeBaseFolder("run_close");
    CopyMedia(base);
    ASSERT_TRUE(CopyInto(SystemFolder() + "\\notepad.exe", base, "longtarget.exe"));
    EndAll("longtarget.exe");
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
    WindowOf w = {::GetProcessId(player), nullptr};
    ::EnumWindows(FindWindowOf, (LPARAM)&w);
    ASSERT_NE(w.found, nullptr);
    ::PostMessageA(w.found, WM_CLOSE, 0, 0);
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
    ASSERT_TRUE(CopyInto(SystemFolder() + "\\notepad.exe", base, "staytarget.exe"));
    EndAll("staytarget.exe");
    Project p;
    p.splash = 0;
    p.wait = 0;  // a program target is not waited for: the run ends once it is open
    p.targets = {"staytarget.exe"};
    WriteProject(base + "\\velmora.dat", p);
    ASSERT_EQ(RunPlayer(base, "", 60000), 0u);
    EXPECT_EQ(ProcessesNamed("staytarget.exe").size(), 1u);
    EndAll("staytarget.exe");
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
    // Two passes: splash (1 s, and up to 2 s more for Wine to hide it) and the target, twice.
    ::Sleep(12000);
    WindowOf w = {::GetProcessId(player), nullptr};
    ::EnumWindows(FindWindowOf, (LPARAM)&w);
    if (w.found)
        ::PostMessageA(w.found, WM_CLOSE, 0, 0);
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

// The whole screen as the X server shows it: taken with xwd and made a 24-bit BMP by
// ImageMagick (both run as the Unix programs they are), then read back.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<BYTE> bits;  // bottom-up BGR lines, padded to 4 bytes
    int Stride() const { return (width * 3 + 3) & ~3; }
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return CLR_INVALID;
        const BYTE* p = &bits[size_t(height - 1 - y) * size_t(Stride()) + size_t(x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

bool RunUnix(const std::string& command)
{
    std::string line = command;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::WaitForSingleObject(pi.hProcess, 30000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

// A Unix program started from Wine may not be waited for: its output is done when the
// file has stopped growing.
bool WaitForFile(const std::string& path)
{
    LONGLONG last = -1;
    for (int i = 0; i < 100; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        LONGLONG size = -1;
        if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size > 0 && size == last)
            return true;
        last = size;
        ::Sleep(200);
    }
    return false;
}

std::string UnixPath(const std::string& windowsPath)
{
    std::string s = windowsPath.substr(2);  // after "Z:"
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

Screenshot TakeScreenshot(const std::string& name)
{
    Screenshot shot;
    const std::string xwd = UnixPath(std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".xwd");
    const std::string bmpWin = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".bmp";
    ::DeleteFileA(bmpWin.c_str());
    // The X display of the test run, as the Wine fixture noted it.
    std::string display;
    if (FILE* in = std::fopen((std::string(VELMORA_TEST_BINARY_DIR) + "\\..\\wine.display").c_str(), "r")) {
        char text[64] = {};
        if (std::fgets(text, sizeof text, in))
            display = text;
        std::fclose(in);
    }
    while (!display.empty() && (display.back() == '\n' || display.back() == '\r'))
        display.pop_back();
    const std::string xwdWin = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".xwd";
    ::DeleteFileA(xwdWin.c_str());
    if (!RunUnix("Z:\\usr\\bin\\xwd -root -silent" + (display.empty() ? "" : " -display " + display) + " -out " + xwd) ||
        !WaitForFile(xwdWin) ||
        !RunUnix("Z:\\usr\\bin\\convert " + xwd + " -alpha off -type TrueColor BMP3:" + UnixPath(bmpWin)) || !WaitForFile(bmpWin))
        return shot;
    const std::vector<BYTE> file = [&] {
        std::vector<BYTE> bytes;
        if (FILE* in = std::fopen(bmpWin.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(in)) != EOF)
                bytes.push_back((BYTE)c);
            std::fclose(in);
        }
        return bytes;
    }();
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return shot;
    auto le32 = [&](size_t at) { return int32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24); };
    const int offset = le32(10), width = le32(18), height = le32(22), bpp = file[28];
    if (bpp != 24 || width <= 0 || height == 0)
        return shot;
    shot.width = width;
    shot.height = height < 0 ? -height : height;
    const size_t size = size_t(shot.Stride()) * size_t(shot.height);
    if (file.size() < size_t(offset) + size)
        return Screenshot();
    shot.bits.assign(file.begin() + offset, file.begin() + offset + (long)size);
    if (height < 0) {  // top-down: turn it over
        std::vector<BYTE> flipped(size);
        for (int y = 0; y < shot.height; ++y)
            std::copy_n(&shot.bits[size_t(y) * size_t(shot.Stride())], shot.Stride(),
                        &flipped[size_t(shot.height - 1 - y) * size_t(shot.Stride())]);
        shot.bits.swap(flipped);
    }
    return shot;
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
    HWND gate = nullptr;
    for (int i = 0; i < 300 && !gate; ++i) {
        ::Sleep(100);
        gate = ::FindWindowA(nullptr, "License Agreement");
    }
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

}  // namespace
