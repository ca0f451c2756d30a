// The decoding front end: recognition, sources, depth requests and the error texts.
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLFileExtension.h"
#include "PLMemSource.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "PictureBuilder.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
// The code and text of the exception a decoding raises (code 0 when none).
struct Outcome {
    int code = 0;
    std::string text;
};

Outcome decodeMemory(const std::vector<uint8_t>& data, PLBmp& bmp, int depth = 32) {
    PLAnyPicDecoder decoder;
    try {
        decoder.DecodeMemory(data.data(), int(data.size()), &bmp, depth);
    } catch (const PLTextException& e) {
        return {e.GetCode(), e.GetText()};
    }
    return {};
}

Outcome decodeFile(const std::string& path, PLBmp& bmp, int depth = 32) {
    PLAnyPicDecoder decoder;
    try {
        decoder.DecodeFile(path.c_str(), &bmp, depth);
    } catch (const PLTextException& e) {
        return {e.GetCode(), e.GetText()};
    }
    return {};
}

int formatOf(const char* name, const std::vector<uint8_t>& data) {
    return PLAnyPicDecoder::DetermineFormat(name, data.data(), int(data.size()));
}
}  // namespace

TEST(FrontEnd, RecognitionTable) {
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2;
    tga[16] = 24;
    EXPECT_EQ(formatOf("x", tga), PL_FT_TARGA);
    // A TGA header that also starts with "BM" is a Windows bitmap: that test comes first.
    tga[0] = 'B';
    tga[1] = 'M';
    EXPECT_EQ(formatOf("x", tga), PL_FT_WINBMP);

    struct { const char* bytes; int n; int format; } table[] = {
        {"BA", 2, PL_FT_WINBMP}, {"IC", 2, PL_FT_WINBMP}, {"CI", 2, PL_FT_WINBMP}, {"CP", 2, PL_FT_WINBMP},
        {"GIF89a", 6, PL_FT_GIF}, {"II*\0", 4, PL_FT_TIFF}, {"MM\0*", 4, PL_FT_TIFF},
        {"\xFF\xD8\xFF\xE0", 4, PL_FT_JPEG}, {"\x89PNG", 4, PL_FT_PNG}, {"\x0A\x05\x01", 3, PL_FT_PCX},
        {"P2", 2, PL_FT_PGM}, {"P5", 2, PL_FT_PGM}, {"P3", 2, PL_FT_PPM}, {"P6", 2, PL_FT_PPM},
        {"8BPS", 4, PL_FT_PSD}, {"", 0, PL_FT_UNKNOWN}, {"P", 1, PL_FT_UNKNOWN}, {"\xFF\xD8", 2, PL_FT_UNKNOWN},
    };
    for (auto& row : table) {
        std::vector<uint8_t> d(row.bytes, row.bytes + row.n);
        EXPECT_EQ(formatOf("x", d), row.format) << row.bytes;
    }

    // EPS with a TIFF preview needs both 32-bit values at 20 and 24.
    std::vector<uint8_t> eps = {0xC5, 0xD0, 0xD3, 0xC6};
    eps.resize(30, 0);
    EXPECT_EQ(formatOf("x", eps), PL_FT_UNKNOWN);
    eps[20] = 30;
    eps[24] = 1;
    EXPECT_EQ(formatOf("x", eps), PL_FT_EPSTIFF);

    // PICT only when the source is longer than 540 bytes.
    std::vector<uint8_t> pict(540, 0xEE);
    pict[522] = 0x00;
    pict[523] = 0x11;
    pict[524] = 0x02;
    pict[525] = 0xFF;
    EXPECT_EQ(formatOf("x", pict), PL_FT_UNKNOWN);
    pict.push_back(0);
    EXPECT_EQ(formatOf("x", pict), PL_FT_MACPICT);
}

TEST(FrontEnd, MetafilesAreKnownByTheirExtension) {
    std::vector<uint8_t> png = ReadFileBytes(Fixture("png-rgb.png"));
    EXPECT_EQ(formatOf("picture.wmf", png), PL_FT_WMF);
    EXPECT_EQ(formatOf("C:\\Pictures\\LOGO.Emf", png), PL_FT_EMF);
    // Not by a part of the path: these are PNG files.
    EXPECT_EQ(formatOf("C:\\pictures.wmf\\logo.png", png), PL_FT_PNG);
    EXPECT_EQ(formatOf("/data/old.emf.backup/logo", png), PL_FT_PNG);
    EXPECT_EQ(formatOf("logo.wmfx", png), PL_FT_PNG);
    EXPECT_TRUE(PLHasFileExtension("a.b.WmF", ".WMF"));
    EXPECT_FALSE(PLHasFileExtension("wmf", ".WMF"));
}

