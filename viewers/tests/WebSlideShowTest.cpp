// Web and SlideShow targets apart from their windows: where the browser window goes and how
// it slides in, which links leave the browser, the slideshow's timing, fit and centring, and
// both records.
#include "CSlideShowViewer.h"
#include "CWebViewer.h"
#include "FakePlatform.h"
#include "SlideShowSequence.h"
#include "ViewerFactory.h"
#include "WebNavigationRule.h"
#include "WebWindowLayout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(WebWindowLayout, PositionsOnTheWorkArea)
{
    struct Case { int sizeType, positionType, preset, x, y, left, top; bool placed; };
    const Case cases[] = {
        { 0, 1, 2, 0, 0, 312, 219, true },     // centre of 1024 x 738 for 400 x 300
        { 0, 1, 0, 0, 0, 0, 0, true },
        { 0, 1, 1, 0, 0, 624, 0, true },
        { 0, 1, 3, 0, 0, 0, 438, true },
        { 0, 1, 4, 0, 0, 624, 438, true },
        { 0, 1, 9, 0, 0, 624, 438, true },     // any larger preset: bottom right
        { 0, 2, 2, 50, 25, 512, 184, true },   // per cent of the work area
        { 3, 2, 2, 10, 100, 102, 738, true },
        { 0, 0, 2, 50, 50, 0, 0, false },      // left where the browser put it
        { 1, 1, 4, 50, 50, 0, 0, true },       // work area and full screen start at 0, 0
        { 2, 2, 4, 50, 50, 0, 0, true },
    };
    for (const Case& c : cases) {
        CWebViewerSettings s;
        s.WindowSizeType = c.sizeType;
        s.WindowPositionType = c.positionType;
        s.WindowPreset = c.preset;
        s.CustomX = c.x;
        s.CustomY = c.y;
        int left = -1, top = -1;
        const bool placed = WebWindowLayout::Position(s, 1024, 738, 400, 300, left, top);
        EXPECT_EQ(placed, c.placed) << c.sizeType << "/" << c.positionType << "/" << c.preset;
        if (placed) {
            EXPECT_EQ(left, c.left) << c.sizeType << "/" << c.positionType << "/" << c.preset;
            EXPECT_EQ(top, c.top) << c.sizeType << "/" << c.positionType << "/" << c.preset;
        }
    }
}

