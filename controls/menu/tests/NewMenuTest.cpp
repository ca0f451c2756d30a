// The owner-drawn menu class under Wine: items and records, icons, titles, mnemonics, and
// popups tracked on screen in every drawing style, checked on their pixels.
#include "CNewMenu.h"
#include "CNewMenuIcons.h"
#include "CWnd.h"
#include "MenuColour.h"
#include "MenuComponent.h"
#include "MenuLook.h"
#include "MenuMeasure.h"
#include "MenuStyleRegistry.h"
#include "MenuSystem.h"
#include "MenuTestDib.h"
#include "MenuWindowHook.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

void Quiet(DWORD, const char*) {}

BOOL CALLBACK CountChild(HWND, LPARAM p)
{
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND w, LPARAM p)
{
    ++*reinterpret_cast<int*>(p);
    EnumChildWindows(w, CountChild, p);
    return TRUE;
}

int CountThreadWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&n));
    return n;
}

UINT ItemType(HMENU menu, int pos)
{
    MENUITEMINFOA info = {sizeof info};
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, pos, TRUE, &info);
    return info.fType;
}

class NewMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MenuSystem::SetErrorReporter(Quiet);
        MenuComponent::Start();
    }
};

}

TEST_F(NewMenuTest, CommandZeroMakesAnOwnerDrawnSeparator)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendItem("&Open", MF_STRING, 100));
    EXPECT_TRUE(menu.AppendItem("looks like text", MF_STRING, 0));
    EXPECT_TRUE(menu.InsertItem(0, "&First", MF_BYPOSITION | MF_STRING, 99));
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(ItemType(menu, 2) & (MFT_OWNERDRAW | MFT_SEPARATOR), UINT(MFT_OWNERDRAW | MFT_SEPARATOR));
    EXPECT_TRUE(menu.Items().At(2)->IsSeparator());
    EXPECT_EQ(ItemType(menu, 1) & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(menu.Items().At(0)->text, "&First");
    // By command: inserted before the item that bears it.
    EXPECT_TRUE(menu.InsertItem(100, "&Before open", MF_BYCOMMAND, 98));
    EXPECT_EQ(menu.GetMenuItemID(1), 98u);
    EXPECT_FALSE(menu.InsertItem(555, "nowhere", MF_BYCOMMAND, 97));
    CString text;
    EXPECT_TRUE(menu.GetItemText(2, text));
    EXPECT_EQ(text, "&Open");
    EXPECT_FALSE(menu.GetItemText(9, text));
}

TEST_F(NewMenuTest, MenusShareIconsAndOutliveEachOther)
{
    auto* a = new CNewMenu;
    CNewMenu b;
    a->CreatePopupMenu();
    b.CreatePopupMenu();
    ASSERT_TRUE(a->InsertItem(static_cast<UINT>(-1), "&A", MF_BYPOSITION, 1, 300));
    ASSERT_TRUE(b.InsertItem(static_cast<UINT>(-1), "&B", MF_BYPOSITION, 2, 300));
    const CNewMenuItemData* ra = a->Items().At(0);
    const CNewMenuItemData* rb = b.Items().At(0);
    ASSERT_NE(ra->iconList, nullptr);
    EXPECT_EQ(ra->iconList, rb->iconList);
    EXPECT_EQ(ra->iconIndex, rb->iconIndex);
    MenuIconIndex* shared = rb->iconList;
    EXPECT_EQ(shared->RefCount(), 2);
    delete a;
    EXPECT_EQ(shared->RefCount(), 1);
    EXPECT_GE(static_cast<CNewMenuIcons*>(shared)->ImageCount(), 3);
    // A negative resource id means no icon.
    ASSERT_TRUE(b.InsertItem(static_cast<UINT>(-1), "&C", MF_BYPOSITION, 3, -1));
    EXPECT_EQ(b.Items().At(1)->iconIndex, -1);
}

