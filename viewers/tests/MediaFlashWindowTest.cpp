// The media and Flash windows under Wine, with the stand-in player controls registered under
// the real class ids: the control choice, both media windows and the Flash window on screen
// (rectangles, caption and icon, the control's colour and the border read back off the
// screen), playing, pausing at the start, repeating, closing at the end, Esc through the hook,
// the fallbacks when a control is missing, and the Flash installer run on the stand-in package.
#include "CFlashViewer.h"
#include "CFlashViewerDlg.h"
#include "CMediaPlayer2Dlg.h"
#include "CMediaViewer.h"
#include "CMediaViewerDlg.h"
#include "MediaWindowLayout.h"
#include "FlashWindowLayout.h"
#include "MessagePump.h"
#include "standin/StandInControlRegistration.h"
#include "standin/StandInControls.h"

#include <gtest/gtest.h>
#include <msi.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.rfind('\\'));
}

const std::string kBinary = VELMORA_TEST_BINARY_DIR;
const char kFlashProduct[] = "{5E1C9A7B-3D2F-4B8A-9C61-7A0E4D2B8F13}";

class MediaFlashWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
    void SetUp() override
    {
        folder_ = kBinary + "\\media-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        log_ = folder_ + "\\standin.log";
        std::remove(log_.c_str());
        ::SetEnvironmentVariableA(STANDIN_LOG_VARIABLE, log_.c_str());
        Media("clip.vmedia", "320 240 600");
        Media("short.vmedia", "200 150 300");
        Media("broken.vmedia", "cannot open");
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA(STANDIN_LOG_VARIABLE, nullptr);
        Pump(50);
    }

    void Media(const char* name, const char* text) { std::ofstream(folder_ + "\\" + name) << text; }
    // The stand-ins under the real class ids; older steers the choice to the older control.
    void RegisterControls(bool older)
    {
        registration_.Register(StandInControlRegistration::Newer, ProgramFolder() + "\\velmora_standin9.dll");
        registration_.Register(StandInControlRegistration::Older,
                               ProgramFolder() + (older ? "\\velmora_standin64.dll" : "\\velmora_standin9.dll"));
        registration_.Register(StandInControlRegistration::Flash, ProgramFolder() + "\\velmora_standin9.dll");
    }
    std::string Log() const
    {
        std::ifstream in(log_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Logged(const std::string& line) const { return ("\n" + Log()).find("\n" + line + "\n") != std::string::npos; }

    std::unique_ptr<CMediaViewer> MediaViewer(const char* file, const CMediaViewerSettings& s)
    {
        auto v = std::make_unique<CMediaViewer>();
        v->SetViewerType(CViewer::TypeMedia);
        v->SetProgramDirectory(folder_.c_str());
        v->SetTargetFilename(file);
        v->SetMediaSettings(s);
        v->Init();
        return v;
    }
    std::unique_ptr<CFlashViewer> FlashViewer(const char* file, const CFlashViewerSettings& s, const char* folder = nullptr)
    {
        auto v = std::make_unique<CFlashViewer>();
        v->SetViewerType(CViewer::TypeFlash);
        v->SetProgramDirectory(folder ? folder : folder_.c_str());
        v->SetTargetFilename(file);
        v->SetFlashSettings(s);
        v->Init();
        return v;
    }

    static RECT WindowRect(HWND w)
    {
        RECT r = {};
        ::GetWindowRect(w, &r);
        return r;
    }
    // Where the control's child window is on the screen.
    static RECT ControlScreenRect(CControlWindowDlg& w)
    {
        RECT r = {};
        ::GetWindowRect(w.Control().m_hWnd, &r);
        return r;
    }
    // A pixel read off the screen.
    static COLORREF ScreenPixel(int x, int y)
    {
        HDC dc = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(nullptr, dc);
        return c;
    }
    static void PressEscape()
    {
        ::keybd_event(VK_ESCAPE, 0, 0, 0);
        ::keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    }
    static void ExpectLayout(HWND window, HWND control, const ControlWindowLayout& l)
    {
        const RECT w = WindowRect(window);
        EXPECT_EQ(w.left, l.window.x);
        EXPECT_EQ(w.top, l.window.y);
        EXPECT_EQ(w.right - w.left, l.window.width);
        EXPECT_EQ(w.bottom - w.top, l.window.height);
        RECT c = {};
        ::GetWindowRect(control, &c);
        POINT at = { c.left, c.top };
        ::ScreenToClient(window, &at);
        EXPECT_EQ(at.x, l.control.x);
        EXPECT_EQ(at.y, l.control.y);
        EXPECT_EQ(c.right - c.left, l.control.width);
        EXPECT_EQ(c.bottom - c.top, l.control.height);
    }

    std::string folder_, log_;
    StandInControlRegistration registration_;
};

// Newer control, caption and border: hidden and zero-sized while the file opens, then its
// picture's size with the panel, centred, the control in its colour inside the border, and
// closed at the end of the file.
TEST_F(MediaFlashWindows, NewerControlWindowOpensPlaysAndClosesAtTheEnd)
{
    RegisterControls(false);
    CMediaViewerSettings s;
    s.ShowBorder = 1;
    s.BorderWidth = 8;
    s.BorderColor = RGB(255, 0, 0);
    auto viewer = MediaViewer("clip.vmedia", s);
    viewer->Launch();
    ASSERT_TRUE(viewer->GetHasWindow());
    EXPECT_FALSE(viewer->GetUsesOlderControl());
    EXPECT_GE(viewer->GetLog().Find("Media player control 9.0.0.3250: newer control"), 0);
    auto* w = dynamic_cast<CMediaViewerDlg*>(viewer->GetWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->IsOpen());
    EXPECT_FALSE(::IsWindowVisible(w->m_hWnd));
    const RECT hidden = WindowRect(w->m_hWnd);
    EXPECT_EQ(hidden.right - hidden.left, 0);
    EXPECT_EQ(hidden.bottom - hidden.top, 0);
    EXPECT_TRUE(Logged("settings:101=0"));
    EXPECT_TRUE(Logged("settings:104=1"));
    EXPECT_TRUE(Logged("player:24=1"));
    EXPECT_TRUE(Logged("player:1=" + folder_ + "\\clip.vmedia"));

    viewer->Show();
    EXPECT_TRUE(::IsWindowVisible(w->m_hWnd));
    EXPECT_TRUE(w->HoldsEscapeHook());
    ASSERT_TRUE(PumpUntil([&] { return w->IsSized(); }, 3000));
    Pump(100);
    EXPECT_TRUE(Logged("controls:56=0"));
    EXPECT_TRUE(Logged("controls:51()"));
    EXPECT_TRUE(Logged("settings:104=0")) << "sound on with AutoStartPlaying";
    EXPECT_TRUE(Logged("player:23=full"));
    EXPECT_FALSE(Logged("settings:105=10000"));

    ExpectLayout(w->m_hWnd, w->Control().m_hWnd, NewerMediaLayout(s, 320, 240, CControlWindowDlg::SystemMetrics()));
    const LONG style = ::GetWindowLongA(w->m_hWnd, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_NE(::SendMessageA(w->m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageA(w->m_hWnd, WM_GETICON, ICON_SMALL, 0), 0);
    const RECT c = ControlScreenRect(*w);
    EXPECT_EQ(ScreenPixel((c.left + c.right) / 2, (c.top + c.bottom) / 2), STANDIN_NEWER_COLOUR);
    EXPECT_EQ(ScreenPixel(c.left - 4, (c.top + c.bottom) / 2), RGB(255, 0, 0)) << "the border around the control";
    EXPECT_EQ(ScreenPixel((c.left + c.right) / 2, c.bottom + 4), RGB(255, 0, 0));
    EXPECT_TRUE(viewer->IsAlive());

    // 600 ms of "media": it ends and the window closes itself.
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 4000));
    EXPECT_TRUE(Logged("event 5101 8"));
    EXPECT_TRUE(Logged("controls:52()"));
    EXPECT_FALSE(::IsWindow(w->m_hWnd));
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::MediaNewer).IsInstalled());
}

