// Bad input never makes a decoder read or write outside its buffers: each check raises
// its code, and damaged copies of every fixture end in an exception or a picture, never
// in a crash (the native build runs under AddressSanitizer).
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLPCXDecoder.h"
#include "PLPictDecoder.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "PictureBuilder.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>
#include <dirent.h>
#include <string>

namespace {
struct Outcome {
    int code = 0;
    std::string text;
};

Outcome decode(const std::vector<uint8_t>& data, PLBmp& bmp, int depth = 32) {
    PLAnyPicDecoder decoder;
    try {
        decoder.DecodeMemory(data.data(), int(data.size()), &bmp, depth);
    } catch (const PLTextException& e) {
        return {e.GetCode(), e.GetText()};
    }
    return {};
}

Outcome decode(const std::vector<uint8_t>& data) {
    PLWinBmp bmp;
    return decode(data, bmp);
}

PLPixel32 pixel(const PLBmp& b, int x, int y) {
    const BYTE* p = b.GetLine(y) + x * 4;
    return PLPixel32(p[2], p[1], p[0], p[3]);
}

std::vector<std::string> fixtureNames() {
    std::vector<std::string> names;
    std::string dir = Fixture("");
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n[0] == '.' || n.size() < 5)
                continue;
            std::string ext = n.substr(n.size() - 4);
            if (ext == ".pam" || ext == ".pnm" || ext == "s.sh")
                continue;
            names.push_back(n);
        }
        closedir(d);
    }
    return names;
}
}  // namespace

TEST(Malformed, BmpPaletteOnlyForEightBitsOrFewerAndAtMost256) {
    // 8 bits claiming 1000 colours: refused.
    PictureBuilder b = PictureBuilder::Bmp(2, 1, 8, 0, 1000, 0);
    b.fill(4000, 0x11);
    Outcome o = decode(b.bytes());
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.text, "Decoder error: Decoding bmp: Illegal palette size.\n");

    // 24 bits with a colour count: no palette is read, the pixels come from the offset.
    PictureBuilder t = PictureBuilder::Bmp(2, 1, 24, 0, 300, 54 + 1200);
    t.fill(1200, 0x77);
    t.u8(10).u8(20).u8(30).u8(40).u8(50).u8(60).u8(0).u8(0);
    PLWinBmp bmp;
    ASSERT_EQ(decode(t.bytes(), bmp).code, 0);
    EXPECT_EQ(pixel(bmp, 0, 0), PLPixel32(30, 20, 10, 255));
    EXPECT_EQ(pixel(bmp, 1, 0), PLPixel32(60, 50, 40, 255));
}

TEST(Malformed, BmpPixelsAreReadFromThePixelOffset) {
    // Two unused bytes between the palette and the pixels.
    PictureBuilder b = PictureBuilder::Bmp(3, 1, 8, 0, 2, 54 + 8 + 2);
    b.le32(0x00000000).le32(0x00FF8040);
    b.u8(0xEE).u8(0xEE);
    b.u8(1).u8(0).u8(1).u8(0);
    PLWinBmp bmp;
    ASSERT_EQ(decode(b.bytes(), bmp).code, 0);
    EXPECT_EQ(pixel(bmp, 0, 0), PLPixel32(255, 128, 64, 255));
    EXPECT_EQ(pixel(bmp, 1, 0), PLPixel32(0, 0, 0, 255));
    EXPECT_EQ(pixel(bmp, 2, 0), PLPixel32(255, 128, 64, 255));
}

