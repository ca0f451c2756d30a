// The image viewer and its picture window under Wine: still pictures blended onto their
// background and centred, GIFs played by the animated picture, the display ended by its
// timer, a click or a decoding error, and a second launch that leaves nothing of the first.
#include "CImageViewer.h"
#include "CImageViewerDlg.h"
#include "MessagePump.h"
#include "PLWinBmp.h"
#include "RefuseDialogs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

const std::string kFixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures";

std::unique_ptr<CImageViewer> Splash(const char* image, int duration = 5, int background = 0,
                                     COLORREF color = RGB(0, 0, 128), const char* sound = "")
{
    auto viewer = std::make_unique<CImageViewer>();
    viewer->SetProgramDirectory(kFixtures.c_str());
    viewer->SetImageFilename(image);
    viewer->SetSoundFilename(sound);
    viewer->SetDuration(duration);
    viewer->SetShowBackground(background);
    viewer->SetBackgroundColor(color);
    viewer->Init();
    viewer->Launch();
    return viewer;
}

bool Started(CImageViewer& v) { return v.GetWindow() && v.GetWindow()->IsStarted(); }

TEST(ImageViewer, AStillPictureIsCentredAndItsTransparencyTakesTheButtonFace)
{
    auto viewer = Splash("alpha.png");
    ASSERT_TRUE(viewer->IsAlive());
    ASSERT_NE(viewer->GetWindow(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(viewer->GetWindow()->m_hWnd));  // hidden until Show
    EXPECT_FALSE(viewer->GetFullScreen());
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    CImageViewerDlg& w = *viewer->GetWindow();
    EXPECT_FALSE(w.IsGif());
    RECT rect;
    ::GetWindowRect(w.m_hWnd, &rect);
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.left, (sw - 6) / 2);
    EXPECT_EQ(rect.top, (sh - 4) / 2);
    EXPECT_EQ(rect.right - rect.left, 6);
    EXPECT_EQ(rect.bottom - rect.top, 4);
    EXPECT_TRUE(::GetWindowLongA(w.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetPixel(w.GetMemoryDC(), 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(w.GetMemoryDC(), 4, 1), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(w.GetTimerId(), 1);
    EXPECT_TRUE(viewer->IsAlive());
}

TEST(ImageViewer, WithABackgroundThePictureFillsTheScreenInItsColour)
{
    const COLORREF navy = RGB(0, 0, 128);
    auto viewer = Splash("alpha.png", 5, 1, navy);
    EXPECT_TRUE(viewer->GetFullScreen());
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    CImageViewerDlg& w = *viewer->GetWindow();
    RECT rect;
    ::GetWindowRect(w.m_hWnd, &rect);
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.right - rect.left, sw);
    EXPECT_EQ(rect.bottom - rect.top, sh);
    const int x = (sw - 6) / 2, y = (sh - 4) / 2;
    EXPECT_EQ(::GetPixel(w.GetMemoryDC(), 0, 0), navy);
    EXPECT_EQ(::GetPixel(w.GetMemoryDC(), x + 1, y + 1), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(w.GetMemoryDC(), x + 4, y + 1), navy);  // transparent part blended
}

TEST(ImageViewer, BlendingKeepsOpaquePixelsAndGivesTransparentOnesTheColour)
{
    PLWinBmp bmp;
    bmp.Create(3, 1, 32, true, false);
    const BYTE pixels[3][4] = {{10, 20, 30, 255}, {10, 20, 30, 0}, {200, 100, 0, 128}};
    for (int x = 0; x < 3; ++x)
        memcpy(bmp.GetLine(0) + 4 * x, pixels[x], 4);
    CImageViewerDlg::BlendWithBackground(bmp, RGB(100, 50, 250));  // red 100, green 50, blue 250
    const BYTE* p = bmp.GetLine(0);
    EXPECT_EQ(p[0], 10); EXPECT_EQ(p[1], 20); EXPECT_EQ(p[2], 30); EXPECT_EQ(p[3], 255);
    EXPECT_EQ(p[4], 250); EXPECT_EQ(p[5], 50); EXPECT_EQ(p[6], 100); EXPECT_EQ(p[7], 0);
    // f = 128/255: blue 250 + trunc(f * -50), green 50 + trunc(f * 50), red 100 + trunc(f * -100).
    EXPECT_EQ(p[8], 250 - 25); EXPECT_EQ(p[9], 50 + 25); EXPECT_EQ(p[10], 100 - 50); EXPECT_EQ(p[11], 128);
}

TEST(ImageViewer, AGifNamedInUpperCaseIsPlayedAsAnAnimation)
{
    auto viewer = Splash("ANIM.GIF", 5, 1, RGB(0, 128, 0));
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    CImageViewerDlg& w = *viewer->GetWindow();
    EXPECT_TRUE(w.IsGif());
    EXPECT_EQ(w.GetPictureSize().cx, 16);
    EXPECT_EQ(w.GetPictureSize().cy, 12);
    EXPECT_TRUE(::IsWindowVisible(w.GetPicture().m_hWnd));
    EXPECT_NE(w.GetPicture().GetWorker(), nullptr);
    RECT rect;
    ::GetWindowRect(w.GetPicture().m_hWnd, &rect);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 16) / 2);
    EXPECT_EQ(rect.right - rect.left, 16);
}

