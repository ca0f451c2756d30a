// Every fixture decodes to the pixels of ImageMagick's (for JPEG: djpeg's) decoding.
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>

namespace {
struct Case {
    const char* file;
    int format;     // what PLAnyPicDecoder recognises
    int ownDepth;   // depth of the bitmap when no depth is asked for
    int tolerance;  // largest channel difference allowed
    const char* reference;  // reference file (default: <file>.pam)
};

const Case kCases[] = {
    {"bmp-24.bmp", PL_FT_WINBMP, 32, 0, nullptr},
    {"bmp-8.bmp", PL_FT_WINBMP, 8, 0, nullptr},
    {"bmp-rle8.bmp", PL_FT_WINBMP, 8, 0, nullptr},
    {"bmp-4.bmp", PL_FT_WINBMP, 8, 0, nullptr},
    {"bmp-1.bmp", PL_FT_WINBMP, 8, 0, nullptr},
    {"bmp-os2.bmp", PL_FT_WINBMP, 32, 0, nullptr},
    {"bmp-32a.bmp", PL_FT_WINBMP, 32, 0, nullptr},
    // 5- and 6-bit channels are widened by shifting (low bits 0), ImageMagick scales them.
    {"bmp-565.bmp", PL_FT_WINBMP, 32, 7, nullptr},
    {"bmp-555.bmp", PL_FT_WINBMP, 32, 7, nullptr},
    {"tga-24.tga", PL_FT_TARGA, 32, 0, nullptr},
    {"tga-24rle.tga", PL_FT_TARGA, 32, 0, nullptr},
    {"tga-32a.tga", PL_FT_TARGA, 32, 0, nullptr},
    {"tga-map.tga", PL_FT_TARGA, 8, 0, nullptr},
    {"tga-maprle.tga", PL_FT_TARGA, 8, 0, nullptr},
    {"tga-grey.tga", PL_FT_TARGA, 8, 0, nullptr},
    {"tga-topdown.tga", PL_FT_TARGA, 32, 0, nullptr},
    {"pcx-24.pcx", PL_FT_PCX, 32, 0, nullptr},
    {"pcx-8.pcx", PL_FT_PCX, 32, 0, nullptr},
    {"pcx-1.pcx", PL_FT_PCX, 32, 0, nullptr},
    {"pgm-bin.pgm", PL_FT_PGM, 8, 0, nullptr},
    {"pgm-text.pgm", PL_FT_PGM, 8, 0, nullptr},
    {"ppm-bin.ppm", PL_FT_PPM, 32, 0, nullptr},
    {"ppm-text.ppm", PL_FT_PPM, 32, 0, nullptr},
    {"ppm-max15.ppm", PL_FT_PPM, 32, 0, nullptr},
    {"psd-rgb.psd", PL_FT_PSD, 32, 0, nullptr},
    {"psd-raw.psd", PL_FT_PSD, 32, 0, nullptr},
    {"psd-rgba.psd", PL_FT_PSD, 32, 0, nullptr},
    {"psd-grey.psd", PL_FT_PSD, 8, 0, nullptr},
    {"psd-index.psd", PL_FT_PSD, 8, 0, nullptr},
    {"pict-direct.pict", PL_FT_MACPICT, 32, 0, nullptr},
    {"pict-index.pict", PL_FT_MACPICT, 8, 0, nullptr},
    {"pict-jpeg.pict", PL_FT_MACPICT, 32, 0, "jpeg-colour.pnm"},
    {"gif-plain.gif", PL_FT_GIF, 8, 0, nullptr},
    {"gif-interlace.gif", PL_FT_GIF, 8, 0, nullptr},
    {"gif-transparent.gif", PL_FT_GIF, 8, 0, nullptr},
    {"gif-animated.gif", PL_FT_GIF, 8, 0, nullptr},
    {"png-rgb.png", PL_FT_PNG, 32, 0, nullptr},
    {"png-rgba.png", PL_FT_PNG, 32, 0, nullptr},
    {"png-grey.png", PL_FT_PNG, 8, 0, nullptr},
    {"png-grey4.png", PL_FT_PNG, 8, 0, nullptr},
    {"png-grey1.png", PL_FT_PNG, 8, 0, nullptr},
    {"png-greyalpha.png", PL_FT_PNG, 32, 0, nullptr},
    {"png-palette.png", PL_FT_PNG, 8, 0, nullptr},
    {"png-rgb16.png", PL_FT_PNG, 32, 0, nullptr},
    {"png-interlace.png", PL_FT_PNG, 32, 0, nullptr},
    {"jpeg-colour.jpg", PL_FT_JPEG, 32, 0, "jpeg-colour.pnm"},
    {"jpeg-grey.jpg", PL_FT_JPEG, 8, 0, "jpeg-grey.pnm"},
    {"jpeg-progressive.jpg", PL_FT_JPEG, 32, 0, "jpeg-progressive.pnm"},
    {"tif-none.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-lzw.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-packbits.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-zip.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-jpeg.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-rgba.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-palette8.tif", PL_FT_TIFF, 8, 0, nullptr},
    {"tif-palette4.tif", PL_FT_TIFF, 8, 0, nullptr},
    {"tif-grey8.tif", PL_FT_TIFF, 8, 0, nullptr},
    {"tif-grey4.tif", PL_FT_TIFF, 8, 0, nullptr},
    {"tif-grey2.tif", PL_FT_TIFF, 8, 0, nullptr},
    {"tif-bilevel.tif", PL_FT_TIFF, 1, 0, nullptr},
    {"tif-greyalpha.tif", PL_FT_TIFF, 8, 0, nullptr},
    // 16-bit samples: libtiff takes the high byte, ImageMagick rounds.
    {"tif-rgb16.tif", PL_FT_TIFF, 32, 1, nullptr},
    {"tif-tiled.tif", PL_FT_TIFF, 32, 0, nullptr},
    {"tif-bigendian.tif", PL_FT_TIFF, 32, 0, nullptr},
    // A fourth byte that is 0 throughout was left unused: the picture is opaque, not invisible.
    {"bmp-32alpha0.bmp", PL_FT_WINBMP, 32, 0, "alpha0-reference.pam"},
    {"bmp-v5alpha0.bmp", PL_FT_WINBMP, 32, 0, "alpha0-reference.pam"},
    {"tga-32alpha0.tga", PL_FT_TARGA, 32, 0, "tga-24.tga.pam"},  // written upside down, as that one
    {"psd-alpha0.psd", PL_FT_PSD, 32, 0, "alpha0-reference.pam"},
    {"pict-alpha0.pict", PL_FT_MACPICT, 32, 0, "alpha0-reference.pam"},
    {"tif-alpha0.tif", PL_FT_TIFF, 32, 0, "alpha0-reference.pam"},
};

class FixtureDecoding : public ::testing::TestWithParam<Case> {};

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = info.param.file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}
}  // namespace

TEST_P(FixtureDecoding, MatchesReferencePixels) {
    const Case& c = GetParam();
    ReferencePicture ref;
    std::string refName = c.reference ? c.reference : std::string(c.file) + ".pam";
    ASSERT_TRUE(LoadReference(Fixture(refName), ref)) << refName;

    PLAnyPicDecoder decoder;
    PLWinBmp bmp;
    try {
        decoder.DecodeFile(Fixture(c.file).c_str(), &bmp, 32);
    } catch (const PLTextException& e) {
        FAIL() << "code " << e.GetCode() << ": " << e.GetText();
    }
    EXPECT_EQ(decoder.GetFileFormat(), c.format);
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    EXPECT_EQ(CompareWithReference(bmp, ref, c.tolerance), "");

    // At its own depth, into a plain bitmap, and converted afterwards: the same pixels.
    PLAnyBmp own;
    decoder.DecodeFile(Fixture(c.file).c_str(), &own);
    EXPECT_EQ(own.GetBitsPerPixel(), c.ownDepth);
    PLAnyBmp converted;
    converted.CreateCopy(own, 32);
    EXPECT_EQ(CompareWithReference(converted, ref, c.tolerance), "");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureDecoding, ::testing::ValuesIn(kCases), caseName);