// Without AutoStartPlaying the first picture stays, paused at 0 with the sound on; with Repeat
// the end never closes the window (the control is set to 10000 passes); Esc does.
TEST_F(MediaFlashWindows, NewerControlPausedAtStartRepeatsUntilEsc)
{
    RegisterControls(false);
    CMediaViewerSettings s;
    s.AutoStartPlaying = 0;
    s.Repeat = 1;
    s.TitleBar = 0;
    s.ShowTracker = 0;
    auto viewer = MediaViewer("short.vmedia", s);
    viewer->Launch();
    auto* w = dynamic_cast<CMediaViewerDlg*>(viewer->GetWindow());
    ASSERT_NE(w, nullptr);
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return w->IsPausedAtStart(); }, 3000));
    Pump(100);
    EXPECT_TRUE(Logged("controls:53()"));
    EXPECT_TRUE(Logged("settings:105=10000"));
    EXPECT_TRUE(Logged("player:23=mini"));
    long state = -1;
    BOOL mute = TRUE;
    w->Control().GetProperty(STANDIN_DISPID_STATE, VT_I4, &state);
    EXPECT_EQ(state, 1) << "paused";
    IDispatch* settings = nullptr;
    ASSERT_EQ(w->Control().GetProperty(CMediaViewerDlg::DispSettings, VT_DISPATCH, &settings), S_OK);
    COleDispatchDriver settingsDriver(settings);
    settingsDriver.GetProperty(CMediaViewerDlg::DispMute, VT_BOOL, &mute);
    EXPECT_FALSE(mute) << "the sound is on once the user presses play";
    const LONG style = ::GetWindowLongA(w->m_hWnd, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    ExpectLayout(w->m_hWnd, w->Control().m_hWnd, NewerMediaLayout(s, 200, 150, CControlWindowDlg::SystemMetrics()));

    // The user presses play: it plays through its 300 ms several times and stays.
    IDispatch* controls = nullptr;
    ASSERT_EQ(w->Control().GetProperty(CMediaViewerDlg::DispControls, VT_DISPATCH, &controls), S_OK);
    COleDispatchDriver(controls).InvokeHelper(CMediaViewerDlg::DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    Pump(1200);
    EXPECT_GE(Log().find("event 5101 8"), 0u);
    EXPECT_NE(Log().find("event 5101 8"), std::string::npos);
    EXPECT_TRUE(::IsWindow(w->m_hWnd));
    EXPECT_TRUE(viewer->IsAlive());

    ::SetForegroundWindow(w->m_hWnd);
    ::SetFocus(w->Control().m_hWnd);
    PressEscape();
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000)) << "Esc closes the window";
    EXPECT_FALSE(::IsWindow(w->m_hWnd));
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::MediaNewer).IsInstalled());
}

