// The Win32 pieces of the menu component under Wine: resources, shared icon lists, the
// gradient fill, timers, the system's class, the flat painter and the popup-window hook.
#include "CNewMenuBitmaps.h"
#include "CNewMenuItemData.h"
#include "MenuColour.h"
#include "MenuComponent.h"
#include "MenuFillGradient.h"
#include "MenuGradient.h"
#include "MenuIconLookup.h"
#include "MenuItemPainters.h"
#include "MenuLook.h"
#include "MenuMeasure.h"
#include "MenuOsClass.h"
#include "MenuResources.h"
#include "MenuSettings.h"
#include "MenuSystem.h"
#include "MenuTestDib.h"
#include "MenuTimers.h"
#include "MenuWindowHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_errors;
void RecordError(DWORD, const char* text) { g_errors.push_back(text); }

// What a menu asks of its owner to draw the record's item over the whole picture.
DRAWITEMSTRUCT ItemDrawing(const MenuTestDib& dib, const CNewMenuItemData& rec, UINT state = 0)
{
    DRAWITEMSTRUCT dis;
    ZeroMemory(&dis, sizeof dis);
    dis.CtlType = ODT_MENU;
    dis.itemID = static_cast<UINT>(rec.commandId);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hDC = dib.dc();
    dis.rcItem = RECT{0, 0, dib.Width(), dib.Height()};
    dis.itemData = reinterpret_cast<ULONG_PTR>(&rec);
    return dis;
}

class MenuWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        MenuSystem::SetErrorReporter(RecordError);
        MenuComponent::Start();
        g_errors.clear();
    }
    void TearDown() override { MenuSystem::OverrideOsClass(-1); }
};

// Draws image n of the list into a fresh DIB and returns the pixel at (x, y).
COLORREF ImagePixel(HIMAGELIST list, int n, int x, int y, COLORREF background = RGB(1, 2, 3))
{
    MenuTestDib dib(32, 32, background);
    ImageList_Draw(list, n, dib.dc(), 0, 0, ILD_TRANSPARENT);
    return dib.At(x, y);
}

HHOOK WINAPI FailingHookInstaller(int, HOOKPROC, HINSTANCE, DWORD)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

HWND MakeWindow(WNDPROC proc = DefWindowProcA)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = proc == DefWindowProcA ? "MenuTestPlain" : "MenuTestOwner";
    RegisterClassA(&wc);
    return CreateWindowA(wc.lpszClassName, "menu test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

}

TEST_F(MenuWin32Test, TheResourceCompilerKeepsTheToolbarType)
{
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(241)), nullptr);
    EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(241)), nullptr);
    for (int id : {100, 101}) {
        ToolBarResource tb;
        HMODULE found = nullptr;
        ASSERT_TRUE(MenuReadToolBar(MAKEINTRESOURCEA(id), nullptr, &tb, &found)) << id;
        EXPECT_EQ(found, self);
        EXPECT_EQ(tb.Width(), 16);
        EXPECT_EQ(tb.Height(), 15);
        EXPECT_EQ(tb.Commands().size(), 3u);
    }
    ToolBarResource missing;
    EXPECT_FALSE(MenuReadToolBar(MAKEINTRESOURCEA(999), nullptr, &missing, nullptr));
    int colours = -1;
    HBITMAP b = LoadBitmapWithColours(MAKEINTRESOURCEA(300), nullptr, &colours);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(colours, 0);  // 24 bits per pixel
    DeleteObject(b);
    EXPECT_EQ(LoadBitmapWithColours(MAKEINTRESOURCEA(999), nullptr, &colours), nullptr);
    EXPECT_EQ(LoadSysColourBitmap(MAKEINTRESOURCEA(300), nullptr), nullptr);  // not 16 colours
}

