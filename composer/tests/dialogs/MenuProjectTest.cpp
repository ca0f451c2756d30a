// A Menu target made through the main dialog as an author makes it: "Launch a Menu" in the
// Target Files dialog opens the menu editor (cancelled first, then confirmed with a File,
// a Folder, a web site, an e-mail address, an Exit button and a File button whose target
// was cleared, the first with viewer settings of its own), the editor seen on screen and its
// Test menu shown; the editor opened again from the slot's settings and cancelled after
// changes loses nothing. Then Create: the menu
// record read back by the project reader and by the independent decoder; Clear all and
// Open bring the menu back into the summary.
#include "BaseFolderMarker.h"
#include "CAutoPlayCheck.h"
#include "CMenuViewer.h"
#include "CProjectData.h"
#include "CProjectDlg.h"
#include "CTargetFilesDlg.h"
#include "CViewerSettingsDlg.h"
#include "DialogDriver.h"
#include "MenuEditorTools.h"
#include "RecordDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const char kMain[] = "Velmora Composer 2.9";
const char kTargets[] = "Set Your Target File(s)";
const char kEditor[] = "Menu Settings";
const char kBrowser[] = "Browse for Folder";
const int kLaunchAMenu = 2;  // the second command of a browse button's menu

// True when the records hold these, one after the other.
bool InARow(const std::vector<std::string>& records, const std::vector<std::string>& run)
{
    return std::search(records.begin(), records.end(), run.begin(), run.end()) != records.end();
}

