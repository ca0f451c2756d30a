// The web viewer under Wine, driving a stand-in browser of our own (registered in the test
// prefix in place of the system's for the test's duration): the window's rectangle, bars and
// entry effects, links opened outside, and the ends of the target: a page's close link, the
// user closing the window, launch-once.
#include "CWebViewer.h"
#include "ForwardingPlatform.h"
#include "MessagePump.h"
#include "standin/StandInRegistration.h"

#include <exdisp.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

// The system's platform, with the shell's opens recorded instead of made.
class RecordingPlatform : public ForwardingPlatform {
public:
    std::vector<std::string> opened;
    std::vector<std::string> started;
    // Programs are recorded, not started.
    bool StartProcess(const char* a, const char* c, const char*, bool, ProcessInfo_Tag&, DWORD& e) override
    {
        started.push_back(std::string(a ? a : "") + "|" + (c ? c : ""));
        e = ERROR_FILE_NOT_FOUND;
        return false;
    }
    int ShellExecuteTarget(const char* verb, const char* file, const char* parameters, const char* folder,
                           int showCmd) override
    {
        opened.push_back(std::string(verb) + " " + file + " " + (parameters ? parameters : "(none)") + " "
                         + (folder ? folder : "(none)") + " " + std::to_string(showCmd));
        return 42;
    }
};

class WebViewerRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitialize(nullptr); }
    static void TearDownTestSuite() { ::CoUninitialize(); }

    std::unique_ptr<CWebViewer> Web(const std::function<void(CWebViewer&)>& configure)
    {
        auto v = std::make_unique<CWebViewer>();
        v->SetPlatform(&platform);
        v->SetTestMode(true);
        v->SetTargetFilename("http://example.invalid/index.html");
        configure(*v);
        v->Init();
        return v;
    }
    HWND Window(CWebViewer& v)
    {
        const HWND w = v.GetTargetProcess().hWnd;
        registration.Track(w);
        return w;
    }
    static RECT Rect(HWND w)
    {
        RECT r = {};
        ::GetWindowRect(w, &r);
        return r;
    }
    static RECT WorkArea()
    {
        RECT r;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
        return r;
    }
    // A click on a link in the stand-in's page.
    static void Follow(HWND w, const char* url)
    {
        static const UINT follow = ::RegisterWindowMessageA(STANDIN_FOLLOW_MESSAGE);
        ::PostMessageA(w, follow, ::GlobalAddAtomA(url), 0);
    }
    static std::string Location(CWebViewer& v)
    {
        BSTR url = nullptr;
        if (!v.GetBrowser() || FAILED(v.GetBrowser()->get_LocationURL(&url)))
            return "(failed)";
        char text[1024] = {};
        ::WideCharToMultiByte(CP_ACP, 0, url, -1, text, sizeof text, nullptr, nullptr);
        ::SysFreeString(url);
        return text;
    }
    static void EndProcessOf(HWND w) { StandInRegistration::EndProcessOf(w); }

    StandInRegistration registration{ ProgramFolder() };
    RecordingPlatform platform;
};

