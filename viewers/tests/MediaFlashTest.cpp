// Media and Flash targets without their windows: their records and version gates, SetEqual,
// the control choice, where each window and its control go, the Flash installer's command line
// and its start from Init, the close decisions, and the media target's fallback to a File
// launch when no player control can be used.
#include "CFlashViewer.h"
#include "CMediaViewer.h"
#include "CRegistryKey.h"
#include "FakePlatform.h"
#include "FlashWindowLayout.h"
#include "MediaWindowLayout.h"
#include "ViewerFactory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// The tags of a record file, and its integer values (strings as -1).
struct Tagged {
    std::vector<int> tags;
    std::vector<long> values;
};

Tagged ReadTags(const std::string& path)
{
    Tagged out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return out;
    for (int tag; (tag = std::fgetc(f)) != EOF;) {
        const int lo = std::fgetc(f), hi = std::fgetc(f);
        const int length = lo | hi << 8;
        long value = 0;
        for (int i = 0; i < length; ++i) {
            const int c = std::fgetc(f);
            if (i < 4)
                value |= long(c) << (8 * i);
        }
        out.tags.push_back(tag);
        out.values.push_back(tag == 2 ? -1 : value);
    }
    std::fclose(f);
    return out;
}

class MediaFlashRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::string(VELMORA_TEST_BINARY_DIR) + "/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    }
    void TearDown() override { std::remove(path_.c_str()); }
    void Write(CViewer& v, int major, int minor, int build)
    {
        CFileReadWrite file;
        ASSERT_TRUE(file.OpenWrite(path_.c_str()));
        v.Write_DAT_File(&file, major, minor, build);
        file.WriteInt(0x5e7);
        file.Close();
    }
    std::unique_ptr<CViewer> Read(int major, int minor, int build)
    {
        CFileReadWrite file;
        EXPECT_TRUE(file.OpenRead(path_.c_str()));
        const int type = file.ReadInt();
        std::unique_ptr<CViewer> v(NewViewerOfType(type));
        v->SetViewerType(type);
        v->Read_DAT_File(&file, major, minor, build);
        EXPECT_EQ(file.ReadInt(), 0x5e7) << "the record ends where it was written to end";
        return v;
    }
    std::string path_;
};

CMediaViewerSettings OddMedia()
{
    CMediaViewerSettings s;
    s.AutoStartPlaying = 0;
    s.Repeat = 1;
    s.CloseAfterFinished = 0;
    s.TitleBar = 0;
    s.WindowSize = 2;
    s.CustomMediaWidth = 321;
    s.CustomMediaHeight = 123;
    s.ShowControls = 0;
    s.ShowTracker = 0;
    s.ShowPosition = 0;
    s.ShowAudio = 0;
    s.ShowDisplay = 1;
    s.BackgroundColor = 0x00ABCDEF;
    s.ShowBorder = 1;
    s.BorderWidth = 9;
    s.BorderColor = 0x00123456;
    return s;
}

CFlashViewerSettings OddFlash()
{
    CFlashViewerSettings s;
    s.StartPlaying = 0;
    s.LoopAnimation = 1;
    s.CloseFlashAfterFinished = 0;
    s.ShowTitleBar = 0;
    s.FlashWindowSize = 1;
    s.CustomFlashWidth = 300;
    s.CustomFlashHeight = 200;
    s.ShowRightClickMenu = 1;
    return s;
}

