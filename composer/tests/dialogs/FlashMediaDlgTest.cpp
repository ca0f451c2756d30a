// The Flash and media settings dialogs run by their openers: their enable rules (the custom
// size is list index 0 in one, 2 in the other), values kept while disabled, the border
// swatch and its colour dialog, Test configuring one test viewer the dialog owns and opening
// its window (the stand-in controls play), the test window going with the dialog, and what
// OK and Cancel hand back.
#include "CFlashViewer.h"
#include "CFlashViewerDlg.h"
#include "CFlashViewerSettingsDlg.h"
#include "CMediaViewer.h"
#include "CMediaViewerSettingsDlg.h"
#include "CMediaWindow.h"
#include "TargetDialogTools.h"

#include <gtest/gtest.h>

namespace {

const int kSizeControls[] = {IDC_CUSTOM_WIDTH, IDC_CUSTOM_HEIGHT, IDC_SIZE_X_LABEL, IDC_SIZE_PIXELS_LABEL};

void ExpectSizeControls(HWND w, bool enabled)
{
    for (int id : kSizeControls)
        EXPECT_EQ(Enabled(w, id), enabled) << id;
}

template <class Dialog> Dialog* DialogOf(HWND w) { return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(w)); }

TEST(FlashViewerSettingsDlg, RulesOneTestViewerAndWriteBackOnOk)
{
    const std::string base = MakeBaseFolder("flash_base", {});
    WriteFile(base + "\\movie.vflash", "0 0 60000");
    StandInControls controls;
    RecordingPlatform platform;

    CFlashViewer viewer;
    viewer.SetTargetFilename("movie.vflash");
    viewer.SetStartPlaying(0);
    viewer.SetLoopAnimation(1);
    viewer.SetCloseFlashAfterFinished(1);
    viewer.SetShowTitleBar(0);
    viewer.SetFlashWindowSize(CFlashViewerSettingsDlg::SizeFullScreen);
    viewer.SetCustomFlashWidth(320);
    viewer.SetCustomFlashHeight(240);
    viewer.SetShowRightClickMenu(1);

    CFlashViewer* testViewer = nullptr;
    HWND testWindow = nullptr;
    const INT_PTR result = RunOpener([&] { return CFlashViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Flash Viewer Settings for movie.vflash", [&](HWND w) {
        auto* dialog = DialogOf<CFlashViewerSettingsDlg>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Flash Viewer Settings");
        EXPECT_EQ(::GetDlgCtrlID(dialog->HelpPanelWindow()), IDC_FL_HELP_PANEL);
        Click(w, IDC_SETTINGS_HELP_3);
        EXPECT_EQ(dialog->HelpTitle(), "Right-Click Menu");
        {
            CScreen screen;
            const RECT band = dialog->HelpBand();
            EXPECT_EQ(screen.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
        }

        // Full screen: the size is greyed and kept; Custom Size (index 0) opens it.
        EXPECT_EQ(Selection(w, IDC_WINDOW_SIZE), CFlashViewerSettingsDlg::SizeFullScreen);
        ExpectSizeControls(w, false);
        EXPECT_EQ(Text(w, IDC_CUSTOM_WIDTH), "320");
        Select(w, IDC_WINDOW_SIZE, CFlashViewerSettingsDlg::SizeCustom);
        ExpectSizeControls(w, true);
        // A number emptied to be typed anew is no error while it is typed, nor when a
        // selection changes meanwhile; the member keeps its value until the field reads again.
        TestApp().messageBoxes.clear();
        SetText(w, IDC_CUSTOM_WIDTH, "");
        Select(w, IDC_WINDOW_SIZE, CFlashViewerSettingsDlg::SizeCustom);
        EXPECT_TRUE(TestApp().messageBoxes.empty()) << TestApp().messageBoxes.front();
        EXPECT_EQ(dialog->m_width, 320);
        EXPECT_TRUE(Enabled(w, IDC_CUSTOM_WIDTH)) << "the focus and the rules are left alone";
        SetText(w, IDC_CUSTOM_WIDTH, "400");
        SetText(w, IDC_CUSTOM_HEIGHT, "300");
        Click(w, IDC_FL_START_PLAYING);
        Click(w, IDC_FL_CLOSE_BUTTON);
        EXPECT_EQ(dialog->m_width, 400);
        EXPECT_EQ(dialog->m_closeButton, 1);

        // Test twice: one test viewer, configured as on screen, its window open.
        testViewer = dialog->TestViewer();
        ASSERT_NE(testViewer, nullptr);
        testViewer->SetPlatform(&platform);
        Click(w, IDC_TEST);
        Click(w, IDC_TEST);
        EXPECT_EQ(dialog->TestViewer(), testViewer);
        EXPECT_EQ(testViewer->GetTargetFilename(), "movie.vflash");
        EXPECT_EQ(testViewer->GetProgramDirectory(), base.c_str());
        EXPECT_TRUE(testViewer->GetTestMode());
        const CFlashViewerSettings s = testViewer->FlashSettings();
        EXPECT_EQ(s.StartPlaying, 1);
        EXPECT_EQ(s.LoopAnimation, 1);
        EXPECT_EQ(s.ShowTitleBar, 1);
        EXPECT_EQ(s.FlashWindowSize, 0u);
        EXPECT_EQ(s.CustomFlashWidth, 400);
        EXPECT_EQ(s.CustomFlashHeight, 300);
        EXPECT_EQ(s.ShowRightClickMenu, 1);
        EXPECT_EQ(platform.started.size(), 2u) << "the Flash player's installer, once a Test";
        ASSERT_NE(testViewer->GetWindow(), nullptr) << testViewer->GetLog().c_str();
        testWindow = testViewer->GetWindow()->m_hWnd;
        EXPECT_TRUE(::IsWindowVisible(testWindow));
        // OK checks what typing did not: an empty number keeps the dialog open with a message.
        SetText(w, IDC_CUSTOM_HEIGHT, "");
        TestApp().messageBoxes.clear();
        Click(w, IDOK);
        ASSERT_TRUE(::IsWindow(w));
        ASSERT_EQ(TestApp().messageBoxes.size(), 1u);
        EXPECT_EQ(TestApp().messageBoxes[0], "Please enter an integer.");
        SetText(w, IDC_CUSTOM_HEIGHT, "300");
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(::IsWindow(testWindow)) << "the test window goes with the dialog";

    EXPECT_EQ(viewer.GetViewerType(), CViewer::TypeFlash);
    EXPECT_EQ(viewer.GetStartPlaying(), 1);
    EXPECT_EQ(viewer.GetLoopAnimation(), 1);
    EXPECT_EQ(viewer.GetCloseFlashAfterFinished(), 1);
    EXPECT_EQ(viewer.GetShowTitleBar(), 1);
    EXPECT_EQ(viewer.GetFlashWindowSize(), 0u);
    EXPECT_EQ(viewer.GetCustomFlashWidth(), 400);
    EXPECT_EQ(viewer.GetCustomFlashHeight(), 300);
    EXPECT_EQ(viewer.GetShowRightClickMenu(), 1);
}

// Without the opener's window size no size is chosen; the edits open only with Custom Size.
// Cancel hands nothing back.
TEST(FlashViewerSettingsDlg, NoSizeChosenUntilTheAuthorPicksOneAndCancelWritesNothing)
{
    CFlashViewerSettingsDlg dialog;
    dialog.m_targetFilename = "intro.swf";
    const INT_PTR result = RunDialog(dialog, "Flash Viewer Settings for intro.swf", [&](HWND w) {
        EXPECT_EQ(Selection(w, IDC_WINDOW_SIZE), -1);
        ExpectSizeControls(w, false);
        Select(w, IDC_WINDOW_SIZE, CFlashViewerSettingsDlg::SizeFullScreen);
        ExpectSizeControls(w, false);
        Select(w, IDC_WINDOW_SIZE, CFlashViewerSettingsDlg::SizeCustom);
        ExpectSizeControls(w, true);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.m_windowSize, CFlashViewerSettingsDlg::SizeCustom);  // the members mirrored the screen
}

TEST(MediaViewerSettingsDlg, RulesSwatchOneTestViewerAndWriteBackOnOk)
{
    const std::string base = MakeBaseFolder("media_base", {});
    WriteFile(base + "\\clip.vmedia", "320 240 60000");
    StandInControls controls;

    CMediaViewer viewer;
    viewer.SetTargetFilename("clip.vmedia");
    viewer.SetWindowSize(CMediaViewerSettingsDlg::SizeFullScreen);
    viewer.SetCustomMediaWidth(640);
    viewer.SetCustomMediaHeight(480);
    viewer.SetShowControls(1);
    viewer.SetShowTracker(1);
    viewer.SetShowBorder(1);
    viewer.SetBorderWidth(7);
    viewer.SetBorderColor(RGB(10, 20, 30));
    viewer.SetTitleBar(0);
    // Not edited here: kept as they are.
    viewer.SetShowPosition(0);
    viewer.SetShowAudio(0);
    viewer.SetShowDisplay(1);
    viewer.SetBackgroundColor(RGB(1, 2, 3));

    CMediaViewer* testViewer = nullptr;
    HWND testWindow = nullptr;
    const INT_PTR result = RunOpener([&] { return CMediaViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Media Viewer Settings for clip.vmedia", [&](HWND w) {
        auto* dialog = DialogOf<CMediaViewerSettingsDlg>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Media Viewer Settings");
        Click(w, IDC_SETTINGS_HELP_4);
        EXPECT_EQ(dialog->HelpTitle(), "Border Settings");
        EXPECT_EQ(::SendDlgItemMessageA(w, IDC_WINDOW_SIZE, CB_GETCOUNT, 0, 0), 3);

        // Size: only Custom Size (index 2) opens the edits.
        ExpectSizeControls(w, false);
        Select(w, IDC_WINDOW_SIZE, CMediaViewerSettingsDlg::SizeOfVideo);
        ExpectSizeControls(w, false);
        Select(w, IDC_WINDOW_SIZE, CMediaViewerSettingsDlg::SizeCustom);
        ExpectSizeControls(w, true);
        SetText(w, IDC_CUSTOM_WIDTH, "500");

        // Controls off greys the tracker, whose value stays and is handed back.
        EXPECT_TRUE(Enabled(w, IDC_MD_SHOW_TRACKER));
        Click(w, IDC_MD_SHOW_CONTROLS);
        EXPECT_FALSE(Enabled(w, IDC_MD_SHOW_TRACKER));
        EXPECT_TRUE(Checked(w, IDC_MD_SHOW_TRACKER));

        // The border: width and swatch follow Show Border.
        for (int id : {IDC_MD_BORDER_WIDTH, IDC_MD_WIDTH_LABEL, IDC_SWATCH})
            EXPECT_TRUE(Enabled(w, id)) << id;
        AnswerColorDialog(true, RGB(0, 160, 80));
        Click(w, IDC_SWATCH);
        EXPECT_EQ(dialog->m_borderColor, RGB(0, 160, 80));
        AnswerColorDialog(false);
        Click(w, IDC_SWATCH);
        EXPECT_EQ(dialog->m_borderColor, RGB(0, 160, 80)) << "a cancelled colour dialog changes nothing";
        EXPECT_TRUE(AllAnswered());
        {
            RECT swatch = {};
            ::GetWindowRect(::GetDlgItem(w, IDC_SWATCH), &swatch);
            ::MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&swatch), 2);
            CScreen screen;
            EXPECT_EQ(screen.ClientPixel(w, (swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2),
                      RGB(0, 160, 80));
        }
        SetText(w, IDC_MD_BORDER_WIDTH, "3");
        Click(w, IDC_MD_SHOW_BORDER);
        for (int id : {IDC_MD_BORDER_WIDTH, IDC_MD_WIDTH_LABEL, IDC_SWATCH})
            EXPECT_FALSE(Enabled(w, id)) << id;
        Click(w, IDC_MD_SHOW_BORDER);
        Click(w, IDC_MD_REPEAT);

        // Test twice: one test viewer, as on screen, its window up.
        testViewer = dialog->TestViewer();
        ASSERT_NE(testViewer, nullptr);
        Click(w, IDC_TEST);
        Click(w, IDC_TEST);
        EXPECT_EQ(dialog->TestViewer(), testViewer);
        const CMediaViewerSettings s = testViewer->MediaSettings();
        EXPECT_EQ(s.WindowSize, 2u);
        EXPECT_EQ(s.CustomMediaWidth, 500);
        EXPECT_EQ(s.ShowControls, 0);
        EXPECT_EQ(s.ShowTracker, 1);
        EXPECT_EQ(s.BorderWidth, 3);
        EXPECT_EQ(s.BorderColor, RGB(0, 160, 80));
        EXPECT_EQ(s.Repeat, 1);
        EXPECT_TRUE(testViewer->GetTestMode());
        ASSERT_NE(testViewer->GetWindow(), nullptr) << testViewer->GetLog().c_str();
        testWindow = testViewer->GetWindow()->m_hWnd;
        EXPECT_TRUE(::IsWindow(testWindow));
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(::IsWindow(testWindow)) << "the test window goes with the dialog";

    EXPECT_EQ(viewer.GetViewerType(), CViewer::TypeMedia);
    EXPECT_EQ(viewer.GetWindowSize(), 2u);
    EXPECT_EQ(viewer.GetCustomMediaWidth(), 500);
    EXPECT_EQ(viewer.GetCustomMediaHeight(), 480);
    EXPECT_EQ(viewer.GetShowControls(), 0);
    EXPECT_EQ(viewer.GetShowTracker(), 1);
    EXPECT_EQ(viewer.GetShowBorder(), 1);
    EXPECT_EQ(viewer.GetBorderWidth(), 3);
    EXPECT_EQ(viewer.GetBorderColor(), RGB(0, 160, 80));
    EXPECT_EQ(viewer.GetRepeat(), 1);
    EXPECT_EQ(viewer.GetShowPosition(), 0);
    EXPECT_EQ(viewer.GetShowAudio(), 0);
    EXPECT_EQ(viewer.GetShowDisplay(), 1);
    EXPECT_EQ(viewer.GetBackgroundColor(), RGB(1, 2, 3));
}

TEST(MediaViewerSettingsDlg, CancelWritesNothing)
{
    CMediaViewer viewer;
    viewer.SetTargetFilename("clip.avi");
    viewer.SetBorderColor(RGB(9, 9, 9));
    const CMediaViewerSettings before = viewer.MediaSettings();
    const INT_PTR result = RunOpener([&] { return CMediaViewerSettingsDlg::Edit(viewer, "C:\\CD", nullptr); },
                                     "Media Viewer Settings for clip.avi", [&](HWND w) {
        Click(w, IDC_MD_AUTO_START);
        Select(w, IDC_WINDOW_SIZE, CMediaViewerSettingsDlg::SizeCustom);
        SetText(w, IDC_CUSTOM_HEIGHT, "123");
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(viewer.MediaSettings() == before);
    EXPECT_EQ(viewer.GetViewerType(), CViewer::TypeFile);
}

} // namespace
