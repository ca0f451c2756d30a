// Bitmaps: storage layout, fresh palettes and conversion between depths.
#include "PLAnyBmp.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {
void setPixel32(PLBmp& b, int x, int y, BYTE r, BYTE g, BYTE bl, BYTE a) {
    BYTE* p = b.GetLine(y) + x * 4;
    p[0] = bl;
    p[1] = g;
    p[2] = r;
    p[3] = a;
}
PLPixel32 pixel32(const PLBmp& b, int x, int y) {
    const BYTE* p = b.GetLine(y) + x * 4;
    return PLPixel32(p[2], p[1], p[0], p[3]);
}
}  // namespace

TEST(Bitmap, ConstructedEmpty16x16Depth8) {
    PLWinBmp w;
    PLAnyBmp a;
    for (PLBmp* b : {static_cast<PLBmp*>(&w), static_cast<PLBmp*>(&a)}) {
        EXPECT_EQ(b->GetWidth(), 16);
        EXPECT_EQ(b->GetHeight(), 16);
        EXPECT_EQ(b->GetBitsPerPixel(), 8);
    }
}

TEST(Bitmap, FreshPalettesAreGreyRamps) {
    PLAnyBmp b;
    b.Create(4, 4, 8, false, false);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(b.GetPalette()[i], PLPixel32(BYTE(i), BYTE(i), BYTE(i), 255));
    b.Create(4, 4, 1, false, false);
    EXPECT_EQ(b.GetPalette()[0], PLPixel32(0, 0, 0, 255));
    EXPECT_EQ(b.GetPalette()[1], PLPixel32(255, 255, 255, 255));
    b.Create(4, 4, 32, false, false);
    EXPECT_EQ(b.GetPalette(), nullptr);
}

TEST(Bitmap, WinBmpLinesArePaddedAndBottomUp) {
    PLWinBmp b;
    b.Create(5, 3, 24, false, false);
    EXPECT_EQ(b.GetBytesPerLine(), 16);
    EXPECT_EQ(b.GetLine(2), b.GetBits());
    EXPECT_EQ(b.GetLine(0), b.GetBits() + 2 * 16);
    const BITMAPINFOHEADER* h = b.GetBMI();
    EXPECT_EQ(h->biSize, 40u);
    EXPECT_EQ(h->biWidth, 5);
    EXPECT_EQ(h->biHeight, 3);
    EXPECT_EQ(h->biPlanes, 1);
    EXPECT_EQ(h->biBitCount, 24);
    EXPECT_EQ(h->biCompression, DWORD(BI_RGB));
    EXPECT_EQ(b.GetDibSize(), 40 + 3 * 16);
    b.Create(9, 2, 1, false, false);
    EXPECT_EQ(b.GetBytesPerLine(), 4);
    EXPECT_EQ(b.GetDibSize(), 40 + 2 * 4 + 2 * 4);
    PLAnyBmp a;
    a.Create(5, 3, 24, false, false);
    EXPECT_EQ(a.GetBytesPerLine(), 15);
    a.Create(9, 3, 1, false, false);
    EXPECT_EQ(a.GetBytesPerLine(), 2);
}

TEST(Bitmap, OneBitToThirtyTwoThroughPalette) {
    PLAnyBmp one;
    one.Create(10, 1, 1, false, false);
    std::memset(one.GetLine(0), 0, 2);
    one.GetLine(0)[0] = 0xA0;  // pixels 0 and 2 set
    one.GetLine(0)[1] = 0x40;  // pixel 9 set
    PLWinBmp b;
    b.CreateCopy(one, 32);
    ASSERT_EQ(b.GetBitsPerPixel(), 32);
    for (int x = 0; x < 10; ++x) {
        bool set = x == 0 || x == 2 || x == 9;
        EXPECT_EQ(pixel32(b, x, 0), set ? PLPixel32(255, 255, 255, 255) : PLPixel32(0, 0, 0, 255)) << x;
    }
}