TEST(Malformed, BmpBitFieldMasksBehindAFortyByteHeader) {
    struct { uint32_t r, g, b; uint16_t v; PLPixel32 expected; } cases[] = {
        {0xF800, 0x07E0, 0x001F, 0xF800, PLPixel32(248, 0, 0, 255)},  // 5-6-5 red
        {0xF800, 0x07E0, 0x001F, 0x07E8, PLPixel32(0, 248, 64, 255)},  // 5-6-5 green, some blue
        {0x7C00, 0x03E0, 0x001F, 0x7C00, PLPixel32(248, 0, 0, 255)},  // 5-5-5 red
        {0x7C00, 0x03E0, 0x001F, 0x03E0, PLPixel32(0, 248, 0, 255)},  // 5-5-5 green
    };
    for (auto& c : cases) {
        PictureBuilder b = PictureBuilder::Bmp(1, 1, 16, 3, 0, 54 + 12);
        b.le32(c.r).le32(c.g).le32(c.b).le16(c.v).le16(0);
        PLWinBmp bmp;
        Outcome o = decode(b.bytes(), bmp);
        ASSERT_EQ(o.code, 0) << o.text;
        EXPECT_EQ(pixel(bmp, 0, 0), c.expected) << std::hex << c.r << " " << c.v;
    }
}

TEST(Malformed, BmpRunLengthEscapes) {
    PictureBuilder b = PictureBuilder::Bmp(4, 2, 8, 1, 2, 54 + 8);
    b.le32(0).le32(0x00FFFFFF);
    b.u8(4).u8(1).u8(0).u8(0);           // bottom line: four white pixels
    b.u8(0).u8(3).u8(1).u8(0).u8(1).u8(0);  // three absolute values, padded
    b.u8(0).u8(1);
    PLAnyBmp bmp;
    ASSERT_EQ(decode(b.bytes(), bmp, 0).code, 0);
    EXPECT_EQ(bmp.GetLine(1)[3], 1);
    EXPECT_EQ(bmp.GetLine(0)[0], 1);
    EXPECT_EQ(bmp.GetLine(0)[1], 0);
    EXPECT_EQ(bmp.GetLine(0)[3], 0);

    PictureBuilder d = PictureBuilder::Bmp(4, 2, 8, 1, 2, 54 + 8);
    d.le32(0).le32(0).u8(0).u8(2).u8(1).u8(1);
    Outcome o = decode(d.bytes());
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text, "Decoder error: Encountered delta escape.\n");
}

TEST(Malformed, SizesThatOverflowAreCode2) {
    PictureBuilder bmp = PictureBuilder::Bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, 0, 54);
    bmp.fill(16, 0);
    EXPECT_EQ(decode(bmp.bytes()).code, 2);
    PictureBuilder neg = PictureBuilder::Bmp(-5, 3, 24, 0, 0, 54);
    neg.fill(64, 0);
    EXPECT_EQ(decode(neg.bytes()).code, 2);

    PictureBuilder ppm;
    ppm.text("P6 70000 70000 255\n").fill(30, 0);
    EXPECT_EQ(decode(ppm.bytes()).code, 2);
    PictureBuilder pgm;
    pgm.text("P5 0 10 255\n").fill(30, 0);
    EXPECT_EQ(decode(pgm.bytes()).code, 2);

    PictureBuilder pcx;
    pcx.u8(10).u8(5).u8(1).u8(8).le16(0).le16(0).le16(65535).le16(65535).le16(72).le16(72).fill(48, 0);
    pcx.u8(0).u8(3).le16(65535).fill(60, 0).fill(100, 0);
    EXPECT_EQ(decode(pcx.bytes()).code, 2);

    PictureBuilder psd;
    psd.text("8BPS").be16(1).fill(6, 0).be16(3).be32(0x7FFFFFFF).be32(0x7FFFFFFF).be16(8).be16(3).fill(20, 0);
    EXPECT_EQ(decode(psd.bytes()).code, 2);
}