TEST_F(MenuWin32Test, ToolbarListsHoldNormalDarkenedAndGreyedImages)
{
    CNewMenuIcons* list = MenuFindToolBarIcons(MAKEINTRESOURCEA(100), nullptr, 0xFF000000);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(MenuFindToolBarIcons(MAKEINTRESOURCEA(100), nullptr, 0xFF000000), list);
    EXPECT_EQ(list->ImageCount(), 9);
    EXPECT_EQ(list->FindCommandImage(200), 0);
    EXPECT_EQ(list->FindCommandImage(201), 3);
    EXPECT_EQ(list->FindCommandImage(202), 6);
    EXPECT_EQ(list->FindCommandImage(0), -1);
    const COLORREF green = RGB(0, 160, 0);
    const COLORREF bar = GetMenuBarColour();
    EXPECT_EQ(ImagePixel(list->ImageList(), 3, 8, 7), green);
    EXPECT_EQ(ImagePixel(list->ImageList(), 4, 8, 7), MenuDarken(50, green));
    EXPECT_EQ(ImagePixel(list->ImageList(), 5, 8, 7), MenuGreyedPixel(green, bar));
    // The grey border (the top-left pixel's colour) is transparent in every form.
    for (int n = 3; n <= 5; ++n)
        EXPECT_EQ(ImagePixel(list->ImageList(), n, 0, 0), RGB(1, 2, 3)) << n;
    // The platform's 16-bit layout gives the same.
    CNewMenuIcons* other = MenuFindToolBarIcons(MAKEINTRESOURCEA(101), nullptr, 0xFF000000);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, list);
    EXPECT_EQ(other->FindCommandImage(212), 6);
    EXPECT_EQ(ImagePixel(other->ImageList(), 6, 8, 7), RGB(0, 0, 255));
}

TEST_F(MenuWin32Test, BitmapListsShareImagesBySizeAndKeepBitmapsApartFromCommands)
{
    int a = -1, again = -1, big = -1, yellow = -1;
    CNewMenuBitmaps* first = MenuFindBitmapResourceIcon(300, 0xFF000000, false, &a);
    ASSERT_NE(first, nullptr);
    int images = first->ImageCount();
    CNewMenuBitmaps* second = MenuFindBitmapResourceIcon(300, 0xFF000000, false, &again);
    EXPECT_EQ(second, first);
    EXPECT_EQ(again, a);
    EXPECT_EQ(first->ImageCount(), images);  // nothing added the second time
    CNewMenuBitmaps* large = MenuFindBitmapResourceIcon(301, 0xFF000000, false, &big);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(large, first);  // 32 x 32 goes into a list of its own
    CNewMenuBitmaps* same = MenuFindBitmapResourceIcon(302, 0xFF000000, false, &yellow);
    EXPECT_EQ(same, first);
    EXPECT_EQ(yellow, a + 3);
    EXPECT_EQ(ImagePixel(first->ImageList(), yellow, 8, 7), RGB(230, 230, 0));
    // Bitmap 300 is no answer for command 300, nor is a command's icon for bitmap 300.
    EXPECT_EQ(first->FindCommandImage(300), -1);
    HICON icon = ImageList_GetIcon(first->ImageList(), yellow, ILD_NORMAL);
    int forCommand = first->AddIcon(icon, 300);
    DestroyIcon(icon);
    EXPECT_GT(forCommand, yellow);
    EXPECT_EQ(first->FindBitmapImage(300), a);
    EXPECT_EQ(first->FindCommandImage(300), forCommand);
    EXPECT_EQ(MenuFindBitmapResourceIcon(999, 0xFF000000, false, &again), nullptr);
    EXPECT_EQ(again, -1);
}

TEST_F(MenuWin32Test, ReloadRebuildsTheShadedImages)
{
    int n = -1;
    CNewMenuBitmaps* list = MenuFindBitmapResourceIcon(300, 0xFF000000, false, &n);
    ASSERT_NE(list, nullptr);
    // Spoil the darkened image, then rebuild as on a colour change.
    HICON icon = ImageList_GetIcon(list->ImageList(), n, ILD_NORMAL);
    ImageList_ReplaceIcon(list->ImageList(), n + 1, icon);
    DestroyIcon(icon);
    EXPECT_EQ(ImagePixel(list->ImageList(), n + 1, 8, 7), RGB(0, 200, 0));
    int count = list->ImageCount();
    list->Reload();
    EXPECT_EQ(list->ImageCount(), count);
    EXPECT_EQ(ImagePixel(list->ImageList(), n + 1, 8, 7), MenuDarken(50, RGB(0, 200, 0)));
    EXPECT_EQ(ImagePixel(list->ImageList(), n + 2, 8, 7), MenuGreyedPixel(RGB(0, 200, 0), GetMenuBarColour()));
}

