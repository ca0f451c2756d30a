#include "MenuColour.h"
#include "MenuGradient.h"
#include "MenuOsClass.h"

#include <gtest/gtest.h>

namespace {

const COLORREF White = RGB(255, 255, 255);
const COLORREF Black = RGB(0, 0, 0);

}

TEST(MenuColourTest, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MenuMulDiv(5, 1, 2), 3);
    EXPECT_EQ(MenuMulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MenuMulDiv(5, -1, 2), -3);
    EXPECT_EQ(MenuMulDiv(5, 1, -2), -3);
    EXPECT_EQ(MenuMulDiv(7, 3, 10), 2);
    EXPECT_EQ(MenuMulDiv(255, 205, 255), 205);
    EXPECT_EQ(MenuMulDiv(1, 1, 0), -1);
    EXPECT_EQ(MenuMulDiv(0x7FFFFFFF, 4, 1), -1);
#ifdef _WIN32
    for (int a = -300; a <= 300; a += 7)
        for (int b = -260; b <= 260; b += 13)
            for (int c : {1, 2, 3, 10, 100, 255, -7})
                ASSERT_EQ(MenuMulDiv(a, b, c), MulDiv(a, b, c)) << a << "*" << b << "/" << c;
#endif
}

TEST(MenuColourTest, RulesPerChannel)
{
    struct Case {
        const char* what;
        COLORREF got, want;
    } cases[] = {
        {"blend86 white black", MenuBlend86(White, Black), RGB(219, 219, 219)},
        {"blend86 black white", MenuBlend86(Black, White), RGB(36, 36, 36)},
        {"blend70 white black", MenuBlend70(White, Black), RGB(179, 179, 179)},
        {"darken 50 white", MenuDarken(50, White), RGB(205, 205, 205)},
        {"darken 0", MenuDarken(0, RGB(1, 128, 200)), RGB(1, 128, 200)},
        {"darken 255", MenuDarken(255, RGB(1, 128, 200)), Black},
        {"darken 30 mixed", MenuDarken(30, RGB(10, 100, 250)), RGB(9, 88, 221)},
        {"lighten 100 black", MenuLighten(100, Black), RGB(100, 100, 100)},
        {"lighten 255 any", MenuLighten(255, RGB(3, 77, 250)), White},
        {"lighten 60 mixed", MenuLighten(60, RGB(0, 128, 255)), RGB(60, 158, 255)},
        {"shadow white", MenuShadow(White), RGB(179, 179, 217)},
        {"shadow black", MenuShadow(Black), RGB(0, 0, 39)},
        {"grey truncates", MenuGrey(RGB(1, 1, 2)), RGB(1, 1, 1)},
        {"grey mean", MenuGrey(RGB(30, 60, 90)), RGB(60, 60, 60)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(MenuColourTest, ResultsHaveNoTopByte)
{
    COLORREF flagged = 0xFF000000 | RGB(10, 20, 30);
    EXPECT_EQ(MenuDarken(10, flagged) >> 24, 0u);
    EXPECT_EQ(MenuLighten(10, flagged) >> 24, 0u);
    EXPECT_EQ(MenuBlend86(flagged, flagged) >> 24, 0u);
    EXPECT_EQ(MenuGrey(flagged) >> 24, 0u);
}

TEST(MenuGradientTest, BandsRunFromStartTowardsEnd)
{
    auto bands = MenuGradientBands(10, RGB(0, 0, 0), RGB(200, 100, 16));
    // n = 8: offsets 0, 2, 4, 6, 8 with (end - start) * i / 8.
    ASSERT_EQ(bands.size(), 5u);
    int offsets[] = {0, 2, 4, 6, 8};
    COLORREF colours[] = {RGB(0, 0, 0), RGB(50, 25, 4), RGB(100, 50, 8), RGB(150, 75, 12),
                          RGB(200, 100, 16)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bands[i].offset, offsets[i]);
        EXPECT_EQ(bands[i].length, 2);
        EXPECT_EQ(bands[i].colour, colours[i]) << i;
    }
    // Falling channels round like the platform does.
    auto down = MenuGradientBands(5, RGB(255, 0, 0), RGB(0, 0, 0));
    ASSERT_EQ(down.size(), 2u);  // n = 3: offsets 0 and 2; the last pixel keeps the end fill
    EXPECT_EQ(down[0].colour, RGB(255, 0, 0));
    EXPECT_EQ(down[1].colour, RGB(85, 0, 0));
}

TEST(MenuGradientTest, TinyRectanglesWithoutDividingByZero)
{
    // Two pixels: one band of the start colour.
    auto two = MenuGradientBands(2, RGB(1, 2, 3), RGB(200, 200, 200));
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].offset, 0);
    EXPECT_EQ(two[0].length, 2);
    EXPECT_EQ(two[0].colour, RGB(1, 2, 3));
    // One pixel: no band, the end fill alone.
    EXPECT_TRUE(MenuGradientBands(1, RGB(1, 2, 3), RGB(200, 200, 200)).empty());
    EXPECT_TRUE(MenuGradientBands(0, Black, White).empty());
    EXPECT_TRUE(MenuGradientBands(-4, Black, White).empty());
    // Three pixels: n = 1, one band of the start colour, the last pixel left to the end fill.
    auto three = MenuGradientBands(3, Black, White);
    ASSERT_EQ(three.size(), 1u);
    EXPECT_EQ(three[0].colour, Black);
}

TEST(MenuOsClassTest, SystemsMapToTheirClass)
{
    struct Case {
        bool nt;
        unsigned major, minor;
        int cls;
    } cases[] = {
        {false, 3, 95, MenuOsOld9x},   {false, 4, 0, MenuOsWin95},  {false, 4, 3, MenuOsWin95},
        {false, 4, 10, MenuOsWin98},   {false, 4, 90, MenuOsWinMe}, {true, 3, 51, MenuOsOtherNT},
        {true, 4, 0, MenuOsNT4},       {true, 4, 1, MenuOsOtherNT}, {true, 5, 0, MenuOsWin2000},
        {true, 5, 1, MenuOsXP},
        // Everything after XP is the newest class, not lumped with NT 3.x.
        {true, 5, 2, MenuOsXP},        {true, 6, 0, MenuOsXP},      {true, 6, 1, MenuOsXP},
        {true, 10, 0, MenuOsXP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuOsClass(c.nt, c.major, c.minor), c.cls)
            << (c.nt ? "NT " : "9x ") << c.major << "." << c.minor;
}
