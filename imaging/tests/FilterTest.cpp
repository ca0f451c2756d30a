// The bilinear resize and the colour quantizer.
#include "PLAnyBmp.h"
#include "PLFilterQuantize.h"
#include "PLFilterResizeBilinear.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {
void put(PLBmp& b, int x, int y, BYTE r, BYTE g, BYTE bl, BYTE a) {
    BYTE* p = b.GetLine(y) + x * 4;
    p[0] = bl;
    p[1] = g;
    p[2] = r;
    p[3] = a;
}
PLPixel32 at(const PLBmp& b, int x, int y) {
    const BYTE* p = b.GetLine(y) + x * 4;
    return PLPixel32(p[2], p[1], p[0], p[3]);
}
}  // namespace

TEST(Resize, SameSizeLeavesPixelsUnchanged) {
    PLWinBmp b;
    b.Create(5, 4, 32, true, false);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            put(b, x, y, BYTE(x * 50), BYTE(y * 60), BYTE(x * y * 10), BYTE(255 - x));
    PLAnyBmp copy;
    copy.CreateCopy(b);
    b.ApplyFilter(PLFilterResizeBilinear(5, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(at(b, x, y), at(copy, x, y));
}

TEST(Resize, HalvingAveragesPairs) {
    PLAnyBmp b;
    b.Create(4, 1, 32, true, false);
    put(b, 0, 0, 10, 0, 255, 0);
    put(b, 1, 0, 21, 100, 0, 255);
    put(b, 2, 0, 200, 7, 8, 9);
    put(b, 3, 0, 100, 8, 8, 10);
    b.ApplyFilter(PLFilterResizeBilinear(2, 1));
    ASSERT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(at(b, 0, 0), PLPixel32(16, 50, 128, 128));  // (10+21+1)/2 rounded, alpha too
    EXPECT_EQ(at(b, 1, 0), PLPixel32(150, 8, 8, 10));
}

TEST(Resize, EnlargingTwoToFourRepeatsEachPixel) {
    PLAnyBmp b;
    b.Create(2, 1, 32, false, false);
    put(b, 0, 0, 0, 0, 0, 255);
    put(b, 1, 0, 200, 100, 50, 255);
    b.ApplyFilter(PLFilterResizeBilinear(4, 1));
    EXPECT_EQ(at(b, 0, 0), at(b, 1, 0));
    EXPECT_EQ(at(b, 2, 0), at(b, 3, 0));
    EXPECT_EQ(at(b, 0, 0), PLPixel32(0, 0, 0, 255));
    EXPECT_EQ(at(b, 3, 0), PLPixel32(200, 100, 50, 255));
}

TEST(Resize, OnePixelToAnySizeIsUniform) {
    PLWinBmp b;
    b.Create(1, 1, 32, false, false);
    put(b, 0, 0, 1, 2, 3, 4);
    b.ApplyFilter(PLFilterResizeBilinear(7, 5));
    ASSERT_EQ(b.GetSize(), PLPoint(7, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(at(b, x, y), PLPixel32(1, 2, 3, 4));
}

TEST(Resize, SizesOfZeroOrLessBecomeOne) {
    for (auto size : {PLPoint(0, 3), PLPoint(-4, 0), PLPoint(3, -1)}) {
        PLWinBmp b;
        b.Create(3, 3, 32, false, false);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                put(b, x, y, 90, 90, 90, 255);
        b.ApplyFilter(PLFilterResizeBilinear(size.x, size.y));
        EXPECT_EQ(b.GetWidth(), size.x < 1 ? 1 : size.x);
        EXPECT_EQ(b.GetHeight(), size.y < 1 ? 1 : size.y);
        EXPECT_EQ(at(b, 0, 0), PLPixel32(90, 90, 90, 255));
    }
}

TEST(Resize, HugeShrinkKeepsTheNearestPixel) {
    // At 1/400 every weight truncates to 0; the picture used to turn black.
    PLAnyBmp b;
    b.Create(400, 2, 32, false, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 400; ++x)
            put(b, x, y, BYTE(x < 200 ? 10 : 240), 120, 60, 255);
    b.ApplyFilter(PLFilterResizeBilinear(1, 1));
    PLPixel32 p = at(b, 0, 0);
    EXPECT_EQ(p.g, 120);
    EXPECT_EQ(p.b, 60);
    EXPECT_EQ(p.r, 240);  // centre 199.5 rounds to input 200
    PLAnyBmp tall;
    tall.Create(2, 1000, 32, false, false);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 2; ++x)
            put(tall, x, y, 33, 44, 55, 255);
    tall.ApplyFilter(PLFilterResizeBilinear(2, 3));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(at(tall, 1, y), PLPixel32(33, 44, 55, 255));
}

TEST(Resize, OtherDepthsAreScaledAsThirtyTwo) {
    PLAnyBmp b;
    b.Create(2, 2, 8, false, false);
    std::memset(b.GetLine(0), 200, 2);
    std::memset(b.GetLine(1), 200, 2);
    b.ApplyFilter(PLFilterResizeBilinear(3, 3));
    ASSERT_EQ(b.GetBitsPerPixel(), 32);
    EXPECT_EQ(at(b, 2, 2), PLPixel32(200, 200, 200, 255));
}

TEST(Quantize, BuiltInPaletteLayout) {
    const PLPixel32* p = PLFilterQuantize::GetDefaultPalette();
    EXPECT_EQ(p[1], PLPixel32(0, 0, 191, 0));  // stored blue, green, red: (191, 0, 0)
    EXPECT_EQ(p[9], PLPixel32(240, 202, 166, 0));
    EXPECT_EQ(p[16], PLPixel32(0, 81, 0, 0));  // first cube colour: red 0, green 81, blue 0
    EXPECT_EQ(p[224], PLPixel32(255, 255, 217, 0));
    EXPECT_EQ(p[225], PLPixel32(196, 196, 196, 0));
    EXPECT_EQ(p[244], PLPixel32(253, 253, 253, 0));
    EXPECT_EQ(p[255], PLPixel32(255, 255, 255, 0));
}

TEST(Quantize, ThirtyTwoToEightWithEveryMethod) {
    PLAnyBmp src;
    src.Create(16, 8, 32, false, false, PLPoint(72, 72));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            put(src, x, y, BYTE(x * 16), BYTE(y * 32), BYTE(x < 8 ? 0 : 255), 255);
    for (int method = 0; method <= 3; ++method)
        for (int dither = 0; dither <= 2; ++dither) {
            PLAnyBmp dst;
            dst.SetQuantizationMode(dither, method);
            dst.CreateCopy(src, 8);
            ASSERT_EQ(dst.GetBitsPerPixel(), 8);
            EXPECT_EQ(dst.GetResolution(), PLPoint(72, 72));
            // Without dithering every pixel gets a near colour.
            if (dither == 0 && method != 2 && method != 3) {
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 16; ++x) {
                        PLPixel32 q = dst.GetPalette()[dst.GetLine(y)[x]];
                        PLPixel32 s = at(src, x, y);
                        EXPECT_LE(std::abs(q.r - s.r) + std::abs(q.g - s.g) + std::abs(q.b - s.b), 24)
                            << method << " " << x << "," << y;
                    }
            }
        }
}

TEST(Quantize, FixedPaletteMapsToNearestEntry) {
    PLWinBmp src;
    src.Create(2, 1, 32, false, false);
    put(src, 0, 0, 255, 255, 255, 255);
    put(src, 1, 0, 190, 1, 2, 255);
    src.CreateCopy(src, 8);  // the default: fixed palette, no dithering, onto itself
    EXPECT_EQ(src.GetLine(0)[0], 255);
    EXPECT_EQ(src.GetLine(0)[1], 4);  // entry 4 is (blue 0, green 0, red 191)
}