TEST(WebWindowLayout, SizesByType)
{
    WebWindowLayout::Frame frame;
    frame.known = true;
    frame.outerWidth = 768;
    frame.outerHeight = 576;
    frame.clientWidth = 760;
    frame.clientHeight = 500;
    frame.edgeWidth = 2;
    frame.edgeHeight = 2;
    CWebViewerSettings s;
    s.CustomWidth = 640;
    s.CustomHeight = 480;
    int w = 0, h = 0;
    s.WindowSizeType = 3;  // client area enlarged by the frame
    ASSERT_TRUE(WebWindowLayout::Size(s, 1024, 738, frame, w, h));
    EXPECT_EQ(w, 640 + 768 + 2 - 760);
    EXPECT_EQ(h, 480 + 576 + 2 - 500);
    s.WindowSizeType = 1;
    ASSERT_TRUE(WebWindowLayout::Size(s, 1024, 738, frame, w, h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 738);
    s.WindowSizeType = 0;
    EXPECT_FALSE(WebWindowLayout::Size(s, 1024, 738, frame, w, h));
    s.WindowSizeType = 2;
    EXPECT_FALSE(WebWindowLayout::Size(s, 1024, 738, frame, w, h)) << "full screen is the browser's own";
    // A browser that cannot report its sizes: nothing is computed from unset values.
    s.WindowSizeType = 3;
    w = h = -7;
    EXPECT_FALSE(WebWindowLayout::Size(s, 1024, 738, WebWindowLayout::Frame(), w, h));
    EXPECT_EQ(w, -7);
}

TEST(WebWindowEffect, EachTypeStartsStepsAndEndsAtItsRectangle)
{
    const WebWindowRect end{ 312, 219, 400, 300 };
    struct Case { int type; WebWindowRect start; WebWindowRect second; };
    // 4 steps on a 1024 x 738 work area.
    const Case cases[] = {
        { 0, { -400, 219, 400, 300 }, { -222, 219, 400, 300 } },
        { 1, { 1024, 219, 400, 300 }, { 846, 219, 400, 300 } },
        { 2, { 312, -300, 400, 300 }, { 312, -170, 400, 300 } },
        { 3, { 312, 738, 400, 300 }, { 312, 608, 400, 300 } },
        { 4, { 312, 219, 0, 300 }, { 312, 219, 100, 300 } },
        { 5, { 312, 219, 400, 0 }, { 312, 219, 400, 75 } },
        { 6, { 312, 219, 0, 0 }, { 312, 219, 100, 75 } },
    };
    for (const Case& c : cases) {
        WebWindowEffect effect;
        EXPECT_EQ(effect.Start(c.type, 4, end, 1024, 738), c.start) << "type " << c.type;
        EXPECT_TRUE(effect.IsRunning());
        EXPECT_EQ(effect.Moves(), c.type <= 3);
        EXPECT_EQ(effect.Step(), c.second) << "type " << c.type;
        int steps = 1;
        WebWindowRect last;
        while (effect.IsRunning() && steps < 100) {
            last = effect.Step();
            ++steps;
        }
        EXPECT_EQ(steps, 4) << "type " << c.type;
        EXPECT_EQ(last, end) << "type " << c.type;
        EXPECT_EQ(effect.Step(), end) << "stays at the end";
    }
}

TEST(WebWindowEffect, UnevenStepsAreClampedAndNoStepsLandAtOnce)
{
    const WebWindowRect end{ 10, 20, 333, 222 };
    WebWindowEffect effect;
    effect.Start(6, 7, end, 800, 600);
    WebWindowRect r;
    int steps = 0;
    while (effect.IsRunning() && steps < 50) {
        r = effect.Step();
        EXPECT_LE(r.width, 333);
        EXPECT_LE(r.height, 222);
        ++steps;
    }
    EXPECT_LE(steps, 8);
    EXPECT_EQ(r, end);
    for (int speed : { 0, -5 }) {
        WebWindowEffect none;
        EXPECT_EQ(none.Start(0, speed, end, 800, 600), end) << speed;
        EXPECT_FALSE(none.IsRunning()) << speed;
    }
    WebWindowEffect unknown;
    EXPECT_EQ(unknown.Start(7, 10, end, 800, 600), end);
    EXPECT_FALSE(unknown.IsRunning());
}

TEST(WebNavigationRule, WhichLinksLeaveTheBrowser)
{
    struct Case { const char* url; bool pdf; WebNavigationRule::Action action; const char* outside; };
    const Case cases[] = {
        { "C:\\web\\Doc.PDF", true, WebNavigationRule::OpenOutside, "c:\\web\\doc.pdf" },
        { "file:///C:/web/doc.pdf", true, WebNavigationRule::OpenOutside, "file:///c:/web/doc.pdf" },
        { "C:\\web\\doc.pdf", false, WebNavigationRule::Navigate, "" },
        { "http://x/doc.pdf.html", true, WebNavigationRule::Navigate, "" },
        { "http://x/a.pdf/b.pdf", true, WebNavigationRule::Navigate, "" },  // the first ".pdf" decides
        { "http://x/Setup.EXE", false, WebNavigationRule::OpenOutside, "http://x/setup.exe" },
        { "http://x/setup.exe.htm", false, WebNavigationRule::Navigate, "" },
        { "javascript:window.close()", true, WebNavigationRule::CloseBrowser, "" },
        { "JavaScript:Window.Close()", false, WebNavigationRule::CloseBrowser, "" },
        { "javascript:window.close();", false, WebNavigationRule::Navigate, "" },
        { "", true, WebNavigationRule::Navigate, "" },
    };
    for (const Case& c : cases) {
        CString outside;
        EXPECT_EQ(WebNavigationRule::Decide(c.url, c.pdf, true, outside), c.action) << c.url;
        EXPECT_EQ(outside, c.outside) << c.url;
    }
}

TEST(SlideShowLayout, FitAndCentre)
{
    struct Case { bool scale; int w, h, drawnW, drawnH, left, top; };
    const Case cases[] = {
        { true, 400, 300, 800, 600, 0, 0 },        // enlarged to the window
        { true, 1600, 1300, 800, 650, 0, -25 },    // 800 / 1600: top and bottom 25 cut
        { true, 300, 600, 300, 600, 250, 0 },      // height sticks out more: H / h = 1
        { true, 100, 500, 120, 600, 340, 0 },
        { false, 1600, 1300, 1600, 1300, -400, -350 },
        { false, 200, 100, 200, 100, 300, 250 },
        { true, 0, 0, 0, 0, 400, 300 },
    };
    for (const Case& c : cases) {
        int w, h, left, top;
        SlideShowLayout::Fit(c.scale, c.w, c.h, 800, 600, w, h);
        SlideShowLayout::Centre(800, 600, w, h, left, top);
        EXPECT_EQ(w, c.drawnW) << c.w << "x" << c.h;
        EXPECT_EQ(h, c.drawnH) << c.w << "x" << c.h;
        EXPECT_EQ(left, c.left) << c.w << "x" << c.h;
        EXPECT_EQ(top, c.top) << c.w << "x" << c.h;
    }
}

TEST(SlideShowSequence, Interval)
{
    struct Case { unsigned type; int displayTime; bool stream; long length; int slides; int ms; };
    const Case cases[] = {
        { 0, 2, true, 30000, 4, 2000 },
        { 1, 2, true, 30000, 4, 7500 },
        { 1, 2, false, 30000, 4, 2000 },   // no stream
        { 1, 3, true, 0, 4, 3000 },        // no length
        { 1, 3, true, 30000, 0, 3000 },    // no slides
        { 1, 3, true, 3, 4, 3000 },        // a share of nothing
        { 1, -4, false, 0, 4, 0 },         // negative is 0
        { 0, -1, true, 30000, 4, 0 },
        { 0, 5000000, false, 0, 1, 2147483647 },
    };
    for (const Case& c : cases) {
        CSlideShowViewerSettings s;
        s.DisplayTimeType = c.type;
        s.DisplayTime = c.displayTime;
        EXPECT_EQ(SlideShowSequence::Interval(s, c.stream, c.length, c.slides), c.ms)
            << c.type << " " << c.displayTime << " " << c.length << " " << c.slides;
    }
}

// Runs a show on a simulated clock: what each tick does and when, until it closes, stops or
// the clock reaches limitMs.
std::vector<std::string> RunShow(int slides, bool loop, bool close, int interval, std::vector<bool> decodes,
                             bool stream, int limitMs)
{
    SlideShowSequence seq(slides, loop, close, interval);
    std::vector<std::string> out;
    int now = SlideShowSequence::FirstTickMs;
    while (now <= limitMs) {
        bool music = false;
        const SlideShowSequence::Action a = seq.Tick(stream, music);
        if (a == SlideShowSequence::Close) {
            out.push_back("close@" + std::to_string(now));
            break;
        }
        if (a == SlideShowSequence::Stop) {
            out.push_back("stop@" + std::to_string(now));
            break;
        }
        const bool ok = decodes.empty() || decodes[size_t(seq.Slide()) % decodes.size()];
        out.push_back(std::string(music ? "music+" : "") + (ok ? "" : "bad") + std::to_string(seq.Slide()) + "@"
                      + std::to_string(now));
        now += seq.Shown(ok);
    }
    return out;
}

TEST(SlideShowSequence, TicksOnASimulatedClock)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(RunShow(3, false, true, 1000, {}, false, 10000), (V{ "0@100", "1@1100", "2@2100", "close@3100" }));
    EXPECT_EQ(RunShow(3, false, true, 2000, {}, true, 10000), (V{ "music+0@100", "1@2100", "2@4100", "close@6100" }));
    EXPECT_EQ(RunShow(2, true, true, 1000, {}, true, 4200),
              (V{ "music+0@100", "1@1100", "music+0@2100", "1@3100", "music+0@4100" }));
    EXPECT_EQ(RunShow(3, false, false, 1000, {}, false, 10000), (V{ "0@100", "1@1100", "2@2100", "stop@3100" }));
    EXPECT_EQ(RunShow(3, false, true, 1000, { true, false, true }, false, 10000),
              (V{ "0@100", "bad1@1100", "2@1110", "close@2110" }));
    EXPECT_EQ(RunShow(0, true, false, 1000, {}, true, 10000), (V{ "close@100" }));
    EXPECT_EQ(RunShow(2, true, true, 1000, { false }, false, 140),
              (V{ "bad0@100", "bad1@110", "bad0@120", "bad1@130", "bad0@140" }));
}

