// The drop-down menu button under Wine: faces on pixels, mouse, timers, latching, focus,
// enable and viewers, driven by real messages.
#include "CMenuButton.h"
#include "ControlsTestResource.h"
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct FakeViewer {
    int inits = 0, launches = 0, shows = 0;
    bool testMode = false;
    void Init() { ++inits; }
    void SetTestMode(bool mode) { testMode = mode; }
    void Launch() { ++launches; }
    void Show() { ++shows; }
};

using State = CMenuButtonState;

struct MenuButtonFixture : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    void TearDown() override { host.DestroyWindow(); }
    void Make(CMenuButton& button, int style, int w = 100, int h = 40, UINT id = 2)
    {
        RECT r = {10, 10, 10 + w, 10 + h};
        ASSERT_TRUE(button.Create("Create", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r, &host, id));
        button.SetStyle(style);
        button.UpdateWindow();
        ASSERT_TRUE(button.IsCreated());
        // The pointer itself rests on the button, so that the hover timer finds it there.
        POINT centre = {w / 2, h / 2};
        ::ClientToScreen(button.m_hWnd, &centre);
        ::SetCursorPos(centre.x, centre.y);
    }
    CHostWnd host;
};

}  // namespace

TEST_F(MenuButtonFixture, StyleZeroFacesAreRaisedAndSunken)
{
    CMenuButton b;
    Make(b, 0);
    EXPECT_TRUE(b.GetStyle() & BS_OWNERDRAW);
    const CDibSurface& normal = b.GetFace(State::FaceNormal);
    const CDibSurface& pressed = b.GetFace(State::FacePressed);
    EXPECT_EQ(normal.GetPixel(1, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(normal.GetPixel(98, 38), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pressed.GetPixel(1, 1), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pressed.GetPixel(98, 38), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_GT(normal.Count(::GetSysColor(COLOR_BTNTEXT), 3, 3, 97, 37), 10);  // the caption
    // The screen shows the normal face.
    CDibSurface screen;
    Grab(b.m_hWnd, screen);
    EXPECT_EQ(screen.GetPixel(1, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(MenuButtonFixture, HoverPressAndRelease)
{
    CMenuButton b;
    Make(b, 2);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    EXPECT_TRUE(b.State().hot);
    EXPECT_EQ(b.State().CurrentFace(), State::FaceHot);
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    EXPECT_EQ(b.State().CurrentFace(), State::FacePressed);
    CDibSurface screen;
    Grab(b.m_hWnd, screen);
    EXPECT_EQ(screen.GetPixel(30, 20), b.GetFace(State::FacePressed).GetPixel(30, 20));
    b.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_FALSE(b.State().pressed);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.back(), 2u);  // the click reaches the parent
    EXPECT_EQ(host.codes.back(), static_cast<UINT>(BN_CLICKED));
}

TEST_F(MenuButtonFixture, APressDraggedOutAndReleasedIsGivenUp)
{
    CMenuButton b;
    FakeViewer viewer;
    Make(b, 2);
    b.SetViewer(&viewer);
    EXPECT_EQ(viewer.inits, 1);
    EXPECT_TRUE(viewer.testMode);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(300, 200));  // dragged out
    EXPECT_FALSE(b.State().pressed);
    EXPECT_NE(::GetCapture(), b.m_hWnd);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));           // back in, button up elsewhere
    EXPECT_EQ(b.State().CurrentFace(), State::FaceHot);
    Pump(300);
    EXPECT_EQ(viewer.launches, 0);
}

TEST_F(MenuButtonFixture, TheClickTimerLaunchesTheViewerOnceWhileTheHoverTimerRuns)
{
    CMenuButton b;
    FakeViewer viewer;
    Make(b, 2);
    b.SetViewer(&viewer);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));  // starts the hover timer
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));  // starts the click timer
    ASSERT_TRUE(PumpUntil([&] { return viewer.launches > 0; }, 2000));
    Pump(400);
    EXPECT_EQ(viewer.launches, 1);
    EXPECT_EQ(viewer.shows, 1);
    // A hover tick with the cursor away does not launch anything.
    b.SendMessage(WM_TIMER, State::HoverTimer);
    EXPECT_EQ(viewer.launches, 1);
}

TEST_F(MenuButtonFixture, LatchingStyleStaysDownAndIsReleasedByTheNextPress)
{
    CMenuButton b;
    Make(b, 4);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_TRUE(b.State().pressed);
    b.SendMessage(WM_KILLFOCUS);
    EXPECT_TRUE(b.State().pressed);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(300, 200));
    EXPECT_EQ(b.State().CurrentFace(), State::FacePressed);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_FALSE(b.State().pressed);
}

