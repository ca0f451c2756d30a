// The project data file and autorun.inf as Create writes them and Open reads them back.
// tests/fixtures/base holds the base folder of a project with a File, a Folder, a Media, a
// Flash, a Zip, a Web, a SlideShow and a Menu target (whose buttons hold one viewer of every
// other kind and an Exit); what the code writes must equal it byte for byte, the project key
// aside.
#include "CAutorunInf.h"
#include "CFileViewer.h"
#include "CFlashViewer.h"
#include "CFolderViewer.h"
#include "CMediaViewer.h"
#include "CMenuViewer.h"
#include "CZipViewer.h"
#include "CProjectData.h"
#include "RecordDecoder.h"
#include "ViewerFactory.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <typeinfo>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

const std::string kFixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "/tests/fixtures/base/";

std::vector<unsigned char> Bytes(const std::string& path) { return FileBytes(path); }

void SetBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<std::string> Records(const std::vector<unsigned char>& bytes) { return DecodeRecords(bytes); }

class ProjectData : public ::testing::Test {
protected:
    void SetUp() override
    {
        base_ = std::string(VELMORA_TEST_BINARY_DIR) + "/base-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name();
#ifdef _WIN32
        CreateDirectoryA(base_.c_str(), nullptr);
#else
        std::system(("mkdir -p '" + base_ + "'").c_str());
#endif
        data_ = base_ + "/velmora.dat";
        autorun_ = base_ + "/autorun.inf";
    }
    void TearDown() override
    {
        std::remove(data_.c_str());
        std::remove(autorun_.c_str());
    }

