// The web settings dialog run by its openers: the position radios in their tab order, the
// slider showing 200 minus the speed, the effects rule with its two pictures, the range
// checks of OK, Test on the stand-in browser closed after five seconds by one timer (a
// window closed by hand is left alone), the test viewer freed however the dialog
// ends, and what OK and Cancel hand back (the PDF setting only for the Target Files dialog).
#include "CWebViewer.h"
#include "CWebViewerSettingsDlg.h"
#include "TargetDialogTools.h"
#include "standin/StandInRegistration.h"

#include <gtest/gtest.h>

namespace {

const int kPositionRadios[] = {IDC_WB_POSITION_DEFAULT, IDC_WB_POSITION_PRESET, IDC_WB_POSITION_CUSTOM};

CWebViewerSettingsDlg* DialogOf(HWND w) { return dynamic_cast<CWebViewerSettingsDlg*>(CWnd::FromHandlePermanent(w)); }

int Slider(HWND w) { return static_cast<int>(::SendDlgItemMessageA(w, IDC_WB_SPEED, TBM_GETPOS, 0, 0)); }

// Exactly the radio of the type is checked, and only its inputs are open.
void ExpectPosition(HWND w, int type)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Checked(w, kPositionRadios[i]), i == type) << kPositionRadios[i];
    EXPECT_EQ(Enabled(w, IDC_WB_PRESET), type == CWebViewerSettingsDlg::PositionPreset);
    EXPECT_EQ(Enabled(w, IDC_WB_X), type == CWebViewerSettingsDlg::PositionCustom);
    EXPECT_EQ(Enabled(w, IDC_WB_Y), type == CWebViewerSettingsDlg::PositionCustom);
}