TEST(Malformed, TgaColourMapsAndRuns) {
    auto header = [](int mapFirst, int mapLength, int type, int depth) {
        PictureBuilder t;
        t.u8(0).u8(type == 1 || type == 9 ? 1 : 0).u8(type).le16(mapFirst).le16(mapLength).u8(24);
        t.le16(0).le16(0).le16(2).le16(2).u8(depth).u8(0);
        return t;
    };
    // A colour map reaching past entry 255.
    PictureBuilder big = header(200, 100, 1, 8);
    big.fill(300 * 3 + 4, 0);
    Outcome o = decode(big.bytes());
    EXPECT_EQ(o.code, 2);
    // A run that passes the end of the picture.
    PictureBuilder run = header(0, 0, 10, 24);
    run.u8(0x80 + 9).u8(1).u8(2).u8(3);  // ten pixels of a four-pixel picture
    o = decode(run.bytes());
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.text, "Decoder error: TGA run-length packet spans end of image.\n");
    // Literal packets across lines are fine.
    PictureBuilder ok = header(0, 0, 10, 24);
    ok.u8(3).fill(12, 0x40);
    PLWinBmp bmp;
    EXPECT_EQ(decode(ok.bytes(), bmp).code, 0);
    EXPECT_EQ(pixel(bmp, 1, 1), PLPixel32(0x40, 0x40, 0x40, 255));
    // Unknown image type.
    PictureBuilder unknown = header(0, 0, 2, 24);
    unknown.bytes()[2] = 9;
    unknown.bytes()[1] = 0;
    EXPECT_EQ(decode(unknown.bytes()).code, 2);
}

TEST(Malformed, Tga16BitPixels) {
    PictureBuilder t;
    t.u8(0).u8(0).u8(2).le16(0).le16(0).u8(0).le16(0).le16(0).le16(2).le16(1).u8(16).u8(0x20);
    t.le16(0x8000).le16(0x7FFF);
    PLWinBmp bmp;
    ASSERT_EQ(decode(t.bytes(), bmp).code, 0);
    EXPECT_TRUE(bmp.HasAlpha());
    EXPECT_EQ(pixel(bmp, 0, 0), PLPixel32(0, 0, 0, 0x80));
    EXPECT_EQ(pixel(bmp, 1, 0), PLPixel32(248, 248, 248, 0));
    // Without bit 15 in any pixel the attribute bit was left unused: opaque, not invisible.
    t.bytes()[18] = 0x00;
    t.bytes()[19] = 0x7C;
    ASSERT_EQ(decode(t.bytes(), bmp).code, 0);
    EXPECT_EQ(pixel(bmp, 0, 0), PLPixel32(248, 0, 0, 255));
    EXPECT_EQ(pixel(bmp, 1, 0), PLPixel32(248, 248, 248, 255));
}

TEST(Malformed, PcxLinesAndRuns) {
    auto header = [](int bytesPerLine, int width) {
        PictureBuilder p;
        p.u8(10).u8(5).u8(1).u8(8).le16(0).le16(0).le16(width - 1).le16(1).le16(72).le16(72).fill(48, 0);
        p.u8(0).u8(1).le16(bytesPerLine).fill(60, 0);
        return p;
    };
    // Lines shorter than the picture's width.
    PictureBuilder shortLines = header(2, 8);
    shortLines.fill(200, 1);
    EXPECT_EQ(decode(shortLines.bytes()).code, 2);
    // A run past the end of the picture.
    PictureBuilder run = header(4, 4);
    run.u8(0xC0 + 20).u8(5);
    Outcome o = decode(run.bytes());
    EXPECT_EQ(o.code, 7);
    EXPECT_EQ(o.text, "Decoder error: repeat count spans end of image.\n");
    // Not PCX, unknown encoding.
    PictureBuilder notPcx = header(4, 4);
    notPcx.bytes()[2] = 2;
    notPcx.fill(40, 0);
    PLPCXDecoder pcx;
    PLWinBmp bmp2;
    try {
        pcx.DecodeMemory(notPcx.bytes().data(), int(notPcx.size()), &bmp2, 32);
        ADD_FAILURE();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 1);
        EXPECT_STREQ(e.GetText(), "Decoder error: File has unknown encoding scheme.\n");
    }
}