TEST_F(NewMenuTest, ToolbarIconsWithoutAToolbarWindow)
{
    CNewMenu menu;
    menu.CreatePopupMenu();
    int windows = CountThreadWindows();
    ASSERT_TRUE(menu.InsertItem(static_cast<UINT>(-1), "&Save", MF_BYPOSITION, 201, 100));
    EXPECT_EQ(CountThreadWindows(), windows);  // the toolbar is read, no window is made
    const CNewMenuItemData* r = menu.Items().At(0);
    ASSERT_NE(r->iconList, nullptr);
    EXPECT_EQ(r->iconIndex, 3);
    EXPECT_EQ(static_cast<CNewMenuIcons*>(r->iconList)->ImageCount(), 9);
    // A command the toolbar lacks falls back to the bitmap resource of that id (none here).
    ASSERT_TRUE(menu.InsertItem(static_cast<UINT>(-1), "&Other", MF_BYPOSITION, 777, 100));
    EXPECT_NE(menu.Items().At(1)->iconList, r->iconList);
    // LoadToolBar gives every command of the toolbar its icon.
    menu.AppendItem("&Print", MF_STRING, 202);
    EXPECT_TRUE(menu.LoadToolBar(100));
    EXPECT_EQ(menu.Items().At(2)->iconIndex, 6);
    EXPECT_FALSE(menu.LoadToolBar(999));
}