TEST(WebViewerSettingsDlg, RulesRangeChecksTestTimerAndWriteBackOnOk)
{
    const std::string base = MakeBaseFolder("web_base", {});
    WriteFile(base + "\\index.html", "<html><body>page</body></html>");
    StandInRegistration browser(ProgramFolder());

    CWebViewer viewer;
    viewer.SetTargetFilename("index.html");
    viewer.SetParameters("#top");
    viewer.SetShowMenuBar(0);
    viewer.SetWindowSizeType(CWebViewerSettingsDlg::SizeCustom);
    viewer.SetCustomWidth(400);
    viewer.SetCustomHeight(300);
    viewer.SetWindowPositionType(CWebViewerSettingsDlg::PositionPreset);
    viewer.SetWindowPreset(2);
    viewer.SetUseEffects(0);
    viewer.SetEffectType(1);
    viewer.SetEffectSpeed(0);
    viewer.SetWaitToLoad(0);
    viewer.SetLaunchPDFExternally(1);

    TestApp().messageBoxes.clear();
    const INT_PTR result = RunOpener([&] { return CWebViewerSettingsDlg::Edit(viewer, base.c_str(), true, nullptr); },
                                     "Web Viewer Settings for index.html", [&](HWND w) {
        CWebViewerSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Web Viewer Settings");
        Click(w, IDC_SETTINGS_HELP_4);
        EXPECT_EQ(dialog->HelpTitle(), "Window Effects");
        EXPECT_TRUE(Checked(w, IDC_WB_LAUNCH_PDF));

        // Position: the radios count in their tab order Default, Preset, Custom.
        ExpectPosition(w, CWebViewerSettingsDlg::PositionPreset);
        EXPECT_EQ(Selection(w, IDC_WB_PRESET), 2);
        Click(w, IDC_WB_POSITION_CUSTOM);
        ExpectPosition(w, CWebViewerSettingsDlg::PositionCustom);
        EXPECT_EQ(dialog->m_positionType, CWebViewerSettingsDlg::PositionCustom);
        Click(w, IDC_WB_POSITION_DEFAULT);
        ExpectPosition(w, CWebViewerSettingsDlg::PositionDefault);
        Click(w, IDC_WB_POSITION_CUSTOM);
        SetText(w, IDC_WB_X, "10");
        SetText(w, IDC_WB_Y, "20");

        // Size: Custom opens width and height.
        EXPECT_TRUE(Enabled(w, IDC_WB_WIDTH));
        Select(w, IDC_WINDOW_SIZE, CWebViewerSettingsDlg::SizeMaximized);
        EXPECT_FALSE(Enabled(w, IDC_WB_WIDTH));
        EXPECT_FALSE(Enabled(w, IDC_WB_HEIGHT));
        Select(w, IDC_WINDOW_SIZE, CWebViewerSettingsDlg::SizeCustom);
        EXPECT_TRUE(Enabled(w, IDC_WB_HEIGHT));
        // An emptied x holds up none of the values after it: the size list still rules.
        SetText(w, IDC_WB_X, "");
        Select(w, IDC_WINDOW_SIZE, CWebViewerSettingsDlg::SizeFullScreen);
        EXPECT_EQ(dialog->m_sizeType, CWebViewerSettingsDlg::SizeFullScreen);
        EXPECT_FALSE(Enabled(w, IDC_WB_WIDTH));
        EXPECT_FALSE(Enabled(w, IDC_WB_HEIGHT));
        EXPECT_EQ(dialog->m_x, 10) << "the emptied value keeps its last number";
        Select(w, IDC_WINDOW_SIZE, CWebViewerSettingsDlg::SizeCustom);
        EXPECT_TRUE(Enabled(w, IDC_WB_WIDTH));
        SetText(w, IDC_WB_X, "10");

        // The slider: speed 0 at the right end; the effects rule and its pictures.
        EXPECT_EQ(::SendDlgItemMessageA(w, IDC_WB_SPEED, TBM_GETRANGEMAX, 0, 0), 200);
        EXPECT_EQ(Slider(w), 200);
        for (int id : {IDC_WB_EFFECT, IDC_WB_SPEED, IDC_WB_SPEED_LABEL})
            EXPECT_FALSE(Enabled(w, id)) << id;
        RECT slider = {};
        ::GetWindowRect(::GetDlgItem(w, IDC_WB_SPEED), &slider);
        ::MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&slider), 2);
        // A point inside each picture's drawing (the slow one's arrow, the fast one's first).
        const POINT slow = {slider.left - 20 + 8, slider.top + 2 + 8};
        const POINT fast = {slider.right + 4 + 5, slider.top + 2 + 8};
        const POINT clear = {slider.left - 20 + 1, slider.top + 2 + 1};
        {
            CScreen screen;
            EXPECT_EQ(screen.ClientPixel(w, slow.x, slow.y), RGB(160, 160, 160));
            EXPECT_EQ(screen.ClientPixel(w, fast.x, fast.y), RGB(160, 160, 160) & ::GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(screen.ClientPixel(w, clear.x, clear.y), ::GetSysColor(COLOR_BTNFACE));
        }
        Click(w, IDC_WB_USE_EFFECTS);
        for (int id : {IDC_WB_EFFECT, IDC_WB_SPEED, IDC_WB_SPEED_LABEL})
            EXPECT_TRUE(Enabled(w, id)) << id;
        {
            CScreen screen;
            EXPECT_EQ(screen.ClientPixel(w, slow.x, slow.y), RGB(0, 0, 160) & ::GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(screen.ClientPixel(w, clear.x, clear.y), ::GetSysColor(COLOR_BTNFACE));
        }
        ::SendDlgItemMessageA(w, IDC_WB_SPEED, TBM_SETPOS, TRUE, 100);
        ::SendMessageA(w, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 100),
                       reinterpret_cast<LPARAM>(::GetDlgItem(w, IDC_WB_SPEED)));
        EXPECT_EQ(dialog->m_effectSpeed, 100);
        Click(w, IDC_SETTINGS_HELP_1);  // a push of the members keeps the slider where it was put
        EXPECT_EQ(Slider(w), 100);
        Select(w, IDC_WB_EFFECT, 6);

        // Test twice within five seconds: one pending timer, so the window closes five
        // seconds after the second Test.
        CWebViewer* test = dialog->TestViewer();
        ASSERT_NE(test, nullptr);
        EXPECT_EQ(test->GetViewerType(), CViewer::TypeWeb);
        EXPECT_EQ(::GetParent(test->m_hWnd), w);
        Click(w, IDC_TEST);
        ASSERT_TRUE(test->IsAlive()) << test->GetLog().c_str();
        browser.Track(test->GetTargetProcess().hWnd);
        EXPECT_EQ(test->GetTargetFilename(), (base + "\\index.html").c_str());
        EXPECT_EQ(test->GetParameters(), "#top");
        EXPECT_TRUE(test->GetTestMode());
        const CWebViewerSettings s = test->WebSettings();
        EXPECT_EQ(s.ShowMenuBar, 0);
        EXPECT_EQ(s.WindowPositionType, CWebViewerSettingsDlg::PositionCustom);
        EXPECT_EQ(s.CustomX, 10);
        EXPECT_EQ(s.CustomY, 20);
        EXPECT_EQ(s.UseEffects, 1);
        EXPECT_EQ(s.EffectType, 6);
        EXPECT_EQ(s.EffectSpeed, 100);
        EXPECT_EQ(s.LaunchPDFExternally, 1);
        Settle(2000);
        Click(w, IDC_TEST);
        ASSERT_TRUE(test->IsAlive());
        browser.Track(test->GetTargetProcess().hWnd);
        EXPECT_NE(dialog->TestTimerId(), -1);
        Settle(3500);
        EXPECT_TRUE(test->IsAlive()) << "the first Test's timer was cancelled";
        EXPECT_NE(dialog->TestTimerId(), -1);
        Settle(2500);
        EXPECT_FALSE(test->IsAlive()) << "closed five seconds after the second Test";
        EXPECT_EQ(dialog->TestTimerId(), -1);
        EXPECT_EQ(test->GetBrowser(), nullptr);

        // A window the author closes is not closed again when the timer comes.
        Click(w, IDC_TEST);
        ASSERT_TRUE(test->IsAlive());
        HWND page = test->GetTargetProcess().hWnd;
        browser.Track(page);
        ::PostMessageA(page, WM_CLOSE, 0, 0);
        for (int i = 0; i < 50 && test->IsAlive(); ++i)
            Settle(100);
        EXPECT_FALSE(test->IsAlive());
        for (int i = 0; i < 80 && dialog->TestTimerId() != -1; ++i)
            Settle(100);
        EXPECT_EQ(dialog->TestTimerId(), -1) << "the timer came and went";
        EXPECT_FALSE(test->IsAlive());
        EXPECT_EQ(::FindWindowA(STANDIN_WINDOW_CLASS, nullptr), nullptr) << "and opened nothing";

        // OK checks the ranges: the dialog stays with the framework's message.
        SetText(w, IDC_WB_WIDTH, "3000");
        Click(w, IDOK);
        ASSERT_TRUE(::IsWindow(w));
        EXPECT_EQ(TestApp().messageBoxes.size(), 1u);
        SetText(w, IDC_WB_WIDTH, "2048");
        SetText(w, IDC_WB_Y, "101");
        Click(w, IDOK);
        ASSERT_TRUE(::IsWindow(w));
        EXPECT_EQ(TestApp().messageBoxes.size(), 2u);
        SetText(w, IDC_WB_Y, "100");
        Click(w, IDC_WB_LAUNCH_PDF);
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);

    EXPECT_EQ(viewer.GetViewerType(), CViewer::TypeWeb);
    EXPECT_EQ(viewer.GetShowToolBar(), 1);
    EXPECT_EQ(viewer.GetShowMenuBar(), 0);
    EXPECT_EQ(viewer.GetWindowSizeType(), CWebViewerSettingsDlg::SizeCustom);
    EXPECT_EQ(viewer.GetCustomWidth(), 2048);
    EXPECT_EQ(viewer.GetCustomHeight(), 300);
    EXPECT_EQ(viewer.GetWindowPositionType(), CWebViewerSettingsDlg::PositionCustom);
    EXPECT_EQ(viewer.GetWindowPreset(), 2);
    EXPECT_EQ(viewer.GetCustomX(), 10);
    EXPECT_EQ(viewer.GetCustomY(), 100);
    EXPECT_EQ(viewer.GetUseEffects(), 1);
    EXPECT_EQ(viewer.GetEffectType(), 6);
    EXPECT_EQ(viewer.GetEffectSpeed(), 100);
    EXPECT_EQ(viewer.GetLaunchPDFExternally(), 0);
    EXPECT_EQ(viewer.GetParameters(), "#top") << "the target's own, untouched";
}

