// Drawing bitmaps into device contexts, bitmap resources and global memory copies (Windows).
#include "PLAnyPicDecoder.h"
#include "PLFilterResizeBilinear.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {
// A 32-bit DIB section selected into a memory device context, read back directly.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : m_Width(width), m_Height(height) {
        m_Dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        m_Bitmap = CreateDIBSection(m_Dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_Bits), nullptr, 0);
        m_Old = SelectObject(m_Dc, m_Bitmap);
        RECT r = {0, 0, width, height};
        FillRect(m_Dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        GdiFlush();
    }
    ~MemoryCanvas() {
        SelectObject(m_Dc, m_Old);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
    }
    HDC dc() const { return m_Dc; }
    // Red, green, blue of a pixel.
    PLPixel32 at(int x, int y) const {
        GdiFlush();
        const BYTE* p = m_Bits + (size_t(y) * m_Width + x) * 4;
        return PLPixel32(p[2], p[1], p[0], 255);
    }

private:
    int m_Width, m_Height;
    HDC m_Dc;
    HBITMAP m_Bitmap;
    HGDIOBJ m_Old;
    BYTE* m_Bits = nullptr;
};

PLPixel32 refPixel(const ReferencePicture& ref, int x, int y) {
    const unsigned char* p = ref.Pixel(x, y);
    return PLPixel32(p[0], p[1], p[2], 255);
}
}  // namespace

TEST(Draw, DecodedPictureDrawnAndReadBack) {
    // The viewers' road: decode to 32 bits, draw with SRCCOPY.
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("png-rgb.png").c_str(), &bmp, 32);
    ReferencePicture ref;
    ASSERT_TRUE(LoadReference(Fixture("png-rgb.png.pam"), ref));
    MemoryCanvas canvas(40, 30);
    bmp.Draw(canvas.dc(), 3, 2, SRCCOPY);
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x)
            ASSERT_EQ(canvas.at(x + 3, y + 2), refPixel(ref, x, y)) << x << "," << y;
    EXPECT_EQ(canvas.at(2, 2), PLPixel32(0, 0, 0, 255));
    EXPECT_EQ(canvas.at(3 + ref.width, 2), PLPixel32(0, 0, 0, 255));
}

TEST(Draw, EightBitPictureThroughItsPalette) {
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("bmp-8.bmp").c_str(), &bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    ReferencePicture ref;
    ASSERT_TRUE(LoadReference(Fixture("bmp-8.bmp.pam"), ref));
    MemoryCanvas canvas(20, 10);
    bmp.Draw(canvas.dc(), 0, 0);
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x)
            ASSERT_EQ(canvas.at(x, y), refPixel(ref, x, y)) << x << "," << y;
}

TEST(Draw, StretchAndExtract) {
    PLWinBmp bmp;
    bmp.Create(2, 2, 32, false, false);
    const BYTE colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int i = 0; i < 4; ++i) {
        BYTE* p = bmp.GetLine(i / 2) + (i % 2) * 4;
        p[0] = colours[i][2];
        p[1] = colours[i][1];
        p[2] = colours[i][0];
        p[3] = 255;
    }
    MemoryCanvas canvas(16, 16);
    bmp.StretchDraw(canvas.dc(), 0, 0, 8, 8);
    EXPECT_EQ(canvas.at(1, 1), PLPixel32(255, 0, 0, 255));
    EXPECT_EQ(canvas.at(6, 1), PLPixel32(0, 255, 0, 255));
    EXPECT_EQ(canvas.at(1, 6), PLPixel32(0, 0, 255, 255));
    EXPECT_EQ(canvas.at(6, 6), PLPixel32(255, 255, 255, 255));
    bmp.StretchDrawFactor(canvas.dc(), 8, 8, 1.5);  // 3 x 3 pixels
    EXPECT_EQ(canvas.at(8, 8), PLPixel32(255, 0, 0, 255));
    EXPECT_EQ(canvas.at(10, 10), PLPixel32(255, 255, 255, 255));
    EXPECT_EQ(canvas.at(11, 11), PLPixel32(0, 0, 0, 255));

    // The whole rectangle: the picture upright; the right column alone.
    MemoryCanvas extract(8, 8);
    bmp.DrawExtract(extract.dc(), 0, 0, 0, 0, 2, 2);
    EXPECT_EQ(extract.at(0, 0), PLPixel32(255, 0, 0, 255));
    EXPECT_EQ(extract.at(1, 1), PLPixel32(255, 255, 255, 255));
    bmp.DrawExtract(extract.dc(), 4, 4, 1, 0, 2, 2);
    EXPECT_EQ(extract.at(4, 4), PLPixel32(0, 255, 0, 255));
    EXPECT_EQ(extract.at(4, 5), PLPixel32(255, 255, 255, 255));
    EXPECT_EQ(extract.at(5, 4), PLPixel32(0, 0, 0, 255));
}

TEST(Draw, ScaledPictureDrawn) {
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("jpeg-colour.jpg").c_str(), &bmp, 32);
    bmp.ApplyFilter(PLFilterResizeBilinear(12, 8));
    MemoryCanvas canvas(12, 8);
    bmp.Draw(canvas.dc(), 0, 0);
    const BYTE* p = bmp.GetLine(7) + 11 * 4;
    EXPECT_EQ(canvas.at(11, 7), PLPixel32(p[2], p[1], p[0], 255));
}

TEST(Resources, BitmapResourceAndPictureResource) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    PLWinBmp bmp;
    bmp.CreateFromResource(self, 1);
    ReferencePicture ref;
    ASSERT_TRUE(LoadReference(Fixture("bmp-24.bmp.pam"), ref));
    ASSERT_EQ(bmp.GetBitsPerPixel(), 24);
    ASSERT_EQ(bmp.GetWidth(), ref.width);
    const BYTE* p = bmp.GetLine(0);
    EXPECT_EQ(PLPixel32(p[2], p[1], p[0], 255), refPixel(ref, 0, 0));

    PLAnyPicDecoder decoder;
    PLWinBmp png;
    decoder.DecodeResource(self, 2, &png, 32);
    ASSERT_TRUE(LoadReference(Fixture("png-rgb.png.pam"), ref));
    EXPECT_EQ(CompareWithReference(png, ref, 0), "");
    try {
        decoder.DecodeResource(self, 99, &png, 32);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 4);
        EXPECT_STREQ(e.GetText(), "Decoder error: Opening resource 99 failed\n");
    }
}

TEST(Resources, CopyToGlobalHoldsThePackedDib) {
    PLWinBmp bmp;
    bmp.Create(3, 2, 8, false, false);
    bmp.GetLine(0)[1] = 77;
    HANDLE h = bmp.CopyToGlobal();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), SIZE_T(bmp.GetDibSize()));
    const BYTE* block = static_cast<const BYTE*>(GlobalLock(h));
    EXPECT_EQ(std::memcmp(block, bmp.GetBMI(), size_t(bmp.GetDibSize())), 0);
    PLWinBmp back;
    back.CreateFromPackedDib(reinterpret_cast<const BITMAPINFOHEADER*>(block));
    EXPECT_EQ(back.GetLine(0)[1], 77);
    GlobalUnlock(h);
    GlobalFree(h);
}