TEST(FrontEnd, PictureInAFolderNamedLikeAMetafileDecodes) {
    std::string dir = ScratchFile("pictures.wmf");
#ifdef _WIN32
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\logo.png";
#else
    std::string mk = "mkdir -p '" + dir + "'";
    ASSERT_EQ(std::system(mk.c_str()), 0);
    std::string path = dir + "/logo.png";
#endif
    WriteFileBytes(path, ReadFileBytes(Fixture("png-rgb.png")));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp);
    EXPECT_EQ(o.code, 0) << o.text;
    EXPECT_EQ(bmp.GetWidth(), 13);
}

#ifndef _WIN32
TEST(FrontEnd, MetafilesNeedTheWindowsBuild) {
    std::string path = ScratchFile("drawing.wmf");
    WriteFileBytes(path, std::vector<unsigned char>(64, 0));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp);
    EXPECT_EQ(o.code, 12);
    EXPECT_EQ(o.text, "Decoder error: Library not compiled for this file type.\n");
}
#endif

TEST(FrontEnd, MissingFileAndFolder) {
    PLWinBmp bmp;
    std::string path = Fixture("no-such-picture.png");
    Outcome o = decodeFile(path, bmp);
    EXPECT_EQ(o.code, 4);
    EXPECT_EQ(o.text, "Decoder error: Opening " + path + " failed\n");
    o = decodeFile(Fixture("no-such-folder") + "/x.png", bmp);
    EXPECT_EQ(o.code, 3);
}

TEST(FrontEnd, UnknownFileTypeIsClosedAndReleased) {
    std::string path = ScratchFile("unknown.bin");
    WriteFileBytes(path, std::vector<unsigned char>(100, 'x'));
    PLWinBmp bmp;
    Outcome o = decodeFile(path, bmp);
    EXPECT_EQ(o.code, 8);
    EXPECT_EQ(o.text, "Decoder error: Unknown file type.\n");
    // The file is no longer open or mapped: it can be removed at once.
    EXPECT_EQ(std::remove(path.c_str()), 0);
}

TEST(FrontEnd, DepthRequests) {
    std::vector<uint8_t> grey = ReadFileBytes(Fixture("pgm-bin.pgm"));
    PLWinBmp bmp;
    EXPECT_EQ(decodeMemory(grey, bmp, 32).code, 0);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_EQ(decodeMemory(grey, bmp, 0).code, 0);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_TRUE(bmp.IsGreyscale());

    std::vector<uint8_t> colour = ReadFileBytes(Fixture("ppm-bin.ppm"));
    Outcome o = decodeMemory(colour, bmp, 8);
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text, "Image bit depth doesn't match request.");
}

TEST(FrontEnd, EndOfDataIsCode11) {
    std::vector<uint8_t> data = ReadFileBytes(Fixture("ppm-bin.ppm"));
    data.resize(data.size() - 5);
    PLWinBmp bmp;
    Outcome o = decodeMemory(data, bmp);
    EXPECT_EQ(o.code, 11);
    EXPECT_EQ(o.text, "End of file reached while decoding.\n");
}

TEST(FrontEnd, MemorySourceNamesAndReads) {
    const BYTE data[4] = {1, 2, 3, 4};
    PLMemSource src;
    EXPECT_EQ(src.Open(data, 4), 0);
    EXPECT_STREQ(src.GetName(), "Mem");
    EXPECT_EQ(src.ReadWordBE(), 0x0102);
    EXPECT_EQ(src.GetBytesLeft(), 2);
    EXPECT_THROW(src.ReadBytes(3), PLTextException);
}

TEST(FrontEnd, TiffPreviewInsideEps) {
    std::vector<uint8_t> tiff = ReadFileBytes(Fixture("tif-lzw.tif"));
    std::string postscript = "%!PS-Adobe-3.0 EPSF-3.0\n%%EOF\n";
    PictureBuilder eps;
    eps.u8(0xC5).u8(0xD0).u8(0xD3).u8(0xC6).le32(30).le32(uint32_t(postscript.size())).le32(0).le32(0);
    eps.le32(uint32_t(30 + postscript.size())).le32(uint32_t(tiff.size())).le16(0xFFFF);
    eps.text(postscript);
    eps.bytes().insert(eps.bytes().end(), tiff.begin(), tiff.end());
    PLWinBmp bmp;
    Outcome o = decodeMemory(eps.bytes(), bmp);
    ASSERT_EQ(o.code, 0) << o.text;
    ReferencePicture ref;
    ASSERT_TRUE(LoadReference(Fixture("tif-lzw.tif.pam"), ref));
    EXPECT_EQ(CompareWithReference(bmp, ref, 0), "");
}

