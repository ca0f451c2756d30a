#include "MenuFrameGeometry.h"
#include "MenuMeasure.h"
#include "MenuStyleInfo.h"
#include "ToolBarResource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

SIZE Size(int cx, int cy) { SIZE s; s.cx = cx; s.cy = cy; return s; }

}

TEST(MenuMeasureTest, ItemSizesPerMeasurer)
{
    struct Case {
        MenuMeasurer m;
        bool bar;
        int textW, textH;
        bool tab;
        int cyMenu;
        int w, h;
    } cases[] = {
        // 16 x 15 icons, SM_CXMENUCHECK 13.
        {MenuMeasureFlat, false, 50, 13, false, 19, 50 + 32 + 2, 22},   // iconHeight + 7
        {MenuMeasureFlat, false, 50, 13, false, 24, 84, 24},            // SM_CYMENU wins
        {MenuMeasureFlat, false, 50, 26, false, 19, 84, 26},            // a taller font wins
        {MenuMeasureFlat, false, 50, 13, true, 19, 84 + 15, 22},        // tab: 15 more
        {MenuMeasureFlat, true, 50, 13, false, 19, 44, 22},
        {MenuMeasureStandard, false, 50, 13, false, 18, 84, 19},        // iconHeight + 4
        {MenuMeasureStandard, false, 50, 13, false, 20, 84, 20},
        {MenuMeasureStandard, true, 50, 13, false, 18, 50 - 6, 19},     // text - 13 / 2
        {MenuMeasureTall, false, 50, 13, false, 19, 84, 21},            // iconHeight + 6
        {MenuMeasureTall, true, 50, 13, true, 19, 44 + 15, 21},
    };
    MenuMetrics metrics{13, 0};
    for (const Case& c : cases) {
        metrics.cyMenu = c.cyMenu;
        SIZE s = MenuMeasureItem(c.m, c.bar, Size(c.textW, c.textH), c.tab, 16, 15, metrics);
        EXPECT_EQ(s.cx, c.w) << c.m << " bar " << c.bar << " cyMenu " << c.cyMenu;
        EXPECT_EQ(s.cy, c.h) << c.m << " bar " << c.bar << " cyMenu " << c.cyMenu;
    }
}

TEST(MenuMeasureTest, TitlesAndWindowControls)
{
    SIZE h = MenuMeasureTitle(Size(80, 18), MenuTitleIsTitle, 13);
    EXPECT_EQ(h.cx, 80);
    EXPECT_EQ(h.cy, 18);
    h = MenuMeasureTitle(Size(80, 18), MenuTitleIsTitle | MenuTitleUnderlineBar, 13);
    EXPECT_EQ(h.cy, 26);
    SIZE v = MenuMeasureTitle(Size(80, 18), MenuTitleIsTitle | MenuTitleVertical, 13);
    EXPECT_EQ(v.cx, 5);
    EXPECT_EQ(v.cy, 1);
    v = MenuMeasureTitle(Size(80, 18), MenuTitleVertical | MenuTitleUnderlineBar, 13);
    EXPECT_EQ(v.cx, 13);

    EXPECT_TRUE(MenuIsWindowControlCommand(0xF060));   // close
    EXPECT_TRUE(MenuIsWindowControlCommand(0xF02F));   // minimise, low bits masked
    EXPECT_TRUE(MenuIsWindowControlCommand(0xF150));
    EXPECT_FALSE(MenuIsWindowControlCommand(0xF160));
    EXPECT_FALSE(MenuIsWindowControlCommand(0xEFFF));
    EXPECT_FALSE(MenuIsWindowControlCommand(100));
}

TEST(MenuStyleInfoTest, EightStylesInRegistrationOrder)
{
    std::vector<int> order(MenuStyleRegistrationOrder, MenuStyleRegistrationOrder + MenuStyleCount);
    EXPECT_EQ(order, (std::vector<int>{6, 7, 0, 1, 2, 3, 4, 5}));
    MenuStyleInfo info;
    ASSERT_TRUE(MenuGetStyleInfo(MenuDefaultStyle, &info));
    EXPECT_EQ(info.measurer, MenuMeasureFlat);
    EXPECT_EQ(info.painter, MenuPaintFlat);
    EXPECT_TRUE(info.ownBorder);
    for (int id = 0; id < MenuStyleCount; ++id) {
        ASSERT_TRUE(MenuGetStyleInfo(id, &info));
        EXPECT_EQ(info.id, id);
        // Odd ids are the same style with the platform's border.
        EXPECT_EQ(info.ownBorder, id % 2 == 0) << id;
    }
    ASSERT_TRUE(MenuGetStyleInfo(6, &info));
    EXPECT_EQ(info.measurer, MenuMeasureTall);
    EXPECT_FALSE(MenuGetStyleInfo(8, nullptr));
    EXPECT_FALSE(MenuGetStyleInfo(-1, nullptr));
}

TEST(MenuFrameGeometryTest, FrameWithAndWithoutPlatformShadows)
{
    for (bool platform : {false, true}) {
        MenuFrameGeometry g(platform);
        RECT r = {0, 0, 100, 80};
        g.AdjustClientRect(&r);
        EXPECT_EQ(r.left, 2);
        EXPECT_EQ(r.top, 2);
        EXPECT_EQ(r.right, platform ? 98 : 95);
        EXPECT_EQ(r.bottom, platform ? 78 : 74);
        int cx = 100, cy = 80, y = 10;
        g.AdjustWindowPos(&cx, &cy, &y);
        EXPECT_EQ(cx, platform ? 98 : 102);
        EXPECT_EQ(cy, platform ? 78 : 82);
        EXPECT_EQ(y, 9);
        RECT f = g.FrameRect(RECT{10, 20, 110, 100});
        EXPECT_EQ(f.left, 12);
        EXPECT_EQ(f.top, 22);
        EXPECT_EQ(f.right, platform ? 107 : 103);
        EXPECT_EQ(f.bottom, platform ? 97 : 93);
        EXPECT_EQ(g.RingWidth(), platform ? 2 : 6);
    }
}

