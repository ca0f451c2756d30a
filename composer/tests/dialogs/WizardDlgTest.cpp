// The wizard frame: the header's gradient computed column by column, the page list's limit,
// and a one-page wizard that starts, shows its page in the page area and is cancelled.
#include "CNewProjectWizard.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace {

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

}  // namespace
