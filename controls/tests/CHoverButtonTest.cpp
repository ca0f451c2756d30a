// The hover button under Wine, in the build it is linked with: drawing on the pixels of a
// memory device context, hover capture, presses, the hold timer, double clicks, enable and
// system colours, driven by real messages.
#include "CHoverButton.h"
#include "ControlsTestResource.h"
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct HoverFixture : ::testing::Test {
    void SetUp() override
    {
        // The pointer waits far from the button: a real mouse move that the system sends
        // after a menu closes must not land on it (the tests drive the mouse by messages).
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
        ASSERT_TRUE(host.CreateHost());
        ::SetActiveWindow(host.m_hWnd);
        RECT r = {10, 10, 110, 50};
        ASSERT_TRUE(button.Create("Browse", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r, &host, 7));
    }
    void TearDown() override
    {
        button.DestroyWindow();
        host.DestroyWindow();
    }
    // Draws the button as its parent would ask it to, into a surface of its size.
    void Draw(CDibSurface& surface, UINT state = 0)
    {
        surface.Create(100, 40);
        surface.Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 7;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = surface.GetDC();
        dis.rcItem = {0, 0, 100, 40};
        host.SendMessage(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
        ::GdiFlush();
    }
    CHostWnd host;
    CHoverButton button;
};

const COLORREF HoverIn = RGB(0xC0, 0, 0);
const COLORREF HoverOut = RGB(0, 0xC0, 0);

}  // namespace

TEST_F(HoverFixture, SubclassingMakesAnOwnerDrawnButton)
{
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_STREQ(CHoverButton::GetVersionC(), "2.5");
    EXPECT_EQ(CHoverButton::GetVersionI(), 25);
}