TEST(Bitmap, ConversionTable) {
    PLAnyBmp eight;
    eight.Create(3, 2, 8, false, true, PLPoint(72, 96));
    eight.SetPaletteEntry(5, 10, 20, 30, 40);
    eight.SetPaletteEntry(6, 200, 210, 220, 255);
    eight.GetLine(0)[0] = 5;
    eight.GetLine(0)[1] = 6;
    eight.GetLine(0)[2] = 0;
    std::memset(eight.GetLine(1), 6, 3);

    PLAnyBmp b32;
    b32.CreateCopy(eight, 32);
    EXPECT_EQ(pixel32(b32, 0, 0), PLPixel32(10, 20, 30, 40));
    EXPECT_EQ(pixel32(b32, 1, 0), PLPixel32(200, 210, 220, 255));
    EXPECT_EQ(b32.GetResolution(), PLPoint(72, 96));
    EXPECT_FALSE(b32.IsGreyscale());  // the flag is kept only for 8 bits

    PLAnyBmp b24;
    b24.CreateCopy(eight, 24);
    EXPECT_EQ(b24.GetLine(0)[0], 30);
    EXPECT_EQ(b24.GetLine(0)[1], 20);
    EXPECT_EQ(b24.GetLine(0)[2], 10);

    PLAnyBmp back;
    back.CreateCopy(b24, 32);
    EXPECT_EQ(pixel32(back, 0, 0), PLPixel32(10, 20, 30, 255));

    // To one bit: dark pixels (all channels below 128) become 1, black.
    PLAnyBmp one;
    one.CreateCopy(eight, 1);
    EXPECT_EQ(one.GetPalette()[0], PLPixel32(255, 255, 255, 255));
    EXPECT_EQ(one.GetPalette()[1], PLPixel32(0, 0, 0, 255));
    EXPECT_EQ(one.GetLine(0)[0], 0xA0);  // pixels 0 (10,20,30) and 2 (grey 0)
    EXPECT_EQ(one.GetLine(1)[0], 0x00);

    // From one bit to eight: the bit is the index, the first two entries are kept.
    PLAnyBmp eightAgain;
    eightAgain.CreateCopy(one, 8);
    EXPECT_EQ(eightAgain.GetLine(0)[0], 1);
    EXPECT_EQ(eightAgain.GetLine(0)[1], 0);
    EXPECT_EQ(eightAgain.GetPalette()[0], PLPixel32(255, 255, 255, 255));

    // Not supported: 24 bits to 8 or 1.
    PLAnyBmp refused;
    for (int depth : {8, 1}) {
        try {
            refused.CreateCopy(b24, depth);
            ADD_FAILURE() << depth;
        } catch (const PLTextException& e) {
            EXPECT_EQ(e.GetCode(), 6);
        }
    }
}

TEST(Bitmap, AlphaFlagSurvivesOnlyToThirtyTwo) {
    PLAnyBmp a;
    a.Create(2, 2, 32, true, false);
    setPixel32(a, 0, 0, 1, 2, 3, 4);
    PLAnyBmp c;
    c.CreateCopy(a);
    EXPECT_TRUE(c.HasAlpha());
    EXPECT_EQ(pixel32(c, 0, 0), PLPixel32(1, 2, 3, 4));
    c.CreateCopy(a, 24);
    EXPECT_FALSE(c.HasAlpha());
}

TEST(Bitmap, CopyOntoItselfAtAnotherDepth) {
    // Converting a bitmap into itself used to free its pixels before reading them.
    PLWinBmp b;
    b.Create(3, 2, 8, false, false);
    b.SetPaletteEntry(7, 100, 150, 200, 255);
    for (int y = 0; y < 2; ++y)
        std::memset(b.GetLine(y), 7, 3);
    b.CreateCopy(b, 32);
    ASSERT_EQ(b.GetBitsPerPixel(), 32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel32(b, x, y), PLPixel32(100, 150, 200, 255));
    b.CreateCopy(b, 24);
    EXPECT_EQ(b.GetLine(1)[0], 200);
    b.CreateCopy(b);  // same depth onto itself: nothing happens
    EXPECT_EQ(b.GetBitsPerPixel(), 24);
    EXPECT_EQ(b.GetLine(1)[2], 100);
}

TEST(Bitmap, CopyKeepsPixelsPaletteAndResolution) {
    PLAnyBmp a;
    a.Create(7, 3, 8, false, true, PLPoint(300, 150));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            a.GetLine(y)[x] = BYTE(x * 10 + y);
    a.SetPaletteEntry(3, 9, 8, 7, 6);
    PLWinBmp w;
    w.CreateCopy(a);
    EXPECT_EQ(w.GetResolution(), PLPoint(300, 150));
    EXPECT_TRUE(w.IsGreyscale());
    EXPECT_EQ(w.GetPalette()[3], PLPixel32(9, 8, 7, 6));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(std::memcmp(w.GetLine(y), a.GetLine(y), 7), 0);
}

TEST(Bitmap, PackedDibRoundTrip) {
    PLWinBmp a;
    a.Create(3, 2, 8, false, false);
    a.SetPaletteEntry(1, 1, 2, 3, 0);
    a.GetLine(0)[0] = 1;
    a.GetLine(1)[2] = 1;
    std::vector<BYTE> dib(reinterpret_cast<BYTE*>(a.GetBMI()), reinterpret_cast<BYTE*>(a.GetBMI()) + a.GetDibSize());
    PLWinBmp b;
    b.CreateFromPackedDib(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()));
    EXPECT_EQ(b.GetWidth(), 3);
    EXPECT_EQ(b.GetHeight(), 2);
    EXPECT_EQ(b.GetLine(0)[0], 1);
    EXPECT_EQ(b.GetLine(1)[2], 1);
    EXPECT_EQ(b.GetPalette()[1], PLPixel32(1, 2, 3, 0));
}

TEST(Bitmap, LockCountsNesting) {
    PLAnyBmp b;
    b.Lock(true, false);
    b.Lock(true, true);
    EXPECT_EQ(b.GetLockCount(), 2);
    b.Unlock();
    b.Unlock();
    EXPECT_EQ(b.GetLockCount(), 0);
}

TEST(Bitmap, UnaddressableSizeIsRefused) {
    PLAnyBmp b;
    try {
        b.Create(70000, 70000, 32, false, false);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 10);
        EXPECT_STREQ(e.GetText(), "Out of memory creating bitmap.");
    }
}