TEST_F(NewMenuTest, LoadedMenuBarWithDuplicateCommands)
{
    CNewMenu bar;
    ASSERT_TRUE(bar.LoadMenu(400));
    EXPECT_FALSE(bar.IsPopup());
    ASSERT_EQ(bar.Items().Count(), 2);
    CNewMenu* edit = bar.FindPopupByText("&Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsPopup());
    EXPECT_EQ(edit->ParentMenu(), bar.GetSafeHmenu());
    ASSERT_EQ(edit->Items().Count(), 2);
    EXPECT_NE(edit->Items().At(0), edit->Items().At(1));  // one record each
    EXPECT_EQ(edit->Items().At(1)->text, "Copy &again");
    EXPECT_EQ(CNewMenu::FindMenuForCommand(bar, 202), bar.FindPopupByText("&File"));
    // Deleting by command removes one item and its own record only.
    EXPECT_TRUE(bar.DeleteItem(201, MF_BYCOMMAND));
    ASSERT_EQ(edit->Items().Count(), 1);
    EXPECT_EQ(edit->GetMenuItemCount(), 1u);
    EXPECT_EQ(edit->Items().At(0)->text, "Copy &again");
    // Changed behind its back, the menu repairs its records.
    AppendMenuA(edit->GetSafeHmenu(), MF_STRING, 203, "&Paste");
    edit->SyncItems();
    ASSERT_EQ(edit->Items().Count(), 2);
    EXPECT_EQ(edit->Items().At(1)->text, "&Paste");
    EXPECT_EQ(ItemType(*edit, 1) & MFT_OWNERDRAW, UINT(MFT_OWNERDRAW));
    CNewMenu missing;
    EXPECT_FALSE(missing.LoadMenu(999));
}

TEST_F(NewMenuTest, VerticalTitleAndMnemonics)
{
    CNewMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_STRING, 1);
    menu.AppendItem("&save", MF_STRING, 2);
    ASSERT_TRUE(menu.SetMenuTitle("Velmora", MenuTitleVertical | MenuTitleGradient));
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_TRUE(menu.Items().At(0)->IsTitle());
    EXPECT_EQ(ItemType(menu, 1) & MFT_MENUBREAK, UINT(MFT_MENUBREAK));
    EXPECT_EQ(CNewMenu::MenuCharHandler('S', 0, &menu), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(CNewMenu::MenuCharHandler('o', 0, &menu), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(CNewMenu::MenuCharHandler('z', 0, &menu), 0);
    ASSERT_TRUE(menu.RemoveMenuTitle());
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(ItemType(menu, 0) & MFT_MENUBREAK, 0u);
    EXPECT_EQ(menu.RemoveNear("&save", 1), 1);
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(menu.RemoveNear("nothing", 0), -1);
}

namespace {

// A top-level window that shows a popup, picks or captures on a timer, and records the
// command it receives.
struct Tracked {
    UINT command = 0;
    HWND menuWindow = nullptr;
    RECT rect = {};
    bool subclassed = false;
    HMENU stateMenu = nullptr;
    std::vector<COLORREF> image;  // the popup window's pixels, top-down
    int width = 0, height = 0;
    bool choose = false;
    COLORREF At(int x, int y) const { return image[y * width + x]; }
} g_tracked;

void Capture(HWND menuWindow)
{
    GetWindowRect(menuWindow, &g_tracked.rect);
    int w = g_tracked.rect.right - g_tracked.rect.left, h = g_tracked.rect.bottom - g_tracked.rect.top;
    MenuTestDib dib(w, h);
    HDC screen = GetDC(nullptr);
    BitBlt(dib.dc(), 0, 0, w, h, screen, g_tracked.rect.left, g_tracked.rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    g_tracked.width = w;
    g_tracked.height = h;
    g_tracked.image.clear();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g_tracked.image.push_back(dib.At(x, y));
}

LRESULT CALLBACK OwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        if (wp == 5) {
            KillTimer(w, 5);
            HWND menuWindow = FindWindowA("#32768", nullptr);
            g_tracked.menuWindow = menuWindow;
            if (menuWindow) {
                MenuWindowState* state = FindMenuWindowState(menuWindow);
                g_tracked.subclassed = state != nullptr;
                g_tracked.stateMenu = state ? state->menu : nullptr;
                Capture(menuWindow);
                if (g_tracked.choose) {
                    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
                    return 0;
                }
            }
            EndMenu();
        }
        return 0;
    case WM_COMMAND:
        g_tracked.command = LOWORD(wp);
        return 0;
    case WM_INITMENUPOPUP:
        CNewMenu::InitMenuPopupHandler(CWnd::FromHandle(w), CMenu::FromHandle(reinterpret_cast<HMENU>(wp)));
        return 0;
    case WM_MEASUREITEM:
        return CNewMenu::MeasureItemHandler(CWnd::FromHandle(w), reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (CNewMenu* m = CNewMenu::FromMenuHandle(reinterpret_cast<HMENU>(dis->hwndItem)))
            m->DrawItem(dis);
        return TRUE;
    }
    default:
        return DefWindowProcA(w, msg, wp, lp);
    }
}

void Track(CNewMenu& menu, bool choose)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "NewMenuTestOwner";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND owner = CreateWindowA(wc.lpszClassName, "menus", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500, nullptr,
                               nullptr, wc.hInstance, nullptr);
    UpdateWindow(owner);
    SetForegroundWindow(owner);
    // The own-drawn shadow is made of what the screen shows under the popup: the owner's
    // white must have reached the screen, not only the window's own surface, before the
    // popup opens.
    PumpUntil([] {
        HDC screen = GetDC(nullptr);
        const COLORREF under = GetPixel(screen, 300, 300);
        ReleaseDC(nullptr, screen);
        return under == RGB(255, 255, 255);
    });
    g_tracked = Tracked();
    g_tracked.choose = choose;
    SetTimer(owner, 5, 400, nullptr);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, owner, nullptr);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&m);
    DestroyWindow(owner);
}

void Build(CNewMenu& menu)
{
    menu.CreatePopupMenu();
    menu.InsertItem(static_cast<UINT>(-1), "&Open\tCtrl+O", MF_BYPOSITION, 200, 100);
    menu.InsertItem(static_cast<UINT>(-1), "&Save", MF_BYPOSITION, 201, 100);
    menu.AppendItem("", MF_SEPARATOR, 0);
    menu.InsertItem(static_cast<UINT>(-1), "E&xit", MF_BYPOSITION, 202, 100);
    menu.SetMenuTitle("Velmora", MenuTitleVertical | MenuTitleGradient);
}

}

