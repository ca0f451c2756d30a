// The slideshow window under Wine with real timers: slides on time, fit to the music, a bad
// slide skipped, the ways a show ends, and the program around it told to pause and resume
// its music exactly once each, whichever way the show goes.
#include "CSlideShowViewer.h"
#include "CSlideShowViewerDlg.h"
#include "CWinApp.h"
#include "MessagePump.h"
#include "RefuseDialogs.h"
#include "ViewerMessages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kFixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures";
const std::string kScratch = VELMORA_TEST_BINARY_DIR;

// The test program's application object, as a program has one: its main window owns the
// windows made without a parent.
CWinApp g_app;

// A silent 8 kHz, 8-bit mono WAV of the given length.
std::string MakeWav(const char* name, int seconds)
{
    const std::string path = kScratch + "\\" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return path;
    const unsigned data = 8000u * unsigned(seconds);
    auto le32 = [&](unsigned v) { for (int i = 0; i < 4; ++i) std::fputc(int(v >> (8 * i)) & 0xff, f); };
    auto le16 = [&](unsigned v) { std::fputc(int(v & 0xff), f); std::fputc(int(v >> 8) & 0xff, f); };
    std::fwrite("RIFF", 1, 4, f); le32(36 + data); std::fwrite("WAVEfmt ", 1, 8, f);
    le32(16); le16(1); le16(1); le32(8000); le32(8000); le16(1); le16(8);
    std::fwrite("data", 1, 4, f); le32(data);
    for (unsigned i = 0; i < data; ++i)
        std::fputc(0x80, f);
    std::fclose(f);
    return path;
}

// The program's main window: counts the pause and restart messages it is sent.
struct MusicOwner {
    static int pauses, restarts;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == MESSAGE_PAUSE_SOUND)
            ++pauses;
        else if (m == MESSAGE_RESTART_SOUND)
            ++restarts;
        return ::DefWindowProcA(h, m, w, l);
    }
    CWnd wnd;
    MusicOwner()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "VelmoraMusicOwner";
        ::RegisterClassA(&wc);
        wnd.Attach(::CreateWindowA("VelmoraMusicOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr));
        pauses = restarts = 0;
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = &wnd;
    }
    ~MusicOwner()
    {
        if (CWinApp* app = AfxGetApp())
            app->m_pMainWnd = nullptr;
        ::DestroyWindow(wnd.Detach());
    }
};
int MusicOwner::pauses = 0;
int MusicOwner::restarts = 0;

std::unique_ptr<CSlideShowViewer> Show(std::vector<const char*> slides, int displayTime, const std::string& music = "",
                                       int loop = 0, int close = 1)
{
    auto v = std::make_unique<CSlideShowViewer>();
    v->SetProgramDirectory(kFixtures.c_str());
    for (const char* s : slides)
        v->AddSlide(s);
    v->SetDisplayTime(displayTime);
    v->SetBackgroundMusic(music.c_str());
    v->SetLoopSlideShow(loop);
    v->SetCloseSlideShowAfterDone(close);
    v->SetCustomSlideShowWidth(320);
    v->SetCustomSlideShowHeight(240);
    v->SetSSBackgroundColor(RGB(0, 128, 0));
    v->Init();
    v->Launch();
    return v;
}

TEST(SlideShowWindow, SlidesComeOnTimeAndTheWindowClosesAfterTheLast)
{
    auto v = Show({ "slide_red.bmp", "solid.bmp", "slide_blue.png" }, 1);
    ASSERT_NE(v->GetWindow(), nullptr);
    CSlideShowViewerDlg& w = *v->GetWindow();
    EXPECT_FALSE(::IsWindowVisible(w.m_hWnd)) << "hidden until Show";
    const DWORD start = ::GetTickCount();
    v->Show();
    EXPECT_EQ(w.GetInterval(), 1000);
    std::vector<DWORD> at;
    int seen = -1;
    ASSERT_TRUE(PumpUntil([&] {
        if (w.GetCurrentSlide() != seen) {
            seen = w.GetCurrentSlide();
            at.push_back(::GetTickCount() - start);
        }
        return !v->IsAlive();
    }, 8000));
    const DWORD closed = ::GetTickCount() - start;
    ASSERT_EQ(at.size(), 3u);
    const DWORD expected[] = { 100, 1100, 2100 };
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_GE(at[i] + 30, expected[i]) << "slide " << i;
        EXPECT_LE(at[i], expected[i] + 400) << "slide " << i;
    }
    EXPECT_GE(closed + 30, 3100u);
    // The close is seen once its window is destroyed, which costs up to 2 s more under Xvfb
    // without a window manager.
    EXPECT_LE(closed, 6000u);
    EXPECT_FALSE(::IsWindow(w.m_hWnd) && ::IsWindowVisible(w.m_hWnd));
}