TEST(FrontEnd, DecoderIsReusedAfterFailures) {
    // A failed JPEG or PNG leaves no state behind: the next picture decodes.
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    for (const char* name : {"jpeg-colour.jpg", "png-rgba.png"}) {
        std::vector<uint8_t> good = ReadFileBytes(Fixture(name));
        std::vector<uint8_t> bad = good;
        for (size_t i = 20; i < bad.size() && i < 200; ++i)
            bad[i] = BYTE(bad[i] * 7 + 13);
        bad.resize(bad.size() / 2);
        for (int round = 0; round < 2; ++round) {
            try {
                decoder.DecodeMemory(bad.data(), int(bad.size()), &bmp, 32);
            } catch (const PLTextException&) {
            }
            try {
                decoder.DecodeMemory(good.data(), int(good.size()), &bmp, 32);
            } catch (const PLTextException& e) {
                FAIL() << name << ": " << e.GetText();
            }
            EXPECT_GT(bmp.GetWidth(), 0);
        }
    }
}

TEST(FrontEnd, LibraryErrorsBecomeExceptions) {
    struct { const char* file; size_t keep; int code; } cases[] = {
        {"png-rgb.png", 40, 11},   // cut inside the first chunk: the source's own end
        {"gif-plain.gif", 20, 11},
    };
    for (auto& c : cases) {
        std::vector<uint8_t> d = ReadFileBytes(Fixture(c.file));
        d.resize(c.keep);
        PLWinBmp bmp;
        EXPECT_EQ(decodeMemory(d, bmp).code, c.code) << c.file;
    }
    // A broken PNG header raises libpng's message as code 2.
    std::vector<uint8_t> png = ReadFileBytes(Fixture("png-rgb.png"));
    png[16] = 0xFF;  // width beyond libpng's limits; the CRC no longer matches either
    PLWinBmp bmp;
    Outcome o = decodeMemory(png, bmp);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.text.rfind("Decoder error: ", 0), 0u);
    // A JPEG without its frame raises code 6.
    std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    o = decodeMemory(jpeg, bmp);
    EXPECT_EQ(o.code, 6);
    o = decodeFile(Fixture("jpeg-cmyk.jpg"), bmp);
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.text.back(), '\n');
}

TEST(FrontEnd, TruncatedJpegEndsAtAFakeMarker) {
    std::vector<uint8_t> jpeg = ReadFileBytes(Fixture("jpeg-colour.jpg"));
    jpeg.resize(jpeg.size() - 60);  // inside the entropy-coded data
    PLWinBmp bmp;
    Outcome o = decodeMemory(jpeg, bmp);
    EXPECT_EQ(o.code, 0) << o.text;
    EXPECT_EQ(bmp.GetWidth(), 24);
}

TEST(FrontEnd, JpegResolutionPerCentimetre) {
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("jpeg-dpcm.jpg").c_str(), &bmp, 32);
    EXPECT_EQ(bmp.GetResolution(), PLPoint(101, 101));  // 40 x 2.54, truncated
}

TEST(FrontEnd, TiffAlphaFlagBySamples) {
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("tif-lzw.tif").c_str(), &bmp, 0);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_FALSE(bmp.HasAlpha());
    decoder.DecodeFile(Fixture("tif-rgba.tif").c_str(), &bmp, 0);
    EXPECT_TRUE(bmp.HasAlpha());
}

