// The viewer settings dialog run by its opener on a target's viewer: the frame, the enable
// rule, the help buttons, Test launching a real program, and what OK and Cancel hand back.
#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CViewerSettingsDlg.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace {

HWND WaitForWindow(const std::string& caption)
{
    HWND window = nullptr;
    for (int i = 0; i < 100 && !(window = FindTopLevel(caption)); ++i)
        Settle(100);
    return window;
}

void CloseWindowOf(HWND window)
{
    if (window)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST(ViewerSettingsDlg, FrameRulesTestAndWriteBackOnOk)
{
    const std::string base = MakeBaseFolder("viewer_base", {"target.exe", "forced.exe"});
    CFileViewer viewer;
    viewer.SetTargetFilename("target.exe");
    viewer.SetViewerType(CViewer::TypeFile);
    viewer.SetWindowShowCmdWindow(0);
    viewer.SetForceString1("kept1.exe");  // kept while Try and Force is off
    viewer.SetForceString2("kept2.exe");
    viewer.SetParameters("/own");

    const INT_PTR result = RunOpener([&] { return CViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Viewer Settings for target.exe", [&](HWND w) {
        auto* dialog = dynamic_cast<CViewerSettingsDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(dialog, nullptr);
        // The frame: first help, help panel 2703 under the band, the band in the highlight colour.
        EXPECT_EQ(dialog->HelpTitle(), "Viewer Settings");
        EXPECT_EQ(std::string(dialog->HelpText()).find("You may set the basic Viewer Settings"), 0u);
        EXPECT_EQ(::GetDlgCtrlID(dialog->HelpPanelWindow()), IDC_HELP_PANEL);
        const RECT band = dialog->HelpBand();
        EXPECT_EQ(band.bottom - band.top, 32);
        {
            CScreen screen;
            ASSERT_TRUE(screen.Taken());
            EXPECT_EQ(screen.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
            EXPECT_EQ(screen.ClientPixel(w, band.right - 4, band.bottom - 2), ::GetSysColor(COLOR_HIGHLIGHT));
        }
        // The list and the enable rule: Try and Force off greys the programs, texts kept.
        EXPECT_EQ(::SendDlgItemMessageA(w, IDC_WINDOW_STATE, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(Selection(w, IDC_WINDOW_STATE), 0);
        for (int id : {IDC_FORCE_PROGRAM_1, IDC_FORCE_PROGRAM_2, IDC_LABEL_PROGRAM_1, IDC_LABEL_PROGRAM_2})
            EXPECT_FALSE(Enabled(w, id)) << id;
        EXPECT_EQ(Text(w, IDC_FORCE_PROGRAM_1), "kept1.exe");
        Click(w, IDC_SETTINGS_HELP_1);
        EXPECT_EQ(dialog->HelpTitle(), "Window State");
        Click(w, IDC_SETTINGS_HELP_2);
        EXPECT_EQ(dialog->HelpTitle(), "Try and Force");
        EXPECT_NE(std::string(dialog->HelpText()).find("Notepad.exe"), std::string::npos);

        // Test with "Maximized": the program's window opens maximised.
        Select(w, IDC_WINDOW_STATE, CViewerSettingsDlg::StateMaximized);
        EXPECT_EQ(dialog->m_windowState, CViewerSettingsDlg::StateMaximized);
        Click(w, IDC_TEST);
        HWND target = WaitForWindow("target.exe");
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(::IsZoomed(target));
        const std::string line = ReadFile(base + "\\target.txt");
        EXPECT_EQ(line.find("/own"), std::string::npos) << line;  // never the target's own parameters
        CloseWindowOf(target);

        // Try and Force: Program 1 gets the target on its command line.
        Click(w, IDC_TRY_AND_FORCE);
        for (int id : {IDC_FORCE_PROGRAM_1, IDC_FORCE_PROGRAM_2, IDC_LABEL_PROGRAM_1, IDC_LABEL_PROGRAM_2})
            EXPECT_TRUE(Enabled(w, id)) << id;
        SetText(w, IDC_FORCE_PROGRAM_1, base + "\\forced.exe");
        SetText(w, IDC_FORCE_PROGRAM_2, "wordpad.exe");
        EXPECT_EQ(dialog->m_forceProgram2, "wordpad.exe");
        Click(w, IDC_TEST);
        HWND forced = WaitForWindow("forced.exe");
        ASSERT_NE(forced, nullptr);
        EXPECT_NE(ReadFile(base + "\\forced.txt").find(base + "\\target.exe"), std::string::npos)
            << ReadFile(base + "\\forced.txt");
        CloseWindowOf(forced);

        Select(w, IDC_WINDOW_STATE, CViewerSettingsDlg::StateMinimized);
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(viewer.GetWindowShowCmdWindow(), 2);
    EXPECT_EQ(viewer.GetTryAndForce(), 1);
    EXPECT_EQ(viewer.GetForceString1(), CString((base + "\\forced.exe").c_str()));
    EXPECT_EQ(viewer.GetForceString2(), "wordpad.exe");
    EXPECT_EQ(viewer.GetParameters(), "/own");
}

TEST(ViewerSettingsDlg, CancelWritesNothingAndMinimizedStartsIconic)
{
    const std::string base = MakeBaseFolder("viewer_cancel", {"target.exe"});
    CFileViewer viewer;
    viewer.SetTargetFilename("target.exe");
    viewer.SetTryAndForce(1);
    viewer.SetForceString1("one.exe");
    const INT_PTR result = RunOpener([&] { return CViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Viewer Settings for target.exe", [&](HWND w) {
        EXPECT_TRUE(Checked(w, IDC_TRY_AND_FORCE));
        EXPECT_TRUE(Enabled(w, IDC_FORCE_PROGRAM_1));
        Click(w, IDC_TRY_AND_FORCE);
        EXPECT_FALSE(Enabled(w, IDC_FORCE_PROGRAM_1));
        Select(w, IDC_WINDOW_STATE, CViewerSettingsDlg::StateMinimized);
        Click(w, IDC_TEST);
        HWND target = WaitForWindow("target.exe");
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(::IsIconic(target));
        CloseWindowOf(target);
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(viewer.GetTryAndForce(), 1);
    EXPECT_EQ(viewer.GetForceString1(), "one.exe");
    EXPECT_EQ(viewer.GetWindowShowCmdWindow(), 0);
}

TEST(ViewerSettingsDlg, FolderTargetTestIgnoresWindowStateAndForcedPrograms)
{
    const std::string base = MakeBaseFolder("viewer_folder", {"forced.exe"});
    CFolderViewer viewer;
    viewer.SetTargetFilename(base.c_str());
    viewer.SetViewerType(CViewer::TypeFolder);
    viewer.SetTryAndForce(1);
    viewer.SetForceString1((base + "\\forced.exe").c_str());
    viewer.SetWindowShowCmdWindow(1);
    const INT_PTR result = RunOpener([&] { return CViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Viewer Settings for " + base, [&](HWND w) {
        EXPECT_EQ(Selection(w, IDC_WINDOW_STATE), CViewerSettingsDlg::StateMaximized);
        Click(w, IDC_TEST);
        Settle(200);
        EXPECT_EQ(FindTopLevel("forced.exe"), nullptr);
        EXPECT_EQ(ReadFile(base + "\\forced.txt"), "");
        CloseWindowOf(FindTopLevel(base));  // the shell's window of the folder, where there is one
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(viewer.GetWindowShowCmdWindow(), 1);
}

}  // namespace