TEST(SlideShowWindow, APictureIsCentredOnTheBackgroundOrScaledToFill)
{
    auto v = Show({ "slide_red.bmp" }, 5);
    v->Show();
    CSlideShowViewerDlg& w = *v->GetWindow();
    ASSERT_TRUE(PumpUntil([&] { return w.HasContent(); }));
    RECT r;
    ::GetWindowRect(w.m_hWnd, &r);
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, (sw - 320) / 2);
    EXPECT_EQ(r.top, (sh - 240) / 2);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 240);
    HDC dc = ::GetDC(w.m_hWnd);
    Pump(300);
    EXPECT_EQ(::GetPixel(dc, 160, 120), RGB(255, 0, 0)) << "centre of the slide";
    EXPECT_EQ(::GetPixel(dc, 141, 106), RGB(255, 0, 0)) << "its top-left corner";
    EXPECT_EQ(::GetPixel(dc, 139, 104), RGB(0, 128, 0)) << "background around";
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(0, 128, 0));
    ::ReleaseDC(w.m_hWnd, dc);
    ::PostMessageA(w.m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !v->IsAlive(); }));

    auto scaled = Show({ "slide_blue.png" }, 5);
    scaled->SetImageSizeType(1);
    scaled->Launch();  // a new window with the new setting; the old one goes
    scaled->Show();
    CSlideShowViewerDlg& s = *scaled->GetWindow();
    ASSERT_TRUE(PumpUntil([&] { return s.HasContent(); }));
    Pump(300);
    dc = ::GetDC(s.m_hWnd);
    for (POINT p : { POINT{ 0, 0 }, POINT{ 319, 239 }, POINT{ 160, 120 }, POINT{ 319, 0 } })
        EXPECT_EQ(::GetPixel(dc, p.x, p.y), RGB(0, 0, 255)) << p.x << "," << p.y;
    ::ReleaseDC(s.m_hWnd, dc);
}