TEST(MenuFrameGeometryTest, ShadowDarkness)
{
    const int h = 40, w = 60;
    // Column pass: top rows copied, a ramp, the body, a ramp out at the bottom.
    EXPECT_EQ(MenuShadowColumnAmount(1, 0, h), 0);
    EXPECT_EQ(MenuShadowColumnAmount(4, 3, h), 0);
    EXPECT_EQ(MenuShadowColumnAmount(2, 4, h), 12);
    EXPECT_EQ(MenuShadowColumnAmount(4, 7, h), 96);
    EXPECT_EQ(MenuShadowColumnAmount(3, 8, h), 90);
    EXPECT_EQ(MenuShadowColumnAmount(3, h - 5, h), 90);
    EXPECT_EQ(MenuShadowColumnAmount(3, h - 4, h), 72);
    EXPECT_EQ(MenuShadowColumnAmount(3, h - 1, h), 18);
    EXPECT_EQ(MenuShadowColumnAmount(0, 10, h), -1);
    EXPECT_EQ(MenuShadowColumnAmount(1, h, h), -1);
    // Row pass.
    EXPECT_EQ(MenuShadowRowAmount(2, 3, w), 0);
    EXPECT_EQ(MenuShadowRowAmount(2, 4, w), 12);
    EXPECT_EQ(MenuShadowRowAmount(1, 7, w), 24);
    EXPECT_EQ(MenuShadowRowAmount(4, 8, w), 120);
    EXPECT_EQ(MenuShadowRowAmount(4, w - 5, w), 120);
    EXPECT_EQ(MenuShadowRowAmount(4, w - 4, w), -1);
    // The open bar item's inner shadow.
    EXPECT_EQ(MenuBarItemShadowAmount(1, 3), 0);
    EXPECT_EQ(MenuBarItemShadowAmount(2, 5), 24);
    EXPECT_EQ(MenuBarItemShadowAmount(4, 30), 120);
}

TEST(ToolBarResourceTest, SeparatorsTakeNoImage)
{
    // version 1, 16 x 15, 5 entries: 100, separator, 101, separator, 102
    const uint16_t data[] = {1, 16, 15, 5, 100, 0, 101, 0, 102};
    ToolBarResource tb;
    ASSERT_TRUE(tb.Parse(data, sizeof data));
    EXPECT_EQ(tb.Width(), 16);
    EXPECT_EQ(tb.Height(), 15);
    EXPECT_EQ(tb.Commands(), (std::vector<UINT>{100, 101, 102}));
    EXPECT_EQ(tb.ImageOf(100), 0);
    EXPECT_EQ(tb.ImageOf(101), 1);
    EXPECT_EQ(tb.ImageOf(102), 2);
    EXPECT_EQ(tb.ImageOf(0), -1);
    EXPECT_EQ(tb.ImageOf(103), -1);
}

TEST(ToolBarResourceTest, ReadsTheLayoutGnuWindresWrites)
{
    // What "100 TOOLBAR 16, 15 { BUTTON 200 SEPARATOR BUTTON 201 }" compiles to.
    const uint32_t data[] = {16, 15, 3, 200, 0, 201};
    ToolBarResource tb;
    ASSERT_TRUE(tb.Parse(data, sizeof data));
    EXPECT_EQ(tb.Width(), 16);
    EXPECT_EQ(tb.Height(), 15);
    EXPECT_EQ(tb.Commands(), (std::vector<UINT>{200, 201}));
    EXPECT_EQ(tb.ImageOf(201), 1);
    const uint32_t wrongCount[] = {16, 15, 9, 200};
    EXPECT_FALSE(tb.Parse(wrongCount, sizeof wrongCount));
}

TEST(ToolBarResourceTest, ShortOrForeignDataIsRefused)
{
    const uint16_t truncated[] = {1, 16, 15, 5, 100, 0};
    const uint16_t version2[] = {2, 16, 15, 1, 100};
    ToolBarResource tb;
    EXPECT_FALSE(tb.Parse(truncated, sizeof truncated));
    EXPECT_TRUE(tb.Commands().empty());
    EXPECT_FALSE(tb.Parse(version2, sizeof version2));
    EXPECT_FALSE(tb.Parse(nullptr, 0));
    EXPECT_FALSE(tb.Parse(truncated, 4));
}

TEST(ToolBarResourceTest, BitmapColourCounts)
{
    EXPECT_EQ(MenuBitmapColourCount(1, 0), 2);
    EXPECT_EQ(MenuBitmapColourCount(4, 0), 16);
    EXPECT_EQ(MenuBitmapColourCount(8, 0), 256);
    EXPECT_EQ(MenuBitmapColourCount(8, 20), 20);
    EXPECT_EQ(MenuBitmapColourCount(24, 0), 0);
    unsigned char header[40] = {40};
    header[14] = 4;
    EXPECT_EQ(MenuBitmapColourCount(header, sizeof header), 16);
    header[32] = 7;
    EXPECT_EQ(MenuBitmapColourCount(header, sizeof header), 7);
    EXPECT_EQ(MenuBitmapColourCount(header, 20), 0);
}