TEST(FrontEnd, GifTransparentIndexHasAlphaZero) {
    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    decoder.DecodeFile(Fixture("gif-transparent.gif").c_str(), &bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    EXPECT_TRUE(bmp.HasAlpha());
    int transparent = bmp.GetLine(3)[3];
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(bmp.GetPalette()[i].a, i == transparent ? 0 : 255) << i;
}

TEST(FrontEnd, OneBitBmpGivesIndicesAndFilePalette) {
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    decoder.DecodeFile(Fixture("bmp-1.bmp").c_str(), &bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    for (int y = 0; y < bmp.GetHeight(); ++y)
        for (int x = 0; x < bmp.GetWidth(); ++x)
            EXPECT_LE(bmp.GetLine(y)[x], 1);
    std::vector<uint8_t> file = ReadFileBytes(Fixture("bmp-1.bmp"));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(bmp.GetPalette()[i], PLPixel32(file[56 + i * 4], file[55 + i * 4], file[54 + i * 4], 255));
}

TEST(FrontEnd, PictVersionOneBitmap) {
    PictureBuilder p;
    p.fill(512, 0).be16(0).be16(0).be16(0).be16(1).be16(8);  // size and frame
    p.u8(0x11).u8(0x01);                                     // version 1
    p.u8(0x01).be16(10).be16(0).be16(0).be16(1).be16(8);      // clip region
    p.u8(0xA0).be16(130);                                    // short comment
    p.u8(0x90).be16(2).be16(0).be16(0).be16(1).be16(8);       // bits rect: row bytes, bounds
    p.be16(0).be16(0).be16(1).be16(8).be16(0).be16(0).be16(1).be16(8).be16(1);
    p.u8(0xA5).u8(0x00);                                     // one unpacked row
    p.u8(0xFF);
    EXPECT_EQ(formatOf("x", p.bytes()), PL_FT_MACPICT);
    PLAnyBmp bmp;
    Outcome o = decodeMemory(p.bytes(), bmp, 0);
    ASSERT_EQ(o.code, 0) << o.text;
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    ASSERT_EQ(bmp.GetSize(), PLPoint(8, 1));
    const int bits[8] = {1, 0, 1, 0, 0, 1, 0, 1};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(bmp.GetLine(0)[x], bits[x]) << x;
    EXPECT_EQ(bmp.GetPalette()[0], PLPixel32(255, 255, 255, 255));
    EXPECT_EQ(bmp.GetPalette()[1], PLPixel32(0, 0, 0, 255));
}

TEST(FrontEnd, TraceFileRecordsRecognition) {
    std::string trace = ScratchFile("trace.txt");
    std::remove(trace.c_str());
    PLPicDecoder::SetTraceConfig(2, trace.c_str());
    PLWinBmp bmp;
    Outcome o = decodeFile(Fixture("gif-plain.gif"), bmp);
    PLPicDecoder::SetTraceConfig(0, nullptr);
    ASSERT_EQ(o.code, 0);
    std::vector<unsigned char> text = ReadFileBytes(trace);
    std::string s(text.begin(), text.end());
    EXPECT_NE(s.find("--- Decoding file "), std::string::npos);
    EXPECT_NE(s.find("GIF file recognized."), std::string::npos);
}

TEST(FrontEnd, PictSixteenBitDirectPixels) {
    PictureBuilder p;
    p.fill(512, 0).be16(0).be16(0).be16(0).be16(2).be16(4);
    p.be16(0x0011).be16(0x02FF).be16(0x0C00).fill(24, 0);
    p.be16(0x009A).be32(0xFF).be16(0x8000 | 8);          // base address, row bytes
    p.be16(0).be16(0).be16(2).be16(4);                    // bounds
    p.be16(0).be16(3).be32(0).be32(0x480000).be32(0x480000);
    p.be16(16).be16(16).be16(3).be16(5).be32(0).be32(0).be32(0);
    p.be16(0).be16(0).be16(2).be16(4).be16(0).be16(0).be16(2).be16(4).be16(0);
    p.u8(9).u8(3).be16(0x7C00).be16(0x03E0).be16(0x001F).be16(0x7FFF);  // four literal pixels
    p.u8(3).u8(253).be16(0x4210);                                        // one pixel four times
    p.be16(0x00FF);
    PLWinBmp bmp;
    Outcome o = decodeMemory(p.bytes(), bmp, 32);
    ASSERT_EQ(o.code, 0) << o.text;
    auto at = [&](int x, int y) {
        const BYTE* q = bmp.GetLine(y) + x * 4;
        return PLPixel32(q[2], q[1], q[0], q[3]);
    };
    EXPECT_EQ(at(0, 0), PLPixel32(255, 0, 0, 255));
    EXPECT_EQ(at(1, 0), PLPixel32(0, 255, 0, 255));
    EXPECT_EQ(at(2, 0), PLPixel32(0, 0, 255, 255));
    EXPECT_EQ(at(3, 0), PLPixel32(255, 255, 255, 255));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(at(x, 1), PLPixel32(132, 132, 132, 255));
}