TEST(ImageViewer, APictureThatCannotBeShownEndsTheDisplayAtOnce)
{
    for (const char* name : {"broken.png", "missing.gif", "missing.png"}) {
        SCOPED_TRACE(name);
        auto viewer = Splash(name);
        ASSERT_TRUE(viewer->IsAlive());
        viewer->Show();
        EXPECT_FALSE(viewer->IsAlive());  // the player goes on at its next poll
        CImageViewerDlg* w = viewer->GetWindow();
        EXPECT_FALSE(::IsWindowVisible(w->m_hWnd));
        // The window's own timer closes it.
        EXPECT_TRUE(PumpUntil([&] { return w->GetTimerId() == -1; }, 1000));
        EXPECT_FALSE(::IsWindowVisible(w->m_hWnd));
    }
}

TEST(ImageViewer, AZeroOrNegativeDurationClosesAtTheFirstTick)
{
    for (int duration : {0, -3}) {
        SCOPED_TRACE(duration);
        auto viewer = Splash("solid.bmp", duration);
        viewer->Show();
        const DWORD start = ::GetTickCount();
        EXPECT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }, 3000));
        // Well before a second's duration would end it (hiding a window under Wine without a
        // window manager may take up to two seconds of its own).
        EXPECT_LT(::GetTickCount() - start, 3000u);
        EXPECT_FALSE(::IsWindowVisible(viewer->GetWindow()->m_hWnd));
    }
}

TEST(ImageViewer, AClickEndsTheDisplayAndStopsTheSound)
{
    auto viewer = Splash("solid.bmp", 30, 0, 0, "..\\..\\..\\framework\\sound\\tests\\fixtures\\tone_22050_mono16.wav");
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    CImageViewerDlg& w = *viewer->GetWindow();
    EXPECT_NE(w.GetStream(), nullptr);  // streams open without an audio device too
    ::SendMessageA(w.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_FALSE(viewer->IsAlive());
    EXPECT_EQ(w.GetStream(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(w.m_hWnd));
}

TEST(ImageViewer, ASecondLaunchFreesTheFirstWindowAndItsOffscreenPicture)
{
    auto viewer = Splash("solid.bmp", 0);
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    const HDC firstDC = viewer->GetWindow()->GetMemoryDC();
    const HWND firstWindow = viewer->GetWindow()->m_hWnd;
    ASSERT_NE(::GetObjectType(firstDC), 0u);
    ASSERT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }));
    viewer->Launch();
    EXPECT_TRUE(viewer->IsAlive());
    EXPECT_FALSE(::IsWindow(firstWindow));
    EXPECT_EQ(::GetObjectType(firstDC), 0u);  // the memory DC of the first pass is gone
    viewer->Show();
    EXPECT_TRUE(PumpUntil([&] { return !viewer->IsAlive(); }));
}

TEST(ImageViewer, AViewerDestroyedWhileItsPictureShowsTakesTheWindowWithIt)
{
    auto viewer = Splash("solid.bmp", 1);
    viewer->Show();
    ASSERT_TRUE(PumpUntil([&] { return Started(*viewer); }));
    const HWND window = viewer->GetWindow()->m_hWnd;
    viewer.reset();
    EXPECT_FALSE(::IsWindow(window));
    PumpUntil([] { return false; }, 1300);  // no timer of the window calls into the viewer
}

TEST(ImageViewer, APictureWindowThatCannotBeMadeLeavesTheViewerNotAlive)
{
    std::unique_ptr<CImageViewer> viewer;
    {
        RefuseDialogs refuse;
        ASSERT_TRUE(refuse.Installed());
        viewer = Splash("solid.bmp");
    }
    EXPECT_FALSE(viewer->IsAlive());  // the player's splash poll goes on at once
    EXPECT_EQ(viewer->GetWindow(), nullptr);
    viewer->Show();                   // and nothing to show
    EXPECT_FALSE(viewer->IsAlive());
}

TEST(ImageViewer, SetEqualCopiesTheSplashSettings)
{
    CImageViewer from, to;
    from.SetImageFilename("a.png");
    from.SetSoundFilename("b.wav");
    from.SetDuration(7);
    from.SetShowBackground(1);
    from.SetBackgroundColor(0x123456);
    from.SetTargetNum(4);
    to.SetEqual(&from);
    EXPECT_EQ(to.GetImageFilename(), "a.png");
    EXPECT_EQ(to.GetSoundFilename(), "b.wav");
    EXPECT_EQ(to.GetDuration(), 7);
    EXPECT_EQ(to.GetShowBackground(), 1);
    EXPECT_EQ(to.GetBackgroundColor(), 0x123456u);
    EXPECT_EQ(to.GetTargetNum(), 4);
    EXPECT_FALSE(CImageViewer().IsAlive());
    EXPECT_EQ(CImageViewer().GetDuration(), 5);
}

}  // namespace