// --- records and settings

class WebSlideShowRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::string(VELMORA_TEST_BINARY_DIR) + "/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::unique_ptr<CViewer> RoundTrip(CViewer& v, int major, int minor, int build, int* sentinel = nullptr)
    {
        {
            CFileReadWrite out;
            EXPECT_TRUE(out.OpenWrite(path_.c_str()));
            v.Write_DAT_File(&out, major, minor, build);
            out.WriteInt(0x5e7);
            out.Close();
        }
        CFileReadWrite in;
        EXPECT_TRUE(in.OpenRead(path_.c_str()));
        const int type = in.ReadInt();
        std::unique_ptr<CViewer> read(NewViewerOfType(type));
        read->SetViewerType(type);
        read->Read_DAT_File(&in, major, minor, build);
        const int s = in.ReadInt();
        if (sentinel)
            *sentinel = s;
        return read;
    }
    std::string path_;
};

void ConfigureWeb(CWebViewer& w)
{
    w.SetViewerType(CViewer::TypeWeb);
    w.SetTargetFilename("web\\index.html");
    w.SetShowToolBar(0);
    w.SetShowMenuBar(1);
    w.SetShowAddressBar(0);
    w.SetShowStatusBar(1);
    w.SetWindowSizeType(3);
    w.SetCustomWidth(640);
    w.SetCustomHeight(480);
    w.SetWindowResize(0);
    w.SetWindowPositionType(2);
    w.SetWindowPreset(4);
    w.SetCustomX(10);
    w.SetCustomY(20);
    w.SetUseEffects(1);
    w.SetEffectType(6);
    w.SetEffectSpeed(25);
    w.SetWaitToLoad(0);
    w.SetLaunchPDFExternally(1);
}