TEST_F(WebViewerRun, TheWindowTakesItsBarsSizeAndPlace)
{
    auto v = Web([](CWebViewer& w) {
        w.SetParameters("#part2");
        w.SetShowToolBar(0);
        w.SetShowAddressBar(0);
        w.SetShowStatusBar(1);
        w.SetShowMenuBar(0);
        w.SetWindowResize(0);
        w.SetWindowSizeType(3);
        w.SetCustomWidth(400);
        w.SetCustomHeight(300);
        w.SetWindowPositionType(1);
        w.SetWindowPreset(2);
    });
    v->Launch();
    ASSERT_TRUE(v->GetUseAutomation()) << v->GetLog().c_str();
    const HWND w = Window(*v);
    ASSERT_NE(w, nullptr);
    char cls[64] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, STANDIN_WINDOW_CLASS);
    EXPECT_FALSE(::IsWindowVisible(w)) << "hidden until Show";
    EXPECT_EQ(Location(*v), "http://example.invalid/index.html#part2") << "an anchor is appended";
    v->Show();
    EXPECT_TRUE(::IsWindowVisible(w));
    RECT client;
    ::GetClientRect(w, &client);
    EXPECT_EQ(client.right, 400 + ::GetSystemMetrics(SM_CXEDGE)) << "client area enlarged by the frame";
    EXPECT_EQ(client.bottom, 300 + ::GetSystemMetrics(SM_CYEDGE));
    const RECT r = Rect(w), work = WorkArea();
    EXPECT_EQ(r.left, (work.right - work.left - (r.right - r.left)) / 2) << "centred on the work area";
    EXPECT_EQ(r.top, (work.bottom - work.top - (r.bottom - r.top)) / 2);
    int toolBar = -1;
    VARIANT_BOOL address = 1, status = 0, menu = 1, resizable = 1;
    v->GetBrowser()->get_ToolBar(&toolBar);
    v->GetBrowser()->get_AddressBar(&address);
    v->GetBrowser()->get_StatusBar(&status);
    v->GetBrowser()->get_MenuBar(&menu);
    v->GetBrowser()->get_Resizable(&resizable);
    EXPECT_EQ(toolBar, 0);
    EXPECT_EQ(address, VARIANT_FALSE);
    EXPECT_NE(status, VARIANT_FALSE);
    EXPECT_EQ(menu, VARIANT_FALSE);
    EXPECT_EQ(resizable, VARIANT_FALSE);
    EXPECT_TRUE(v->IsAlive());
    EXPECT_FALSE(v->IsWindowMoving());

    // The user closes it: the browser's quit event ends the target; nothing is left.
    ::PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !v->IsAlive(); }, 10000));
    EXPECT_EQ(v->GetBrowser(), nullptr);
    EndProcessOf(w);
}

TEST_F(WebViewerRun, TheLoadingWaitEndsWhenTheBrowserGoes)
{
    auto v = Web([](CWebViewer& w) { w.SetParameters("#vanish-while-loading"); });
    const DWORD start = ::GetTickCount();
    v->Launch();
    EXPECT_LT(::GetTickCount() - start, 5000u) << "not the whole bound";
    EXPECT_FALSE(v->IsAlive());
    v->Show();
    v->CloseWindow();
    EXPECT_FALSE(v->IsAlive());
}

TEST_F(WebViewerRun, EachEffectEndsAtTheWindowsRectangle)
{
    const RECT work = WorkArea();
    for (int type = 0; type <= 6; ++type) {
        SCOPED_TRACE("effect " + std::to_string(type));
        auto v = Web([&](CWebViewer& w) {
            w.SetWindowPositionType(1);
            w.SetWindowPreset(1);  // top right
            w.SetUseEffects(1);
            w.SetEffectType(type);
            w.SetEffectSpeed(10);
        });
        v->Launch();
        const HWND w = Window(*v);
        ASSERT_NE(w, nullptr);
        const RECT start = Rect(w);
        const int width = 768, height = 576;
        const int left = work.right - work.left - width;
        switch (type) {
        case 0: EXPECT_EQ(start.left, -width); break;
        case 1: EXPECT_EQ(start.left, work.right - work.left); break;
        case 2: EXPECT_EQ(start.top, -height); break;
        case 3: EXPECT_EQ(start.top, work.bottom - work.top); break;
        default: EXPECT_LT(start.right - start.left + start.bottom - start.top, width + height); break;
        }
        EXPECT_TRUE(v->IsWindowMoving());
        v->Show();
        EXPECT_EQ(v->GetEffectTimerId(), CWebViewer::EffectTimer);
        ASSERT_TRUE(PumpUntil([&] { return !v->IsWindowMoving(); }, 5000));
        const RECT end = Rect(w);
        EXPECT_EQ(end.left, left);
        EXPECT_EQ(end.top, 0);
        EXPECT_EQ(end.right - end.left, width);
        EXPECT_EQ(end.bottom - end.top, height);
        ASSERT_TRUE(PumpUntil([&] { return v->GetEffectTimerId() == -1; }, 1000)) << "the timer ends itself";
        v->CloseWindow();
        EXPECT_FALSE(v->IsAlive());
        EndProcessOf(w);
    }
}

