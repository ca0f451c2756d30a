// The SlideShow settings dialog run by its opener: pictures added through the real file
// dialog (inside, in a sub-folder, outside), moved and deleted with the column following the
// names, the two enable rules, music and swatch, the list drawn, Test showing two pictures on
// the chosen colour, a running show ended before its slide list changes and when the
// dialog closes, and what OK and Cancel hand back.
#include "CSlideShowSettingsDlg.h"
#include "CSlideShowViewer.h"
#include "CSlideShowViewerDlg.h"
#include "TargetDialogTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kFixtures = std::string(VELMORA_TEST_SOURCE_DIR) + "\\..\\viewers\\tests\\fixtures";
const char kAddTitle[] = "Select Images to add to your SlideShow";
const char kMusicTitle[] = "Please select your WAV or MP3 file";

CSlideShowSettingsDlg* DialogOf(HWND w) { return dynamic_cast<CSlideShowSettingsDlg*>(CWnd::FromHandlePermanent(w)); }

void SelectItem(HWND w, int item)
{
    LVITEMA state = {};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendDlgItemMessageA(w, IDC_SS_SLIDES, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

int SelectedItem(HWND w)
{
    return static_cast<int>(::SendDlgItemMessageA(w, IDC_SS_SLIDES, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<std::string> Listed(const CSlideShowSettingsDlg& dialog)
{
    std::vector<std::string> names;
    for (const CString& name : dialog.ListedSlides())
        names.push_back(name.c_str());
    return names;
}

std::vector<std::string> Slides(const CSlideShowViewer& viewer)
{
    std::vector<std::string> names;
    for (const CString& name : viewer.GetSlides())
        names.push_back(name.c_str());
    return names;
}

std::string MakeShowFolder(const std::string& name)
{
    const std::string base = MakeBaseFolder(name, {});
    ::CreateDirectoryA((base + "\\sub").c_str(), nullptr);
    EXPECT_TRUE(::CopyFileA((kFixtures + "\\slide_red.bmp").c_str(), (base + "\\red.bmp").c_str(), FALSE));
    EXPECT_TRUE(::CopyFileA((kFixtures + "\\slide_blue.png").c_str(), (base + "\\blue.png").c_str(), FALSE));
    EXPECT_TRUE(::CopyFileA((kFixtures + "\\solid.bmp").c_str(), (base + "\\sub\\green.bmp").c_str(), FALSE));
    WriteFile(base + "\\sub\\music.wav", "not really a wave");
    return base;
}

COLORREF WindowPixel(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

// The show's window of the working viewer, or null.
HWND ShowWindowOf(const CSlideShowSettingsDlg& dialog)
{
    CSlideShowViewerDlg* show = dialog.WorkingViewer().GetWindow();
    return show && ::IsWindow(show->m_hWnd) && ::IsWindowVisible(show->m_hWnd) ? show->m_hWnd : nullptr;
}

TEST(SlideShowSettingsDlg, ListRulesTestAndWriteBackOnOk)
{
    const std::string base = MakeShowFolder("slideshow_base");
    const std::string outside = MakeBaseFolder("slideshow_outside", {});
    EXPECT_TRUE(::CopyFileA((kFixtures + "\\solid.bmp").c_str(), (outside + "\\out.bmp").c_str(), FALSE));

    CSlideShowViewer viewer;
    viewer.AddSlide("red.bmp");
    viewer.SetCustomSlideShowWidth(320);
    viewer.SetCustomSlideShowHeight(240);
    viewer.SetDisplayTime(1);
    viewer.SetCloseSlideShowAfterDone(0);
    viewer.SetLoopSlideShow(1);

    HWND firstShow = nullptr, secondShow = nullptr;
    const INT_PTR result = RunOpener([&] { return CSlideShowSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "SlideShow Settings", [&](HWND w) {
        CSlideShowSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "SlideShow Settings");
        Click(w, IDC_SETTINGS_HELP_6);
        EXPECT_EQ(dialog->HelpTitle(), "Background Color");
        HWND list = ::GetDlgItem(w, IDC_SS_SLIDES);
        EXPECT_TRUE(::GetWindowLongA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"red.bmp"}));
        EXPECT_EQ(dialog->SlideCount(), 1);
        EXPECT_GE(dialog->ColumnWidth(), int(CSlideShowSettingsDlg::MinColumnWidth));

        // Several pictures at once, in the dialog's order; one outside the base folder is left out.
        AnswerFileDialog(kAddTitle, "\"blue.png\" \"sub\\green.bmp\"");
        Click(w, IDC_SS_ADD_IMAGES);
        AnswerFileDialog(kAddTitle, outside + "\\out.bmp");
        Click(w, IDC_SS_ADD_IMAGES);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"red.bmp", "blue.png", "sub\\green.bmp"}));
        EXPECT_EQ(dialog->SlideCount(), 3);
        for (int i = 0; i < 3; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            item.iImage = -1;
            ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            EXPECT_GE(item.iImage, 0) << i;
        }
        // The list draws its items: the first row's label holds text in another colour
        // than the list's background.
        {
            RECT label = {};
            label.left = LVIR_LABEL;
            ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
            CScreen screen;
            int drawn = 0;
            for (int x = label.left; x < label.right; ++x)
                for (int y = label.top; y < label.bottom; ++y)
                    drawn += screen.ClientPixel(list, x, y) != screen.ClientPixel(list, label.right - 1, label.top);
            EXPECT_GT(drawn, 10);
        }

        // Moves: nothing past either end.
        SelectItem(w, 2);
        Click(w, IDC_SS_MOVE_UP);
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"red.bmp", "sub\\green.bmp", "blue.png"}));
        EXPECT_EQ(SelectedItem(w), 1);
        SelectItem(w, 0);
        Click(w, IDC_SS_MOVE_UP);
        SelectItem(w, 2);
        Click(w, IDC_SS_MOVE_DOWN);
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"red.bmp", "sub\\green.bmp", "blue.png"}));
        SelectItem(w, 0);
        Click(w, IDC_SS_MOVE_DOWN);
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"sub\\green.bmp", "red.bmp", "blue.png"}));
        EXPECT_EQ(SelectedItem(w), 1);
        // Delete: the next item takes the selection.
        SelectItem(w, 0);
        Click(w, IDC_SS_DELETE_IMAGE);
        EXPECT_EQ(Listed(*dialog), (std::vector<std::string>{"red.bmp", "blue.png"}));
        EXPECT_EQ(SelectedItem(w), 0);
        EXPECT_EQ(dialog->SlideCount(), 2);

        // The rules: greyed, values kept.
        Select(w, IDC_WINDOW_SIZE, CSlideShowSettingsDlg::SizeFullScreen);
        for (int id : {IDC_CUSTOM_WIDTH, IDC_CUSTOM_HEIGHT, IDC_SIZE_X_LABEL, IDC_SIZE_PIXELS_LABEL})
            EXPECT_FALSE(Enabled(w, id)) << id;
        EXPECT_EQ(Text(w, IDC_CUSTOM_WIDTH), "320");
        Select(w, IDC_WINDOW_SIZE, CSlideShowSettingsDlg::SizeCustom);
        EXPECT_TRUE(Enabled(w, IDC_CUSTOM_HEIGHT));
        Select(w, IDC_SS_DISPLAY_TIME_TYPE, CSlideShowSettingsDlg::TimeSpreadOverMusic);
        EXPECT_FALSE(Enabled(w, IDC_SS_DISPLAY_TIME));
        EXPECT_FALSE(Enabled(w, IDC_SS_SECONDS_LABEL));
        EXPECT_EQ(Text(w, IDC_SS_DISPLAY_TIME), "1");

        // Music: inside is taken by its name below the base folder, outside changes nothing.
        AnswerFileDialog(kMusicTitle, base + "\\sub\\music.wav");
        Click(w, IDC_SS_BROWSE_MUSIC);
        EXPECT_EQ(Text(w, IDC_SS_MUSIC), "sub\\music.wav");
        AnswerFileDialog(kMusicTitle, outside + "\\out.bmp");
        Click(w, IDC_SS_BROWSE_MUSIC);
        EXPECT_EQ(dialog->m_music, "sub\\music.wav");
        Click(w, IDC_SS_CLEAR_MUSIC);
        EXPECT_EQ(Text(w, IDC_SS_MUSIC), "");
        AnswerFileDialog(kMusicTitle, base + "\\sub\\music.wav");
        Click(w, IDC_SS_BROWSE_MUSIC);

        // The swatch: the colour chosen, painted.
        AnswerColorDialog(true, RGB(0, 128, 255));
        Click(w, IDC_SWATCH);
        AnswerColorDialog(false);
        Click(w, IDC_SWATCH);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(dialog->m_backgroundColor, RGB(0, 128, 255));
        {
            RECT swatch = {};
            ::GetClientRect(::GetDlgItem(w, IDC_SWATCH), &swatch);
            CScreen screen;
            EXPECT_EQ(screen.ClientPixel(::GetDlgItem(w, IDC_SWATCH), swatch.right / 2, swatch.bottom / 2),
                      RGB(0, 128, 255));
        }

        // Test: the two pictures in list order on the chosen colour (the music is no sound,
        // so each picture has its second).
        Click(w, IDC_TEST);
        firstShow = ShowWindowOf(*dialog);
        ASSERT_NE(firstShow, nullptr) << dialog->WorkingViewer().GetLog().c_str();
        RECT client = {};
        ::GetClientRect(firstShow, &client);
        EXPECT_EQ(client.right, 320);
        Settle(500);
        // Read off the show window's own surface: under Wine the test program's own
        // slideshow window stays black on the X screen (the player's run test sees the
        // same window on screen from outside).
        EXPECT_EQ(WindowPixel(firstShow, 160, 120), RGB(255, 0, 0)) << "the first picture, centred";
        EXPECT_EQ(WindowPixel(firstShow, 5, 5), RGB(0, 128, 255)) << "on the background colour";
        EXPECT_EQ(WindowPixel(firstShow, 319, 239), RGB(0, 128, 255));
        for (int i = 0; i < 30 && dialog->WorkingViewer().GetWindow()->GetCurrentSlide() < 1; ++i)
            Settle(100);
        Settle(200);
        EXPECT_EQ(WindowPixel(firstShow, 160, 120), RGB(0, 0, 255)) << "the second picture";

        // Test again while the show runs: that show ends before the list changes; the new one
        // walks the list as it is now.
        SelectItem(w, 1);
        Click(w, IDC_SS_MOVE_UP);
        Click(w, IDC_TEST);
        EXPECT_FALSE(::IsWindow(firstShow));
        secondShow = ShowWindowOf(*dialog);
        ASSERT_NE(secondShow, nullptr);
        EXPECT_EQ(Slides(dialog->WorkingViewer()),
                  (std::vector<std::string>{base + "\\blue.png", base + "\\red.bmp"}));
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(::IsWindow(secondShow)) << "OK ends the running show";

    EXPECT_EQ(viewer.GetViewerType(), CViewer::TypeSlideShow);
    EXPECT_EQ(viewer.GetTargetFilename(), "SlideShow");
    EXPECT_EQ(Slides(viewer), (std::vector<std::string>{"blue.png", "red.bmp"}));
    EXPECT_EQ(viewer.GetNumSlides(), 2);
    EXPECT_EQ(viewer.GetBackgroundMusic(), "sub\\music.wav");
    EXPECT_EQ(viewer.GetSSBackgroundColor(), RGB(0, 128, 255));
    EXPECT_EQ(viewer.GetDisplayTimeType(), 1u);
    EXPECT_EQ(viewer.GetDisplayTime(), 1);
    EXPECT_EQ(viewer.GetLoopSlideShow(), 1);
    EXPECT_EQ(viewer.GetCloseSlideShowAfterDone(), 0);
    EXPECT_EQ(viewer.GetSlideShowWindowSize(), 0u);
    EXPECT_EQ(viewer.GetCustomSlideShowWidth(), 320);
}

