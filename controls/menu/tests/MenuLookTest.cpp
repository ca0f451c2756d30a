#include "MenuColour.h"
#include "MenuLook.h"

#include <gtest/gtest.h>

namespace {

MenuLook Classic()
{
    MenuLook look;
    look.sysColours[COLOR_MENU] = RGB(212, 208, 200);
    look.sysColours[COLOR_MENUBAR] = RGB(236, 233, 216);
    look.sysColours[COLOR_WINDOW] = RGB(255, 255, 255);
    look.sysColours[COLOR_HIGHLIGHT] = RGB(10, 36, 106);
    look.sysColours[COLOR_BTNFACE] = RGB(200, 200, 200);
    look.sysColours[COLOR_BTNTEXT] = RGB(1, 1, 1);
    look.sysColours[COLOR_BTNSHADOW] = RGB(128, 128, 128);
    return look;
}

COLORREF Same(COLORREF c) { return c; }

}

TEST(MenuLookTest, MenuAndBarColourPerSystem)
{
    const COLORREF menu = RGB(212, 208, 200), bar = RGB(236, 233, 216);
    struct Case {
        int osClass;
        bool flat, theme;
        COLORREF m, b;
    } cases[] = {
        {7, false, false, menu, menu}, {7, true, false, bar, bar}, {7, false, true, menu, bar},
        {7, true, true, bar, bar},     {6, true, true, menu, menu}, {3, true, true, menu, menu},
    };
    for (const Case& c : cases) {
        MenuLook look = Classic();
        look.osClass = c.osClass;
        look.flatMenus = c.flat;
        look.themeActive = c.theme;
        EXPECT_EQ(MenuColour(look), c.m) << c.osClass << c.flat << c.theme;
        EXPECT_EQ(MenuBarColour(look), c.b) << c.osClass << c.flat << c.theme;
    }
}

TEST(MenuLookTest, SelectionColourByDisplayAndContrast)
{
    MenuLook look = Classic();
    COLORREF expected = MenuDarken(30, MenuBlend70(RGB(255, 255, 255), RGB(10, 36, 106)));
    EXPECT_EQ(MenuSelectionColour(look), expected);
    look.displayColours = 256;
    EXPECT_EQ(MenuSelectionColour(look), RGB(255, 255, 255));
    look.highContrast = true;
    EXPECT_EQ(MenuSelectionColour(look), RGB(10, 36, 106));
}

TEST(MenuLookTest, FlatItemColours)
{
    MenuLook look = Classic();
    look.osClass = 6;
    MenuFlatColours popup = MenuFlatItemColours(look, false, Same);
    EXPECT_EQ(popup.background, MenuBlend86(RGB(255, 255, 255), RGB(212, 208, 200)));
    EXPECT_EQ(popup.iconColumn, MenuBlend86(RGB(212, 208, 200), RGB(255, 255, 255)));
    EXPECT_EQ(popup.selection, MenuSelectionColour(look));
    EXPECT_EQ(popup.framePen, RGB(10, 36, 106));
    MenuFlatColours bar = MenuFlatItemColours(look, true, Same);
    EXPECT_EQ(bar.background, RGB(212, 208, 200));

    // Few colours: the icon column is the button face, the selection the window colour.
    look.displayColours = 16;
    MenuFlatColours few = MenuFlatItemColours(look, false, Same);
    EXPECT_EQ(few.iconColumn, RGB(200, 200, 200));
    EXPECT_EQ(few.selection, RGB(255, 255, 255));

    // When the display cannot tell the background from the column, both become plain.
    look.displayColours = 64000;
    auto coarse = [](COLORREF) { return COLORREF(0); };
    MenuFlatColours merged = MenuFlatItemColours(look, false, coarse);
    EXPECT_EQ(merged.background, RGB(255, 255, 255));
    EXPECT_EQ(merged.iconColumn, RGB(212, 208, 200));

    look.highContrast = true;
    EXPECT_EQ(MenuFlatItemColours(look, false, Same).framePen, RGB(1, 1, 1));
    EXPECT_EQ(MenuFlatFrameLineColour(look), RGB(1, 1, 1));
    look.highContrast = false;
    EXPECT_EQ(MenuFlatFrameLineColour(look), MenuDarken(128, RGB(212, 208, 200)));
}

TEST(MenuLookTest, GradientColoursAndIconVariants)
{
    MenuLook look = Classic();
    look.osClass = 5;
    MenuGradientColours g = MenuGradientItemColours(look, Same);
    EXPECT_EQ(g.dark60, MenuDarken(60, RGB(212, 208, 200)));
    EXPECT_EQ(g.light60, MenuLighten(60, RGB(212, 208, 200)));
    EXPECT_EQ(g.dark100, MenuDarken(100, RGB(212, 208, 200)));
    EXPECT_EQ(g.disabled, MenuDarken(70, g.dark60));
    look.highContrast = true;
    g = MenuGradientItemColours(look, Same);
    EXPECT_EQ(g.dark60, RGB(1, 1, 1));
    EXPECT_EQ(g.light60, RGB(1, 1, 1));
    EXPECT_EQ(g.disabled, RGB(128, 128, 128));

    EXPECT_EQ(MenuDarkenedPixel(RGB(255, 255, 255)), RGB(205, 205, 205));
    // grey 80 -> lighten(100) 80 + 175*100/255 = 149 -> 86 % of it and 14 % of the bar.
    COLORREF greyed = MenuGreyedPixel(RGB(60, 80, 100), RGB(200, 200, 200));
    EXPECT_EQ(greyed, RGB(156, 156, 156));
    EXPECT_EQ(MenuGradientTop(RGB(0, 0, 0)), RGB(30, 30, 30));
    EXPECT_EQ(MenuGradientBottom(RGB(255, 255, 255)), RGB(225, 225, 225));
}