TEST_F(WebViewerRun, LinksOutsideAndThePagesCloseLink)
{
    auto v = Web([](CWebViewer& w) { w.SetLaunchPDFExternally(1); });
    v->Launch();
    v->Show();
    const HWND w = Window(*v);
    ASSERT_NE(w, nullptr);
    Follow(w, "C:\\web\\Doc.PDF");
    ASSERT_TRUE(PumpUntil([&] { return !platform.opened.empty(); }));
    EXPECT_EQ(platform.opened[0], "open c:\\web\\doc.pdf (none) (none) 5");
    EXPECT_EQ(Location(*v), "http://example.invalid/index.html") << "cancelled: the page stays";
    Follow(w, "http://example.invalid/doc.pdf.html");
    ASSERT_TRUE(PumpUntil([&] { return Location(*v) == "http://example.invalid/doc.pdf.html"; }));
    Follow(w, "http://example.invalid/setup.exe");
    ASSERT_TRUE(PumpUntil([&] { return platform.opened.size() == 2; }));
    EXPECT_EQ(platform.opened[1], "open http://example.invalid/setup.exe (none) (none) 5");
    EXPECT_TRUE(v->IsAlive());
    // The close link ends the target from inside the event that brought it.
    Follow(w, "javascript:window.close()");
    ASSERT_TRUE(PumpUntil([&] { return !v->IsAlive(); }, 10000));
    EXPECT_EQ(v->GetBrowser(), nullptr);
    EXPECT_FALSE(::IsWindow(w) && ::IsWindowVisible(w));
    EndProcessOf(w);

    // Launch-once: opened once on this machine, the second run does nothing.
    auto once = [&] {
        return Web([](CWebViewer& x) {
            x.SetLaunchTargetType(1);
            x.SetProjectRegistryKey("WebViewerRunTest");
            x.SetTargetNum(4);
        });
    };
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvex Software\\WebViewerRunTest");
    auto first = once();
    first->Launch();
    first->Show();
    ASSERT_NE(first->GetBrowser(), nullptr);
    const HWND firstWindow = Window(*first);
    DWORD browserId = 0;
    ::GetWindowThreadProcessId(firstWindow, &browserId);
    // The viewer goes (the player ended): the page it opened stays open.
    first.reset();
    Pump(300);
    EXPECT_TRUE(::IsWindow(firstWindow) && ::IsWindowVisible(firstWindow)) << "the page closed with its viewer";
    HANDLE browserProcess = ::OpenProcess(SYNCHRONIZE, FALSE, browserId);
    EXPECT_NE(browserProcess, nullptr);
    if (browserProcess) {
        EXPECT_EQ(::WaitForSingleObject(browserProcess, 0), DWORD(WAIT_TIMEOUT)) << "the browser quit";
        ::CloseHandle(browserProcess);
    }
    ::PostMessageA(firstWindow, WM_CLOSE, 0, 0);  // the user closes it
    EndProcessOf(firstWindow);
    auto second = once();
    second->Launch();
    second->Show();
    EXPECT_EQ(second->GetBrowser(), nullptr);
    EXPECT_TRUE(second->GetLaunchedBefore());
    EXPECT_FALSE(second->IsAlive());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvex Software\\WebViewerRunTest");
}

TEST_F(WebViewerRun, ALinkOpensOutsideForRealThroughItsAssociation)
{
    // ".pdf" opened by a command that copies the document beside this test.
    const std::string scratch = VELMORA_TEST_BINARY_DIR;
    const std::string doc = scratch + "\\linked.pdf", copy = scratch + "\\opened.pdf";
    ::DeleteFileA(copy.c_str());
    if (FILE* f = std::fopen(doc.c_str(), "wb")) {
        std::fputs("%PDF-1.1 velmora", f);
        std::fclose(f);
    }
    char saved[256] = {};
    LONG savedSize = sizeof saved;
    const bool hadPdf = ::RegQueryValueA(HKEY_CLASSES_ROOT, ".pdf", saved, &savedSize) == ERROR_SUCCESS;
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string command = std::string("\"") + system + "\\cmd.exe\" /c copy \"%1\" \"" + copy + "\"";
    ::RegSetValueA(HKEY_CLASSES_ROOT, ".pdf", REG_SZ, "VelmoraTestPdf", 14);
    ::RegSetValueA(HKEY_CLASSES_ROOT, "VelmoraTestPdf\\shell\\open\\command", REG_SZ, command.c_str(),
                   DWORD(command.size()));

    auto v = std::make_unique<CWebViewer>();  // the system's own platform
    v->SetTestMode(true);
    v->SetTargetFilename("http://example.invalid/index.html");
    v->SetLaunchPDFExternally(1);
    v->Init();
    v->Launch();
    v->Show();
    const HWND w = Window(*v);
    ASSERT_NE(w, nullptr);
    Follow(w, doc.c_str());
    const bool opened = PumpUntil([&] { return ::GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
    if (hadPdf)
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".pdf", REG_SZ, saved, DWORD(std::strlen(saved)));
    else
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".pdf");
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "VelmoraTestPdf\\shell\\open\\command");
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "VelmoraTestPdf\\shell\\open");
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "VelmoraTestPdf\\shell");
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "VelmoraTestPdf");
    EXPECT_TRUE(opened) << "the document was handed to its program";
    EXPECT_EQ(Location(*v), "http://example.invalid/index.html");
    v->CloseWindow();
    EndProcessOf(w);
}