TEST_F(MenuWin32Test, BandedGradientAsOnWindows98)
{
    MenuSystem::OverrideOsClass(MenuOsWin98);
    EXPECT_EQ(MenuSystem::GradientFillEntry(), nullptr);
    const COLORREF start = RGB(200, 0, 0), end = RGB(0, 0, 200);
    MenuTestDib dib(20, 4);
    FillGradient(dib.dc(), RECT{0, 0, 20, 4}, start, end, TRUE, TRUE);
    for (const MenuGradientBand& band : MenuGradientBands(20, start, end))
        for (int x = band.offset; x < band.offset + band.length; ++x)
            EXPECT_EQ(dib.At(x, 2), band.colour) << x;
    // Vertical, and a rectangle of 2 pixels in the start colour; one of 1 pixel has no band
    // and keeps the end colour.
    MenuTestDib v(4, 2);
    FillGradient(v.dc(), RECT{0, 0, 4, 2}, start, end, FALSE, TRUE);
    EXPECT_EQ(v.At(1, 0), start);
    EXPECT_EQ(v.At(1, 1), start);
    MenuTestDib one(1, 6);
    FillGradient(one.dc(), RECT{0, 0, 1, 6}, start, end, TRUE, TRUE);
    EXPECT_EQ(one.At(0, 3), end);
}

TEST_F(MenuWin32Test, PlatformGradientWhereAvailable)
{
    if (!MenuSystem::GradientFillEntry())
        GTEST_SKIP() << "no GradientFill";
    MenuTestDib dib(100, 4);
    FillGradient(dib.dc(), RECT{0, 0, 100, 4}, RGB(0, 0, 0), RGB(200, 200, 200), TRUE, TRUE);
    EXPECT_LE(GetRValue(dib.At(0, 1)), 4);
    EXPECT_GE(GetRValue(dib.At(99, 1)), 195);
    EXPECT_NEAR(GetRValue(dib.At(50, 1)), 100, 6);
}

TEST_F(MenuWin32Test, FreeTimersSkipThoseAlreadyRunning)
{
    HWND w = MakeWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(FindFreeTimer(w, 1000), 31u);
    EXPECT_EQ(FindFreeTimer(w, 1000), 32u);
    // The platform would accept 31 again (replacing that timer); the component does not.
    EXPECT_EQ(FindFreeTimer(w, 1000), 33u);
    EXPECT_TRUE(KillMenuTimer(w, 32));
    EXPECT_EQ(FindFreeTimer(w, 1000), 32u);
    EXPECT_EQ(FindFreeTimer(nullptr, 1000), 0u);
    DestroyWindow(w);
    EXPECT_EQ(FindFreeTimer(w, 1000), 0u);
}

TEST_F(MenuWin32Test, CurrentSystemsAreTheNewestClass)
{
    // Wine reports an NT version after 5.1.
    OSVERSIONINFOA info = {sizeof info};
    GetVersionExA(&info);
    if (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1))
        EXPECT_EQ(MenuSystem::OsClass(), MenuOsXP);
    EXPECT_TRUE(HasNewLook());
}