    // The fixture project: a File target with a failsafe program, a Folder target below the
    // base folder, a Media target in a bordered window of its own size, a Flash movie of
    // 400 x 300 without a caption, a Zip target, a Web target that slides in, a SlideShow with
    // music of its own, a Menu with a button of every other kind and an Exit, one additional
    // viewer, splash and music.
    void Fill(CProjectData& project)
    {
        project.ProjectKey = CProjectData::NewProjectKey();
        project.Repeat = 1;
        project.PreloadTargets = 1;
        project.PreloadColour = 0x00336699;
        project.BackgroundMusic = 1;
        project.MusicFile = "music\\theme.mp3";
        project.DebugLog = 1;
        project.Splash = 1;
        project.SplashImage = "art\\splash.bmp";
        project.SplashSound = "art\\splash.wav";
        project.SplashDuration = "4";
        project.SplashBackground = 1;
        project.SplashColour = 0x00FFFFFF;
        project.AdditionalViewerChecking = 1;
        project.AdditionalViewers.push_back({ "pdf", "acrobat\\setup.exe", "Install the reader?\r\nIt is free.", "5.0" });

        CFileViewer* file = new CFileViewer;
        file->SetViewerType(CViewer::TypeFile);
        file->SetTargetFilename("docs\\readme.txt");
        file->SetParameters("-r");
        file->SetWindowShowCmdWindow(1);
        file->SetHasFailsafeProgram(1);
        file->SetFailsafeProgPath("tools\\viewer-setup.exe");
        file->SetCheckVersion(1);
        file->SetVersionString("2.1");
        file->SetFailsafeConfMessage("Install the viewer?\r\nIt takes a minute.");
        ASSERT_TRUE(project.AddTarget(file));
        CFolderViewer* folder = new CFolderViewer;
        folder->SetViewerType(CViewer::TypeFolder);
        folder->SetLaunchTargetType(1);
        folder->SetTargetFilename(CString(base_.c_str()) + "\\Pictures");
        ASSERT_TRUE(project.AddTarget(folder));
        CMediaViewer* media = new CMediaViewer;
        media->SetViewerType(CViewer::TypeMedia);
        media->SetTargetFilename("media\\intro.vmedia");
        media->SetTitleBar(0);
        media->SetShowBorder(1);
        media->SetBorderWidth(6);
        media->SetBorderColor(0x000080FF);
        ASSERT_TRUE(project.AddTarget(media));
        CFlashViewer* flash = new CFlashViewer;
        flash->SetViewerType(CViewer::TypeFlash);
        flash->SetTargetFilename("flash\\movie.vflash");
        flash->SetShowTitleBar(0);
        flash->SetCustomFlashWidth(400);
        flash->SetCustomFlashHeight(300);
        ASSERT_TRUE(project.AddTarget(flash));
        CZipViewer* zip = new CZipViewer;
        zip->SetViewerType(CViewer::TypeZip);
        zip->SetTargetFilename("setup\\app.zip");
        zip->SetMessageText("Unpack the demo.\r\nIt needs 2 MB.");
        zip->SetExtractLocation(1);
        zip->SetExtractFolder("Demo");
        zip->SetOpenExtractFolder(1);
        zip->AddShortcut(1, "app\\readme.txt", 1, "Read me", "app\\app.ico", 1);
        zip->AddShortcut(2, "app\\bin\\tool.exe", 5, "", "Default Icon", 0);
        ASSERT_TRUE(project.AddTarget(zip));
        CWebViewer* web = new CWebViewer;
        web->SetViewerType(CViewer::TypeWeb);
        web->SetTargetFilename("web\\index.html");
        web->SetParameters("#news");
        web->SetShowToolBar(0);
        web->SetShowAddressBar(0);
        web->SetWindowSizeType(3);
        web->SetCustomWidth(640);
        web->SetCustomHeight(480);
        web->SetWindowPositionType(1);
        web->SetWindowPreset(4);
        web->SetUseEffects(1);
        web->SetEffectType(1);
        web->SetEffectSpeed(25);
        web->SetLaunchPDFExternally(1);
        ASSERT_TRUE(project.AddTarget(web));
        CSlideShowViewer* show = new CSlideShowViewer;
        show->SetViewerType(CViewer::TypeSlideShow);
        show->SetTargetFilename("slides");
        show->SetLoopSlideShow(0);
        show->SetShowCloseButton(1);
        show->SetCustomSlideShowWidth(640);
        show->SetCustomSlideShowHeight(480);
        show->SetDisplayTime(2);
        show->SetBackgroundMusic("music\\slides.wav");
        show->SetSSBackgroundColor(0x00204080);
        show->SetImageSizeType(1);
        show->AddSlide("slides\\one.png");
        show->AddSlide("slides\\two.png");
        ASSERT_TRUE(project.AddTarget(show));
        CMenuViewer* menu = new CMenuViewer;
        menu->SetViewerType(CViewer::TypeMenu);
        menu->SetTargetFilename("menu");
        menu->SetMenuTitle("Start here");
        menu->SetMenuWidth(600);
        menu->SetMenuHeight(420);
        menu->SetShowMenuText(1);
        menu->SetMenuText("<b>Welcome</b>");
        menu->SetShowMenuBackgroundColor(1);
        menu->SetMenuBackgroundColor(0x00402010);
        menu->SetMenuBackgroundImage("art\\menu.bmp");
        const struct {
            int type, action;
            const char* caption;
            const char* target;
        } buttons[] = { { CViewer::TypeFile, 0, "Read me", "docs\\menu.txt" },
                        { CViewer::TypeFolder, 1, "Pictures", "" },
                        { CViewer::TypeWeb, 2, "News", "web\\news.html" },
                        { CViewer::TypeZip, 0, "Extras", "setup\\extras.zip" },
                        { CViewer::TypeMedia, 0, "Clip", "media\\clip.vmedia" },
                        { CViewer::TypeFlash, 0, "Intro", "flash\\intro.vflash" },
                        { CViewer::TypeSlideShow, 3, "Slides", "slides" } };
        for (const auto& b : buttons) {
            CViewer* viewer = NewViewerOfType(b.type);
            buttonViewers_.emplace_back(viewer);
            viewer->SetViewerType(b.type);
            viewer->SetTargetFilename(b.type == CViewer::TypeFolder ? CString(base_.c_str()) + "\\Pictures" : CString(b.target));
            menu->AddMenuButton(b.caption, b.type % 3, b.action, viewer);
        }
        dynamic_cast<CSlideShowViewer*>(buttonViewers_.back().get())->AddSlide("slides\\one.png");
        menu->AddMenuButton("Exit", 2, 4, nullptr);
        ASSERT_TRUE(project.AddTarget(menu));
    }

    std::string base_, data_, autorun_;
    // The viewers of the menu's buttons: given to it, so not its own.
    std::vector<std::unique_ptr<CViewer>> buttonViewers_;
};

