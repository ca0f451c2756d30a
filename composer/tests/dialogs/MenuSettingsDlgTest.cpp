// The menu editor run by its opener: the button list's operations, the action rows, Find and
// Set for each kind of button, the refusals of a file or folder outside the base folder, the OK rule,
// Test showing the menu window, and what Cancel and OK leave in the project's menu (its
// buttons' viewers kept on Cancel, replaced and freed on OK, the test window gone with the
// editor).
#include "CFileViewer.h"
#include "CMediaViewer.h"
#include "CMenuSettingsDlg.h"
#include "CMenuViewer.h"
#include "CMenuViewerDlg.h"
#include "CWebViewer.h"
#include "MenuEditorTools.h"
#include "TargetDialogTools.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CMenuSettingsDlg* DialogOf(HWND w) { return dynamic_cast<CMenuSettingsDlg*>(CWnd::FromHandlePermanent(w)); }

bool Visible(HWND w, int id) { return ::IsWindowVisible(::GetDlgItem(w, id)) != FALSE; }

// The four action rows as shown: target, Settings, Failsafe, Clear.
std::string Rows(HWND w)
{
    std::string rows;
    rows += Visible(w, IDC_MN_TARGET) && Visible(w, IDC_MN_FIND) ? 'T' : '-';
    rows += Visible(w, IDC_MN_SETTINGS) ? 'S' : '-';
    rows += Visible(w, IDC_MN_FAILSAFE) ? 'F' : '-';
    rows += Visible(w, IDC_MN_CLEAR) ? 'C' : '-';
    return rows;
}

// A project menu of two buttons whose viewers it holds itself.
struct ProjectMenu {
    CMenuViewer menu;
    std::weak_ptr<CViewer> readme, site;

    explicit ProjectMenu(const std::string& base)
    {
        menu.SetProgramDirectory(base.c_str());
        menu.SetMenuTitle("Project Menu");
        menu.SetMenuText("Welcome");
        menu.SetShowMenuText(1);
        menu.SetShowMenuBackgroundColor(1);
        auto file = std::make_shared<CFileViewer>();
        file->SetViewerType(CViewer::TypeFile);
        file->SetTargetFilename("readme.txt");
        file->SetParameters("/x /showCmdMIN");  // as read from a file: the window state in the parameters
        auto web = std::make_shared<CWebViewer>();
        web->SetViewerType(CViewer::TypeWeb);
        web->SetTargetFilename("http://example.com");
        menu.AddMenuButton("Readme", 1, MenuActionFile, std::shared_ptr<CViewer>(file));
        menu.AddMenuButton("Site", 2, MenuActionWeb, std::shared_ptr<CViewer>(web));
        readme = file;
        site = web;
    }
};