TEST_F(HoverFixture, IconsAndTheFlatHoverBorder)
{
    button.SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
    EXPECT_TRUE(button.HasHoverIcon());
    EXPECT_EQ(button.IconWidth(), 32);
    EXPECT_EQ(button.IconHeight(), 32);
    CDibSurface s;
    Draw(s);
    // Idle: flat, no border, the out icon 3 pixels from the left, vertically centred.
    EXPECT_EQ(s.GetPixel(0, 0), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(s.GetPixel(3 + 16, 20), HoverOut);
    EXPECT_EQ(s.GetPixel(2, 20), ::GetSysColor(COLOR_BTNFACE));

    button.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    EXPECT_TRUE(button.IsMouseOver());
    EXPECT_EQ(::GetCapture(), button.m_hWnd);
    Draw(s);
    EXPECT_EQ(s.GetPixel(0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.GetPixel(99, 39), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.GetPixel(3 + 16, 20), HoverIn);

    // Pressed: sunken and moved 1 pixel right and down.
    Draw(s, ODS_SELECTED);
    EXPECT_EQ(s.GetPixel(0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.GetPixel(99, 39), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.GetPixel(4, 20 - 16 + 1), HoverIn);
    EXPECT_NE(s.GetPixel(3, 20 - 16), HoverIn);
}

TEST_F(HoverFixture, OneIconNeverHovers)
{
    button.SetIcon(IDI_HOVER_IN);
    EXPECT_FALSE(button.HasHoverIcon());
    button.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    EXPECT_FALSE(button.IsMouseOver());
    EXPECT_NE(::GetCapture(), button.m_hWnd);
    CDibSurface s;
    Draw(s);
    EXPECT_EQ(s.GetPixel(3 + 16, 20), HoverIn);
}

TEST_F(HoverFixture, ClassicLookAndFocus)
{
    button.SetFlat(FALSE);
    CDibSurface s;
    Draw(s, ODS_FOCUS);
    EXPECT_EQ(s.GetPixel(0, 0), RGB(0, 0, 0));                          // the black frame
    EXPECT_EQ(s.GetPixel(1, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));     // raised edge inside it
    EXPECT_EQ(s.GetPixel(2, 2), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(s.GetPixel(98, 38), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(s.GetPixel(97, 37), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_GT(s.Count(::GetSysColor(COLOR_BTNTEXT), 20, 8, 80, 32), 10);  // the text, centred

    // Flat: a focus rectangle only with the flat focus, which repaints when it is set.
    button.SetFlat(TRUE);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    Draw(s, ODS_FOCUS);
    EXPECT_EQ(s.Count(face, 3, 3, 97, 4), 94);
    ::ValidateRect(button.m_hWnd, nullptr);
    button.SetFlatFocus(TRUE);
    EXPECT_TRUE(::GetUpdateRect(button.m_hWnd, nullptr, FALSE));
    Draw(s, ODS_FOCUS);
    EXPECT_LT(s.Count(face, 3, 3, 97, 4), 80);  // the dotted rectangle 3 pixels inside
}

TEST_F(HoverFixture, ShortClicksAndTheHoldTimer)
{
    host.commands.clear();
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    EXPECT_NE(button.HoldTimerId(), 0u);
    button.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_EQ(button.HoldTimerId(), 0u);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.codes[0], static_cast<UINT>(BN_CLICKED));

    // Held longer than 400 ms with the menu off: an ordinary click too.
    host.commands.clear();
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    Pump(600);
    EXPECT_EQ(button.HoldTimerId(), 0u);  // the timer stopped itself
    button.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(HoverFixture, TheSecondPressOfADoubleClickIsSwallowed)
{
    host.commands.clear();
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Point(50, 20));
    EXPECT_EQ(button.HoldTimerId(), 0u);
    button.SendMessage(WM_LBUTTONUP, 0, Point(50, 20));
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(HoverFixture, DisabledIgnoresPressesAndDrawsGreyed)
{
    button.SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
    button.EnableWindow(FALSE);
    EXPECT_TRUE(button.IsDisabled());
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    EXPECT_EQ(button.HoldTimerId(), 0u);
    CDibSurface s;
    Draw(s);
    EXPECT_EQ(s.Count(HoverOut), 0);  // the icon is drawn in the disabled state
    EXPECT_EQ(s.Count(::GetSysColor(COLOR_BTNTEXT), 20, 8, 99, 32), 0);
    button.EnableWindow(TRUE);
    EXPECT_FALSE(button.IsDisabled());
}

TEST_F(HoverFixture, ColourChangeResetsBothBackgroundsAndKeepsTextColours)
{
    button.SetActiveBgColor(RGB(255, 0, 0));
    button.SetInactiveBgColor(RGB(0, 255, 0));
    button.SetActiveFgColor(RGB(1, 1, 1));
    button.SetInactiveFgColor(RGB(2, 2, 2));
    CDibSurface s;
    Draw(s);
    EXPECT_EQ(s.GetPixel(5, 5), RGB(0, 255, 0));
    button.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(button.ActiveBgColor(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(button.InactiveBgColor(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(button.ActiveFgColor(), RGB(1, 1, 1));
    EXPECT_EQ(button.InactiveFgColor(), RGB(2, 2, 2));
}

TEST_F(HoverFixture, TooltipAndCursor)
{
    button.SetTooltipText("");  // nothing
    button.SetTooltipText("Choose a folder");
    ASSERT_NE(button.ToolTip().m_hWnd, nullptr);
    EXPECT_EQ(button.ToolTip().GetToolCount(), 1);
    button.SetTooltipText("Another text");
    EXPECT_EQ(button.ToolTip().GetToolCount(), 1);
    CString text;
    button.ToolTip().GetText(text, &button, 1);
    EXPECT_EQ(text, "Another text");
    EXPECT_FALSE(button.SetBtnCursor(-1));
}

TEST_F(HoverFixture, TransparentButtonsPaintTheParentsBackground)
{
    button.DrawTransparent(TRUE);
    CDibSurface s;
    Draw(s);
    // The copy of the parent under the button: its button-face background.
    EXPECT_EQ(s.GetPixel(50, 2), ::GetSysColor(COLOR_BTNFACE));
}

#ifdef VELMORA_HOVER_NO_MENU
TEST_F(HoverFixture, ViewersBuildHoldTimerOnlyClearsTheHover)
{
    button.SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
    button.SetMenu(TRUE, 0);
    button.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    ASSERT_TRUE(button.IsMouseOver());
    button.SendMessage(WM_TIMER, CHoverButton::HoldTimer);
    EXPECT_FALSE(button.IsMouseOver());
}
#endif

#ifdef VELMORA_HOVER_MENU_RESOURCE
static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

TEST_F(HoverFixture, SetupBuildTracksItsMenuResource)
{
    // The menu is tracked modally; a posted Escape closes it again.
    button.SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
    button.SetMenu(TRUE, IDM_SETUP_MENU, 0);
    button.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    ::SetTimer(nullptr, 0, 300, CloseMenu);
    button.SendMessage(WM_TIMER, CHoverButton::HoldTimer);
    EXPECT_FALSE(button.IsMouseOver());
}
#endif

#if !defined(VELMORA_HOVER_NO_MENU) && !defined(VELMORA_HOVER_MENU_RESOURCE)
static HWND g_menuOwner = nullptr;
static void CALLBACK ChooseSecondItem(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostMessageA(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(g_menuOwner, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(g_menuOwner, WM_KEYDOWN, VK_RETURN, 0);
}

static void CALLBACK EndTracking(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

TEST_F(HoverFixture, HoldingOpensTheMenuOfTargetKinds)
{
    button.SetIcon(IDI_HOVER_IN, IDI_HOVER_OUT);
    button.SetMenu(TRUE, 0);
    button.SendMessage(WM_MOUSEMOVE, 0, Point(50, 20));
    host.commands.clear();
    g_menuOwner = host.m_hWnd;
    ::SetTimer(nullptr, 0, 700, ChooseSecondItem);  // once the menu is up
    ::SetTimer(nullptr, 0, 4000, EndTracking);       // never left hanging
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    Pump(1500);  // the hold timer fires after 400 ms and tracks the menu
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands[0], 32799u);  // "Launch a Menu"
    EXPECT_FALSE(button.IsMouseOver());
    EXPECT_EQ(button.HoldTimerId(), 0u);
}
#endif