TEST_F(ProjectData, WritesTheFixtureBaseFolder)
{
    CProjectData project;
    Fill(project);
    ASSERT_TRUE(project.Write(data_.c_str(), base_.c_str()));
    ASSERT_TRUE(CAutorunInf::Write(autorun_.c_str(), "art\\cd.ico"));
    if (std::getenv("VELMORA_WRITE_FIXTURES")) {
        SetBytes(kFixtures + "velmora.dat", Bytes(data_));
        SetBytes(kFixtures + "autorun.inf", Bytes(autorun_));
    }

    EXPECT_EQ(Bytes(autorun_), Bytes(kFixtures + "autorun.inf"));
    std::vector<unsigned char> written = Bytes(data_), fixture = Bytes(kFixtures + "velmora.dat");
    // Version triple (3 x 7 bytes), then the key's record: compare its header's tag, skip
    // its payload, and compare everything after it.
    ASSERT_GT(fixture.size(), 24u);
    ASSERT_GT(written.size(), 24u);
    const size_t keyEndWritten = 24 + (written[22] | written[23] << 8);
    const size_t keyEndFixture = 24 + (fixture[22] | fixture[23] << 8);
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 22, fixture.begin()));
    EXPECT_EQ(std::vector<unsigned char>(written.begin() + keyEndWritten, written.end()),
              std::vector<unsigned char>(fixture.begin() + keyEndFixture, fixture.end()));
}

TEST_F(ProjectData, FixtureHoldsTheFieldsInFileOrder)
{
    const std::vector<std::string> r = Records(Bytes(kFixtures + "velmora.dat"));
    const std::vector<std::string> head = {
        "I:2", "I:9", "I:6", "(key)", "B:1", "B:1", "B:0", "B:1", "B:1", "I:3368601", "B:1", "S:music\\theme.mp3",
        "B:0", "B:0", "B:1", "B:1", "B:1", "S:art\\splash.bmp", "S:art\\splash.wav", "I:4", "B:1", "I:16777215",
        "I:1", "S:pdf", "S:acrobat\\setup.exe", "S:Install the reader?~^~It is free.", "S:5.0", "B:0", "I:8",
        // File target
        "I:0", "I:0", "S:docs\\readme.txt", "S:-r /showCmdMAX", "B:0", "B:0", "S:", "S:", "B:1",
        "S:tools\\viewer-setup.exe", "B:1", "B:0", "B:1", "S:2.1", "B:1", "S:Install the viewer?~^~It takes a minute.",
        "B:0",
        // Folder target
        "I:1", "I:1", "S:B@5e_F01der\\Pictures", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        // Media target: the common record, then play, window, panel, border
        "I:4", "I:0", "S:media\\intro.vmedia", "S:", "B:0", "B:0", "S:", "S:", "B:0", "B:1", "B:0", "B:1", "B:0",
        "I:0", "I:800", "I:600", "B:1", "B:1", "B:1", "B:1", "B:0", "I:0", "B:1", "I:6", "I:33023",
        // Flash target: the common record, then play, window, menu
        "I:5", "I:0", "S:flash\\movie.vflash", "S:", "B:0", "B:0", "S:", "S:", "B:0", "B:1", "B:0", "B:1", "B:0",
        "I:0", "I:400", "I:300", "B:0",
        // Zip target with two shortcuts
        "I:3", "I:0", "S:setup\\app.zip", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "S:Unpack the demo.~^~It needs 2 MB.", "I:1", "S:Demo", "B:1", "S:", "I:2",
        "I:1", "S:app\\readme.txt", "I:1", "S:Read me", "B:1", "S:app\\app.ico",
        "I:2", "S:app\\bin\\tool.exe", "I:5", "S:", "B:0", "S:Default Icon",
        // Web target: the common record, bars, size, position, effect, wait, PDF outside
        "I:2", "I:0", "S:web\\index.html", "S:#news", "B:0", "B:0", "S:", "S:", "B:0",
        "B:0", "B:1", "B:0", "B:1", "I:3", "I:640", "I:480", "B:1", "I:1", "I:4", "I:0", "I:0", "B:1", "I:1", "I:25",
        "B:1", "B:1",
        // SlideShow target: loop, close after, close button, size, width, height, time type,
        // time, music, colour, picture size, slides
        "I:6", "I:0", "S:slides", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:0", "B:1", "B:1", "I:0", "I:640", "I:480", "I:0", "I:2", "S:music\\slides.wav", "I:2113664", "I:1", "I:2",
        "S:slides\\one.png", "S:slides\\two.png",
        // Menu target: the common record, title bar, title, size, text, colour, picture, then
        // 8 buttons: caption, style, action and the whole record of the button's viewer
        "I:7", "I:0", "S:menu", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:1", "S:Start here", "I:600", "I:420", "B:1", "S:<b>Welcome</b>", "B:1", "I:4202512", "S:art\\menu.bmp", "I:8",
        "S:Read me", "I:0", "I:0", "I:0", "I:0", "S:docs\\menu.txt", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "S:Pictures", "I:1", "I:1", "I:1", "I:0", "S:B@5e_F01der\\Pictures", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "S:News", "I:2", "I:2", "I:2", "I:0", "S:web\\news.html", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:1", "B:1", "B:1", "B:1", "I:0", "I:800", "I:600", "B:1", "I:0", "I:2", "I:0", "I:0", "B:0", "I:0", "I:100",
        "B:1", "B:0",
        "S:Extras", "I:0", "I:0", "I:3", "I:0", "S:setup\\extras.zip", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "S:A File is about to be un-ziped on your system.~^~~^~Please select the destination folder.", "I:1", "S:",
        "B:0", "S:", "I:0",
        "S:Clip", "I:1", "I:0", "I:4", "I:0", "S:media\\clip.vmedia", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:1", "B:0", "B:1", "B:1", "I:0", "I:800", "I:600", "B:1", "B:1", "B:1", "B:1", "B:0", "I:0", "B:0", "I:5", "I:0",
        "S:Intro", "I:2", "I:0", "I:5", "I:0", "S:flash\\intro.vflash", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:1", "B:0", "B:1", "B:1", "I:0", "I:640", "I:480", "B:0",
        "S:Slides", "I:0", "I:3", "I:6", "I:0", "S:slides", "S:", "B:0", "B:0", "S:", "S:", "B:0",
        "B:0", "B:1", "B:0", "I:0", "I:800", "I:600", "I:0", "I:5", "S:", "I:0", "I:0", "I:1", "S:slides\\one.png",
        "S:Exit", "I:2", "I:4",
    };
    ASSERT_EQ(r.size(), head.size());
    for (size_t i = 0; i < head.size(); ++i)
        if (head[i] != "(key)")
            EXPECT_EQ(r[i], head[i]) << "record " << i;
    EXPECT_EQ(r[3].compare(0, 2, "S:"), 0);
    EXPECT_EQ(Bytes(kFixtures + "autorun.inf"),
              std::vector<unsigned char>({ '[', 'a', 'u', 't', 'o', 'r', 'u', 'n', ']', '\r', '\n', 'O', 'P', 'E', 'N',
                                           '=', 'V', 'e', 'l', 'm', 'o', 'r', 'a', '.', 'e', 'x', 'e', '\r', '\n', 'I',
                                           'C', 'O', 'N', '=', 'a', 'r', 't', '\\', 'c', 'd', '.', 'i', 'c', 'o' }));
}