// The older control: sized at once from the picture (its border width counted without a
// border), stopped until shown, started by Show, closed at the end of the file. A second
// Launch while a window is up replaces it, taking its hook with it; Esc closes the new one.
TEST_F(MediaFlashWindows, OlderControlWindowAndASecondLaunch)
{
    RegisterControls(true);
    CMediaViewerSettings s;
    s.TitleBar = 0;
    auto viewer = MediaViewer("clip.vmedia", s);
    viewer->Launch();
    ASSERT_TRUE(viewer->GetHasWindow());
    EXPECT_TRUE(viewer->GetUsesOlderControl());
    EXPECT_GE(viewer->GetLog().Find("Media player control 6.4.9.1130: older control"), 0);
    auto* w = dynamic_cast<CMediaPlayer2Dlg*>(viewer->GetWindow());
    ASSERT_NE(w, nullptr);
    const ControlWindowLayout l = OlderMediaLayout(s, 320, 240, CControlWindowDlg::SystemMetrics());
    EXPECT_EQ(l.control.width, 330);
    EXPECT_EQ(l.control.height, 298);
    ExpectLayout(w->m_hWnd, w->Control().m_hWnd, l);
    EXPECT_TRUE(Logged("older:1026=" + folder_ + "\\clip.vmedia"));
    EXPECT_TRUE(Logged("older:1030=1"));
    EXPECT_TRUE(Logged("older:1103=0"));
    EXPECT_TRUE(Logged("older:1101=0"));
    EXPECT_TRUE(Logged("older:2003()"));
    EXPECT_FALSE(Logged("older:2001()"));

    viewer->Show();
    Pump(150);
    EXPECT_TRUE(Logged("older:2001()"));
    const RECT c = ControlScreenRect(*w);
    EXPECT_EQ(ScreenPixel((c.left + c.right) / 2, (c.top + c.bottom) / 2), STANDIN_OLDER_COLOUR);
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 4000));
    EXPECT_TRUE(Logged("event 3002 0"));
    EXPECT_FALSE(::IsWindow(w->m_hWnd));

    // Two launches in a row: the first window goes (destroyed, not closed) with its hook.
    viewer->Launch();
    auto* first = viewer->GetWindow();
    ASSERT_NE(first, nullptr);
    viewer->Show();
    const HWND firstWindow = first->m_hWnd;
    EXPECT_TRUE(first->HoldsEscapeHook());
    viewer->Launch();
    EXPECT_FALSE(::IsWindow(firstWindow));
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::MediaOlder).IsInstalled());
    auto* second = viewer->GetWindow();
    ASSERT_NE(second, nullptr);
    viewer->Show();
    EXPECT_TRUE(second->HoldsEscapeHook());
    ::SetForegroundWindow(second->m_hWnd);
    ::SetFocus(second->Control().m_hWnd);
    PressEscape();
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000));
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::MediaOlder).IsInstalled());
}