TEST(Malformed, PnmSamplesOverTheMaximum) {
    struct { const char* data; int code; } cases[] = {
        {"P2 2 1 10 5 11", 2},
        {"P3 1 1 15 15 16 0", 2},
        {"P2 2 1 10 5 10", 0},
        {"P2 # comment\n2 1\n10\n5 10", 0},
        {"P5 2 1 100 \x10\xC8", 2},
        {"P6 1 1 300 \x01\x02\x03", 0},  // maximum outside 1..255 counts as 255
        {"P2 2 x", 2},
    };
    for (auto& c : cases) {
        std::string s = c.data;
        PLWinBmp bmp;
        EXPECT_EQ(decode(std::vector<uint8_t>(s.begin(), s.end()), bmp).code, c.code) << c.data;
    }
    std::string max15 = "P2 1 1 15 15";
    PLAnyBmp grey;
    ASSERT_EQ(decode(std::vector<uint8_t>(max15.begin(), max15.end()), grey, 0).code, 0);
    EXPECT_EQ(grey.GetLine(0)[0], 255);
}

TEST(Malformed, PsdPackBitsRunsStayInTheirLine) {
    auto psd = [](int mode, int channels) {
        PictureBuilder p;
        p.text("8BPS").be16(1).fill(6, 0).be16(channels).be32(1).be32(4).be16(8).be16(mode);
        p.be32(0).be32(0).be32(0);
        return p;
    };
    // One line of four pixels; the run repeats a byte 100 times.
    PictureBuilder bad = psd(1, 1);
    bad.be16(1).be16(2).u8(257 - 100).u8(9);
    EXPECT_EQ(decode(bad.bytes()).code, 2);
    // A literal packet longer than its line's byte count.
    PictureBuilder cut = psd(1, 1);
    cut.be16(1).be16(2).u8(3).u8(9).u8(9).u8(9).u8(9);
    EXPECT_EQ(decode(cut.bytes()).code, 2);
    // A good line.
    PictureBuilder good = psd(1, 1);
    good.be16(1).be16(5).u8(1).u8(10).u8(20).u8(255).u8(30);
    PLAnyBmp grey;
    ASSERT_EQ(decode(good.bytes(), grey, 0).code, 0);
    EXPECT_EQ(grey.GetLine(0)[0], 10);
    EXPECT_EQ(grey.GetLine(0)[1], 20);
    EXPECT_EQ(grey.GetLine(0)[3], 30);
    // CMYK is not supported.
    PictureBuilder cmyk = psd(4, 4);
    Outcome o = decode(cmyk.bytes());
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text, "Decoder error: This PSD color mode is not supported.\n");
    // Compression 2 and unknown compressions.
    PictureBuilder zip = psd(1, 1);
    zip.be16(2).fill(8, 0);
    EXPECT_EQ(decode(zip.bytes()).text, "Decoder error: PSD decoder: Compression type not supported.\n");
    PictureBuilder unknown = psd(1, 1);
    unknown.be16(7).fill(8, 0);
    EXPECT_EQ(decode(unknown.bytes()).text, "Decoder error: PSD decoder: Compression unknown.\n");
}

TEST(Malformed, PictWithoutPixelsOrVersion) {
    PictureBuilder vector;
    vector.fill(512, 0).be16(0).be16(0).be16(0).be16(10).be16(10).be16(0x0011).be16(0x02FF);
    vector.be16(0x0C00).fill(24, 0).be16(0x0031).fill(8, 0).be16(0x00FF);
    Outcome o = decode(vector.bytes());
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text, "Decoder error: PICT contained only vector data!\n\n");

    PictureBuilder noVersion;
    noVersion.fill(512, 0).be16(0).be16(0).be16(0).be16(10).be16(10).be16(0x0C00).fill(40, 0);
    PLPictDecoder pict(nullptr);
    PLWinBmp bmp;
    try {
        pict.DecodeMemory(noVersion.bytes().data(), int(noVersion.size()), &bmp, 32);
        ADD_FAILURE();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 1);
        EXPECT_STREQ(e.GetText(), "Decoder error: Error decoding pict: Version number missing.\n");
    }
    // Embedded JPEG data without a JPEG decoder.
    std::vector<uint8_t> withJpeg = ReadFileBytes(Fixture("pict-jpeg.pict"));
    try {
        pict.DecodeMemory(withJpeg.data(), int(withJpeg.size()), &bmp, 32);
        ADD_FAILURE();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), 6);
        EXPECT_STREQ(e.GetText(), "Decoder error: Library not compiled for PICT/JPEG.\n");
    }
}