TEST(MenuSettingsDlg, CancelKeepsTheProjectMenuAndOkTakesTheEditedButtons)
{
    const std::string base = MakeBaseFolder("menu_cd", {});
    WriteFile(base + "\\CLIP.MPG", "not really a movie");
    WriteFile(base + "\\notes.txt", "notes");
    ::CreateDirectoryA((base + "\\pictures").c_str(), nullptr);
    // A folder whose name begins with the base folder's: outside all the same.
    const std::string beside = MakeBaseFolder("menu_cd2", {});
    WriteFile(beside + "\\x.txt", "outside");
    StandInControls controls;
    ProjectMenu project(base);

    // Cancel after changing a button's kind and deleting another: the menu is as it was.
    INT_PTR result = RunOpener([&] { return CMenuSettingsDlg::Edit(project.menu, base.c_str(), nullptr); },
                               "Menu Settings", [&](HWND w) {
        CMenuSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Menu Settings");
        EXPECT_EQ(::GetDlgCtrlID(dialog->HelpPanelWindow()), IDC_MN_HELP_PANEL);
        EXPECT_EQ(ListItemCount(w, IDC_MN_LIST), 2);
        EXPECT_EQ(ListSelection(w, IDC_MN_LIST), 0);
        EXPECT_EQ(Text(w, IDC_MN_BUTTON_TEXT), "Readme");
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "readme.txt");
        EXPECT_EQ(Selection(w, IDC_MN_STYLE), 1);
        EXPECT_EQ(dialog->Button(0).viewer->GetWindowShowCmdWindow(), 2) << "the state its settings show";
        EXPECT_EQ(dialog->Button(0).viewer->GetParameters(), "/x");
        Select(w, IDC_MN_ACTION, ItemExit);
        EXPECT_EQ(dialog->Button(0).viewer, nullptr) << "Exit drops the button's viewer";
        SelectListItem(w, IDC_MN_LIST, 1);
        Click(w, IDC_MN_DELETE);
        EXPECT_EQ(dialog->ButtonCount(), 1);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(project.menu.GetMenuButtonCount(), 2);
    ASSERT_FALSE(project.readme.expired());
    ASSERT_FALSE(project.site.expired());
    EXPECT_EQ(project.menu.GetMenuButtonViewer(0), project.readme.lock().get());
    EXPECT_EQ(project.menu.GetMenuButtonViewer(1), project.site.lock().get());
    EXPECT_EQ(project.menu.GetMenuButtonAction(0), MenuActionFile);
    EXPECT_EQ(project.menu.GetMenuButtonViewer(0)->GetTargetFilename(), "readme.txt");
    EXPECT_EQ(project.menu.GetMenuButtonViewer(0)->GetParameters(), "/x /showCmdMIN");
    EXPECT_EQ(project.menu.GetMenuButtonCaption(1), "Site");

    HWND testWindow = nullptr;
    TestApp().messageBoxes.clear();
    result = RunOpener([&] { return CMenuSettingsDlg::Edit(project.menu, base.c_str(), nullptr); }, "Menu Settings",
                       [&](HWND w) {
        CMenuSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        // The window settings and their enable rules.
        EXPECT_EQ(Text(w, IDC_MN_TITLE), "Project Menu");
        EXPECT_TRUE(Enabled(w, IDC_MN_TITLE));
        Click(w, IDC_MN_SHOW_TITLE_BAR);
        EXPECT_FALSE(Enabled(w, IDC_MN_TITLE));
        Click(w, IDC_MN_SHOW_TITLE_BAR);
        EXPECT_TRUE(Enabled(w, IDC_MN_TITLE));
        Click(w, IDC_MN_SHOW_TEXT);
        EXPECT_FALSE(Enabled(w, IDC_MN_TEXT));
        Click(w, IDC_MN_SHOW_TEXT);
        Click(w, IDC_MN_SHOW_COLOR);
        EXPECT_FALSE(Enabled(w, IDC_SWATCH));
        Click(w, IDC_MN_SHOW_COLOR);

        // An emptied width holds up none of the fields after it: the menu text typed key by
        // key stays through a help click and a change of button; the width shows its last
        // number again.
        SetText(w, IDC_MN_WIDTH, "");
        SetText(w, IDC_MN_TEXT, "");
        Type(::GetDlgItem(w, IDC_MN_TEXT), "Typed anew");
        EXPECT_EQ(dialog->m_menuText, "Typed anew");
        EXPECT_EQ(dialog->m_menuWidth, 640);
        Click(w, IDC_SETTINGS_HELP_2);
        EXPECT_EQ(Text(w, IDC_MN_TEXT), "Typed anew");
        SetText(w, IDC_MN_WIDTH, "");
        ::SendDlgItemMessageA(w, IDC_MN_TEXT, EM_SETSEL, 10, 10);
        Type(::GetDlgItem(w, IDC_MN_TEXT), "!");
        SelectListItem(w, IDC_MN_LIST, 1);
        EXPECT_EQ(Text(w, IDC_MN_TEXT), "Typed anew!");
        EXPECT_EQ(Text(w, IDC_MN_BUTTON_TEXT), "Site");
        EXPECT_EQ(Text(w, IDC_MN_WIDTH), "640");

        // Shifting at both ends does nothing; in the middle the button moves with the selection.
        SelectListItem(w, IDC_MN_LIST, 0);
        Click(w, IDC_MN_UP);
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 0), "Readme");
        SelectListItem(w, IDC_MN_LIST, 1);
        Click(w, IDC_MN_DOWN);
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 1), "Site");
        Click(w, IDC_MN_UP);
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 0), "Site");
        EXPECT_EQ(ListSelection(w, IDC_MN_LIST), 0);
        EXPECT_EQ(dialog->Button(0).caption, "Site");
        EXPECT_EQ(dialog->Button(0).action, MenuActionWeb);
        Click(w, IDC_MN_DOWN);
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 1), "Site");

        // 25 buttons, and a 26th refused.
        for (int i = 2; i < 25; ++i)
            Click(w, IDC_MN_CREATE);
        EXPECT_EQ(ListItemCount(w, IDC_MN_LIST), 25);
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 24), "New Button");
        EXPECT_EQ(ListSelection(w, IDC_MN_LIST), 24);
        EXPECT_EQ(Rows(w), "----") << "a new button has no action";
        Click(w, IDC_MN_CREATE);
        EXPECT_EQ(ListItemCount(w, IDC_MN_LIST), 25);
        EXPECT_EQ(dialog->ButtonCount(), 25);
        // Deleting the last leaves no selection and the button controls closed.
        Click(w, IDC_MN_DELETE);
        EXPECT_EQ(ListItemCount(w, IDC_MN_LIST), 24);
        EXPECT_EQ(ListSelection(w, IDC_MN_LIST), -1);
        EXPECT_EQ(dialog->CurrentButton(), -1);
        for (int id : {IDC_MN_BUTTON_TEXT, IDC_MN_STYLE, IDC_MN_ACTION})
            EXPECT_FALSE(Enabled(w, id)) << id;
        // Deleting in the middle selects the next button at the same place.
        SelectListItem(w, IDC_MN_LIST, 2);
        while (dialog->ButtonCount() > 2)
            Click(w, IDC_MN_DELETE);
        EXPECT_EQ(ListItemCount(w, IDC_MN_LIST), 2);

        // Launch a File: Find of a movie in capitals makes a media viewer, a text file a file viewer.
        Click(w, IDC_MN_CREATE);
        SetText(w, IDC_MN_BUTTON_TEXT, "Clip");
        EXPECT_EQ(ListItemText(w, IDC_MN_LIST, 2), "Clip");
        Select(w, IDC_MN_ACTION, ItemFile);
        EXPECT_EQ(Rows(w), "TSFC");
        EXPECT_EQ(Text(w, IDC_MN_TARGET_LABEL), "Target File");
        EXPECT_EQ(Text(w, IDC_MN_FIND_LABEL), "Find");
        AnswerFileDialog("Select your Target File", base + "\\CLIP.MPG");
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "CLIP.MPG");
        ASSERT_NE(dialog->Button(2).viewer, nullptr);
        EXPECT_EQ(dialog->Button(2).viewer->GetViewerType(), CViewer::TypeMedia);
        // A file of the folder beside the base folder is refused; the button keeps its viewer.
        AnswerFileDialog("Select your Target File", beside + "\\x.txt");
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "");
        EXPECT_TRUE(dialog->HelpWarning());
        EXPECT_NE(dialog->HelpText().Find("must be in the CD-ROM Base Folder"), -1);
        EXPECT_EQ(dialog->Button(2).viewer->GetTargetFilename(), "CLIP.MPG");

        NewMenuButton(w, "Notes", ItemFile);
        AnswerFileDialog("Select your Target File", base + "\\notes.txt");
        Click(w, IDC_MN_FIND);
        ASSERT_NE(dialog->Button(3).viewer, nullptr);
        EXPECT_EQ(dialog->Button(3).viewer->GetViewerType(), CViewer::TypeFile);
        EXPECT_EQ(dialog->Button(3).viewer->GetTargetFilename(), "notes.txt");

        // A web site typed with "www" gets "http://".
        NewMenuButton(w, "Web", ItemWeb);
        EXPECT_EQ(Rows(w), "TS-C");
        EXPECT_EQ(Text(w, IDC_MN_TARGET_LABEL), "Web Site");
        EXPECT_EQ(Text(w, IDC_MN_FIND_LABEL), "Set");
        AnswerDialog("Open a Web Site (URL)", [](HWND prompt) {
            SetText(prompt, IDC_URL_TEXT, "www.example.org");
            Click(prompt, IDOK);
        });
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "http://www.example.org");
        ASSERT_NE(dialog->Button(4).viewer, nullptr);
        EXPECT_EQ(dialog->Button(4).viewer->GetViewerType(), CViewer::TypeWeb);

        // An e-mail address, kept by a file viewer.
        NewMenuButton(w, "Mail", ItemMail);
        EXPECT_EQ(Rows(w), "T--C");
        EXPECT_EQ(Text(w, IDC_MN_TARGET_LABEL), "Email Address");
        AnswerDialog("Send an Email (mailto)", [](HWND prompt) {
            EXPECT_EQ(Text(prompt, IDC_MAILTO_TEXT), "");
            SetText(prompt, IDC_MAILTO_TEXT, "sales@example.com");
            Click(prompt, IDOK);
        });
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "sales@example.com");
        ASSERT_NE(dialog->Button(5).viewer, nullptr);
        EXPECT_EQ(dialog->Button(5).viewer->GetViewerType(), CViewer::TypeFile);

        // A slideshow viewer comes with the action and goes with Exit.
        NewMenuButton(w, "Quit", ItemSlideShow);
        EXPECT_EQ(Rows(w), "-S-C");
        EXPECT_TRUE(Enabled(w, IDC_MN_SETTINGS));
        ASSERT_NE(dialog->Button(6).viewer, nullptr);
        EXPECT_EQ(dialog->Button(6).viewer->GetViewerType(), CViewer::TypeSlideShow);
        // Clear empties a slideshow but keeps its viewer.
        const CViewer* show = dialog->Button(6).viewer.get();
        Click(w, IDC_MN_CLEAR);
        EXPECT_EQ(dialog->Button(6).viewer.get(), show);
        EXPECT_EQ(dialog->Button(6).viewer->GetViewerType(), CViewer::TypeSlideShow);
        Select(w, IDC_MN_ACTION, ItemExit);
        EXPECT_EQ(Rows(w), "----");
        EXPECT_EQ(dialog->Button(6).viewer, nullptr);

        // A file button that never got its target.
        NewMenuButton(w, "Nothing", ItemFile);

        // Open a Folder: a folder inside through the browser rooted at the base folder. OK
        // there before a choice hands back a folder above the root: refused with the
        // warning, and the button keeps its folder.
        NewMenuButton(w, "Pictures", ItemFolder);
        EXPECT_EQ(Rows(w), "TS-C");
        EXPECT_EQ(Text(w, IDC_MN_TARGET_LABEL), "Folder to Open");
        EXPECT_EQ(Text(w, IDC_MN_FIND_LABEL), "Find");
        AnswerDialog("Browse for Folder", [](HWND browser) { BrowseTo(browser, {"pictures"}); });
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), base + "\\pictures");
        ASSERT_NE(dialog->Button(8).viewer, nullptr);
        EXPECT_EQ(dialog->Button(8).viewer->GetViewerType(), CViewer::TypeFolder);
        EXPECT_EQ(dialog->Button(8).viewer->GetProgramDirectory(), base.c_str());
        EXPECT_TRUE(Enabled(w, IDC_MN_SETTINGS));
        Click(w, IDC_SETTINGS_HELP_1);
        EXPECT_FALSE(dialog->HelpWarning());
        AnswerDialog("Browse for Folder", [](HWND browser) { PressOk(browser); });
        Click(w, IDC_MN_FIND);
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "");
        EXPECT_TRUE(dialog->HelpWarning());
        EXPECT_NE(dialog->HelpText().Find("must be in the CD-ROM Base Folder"), -1);
        EXPECT_EQ(dialog->Button(8).viewer->GetTargetFilename(), (base + "\\pictures").c_str());

        // Selecting a button shows its own rows and target again.
        SelectListItem(w, IDC_MN_LIST, 4);
        EXPECT_EQ(Rows(w), "TS-C");
        EXPECT_EQ(Text(w, IDC_MN_TARGET), "http://www.example.org");
        EXPECT_TRUE(Enabled(w, IDC_MN_SETTINGS));
        EXPECT_EQ(Selection(w, IDC_MN_ACTION), ItemWeb);

        // Test shows the menu window with the buttons so far.
        Click(w, IDC_TEST);
        Settle(300);
        ASSERT_NE(dialog->TestViewer(), nullptr);
        ASSERT_NE(dialog->TestViewer()->GetWindow(), nullptr);
        testWindow = dialog->TestViewer()->GetWindow()->GetSafeHwnd();
        EXPECT_TRUE(::IsWindowVisible(testWindow));
        EXPECT_EQ(dialog->TestViewer()->GetMenuButtonCount(), 9);
        // Its own copies of the viewers, readied for launching with the window state.
        CViewer* shown = dialog->TestViewer()->GetMenuButtonViewer(0);
        ASSERT_NE(shown, nullptr);
        EXPECT_NE(shown, dialog->Button(0).viewer.get());
        EXPECT_EQ(shown->GetWindowShowCmdWindow(), 2);
        EXPECT_EQ(shown->GetParameters(), "/x");

        // The menu text holds at most 5000 characters: OK is refused with the framework's word.
        SetText(w, IDC_MN_TEXT, std::string(5001, 'a'));
        Click(w, IDOK);
        ASSERT_FALSE(TestApp().messageBoxes.empty());
        EXPECT_EQ(TestApp().messageBoxes.back(), "Please enter no more than 5000 characters.");
        EXPECT_TRUE(::IsWindowVisible(w)) << "the editor stays open";
        SetText(w, IDC_MN_TEXT, "Pick one");
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(AllAnswered());
    EXPECT_FALSE(::IsWindow(testWindow)) << "the test menu ends with the editor";

    CMenuViewer& menu = project.menu;
    EXPECT_EQ(menu.GetViewerType(), CViewer::TypeMenu);
    EXPECT_EQ(menu.GetTargetFilename(), "Menu");
    EXPECT_EQ(menu.GetMenuText(), "Pick one");
    ASSERT_NO_FATAL_FAILURE(ExpectMenuButtons(menu, {
        {"Readme", MenuActionFile, CViewer::TypeFile, "readme.txt"},
        {"Site", MenuActionWeb, CViewer::TypeWeb, "http://example.com"},
        {"Clip", MenuActionFile, CViewer::TypeMedia, "CLIP.MPG"},
        {"Notes", MenuActionFile, CViewer::TypeFile, "notes.txt"},
        {"Web", MenuActionWeb, CViewer::TypeWeb, "http://www.example.org"},
        // The test menu readied copies for launching: the address is as typed.
        {"Mail", MenuActionMail, CViewer::TypeFile, "sales@example.com"},
        {"Quit", MenuActionExit, -1, ""},
        {"Nothing", MenuActionNone, -1, ""},
        {"Pictures", MenuActionFolder, CViewer::TypeFolder, base + "\\pictures"},
    }));
    EXPECT_EQ(menu.GetMenuButtonStyle(0), 1);
    EXPECT_EQ(menu.GetMenuButtonViewer(0)->GetWindowShowCmdWindow(), 2);
    EXPECT_EQ(menu.GetMenuButtonViewer(0)->GetParameters(), "/x");
    // The editor's copies replaced the menu's first viewers, which nothing holds any more.
    EXPECT_TRUE(project.readme.expired());
    EXPECT_TRUE(project.site.expired());
}

}  // namespace
