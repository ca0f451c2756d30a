// The GIF frame parser and standalone-frame builder against GIFs made by ImageMagick
// (make_fixtures.sh): every frame's bytes, made into a GIF of its own and decoded by giflib,
// composed with its disposal as the animation does it, must give the frame
// "convert -coalesce" gives; delays, disposals and places must be the ones identify reads.
#include "CGifFrameBuilder.h"
#include "CGifFrameParser.h"
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Fixture(const std::string& name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "/tests/fixtures/" + name; }

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char* const kAnimations[] = {"anim_none", "anim_background", "anim_previous", "anim_interlaced"};
const char* const kAll[] = {"anim_none", "anim_background", "anim_previous", "anim_interlaced", "still89", "still87"};

// identify's view of a frame: "%T %D %X %Y %w %h".
struct IdentifiedFrame {
    int delay, disposal, left, top, width, height;
};

std::vector<IdentifiedFrame> Identified(const std::string& base)
{
    const std::map<std::string, int> disposals = {{"Undefined", 0}, {"None", 1}, {"Background", 2}, {"Previous", 3}};
    std::ifstream in(Fixture(base + ".frames.txt"));
    std::vector<IdentifiedFrame> frames;
    std::string disposal;
    IdentifiedFrame f;
    while (in >> f.delay >> disposal >> f.left >> f.top >> f.width >> f.height) {
        f.disposal = disposals.at(disposal);
        frames.push_back(f);
    }
    return frames;
}

// An RGBA picture; alpha 0 is "background".
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, all 0 where transparent
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture ReadPam(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadAll(path);
    const std::string text(bytes.begin(), bytes.end());
    const size_t end = text.find("ENDHDR\n");
    EXPECT_NE(end, std::string::npos) << path;
    std::istringstream header(text.substr(0, end));
    std::string key;
    int depth = 0;
    Picture p;
    while (header >> key) {
        if (key == "WIDTH") header >> p.width;
        else if (key == "HEIGHT") header >> p.height;
        else if (key == "DEPTH") header >> depth;
    }
    const uint8_t* d = bytes.data() + end + 7;
    EXPECT_EQ(bytes.size() - end - 7, size_t(p.width * p.height * depth)) << path;
    for (int i = 0; i < p.width * p.height; ++i, d += depth) {
        const uint32_t a = depth == 4 ? d[3] : 255;
        p.pixels.push_back(a == 0 ? 0 : (a << 24) | (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2]);
    }
    return p;
}

// A standalone GIF as a picture loader sees it (giflib here).
struct Decoded {
    bool ok = false;
    int screenWidth = 0, screenHeight = 0, imageCount = 0;
    int left = 0, top = 0, width = 0, height = 0;
    int delay = -1, disposal = 0, transparent = -1;
    std::vector<uint32_t> colors; // the frame's colour table
    std::vector<uint8_t> indexes;
};

struct ReadState {
    const std::vector<uint8_t>* bytes;
    size_t pos;
};

int ReadGif(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* s = static_cast<ReadState*>(gif->UserData);
    const size_t n = std::min(size_t(count), s->bytes->size() - s->pos);
    std::memcpy(buffer, s->bytes->data() + s->pos, n);
    s->pos += n;
    return int(n);
}

Decoded Decode(const std::vector<uint8_t>& bytes)
{
    Decoded d;
    ReadState state{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&state, ReadGif, &error);
    if (!gif)
        return d;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        d.ok = true;
        d.screenWidth = gif->SWidth;
        d.screenHeight = gif->SHeight;
        d.imageCount = gif->ImageCount;
        const SavedImage& image = gif->SavedImages[0];
        d.left = image.ImageDesc.Left;
        d.top = image.ImageDesc.Top;
        d.width = image.ImageDesc.Width;
        d.height = image.ImageDesc.Height;
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK) {
            d.delay = gcb.DelayTime;
            d.disposal = gcb.DisposalMode;
            d.transparent = gcb.TransparentColor;
        }
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        for (int i = 0; map && i < map->ColorCount; ++i)
            d.colors.push_back(0xFF000000u | (uint32_t(map->Colors[i].Red) << 16) | (uint32_t(map->Colors[i].Green) << 8) |
                               map->Colors[i].Blue);
        d.indexes.assign(image.RasterBits, image.RasterBits + size_t(d.width) * size_t(d.height));
    }
    DGifCloseFile(gif, &error);
    return d;
}

struct Opened {
    std::vector<uint8_t> bytes;
    CGifFrameParser parser;
    std::vector<GifFrame> frames;
};

void Open(const std::string& base, Opened& o)
{
    o.bytes = ReadAll(Fixture(base + ".gif"));
    ASSERT_FALSE(o.bytes.empty()) << base;
    ASSERT_TRUE(o.parser.Open(o.bytes.data(), o.bytes.size()));
    o.frames = o.parser.ReadFrames();
}

} // namespace