// The last item deleted leaves the column at its least width; a show still up when the
// dialog is cancelled ends with it; Cancel writes nothing.
TEST(SlideShowSettingsDlg, CancelWithAShowUpEndsItAndWritesNothing)
{
    const std::string base = MakeShowFolder("slideshow_cancel");
    CSlideShowViewer viewer;
    viewer.AddSlide("red.bmp");
    viewer.SetCustomSlideShowWidth(200);
    viewer.SetCustomSlideShowHeight(150);
    viewer.SetCloseSlideShowAfterDone(0);
    const CSlideShowViewerSettings before = viewer.SlideShowSettings();

    HWND show = nullptr;
    const INT_PTR result = RunOpener([&] { return CSlideShowSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "SlideShow Settings", [&](HWND w) {
        CSlideShowSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        Click(w, IDC_TEST);
        show = ShowWindowOf(*dialog);
        EXPECT_NE(show, nullptr);
        SelectItem(w, 0);
        Click(w, IDC_SS_DELETE_IMAGE);
        EXPECT_EQ(dialog->SlideCount(), 0);
        EXPECT_EQ(dialog->ColumnWidth(), int(CSlideShowSettingsDlg::MinColumnWidth));
        EXPECT_EQ(::SendDlgItemMessageA(w, IDC_SS_SLIDES, LVM_GETCOLUMNWIDTH, 0, 0),
                  CSlideShowSettingsDlg::MinColumnWidth);
        Click(w, IDC_SS_LOOP);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(::IsWindow(show)) << "the show ends with the dialog";
    EXPECT_TRUE(viewer.SlideShowSettings() == before);
    EXPECT_EQ(viewer.GetTargetFilename(), "");
}

} // namespace
