// The failsafe settings dialog run by its opener: the frame's differences, use failsafe and
// its file dialog, files inside and outside the base folder, the run conditions steering
// each other, Clear, the 5000-character limit and OK through 1084 only.
#include "CFailsafeSettingsDlg.h"
#include "CFileViewer.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

const char kBrowseTitle[] = "Select your Failsafe Program";
const int kPairs[] = {IDC_FAILSAFE_PATH,        IDC_BROWSE_FAILSAFE, IDC_LABEL_RUN,  IDC_TRY_TARGET_FIRST,
                      IDC_CHECK_VERSION,        IDC_VERSION,         IDC_ALWAYS_RUN, IDC_DISPLAY_CONFIRMATION,
                      IDC_CONFIRMATION,         IDC_REBOOT};

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The icon corner of the band, as pixels.
std::vector<COLORREF> IconCorner(const CScreen& screen, HWND w, const RECT& band)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; y += 2)
        for (int x = 0; x < 32; x += 2)
            pixels.push_back(screen.ClientPixel(w, band.left + x, band.top + y));
    return pixels;
}

struct RunCase {
    int start[3];           // If Viewer does not exist, If Viewer version is less than, Always
    std::vector<int> clicks;
    int end[3];
};

const RunCase kRunCases[] = {
    {{1, 0, 0}, {IDC_TRY_TARGET_FIRST}, {0, 0, 1}},
    {{1, 0, 0}, {IDC_ALWAYS_RUN}, {0, 0, 1}},
    {{0, 0, 1}, {IDC_ALWAYS_RUN}, {1, 0, 0}},
    {{0, 0, 1}, {IDC_TRY_TARGET_FIRST}, {1, 0, 0}},
    {{0, 0, 1}, {IDC_CHECK_VERSION}, {0, 1, 0}},
    {{1, 1, 0}, {IDC_TRY_TARGET_FIRST}, {0, 1, 0}},
    {{0, 1, 0}, {IDC_CHECK_VERSION}, {0, 0, 1}},
    {{1, 1, 0}, {IDC_ALWAYS_RUN}, {0, 0, 1}},
    {{1, 0, 0},
     {IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_ALWAYS_RUN, IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_CHECK_VERSION},
     {1, 0, 0}},
};

