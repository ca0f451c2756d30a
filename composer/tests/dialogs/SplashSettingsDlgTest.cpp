// The splash settings dialog run by its opener on a project: pictures and sounds inside and
// outside the base folder, the background rule and the colour swatch with the real colour
// dialog, and Test showing the picture until its own timer ends it, a second Test
// replacing the first and the dialog's end ending a splash still up.
#include "CImageViewer.h"
#include "CProjectData.h"
#include "CSplashSettingsDlg.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kCaption[] = "Splash Screen Settings";
const char kImageTitle[] = "Select an Image file for your Splash Screen";
const char kSoundTitle[] = "Please select your WAV or MP3 file";

BOOL CALLBACK CollectDialogs(HWND window, LPARAM parameter)
{
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Clicks Test and gives the picture window it made: the one dialog window that is new.
HWND TestSplash(HWND w)
{
    const std::vector<HWND> before = ThreadDialogs();
    Click(w, IDC_TEST);
    HWND made = nullptr;
    for (HWND window : ThreadDialogs())
        if (std::find(before.begin(), before.end(), window) == before.end())
            made = window;
    return made;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (done())
            return true;
        Settle(50);
    }
    return done();
}

COLORREF SwatchCentre(const CScreen& screen, HWND w)
{
    RECT swatch;
    HWND control = ::GetDlgItem(w, IDC_SPLASH_SWATCH);
    ::GetClientRect(control, &swatch);
    return screen.ClientPixel(control, swatch.right / 2, swatch.bottom / 2);
}

TEST(SplashSettingsDlg, PicturesColourAndTestSplashes)
{
    const std::string base = MakeBaseFolder("splash_base", {});
    const std::string picture = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures\\solid.bmp";
    ::CreateDirectoryA((base + "\\pics").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(picture.c_str(), (base + "\\pics\\splash.bmp").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(picture.c_str(), (base + "\\top.bmp").c_str(), FALSE));
    WriteFile(base + "\\ding.wav", "RIFF");
    const std::string outside = MakeBaseFolder("splash_outside", {});
    ASSERT_TRUE(::CopyFileA(picture.c_str(), (outside + "\\away.bmp").c_str(), FALSE));

    CProjectData project;
    project.SplashColour = RGB(0, 128, 0);
    project.SplashBackground = 0;
    HWND lastSplash = nullptr;
    const INT_PTR result = RunOpener([&] { return CSplashSettingsDlg::Edit(project, base.c_str(), nullptr); },
                                     kCaption, [&](HWND w) {
        auto* dialog = dynamic_cast<CSplashSettingsDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Splash Screen");
        EXPECT_EQ(Text(w, IDC_SPLASH_DURATION), "5");
        EXPECT_FALSE(Enabled(w, IDC_SPLASH_SWATCH));
        Click(w, IDC_SETTINGS_HELP_3);
        EXPECT_EQ(dialog->HelpTitle(), "Background Color");

        // Pictures: outside refused with the warning, in the base folder and in a sub-folder.
        AnswerFileDialog(kImageTitle, outside + "\\away.bmp");
        Click(w, IDC_SPLASH_BROWSE_IMAGE);
        EXPECT_TRUE(dialog->HelpWarning());
        EXPECT_EQ(Text(w, IDC_SPLASH_IMAGE), "");
        AnswerFileDialog(kImageTitle, base + "\\top.bmp");
        Click(w, IDC_SPLASH_BROWSE_IMAGE);
        EXPECT_EQ(Text(w, IDC_SPLASH_IMAGE), "top.bmp");
        AnswerFileDialog(kImageTitle, base + "\\pics\\splash.bmp");
        Click(w, IDC_SPLASH_BROWSE_IMAGE);
        EXPECT_EQ(dialog->m_image, "pics\\splash.bmp");
        AnswerFileDialog(kSoundTitle, base + "\\ding.wav");
        Click(w, IDC_SPLASH_BROWSE_SOUND);
        EXPECT_EQ(Text(w, IDC_SPLASH_SOUND), "ding.wav");
        Click(w, IDC_SPLASH_CLEAR_SOUND);
        EXPECT_EQ(dialog->m_sound, "");

        // The background rule and the swatch in its colour; Cancel keeps the colour.
        Click(w, IDC_SPLASH_BACKGROUND);
        EXPECT_TRUE(Enabled(w, IDC_SPLASH_SWATCH));
        {
            CScreen screen;
            ASSERT_TRUE(screen.Taken());
            EXPECT_EQ(SwatchCentre(screen, w), RGB(0, 128, 0));
        }
        AnswerColorDialog(true, RGB(200, 30, 40));
        Click(w, IDC_SPLASH_SWATCH);
        AnswerColorDialog(false);
        Click(w, IDC_SPLASH_SWATCH);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(dialog->m_backgroundColour, RGB(200, 30, 40));
        {
            CScreen screen;
            EXPECT_EQ(SwatchCentre(screen, w), RGB(200, 30, 40));
        }

        // Test: the picture on the background colour, ended by its own timer.
        SetText(w, IDC_SPLASH_DURATION, "1");
        HWND shown = TestSplash(w);
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(shown) != FALSE; }, 2000));
        {
            CScreen screen;
            RECT client;
            ::GetClientRect(shown, &client);
            EXPECT_EQ(screen.ClientPixel(shown, client.right / 2, client.bottom / 2), RGB(0, 255, 0));
            EXPECT_EQ(screen.ClientPixel(shown, 2, 2), RGB(200, 30, 40));
        }
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(shown); }, 4000));
        EXPECT_FALSE(dialog->TestSplash()->IsAlive());

        // A duration that is no number shows for no time at all.
        SetText(w, IDC_SPLASH_DURATION, "abc");
        shown = TestSplash(w);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return !dialog->TestSplash()->IsAlive(); }, 1500));

        // A second Test replaces the first splash.
        SetText(w, IDC_SPLASH_DURATION, "5");
        HWND first = TestSplash(w);
        ASSERT_NE(first, nullptr);
        lastSplash = TestSplash(w);
        EXPECT_FALSE(::IsWindow(first));
        ASSERT_NE(lastSplash, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(lastSplash) != FALSE; }, 2000));

        // Unticked, the swatch is off but the colour stays; OK with the splash still up.
        Click(w, IDC_SPLASH_BACKGROUND);
        EXPECT_FALSE(Enabled(w, IDC_SPLASH_SWATCH));
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(::IsWindow(lastSplash));  // ended with the dialog
    EXPECT_EQ(project.SplashImage, "pics\\splash.bmp");
    EXPECT_EQ(project.SplashSound, "");
    EXPECT_EQ(project.SplashDuration, "5");
    EXPECT_EQ(project.SplashBackground, 0);
    EXPECT_EQ(project.SplashColour, RGB(200, 30, 40));

    // Cancel writes nothing back.
    const INT_PTR cancelled = RunOpener([&] { return CSplashSettingsDlg::Edit(project, base.c_str(), nullptr); },
                                        kCaption, [&](HWND w) {
        EXPECT_EQ(Text(w, IDC_SPLASH_IMAGE), "pics\\splash.bmp");
        SetText(w, IDC_SPLASH_DURATION, "9");
        Click(w, IDC_SPLASH_BACKGROUND);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(cancelled, IDCANCEL);
    EXPECT_EQ(project.SplashDuration, "5");
    EXPECT_EQ(project.SplashBackground, 0);
}

}  // namespace
