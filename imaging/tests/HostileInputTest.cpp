// Pictures whose headers promise more than their data holds are refused before anything is
// allocated, in bounded time; nothing but the library's own exception leaves a decoder. The
// inputs are the picture fuzzer's regression corpus.
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLTextException.h"
#include "PLWinBmp.h"
#include "PictureBuilder.h"
#include "ReferencePicture.h"
#include <gtest/gtest.h>
#include <tiffio.h>
#include <cstdio>
#include <algorithm>
#include <chrono>
#include <new>
#include <string>

namespace {
std::string Regression(const std::string& name) { return Fixture("../../fuzz/regressions/" + name); }

// A bitmap that remembers the largest picture it was asked to hold.
class WatchedBmp : public PLAnyBmp {
public:
    long long largest = 0;

protected:
    void internalCreate(int width, int height, int bitsPerPixel) override {
        largest = std::max(largest, (long long)width * height);
        PLAnyBmp::internalCreate(width, height, bitsPerPixel);
    }
};

// A bitmap whose storage cannot be had, as when the allocator runs out.
class UnallocatableBmp : public PLAnyBmp {
protected:
    void internalCreate(int, int, int) override { throw std::bad_alloc(); }
};
}  // namespace

TEST(HostileInput, RegressionInputsAreRefusedQuickly) {
    struct {
        const char* file;
        int code;
    } cases[] = {
        {"bmp-header-cut.bmp", PL_ERREND_OF_FILE},       // info header size past the end of the data
        {"bmp-bitfields-huge.bmp", PL_ERRNO_MEMORY},     // 13 x 33 million pixels
        {"bmp-bitfields-short.bmp", PL_ERREND_OF_FILE},  // 8000 x 8000 from 64 bytes of pixels
        {"bmp-rle8-short.bmp", PL_ERREND_OF_FILE},       // 8000 x 8000 from 20 runs
        {"psd-counts-huge.psd", PL_ERREND_OF_FILE},      // a line-length table of 3 MB from 56 bytes
        {"psd-huge.psd", PL_ERRNO_MEMORY},               // 13 x 33 million pixels
        {"psd-short.psd", PL_ERREND_OF_FILE},            // 8000 x 8000 raw from 100 bytes
        {"pcx-planes-huge.pcx", PL_ERREND_OF_FILE},      // 2 GB of planes from 144 bytes
        {"pcx-short.pcx", PL_ERREND_OF_FILE},            // 8000 x 8000 from 8 runs
        {"gif-screen-huge.gif", PL_ERRNO_MEMORY},        // a logical screen of 12000 x 12000
        {"tga-short.tga", PL_ERREND_OF_FILE},            // 8000 x 8000 raw from 30 bytes
        {"ppm-short.ppm", PL_ERREND_OF_FILE},            // 8000 x 8000 raw from 30 bytes
        {"pict-short.pict", PL_ERREND_OF_FILE},          // 8000 x 8000 from 200 bytes of rows
        {"pict-planes-one-component.pict", PL_ERRFORMAT_UNKNOWN},  // planes of one component read as three
        {"tiff-huge.tif", PL_ERRNO_MEMORY},              // 9000 x 8000 from 16 bytes of strip
    };
    for (auto& c : cases) {
        std::vector<uint8_t> data = ReadFileBytes(Regression(c.file));
        ASSERT_FALSE(data.empty()) << c.file;
        for (int depth : {0, 32}) {
            auto start = std::chrono::steady_clock::now();
            int code = 0;
            WatchedBmp bmp;
            try {
                PLAnyPicDecoder decoder;
                decoder.DecodeMemory(data.data(), int(data.size()), &bmp, depth);
            } catch (const PLTextException& e) {
                code = e.GetCode();
            }
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            EXPECT_EQ(code, c.code) << c.file;
            EXPECT_LT(seconds, 1.0) << c.file;
            EXPECT_EQ(bmp.largest, 0) << c.file << ": refused only after allocating";
        }
    }
}

TEST(HostileInput, PicturesAtTheSizeCapDecodeAndOneMoreIsRefused) {
    // 8192 x 8192 is the largest square picture; a line more is code 10, beyond any data.
    PictureBuilder edge = PictureBuilder::Bmp(8192, 8192, 8, 1, 2, 62);
    edge.le32(0).le32(0x00FFFFFF).fill(8192 * 8192 / 255 * 2 - 2, 0).u8(0).u8(1);
    PLAnyBmp bmp;
    PLAnyPicDecoder decoder;
    ASSERT_NO_THROW(decoder.DecodeMemory(edge.bytes().data(), int(edge.size()), &bmp, 0));
    EXPECT_EQ(bmp.GetWidth(), 8192);
    EXPECT_EQ(bmp.GetHeight(), 8192);

    PictureBuilder over = PictureBuilder::Bmp(8192, 8193, 8, 1, 2, 62);
    over.le32(0).le32(0x00FFFFFF).fill(8192 * 8192 / 255 * 2 + 200, 0);
    try {
        decoder.DecodeMemory(over.bytes().data(), int(over.size()), &bmp, 0);
        ADD_FAILURE();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRNO_MEMORY);
        EXPECT_STREQ(e.GetText(), "Decoder error: Picture too large.\n");
    }
}

TEST(HostileInput, AllocationFailuresBecomeCode10) {
    std::vector<uint8_t> data = ReadFileBytes(Fixture("bmp-8.bmp"));
    UnallocatableBmp bmp;
    PLAnyPicDecoder decoder;
    for (int depth : {0, 32}) {  // into the bitmap itself, and through a temporary of its own depth
        try {
            decoder.DecodeMemory(data.data(), int(data.size()), &bmp, depth);
            ADD_FAILURE() << depth;
        } catch (const PLTextException& e) {
            EXPECT_EQ(e.GetCode(), PL_ERRNO_MEMORY) << depth;
            EXPECT_STREQ(e.GetText(), "Decoder error: Out of memory.\n");
        }
    }
}

// Samples of 3 bits run on across byte boundaries: every one decodes to its own value, and
// the fuzzer's picture of that kind decodes or is refused without undefined behaviour.
TEST(HostileInput, GreySamplesAcrossByteBoundaries) {
    const char* path = "grey3.tif";
    const int width = 8;
    const uint8_t values[width] = {0, 7, 3, 5, 1, 6, 2, 4};
    TIFF* tif = TIFFOpen(path, "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 3);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    uint8_t line[3] = {};
    for (int x = 0; x < width; ++x)
        for (int b = 0; b < 3; ++b)
            if (values[x] & (4 >> b))
                line[(x * 3 + b) / 8] |= uint8_t(0x80 >> ((x * 3 + b) % 8));
    ASSERT_EQ(TIFFWriteScanline(tif, line, 0, 0), 1);
    TIFFClose(tif);

    std::vector<uint8_t> data = ReadFileBytes(path);
    PLAnyBmp bmp;
    PLAnyPicDecoder decoder;
    decoder.DecodeMemory(data.data(), int(data.size()), &bmp, 0);
    ASSERT_EQ(bmp.GetBitsPerPixel(), 8);
    for (int x = 0; x < width; ++x)
        EXPECT_EQ(bmp.GetLine(0)[x], values[x]) << x;
    std::remove(path);

    std::vector<uint8_t> fuzzed = ReadFileBytes(Regression("tiff-sample-across-bytes.tif"));
    ASSERT_FALSE(fuzzed.empty());
    try {
        PLAnyBmp any;
        decoder.DecodeMemory(fuzzed.data(), int(fuzzed.size()), &any, 0);
    } catch (const PLTextException&) {
    }
}