TEST_F(MediaFlashRecord, DefaultsAreThoseOfANewTarget)
{
    CMediaViewer media;
    const CMediaViewerSettings& m = media.MediaSettings();
    EXPECT_EQ(m.AutoStartPlaying, 1);
    EXPECT_EQ(m.Repeat, 0);
    EXPECT_EQ(m.CloseAfterFinished, 1);
    EXPECT_EQ(m.TitleBar, 1);
    EXPECT_EQ(m.WindowSize, 0u);
    EXPECT_EQ(m.CustomMediaWidth, 800);
    EXPECT_EQ(m.CustomMediaHeight, 600);
    EXPECT_EQ(m.ShowControls + m.ShowTracker + m.ShowPosition + m.ShowAudio, 4);
    EXPECT_EQ(m.ShowDisplay + m.ShowBorder, 0);
    EXPECT_EQ(m.BorderWidth, 5);
    EXPECT_EQ(m.BackgroundColor + m.BorderColor, 0u);
    EXPECT_TRUE(media.GetUsesOlderControl());
    EXPECT_TRUE(media.GetHasWindow());
    EXPECT_EQ(media.GetWindow(), nullptr);

    CFlashViewer flash;
    const CFlashViewerSettings& f = flash.FlashSettings();
    EXPECT_EQ(f.StartPlaying, 1);
    EXPECT_EQ(f.LoopAnimation, 0);
    EXPECT_EQ(f.CloseFlashAfterFinished, 1);
    EXPECT_EQ(f.ShowTitleBar, 1);
    EXPECT_EQ(f.FlashWindowSize, 0u);
    EXPECT_EQ(f.CustomFlashWidth, 640);
    EXPECT_EQ(f.CustomFlashHeight, 480);
    EXPECT_EQ(f.ShowRightClickMenu, 0);
    EXPECT_EQ(flash.GetWindow(), nullptr);
}

TEST_F(MediaFlashRecord, TheFactoryGivesMediaAndFlashViewers)
{
    std::unique_ptr<CViewer> media(NewViewerOfType(CViewer::TypeMedia));
    std::unique_ptr<CViewer> flash(NewViewerOfType(CViewer::TypeFlash));
    EXPECT_NE(dynamic_cast<CMediaViewer*>(media.get()), nullptr);
    EXPECT_NE(dynamic_cast<CFlashViewer*>(flash.get()), nullptr);
}

TEST_F(MediaFlashRecord, MediaRecordReadsBackThroughTheSettersAndKeepsItsOrder)
{
    CMediaViewer v;
    v.SetViewerType(CViewer::TypeMedia);
    v.SetTargetFilename("video\\intro.avi");
    v.SetMediaSettings(OddMedia());
    Write(v, 2, 9, 6);
    std::unique_ptr<CViewer> back = Read(2, 9, 6);
    auto* media = dynamic_cast<CMediaViewer*>(back.get());
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetTargetFilename(), "video\\intro.avi");
    EXPECT_TRUE(media->MediaSettings() == OddMedia());
    EXPECT_EQ(media->GetCustomMediaWidth(), 321);
    EXPECT_EQ(media->GetBorderColor(), 0x00123456u);

    // After the common record of nine: sixteen fields, flags and integers as the table has them.
    const Tagged raw = ReadTags(path_);
    const std::vector<int> tags = { 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 1, /* sentinel */ 1 };
    ASSERT_EQ(raw.tags.size(), 9 + tags.size());
    for (size_t i = 0; i < tags.size(); ++i)
        EXPECT_EQ(raw.tags[9 + i], tags[i]) << "field " << i + 1;
    EXPECT_EQ(raw.values[9 + 4], 2);
    EXPECT_EQ(raw.values[9 + 12], 0x00ABCDEF);
    EXPECT_EQ(raw.values[9 + 14], 9);
}

TEST_F(MediaFlashRecord, FlashRecordReadsBack)
{
    CFlashViewer v;
    v.SetViewerType(CViewer::TypeFlash);
    v.SetTargetFilename("flash\\movie.swf");
    v.SetFlashSettings(OddFlash());
    Write(v, 2, 9, 6);
    std::unique_ptr<CViewer> back = Read(2, 9, 6);
    auto* flash = dynamic_cast<CFlashViewer*>(back.get());
    ASSERT_NE(flash, nullptr);
    EXPECT_TRUE(flash->FlashSettings() == OddFlash());
    EXPECT_EQ(flash->GetShowRightClickMenu(), 1);
    const Tagged raw = ReadTags(path_);
    const std::vector<int> tags = { 0, 0, 0, 0, 1, 1, 1, 0, /* sentinel */ 1 };
    ASSERT_EQ(raw.tags.size(), 9 + tags.size());
    for (size_t i = 0; i < tags.size(); ++i)
        EXPECT_EQ(raw.tags[9 + i], tags[i]) << "field " << i + 1;
}