TEST_F(ProjectData, ReadsBackFieldForField)
{
    CProjectData written;
    Fill(written);
    ASSERT_TRUE(written.Write(data_.c_str(), base_.c_str()));

    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "E:\\"), CProjectData::ReadOK);
    EXPECT_EQ(read.Major * 100 + read.Minor * 10 + read.Build, 296);
    EXPECT_EQ(read.ProjectKey, written.ProjectKey);
    EXPECT_EQ(read.SingleInstance, 1);
    EXPECT_EQ(read.Repeat, 1);
    EXPECT_EQ(read.WaitForEachTarget, 1);
    EXPECT_EQ(read.PreloadTargets, 1);
    EXPECT_EQ(read.PreloadColour, 0x00336699u);
    EXPECT_EQ(read.BackgroundMusic, 1);
    EXPECT_EQ(read.MusicFile, "music\\theme.mp3");
    EXPECT_EQ(read.HidePlayer, 0);
    EXPECT_EQ(read.DebugLog, 1);
    EXPECT_EQ(read.Splash, 1);
    EXPECT_EQ(read.SplashImage, "art\\splash.bmp");
    EXPECT_EQ(read.SplashSound, "art\\splash.wav");
    EXPECT_EQ(read.SplashDuration, "4");
    EXPECT_EQ(read.SplashBackground, 1);
    EXPECT_EQ(read.SplashColour, 0x00FFFFFFu);
    EXPECT_EQ(read.AdditionalViewerChecking, 1);
    ASSERT_EQ(read.AdditionalViewers.size(), 1u);
    EXPECT_EQ(read.AdditionalViewers[0].Extension, "pdf");
    EXPECT_EQ(read.AdditionalViewers[0].InstallerPath, "acrobat\\setup.exe");
    EXPECT_EQ(read.AdditionalViewers[0].Confirmation, "Install the reader?\r\nIt is free.");
    EXPECT_EQ(read.AdditionalViewers[0].MinimumVersion, "5.0");
    EXPECT_EQ(written.AdditionalViewers[0].Confirmation, "Install the reader?\r\nIt is free.") << "own copy kept";
    EXPECT_EQ(read.Agreement, 0);

    ASSERT_EQ(read.GetTargetCount(), 8);
    CViewer* file = read.GetTarget(0);
    ASSERT_NE(dynamic_cast<CFileViewer*>(file), nullptr);
    EXPECT_EQ(file->GetTargetFilename(), "docs\\readme.txt");
    EXPECT_EQ(file->GetParameters(), "-r /showCmdMAX");
    EXPECT_EQ(file->GetHasFailsafeProgram(), 1);
    EXPECT_EQ(file->GetFailsafeProgPath(), "tools\\viewer-setup.exe");
    EXPECT_EQ(file->GetCheckVersion(), 1);
    EXPECT_EQ(file->GetVersionString(), "2.1");
    EXPECT_EQ(file->GetFailsafeConfMessage(), "Install the viewer?\r\nIt takes a minute.");
    EXPECT_EQ(file->GetProjectRegistryKey(), written.ProjectKey);
    EXPECT_EQ(file->GetProgramDirectory(), "E:\\");
    CViewer* folder = read.GetTarget(1);
    ASSERT_NE(dynamic_cast<CFolderViewer*>(folder), nullptr);
    EXPECT_EQ(folder->GetViewerType(), 1);
    EXPECT_EQ(folder->GetLaunchTargetType(), 1);
    EXPECT_EQ(folder->GetTargetFilename(), "E:\\Pictures");
    auto* media = dynamic_cast<CMediaViewer*>(read.GetTarget(2));
    ASSERT_NE(media, nullptr);
    CMediaViewerSettings mediaSettings;
    mediaSettings.TitleBar = 0;
    mediaSettings.ShowBorder = 1;
    mediaSettings.BorderWidth = 6;
    mediaSettings.BorderColor = 0x000080FF;
    EXPECT_TRUE(media->MediaSettings() == mediaSettings);
    EXPECT_EQ(media->GetTargetFilename(), "media\\intro.vmedia");
    auto* flash = dynamic_cast<CFlashViewer*>(read.GetTarget(3));
    ASSERT_NE(flash, nullptr);
    CFlashViewerSettings flashSettings;
    flashSettings.ShowTitleBar = 0;
    flashSettings.CustomFlashWidth = 400;
    flashSettings.CustomFlashHeight = 300;
    EXPECT_TRUE(flash->FlashSettings() == flashSettings);
    EXPECT_EQ(flash->GetTargetFilename(), "flash\\movie.vflash");
    auto* zip = dynamic_cast<CZipViewer*>(read.GetTarget(4));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->GetMessageText(), "Unpack the demo.\r\nIt needs 2 MB.");
    EXPECT_EQ(zip->GetExtractFolder(), "Demo");
    EXPECT_EQ(zip->GetOpenExtractFolder(), 1);
    ASSERT_EQ(zip->GetNumShortcuts(), 2);
    EXPECT_STREQ(zip->FindShortcut(1)->Icon, "app\\app.ico");
    EXPECT_EQ(zip->FindShortcut(2)->Location, 5u);
    CWebViewer* web = dynamic_cast<CWebViewer*>(read.GetTarget(5));
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->WebSettings(), dynamic_cast<CWebViewer*>(written.GetTarget(5))->WebSettings());
    EXPECT_EQ(web->GetParameters(), "#news");
    CSlideShowViewer* show = dynamic_cast<CSlideShowViewer*>(read.GetTarget(6));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->SlideShowSettings(), dynamic_cast<CSlideShowViewer*>(written.GetTarget(6))->SlideShowSettings());
    EXPECT_EQ(show->GetSlides().size(), 2u);
    auto* menu = dynamic_cast<CMenuViewer*>(read.GetTarget(7));
    ASSERT_NE(menu, nullptr);
    const CMenuViewer* wrote = dynamic_cast<CMenuViewer*>(written.GetTarget(7));
    EXPECT_TRUE(menu->MenuSettings() == wrote->MenuSettings());
    ASSERT_EQ(menu->GetMenuButtonCount(), 8);
    const int types[] = { 0, 1, 2, 3, 4, 5, 6 };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(menu->GetMenuButtonCaption(i), wrote->GetMenuButtonCaption(i));
        EXPECT_EQ(menu->GetMenuButtonStyle(i), wrote->GetMenuButtonStyle(i));
        EXPECT_EQ(menu->GetMenuButtonAction(i), wrote->GetMenuButtonAction(i));
        CViewer* viewer = menu->GetMenuButtonViewer(i);
        if (i == 7) {
            EXPECT_EQ(viewer, nullptr) << "Exit";
            continue;
        }
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->GetViewerType(), types[i]);
        EXPECT_EQ(std::string(typeid(*viewer).name()), std::string(typeid(*wrote->GetMenuButtonViewer(i)).name()));
        EXPECT_EQ(viewer->GetProgramDirectory(), "E:\\");
        EXPECT_EQ(viewer->GetProjectRegistryKey(), written.ProjectKey);
    }
    EXPECT_EQ(menu->GetMenuButtonViewer(1)->GetTargetFilename(), "E:\\Pictures");
}

