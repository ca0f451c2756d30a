// The animated picture control under Wine: frames decoded by the system's OLE picture loader
// and composed with their disposals must give the frames "convert -coalesce" gives; the
// worker animates, starts once however often Draw runs, and has ended (its handle closed)
// when Stop, UnLoad or the window's destruction returns.
#include "CAnimatedPicture.h"
#include "CGifFrameParser.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

static CWinApp theApp;

namespace {

std::string Fixture(const std::string& name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "\\tests\\fixtures\\" + name; }

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Frame N of a fixture as ImageMagick composes it; alpha 0 reads as `background`.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

Picture ReadPam(const std::string& path, COLORREF background)
{
    const std::vector<uint8_t> bytes = ReadAll(path);
    const std::string text(bytes.begin(), bytes.end());
    const size_t end = text.find("ENDHDR\n");
    Picture p;
    if (end == std::string::npos)
        return p;
    std::istringstream header(text.substr(0, end));
    std::string key;
    int depth = 0;
    while (header >> key) {
        if (key == "WIDTH") header >> p.width;
        else if (key == "HEIGHT") header >> p.height;
        else if (key == "DEPTH") header >> depth;
    }
    const uint8_t* d = bytes.data() + end + 7;
    for (int i = 0; i < p.width * p.height; ++i, d += depth)
        p.pixels.push_back(depth == 4 && d[3] == 0 ? background : RGB(d[0], d[1], d[2]));
    return p;
}

class AnimatedPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                    nullptr, nullptr));
        ASSERT_TRUE(picture.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, CRect(0, 0, 20, 20), &parent, 1021));
    }
    void TearDown() override
    {
        picture.DestroyWindow();
        parent.DestroyWindow();
        ::CoUninitialize();
    }
    // Compares the off-screen picture with a coalesced frame; the first difference, else "".
    std::string Differs(const Picture& expected)
    {
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x) {
                const COLORREF got = picture.GetOffscreenPixel(x, y);
                const COLORREF want = expected.pixels[size_t(y) * size_t(expected.width) + size_t(x)];
                if (got != want) {
                    char text[80];
                    std::snprintf(text, sizeof text, "(%d,%d): %06lx, want %06lx", x, y, (unsigned long)got,
                                  (unsigned long)want);
                    return text;
                }
            }
        return "";
    }
    CWnd parent;
    CAnimatedPicture picture;
};

TEST_F(AnimatedPictureTest, FramesComposeAsImageMagickCoalescesThem)
{
    const COLORREF background = RGB(10, 20, 30);
    const struct { const char* name; int frames; } cases[] = {
        {"anim_none", 4}, {"anim_background", 4}, {"anim_previous", 4}, {"anim_interlaced", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(picture.Load(Fixture(std::string(c.name) + ".gif").c_str()));
        ASSERT_EQ(picture.GetFrameCount(), c.frames);
        const Picture first = ReadPam(Fixture(std::string(c.name) + "-0.pam"), background);
        EXPECT_EQ(picture.GetSize().cx, first.width);
        EXPECT_EQ(picture.GetSize().cy, first.height);
        CRect rect;
        ::GetWindowRect(picture.m_hWnd, &rect);
        EXPECT_EQ(rect.Width(), first.width);  // the control takes the picture's size
        picture.SetBkColor(background);
        for (int i = 0; i < c.frames; ++i) {
            SCOPED_TRACE(i);
            picture.RenderFrame(i);
            EXPECT_EQ(Differs(ReadPam(Fixture(std::string(c.name) + "-" + std::to_string(i) + ".pam"), background)), "");
            picture.DisposeFrame(i);
        }
    }
}

TEST_F(AnimatedPictureTest, AOneFrameGifIsShownStillWithoutAWorker)
{
    ASSERT_TRUE(picture.Load(Fixture("still89.gif").c_str()));
    EXPECT_EQ(picture.GetFrameCount(), 0);
    EXPECT_EQ(picture.GetSize().cx, 9);
    EXPECT_EQ(picture.GetSize().cy, 7);
    EXPECT_TRUE(picture.Draw());
    EXPECT_EQ(picture.GetWorker(), nullptr);
    EXPECT_EQ(picture.GetOffscreenPixel(4, 3), RGB(255, 165, 0));
}

TEST_F(AnimatedPictureTest, ABitmapIsShownStillAtItsOwnSize)
{
    // A 24-bit 4 x 3 BMP, all blue.
    const int w = 4, h = 3, stride = 12;
    std::vector<uint8_t> bmp(54 + stride * h, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
    bmp[0] = 'B'; bmp[1] = 'M';
    put32(2, (uint32_t)bmp.size()); put32(10, 54); put32(14, 40); put32(18, w); put32(22, h);
    bmp[26] = 1; bmp[28] = 24; put32(34, stride * h);
    for (int i = 0; i < w * h; ++i)
        bmp[54 + (i / w) * stride + (i % w) * 3] = 255;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bmp.size());
    std::memcpy(::GlobalLock(block), bmp.data(), bmp.size());
    ::GlobalUnlock(block);
    ASSERT_TRUE(picture.Load(block, (DWORD)bmp.size()));
    ::GlobalFree(block);  // the caller's block; the control keeps none of it
    EXPECT_EQ(picture.GetSize().cx, w);
    EXPECT_EQ(picture.GetSize().cy, h);
    EXPECT_TRUE(picture.Draw());
    EXPECT_EQ(picture.GetOffscreenPixel(1, 1), RGB(0, 0, 255));
}

TEST_F(AnimatedPictureTest, DamagedOrMissingFilesFailAndLeaveNothingLoaded)
{
    const std::vector<uint8_t> gif = ReadAll(Fixture("anim_none.gif"));
    const std::vector<std::vector<uint8_t>> damaged = {
        {'G', 'I', 'F', '8', '9', 'a'},                         // no screen descriptor
        std::vector<uint8_t>(gif.begin(), gif.begin() + 13),    // header and no colour table
        {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't'},     // nothing the loader knows
    };
    for (const auto& bytes : damaged) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
        ::GlobalUnlock(block);
        EXPECT_FALSE(picture.Load(block, (DWORD)bytes.size()));
        EXPECT_FALSE(picture.IsReady());
        EXPECT_FALSE(picture.Draw());
        ::GlobalFree(block);
    }
    EXPECT_FALSE(picture.Load((std::string(VELMORA_TEST_BINARY_DIR) + "\\missing.gif").c_str()));
    // Cut inside its last frame: the frames before it still play.
    const std::vector<uint8_t> cut(gif.begin(), gif.end() - 8);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, cut.size());
    std::memcpy(::GlobalLock(block), cut.data(), cut.size());
    ::GlobalUnlock(block);
    EXPECT_TRUE(picture.Load(block, (DWORD)cut.size()));
    EXPECT_EQ(picture.GetFrameCount(), 3);
    ::GlobalFree(block);
}

