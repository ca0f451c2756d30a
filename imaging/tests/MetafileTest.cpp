// Windows and enhanced metafiles, played by GDI into bitmaps (Windows).
#include "MetafileRecorder.h"
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {
// Draws a white background, a red square in the top left quarter and a blue one in the
// bottom right quarter of a 100 x 100 logical-unit picture.
void drawPicture(HDC dc, int, int) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT all = {0, 0, 100, 100}, a = {0, 0, 50, 50}, b = {50, 50, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &a, red);
    FillRect(dc, &b, blue);
    DeleteObject(red);
    DeleteObject(blue);
}

std::vector<unsigned char> makeEmf() { return RecordEnhancedMetafile(100, 100, drawPicture); }

// A placeable Windows metafile of the picture with the bounding box and units per inch given.
std::vector<unsigned char> makePlaceableWmf(short right, short bottom, WORD inch) {
    return RecordPlaceableMetafile(100, 100, right, bottom, inch, drawPicture);
}

// The pixel with its alpha byte: a metafile is opaque, so 255 wherever it is read.
PLPixel32 at(const PLBmp& b, int x, int y) {
    const BYTE* p = b.GetLine(y) + x * 4;
    return PLPixel32(p[2], p[1], p[0], p[3]);
}

// Pixels whose alpha is not 255 (the picture window would blend them away).
int seeThrough(const PLBmp& b) {
    int n = 0;
    for (int y = 0; y < b.GetHeight(); ++y)
        for (int x = 0; x < b.GetWidth(); ++x)
            n += b.GetLine(y)[x * 4 + 3] != 255;
    return n;
}

int dpiX() {
    HDC screen = GetDC(nullptr);
    int v = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return v;
}

struct Outcome {
    int code = 0;
    std::string text;
};

Outcome decodeFile(const std::string& path, PLBmp& bmp, int depth) {
    PLAnyPicDecoder decoder;
    try {
        decoder.DecodeFile(path.c_str(), &bmp, depth);
    } catch (const PLTextException& e) {
        return {e.GetCode(), e.GetText()};
    }
    return {};
}
}  // namespace

TEST(Metafile, EnhancedMetafilePlayedIntoBitmap) {
    std::string path = ScratchFile("picture.emf");
    WriteFileBytes(path, makeEmf());
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp, 32);
    ASSERT_EQ(o.code, 0) << o.text;
    ASSERT_GE(bmp.GetWidth(), 98);
    ASSERT_LE(bmp.GetWidth(), 102);
    int w = bmp.GetWidth(), h = bmp.GetHeight();
    EXPECT_EQ(at(bmp, w / 4, h / 4), PLPixel32(255, 0, 0, 255));
    EXPECT_EQ(at(bmp, 3 * w / 4, 3 * h / 4), PLPixel32(0, 0, 255, 255));
    EXPECT_EQ(at(bmp, 3 * w / 4, h / 4), PLPixel32(255, 255, 255, 255));
    EXPECT_EQ(seeThrough(bmp), 0);
}

TEST(Metafile, PlaceableMetafileSizedByItsHeader) {
    int dpi = dpiX();
    std::string path = ScratchFile("placeable.wmf");
    WriteFileBytes(path, makePlaceableWmf(200, 100, WORD(dpi)));  // 200 x 100 pixels
    // Into a plain bitmap as well: the lines are read back whatever the target is.
    PLWinBmp win;
    PLAnyBmp any;
    for (PLBmp* bmp : {static_cast<PLBmp*>(&win), static_cast<PLBmp*>(&any)}) {
        Outcome o = decodeFile(path, *bmp, 32);
        ASSERT_EQ(o.code, 0) << o.text;
        EXPECT_EQ(bmp->GetWidth(), 200);
        EXPECT_EQ(bmp->GetHeight(), 100);
        EXPECT_EQ(at(*bmp, 50, 25), PLPixel32(255, 0, 0, 255));
        EXPECT_EQ(at(*bmp, 150, 75), PLPixel32(0, 0, 255, 255));
        EXPECT_EQ(seeThrough(*bmp), 0);
    }
}

TEST(Metafile, ZeroWidthBoxIs320Wide) {
    std::string path = ScratchFile("zerowidth.wmf");
    WriteFileBytes(path, makePlaceableWmf(0, 100, WORD(dpiX())));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp, 32);
    ASSERT_EQ(o.code, 0) << o.text;
    EXPECT_EQ(bmp.GetWidth(), 320);
    EXPECT_EQ(bmp.GetHeight(), 100);
}

TEST(Metafile, ZeroUnitsPerInchIsRefused) {
    std::string path = ScratchFile("noinch.wmf");
    WriteFileBytes(path, makePlaceableWmf(200, 100, 0));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp, 32);
    EXPECT_EQ(o.code, 2);
}

TEST(Metafile, GarbageIsRefusedAndNothingLeaks) {
    std::string path = ScratchFile("garbage.wmf");
    WriteFileBytes(path, std::vector<unsigned char>(50, 0x5A));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp, 32);
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text, "Decoder error: Windows Metafile functions failed to load this image.\n");
    // Decoding again and again leaves no GDI objects behind.
    std::string good = ScratchFile("again.emf");
    WriteFileBytes(good, makeEmf());
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 20; ++i) {
        decodeFile(good, bmp, 32);
        decodeFile(path, bmp, 32);
    }
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);
    EXPECT_EQ(std::remove(good.c_str()), 0);  // closed and unmapped
}