TEST(SlideShowWindow, FitToMusicLoopingAndTheMusicMessages)
{
    MusicOwner owner;
    const std::string wav = MakeWav("show3s.wav", 3);
    {
        // 3 s shared by 3 slides; the second is bad and skipped after 10 ms.
        auto v = Show({ "slide_red.bmp", "broken.png", "solid.bmp" }, 9, "", 1);
        v->SetBackgroundMusic(wav.c_str());  // a full path: Init has run
        v->SetDisplayTimeType(1);
        v->Launch();
        ASSERT_NE(v->GetWindow(), nullptr);
        CSlideShowViewerDlg& w = *v->GetWindow();
        EXPECT_EQ(::GetParent(w.m_hWnd), owner.wnd.m_hWnd) << "owned by the program's main window";
        const DWORD start = ::GetTickCount();
        v->Show();
        ASSERT_NE(w.GetStream(), nullptr) << "a WAV opens without a sound device";
        EXPECT_EQ(w.GetInterval(), 1000);
        EXPECT_EQ(MusicOwner::pauses, 1);
        EXPECT_EQ(MusicOwner::restarts, 0);
        std::vector<std::pair<int, DWORD>> seen;
        PumpUntil([&] {
            if (seen.empty() || seen.back().first != w.GetCurrentSlide())
                seen.push_back({ w.GetCurrentSlide(), ::GetTickCount() - start });
            return seen.size() >= 5;
        }, 6000);
        // 0 at 0.1 s, the bad one at 1.1 s, the third 10 ms later, then the first again.
        ASSERT_GE(seen.size(), 5u);
        EXPECT_EQ(seen[1].first, 0);
        EXPECT_EQ(seen[2].first, 1);
        EXPECT_EQ(seen[3].first, 2);
        EXPECT_LT(seen[3].second - seen[2].second, 150u) << "skipped almost at once";
        EXPECT_EQ(seen[4].first, 0) << "loops";
        EXPECT_TRUE(v->IsAlive());
        // Esc ends it: the music is stopped and the program's resumed.
        ::SendMessageA(w.m_hWnd, WM_CHAR, VK_ESCAPE, 0);
        EXPECT_FALSE(v->IsAlive());
        EXPECT_EQ(MusicOwner::restarts, 1);
        EXPECT_EQ(w.GetStream(), nullptr);
        ::SendMessageA(owner.wnd.m_hWnd, WM_NULL, 0, 0);
    }
    EXPECT_EQ(MusicOwner::restarts, 1) << "one restart per pause, also when the viewer goes";

    // Ends that never reach the close steps: the next Launch and the viewer destroyed.
    {
        auto v = Show({ "slide_red.bmp" }, 5, "", 1);
        v->SetBackgroundMusic(wav.c_str());
        v->Launch();
        v->Show();
        EXPECT_EQ(MusicOwner::pauses, 2);
        v->Launch();
        EXPECT_EQ(MusicOwner::restarts, 2) << "the next Launch";
        v->Show();
        EXPECT_EQ(MusicOwner::pauses, 3);
    }
    EXPECT_EQ(MusicOwner::restarts, 3) << "the viewer destroyed";

    // A close button and WM_CLOSE; a missing music file sends nothing.
    {
        auto v = Show({ "slide_red.bmp" }, 5, "no-such.wav");
        v->SetShowCloseButton(1);
        v->Launch();
        v->Show();
        CSlideShowViewerDlg& w = *v->GetWindow();
        EXPECT_EQ(w.GetStream(), nullptr);
        EXPECT_EQ(MusicOwner::pauses, 3);
        const LONG style = ::GetWindowLongA(w.m_hWnd, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_NE(::SendMessageA(w.m_hWnd, WM_GETICON, ICON_BIG, 0), 0);
        ::SendMessageA(w.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(PumpUntil([&] { return !v->IsAlive(); }));
        EXPECT_EQ(MusicOwner::restarts, 3);
    }
}

TEST(SlideShowWindow, AShowThatNeitherLoopsNorClosesStaysOnItsLastSlide)
{
    auto v = Show({ "slide_red.bmp", "solid.bmp" }, 0, "", 0, 0);
    v->Show();
    CSlideShowViewerDlg& w = *v->GetWindow();
    ASSERT_TRUE(PumpUntil([&] { return w.IsStopped(); }, 3000));
    EXPECT_EQ(w.GetCurrentSlide(), 1);
    EXPECT_EQ(w.GetTimerId(), -1);
    EXPECT_TRUE(v->IsAlive());
    Pump(200);
    EXPECT_TRUE(v->IsAlive()) << "open until closed";
    ::PostMessageA(w.m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !v->IsAlive(); }));

    // An empty list closes at the first tick.
    auto empty = Show({}, 1);
    empty->Show();
    ASSERT_TRUE(PumpUntil([&] { return !empty->IsAlive(); }, 1000));
}

TEST(SlideShowWindow, AWindowThatCannotBeMadeLeavesTheViewerNotAlive)
{
    std::unique_ptr<CSlideShowViewer> v;
    {
        RefuseDialogs refuse;
        ASSERT_TRUE(refuse.Installed());
        v = Show({ "slide_red.bmp" }, 1);
    }
    EXPECT_FALSE(v->IsAlive());
    EXPECT_EQ(v->GetWindow(), nullptr);
    v->Show();
    EXPECT_FALSE(v->IsAlive());
    EXPECT_NE(std::string(v->GetLog().c_str()).find("Slideshow window could not be created"), std::string::npos);
}

}