TEST_F(NewMenuTest, TrackedPopupSendsTheChosenCommand)
{
    CNewMenu menu;
    Build(menu);
    Track(menu, true);
    ASSERT_NE(g_tracked.menuWindow, nullptr);
    EXPECT_TRUE(g_tracked.subclassed);
    EXPECT_EQ(g_tracked.stateMenu, menu.GetSafeHmenu());
    EXPECT_EQ(g_tracked.command, 200u);  // the first item below the title
    EXPECT_EQ(FindMenuWindowState(g_tracked.menuWindow), nullptr);
}

TEST_F(NewMenuTest, EveryDrawingStyleOnScreen)
{
    MenuLook look = MenuSystem::Look();
    const COLORREF M = MenuColour(look), B = MenuBarColour(look), W = look.Sys(COLOR_WINDOW);
    for (int style : {2, 0, 1, 3, 4, 5, 6, 7}) {
        MenuModeScope scope(style, true);
        ASSERT_EQ(GetMenuDrawStyle(), style);
        CNewMenu menu;
        Build(menu);
        Track(menu, false);
        ASSERT_NE(g_tracked.menuWindow, nullptr) << style;
        ASSERT_GT(g_tracked.width, 40) << style;
        const int w = g_tracked.width, h = g_tracked.height;
        const bool own = style % 2 == 0;
        MenuFrameGeometry g(look.platformShadows);
        if (own) {
            // The frame: the flat style's dark outer line, the others' highlight line.
            COLORREF line = style == 2 ? MenuFlatFrameLineColour(look) : look.Sys(COLOR_HIGHLIGHT);
            EXPECT_EQ(g_tracked.At(10, 0), line) << style;
            EXPECT_EQ(g_tracked.At(0, 10), line) << style;
            if (!look.platformShadows) {
                // The shadow darkens what lay under the window (the owner's white).
                EXPECT_EQ(g_tracked.At(w - 1, h / 2), MenuDarken(30, W)) << style;
                EXPECT_EQ(g_tracked.At(w / 2, h - 1), MenuDarken(30, W)) << style;
            }
        }
        // The vertical gradient title band at the left: light at the top, caption colour below.
        int bandX = own ? g.InsetLeft() + 3 : 6;
        COLORREF top = g_tracked.At(bandX, own ? 3 : 4);
        COLORREF bottom = g_tracked.At(bandX, h - (own ? g.ExtentBottom() + 2 : 5));
        COLORREF light = MenuBlend86(W, M), caption = look.Sys(COLOR_ACTIVECAPTION);
        EXPECT_NEAR(GetBValue(top), GetBValue(light), 12) << style;
        EXPECT_NEAR(GetBValue(bottom), GetBValue(caption), 12) << style;
        EXPECT_NEAR(GetRValue(bottom), GetRValue(caption), 12) << style;
        // Somewhere right of the band the items' background of the style shows.
        std::set<COLORREF> seen(g_tracked.image.begin(), g_tracked.image.end());
        if (style == 2 || style == 3) {
            MenuFlatColours c = MenuFlatItemColours(look, false, nullptr);
            EXPECT_TRUE(seen.count(c.iconColumn)) << style;
            EXPECT_TRUE(seen.count(c.background)) << style;
            EXPECT_TRUE(seen.count(MenuDarken(50, RGB(255, 0, 0)))) << style;  // a shaded icon
        } else if (style <= 5) {
            EXPECT_TRUE(seen.count(look.Sys(COLOR_MENU))) << style;
            EXPECT_TRUE(seen.count(RGB(255, 0, 0))) << style;  // classic icons are not shaded
        } else {
            EXPECT_TRUE(seen.count(MenuGradientTop(M)) || seen.count(MenuLighten(29, M))) << style;
        }
        (void)B;
    }
}