TEST(GifFrameParser, FramesAreTheOnesIdentifyReads)
{
    for (const char* base : kAll) {
        SCOPED_TRACE(base);
        Opened o;
        Open(base, o);
        const std::vector<IdentifiedFrame> expected = Identified(base);
        ASSERT_EQ(o.frames.size(), expected.size());
        const bool gif87 = std::memcmp(o.bytes.data(), "GIF87a", 6) == 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            const GifFrame& f = o.frames[i];
            EXPECT_EQ(f.delay, gif87 ? -1 : expected[i].delay);
            EXPECT_EQ(f.disposal, expected[i].disposal);
            EXPECT_EQ(f.left, expected[i].left);
            EXPECT_EQ(f.top, expected[i].top);
            EXPECT_EQ(f.width, expected[i].width);
            EXPECT_EQ(f.height, expected[i].height);
        }
        // The blocks run from the header to the trailer, nothing left over.
        EXPECT_EQ(o.frames.front().offset >= o.parser.GetHeaderLength(), true);
        EXPECT_EQ(o.frames.back().offset + o.frames.back().length + 1, o.bytes.size());
        EXPECT_EQ(o.parser.KindAt(o.bytes.size() - 1), CGifFrameParser::Trailer);
    }
}

TEST(GifFrameBuilder, StandaloneFramesComposeLikeCoalesce)
{
    for (const char* base : kAnimations) {
        SCOPED_TRACE(base);
        Opened o;
        Open(base, o);
        ASSERT_GT(o.frames.size(), 1u);
        Picture canvas;
        canvas.width = o.parser.GetWidth();
        canvas.height = o.parser.GetHeight();
        canvas.pixels.assign(size_t(canvas.width * canvas.height), 0);
        for (size_t i = 0; i < o.frames.size(); ++i) {
            SCOPED_TRACE(i);
            const GifFrame& f = o.frames[i];
            const std::vector<uint8_t> gif = CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), o.parser, f);
            ASSERT_EQ(gif.size(), o.parser.GetHeaderLength() + f.length + 1);
            const Decoded d = Decode(gif);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.imageCount, 1);
            EXPECT_EQ(d.screenWidth, o.parser.GetWidth());
            EXPECT_EQ(d.screenHeight, o.parser.GetHeight());
            EXPECT_EQ(d.left, f.left);
            EXPECT_EQ(d.top, f.top);
            EXPECT_EQ(d.width, f.width);
            EXPECT_EQ(d.height, f.height);
            EXPECT_EQ(d.delay, f.delay);
            EXPECT_EQ(d.disposal, f.disposal);

            // Draw the frame over what is there, as the animation renders it.
            const Picture before = canvas;
            for (int y = 0; y < f.height; ++y)
                for (int x = 0; x < f.width; ++x) {
                    const int index = d.indexes[size_t(y) * size_t(f.width) + size_t(x)];
                    const int cx = f.left + x, cy = f.top + y;
                    if (index != d.transparent && cx < canvas.width && cy < canvas.height)
                        canvas.pixels[size_t(cy) * size_t(canvas.width) + size_t(cx)] = d.colors.at(size_t(index));
                }
            const Picture expected = ReadPam(Fixture(std::string(base) + "-" + std::to_string(i) + ".pam"));
            ASSERT_EQ(expected.width, canvas.width);
            ASSERT_EQ(expected.height, canvas.height);
            for (int y = 0; y < canvas.height; ++y)
                for (int x = 0; x < canvas.width; ++x)
                    ASSERT_EQ(canvas.At(x, y), expected.At(x, y)) << "pixel " << x << "," << y;

            // Then dispose of it: 2 clears its rectangle to the background, 3 restores what was under it.
            for (int y = f.top; y < f.top + f.height && y < canvas.height; ++y)
                for (int x = f.left; x < f.left + f.width && x < canvas.width; ++x) {
                    uint32_t& px = canvas.pixels[size_t(y) * size_t(canvas.width) + size_t(x)];
                    if (f.disposal == 2)
                        px = 0;
                    else if (f.disposal == 3)
                        px = before.At(x, y);
                }
        }
    }
}

TEST(GifFrameParser, StillPicturesAreOneBlock)
{
    for (const char* base : {"still89", "still87"}) {
        SCOPED_TRACE(base);
        Opened o;
        Open(base, o);
        EXPECT_EQ(o.frames.size(), 1u);
        const Decoded d = Decode(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), o.parser, o.frames[0]));
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.width, o.parser.GetWidth());
    }
}

