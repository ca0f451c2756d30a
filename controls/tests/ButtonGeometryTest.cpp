#include "CHoverButtonLayout.h"
#include "CMenuButtonBlend.h"
#include "CMenuButtonLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CHoverButtonLayoutTest, PlacesIconAndTextArea)
{
    const CControlRect item{0, 0, 100, 40};
    struct Case {
        int iconW, iconH, alignment;
        bool text, pressed;
        int iconX, iconY;
        CControlRect area;
    } cases[] = {
        {32, 32, 0, false, false, 34, 4, {0, 0, 100, 40}},  // no text: centred
        {32, 32, 0, true, false, 3, 4, {35, 0, 100, 40}},   // 3 from the left, text behind it
        {32, 32, 0, true, true, 4, 5, {36, 1, 101, 41}},    // pressed: 1 right and down
        {16, 16, 1, false, false, 42, 12, {0, 0, 100, 40}}, // above, no text: centred
        {16, 16, 1, true, false, 42, 0, {0, 16, 100, 40}},  // above the text
        {0, 0, 0, true, false, 0, 0, {0, 0, 100, 40}},      // no icon
    };
    for (const Case& c : cases) {
        int x = -1, y = -1;
        CControlRect area;
        CHoverButtonLayout::Place(item, c.iconW, c.iconH, c.alignment, c.text, c.pressed, x, y, area);
        EXPECT_EQ(x, c.iconX);
        EXPECT_EQ(y, c.iconY);
        EXPECT_EQ(area.left, c.area.left);
        EXPECT_EQ(area.top, c.area.top);
        EXPECT_EQ(area.right, c.area.right);
        EXPECT_EQ(area.bottom, c.area.bottom);
    }
    const CControlRect text = CHoverButtonLayout::Centre({35, 0, 100, 40}, 25, 13);
    EXPECT_EQ(text.left, 55);
    EXPECT_EQ(text.top, 13);
    EXPECT_EQ(text.right, 80);
}

TEST(CMenuButtonLayoutTest, PlacesImageCaptionAndDropDownSquare)
{
    CMenuButtonLayout l;
    l.Compute(100, 42, 40, 13, true, CMenuButtonLayout::ImageLeft, 32);
    EXPECT_EQ(l.imageX, 4);  // (40 - 32) / 2: a square margin
    EXPECT_EQ(l.imageY, 4);
    EXPECT_EQ(l.captionX, 32 + 8);
    EXPECT_EQ(l.captionY, 1 + (40 - 13) / 2);
    EXPECT_TRUE(l.showCaption);
    EXPECT_EQ(l.dropDown.left, 89);
    EXPECT_EQ(l.dropDown.top, 31);
    EXPECT_EQ(l.dropDown.right, 100);
    EXPECT_EQ(l.dropDown.bottom, 42);

    l.Compute(100, 42, 40, 13, true, CMenuButtonLayout::ImageRight, 32);
    EXPECT_EQ(l.captionX, (98 - 40 - 8 - 32) / 2);
    EXPECT_EQ(l.imageX, 98 - 4 - 32);

    l.Compute(100, 42, 40, 13, true, 2, 32);
    EXPECT_FALSE(l.showCaption);
    EXPECT_EQ(l.imageX, 1 + (98 - 32) / 2);

    l.Compute(100, 25, 40, 13, false, 0, 32);
    EXPECT_EQ(l.captionX, 1 + (98 - 40) / 2);
    EXPECT_EQ(l.captionY, 1 + (23 - 13) / 2);
    // A button lower than its image gets a negative margin: the image overhangs the face.
    l.Compute(100, 25, 40, 13, true, 0, 32);
    EXPECT_EQ(l.imageY, (23 - 32) / 2);
}

TEST(CMenuButtonBlendTest, BlendsThroughTheRedChannelOfTheMask)
{
    struct Case {
        DWORD face, image, mask, result;
    } cases[] = {
        {0x102030, 0xF0E0D0, 0x000000, 0x102030},  // mask 0: the face
        {0x102030, 0xF0E0D0, 0xFF0000, 0xF0E0D0},  // mask 255: the image
        {0x102030, 0xF0E0D0, 0x00FFFF, 0x102030},  // only red weighs
        {0x000000, 0xFF80FF, 0x800000, 0x804080},  // 255 * 128 / 255 = 128, 128 * 128 / 255 = 64
        {0xFFFFFF, 0x000000, 0x800000, 0x7F7F7F},  // darker image: 255 - 255 * 128 / 255
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMenuButtonBlend::BlendPixel(c.face, c.image, c.mask), c.result) << std::hex << c.result;
}

TEST(CMenuButtonBlendTest, ImagesAreClippedToAFaceSmallerThanThem)
{
    // A 32 x 32 image on a 20 x 10 face, placed at (-4, -4) as a low button places it.
    const int w = 20, h = 10;
    std::vector<DWORD> face(w * h + 8, 0x111111);  // 8 guard pixels behind the face
    std::vector<DWORD> image(32 * 32, 0xABCDEF);
    std::vector<DWORD> mask(32 * 32, 0xFF0000);
    CMenuButtonBlend::Blend(face.data(), w, h, -4, -4, image.data(), mask.data(), 32, 32);
    for (int i = 0; i < w * h; ++i)
        EXPECT_EQ(face[i], 0xABCDEFu) << i;
    for (int i = w * h; i < w * h + 8; ++i)
        EXPECT_EQ(face[i], 0x111111u);
    // Right of and below the face nothing is written either.
    std::vector<DWORD> face2(w * h + 8, 0x111111);
    CMenuButtonBlend::Blend(face2.data(), w, h, 10, 5, image.data(), mask.data(), 32, 32);
    EXPECT_EQ(face2[5 * w + 9], 0x111111u);
    EXPECT_EQ(face2[5 * w + 10], 0xABCDEFu);
    EXPECT_EQ(face2[9 * w + 19], 0xABCDEFu);
    for (int i = w * h; i < w * h + 8; ++i)
        EXPECT_EQ(face2[i], 0x111111u);
}