TEST(FailsafeSettingsDlg, BrowseRunConditionsLimitAndWriteBack)
{
    const std::string base = MakeBaseFolder("failsafe_base", {});
    ::CreateDirectoryA((base + "\\Setup").c_str(), nullptr);
    WriteFile(base + "\\Setup\\setup.exe", "MZ");
    const std::string sibling = MakeBaseFolder("failsafe_base2", {});
    WriteFile(sibling + "\\setup.exe", "MZ");

    CFileViewer viewer;
    viewer.SetTargetFilename("manual.pdf");
    const INT_PTR result = RunOpener([&] { return CFailsafeSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Failsafe Program Settings for manual.pdf", [&](HWND w) {
        auto* dialog = dynamic_cast<CFailsafeSettingsDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Failsafe Program");
        EXPECT_EQ(::GetDlgCtrlID(dialog->HelpPanelWindow()), IDC_FAILSAFE_HELP_PANEL);
        RECT panel, ok;
        ::GetWindowRect(dialog->HelpPanelWindow(), &panel);
        ::GetWindowRect(::GetDlgItem(w, IDC_FAILSAFE_OK), &ok);
        EXPECT_EQ(panel.bottom, ok.top - 8);
        EXPECT_EQ(::GetDlgItem(w, IDOK), nullptr);
        for (int id : kPairs)
            EXPECT_FALSE(Enabled(w, id)) << id;
        const RECT band = dialog->HelpBand();
        CScreen before;
        ASSERT_TRUE(before.Taken());
        EXPECT_EQ(before.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
        const std::vector<COLORREF> normalIcon = IconCorner(before, w, band);

        // Use failsafe with no program yet opens the file dialog at once; Cancel leaves it empty.
        AnswerFileDialog(kBrowseTitle, "");
        Click(w, IDC_USE_FAILSAFE);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(dialog->m_failsafePath, "");
        EXPECT_TRUE(Enabled(w, IDC_BROWSE_FAILSAFE));
        EXPECT_FALSE(Enabled(w, IDC_TRY_TARGET_FIRST));

        // A sibling folder whose name begins like the base folder's is outside it.
        AnswerFileDialog(kBrowseTitle, sibling + "\\setup.exe");
        Click(w, IDC_BROWSE_FAILSAFE);
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(dialog->m_failsafePath, "");
        EXPECT_EQ(Text(w, IDC_FAILSAFE_PATH), "");
        EXPECT_TRUE(dialog->HelpWarning());
        EXPECT_EQ(dialog->HelpTitle(), "Velmora 2.9");
        EXPECT_EQ(std::string(dialog->HelpText()).find("Warning!!"), 0u);
        for (int id : {IDC_LABEL_RUN, IDC_TRY_TARGET_FIRST, IDC_ALWAYS_RUN, IDC_REBOOT})
            EXPECT_FALSE(Enabled(w, id)) << id;
        {
            CScreen warned;
            EXPECT_NE(IconCorner(warned, w, band), normalIcon);  // the warning icon in the corner
            EXPECT_EQ(warned.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
        }

        // Inside, typed in another case: stored relative, in the case typed.
        AnswerFileDialog(kBrowseTitle, Lower(base) + "\\SETUP\\Setup.exe");
        Click(w, IDC_BROWSE_FAILSAFE);
        EXPECT_EQ(dialog->m_failsafePath, "SETUP\\Setup.exe");
        EXPECT_EQ(Text(w, IDC_FAILSAFE_PATH), "SETUP\\Setup.exe");
        EXPECT_FALSE(dialog->HelpWarning());
        EXPECT_NE(std::string(dialog->HelpText()).find("options you would like"), std::string::npos);
        for (int id : {IDC_LABEL_RUN, IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_ALWAYS_RUN,
                       IDC_DISPLAY_CONFIRMATION, IDC_CONFIRMATION, IDC_REBOOT})
            EXPECT_TRUE(Enabled(w, id)) << id;
        EXPECT_FALSE(Enabled(w, IDC_VERSION));

        // The run conditions: never "Always" with "If Viewer does not exist", never none.
        const int boxes[3] = {IDC_TRY_TARGET_FIRST, IDC_CHECK_VERSION, IDC_ALWAYS_RUN};
        for (const RunCase& c : kRunCases) {
            for (int i = 0; i < 3; ++i)
                ::CheckDlgButton(w, boxes[i], c.start[i] ? BST_CHECKED : BST_UNCHECKED);
            ::EnableWindow(::GetDlgItem(w, IDC_VERSION), c.start[1]);
            SetText(w, IDC_CONFIRMATION, "");  // the members follow the screen
            for (int click : c.clicks) {
                Click(w, click);
                EXPECT_FALSE(Checked(w, IDC_TRY_TARGET_FIRST) && Checked(w, IDC_ALWAYS_RUN));
                EXPECT_TRUE(Checked(w, IDC_TRY_TARGET_FIRST) || Checked(w, IDC_CHECK_VERSION) || Checked(w, IDC_ALWAYS_RUN));
                EXPECT_EQ(Enabled(w, IDC_VERSION), Checked(w, IDC_CHECK_VERSION));
            }
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(Checked(w, boxes[i]), c.end[i] != 0) << "case from " << c.start[0] << c.start[1]
                                                                << c.start[2] << ", box " << boxes[i];
        }
        EXPECT_EQ(dialog->m_tryTargetFirst, 1);
        EXPECT_EQ(dialog->m_alwaysRun, 0);

        Click(w, IDC_DISPLAY_CONFIRMATION);
        EXPECT_FALSE(Enabled(w, IDC_CONFIRMATION));
        Click(w, IDC_DISPLAY_CONFIRMATION);
        EXPECT_TRUE(Enabled(w, IDC_CONFIRMATION));

        // The standard OK does nothing; over 5000 characters OK is refused with a message.
        ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(w));
        TestApp().messageBoxes.clear();
        SetText(w, IDC_CONFIRMATION, std::string(5001, 'x'));
        Click(w, IDC_FAILSAFE_OK);
        EXPECT_TRUE(::IsWindowVisible(w));
        ASSERT_EQ(TestApp().messageBoxes.size(), 1u);
        EXPECT_NE(TestApp().messageBoxes[0].find("5000"), std::string::npos);
        SetText(w, IDC_CONFIRMATION, "Install the reader?\r\n\r\nIt is free.");
        Click(w, IDC_CHECK_VERSION);
        SetText(w, IDC_VERSION, "5.0.1");
        Click(w, IDC_REBOOT);
        Click(w, IDC_FAILSAFE_OK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(viewer.GetHasFailsafeProgram(), 1);
    EXPECT_EQ(viewer.GetFailsafeProgPath(), "SETUP\\Setup.exe");
    EXPECT_EQ(viewer.GetTryTargetFirst(), 1);
    EXPECT_EQ(viewer.GetCheckVersion(), 1);
    EXPECT_EQ(viewer.GetVersionString(), "5.0.1");
    EXPECT_EQ(viewer.GetAlwaysRun(), 0);
    EXPECT_EQ(viewer.GetDisplayConfirmation(), 1);
    EXPECT_EQ(viewer.GetFailsafeConfMessage(), "Install the reader?\r\n\r\nIt is free.");
    EXPECT_EQ(viewer.GetRebootMachine(), 1);
}

TEST(FailsafeSettingsDlg, ClearThenOkWithoutAProgramTurnsTheFailsafeOff)
{
    const std::string base = MakeBaseFolder("failsafe_clear", {});
    CFileViewer viewer;
    viewer.SetTargetFilename("movie.mov");
    viewer.SetHasFailsafeProgram(1);
    viewer.SetFailsafeProgPath("player.exe");
    viewer.SetCheckVersion(1);
    viewer.SetVersionString("7");
    viewer.SetDisplayConfirmation(0);
    viewer.SetFailsafeConfMessage("Old text");
    const INT_PTR result = RunOpener([&] { return CFailsafeSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Failsafe Program Settings for movie.mov", [&](HWND w) {
        EXPECT_TRUE(Checked(w, IDC_USE_FAILSAFE));
        EXPECT_EQ(Text(w, IDC_FAILSAFE_PATH), "player.exe");
        EXPECT_TRUE(Enabled(w, IDC_VERSION));
        EXPECT_FALSE(Enabled(w, IDC_CONFIRMATION));
        Click(w, IDC_FAILSAFE_CLEAR);
        for (int id : kPairs)
            EXPECT_FALSE(Enabled(w, id)) << id;
        EXPECT_FALSE(Checked(w, IDC_USE_FAILSAFE));
        EXPECT_TRUE(Checked(w, IDC_TRY_TARGET_FIRST));
        EXPECT_FALSE(Checked(w, IDC_DISPLAY_CONFIRMATION));
        EXPECT_EQ(Text(w, IDC_CONFIRMATION), CFailsafeSettingsDlg::DefaultConfirmation);
        EXPECT_EQ(Text(w, IDC_VERSION), "");
        AnswerFileDialog(kBrowseTitle, "");
        Click(w, IDC_USE_FAILSAFE);
        EXPECT_TRUE(Checked(w, IDC_USE_FAILSAFE));
        Click(w, IDC_FAILSAFE_OK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(viewer.GetHasFailsafeProgram(), 0);
    EXPECT_EQ(viewer.GetFailsafeProgPath(), "");
    EXPECT_EQ(viewer.GetCheckVersion(), 0);
    EXPECT_EQ(viewer.GetVersionString(), "");
    EXPECT_EQ(viewer.GetDisplayConfirmation(), 0);
    EXPECT_EQ(viewer.GetFailsafeConfMessage(), CFailsafeSettingsDlg::DefaultConfirmation);

    // Cancel after changes writes nothing.
    viewer.SetHasFailsafeProgram(1);
    viewer.SetFailsafeProgPath("player.exe");
    const INT_PTR cancelled = RunOpener([&] { return CFailsafeSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                        "Failsafe Program Settings for movie.mov", [&](HWND w) {
        Click(w, IDC_FAILSAFE_CLEAR);
        EXPECT_EQ(Text(w, IDC_FAILSAFE_PATH), "");
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(cancelled, IDCANCEL);
    EXPECT_EQ(viewer.GetHasFailsafeProgram(), 1);
    EXPECT_EQ(viewer.GetFailsafeProgPath(), "player.exe");
}

}  // namespace