TEST(GifFrameParser, EveryCutOfAFileKeepsOnlyWholeBlocks)
{
    for (const char* base : kAll) {
        SCOPED_TRACE(base);
        Opened o;
        Open(base, o);
        for (size_t n = 0; n < o.bytes.size(); ++n) {
            // A copy of exactly n bytes, so the sanitizer sees any read past them.
            std::vector<uint8_t> cut(o.bytes.begin(), o.bytes.begin() + std::ptrdiff_t(n));
            CGifFrameParser parser;
            if (!parser.Open(cut.data(), cut.size())) {
                EXPECT_LT(n, o.parser.GetHeaderLength());
                continue;
            }
            const std::vector<GifFrame> frames = parser.ReadFrames();
            ASSERT_LE(frames.size(), o.frames.size());
            for (size_t i = 0; i < frames.size(); ++i) {
                EXPECT_EQ(frames[i].offset, o.frames[i].offset);
                EXPECT_EQ(frames[i].length, o.frames[i].length);
                EXPECT_EQ(CGifFrameBuilder::Build(cut.data(), cut.size(), parser, frames[i]).size(),
                          parser.GetHeaderLength() + frames[i].length + 1);
            }
            // Every block that fits is found.
            size_t whole = 0;
            while (whole < o.frames.size() && o.frames[whole].offset + o.frames[whole].length <= n)
                ++whole;
            EXPECT_EQ(frames.size(), whole) << "cut at " << n;
        }
    }
}

TEST(GifFrameParser, RefusesOrStopsAtBrokenBlocks)
{
    // A 2x1 GIF89a with a 2-colour global table, then the blocks of each case.
    const std::vector<uint8_t> head = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
    const std::vector<uint8_t> gce = {0x21, 0xF9, 4, 0x08, 7, 0, 0, 0};
    const std::vector<uint8_t> image = {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0};
    auto gif = [&](std::initializer_list<std::vector<uint8_t>> parts) {
        std::vector<uint8_t> v = head;
        for (const auto& p : parts)
            v.insert(v.end(), p.begin(), p.end());
        return v;
    };
    struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool opens;
        size_t frames;
    } cases[] = {
        {"two frames", gif({gce, image, gce, image, {0x3B}}), true, 2},
        {"without a trailer", gif({gce, image, image}), true, 2},
        {"comment and application extensions skipped", gif({{0x21, 0xFE, 2, 'h', 'i', 0}, {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0}, image}), true, 1},
        {"an unknown extension ends the list", gif({image, {0x21, 0x42, 1, 0, 0}, image}), true, 1},
        {"an unknown block ends the list", gif({image, {0x00}, image}), true, 1},
        {"a control extension with nothing after it", gif({image, gce, {0x3B}}), true, 1},
        {"a sub-block passing the end", gif({image, {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 200, 1, 2}}), true, 1},
        {"a local colour table passing the end", gif({image, {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x87, 2, 2}}), true, 1},
        {"an image descriptor cut short", gif({image, {0x2C, 0, 0, 0}}), true, 1},
        {"an extension cut after its label", gif({image, {0x21}}), true, 1},
        {"a global colour table passing the end", {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x87, 0, 0, 1, 2, 3}, false, 0},
        {"a header cut short", {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1}, false, 0},
        {"not a GIF", {'G', 'I', 'F', '9', '0', 'a', 2, 0, 1, 0, 0, 0, 0, 0x3B}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CGifFrameParser parser;
        ASSERT_EQ(parser.Open(c.bytes.data(), c.bytes.size()), c.opens);
        EXPECT_EQ(parser.ReadFrames().size(), c.frames);
    }

    // A control extension too short for its fields leaves the frame without a delay.
    const std::vector<uint8_t> shortGce = gif({{0x21, 0xF9, 2, 0x08, 7, 0}, image});
    CGifFrameParser parser;
    ASSERT_TRUE(parser.Open(shortGce.data(), shortGce.size()));
    const std::vector<GifFrame> frames = parser.ReadFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].delay, -1);
    EXPECT_EQ(frames[0].offset, head.size());
    EXPECT_EQ(frames[0].length, 6 + image.size());
}

TEST(GifFrameBuilder, RefusesFramesOutsideTheData)
{
    Opened o;
    Open("anim_none", o);
    // The last frame ends just before the trailer.
    EXPECT_FALSE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size() - 1, o.parser, o.frames.back()).empty());
    EXPECT_TRUE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size() - 2, o.parser, o.frames.back()).empty());
    GifFrame f = o.frames.back();
    f.length += 2;
    EXPECT_TRUE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), o.parser, f).empty());
    f = o.frames[0];
    f.offset = 3; // inside the header
    EXPECT_TRUE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), o.parser, f).empty());
    f.offset = size_t(-1);
    EXPECT_TRUE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), o.parser, f).empty());
    EXPECT_TRUE(CGifFrameBuilder::Build(o.bytes.data(), o.bytes.size(), CGifFrameParser(), o.frames[0]).empty());
}

TEST(GifFrame, WaitFollowsTheDelay)
{
    struct {
        int delay, ms;
    } cases[] = {{-1, 100}, {0, 100}, {4, 100}, {5, 50}, {10, 100}, {50, 500}, {65535, 655350}};
    for (const auto& c : cases) {
        GifFrame f;
        f.delay = c.delay;
        EXPECT_EQ(f.WaitMs(), c.ms) << c.delay;
    }
}