TEST_F(ProjectData, SmallestProject)
{
    CProjectData project;
    project.ProjectKey = "K";
    project.HidePlayer = 1;
    // As a file written elsewhere and opened here may hold them: written as always, 0 and 1.
    project.Verbose = 1;
    project.SuppressAOL = 0;
    CFileViewer* file = new CFileViewer;
    file->SetTargetFilename("a.txt");
    project.AddTarget(file);
    project.Agreement = 0;
    ASSERT_TRUE(project.Write(data_.c_str(), base_.c_str()));
    const std::vector<std::string> r = Records(Bytes(data_));
    const std::vector<std::string> expected = { "I:2", "I:9", "I:6", "S:K", "B:1", "B:0", "B:0", "B:1", "B:0", "I:0",
                                                "B:0", "B:0", "B:1", "B:1", "B:0", "B:0", "I:0", "B:0", "I:1", "I:0" };
    ASSERT_GE(r.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(r[i], expected[i]) << "record " << i;
}

TEST_F(ProjectData, AgreementBlock)
{
    CProjectData project;
    project.Agreement = 1;
    project.AgreementText = "<b>Terms</b>";
    ASSERT_TRUE(project.Write(data_.c_str(), base_.c_str()));
    const std::vector<std::string> r = Records(Bytes(data_));
    const std::vector<std::string> block = { "B:1", "I:3", "S:", "S:<b>Terms</b>", "B:0", "B:0", "I:0", "I:0", "I:0", "I:0" };
    ASSERT_EQ(r.size(), 17 + block.size());
    for (size_t i = 0; i < block.size(); ++i)
        EXPECT_EQ(r[17 + i], block[i]);
    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "D:\\"), CProjectData::ReadOK);
    EXPECT_EQ(read.Agreement, 1);
    EXPECT_EQ(read.AgreementMode, 3);
    EXPECT_EQ(read.AgreementText, "<b>Terms</b>");
    EXPECT_EQ(read.GetTargetCount(), 0);
}

