// The wizard frame: the header's gradient computed column by column, the page list's limit,
// a one-page wizard that starts, shows its page in the page area and is cancelled; the New
// Project wizard page by page as an author goes through it; a page whose partner page is
// missing.
#include "CNewProjectWizard.h"
#include "DialogDriver.h"
#include "WizardPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const char kWizard[] = "Velmora Composer Wizard - New Project";
const char kTargetTitle[] = "Select your Target File";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// How far a colour lies from another, in its farthest channel.
int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// A control as it is drawn on the screen now.
std::vector<COLORREF> Drawn(HWND dialog, int id)
{
    Settle(400);
    const CScreen screen;
    HWND control = ::GetDlgItem(dialog, id);
    RECT r;
    ::GetClientRect(control, &r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            pixels.push_back(screen.ClientPixel(control, x, y));
    return pixels;
}

TEST(WizardDlg, HeaderColumnsRunTheWholeWayAndAddPageRefusesATenth)
{
    const COLORREF left = RGB(0x30, 0x96, 0xFA), right = RGB(0xF5, 0xF5, 0xF5);
    EXPECT_EQ(CWizardDlg::HeaderColumnColour(0, 400, left, right), left);
    EXPECT_EQ(CWizardDlg::HeaderColumnColour(399, 400, left, right), right);
    const COLORREF middle = CWizardDlg::HeaderColumnColour(200, 400, left, right);
    EXPECT_NEAR(GetRValue(middle), (0x30 + 0xF5) / 2, 2) << "a wide header is no flat colour";
    EXPECT_NEAR(GetGValue(middle), (0x96 + 0xF5) / 2, 2);

    CWizardDlg wizard;
    CWizardFinish pages[10];
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(wizard.AddPage({"Page", IDS_TITLE_WIZARD, IDS_HELP_WIZARD, IDD_WIZARD_FINISH, &pages[i]}));
    EXPECT_FALSE(wizard.AddPage({"Tenth", IDS_TITLE_WIZARD, IDS_HELP_WIZARD, IDD_WIZARD_FINISH, &pages[9]}));
    EXPECT_FALSE(wizard.AddPage({"No page", IDS_TITLE_WIZARD, IDS_HELP_WIZARD, IDD_WIZARD_FINISH, nullptr}));
    EXPECT_EQ(wizard.PageCount(), 9);
}

TEST(WizardDlg, OnePageShowsFinishAndCancelEndsIt)
{
    CWizardDlg wizard;
    CWizardFinish page;
    wizard.AddPage({"Only", IDS_TITLE_WIZARD, IDS_HELP_WIZARD, IDD_WIZARD_FINISH, &page});
    const INT_PTR result = RunDialog(wizard, "Velmora Composer Wizard - New Project", [&](HWND w) {
        EXPECT_EQ(wizard.HeaderTitle(), "Only");
        EXPECT_EQ(wizard.HelpTitle(), "Wizard");
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Finish");
        EXPECT_FALSE(Enabled(w, IDC_WZ_BACK));
        RECT shown;
        ::GetWindowRect(page.GetSafeHwnd(), &shown);
        ::MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&shown), 2);
        EXPECT_EQ(shown.left, wizard.PageArea().left);
        EXPECT_EQ(shown.top, wizard.PageArea().top);
        EXPECT_TRUE(::IsWindowVisible(page.GetSafeHwnd()));
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(WizardDlg, NewProjectPageByPage)
{
    // On drive C:, which the folder browser's tree shows under its drive letter.
    const std::string base = "C:\\wizard_base", sibling = "C:\\wizard_base2";
    for (const std::string& folder : {base, sibling}) {
        RemoveTree(folder);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    WriteFile(base + "\\manual.txt", "the manual");
    WriteFile(sibling + "\\other.txt", "not on the CD");
    TestApp().messageBoxes.clear();

    CNewProjectWizard opener(false);
    const INT_PTR result = RunOpener([&] { return opener.Run(nullptr); }, kWizard, [&](HWND w) {
        auto* wizard = dynamic_cast<CWizardDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(wizard, nullptr);
        const auto at = [&](CWizardPage& page, const char* header, const char* helpTitle) {
            EXPECT_EQ(ShownPage(w), page.GetSafeHwnd()) << header;
            EXPECT_EQ(wizard->HeaderTitle(), header);
            EXPECT_EQ(wizard->HelpTitle(), helpTitle) << header;
        };

        at(opener.m_intro, "New Project Wizard", "Velmora Wizard");
        EXPECT_TRUE(Has(TextOnPage(w, IDC_WZ_LABEL), "creating a simple Velmora project (opening 1 file)"));
        EXPECT_FALSE(Enabled(w, IDC_WZ_BACK));
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Next >>");
        Click(w, IDC_WZ_NEXT);

        // The Folder page: no going on without a folder.
        at(opener.m_folder, "CD-ROM Base Folder", "CD-ROM Base Folder");
        EXPECT_TRUE(Enabled(w, IDC_WZ_BACK));
        EXPECT_FALSE(Enabled(w, IDC_WZ_NEXT));
        EXPECT_EQ(TextOnPage(w, IDC_WZ_CREATE_TEXT), "Press the Wizard button to create your Base Folder as:\nC:\\CD_Project");
        AnswerDialog("Browse for Folder", [](HWND b) { ::PostMessageA(b, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
        ClickOnPage(w, IDC_WZ_BROWSE_FOLDER);
        EXPECT_TRUE(AllAnswered());
        EXPECT_TRUE(wizard->HelpWarning());
        EXPECT_TRUE(Has(Text(w, IDC_WZ_HELP), "There was an error in selecting your Base Folder"));
        EXPECT_FALSE(Enabled(w, IDC_WZ_NEXT));
        EXPECT_EQ(TextOnPage(w, IDC_WZ_FOLDER_LABEL), "Base Folder: None Selected");
        AnswerFolderBrowser(base);
        ClickOnPage(w, IDC_WZ_BROWSE_FOLDER);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(TextOnPage(w, IDC_WZ_FOLDER_LABEL), "Base Folder: " + base);
        EXPECT_FALSE(wizard->HelpWarning());
        EXPECT_TRUE(Has(Text(w, IDC_WZ_HELP), "You have successfully created and set your Base Folder"));
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));

        // The page as it is drawn: its text in the page area, the header's gradient above.
        {
            const CScreen screen;
            ASSERT_TRUE(screen.Taken());
            const RECT header = wizard->HeaderRect();
            const int middle = (header.top + header.bottom) / 2;
            EXPECT_EQ(screen.ClientPixel(w, header.left, middle), ::GetSysColor(COLOR_HIGHLIGHT));
            EXPECT_LE(Distance(screen.ClientPixel(w, header.right - 1, middle), ::GetSysColor(COLOR_BTNFACE)), 3);
            HWND label = ::GetDlgItem(ShownPage(w), IDC_WZ_LABEL);
            RECT r;
            ::GetClientRect(label, &r);
            int ink = 0;
            for (int y = 0; y < r.bottom; ++y)
                for (int x = 0; x < r.right; x += 2)
                    ink += Distance(screen.ClientPixel(label, x, y), ::GetSysColor(COLOR_BTNFACE)) > 80;
            EXPECT_GT(ink, 50) << "the page's text is drawn";
            const RECT area = wizard->PageArea();
            EXPECT_EQ(screen.ClientPixel(w, area.right - 2, area.bottom - 2), ::GetSysColor(COLOR_BTNFACE));
        }

        // Back to the start and forward again: the folder is still set.
        Click(w, IDC_WZ_BACK);
        at(opener.m_intro, "New Project Wizard", "Velmora Wizard");
        EXPECT_FALSE(Enabled(w, IDC_WZ_BACK));
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));
        Click(w, IDC_WZ_NEXT);
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));
        Click(w, IDC_WZ_NEXT);

        at(opener.m_files, "Add Your Project Files", "Add Project Files");
        EXPECT_TRUE(Has(TextOnPage(w, IDC_WZ_LABEL), "(the files you wish Velmora to open, icon files, etc)"));
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));
        Click(w, IDC_WZ_NEXT);

        // The Target page: a file inside, then one outside that is refused.
        at(opener.m_target, "Select your Target File", "Target File");
        EXPECT_FALSE(Enabled(w, IDC_WZ_NEXT));
        AnswerFileDialog(kTargetTitle, base + "\\manual.txt");
        ClickOnPage(w, IDC_WZ_BROWSE_TARGET);
        EXPECT_EQ(TextOnPage(w, IDC_WZ_TARGET), "manual.txt");
        EXPECT_TRUE(Has(Text(w, IDC_WZ_HELP), "You have set you Target File"));
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));
        SetTextOnPage(w, IDC_WZ_PARAMETERS, "/p");
        AnswerFileDialog(kTargetTitle, sibling + "\\other.txt");
        ClickOnPage(w, IDC_WZ_BROWSE_TARGET);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(TextOnPage(w, IDC_WZ_TARGET), "");
        EXPECT_FALSE(Enabled(w, IDC_WZ_NEXT)) << "a refused file after a good one";
        EXPECT_TRUE(wizard->HelpWarning());
        EXPECT_EQ(wizard->HelpTitle(), "Target File");
        EXPECT_TRUE(Has(Text(w, IDC_WZ_HELP), "The file must be in the CD-ROM Base Folder"));
        Click(w, IDC_WZ_BACK);
        Click(w, IDC_WZ_NEXT);
        EXPECT_FALSE(Enabled(w, IDC_WZ_NEXT)) << "Back makes no page ready";
        AnswerFileDialog(kTargetTitle, base + "\\manual.txt");
        ClickOnPage(w, IDC_WZ_BROWSE_TARGET);
        EXPECT_TRUE(Enabled(w, IDC_WZ_NEXT));
        const std::vector<COLORREF> next = Drawn(w, IDC_WZ_NEXT);
        Click(w, IDC_WZ_NEXT);

        // The last page: Finish, on the button as drawn too, and back to "Next >>" when
        // leaving it.
        at(opener.m_finish, "Wizard Complete", "Next Steps ...");
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Finish");
        EXPECT_NE(Drawn(w, IDC_WZ_NEXT), next) << "the button shows its new caption";
        Click(w, IDC_WZ_BACK);
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Next >>");
        EXPECT_EQ(Drawn(w, IDC_WZ_NEXT), next);
        at(opener.m_target, "Select your Target File", "Target File");
        EXPECT_EQ(TextOnPage(w, IDC_WZ_PARAMETERS), "/p");
        Click(w, IDC_WZ_NEXT);
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Finish");
        Click(w, IDC_WZ_NEXT);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(TestApp().messageBoxes.empty());
    EXPECT_EQ(opener.m_folder.m_baseFolder, base.c_str());
    EXPECT_EQ(opener.m_folder.m_created, 0);
    EXPECT_EQ(opener.m_target.m_target, "manual.txt");
    EXPECT_EQ(opener.m_target.m_parameters, "/p");
}