TEST_F(MenuWin32Test, FlatPopupItemPixels)
{
    CNewMenuIcons* list = MenuFindToolBarIcons(MAKEINTRESOURCEA(100), nullptr, 0xFF000000);
    ASSERT_NE(list, nullptr);
    CNewMenuItemData rec;
    rec.text = "&Open\tCtrl+O";
    rec.commandId = 201;
    rec.menuFlags = MF_OWNERDRAW;
    rec.SetIconList(list);
    rec.iconIndex = 3;
    MenuItemContext menu;
    MenuLook look = MenuSystem::Look();
    MenuFlatColours c = MenuFlatItemColours(look, false, nullptr);

    MenuTestDib dib(140, 22);
    DRAWITEMSTRUCT dis = ItemDrawing(dib, rec);
    MenuPaintFlatItem(dis, menu);
    EXPECT_EQ(dib.At(1, 1), c.iconColumn);          // the icon column, 16 + 8 wide
    EXPECT_EQ(dib.At(23, 1), c.iconColumn);
    EXPECT_EQ(dib.At(24, 1), c.background);
    EXPECT_EQ(dib.At(139, 21), c.background);
    // The icon at column left + 3, centred vertically, in its darkened form.
    EXPECT_EQ(dib.At(3 + 8, 3 + 7), MenuDarken(50, RGB(0, 160, 0)));

    // Selected: filled and framed, the icon lifted by one pixel over its shadow.
    dis.itemState = ODS_SELECTED;
    MenuPaintFlatItem(dis, menu);
    EXPECT_EQ(dib.At(0, 0), c.framePen);
    EXPECT_EQ(dib.At(139, 21), c.framePen);
    EXPECT_EQ(dib.At(100, 1), c.selection);
    EXPECT_EQ(dib.At(3 + 7, 3 + 6), RGB(0, 160, 0));
    EXPECT_EQ(dib.At(3 + 13, 3 + 12), MenuShadow(c.selection));  // shadow, right below

    // Disabled: the grey image.
    dis.itemState = ODS_DISABLED | ODS_GRAYED;
    MenuPaintFlatItem(dis, menu);
    EXPECT_EQ(dib.At(3 + 8, 3 + 7), MenuGreyedPixel(RGB(0, 160, 0), MenuBarColour(look)));
}

TEST_F(MenuWin32Test, ClassicAndGradientDisabledSelectedTextStaysVisible)
{
    // A disabled item under the mouse is selected (the default): its text is drawn in the
    // item's background colour over the selection, as in the classic and gradient looks.
    ASSERT_TRUE(GetSelectDisabled());
    CNewMenuItemData rec;
    rec.text = "&Disabled";
    rec.commandId = 201;
    rec.menuFlags = MF_OWNERDRAW;
    MenuItemContext menu;
    MenuLook look = MenuSystem::Look();
    const struct {
        const char* style;
        MenuItemPainterProc paint;
        COLORREF text;
    } cases[] = {
        {"classic", MenuPaintClassicItem, look.Sys(COLOR_MENU)},
        {"gradient", MenuPaintGradientItem, MenuColour(look)},
    };
    for (const auto& c : cases) {
        MenuTestDib dib(140, 22);
        DRAWITEMSTRUCT dis = ItemDrawing(dib, rec, ODS_SELECTED | ODS_DISABLED | ODS_GRAYED);
        c.paint(dis, menu);
        int text = 0;
        for (int y = 2; y < 20; ++y)
            for (int x = 16 + 12; x < 130; ++x)
                text += dib.At(x, y) == c.text;
        EXPECT_GT(text, 10) << c.style;
        EXPECT_NE(dib.At(100, 11), c.text) << c.style << ": the selection fill";
    }
}