// A file the newer control never opens: the zero-sized window closes after its wait, the
// target ends and the log says why.
TEST_F(MediaFlashWindows, AFileThatNeverOpensEndsAfterAWhile)
{
    RegisterControls(false);
    auto viewer = MediaViewer("broken.vmedia", CMediaViewerSettings());
    viewer->Launch();
    auto* w = dynamic_cast<CMediaViewerDlg*>(viewer->GetWindow());
    ASSERT_NE(w, nullptr);
    w->m_openWaitMs = 400;
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000));
    EXPECT_FALSE(w->IsSized());
    EXPECT_GE(viewer->GetLog().Find("the media file did not open in time"), 0);
    // A window that has gone is not shown again, nor does it take the hook.
    viewer->Show();
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::MediaNewer).IsInstalled());
}

// Controls missing: the media viewer falls back to the File launch and follows it; the Flash
// viewer leaves no window and is not alive.
TEST_F(MediaFlashWindows, MissingControlsLeaveNoEmptyWindow)
{
    // The older control's file says "newer", but the newer control's file is not there.
    registration_.Register(StandInControlRegistration::Older, ProgramFolder() + "\\velmora_standin9.dll");
    registration_.Register(StandInControlRegistration::Newer, ProgramFolder() + "\\no-such-player.dll");
    registration_.Unregister(StandInControlRegistration::Flash);
    auto media = MediaViewer("clip.vmedia", CMediaViewerSettings());
    media->Launch();
    EXPECT_FALSE(media->GetHasWindow());
    EXPECT_EQ(media->GetWindow(), nullptr);
    EXPECT_EQ(media->GetViewerType(), CViewer::TypeFile);
    EXPECT_GE(media->GetLog().Find("the media player window could not be created"), 0);
    EXPECT_FALSE(media->IsAlive()) << "no program took the file";
    media->Show();

    auto flash = FlashViewer("clip.vmedia", CFlashViewerSettings());
    flash->Launch();
    EXPECT_EQ(flash->GetWindow(), nullptr);
    EXPECT_FALSE(flash->IsAlive());
    EXPECT_GE(flash->GetLog().Find("Flash window could not be created"), 0);
    flash->Show();
    EXPECT_EQ(::FindWindowA("#32770", nullptr) != nullptr && ::IsWindowVisible(::FindWindowA("#32770", nullptr)), false);
}