TEST(MenuProject, MadeThroughTargetFilesCreatedReadBackAndOpened)
{
    CAutoPlayCheck::WriteStartupSetting(0);
    const std::string base = MakeBaseFolder("menu_project", {});
    ::CreateDirectoryA((base + "\\docs").c_str(), nullptr);
    ::CreateDirectoryA((base + "\\pictures").c_str(), nullptr);
    WriteFile(base + "\\docs\\guide.txt", "the guide");
    const COLORREF green = RGB(40, 160, 90);
    TestApp().messageBoxes.clear();

    CProjectDlg dialog;
    RunDialog(dialog, kMain, [&](HWND w) {
        AnswerDialog(kBrowser, [&](HWND b) { BrowseTo(b, BrowserWay(base)); });
        Click(w, IDC_BROWSE_BASE);
        ASSERT_EQ(Text(w, IDC_BASE_FOLDER), base);

        AnswerDialog(kTargets, [&](HWND t) {
            // Cancelled: the slot stays unused.
            AnswerDialog(kEditor, [](HWND m) {
                Click(m, IDC_MN_CREATE);
                Click(m, IDCANCEL);
            });
            ChooseMenuCommand(t, IDC_TF_BROWSE_0, kLaunchAMenu);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "");
            EXPECT_FALSE(Enabled(t, CTargetFilesDlg::BrowseId(1)));

            AnswerDialog(kEditor, [&](HWND m) {
                EXPECT_EQ(ListItemCount(m, IDC_MN_LIST), 0);
                SetText(m, IDC_MN_TITLE, "Our CD");
                // The background colour, as the swatch shows it on screen.
                Click(m, IDC_MN_SHOW_COLOR);
                AnswerColorDialog(true, green);
                Click(m, IDC_SWATCH);
                Settle(300);
                EXPECT_EQ(CentreOf(m, IDC_SWATCH), green);

                NewMenuButton(m, "Guide", ItemFile);
                AnswerFileDialog("Select your Target File", base + "\\docs\\guide.txt");
                Click(m, IDC_MN_FIND);
                EXPECT_EQ(Text(m, IDC_MN_TARGET), "docs\\guide.txt");
                // Its viewer settings, kept by the button's own viewer.
                AnswerDialog("Viewer Settings for docs\\guide.txt", [](HWND v) {
                    Select(v, IDC_WINDOW_STATE, CViewerSettingsDlg::StateMinimized);
                    Click(v, IDOK);
                });
                Click(m, IDC_MN_SETTINGS);
                NewMenuButton(m, "Pictures", ItemFolder);
                AnswerDialog(kBrowser, [](HWND b) { BrowseTo(b, {"pictures"}); });
                Click(m, IDC_MN_FIND);
                EXPECT_EQ(Text(m, IDC_MN_TARGET), base + "\\pictures");
                NewMenuButton(m, "Web", ItemWeb);
                AnswerDialog("Open a Web Site (URL)", [](HWND u) {
                    SetText(u, IDC_URL_TEXT, "www.example.org");
                    Click(u, IDOK);
                });
                Click(m, IDC_MN_FIND);
                NewMenuButton(m, "Mail", ItemMail);
                AnswerDialog("Send an Email (mailto)", [](HWND e) {
                    SetText(e, IDC_MAILTO_TEXT, "sales@example.com");
                    Click(e, IDOK);
                });
                Click(m, IDC_MN_FIND);
                NewMenuButton(m, "Quit", ItemExit);
                NewMenuButton(m, "Nothing", ItemFile);
                // Given a target, then cleared: it launches nothing.
                AnswerFileDialog("Select your Target File", base + "\\docs\\guide.txt");
                Click(m, IDC_MN_FIND);
                EXPECT_TRUE(Enabled(m, IDC_MN_FAILSAFE));
                Click(m, IDC_MN_CLEAR);
                EXPECT_EQ(Text(m, IDC_MN_TARGET), "");
                EXPECT_FALSE(Enabled(m, IDC_MN_SETTINGS));
                EXPECT_FALSE(Enabled(m, IDC_MN_FAILSAFE));
                EXPECT_EQ(ListItemCount(m, IDC_MN_LIST), 6);

                // Test: the menu's own window, in the chosen colour.
                Click(m, IDC_TEST);
                Settle(300);
                HWND menu = FindTopLevel("Our CD");
                ASSERT_NE(menu, nullptr);
                EXPECT_TRUE(::IsWindowVisible(menu));
                RECT client;
                ::GetClientRect(menu, &client);
                const CScreen screen;
                EXPECT_EQ(screen.ClientPixel(menu, 3, client.bottom - 3), green);
                Click(m, IDOK);
            });
            ChooseMenuCommand(t, IDC_TF_BROWSE_0, kLaunchAMenu);
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "Menu");
            EXPECT_TRUE(Enabled(t, CTargetFilesDlg::BrowseId(1)));

            // Opened again from the slot's settings: the buttons as confirmed; changes cancelled.
            AnswerDialog(kEditor, [](HWND m) {
                ASSERT_EQ(ListItemCount(m, IDC_MN_LIST), 6);
                EXPECT_EQ(ListItemText(m, IDC_MN_LIST, 5), "Nothing");
                EXPECT_EQ(Text(m, IDC_MN_TITLE), "Our CD");
                EXPECT_EQ(Text(m, IDC_MN_TARGET), "docs\\guide.txt");
                Select(m, IDC_MN_ACTION, ItemExit);
                SelectListItem(m, IDC_MN_LIST, 1);
                Click(m, IDC_MN_DELETE);
                Click(m, IDC_MN_CREATE);
                Click(m, IDCANCEL);
            });
            Click(t, CTargetFilesDlg::SettingsId(0));
            EXPECT_EQ(Text(t, CTargetFilesDlg::TargetId(0)), "Menu");
            Click(t, IDOK);
        });
        Click(w, IDC_BROWSE_TARGETS);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "Menu");
        Click(w, IDC_CREATE);

        // Clear all, then Open: the written menu comes back.
        ::SendMessageA(w, WM_COMMAND, ID_CLEAR_ALL, 0);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "");
        AnswerFileDialog("Select your Velmora DAT file", base + "\\velmora.dat");
        ::SendMessageA(w, WM_COMMAND, ID_OPEN_PROJECT, 0);
        EXPECT_EQ(Text(w, IDC_TARGET_SUMMARY), "Menu");
        Click(w, IDC_EXIT);
    }, 120000);
    EXPECT_TRUE(AllAnswered());
    EXPECT_TRUE(TestApp().messageBoxes.empty());

    CProjectData written;
    ASSERT_EQ(written.Read((base + "\\velmora.dat").c_str(), base.c_str()), CProjectData::ReadOK);
    ASSERT_EQ(written.GetTargetCount(), 1);
    ASSERT_EQ(written.GetTarget(0)->GetViewerType(), CViewer::TypeMenu);
    const auto& menu = static_cast<const CMenuViewer&>(*written.GetTarget(0));
    EXPECT_EQ(menu.GetTargetFilename(), "Menu");
    EXPECT_EQ(menu.GetMenuTitle(), "Our CD");
    EXPECT_EQ(menu.GetShowMenuBackgroundColor(), 1);
    EXPECT_EQ(menu.GetMenuBackgroundColor(), green);
    ASSERT_NO_FATAL_FAILURE(ExpectMenuButtons(menu, {
        {"Guide", MenuActionFile, CViewer::TypeFile, "docs\\guide.txt"},
        {"Pictures", MenuActionFolder, CViewer::TypeFolder, base + "\\pictures"},
        {"Web", MenuActionWeb, CViewer::TypeWeb, "http://www.example.org"},
        {"Mail", MenuActionMail, CViewer::TypeFile, "sales@example.com"},
        {"Quit", MenuActionExit, -1, ""},
        {"Nothing", MenuActionNone, -1, ""},
    }));
    // The window state travels in the stored parameters; the Test menu, which readies its
    // own copies of the viewers for launching, took nothing from the buttons' viewers.
    EXPECT_EQ(menu.GetMenuButtonViewer(0)->GetParameters(), " /showCmdMIN");

    // The independent reading: each button's caption, style and action in a row; the
    // folder stored below the base folder's marker.
    const std::vector<std::string> records = DecodeRecords(FileBytes(base + "\\velmora.dat"));
    EXPECT_TRUE(InARow(records, {"S:Our CD"}));
    EXPECT_TRUE(InARow(records, {"S:Guide", "I:0", "I:0"}));
    EXPECT_TRUE(InARow(records, {"S:Pictures", "I:0", "I:1"}));
    EXPECT_TRUE(InARow(records, {"S:Web", "I:0", "I:2"}));
    EXPECT_TRUE(InARow(records, {"S:Mail", "I:0", "I:5"}));
    EXPECT_TRUE(InARow(records, {"S:Quit", "I:0", "I:4", "S:Nothing", "I:0", "I:-1"}));
    EXPECT_TRUE(InARow(records, {"S:docs\\guide.txt", "S: /showCmdMIN"}));
    EXPECT_TRUE(InARow(records, {"S:" BASE_FOLDER_MARKER "\\pictures"}));
    EXPECT_TRUE(InARow(records, {"S:http://www.example.org"}));
    EXPECT_TRUE(InARow(records, {"S:sales@example.com"}));
}

}  // namespace