// Without browser automation the target opens like a file: the program registered for
// ".htm", else the shell.
TEST(WebViewerFallback, NoBrowserOpensThePageLikeAFile)
{
    ::CoInitialize(nullptr);
    {
        StandInRegistration missing("C:\\no\\such\\folder");
        RecordingPlatform platform;
        CWebViewer v;
        v.SetPlatform(&platform);
        v.SetTestMode(true);
        v.SetTargetFilename("http://example.invalid/index.html");
        v.Init();
        v.Launch();
        EXPECT_FALSE(v.GetUseAutomation());
        EXPECT_EQ(v.GetBrowser(), nullptr);
        EXPECT_NE(std::string(v.GetLog().c_str()).find("Browser automation not available"), std::string::npos);
        ASSERT_FALSE(platform.opened.empty()) << v.GetLog().c_str();
        EXPECT_EQ(platform.opened.back().rfind("open http://example.invalid/index.html", 0), 0u)
            << platform.opened.back();
        EXPECT_FALSE(v.IsAlive()) << "nothing was started";
    }
    ::CoUninitialize();
}

// Wine's own browser, once: created, navigated, shown; a link's BeforeNavigate2 reaches the
// viewer and is cancelled. Its sizes it cannot tell, so the window stays as it put it.
TEST(WineBrowser, CreatedNavigatedShownAndItsEventsCome)
{
    ::CoInitialize(nullptr);
    RecordingPlatform platform;
    CWebViewer v;
    v.SetPlatform(&platform);
    v.SetTestMode(true);
    v.SetTargetFilename("http://example.invalid/index.html");
    v.SetLaunchPDFExternally(1);
    v.SetWindowSizeType(3);
    v.SetCustomWidth(300);
    v.SetCustomHeight(200);
    v.SetWindowPositionType(1);
    v.SetWindowPreset(4);
    v.Init();
    v.Launch();
    ASSERT_TRUE(v.GetUseAutomation()) << v.GetLog().c_str();
    const HWND w = v.GetTargetProcess().hWnd;
    ASSERT_NE(w, nullptr);
    char cls[64] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "IEFrame");
    const std::string log = v.GetLog().c_str();
    EXPECT_NE(log.find("Navigate http://example.invalid/index.html: 0x00000000"), std::string::npos) << log;
    EXPECT_NE(log.find("size or position unknown"), std::string::npos) << log;
    v.Show();
    EXPECT_TRUE(::IsWindowVisible(w));
    BSTR pdf = ::SysAllocString(L"C:\\web\\doc.pdf");
    VARIANT none;
    ::VariantInit(&none);
    v.GetBrowser()->Navigate(pdf, &none, &none, &none, &none);
    ::SysFreeString(pdf);
    EXPECT_TRUE(PumpUntil([&] { return !platform.opened.empty(); }, 10000)) << "BeforeNavigate2 seen";
    if (!platform.opened.empty())
        EXPECT_EQ(platform.opened[0], "open c:\\web\\doc.pdf (none) (none) 5");
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    v.CloseWindow();
    // Wine's browser stays after Quit: its process is ended here.
    if (HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        ::TerminateProcess(p, 1);
        ::WaitForSingleObject(p, 5000);
        ::CloseHandle(p);
    }
    ::CoUninitialize();
}

}