// Older files, written record by record as their versions had them.
class OldFile : public ProjectData {
protected:
    CFileReadWrite out;
    void Open() { ASSERT_TRUE(out.OpenWrite(data_.c_str())); }
};

TEST_F(OldFile, Version283HasNoToggleFieldsNorLaunchTypes)
{
    Open();
    out.WriteInt(2); out.WriteInt(8); out.WriteInt(3);
    out.WriteString("old-key");
    out.WriteBool(0); out.WriteBool(0);                   // reserved, wait for each target
    out.WriteBool(0); out.WriteBool(1); out.WriteBool(1); out.WriteBool(0); out.WriteBool(0);  // 13-17
    out.WriteInt(0);                                        // additional viewers
    out.WriteBool(0);                                       // agreement
    out.WriteInt(1);
    out.WriteInt(1);                                        // a Folder target
    out.WriteString("B@5e_F01der\\Old");
    out.WriteString(""); out.WriteBool(0); out.WriteBool(0); out.WriteString(""); out.WriteString(""); out.WriteBool(0);
    out.Close();
    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "F:\\"), CProjectData::ReadOK);
    EXPECT_EQ(read.ProjectKey, "old-key");
    EXPECT_EQ(read.SingleInstance, 1) << "absent: the default stays";
    EXPECT_EQ(read.Repeat, 0);
    EXPECT_EQ(read.PreloadTargets, 0);
    EXPECT_EQ(read.BackgroundMusic, 0);
    EXPECT_EQ(read.WaitForEachTarget, 0);
    EXPECT_EQ(read.HidePlayer, 1);
    ASSERT_EQ(read.GetTargetCount(), 1);
    EXPECT_EQ(read.GetTarget(0)->GetLaunchTargetType(), 0);
    EXPECT_EQ(read.GetTarget(0)->GetTargetFilename(), "F:\\Old");
}

TEST_F(OldFile, Version25HasNoTypeCodes)
{
    Open();
    out.WriteInt(2); out.WriteInt(5); out.WriteInt(0);
    out.WriteBool(0); out.WriteBool(1);
    for (int i = 0; i < 5; ++i)
        out.WriteBool(0);
    out.WriteInt(0);
    out.WriteBool(0);
    out.WriteInt(2);
    for (const char* name : { "one.doc", "two.doc" }) {
        out.WriteString(name);
        out.WriteString(""); out.WriteBool(0); out.WriteBool(0); out.WriteString(""); out.WriteString(""); out.WriteBool(0);
    }
    out.Close();
    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "F:\\"), CProjectData::ReadOK);
    ASSERT_EQ(read.GetTargetCount(), 2);
    EXPECT_NE(dynamic_cast<CFileViewer*>(read.GetTarget(1)), nullptr);
    EXPECT_EQ(read.GetTarget(1)->GetTargetFilename(), "two.doc");
}