// From the menu editor the PDF setting neither comes in nor goes out; the test viewer and its
// browser go when the dialog ends by Cancel; Cancel writes nothing.
TEST(WebViewerSettingsDlg, MenuEditorsCallAndCancelFreeTheTestViewer)
{
    const std::string base = MakeBaseFolder("web_cancel", {});
    WriteFile(base + "\\index.html", "<html></html>");
    StandInRegistration browser(ProgramFolder());
    CWebViewer viewer;
    viewer.SetTargetFilename("http://example.invalid/");
    viewer.SetLaunchPDFExternally(1);
    viewer.SetEffectSpeed(100);
    const CWebViewerSettings before = viewer.WebSettings();

    CWebViewerSettingsDlg dialog;
    dialog.CopyFrom(viewer, base.c_str(), false);
    HWND page = nullptr;
    const INT_PTR result = RunDialog(dialog, "Web Viewer Settings for http://example.invalid/", [&](HWND w) {
        EXPECT_FALSE(Checked(w, IDC_WB_LAUNCH_PDF));
        EXPECT_EQ(Slider(w), 100);
        Click(w, IDC_WB_TOOL_BAR);
        Click(w, IDC_TEST);
        CWebViewer* test = dialog.TestViewer();
        ASSERT_NE(test, nullptr);
        EXPECT_EQ(test->GetTargetFilename(), "http://example.invalid/") << "a web address is used as it is";
        page = test->GetTargetProcess().hWnd;
        browser.Track(page);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.TestViewer(), nullptr);
    EXPECT_EQ(dialog.TestTimerId(), -1);
    for (int i = 0; i < 50 && ::IsWindow(page); ++i)
        Settle(100);
    EXPECT_FALSE(::IsWindow(page)) << "the test browser went with its viewer";
    EXPECT_TRUE(viewer.WebSettings() == before);
}

} // namespace