TEST_F(WebSlideShowRecord, WebRecordReadsBackAndGatesItsLastFlag)
{
    CWebViewer web;
    ConfigureWeb(web);
    int sentinel = 0;
    std::unique_ptr<CViewer> read = RoundTrip(web, 2, 9, 6, &sentinel);
    CWebViewer* back = dynamic_cast<CWebViewer*>(read.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(sentinel, 0x5e7);
    EXPECT_EQ(back->WebSettings(), web.WebSettings());
    EXPECT_EQ(back->GetTargetFilename(), "web\\index.html");
    EXPECT_EQ(back->GetCustomX(), 10);
    EXPECT_EQ(back->GetEffectSpeed(), 25);
    // Before 2.9.3 there is no LaunchPDFExternally: it keeps its default, and the record
    // ends one flag earlier.
    read = RoundTrip(web, 2, 9, 2, &sentinel);
    back = dynamic_cast<CWebViewer*>(read.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(sentinel, 0x5e7);
    EXPECT_EQ(back->GetLaunchPDFExternally(), 0);
    EXPECT_EQ(back->GetEffectType(), 6);
}

TEST(WebViewer, DefaultsSetEqualAndInit)
{
    CWebViewer web;
    const CWebViewerSettings defaults;
    EXPECT_EQ(web.WebSettings(), defaults);
    EXPECT_EQ(web.GetShowToolBar(), 1);
    EXPECT_EQ(web.GetCustomWidth(), 800);
    EXPECT_EQ(web.GetWindowPreset(), 2);
    EXPECT_EQ(web.GetEffectSpeed(), 100);
    EXPECT_EQ(web.GetWaitToLoad(), 1);
    CWebViewer copy;
    ConfigureWeb(web);
    copy.SetEqual(&web);
    EXPECT_EQ(copy.WebSettings(), web.WebSettings());
    EXPECT_EQ(copy.GetTargetFilename(), "web\\index.html");
    EXPECT_FALSE(copy.GetFullScreen());
    FakePlatform platform;
    copy.SetPlatform(&platform);
    copy.SetWindowSizeType(2);
    copy.SetProgramDirectory("D:\\cd");
    copy.Init();
    EXPECT_TRUE(copy.GetFullScreen());
    EXPECT_EQ(copy.GetTargetFileAndPath(), "file:///D:/cd/web/index.html");
}

TEST(WebViewer, EffectTimerMovesTheWindowAndStops)
{
    // Without a browser the timer still ends itself when no effect runs.
    FakePlatform platform;
    CWebViewer web;
    web.SetPlatform(&platform);
    web.OnTimer(CWebViewer::EffectTimer);
    EXPECT_EQ(web.GetEffectTimerId(), -1);
    EXPECT_FALSE(web.IsWindowMoving());
}

void ConfigureShow(CSlideShowViewer& s)
{
    s.SetViewerType(CViewer::TypeSlideShow);
    s.SetLoopSlideShow(1);
    s.SetCloseSlideShowAfterDone(0);
    s.SetShowCloseButton(1);
    s.SetSlideShowWindowSize(1);
    s.SetCustomSlideShowWidth(640);
    s.SetCustomSlideShowHeight(480);
    s.SetDisplayTimeType(1);
    s.SetDisplayTime(3);
    s.SetBackgroundMusic("music\\show.wav");
    s.SetSSBackgroundColor(0x00123456);
    s.SetImageSizeType(1);
    s.AddSlide("pics\\one.png");
    s.AddSlide("pics\\two.bmp");
    s.AddSlide("pics\\three.jpg");
}

TEST_F(WebSlideShowRecord, SlideShowRecordReadsBackAndGatesImageSizeType)
{
    CSlideShowViewer show;
    ConfigureShow(show);
    int sentinel = 0;
    std::unique_ptr<CViewer> read = RoundTrip(show, 2, 9, 6, &sentinel);
    CSlideShowViewer* back = dynamic_cast<CSlideShowViewer*>(read.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(sentinel, 0x5e7);
    EXPECT_EQ(back->SlideShowSettings(), show.SlideShowSettings());
    EXPECT_EQ(back->GetNumSlides(), 3);
    ASSERT_EQ(back->GetSlides().size(), 3u);
    EXPECT_EQ(back->GetSlides()[2], "pics\\three.jpg");
    EXPECT_EQ(back->GetSSBackgroundColor(), 0x00123456u);
    read = RoundTrip(show, 2, 8, 2, &sentinel);
    back = dynamic_cast<CSlideShowViewer*>(read.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(sentinel, 0x5e7);
    EXPECT_EQ(back->GetImageSizeType(), 0) << "older than 2.8.3: natural size";
    EXPECT_EQ(back->GetNumSlides(), 3);
}

TEST_F(WebSlideShowRecord, SlideCountBeyondTheRecordsStopsAtTheEnd)
{
    {
        CFileReadWrite out;
        ASSERT_TRUE(out.OpenWrite(path_.c_str()));
        CSlideShowViewer show;
        show.SetViewerType(CViewer::TypeSlideShow);
        show.Write_DAT_File(&out, 2, 9, 6);  // its empty list: count 0 ...
        out.Close();
    }
    // ... patched to promise 1000 slides, with two present.
    FILE* f = std::fopen(path_.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, -4, SEEK_END);
    const unsigned char thousand[4] = { 0xe8, 0x03, 0, 0 };
    std::fwrite(thousand, 1, 4, f);
    std::fclose(f);
    {
        CFileReadWrite more;
        // Two names, written by the record file, appended.
        std::vector<unsigned char> bytes;
        FILE* r = std::fopen(path_.c_str(), "rb");
        for (int c; (c = std::fgetc(r)) != EOF;)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(r);
        const std::string tail = path_ + ".tail";
        ASSERT_TRUE(more.OpenWrite(tail.c_str()));
        more.WriteString("a.png");
        more.WriteString("b.png");
        more.Close();
        r = std::fopen(tail.c_str(), "rb");
        for (int c; (c = std::fgetc(r)) != EOF;)
            bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(r);
        std::remove(tail.c_str());
        FILE* w = std::fopen(path_.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), w);
        std::fclose(w);
    }
    CFileReadWrite in;
    ASSERT_TRUE(in.OpenRead(path_.c_str()));
    ASSERT_EQ(in.ReadInt(), CViewer::TypeSlideShow);
    CSlideShowViewer read;
    read.Read_DAT_File(&in, 2, 9, 6);
    EXPECT_EQ(read.GetNumSlides(), 2);
    ASSERT_EQ(read.GetSlides().size(), 2u);
    EXPECT_EQ(read.GetSlides()[1], "b.png");
}

TEST(SlideShowViewer, SetEqualCopiesItsOwnListAndClearAllResets)
{
    CSlideShowViewer show, copy;
    ConfigureShow(show);
    copy.AddSlide("old.png");
    copy.SetEqual(&show);
    EXPECT_EQ(copy.SlideShowSettings(), show.SlideShowSettings());
    show.DeleteAllSlides();
    EXPECT_EQ(show.GetNumSlides(), 0);
    EXPECT_EQ(copy.GetNumSlides(), 3) << "each viewer keeps its own list";
    copy.ClearAll();
    EXPECT_EQ(copy.SlideShowSettings(), CSlideShowViewerSettings());
    EXPECT_EQ(copy.GetCloseSlideShowAfterDone(), 1);
    EXPECT_EQ(copy.GetCustomSlideShowWidth(), 800);
    EXPECT_EQ(copy.GetDisplayTime(), 5);
}

TEST(SlideShowViewer, InitPrefixesOnceAndRefusesLongNames)
{
    FakePlatform platform;
    CSlideShowViewer show;
    show.SetPlatform(&platform);
    show.SetProgramDirectory("D:\\cd");
    show.SetBackgroundMusic("music\\show.wav");
    show.SetSlideShowWindowSize(1);
    show.AddSlide("pics\\one.png");
    show.AddSlide("D:\\cd\\pics\\two.png");
    show.AddSlide(CString(std::string(250, 'x').c_str()) + ".png");  // fits now, not after the prefix
    show.AddSlide(CString(std::string(260, 'y').c_str()));            // never fits
    EXPECT_EQ(show.GetNumSlides(), 3);
    show.Init();
    ASSERT_EQ(show.GetSlides().size(), 2u);
    EXPECT_EQ(show.GetNumSlides(), 2);
    EXPECT_EQ(show.GetSlides()[0], "D:\\cd\\pics\\one.png");
    EXPECT_EQ(show.GetSlides()[1], "D:\\cd\\pics\\two.png");
    EXPECT_EQ(show.GetBackgroundMusic(), "D:\\cd\\music\\show.wav");
    EXPECT_TRUE(show.GetFullScreen());
    EXPECT_NE(std::string(show.GetLog().c_str()).find("Slide name too long"), std::string::npos);
    show.Init();
    EXPECT_EQ(show.GetSlides()[0], "D:\\cd\\pics\\one.png") << "safe twice";
    CSlideShowViewer other;
    other.SetPlatform(&platform);
    other.SetSlideShowWindowSize(2);
    other.Init();
    EXPECT_FALSE(other.GetFullScreen()) << "only size 1 hides the taskbar";
}

}