TEST_F(MenuWin32Test, SeparatorAndVerticalTitlePixels)
{
    CNewMenuItemData sep;
    sep.menuFlags = MF_OWNERDRAW | MF_SEPARATOR;
    MenuItemContext menu;
    MenuLook look = MenuSystem::Look();
    MenuTestDib dib(100, 3);
    DRAWITEMSTRUCT dis;
    ZeroMemory(&dis, sizeof dis);
    dis.CtlType = ODT_MENU;
    dis.hDC = dib.dc();
    dis.rcItem = RECT{0, 0, 100, 3};
    dis.itemData = reinterpret_cast<ULONG_PTR>(&sep);
    MenuPaintFlatItem(dis, menu);
    EXPECT_EQ(dib.At(50, 1), look.Sys(COLOR_GRAYTEXT));  // line at the centre from the text
    EXPECT_EQ(dib.At(50, 0), MenuFlatItemColours(look, false, nullptr).background);

    CNewMenuItemData title;
    title.text = "Velmora";
    title.menuFlags = MF_OWNERDRAW | MF_SEPARATOR;
    title.titleFlags = MenuTitleIsTitle | MenuTitleVertical | MenuTitleGradient;
    MenuTestDib band(40, 200);
    HRGN clip = CreateRectRgn(0, 0, 40, 200);
    SelectClipRgn(band.dc(), clip);
    DeleteObject(clip);
    MenuPaintTitle(band.dc(), RECT{0, 0, 20, 200}, title);
    // The gradient runs from blend86(W, M) at the top to the caption colour at the bottom.
    COLORREF top = MenuBlend86(look.Sys(COLOR_WINDOW), MenuColour(look));
    COLORREF bottom = look.Sys(COLOR_ACTIVECAPTION);
    COLORREF t = band.At(1, 0), b = band.At(1, 199);
    EXPECT_NEAR(GetRValue(t), GetRValue(top), 3);
    EXPECT_NEAR(GetBValue(t), GetBValue(top), 3);
    EXPECT_NEAR(GetRValue(b), GetRValue(bottom), 3);
    EXPECT_NEAR(GetBValue(b), GetBValue(bottom), 3);
}

TEST_F(MenuWin32Test, HookThatCannotBeInstalledLeavesPlainMenus)
{
    MenuComponent::Stop();
    MenuComponent::SetHookInstaller(FailingHookInstaller);
    MenuSystem::SetErrorReporter(RecordError);
    EXPECT_NO_THROW(MenuComponent::Start());
    EXPECT_FALSE(MenuComponent::HookInstalled());
    EXPECT_EQ(g_errors.size(), 1u);  // reported, not fatal
    MenuComponent::Stop();
    MenuComponent::SetHookInstaller(nullptr);
    MenuComponent::Start();
    EXPECT_TRUE(MenuComponent::HookInstalled());
}

namespace {

HWND g_seenMenuWindow = nullptr;
bool g_hadState = false;

LRESULT CALLBACK OwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == 7) {
        KillTimer(w, 7);
        g_seenMenuWindow = FindWindowA("#32768", nullptr);
        g_hadState = g_seenMenuWindow && FindMenuWindowState(g_seenMenuWindow);
        EndMenu();
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}

TEST_F(MenuWin32Test, PopupWindowsAreSubclassedWhileShown)
{
    HWND owner = MakeWindow(OwnerProc);
    ASSERT_NE(owner, nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&One");
    AppendMenuA(popup, MF_STRING, 2, "&Two");
    int before = MenuComponent::subclassCount;
    SetForegroundWindow(owner);
    SetTimer(owner, 7, 300, nullptr);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
    EXPECT_NE(g_seenMenuWindow, nullptr);
    EXPECT_TRUE(g_hadState);
    EXPECT_EQ(MenuComponent::subclassCount, before + 1);
    // Gone again once the popup closed.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&m);
    if (g_seenMenuWindow)
        EXPECT_EQ(FindMenuWindowState(g_seenMenuWindow), nullptr);
    DestroyMenu(popup);
    DestroyWindow(owner);
}

TEST_F(MenuWin32Test, DisabledItemsAreNotSelectedUnlessAllowed)
{
    const BOOL old = SetSelectDisabled(FALSE);
    bool selected = true;
    EXPECT_FALSE(MenuTakeKeyboardSelection(false, selected));
    EXPECT_TRUE(selected) << "an enabled item keeps its selection";

    // The mouse has moved since the last disabled item: painted unselected, no frame.
    MenuSystem::lastMessagePos = ~GetMessagePos();
    EXPECT_FALSE(MenuTakeKeyboardSelection(true, selected));
    EXPECT_FALSE(selected);
    // The next one with the mouse where it was came from the keyboard: the frame.
    selected = true;
    EXPECT_TRUE(MenuTakeKeyboardSelection(true, selected));
    EXPECT_FALSE(selected);

    SetSelectDisabled(TRUE);
    selected = true;
    EXPECT_FALSE(MenuTakeKeyboardSelection(true, selected));
    EXPECT_TRUE(selected) << "disabled items are highlighted like others when allowed";
    SetSelectDisabled(old);
}
