// A project made only through the main dialog and the dialogs it opens, as an author would:
// the base folder through the shell's folder browser, targets of several kinds in the
// Target Files dialog (a file refused outside the base folder, a file inside with its
// viewer settings, a video chosen with Shift held, a web address in place of a file, a
// sub-folder through the rooted browser after another slot's menu was closed unused, one
// slot cleared, the launch-target lists always showing what the viewers hold), the CD
// icon, the pre-load colour, the splash, the additional viewers and the music; then
// Create, and the written project read back. And a project made by the New Project wizard
// with Failsafe, kept when a later wizard is cancelled, created and read back.
#include "BaseFolderMarker.h"
#include "CAutoPlayCheck.h"
#include "CProjectData.h"
#include "CProjectDlg.h"
#include "CTargetFilesDlg.h"
#include "CWizardDlg.h"
#include "CWizardFinish.h"
#include "DialogDriver.h"
#include "RecordDecoder.h"
#include "WizardPages.h"

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
    {
        CProjectData empty;
        empty.ProjectKey = CProjectData::NewProjectKey();
        ASSERT_TRUE(empty.Write((sibling + "\\velmora.dat").c_str(), sibling.c_str()));
    }
    TestApp().messageBoxes.clear();

    CProjectDlg dialog;
    RunDialog(dialog, kMain, [&](HWND w) {
        // A project without targets opened: an icon chosen for it runs the enable rules, so
        // the icon can be cleared again.
        AnswerFileDialog("Select your Velmora DAT file", sibling + "\\velmora.dat");
        ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(ID_OPEN_PROJECT, 0), 0);
        ASSERT_EQ(Text(w, IDC_BASE_FOLDER), sibling);
        EXPECT_FALSE(Enabled(w, IDC_CLEAR_ICON));
        AnswerFileDialog("Select your Icon", sibling + "\\cd.ico");
        Click(w, IDC_BROWSE_ICON);
        EXPECT_EQ(Text(w, IDC_CD_ICON), "cd.ico");
        EXPECT_NE(Text(w, IDC_HELP_PANEL).find("Please select a Target File(s)"), std::string::npos);
        EXPECT_TRUE(Enabled(w, IDC_CLEAR_ICON));
        Click(w, IDC_CLEAR_ICON);
        EXPECT_EQ(Text(w, IDC_CD_ICON), "");
        EXPECT_FALSE(Enabled(w, IDC_CLEAR_ICON));

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
            Select(t, CTargetFilesDlg::LaunchId(0), 1);  // "Only Once"
            // A slideshow begun in the file's place and cancelled: the file stays the target.
            AnswerDialog("SlideShow Settings", [](HWND s) { Click(s, IDCANCEL); });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(0), 3);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "docs\\readme.txt");
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(0)), 1);
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::BrowseId(1)));
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::FailsafeId(0)));

            // A video: the media player's settings. (The left Shift key, which makes it a
            // File target, is covered by the kind rules' own table: under Wine without a
            // window manager a key sent in does not reach the program's key state.)
            AnswerFileDialog(kTargetTitle, base + "\\clip.avi");
            AnswerDialog("Media Viewer Settings for clip.avi", [](HWND v) { Click(v, IDOK); });
            Click(t, CTargetFilesDlg::BrowseId(1));
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(1)), "clip.avi");
            Select(t, CTargetFilesDlg::LaunchId(1), 1);

            // A file to be opened only once; then a web address in its place: a new viewer,
            // which opens every time, as the slot's list then shows.
            AnswerFileDialog(kTargetTitle, base + "\\notes.txt");
            AnswerDialog("Viewer Settings for notes.txt", [](HWND v) { Click(v, IDOK); });
            Click(t, CTargetFilesDlg::BrowseId(2));
            Select(t, CTargetFilesDlg::LaunchId(2), 1);

            // A web address through the prompt: "www" gets its scheme.
            AnswerDialog("Open a Web Site (URL)", [](HWND u) {
                EXPECT_EQ(Text(u, IDC_URL_TEXT), "http://");
                SetText(u, IDC_URL_TEXT, "www.example.com");
                Click(u, IDOK);
            });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(2), 5);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(2)), "http://www.example.com");
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(2)), 0);

            // The first slot's menu closed with nothing chosen, then a sub-folder from the
            // fourth slot's menu, through the browser rooted at the base folder: it lands in
            // the fourth slot, the first keeps its file. No failsafe for a folder.
            DismissMenu(t, CTargetFilesDlg::BrowseId(0));
            AnswerDialog(kBrowser, [](HWND b) { BrowseTo(b, {"sub"}); });
            ChooseMenuCommand(t, CTargetFilesDlg::BrowseId(3), 4);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(3)), base + "\\sub");
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "docs\\readme.txt");
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
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(1)), 0);
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

        // Reopened, the dialog shows what the targets hold; Cancel leaves the project as it was.
        AnswerDialog(kTargets, [](HWND t) {
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(1)), "http://www.example.com");
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(0)), 1);
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(1)), 0);
            Click(t, IDC_TF_CLEAR_ALL);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "");
            EXPECT_EQ(Text(t, CTargetFilesDlg::ParametersId(0)), "");
            EXPECT_EQ(Selection(t, CTargetFilesDlg::LaunchId(0)), 0);
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
            Select(a, IDC_VIEWER_EXTENSION_1 + 3, 2);  // DOC, without an installer
            Click(a, IDOK);
        });
        Click(w, IDC_VIEWER_CHECKING);
        // The row without an installer is not counted, but what was typed in it stays.
        AnswerDialog("Additional Viewer Settings", [&](HWND a) {
            EXPECT_EQ(Text(a, IDC_VIEWER_EXTENSION_1), "PDF");
            EXPECT_EQ(Text(a, IDC_VIEWER_EXTENSION_1 + 3), "DOC");
            Click(a, IDOK);
        });
        Click(w, IDC_VIEWER_SETTINGS);

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
    EXPECT_EQ(written.GetTarget(0)->GetLaunchTargetType(), 1);
    EXPECT_EQ(written.GetTarget(1)->GetViewerType(), CViewer::TypeWeb);
    EXPECT_EQ(written.GetTarget(1)->GetTargetFilename(), "http://www.example.com");
    EXPECT_EQ(written.GetTarget(1)->GetLaunchTargetType(), 0);
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

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ProjectDlg, FailsafeWizardMakesTheProjectAndACancelledWizardKeepsIt)
{
    CAutoPlayCheck::WriteStartupSetting(0);
    RemoveWizardFolders();
    const std::string base = "C:\\CD_Project", second = "C:\\CD_Project2", outside = "C:\\CD_Project_other";
    RemoveTree(outside);
    ::CreateDirectoryA(outside.c_str(), nullptr);
    const std::string picture = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures\\solid.bmp";
    ASSERT_TRUE(::CopyFileA(picture.c_str(), (outside + "\\splash.bmp").c_str(), FALSE));
    TestApp().messageBoxes.clear();
    const char kConfirmation[] = "Install the reader?\r\n\r\nIt is free.";
    bool tryFirst = false, always = false;

    CProjectDlg dialog;
    RunDialog(dialog, kMain, [&](HWND w) {
        AnswerDialog("Velmora Composer Wizard - New Project with Failsafe", [&](HWND z) {
            auto* wizard = dynamic_cast<CWizardDlg*>(CWnd::FromHandlePermanent(z));
            ASSERT_NE(wizard, nullptr);
            // The last page's text needs 158 dialog units at the dialog font Wine gives
            // "MS Sans Serif"; the page has 150 (at Windows' own font it fits).
            ExpectPagesHoldTheirTexts(z, wizard->FindPage<CWizardFinish>()->GetSafeHwnd());
            EXPECT_EQ(wizard->HeaderTitle(), "New Project with Failsafe Wizard");
            EXPECT_TRUE(Has(TextOnPage(z, IDC_WZ_LABEL), "with the option of adding a Splash Screen"));
            Click(z, IDC_WZ_NEXT);

            // The Folder page's own button 2 makes the folder; pressed again it only tells.
            EXPECT_FALSE(Enabled(z, IDC_WZ_NEXT));
            ClickOnPage(z, IDC_WZ_CREATE_FOLDER);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_FOLDER_LABEL), "Base Folder: " + base);
            EXPECT_TRUE(Enabled(z, IDC_WZ_NEXT));
            EXPECT_NE(::GetFileAttributesA(base.c_str()), INVALID_FILE_ATTRIBUTES);
            ClickOnPage(z, IDC_WZ_CREATE_FOLDER);
            ASSERT_EQ(TestApp().messageBoxes.size(), 1u);
            EXPECT_EQ(TestApp().messageBoxes[0], "You have already created your Base Folder as:\n\n" + base);
            EXPECT_TRUE(::IsWindowVisible(z)) << "button 2 of the page is no Cancel";
            EXPECT_EQ(::GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
            Click(z, IDC_WZ_NEXT);

            // The author copies the project's files in.
            EXPECT_EQ(wizard->HeaderTitle(), "Add Your Project Files");
            EXPECT_TRUE(Has(TextOnPage(z, IDC_WZ_LABEL), "Splash Screen files, your Failsafe Program installer"));
            for (const char* folder : {"\\art", "\\sound", "\\setup"})
                ::CreateDirectoryA((base + folder).c_str(), nullptr);
            WriteFile(base + "\\manual.txt", "the manual");
            WriteFile(base + "\\sound\\intro.wav", "RIFF");
            WriteFile(base + "\\setup\\setup.exe", "MZ");
            ASSERT_TRUE(::CopyFileA(picture.c_str(), (base + "\\art\\splash.bmp").c_str(), FALSE));
            ClickOnPage(z, IDC_WZ_OPEN_FOLDER);
            EXPECT_TRUE(ShellFolderWindowShown("CD_Project")) << "the page's button opens the base folder";
            Click(z, IDC_WZ_NEXT);

            // The splash: a picture from a folder named like the base folder is refused.
            EXPECT_EQ(wizard->HeaderTitle(), "Set up your Splash Screen");
            EXPECT_TRUE(Enabled(z, IDC_WZ_NEXT));
            EXPECT_EQ(TextOnPage(z, IDC_WZ_DURATION), "5");
            const char kImageTitle[] = "Select a BMP or AVI for your Splash Screen";
            AnswerFileDialog(kImageTitle, outside + "\\splash.bmp");
            ClickOnPage(z, IDC_WZ_BROWSE_IMAGE);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_SPLASH_IMAGE), "");
            EXPECT_EQ(wizard->HelpTitle(), "Velmora 2.9");
            EXPECT_TRUE(wizard->HelpWarning());
            AnswerFileDialog(kImageTitle, base + "\\art\\splash.bmp");
            ClickOnPage(z, IDC_WZ_BROWSE_IMAGE);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_SPLASH_IMAGE), "art\\splash.bmp");
            AnswerFileDialog("Please select your WAV file", base + "\\sound\\intro.wav");
            ClickOnPage(z, IDC_WZ_BROWSE_SOUND);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_SPLASH_SOUND), "sound\\intro.wav");
            SetTextOnPage(z, IDC_WZ_DURATION, "7");
            ClickOnPage(z, IDC_SETTINGS_HELP_1);
            EXPECT_EQ(wizard->HelpTitle(), "Splash Screen Image");
            ClickOnPage(z, IDC_SETTINGS_HELP_2);
            EXPECT_EQ(wizard->HelpTitle(), "Splash Screen Sound");
            Click(z, IDC_WZ_NEXT);

            AnswerFileDialog(kTargetTitle, base + "\\manual.txt");
            ClickOnPage(z, IDC_WZ_BROWSE_TARGET);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_TARGET), "manual.txt");
            SetTextOnPage(z, IDC_WZ_PARAMETERS, "/s");
            Click(z, IDC_WZ_NEXT);

            // The failsafe program, set for the Target page's file.
            EXPECT_EQ(wizard->HeaderTitle(), "Set your Failsafe Program");
            AnswerDialog("Failsafe Program Settings for manual.txt", [&](HWND f) {
                AnswerFileDialog("Select your Failsafe Program", base + "\\setup\\setup.exe");
                Click(f, IDC_USE_FAILSAFE);
                EXPECT_EQ(Text(f, IDC_FAILSAFE_PATH), "setup\\setup.exe");
                Click(f, IDC_CHECK_VERSION);
                SetText(f, IDC_VERSION, "5.0");
                SetText(f, IDC_CONFIRMATION, kConfirmation);
                Click(f, IDC_REBOOT);
                tryFirst = Checked(f, IDC_TRY_TARGET_FIRST);
                always = Checked(f, IDC_ALWAYS_RUN);
                Click(f, IDC_FAILSAFE_OK);
            });
            ClickOnPage(z, IDC_WZ_FAILSAFE_SETTINGS);
            EXPECT_TRUE(AllAnswered());
            Click(z, IDC_WZ_NEXT);
            EXPECT_EQ(Text(z, IDC_WZ_NEXT), "Finish");
            Click(z, IDC_WZ_NEXT);
        });
        Click(w, IDC_WIZARD_FAILSAFE);
        EXPECT_TRUE(AllAnswered());

        // A fresh project of the one target.
        const auto fresh = [&](const char* when) {
            EXPECT_EQ(Text(w, IDC_BASE_FOLDER), base) << when;
            EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "manual.txt /s") << when;
            EXPECT_EQ(dialog.Project().GetTargetCount(), 1) << when;
            EXPECT_TRUE(Checked(w, IDC_SPLASH)) << when;
            EXPECT_TRUE(Enabled(w, IDC_SPLASH_SETTINGS)) << when;
            EXPECT_TRUE(Enabled(w, IDC_CLEAR_SPLASH)) << when;
            EXPECT_TRUE(Enabled(w, IDC_BROWSE_TARGETS)) << when;
            EXPECT_TRUE(Enabled(w, IDC_CREATE)) << when;
            EXPECT_FALSE(Enabled(w, IDC_TEST)) << when;
            EXPECT_EQ(dialog.HelpTitle(), "Next Steps ...") << when;
            EXPECT_TRUE(Has(Text(w, IDC_HELP_PANEL), "Your project is set up")) << when;
        };
        fresh("after Finish");
        const CViewer* target = dialog.Project().GetTarget(0);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->GetViewerType(), CViewer::TypeFile);
        EXPECT_EQ(std::string(target->GetProgramDirectory()).find(base), 0u);
        EXPECT_EQ(target->GetOwner(), &dialog);
        EXPECT_EQ(::GetParent(target->GetSafeHwnd()), w) << "the viewer's window is a child of the main dialog";
        EXPECT_EQ(::GetDlgCtrlID(target->GetSafeHwnd()), 0);
        EXPECT_EQ(dialog.Project().SplashDuration, "7");

        // The plain wizard from the menu makes a second folder, and is cancelled.
        AnswerDialog("Velmora Composer Wizard - New Project", [&](HWND z) {
            Click(z, IDC_WZ_NEXT);
            ClickOnPage(z, IDC_WZ_CREATE_FOLDER);
            EXPECT_EQ(TextOnPage(z, IDC_WZ_FOLDER_LABEL), "Base Folder: " + second);
            ClickOnPage(z, IDC_WZ_CREATE_FOLDER);
            EXPECT_EQ(TestApp().messageBoxes.back(), "You have already created your Base Folder as:\n\n" + second);
            Click(z, IDC_WZ_NEXT);
            Click(z, IDCANCEL);
        });
        ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(ID_WIZARD_NEW, 0), 0);
        EXPECT_TRUE(AllAnswered());
        fresh("after a cancelled wizard");

        // Created, cleared, and opened again.
        Click(w, IDC_CREATE);
        ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(ID_CLEAR_ALL, 0), 0);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "");
        AnswerFileDialog("Select your Velmora DAT file", base + "\\velmora.dat");
        ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(ID_OPEN_PROJECT, 0), 0);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(Text(w, IDC_BASE_FOLDER), base);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "manual.txt /s");
        EXPECT_TRUE(Checked(w, IDC_SPLASH));
        ASSERT_EQ(dialog.Project().GetTargetCount(), 1);
        EXPECT_EQ(dialog.Project().GetTarget(0)->GetFailsafeProgPath(), "setup\\setup.exe");
        Click(w, IDC_EXIT);
    }, 120000);
    EXPECT_EQ(TestApp().messageBoxes.size(), 2u);
    EXPECT_NE(::GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);

    CProjectData written;
    ASSERT_EQ(written.Read((base + "\\velmora.dat").c_str(), base.c_str()), CProjectData::ReadOK);
    EXPECT_EQ(written.Splash, 1);
    EXPECT_EQ(written.SplashImage, "art\\splash.bmp");
    EXPECT_EQ(written.SplashSound, "sound\\intro.wav");
    EXPECT_EQ(written.SplashDuration, "7");
    ASSERT_EQ(written.GetTargetCount(), 1);
    const CViewer& file = *written.GetTarget(0);
    EXPECT_EQ(file.GetViewerType(), CViewer::TypeFile);
    EXPECT_EQ(file.GetTargetFilename(), "manual.txt");
    EXPECT_EQ(file.GetParameters(), "/s");
    EXPECT_EQ(file.GetWindowShowCmdWindow(), 0);
    EXPECT_EQ(file.GetTryAndForce(), 0);
    EXPECT_EQ(file.GetHasFailsafeProgram(), 1);
    EXPECT_EQ(file.GetFailsafeProgPath(), "setup\\setup.exe");
    EXPECT_EQ(file.GetTryTargetFirst(), tryFirst ? 1 : 0);
    EXPECT_EQ(file.GetCheckVersion(), 1);
    EXPECT_EQ(file.GetVersionString(), "5.0");
    EXPECT_EQ(file.GetAlwaysRun(), always ? 1 : 0);
    EXPECT_EQ(file.GetDisplayConfirmation(), 1);
    EXPECT_EQ(file.GetFailsafeConfMessage(), kConfirmation);
    EXPECT_EQ(file.GetRebootMachine(), 1);

    // The independent reading: the target's records in their order.
    const std::vector<std::string> records = DecodeRecords(FileBytes(base + "\\velmora.dat"));
    const auto at = std::find(records.begin(), records.end(), "S:manual.txt");
    ASSERT_NE(at, records.end());
    ASSERT_GE(at - records.begin(), 2);
    const std::vector<std::string> expected = {"I:0", "I:0", "S:manual.txt", "S:/s", "B:0", "B:0", "S:", "S:", "B:1",
                                               "S:setup\\setup.exe", tryFirst ? "B:1" : "B:0", always ? "B:1" : "B:0",
                                               "B:1", "S:5.0", "B:1", "S:Install the reader?~^~~^~It is free.", "B:1"};
    EXPECT_EQ(std::vector<std::string>(at - 2, std::min(at - 2 + static_cast<long>(expected.size()), records.end())),
              expected);
    EXPECT_TRUE(std::find(records.begin(), records.end(), "S:art\\splash.bmp") != records.end());
    EXPECT_TRUE(std::find(records.begin(), records.end(), "S:sound\\intro.wav") != records.end());

    RemoveWizardFolders();
    RemoveTree(outside);
}

}  // namespace