// Files older than the version that brought a field have no such field; reading one keeps
// the field's default of 1.
TEST_F(MediaFlashRecord, VersionGates)
{
    struct Case {
        int major, minor, build;
        size_t mediaFields, flashFields;
    } cases[] = {
        { 2, 6, 9, 15, 7 }, { 2, 7, 0, 16, 7 }, { 2, 8, 0, 16, 7 }, { 2, 8, 1, 16, 8 }, { 3, 0, 0, 16, 8 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor) + "." + std::to_string(c.build));
        const int common = IsVersionAtLeast(c.major, c.minor, c.build, 2, 8, 4) ? 9 : 8;
        CMediaViewer media;
        media.SetViewerType(CViewer::TypeMedia);
        media.SetMediaSettings(OddMedia());
        Write(media, c.major, c.minor, c.build);
        EXPECT_EQ(ReadTags(path_).tags.size(), common + c.mediaFields + 1);
        auto readMedia = Read(c.major, c.minor, c.build);
        const auto& m = dynamic_cast<CMediaViewer&>(*readMedia);
        EXPECT_EQ(m.GetTitleBar(), c.mediaFields == 16 ? 0 : 1);
        EXPECT_EQ(m.GetBorderWidth(), 9);

        CFlashViewer flash;
        flash.SetViewerType(CViewer::TypeFlash);
        flash.SetFlashSettings(OddFlash());
        Write(flash, c.major, c.minor, c.build);
        EXPECT_EQ(ReadTags(path_).tags.size(), common + c.flashFields + 1);
        auto readFlash = Read(c.major, c.minor, c.build);
        const auto& f = dynamic_cast<CFlashViewer&>(*readFlash);
        EXPECT_EQ(f.GetStartPlaying(), c.flashFields == 8 ? 0 : 1);
        EXPECT_EQ(f.GetShowRightClickMenu(), 1);
    }
}

TEST(MediaFlash, SetEqualCopiesTheSettingsAndTheCommonOnes)
{
    CMediaViewer from, to;
    from.SetMediaSettings(OddMedia());
    from.SetTargetFilename("a.mpg");
    to.SetEqual(&from);
    EXPECT_TRUE(to.MediaSettings() == OddMedia());
    EXPECT_EQ(to.GetTargetFilename(), "a.mpg");

    CFlashViewer flashFrom, flashTo;
    flashFrom.SetFlashSettings(OddFlash());
    flashFrom.SetTargetFilename("m.swf");
    flashTo.SetEqual(&flashFrom);
    EXPECT_TRUE(flashTo.FlashSettings() == OddFlash());
    EXPECT_EQ(flashTo.GetTargetFilename(), "m.swf");

    // Another kind gives only the common settings.
    CMediaViewer other;
    other.SetEqual(&flashFrom);
    EXPECT_TRUE(other.MediaSettings() == CMediaViewerSettings());
    EXPECT_EQ(other.GetTargetFilename(), "m.swf");
}

TEST(MediaFlash, InitSetsFullScreenOnlyForTheWholeScreenSize)
{
    for (unsigned size : { 0u, 1u, 2u, 3u }) {
        FakePlatform platform;
        CMediaViewer media;
        media.SetPlatform(&platform);
        media.SetWindowSize(size);
        media.Init();
        EXPECT_EQ(media.GetFullScreen(), size == 1) << size;
        CFlashViewer flash;
        flash.SetPlatform(&platform);
        flash.SetFlashWindowSize(size);
        flash.Init();
        EXPECT_EQ(flash.GetFullScreen(), size == 1) << size;
    }
}