// The Flash window: defaults (640 x 480 with a caption, centred on the screen), played and
// polled, closed when the movie stops; looping never closes it, Esc does.
TEST_F(MediaFlashWindows, FlashWindowPlaysAndClosesWhenTheMovieStops)
{
    RegisterControls(false);
    Media("movie.vflash", "0 0 400");
    CFlashViewerSettings s;
    auto viewer = FlashViewer("movie.vflash", s);
    viewer->Launch();
    CFlashViewerDlg* w = viewer->GetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(viewer->IsAlive());
    EXPECT_TRUE(Logged("flash:102=" + folder_ + "\\movie.vflash"));
    EXPECT_TRUE(Logged("flash:113()"));
    EXPECT_TRUE(Logged("flash:106=0"));
    EXPECT_TRUE(Logged("flash:135=0"));
    ExpectLayout(w->m_hWnd, w->Control().m_hWnd, FlashLayout(s, CControlWindowDlg::SystemMetrics()));
    EXPECT_NE(::SendMessageA(w->m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
    viewer->Show();
    EXPECT_EQ(w->GetTimerId(), 3);
    Pump(150);
    EXPECT_TRUE(Logged("flash:112()"));
    const RECT c = ControlScreenRect(*w);
    EXPECT_EQ(ScreenPixel((c.left + c.right) / 2, (c.top + c.bottom) / 2), STANDIN_FLASH_COLOUR);
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000));
    EXPECT_TRUE(Logged("flash:125?"));
    EXPECT_FALSE(::IsWindow(w->m_hWnd));

    // Looping, no caption, the right-click menu: it plays on until Esc.
    s.LoopAnimation = 1;
    s.ShowTitleBar = 0;
    s.ShowRightClickMenu = 1;
    viewer->SetFlashSettings(s);
    viewer->Launch();
    w = viewer->GetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(Logged("flash:106=1"));
    EXPECT_TRUE(Logged("flash:135=1"));
    EXPECT_FALSE(::GetWindowLongA(w->m_hWnd, GWL_STYLE) & WS_CAPTION);
    viewer->Show();
    Pump(1000);
    EXPECT_TRUE(viewer->IsAlive());
    ::SetForegroundWindow(w->m_hWnd);
    ::SetFocus(w->Control().m_hWnd);
    PressEscape();
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000));
    EXPECT_EQ(w->GetTimerId(), -1);
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::Flash).IsInstalled());

    // Not started: stopped at its first frame, no timer, it stays; the viewer going takes the
    // window and its hook with it.
    s.LoopAnimation = 0;
    s.StartPlaying = 0;
    viewer->SetFlashSettings(s);
    viewer->Launch();
    w = viewer->GetWindow();
    ASSERT_NE(w, nullptr);
    viewer->Show();
    Pump(700);
    EXPECT_EQ(w->GetTimerId(), -1);
    EXPECT_TRUE(viewer->IsAlive());
    const HWND window = w->m_hWnd;
    EXPECT_TRUE(::IsWindow(window));
    viewer.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(CEscapeKeyHook::Of(CEscapeKeyHook::Flash).IsInstalled());
}

// Two windows of one class (two media targets of a menu, say): the hook serves the one shown
// last; the other going does not take it away, and it posts only to a window that is there.
TEST_F(MediaFlashWindows, AWindowRemovesOnlyItsOwnHook)
{
    CEscapeKeyHook& hook = CEscapeKeyHook::Of(CEscapeKeyHook::MediaOlder);
    const HWND a = ::CreateWindowExA(0, "STATIC", "a", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const HWND b = ::CreateWindowExA(0, "STATIC", "b", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hook.Install(a));
    ASSERT_TRUE(hook.Install(b));
    EXPECT_EQ(hook.Window(), b);
    hook.Remove(a);
    EXPECT_TRUE(hook.IsInstalled());
    EXPECT_EQ(hook.Window(), b);
    ::DestroyWindow(b);
    EXPECT_EQ(hook.Handle(HC_ACTION, VK_ESCAPE, 1), 0) << "nothing is posted to a window that is gone";
    hook.Remove(b);
    EXPECT_FALSE(hook.IsInstalled());
    EXPECT_EQ(hook.Window(), nullptr);
    ::DestroyWindow(a);
}

// Init runs msiexec on the program folder's flash.msi and waits for it; a folder without the
// package changes nothing.
TEST_F(MediaFlashWindows, InitInstallsTheFlashPackage)
{
    ::MsiConfigureProductA(kFlashProduct, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
    ASSERT_NE(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT);
    auto without = FlashViewer("movie.vflash", CFlashViewerSettings());
    EXPECT_NE(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT);

    const DWORD start = ::GetTickCount();
    auto with = FlashViewer("movie.vflash", CFlashViewerSettings(), kBinary.c_str());
    EXPECT_LT(::GetTickCount() - start, 2900u);
    EXPECT_EQ(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(with->GetLog().Find("Flash installer"), -1) << std::string(with->GetLog().c_str());
    // Removed again, as it was before.
    std::string remove = "msiexec.exe /x " + std::string(kFlashProduct) + " /q";
    STARTUPINFOA si = { sizeof si };
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, &remove[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_NE(::MsiQueryProductStateA(kFlashProduct), INSTALLSTATE_DEFAULT);
}

}