TEST_F(MenuButtonFixture, OtherStylesAreReleasedOnButtonUpAndFocusLoss)
{
    CMenuButton b;
    Make(b, 1);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(b.State().pressed);
}

TEST_F(MenuButtonFixture, DisabledShowsTheDisabledFaceAndIgnoresClicks)
{
    CMenuButton b;
    Make(b, 2);
    b.SetBitmaps(IDB_IMAGE_HOT, IDB_IMAGE_NORMAL, IDB_IMAGE_MASK);
    b.EnableWindow(FALSE);
    EXPECT_TRUE(b.State().disabled);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    b.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_FALSE(b.State().pressed);
    EXPECT_EQ(b.State().CurrentFace(), State::FaceDisabled);
    CDibSurface screen;
    Grab(b.m_hWnd, screen);
    EXPECT_EQ(screen.GetPixel(b.FaceLayout().imageX + 4, b.FaceLayout().imageY + 4), RGB(0, 255, 0));
    b.EnableWindow(TRUE);
    EXPECT_FALSE(b.State().disabled);
}

TEST_F(MenuButtonFixture, BitmapsBlendThroughTheirMaskAndAreClippedToSmallButtons)
{
    CMenuButton b;
    Make(b, 2, 100, 40);
    b.SetBitmaps(IDB_IMAGE_HOT, IDB_IMAGE_NORMAL, IDB_IMAGE_MASK);
    const int x = b.FaceLayout().imageX, y = b.FaceLayout().imageY;
    // The mask is white on its left half: the image there, the face on the right half.
    EXPECT_EQ(b.GetFace(State::FaceNormal).GetPixel(x + 4, y + 10), RGB(0, 255, 0));
    EXPECT_EQ(b.GetFace(State::FaceHot).GetPixel(x + 4, y + 10), RGB(255, 0, 0));
    EXPECT_EQ(b.GetFace(State::FacePressed).GetPixel(x + 5, y + 11), RGB(255, 0, 0));
    EXPECT_EQ(b.GetFace(State::FaceNormal).GetPixel(x + 28, y + 10), b.FillColor());

    // A button lower than its image: the image overhangs the face and is cut at its edges.
    CMenuButton low;
    Make(low, 2, 60, 20, 3);
    low.SetBitmaps(IDB_IMAGE_HOT, IDB_IMAGE_NORMAL, IDB_IMAGE_MASK);
    EXPECT_LT(low.FaceLayout().imageY, 0);
    EXPECT_EQ(low.GetFace(State::FaceNormal).Height(), 20);
    EXPECT_EQ(low.GetFace(State::FaceNormal).GetPixel(5, 10), RGB(0, 255, 0));
}

TEST_F(MenuButtonFixture, DoubleClickSendsAClick)
{
    CMenuButton b;
    Make(b, 2);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    host.commands.clear();
    b.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(50, 20));
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands[0], 2u);
    EXPECT_TRUE(b.State().pressed);
}

TEST_F(MenuButtonFixture, SystemColourChangeRebuildsTheFaces)
{
    CMenuButton b;
    Make(b, 3);
    b.SetColor(RGB(10, 20, 30));
    EXPECT_EQ(b.FillColor(), RGB(10, 20, 30));
    EXPECT_EQ(b.GetFace(State::FaceNormal).GetPixel(50, 20), RGB(10, 20, 30));
    b.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(b.FillColor(), RGB(10, 20, 30));
    EXPECT_EQ(b.TextColor(), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(b.FrameColor(), ::GetSysColor(COLOR_INACTIVECAPTION));
}

namespace {
HWND g_menuOwner = nullptr;
// Picks the first item of the menu being tracked, as the keyboard would.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostMessageA(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(g_menuOwner, WM_KEYDOWN, VK_RETURN, 0);
}
void CALLBACK EndTracking(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}
}  // namespace

TEST_F(MenuButtonFixture, APressInTheDropDownSquareOpensThePopupAndItsCommandReachesTheParent)
{
    CMenuButton b;
    Make(b, 2);
    b.AddMenuItem("Launch a File", 32789, -1);
    b.AddMenuItem("Open a Folder", 32790, -1);
    EXPECT_TRUE(b.State().isMenuButton);
    const CControlRect& square = b.FaceLayout().dropDown;
    EXPECT_EQ(square.Width(), 11);
    b.SendMessage(WM_MOUSEMOVE, 0, Point(square.left + 5, square.top + 5));
    host.commands.clear();
    g_menuOwner = host.m_hWnd;
    ::SetTimer(nullptr, 0, 300, ChooseFirstItem);
    ::SetTimer(nullptr, 0, 4000, EndTracking);  // never left hanging
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(square.left + 5, square.top + 5));
    Pump(200);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands[0], 32789u);
    EXPECT_FALSE(b.State().pressed);
}