// The Failsafe page takes the target of the wizard's Target page, wherever that stands: in a
// wizard without one (and with no Folder page in second place) the settings open for no file.
TEST(WizardDlg, APageWithoutItsPartnerTakesAnEmptyResult)
{
    CWizardDlg wizard;
    CWizardIntro intro;
    CWizardFailsafe failsafe;
    wizard.AddPage({"Intro", IDS_TITLE_WIZARD_INTRO, IDS_HELP_WIZARD_INTRO, IDD_WIZARD_INTRO, &intro});
    wizard.AddPage({"Failsafe", IDS_TITLE_WIZARD_FAILSAFE, IDS_HELP_WIZARD_FAILSAFE, IDD_WIZARD_FAILSAFE, &failsafe});
    const INT_PTR result = RunDialog(wizard, kWizard, [&](HWND w) {
        Click(w, IDC_WZ_NEXT);
        EXPECT_EQ(Text(w, IDC_WZ_NEXT), "Finish");
        AnswerDialog("Failsafe Program Settings for ", [](HWND f) { Click(f, IDCANCEL); });
        ClickOnPage(w, IDC_WZ_FAILSAFE_SETTINGS);
        EXPECT_TRUE(AllAnswered());
        Click(w, IDC_WZ_NEXT);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(failsafe.m_viewer.GetTargetFilename(), "");
}

}  // namespace