TEST_F(AnimatedPictureTest, AGifOfWhichOneFrameDecodesShowsThatFrameStill)
{
    // The second frame's image claims 65535 x 65535 pixels: no picture loader builds it.
    std::vector<uint8_t> gif = ReadAll(Fixture("anim_interlaced.gif"));
    CGifFrameParser parser;
    ASSERT_TRUE(parser.Open(gif.data(), gif.size()));
    const std::vector<GifFrame> blocks = parser.ReadFrames();
    ASSERT_EQ(blocks.size(), 2u);
    size_t descriptor = blocks[1].offset;
    while (descriptor < gif.size() && gif[descriptor] != 0x2C)
        descriptor += gif[descriptor] == 0x21 ? 2 + gif[descriptor + 2] + 1 + 1 : 1;  // a graphic control extension
    ASSERT_LT(descriptor + 9, gif.size());
    for (size_t i = 5; i < 9; ++i)
        gif[descriptor + i] = 0xFF;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, gif.size());
    std::memcpy(::GlobalLock(block), gif.data(), gif.size());
    ::GlobalUnlock(block);
    ASSERT_TRUE(picture.Load(block, (DWORD)gif.size()));
    ::GlobalFree(block);
    EXPECT_EQ(picture.GetFrameCount(), 1);
    EXPECT_TRUE(picture.Draw()) << "the frame that decoded is shown";
    EXPECT_EQ(picture.GetWorker(), nullptr);
    EXPECT_EQ(Differs(ReadPam(Fixture("anim_interlaced-0.pam"), RGB(0, 0, 0))), "");
}

TEST_F(AnimatedPictureTest, DrawingTwiceStartsOneWorkerAndStopJoinsIt)
{
    ASSERT_TRUE(picture.Load(Fixture("anim_none.gif").c_str()));
    EXPECT_FALSE(picture.Draw());
    const HANDLE worker = picture.GetWorker();
    ASSERT_NE(worker, nullptr);
    EXPECT_FALSE(picture.Draw());
    EXPECT_EQ(picture.GetWorker(), worker);
    HANDLE copy = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), worker, ::GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0));
    // The animation moves on: frame 1 (red at 2,3) follows the white first frame after 100 ms.
    Pump(400);
    EXPECT_TRUE(picture.IsRunning());
    picture.Stop();
    EXPECT_EQ(::WaitForSingleObject(copy, 0), WAIT_OBJECT_0);  // ended when Stop returned
    ::CloseHandle(copy);
    EXPECT_EQ(picture.GetWorker(), nullptr);
    EXPECT_FALSE(picture.IsRunning());
    EXPECT_FALSE(picture.Draw());  // a new worker after a stop
    EXPECT_NE(picture.GetWorker(), nullptr);
    picture.UnLoad();
    EXPECT_EQ(picture.GetWorker(), nullptr);
    EXPECT_FALSE(picture.IsReady());
}

TEST_F(AnimatedPictureTest, TheWorkerPlaysFramesWhileTheWindowPaints)
{
    ASSERT_TRUE(picture.Load(Fixture("anim_none.gif").c_str()));
    picture.Draw();
    // Frame 0 (white, 100 ms), frame 1 adds red at (2,3) for 100 ms, frame 2 blue at (9,6).
    bool sawRed = false, sawBlue = false;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 1500 && !(sawRed && sawBlue)) {
        picture.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        sawRed = sawRed || picture.GetOffscreenPixel(2, 3) == RGB(255, 0, 0);
        sawBlue = sawBlue || picture.GetOffscreenPixel(9, 6) == RGB(0, 0, 255);
        Pump(10);
    }
    EXPECT_TRUE(sawRed);
    EXPECT_TRUE(sawBlue);
}

TEST_F(AnimatedPictureTest, DestroyingTheWindowStopsTheWorker)
{
    ASSERT_TRUE(picture.Load(Fixture("anim_previous.gif").c_str()));
    picture.Draw();
    HANDLE copy = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), picture.GetWorker(), ::GetCurrentProcess(), &copy,
                                  SYNCHRONIZE, FALSE, 0));
    Pump(50);
    const DWORD start = ::GetTickCount();
    picture.DestroyWindow();
    EXPECT_LT(::GetTickCount() - start, 1000u);  // woken from its frame delay at once
    EXPECT_EQ(::WaitForSingleObject(copy, 0), WAIT_OBJECT_0);
    ::CloseHandle(copy);
    EXPECT_EQ(picture.GetWorker(), nullptr);
}

}  // namespace
