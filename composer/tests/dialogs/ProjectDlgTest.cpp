// A project made only through the main dialog and the dialogs it opens, as an author would:
// the base folder through the shell's folder browser, targets of several kinds in the
// Target Files dialog (a file refused outside the base folder, a file inside with its
// viewer settings, a video chosen with Shift held, a web address, a sub-folder through the
// rooted browser, one slot cleared), the CD icon, the pre-load colour, the splash, the
// additional viewers and the music; then Create, and the written project read back.
#include "BaseFolderMarker.h"
#include "CAutoPlayCheck.h"
#include "CProjectData.h"
#include "CProjectDlg.h"
#include "CTargetFilesDlg.h"
#include "DialogDriver.h"
#include "RecordDecoder.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const char kMain[] = "Velmora Composer 2.9";
const char kTargets[] = "Set Your Target File(s)";
const char kBrowser[] = "Browse for Folder";
const char kTargetTitle[] = "Select your Target File";

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(toupper(c)); });
    return text;
}

TEST(ProjectDlg, ProjectMadeThroughTheDialogsAndCreated)
{
    CAutoPlayCheck::WriteStartupSetting(0);
    const std::string base = MakeBaseFolder("project_base", {});
    const std::string sibling = MakeBaseFolder("project_base2", {});
    const std::vector<std::string> way = BrowserWay(base);
    for (const char* folder : {"\\docs", "\\sub", "\\art", "\\sound", "\\viewers"})
        ::CreateDirectoryA((base + folder).c_str(), nullptr);
    WriteFile(base + "\\docs\\readme.txt", "read me");
    WriteFile(base + "\\clip.avi", "RIFF");
    WriteFile(sibling + "\\other.txt", "not on the CD");
    WriteFile(base + "\\sound\\song.wav", "RIFF");
    WriteFile(sibling + "\\song.wav", "RIFF");
    WriteFile(base + "\\notes.txt", "no icon");
    WriteFile(base + "\\viewers\\reader.exe", "MZ");
    const std::string icon = std::string(VELMORA_TEST_SOURCE_DIR) + "\\res\\cd.ico";
    ASSERT_TRUE(::CopyFileA(icon.c_str(), (base + "\\art\\cd.ico").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(icon.c_str(), (sibling + "\\cd.ico").c_str(), FALSE));
    const std::string picture = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures\\solid.bmp";
    ASSERT_TRUE(::CopyFileA(picture.c_str(), (base + "\\art\\splash.bmp").c_str(), FALSE));
    TestApp().messageBoxes.clear();

    CProjectDlg dialog;
    RunDialog(dialog, kMain, [&](HWND w) {
        // The base folder: only the targets can be chosen next.
        AnswerDialog(kBrowser, [&](HWND b) { BrowseTo(b, way); });
        Click(w, IDC_BROWSE_BASE);
        ASSERT_EQ(Text(w, IDC_BASE_FOLDER), base);
        EXPECT_TRUE(Enabled(w, IDC_BROWSE_TARGETS));
        EXPECT_FALSE(Enabled(w, IDC_BROWSE_ICON));

        AnswerDialog(kTargets, [&](HWND t) {
            EXPECT_TRUE(Enabled(t, IDC_TF_BROWSE_0));
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::BrowseId(1)));
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::ParametersId(0)));

            // A file of a sibling folder whose name begins like the base folder's.
            AnswerFileDialog(kTargetTitle, sibling + "\\other.txt");
            Click(t, IDC_TF_BROWSE_0);
            ASSERT_EQ(TestApp().messageBoxes.size(), 1u);
            EXPECT_NE(TestApp().messageBoxes[0].find("must be in the CD-ROM Base Folder"), std::string::npos);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "");

            // A file inside: its viewer settings at once.
            AnswerFileDialog(kTargetTitle, base + "\\docs\\readme.txt");
            AnswerDialog("Viewer Settings for docs\\readme.txt", [](HWND v) { Click(v, IDOK); });
            Click(t, IDC_TF_BROWSE_0);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "docs\\readme.txt");
            SetText(t, CTargetFilesDlg::ParametersId(0), "/s");
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::BrowseId(1)));
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::FailsafeId(0)));

            // A video: the media player's settings. (The left Shift key, which makes it a
            // File target, is covered by the kind rules' own table: under Wine without a
            // window manager a key sent in does not reach the program's key state.)
            AnswerFileDialog(kTargetTitle, base + "\\clip.avi");
            AnswerDialog("Media Viewer Settings for clip.avi", [](HWND v) { Click(v, IDOK); });
            Click(t, CTargetFilesDlg::BrowseId(1));
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(1)), "clip.avi");

            // A web address through the prompt: "www" gets its scheme.
            AnswerDialog("Open a Web Site (URL)", [](HWND u) {
                EXPECT_EQ(Text(u, IDC_URL_TEXT), "http://");
                SetText(u, IDC_URL_TEXT, "www.example.com");
                Click(u, IDOK);
            });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(2), 5);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(2)), "http://www.example.com");

            // A sub-folder through the browser rooted at the base folder; no failsafe for it.
            AnswerDialog(kBrowser, [](HWND b) { BrowseTo(b, {"sub"}); });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(3), 4);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(3)), base + "\\sub");
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::FailsafeId(3)));
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::SettingsId(3)));

            // OK in the rooted browser before anything is selected hands back a folder
            // above the root: refused like a file outside.
            AnswerDialog(kBrowser, [](HWND b) { PressOk(b); });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(4), 4);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(4)), "");
            EXPECT_EQ(TestApp().messageBoxes.size(), 2u);

            // The second slot cleared: the ones after it stay where they are.
            Click(t, CTargetFilesDlg::ClearId(1));
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(1)), "");
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(2)), "http://www.example.com");
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::ParametersId(1)));
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::BrowseId(4)));
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::BrowseId(5)));
            Click(t, IDOK);
        });
        Click(w, IDC_BROWSE_TARGETS);
        const std::string summary = "docs\\readme.txt /s, http://www.example.com, " + base + "\\sub";
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), summary);
        EXPECT_TRUE(Enabled(w, IDC_BROWSE_ICON));
        EXPECT_FALSE(Enabled(w, IDC_TEST));

        // Cancel leaves the project as it was.
        AnswerDialog(kTargets, [](HWND t) {
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(1)), "http://www.example.com");
            Click(t, IDC_TF_CLEAR_ALL);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "");
            Click(t, IDCANCEL);
        });
        Click(w, IDC_BROWSE_TARGETS);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), summary);

        // The icon: from a sibling folder refused and cleared; inside, typed in other case,
        // stored relative; another extension ignored.
        AnswerFileDialog("Select your Icon", sibling + "\\cd.ico");
        Click(w, IDC_BROWSE_ICON);
        EXPECT_EQ(Text(w, IDC_CD_ICON), "");
        AnswerFileDialog("Select your Icon", Upper(base) + "\\art\\cd.ico");
        Click(w, IDC_BROWSE_ICON);
        EXPECT_EQ(Text(w, IDC_CD_ICON), "art\\cd.ico");
        AnswerFileDialog("Select your Icon", base + "\\notes.txt");
        Click(w, IDC_BROWSE_ICON);
        EXPECT_EQ(Text(w, IDC_CD_ICON), "art\\cd.ico");

        // Pre-load and its colour, shown in the swatch.
        Click(w, IDC_PRELOAD);
        EXPECT_TRUE(Enabled(w, IDC_PRELOAD_COLOUR));
        AnswerColorDialog(true, RGB(200, 30, 155));
        Click(w, IDC_PRELOAD_COLOUR);
        Settle(300);
        EXPECT_EQ(CentreOf(w, IDC_PRELOAD_COLOUR), RGB(200, 30, 155));

        // The splash: its settings open at once while no picture is set.
        AnswerDialog("Splash Screen Settings", [&](HWND s) {
            AnswerFileDialog("Select an Image file for your Splash Screen", base + "\\art\\splash.bmp");
            Click(s, IDC_SPLASH_BROWSE_IMAGE);
            Click(s, IDOK);
        });
        Click(w, IDC_SPLASH);
        EXPECT_TRUE(Enabled(w, IDC_SPLASH_SETTINGS));

        // Additional viewers: the settings open at once; the first row filled.
        AnswerDialog("Additional Viewer Settings", [&](HWND a) {
            Select(a, IDC_VIEWER_EXTENSION_1, 9);  // PDF
            AnswerFileDialog("Select your Failsafe Program", base + "\\viewers\\reader.exe");
            Click(a, IDC_VIEWER_BROWSE_1);
            Click(a, IDOK);
        });
        Click(w, IDC_VIEWER_CHECKING);

        // Music: a file outside refused, one inside stored relative.
        AnswerFileDialog("Please select your WAV or MP3 file", sibling + "\\song.wav");
        Click(w, IDC_MUSIC);
        EXPECT_EQ(Text(w, IDC_MUSIC_FILE), "");
        AnswerFileDialog("Please select your WAV or MP3 file", base + "\\sound\\song.wav");
        Click(w, IDC_BROWSE_MUSIC);
        EXPECT_EQ(Text(w, IDC_MUSIC_FILE), "sound\\song.wav");

        Click(w, IDC_CREATE);
        Click(w, IDC_EXIT);
    }, 120000);
    EXPECT_TRUE(AllAnswered());
    EXPECT_EQ(TestApp().messageBoxes.size(), 2u);

    CProjectData written;
    ASSERT_EQ(written.Read((base + "\\velmora.dat").c_str(), base.c_str()), CProjectData::ReadOK);
    EXPECT_EQ(written.PreloadTargets, 1);
    EXPECT_EQ(written.PreloadColour, RGB(200, 30, 155));
    EXPECT_EQ(written.BackgroundMusic, 1);
    EXPECT_EQ(written.MusicFile, "sound\\song.wav");
    EXPECT_EQ(written.Splash, 1);
    EXPECT_EQ(written.SplashImage, "art\\splash.bmp");
    EXPECT_EQ(written.AdditionalViewerChecking, 1);
    ASSERT_EQ(written.AdditionalViewers.size(), 1u);
    EXPECT_EQ(written.AdditionalViewers[0].Extension, "PDF");
    EXPECT_EQ(written.AdditionalViewers[0].InstallerPath, "viewers\\reader.exe");
    ASSERT_EQ(written.GetTargetCount(), 3);
    EXPECT_EQ(written.GetTarget(0)->GetViewerType(), CViewer::TypeFile);
    EXPECT_EQ(written.GetTarget(0)->GetTargetFilename(), "docs\\readme.txt");
    EXPECT_EQ(written.GetTarget(0)->GetParameters(), "/s");
    EXPECT_EQ(written.GetTarget(1)->GetViewerType(), CViewer::TypeWeb);
    EXPECT_EQ(written.GetTarget(1)->GetTargetFilename(), "http://www.example.com");
    EXPECT_EQ(written.GetTarget(2)->GetViewerType(), CViewer::TypeFolder);

    // The independent reading: the folder stored with the base folder's marker.
    const std::vector<std::string> records = DecodeRecords(FileBytes(base + "\\velmora.dat"));
    const auto has = [&](const std::string& record) {
        return std::find(records.begin(), records.end(), record) != records.end();
    };
    EXPECT_TRUE(has("S:" BASE_FOLDER_MARKER "\\sub"));
    EXPECT_TRUE(has("S:sound\\song.wav"));
    EXPECT_TRUE(has("S:http://www.example.com"));
    EXPECT_TRUE(has("S:docs\\readme.txt"));
    EXPECT_FALSE(has("S:clip.avi"));
    EXPECT_NE(ReadFile(base + "\\autorun.inf").find("ICON=art\\cd.ico"), std::string::npos);
}

}  // namespace