TEST(Malformed, PictComponentPlanesNeedThreeComponentsAndTheirRowBytes) {
    // A direct-bits pixmap of 8 x 1 pixels, 32 bits stored as component planes (pack type
    // 4): alpha when there are four components, then red, green and blue.
    const int width = 8;
    struct {
        int components, rowBytes;
        const char* text;  // the refusal, or none
    } cases[] = {
        {3, 32, nullptr},  // four bytes a pixel in the row bytes, as writers give them
        {4, 32, nullptr},
        {0, 8, "Too few colour components in direct pixels."},
        {1, 8, "Too few colour components in direct pixels."},
        {2, 16, "Too few colour components in direct pixels."},
        {3, 16, "Row bytes too small for the picture width."},
        {4, 24, "Row bytes too small for the picture width."},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.components << " components, row bytes " << c.rowBytes);
        PictureBuilder p;
        p.fill(512, 0).be16(0).be16(0).be16(0).be16(1).be16(width);
        p.be16(0x0011).be16(0x02FF).be16(0x0C00).fill(24, 0);
        p.be16(0x009A).be32(0xFF).be16(0x8000 | c.rowBytes);        // base address, row bytes
        p.be16(0).be16(0).be16(1).be16(width);                      // bounds
        p.be16(0).be16(4).be32(0).be32(0x480000).be32(0x480000);    // pack type 4
        p.be16(16).be16(32).be16(c.components).be16(8).be32(0).be32(0).be32(0);
        const size_t header = p.size();
        p.be16(0).be16(0).be16(1).be16(width).be16(0).be16(0).be16(1).be16(width).be16(0);
        // The row: one literal run of every plane.
        int planeBytes = width * c.components;
        p.u8(planeBytes ? planeBytes + 1 : 0);
        if (planeBytes)
            p.u8(planeBytes - 1);
        for (int plane = 0; plane < c.components; ++plane)
            for (int x = 0; x < width; ++x)
                p.u8(plane * 60 + 10 + x);
        p.be16(0x00FF);

        PLWinBmp bmp;
        Outcome o = decode(p.bytes(), bmp);
        if (!c.text) {
            ASSERT_EQ(o.code, 0) << o.text;
            int a = c.components == 4 ? 1 : 0;
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(pixel(bmp, x, 0), PLPixel32(a * 60 + 10 + x, a * 60 + 70 + x, a * 60 + 130 + x,
                                                      a ? 10 + x : 255)) << x;
            continue;
        }
        EXPECT_EQ(o.code, 2);
        EXPECT_EQ(o.text, std::string("Decoder error: ") + c.text + "\n");
        // Refused from the header alone, before any pixel is read.
        p.bytes().resize(header);
        o = decode(p.bytes(), bmp);
        EXPECT_EQ(o.code, 2);
        EXPECT_EQ(o.text, std::string("Decoder error: ") + c.text + "\n");
    }
}

TEST(Malformed, DamagedFixturesNeverCrash) {
    // Truncations and byte damage of every fixture, each decoded twice: into a DIB at 32
    // bits and at the picture's own depth.
    std::vector<std::string> names = fixtureNames();
    ASSERT_GT(names.size(), 40u);
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    int decoded = 0, refused = 0;
    for (const std::string& name : names) {
        std::vector<uint8_t> original = ReadFileBytes(Fixture(name));
        for (int variant = 0; variant < 24; ++variant) {
            std::vector<uint8_t> d = original;
            if (variant < 6) {
                d.resize(d.size() * size_t(variant + 1) / 7);
            } else {
                int damage = 1 + variant % 4;
                for (int i = 0; i < damage && !d.empty(); ++i)
                    d[next() % d.size()] = BYTE(next() >> 16);
            }
            PLWinBmp win;
            PLAnyBmp any;
            (decode(d, win, 32).code ? refused : decoded)++;
            (decode(d, any, 0).code ? refused : decoded)++;
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}