TEST_F(OldFile, Version249IsTooOld)
{
    Open();
    out.WriteInt(2); out.WriteInt(4); out.WriteInt(9);
    out.WriteBool(1);
    out.Close();
    CProjectData read;
    EXPECT_EQ(read.Read(data_.c_str(), "F:\\"), CProjectData::ReadTooOld);
    EXPECT_EQ(read.ProjectKey, "");
    EXPECT_EQ(read.GetTargetCount(), 0);
    EXPECT_EQ(read.Read((base_ + "/missing.dat").c_str(), "F:\\"), CProjectData::ReadNotOpened);
}

TEST_F(OldFile, CountsBeyondTheLimitsAreNotStored)
{
    Open();
    out.WriteInt(2); out.WriteInt(9); out.WriteInt(6);
    out.WriteString("k"); out.WriteBool(1); out.WriteBool(0);
    out.WriteBool(0); out.WriteBool(1); out.WriteBool(0); out.WriteInt(0); out.WriteBool(0);
    for (int i = 0; i < 5; ++i)
        out.WriteBool(0);
    out.WriteInt(5);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j)
            out.WriteString("x");
    out.WriteBool(1);                                       // agreement, 1200 reserved strings
    out.WriteInt(3); out.WriteString(""); out.WriteString("terms");
    out.WriteBool(0); out.WriteBool(0); out.WriteInt(0); out.WriteInt(0);
    out.WriteInt(1200);
    for (int i = 0; i < 1200; ++i)
        out.WriteString("reserved");
    out.WriteInt(12);
    for (int t = 0; t < 12; ++t) {
        CFileViewer v;
        v.SetTargetFilename("t.txt");
        v.Write_DAT_File(&out, 2, 9, 6);
    }
    out.Close();
    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "F:\\"), CProjectData::ReadOK);
    EXPECT_EQ(read.AdditionalViewers.size(), 3u);
    EXPECT_EQ(read.AgreementText, "terms");
    EXPECT_EQ(read.GetTargetCount(), 10);
    EXPECT_EQ(read.GetTarget(9)->GetTargetFilename(), "t.txt");
    EXPECT_FALSE(read.AddTarget(new CFileViewer));
}

// Each target made by the reader is counted; plain viewers as the authoring program has them.
class CountingBinder : public CProjectTargetBinder {
public:
    CViewer* NewTarget(int type, int index, const CProjectData&) override
    {
        ++made;
        CViewer* viewer = NewViewerOfType(type);
        viewer->SetViewerType(type);
        viewer->SetTargetNum(index);
        return viewer;
    }
    void TargetRead(CViewer&, int) override { ++bound; }
    int made = 0, bound = 0;
};

// The fields of a current file without options, up to the number of targets.
void WriteCurrentHead(CFileReadWrite& out, int targets)
{
    out.WriteInt(2); out.WriteInt(9); out.WriteInt(6);
    out.WriteString("k"); out.WriteBool(1); out.WriteBool(0);
    out.WriteBool(0); out.WriteBool(1); out.WriteBool(0); out.WriteInt(0); out.WriteBool(0);
    for (int i = 0; i < 5; ++i)
        out.WriteBool(0);
    out.WriteInt(0);
    out.WriteBool(0);
    out.WriteInt(targets);
}

TEST_F(OldFile, TypeCodesNoViewerHasReadAsFile)
{
    struct Case { int stored; int type; bool file; };
    const Case cases[] = { { 0, 0, true }, { 1, 1, false }, { 8, 0, true }, { 42, 0, true }, { -1, 0, true } };
    Open();
    WriteCurrentHead(out, static_cast<int>(sizeof cases / sizeof cases[0]));
    for (const Case& c : cases) {
        out.WriteInt(c.stored);
        out.WriteInt(0);     // launch target type, then the common fields of a plain record
        out.WriteString("t.txt"); out.WriteString(""); out.WriteBool(0); out.WriteBool(0);
        out.WriteString(""); out.WriteString(""); out.WriteBool(0);
    }
    out.Close();
    CProjectData read;
    ASSERT_EQ(read.Read(data_.c_str(), "F:\\"), CProjectData::ReadOK);
    ASSERT_EQ(read.GetTargetCount(), static_cast<int>(sizeof cases / sizeof cases[0]));
    for (int i = 0; i < read.GetTargetCount(); ++i) {
        EXPECT_EQ(read.GetTarget(i)->GetViewerType(), cases[i].type) << cases[i].stored;
        EXPECT_EQ(dynamic_cast<CFileViewer*>(read.GetTarget(i)) != nullptr, cases[i].file) << cases[i].stored;
        EXPECT_EQ(read.GetTarget(i)->GetTargetFilename(), "t.txt") << "in step after " << cases[i].stored;
    }
    // Written back, the codes are the ones read.
    ASSERT_TRUE(read.Write(data_.c_str(), base_.c_str()));
    CProjectData again;
    ASSERT_EQ(again.Read(data_.c_str(), "F:\\"), CProjectData::ReadOK);
    for (int i = 0; i < again.GetTargetCount(); ++i)
        EXPECT_EQ(again.GetTarget(i)->GetViewerType(), cases[i].type);
}