TEST(MediaFlash, ControlChoiceByTheOlderControlsFileVersion)
{
    const struct {
        const char* version;
        bool newer;
    } cases[] = {
        { "9.0.0.3250", true }, { "10.0.0.3802", true }, { "6.4.9.1130", false }, { "7.1.0.3055", false },
        { "8.0.0.4487", false }, { "11.0.5721.5145", false }, { "1.0.0.0", false }, { "", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsesNewerMediaControl(c.version), c.newer) << c.version;
}

LayoutMetrics Screen1024()
{
    LayoutMetrics m;
    m.screenWidth = 1024;
    m.screenHeight = 768;
    m.areaLeft = 0;
    m.areaTop = 0;
    m.areaRight = 1024;
    m.areaBottom = 740;  // a task bar below
    m.dialogFrameX = 3;
    m.dialogFrameY = 3;
    m.captionHeight = 18;
    return m;
}

TEST(MediaFlash, MediaWindowRectangles)
{
    const LayoutMetrics m = Screen1024();
    struct Case {
        const char* name;
        bool older;
        int caption, border, borderWidth, controls, tracker;
        unsigned size;
        LayoutRect control, window;
    } cases[] = {
        // 320 x 240, buttons and tracker, no caption, no border.
        { "newer plain", false, 0, 0, 5, 1, 1, 0, { 0, 0, 320, 286 }, { 352, 227, 320, 286 } },
        // The older control counts its border width without a border.
        { "older plain", true, 0, 0, 5, 1, 1, 0, { 0, 0, 330, 298 }, { 347, 221, 330, 298 } },
        { "newer caption and border", false, 1, 1, 5, 1, 1, 0, { 5, 5, 320, 286 }, { 344, 211, 336, 317 } },
        { "newer buttons only", false, 0, 0, 5, 1, 0, 0, { 0, 0, 320, 267 }, { 352, 236, 320, 267 } },
        { "newer no panel", false, 0, 0, 5, 0, 1, 0, { 0, 0, 320, 240 }, { 352, 250, 320, 240 } },
        { "older caption, no panel", true, 1, 1, 4, 0, 1, 0, { 0, 0, 328, 248 }, { 345, 235, 334, 269 } },
        { "newer custom", false, 0, 1, 2, 1, 1, 2, { 2, 2, 800, 646 }, { 110, 45, 804, 650 } },
        { "older custom", true, 0, 0, 5, 1, 1, 2, { 0, 0, 810, 658 }, { 107, 41, 810, 658 } },
        { "newer full screen with caption and border", false, 1, 1, 5, 1, 1, 1, { 5, 5, 1008, 737 },
          { 0, 0, 1024, 768 } },
        { "older full screen with caption", true, 1, 0, 5, 1, 1, 1, { 0, 0, 1018, 747 }, { 0, 0, 1024, 768 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMediaViewerSettings s;
        s.TitleBar = c.caption;
        s.ShowBorder = c.border;
        s.BorderWidth = c.borderWidth;
        s.ShowControls = c.controls;
        s.ShowTracker = c.tracker;
        s.WindowSize = c.size;
        const ControlWindowLayout l = c.older ? OlderMediaLayout(s, 320, 240, m) : NewerMediaLayout(s, 320, 240, m);
        EXPECT_FALSE(l.keepTemplate);
        EXPECT_EQ(l.control.x, c.control.x);
        EXPECT_EQ(l.control.y, c.control.y);
        EXPECT_EQ(l.control.width, c.control.width);
        EXPECT_EQ(l.control.height, c.control.height);
        EXPECT_EQ(l.window.x, c.window.x);
        EXPECT_EQ(l.window.y, c.window.y);
        EXPECT_EQ(l.window.width, c.window.width);
        EXPECT_EQ(l.window.height, c.window.height);
    }
    CMediaViewerSettings unknown;
    unknown.WindowSize = 7;
    EXPECT_TRUE(NewerMediaLayout(unknown, 320, 240, m).keepTemplate);
    EXPECT_TRUE(OlderMediaLayout(unknown, 320, 240, m).keepTemplate);
}

TEST(MediaFlash, CentringInAWorkAreaThatDoesNotStartAtTheCorner)
{
    LayoutMetrics m = Screen1024();
    m.areaLeft = 100;
    m.areaTop = 30;
    // x = (right - width - left) / 2, y = (bottom - top - height) / 2, truncated toward zero.
    const LayoutRect r = CentreInWorkArea(301, 201, m);
    EXPECT_EQ(r.x, (1024 - 301 - 100) / 2);
    EXPECT_EQ(r.y, (740 - 30 - 201) / 2);
    const LayoutRect wide = CentreInWorkArea(1101, 801, m);
    EXPECT_EQ(wide.x, -88);
    EXPECT_EQ(wide.y, -45);
}

TEST(MediaFlash, NewerControlPanelAndClosingAtTheEnd)
{
    const struct {
        int controls, tracker;
        const char* mode;
    } modes[] = { { 1, 1, "full" }, { 1, 0, "mini" }, { 0, 1, "none" }, { 0, 0, "none" } };
    for (const auto& c : modes) {
        CMediaViewerSettings s;
        s.ShowControls = c.controls;
        s.ShowTracker = c.tracker;
        EXPECT_STREQ(NewerMediaUiMode(s), c.mode);
    }
    const struct {
        int repeat, close;
        bool closes;
    } ends[] = { { 0, 1, true }, { 1, 1, false }, { 0, 0, false }, { 1, 0, false } };
    for (const auto& c : ends) {
        CMediaViewerSettings s;
        s.Repeat = c.repeat;
        s.CloseAfterFinished = c.close;
        EXPECT_EQ(MediaClosesAtEnd(s), c.closes) << c.repeat << c.close;
    }
}

TEST(MediaFlash, FlashWindowRectangles)
{
    const LayoutMetrics m = Screen1024();
    CFlashViewerSettings s;
    // Defaults: 640 x 480 with a caption, centred on the whole screen.
    ControlWindowLayout l = FlashLayout(s, m);
    EXPECT_TRUE(l.control == (LayoutRect{ 0, 0, 640, 480 }));
    EXPECT_TRUE(l.window == (LayoutRect{ (1024 - 6 - 640) / 2, (768 - 21 - 480) / 2, 646, 501 }));
    s.ShowTitleBar = 0;
    s.CustomFlashWidth = 301;
    s.CustomFlashHeight = 99;
    l = FlashLayout(s, m);
    EXPECT_TRUE(l.window == (LayoutRect{ 361, 334, 301, 99 }));
    s.ShowTitleBar = 1;
    s.FlashWindowSize = 1;
    l = FlashLayout(s, m);
    EXPECT_TRUE(l.control == (LayoutRect{ 0, 0, 1024, 768 })) << "with a caption it reaches past the client area";
    EXPECT_TRUE(l.window == (LayoutRect{ 0, 0, 1024, 768 }));
    s.FlashWindowSize = 2;
    EXPECT_TRUE(FlashLayout(s, m).keepTemplate);
}

TEST(MediaFlash, FlashClosesWhenItStopsOnlyIfItWasToPlayOnceAndClose)
{
    const struct {
        int start, loop, close;
        bool playing, closes;
    } cases[] = {
        { 1, 0, 1, false, true }, { 1, 0, 1, true, false }, { 1, 1, 1, false, false },
        { 1, 0, 0, false, false }, { 0, 0, 1, false, false },
    };
    for (const auto& c : cases) {
        CFlashViewerSettings s;
        s.StartPlaying = c.start;
        s.LoopAnimation = c.loop;
        s.CloseFlashAfterFinished = c.close;
        EXPECT_EQ(FlashClosesOnPoll(s, c.playing), c.closes) << c.start << c.loop << c.close << c.playing;
    }
}

TEST(MediaFlash, InstallerSystemFolderAndCommandLine)
{
    const char* folders[] = { "C:\\Windows\\System32", "C:\\Windows\\System", "C:\\Windows\\System",
                              "C:\\Windows\\System",   "C:\\WinNT\\System32", "C:\\Windows\\System",
                              "C:\\WinNT\\System32",   "C:\\Windows\\System32" };
    for (int code = 0; code < 8; ++code)
        EXPECT_EQ(FlashInstallerSystemFolder(code), folders[code]) << code;
    EXPECT_EQ(FlashInstallerSystemFolder(99), "C:\\Windows\\System32");

    CString line;
    ASSERT_TRUE(FlashInstallerCommandLine(FlashInstallerSystemFolder(6), "E:\\", line));
    EXPECT_EQ(line, "C:\\WinNT\\System32\\msiexec.exe /i \"E:\\\\flash.msi\" /q");
    ASSERT_TRUE(FlashInstallerCommandLine("C:\\Windows\\System32", "D:\\My CD", line));
    EXPECT_EQ(line, "C:\\Windows\\System32\\msiexec.exe /i \"D:\\My CD\\flash.msi\" /q");

    // The line must fit 260 characters with its end: 259 is the longest taken.
    const int fixed = int(CString("C:\\Windows\\System32\\msiexec.exe /i \"\\flash.msi\" /q").GetLength());
    const std::string longest(size_t(259 - fixed), 'd');
    ASSERT_TRUE(FlashInstallerCommandLine("C:\\Windows\\System32", longest.c_str(), line));
    EXPECT_EQ(line.GetLength(), 259);
    EXPECT_FALSE(FlashInstallerCommandLine("C:\\Windows\\System32", (longest + "d").c_str(), line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST(MediaFlash, InitStartsTheInstallerWaitsAndClosesItsHandle)
{
    FakePlatform platform;
    platform.startRules.push_back({ "msiexec.exe", "C:\\Windows\\System32\\msiexec.exe" });
    CFlashViewer v;
    v.SetPlatform(&platform);
    v.SetProgramDirectory("D:\\CD");
    v.SetTargetFilename("movie.swf");
    v.Init();
    EXPECT_TRUE(platform.Called("CP (null)|C:\\Windows\\System32\\msiexec.exe /i \"D:\\CD\\flash.msi\" /q|D:\\CD"));
    EXPECT_TRUE(platform.Called("WaitForExit 2500"));
    EXPECT_EQ(platform.closedHandles, 1);
    // Every Init installs again.
    v.Init();
    EXPECT_EQ(platform.CountCalls("CP "), 2);
    EXPECT_EQ(platform.closedHandles, 2);
}

TEST(MediaFlash, AnInstallerThatCannotStartOrAPathTooLongIsOnlyLogged)
{
    FakePlatform platform;
    CFlashViewer missing;
    missing.SetPlatform(&platform);
    missing.SetProgramDirectory("D:\\CD");
    missing.Init();
    EXPECT_EQ(platform.CountCalls("CP "), 1);
    EXPECT_FALSE(platform.Called("WaitForExit"));
    EXPECT_EQ(platform.closedHandles, 0);
    EXPECT_GE(missing.GetLog().Find("Flash installer did not start"), 0);

    CFlashViewer tooLong;
    tooLong.SetPlatform(&platform);
    tooLong.SetProgramDirectory(CString(std::string(240, 'x').c_str()));
    tooLong.Init();
    EXPECT_EQ(platform.CountCalls("CP "), 1) << "never started, never cut";
    EXPECT_GE(tooLong.GetLog().Find("Flash installer not started: its command line would pass 259 characters"), 0);
}

class MediaFallback : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean()
    {
        classes.Delete("CLSID\\{22D6F312-B0F6-11D0-94AB-0080C74C7E95}", nullptr);
        classes.Delete(".vlmvid", nullptr);
        classes.Delete("vlmvidfile", nullptr);
    }
    CRegistryKey classes{ HKEY_CLASSES_ROOT };
};

// Neither control can be had (no file registered for the older one, or no version of it):
// the file opens with its program in test mode, Show does nothing, and the target is alive
// while that program runs.
TEST_F(MediaFallback, WithoutAControlTheFileOpensLikeAFileTarget)
{
    for (bool registered : { false, true }) {
        SCOPED_TRACE(registered ? "registered without a version" : "not registered");
        if (registered)
            classes.SetString(CMediaViewer::OlderControlServerKey, "", "C:\\nowhere\\msdxm.ocx");
        classes.SetString(".vlmvid", "", "vlmvidfile");
        classes.SetString("vlmvidfile\\shell\\open\\command", "", "C:\\players\\play.exe \"%1\"");
        FakePlatform platform;
        platform.startRules.push_back({ "play.exe", "C:\\players\\play.exe" });
        CMediaViewer v;
        v.SetPlatform(&platform);
        v.SetViewerType(CViewer::TypeMedia);
        v.SetProgramDirectory("D:\\CD");
        v.SetTargetFilename("intro.vlmvid");
        v.SetTargetNum(2);
        v.Init();
        v.Launch();
        EXPECT_FALSE(v.GetHasWindow());
        EXPECT_EQ(v.GetWindow(), nullptr);
        EXPECT_EQ(v.GetViewerType(), CViewer::TypeFile);
        EXPECT_TRUE(v.GetTestMode());
        EXPECT_EQ(platform.CountCalls("CP "), 1);
        EXPECT_GE(v.GetLog().Find("Opening the file as a File target"), 0);
        v.Show();
        EXPECT_FALSE(platform.Called("SHOW"));
        EXPECT_TRUE(v.IsAlive()) << "follows the program the file went to";
        platform.End(v.GetTargetProcess().ProcessID);
        EXPECT_FALSE(v.IsAlive());
    }
}

}