TEST_F(OldFile, ACountBeyondTheRecordsStopsAtTheEnd)
{
    struct Case { int count; int whole; bool half; int targets; };
    // The count the file gives, whole records present, half a record after them, targets made.
    const Case cases[] = { { 5, 2, false, 2 }, { 5, 2, true, 2 }, { 3, 3, false, 3 }, { 2, 0, false, 0 }, { 1000000, 1, false, 1 } };
    for (const Case& c : cases) {
        Open();
        WriteCurrentHead(out, c.count);
        for (int t = 0; t < c.whole; ++t) {
            CFileViewer v;
            v.SetTargetFilename("t.txt");
            v.Write_DAT_File(&out, 2, 9, 6);
        }
        if (c.half) {
            out.WriteInt(0);
            out.WriteInt(0);
            out.WriteString("cut.txt");
        }
        out.Close();
        CFileReadWrite in;
        ASSERT_TRUE(in.OpenRead(data_.c_str()));
        CProjectData read;
        CountingBinder binder;
        ASSERT_EQ(read.Read(in, binder), CProjectData::ReadOK);
        in.Close();
        EXPECT_EQ(read.GetTargetCount(), c.targets) << c.count << " " << c.whole;
        EXPECT_EQ(binder.bound, c.targets) << c.count << " " << c.whole;
        EXPECT_EQ(binder.made, c.targets + (c.half ? 1 : 0)) << "the cut record is made and dropped";
    }
}

#ifndef _WIN32
// A write that fails once the file is open reports failure and leaves the file that was
// there; nothing half-written stays behind.
TEST_F(ProjectData, AFailedWriteKeepsTheFileThatWasThere)
{
    CProjectData small;
    small.ProjectKey = "before";
    ASSERT_TRUE(small.Write(data_.c_str(), base_.c_str()));
    const std::vector<unsigned char> before = Bytes(data_);

    CProjectData big;
    big.Agreement = 1;
    big.AgreementText = CString(std::string(60000, 'x').c_str());
    struct rlimit limit, saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    limit = saved;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written = big.Write(data_.c_str(), base_.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Bytes(data_), before);
    EXPECT_TRUE(Bytes(data_ + ".new").empty());
}
#endif

TEST_F(ProjectData, AutorunIcon)
{
    struct Case { const char* icon; const char* readBack; };
    const Case cases[] = { { "icons\\cd.ico", "icons\\cd.ico" }, { "", "" } };
    for (const Case& c : cases) {
        ASSERT_TRUE(CAutorunInf::Write(autorun_.c_str(), c.icon));
        CString icon = "stale";
        EXPECT_TRUE(CAutorunInf::ReadIcon(autorun_.c_str(), icon));
        EXPECT_EQ(icon, c.readBack) << c.icon;
    }
    const std::vector<unsigned char> own = Bytes(autorun_);
    EXPECT_EQ(std::string(own.begin(), own.end()), "[autorun]\r\nOPEN=Velmora.exe\r\nICON=Velmora.exe");
    SetBytes(autorun_, std::vector<unsigned char>(CAutorunInf::MaxWord * 3, 'A'));
    CString icon;
    EXPECT_TRUE(CAutorunInf::ReadIcon(autorun_.c_str(), icon));
    EXPECT_EQ(icon, "");
    std::remove(autorun_.c_str());
    EXPECT_FALSE(CAutorunInf::ReadIcon(autorun_.c_str(), icon));
    EXPECT_EQ(icon, "");
}

TEST(ProjectKey, FreshEachTime)
{
    const CString a = CProjectData::NewProjectKey(), b = CProjectData::NewProjectKey();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.GetLength(), 23);
}

}
