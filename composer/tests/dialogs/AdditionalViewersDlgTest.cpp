// The additional viewer settings dialog with its two small dialogs: rows unlocking each
// other, installers inside and outside the base folder (a drive root among base folders),
// the extension lists, the confirmation text and minimum version of a row, and Clear.
#include "CAdditionalViewersDlg.h"
#include "CFailsafeSettingsDlg.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace {

const char kCaption[] = "Additional Viewer Settings";
const char kBrowseTitle[] = "Select your Failsafe Program";

// Row r's controls: extension, browse, confirmation, version.
int Ext(int r) { return IDC_VIEWER_EXTENSION_1 + 3 * r; }
int Browse(int r) { return IDC_VIEWER_BROWSE_1 + 3 * r; }
int Conf(int r) { return IDC_VIEWER_CONFIRMATION_1 + r; }
int Version(int r) { return IDC_VIEWER_VERSION_1 + r; }

// What is usable: per row, extension and browse, then the two buttons.
std::string Usable(HWND w)
{
    std::string s;
    for (int r = 0; r < 3; ++r) {
        s += Enabled(w, Ext(r)) && Enabled(w, Browse(r)) ? 'E' : (!Enabled(w, Ext(r)) && !Enabled(w, Browse(r)) ? '-' : '?');
        s += Enabled(w, Conf(r)) && Enabled(w, Version(r)) ? 'B' : (!Enabled(w, Conf(r)) && !Enabled(w, Version(r)) ? '-' : '?');
        s += r < 2 ? " " : "";
    }
    return s;
}

TEST(AdditionalViewersDlg, RowsUnlockInstallersTextsAndVersions)
{
    const std::string base = MakeBaseFolder("viewers_base", {});
    ::CreateDirectoryA((base + "\\viewers").c_str(), nullptr);
    WriteFile(base + "\\viewers\\reader.exe", "MZ");
    WriteFile(base + "\\text.exe", "MZ");
    const std::string outside = MakeBaseFolder("viewers_outside", {});
    WriteFile(outside + "\\other.exe", "MZ");
    // The base folder as a drive of its own, as a CD-ROM would be.
    const bool drive = MapDrive('r', base);

    std::vector<AdditionalViewerEntry> entries;
    const INT_PTR result = RunOpener([&] { return CAdditionalViewersDlg::Edit(entries, base.c_str(), nullptr); },
                                     kCaption, [&](HWND w) {
        auto* dialog = dynamic_cast<CAdditionalViewersDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Add. Viewer Checking");
        EXPECT_EQ(::GetDlgCtrlID(dialog->HelpPanelWindow()), IDC_HELP_PANEL);
        EXPECT_EQ(Usable(w), "E- -- --");
        {
            CScreen screen;
            ASSERT_TRUE(screen.Taken());
            const RECT band = dialog->HelpBand();
            EXPECT_EQ(screen.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
        }
        ASSERT_EQ(::SendDlgItemMessageA(w, Ext(0), CB_GETCOUNT, 0, 0), 14);
        char item[16] = {};
        ::SendDlgItemMessageA(w, Ext(0), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, "HTML");
        Click(w, IDC_SETTINGS_HELP_1);
        EXPECT_NE(std::string(dialog->HelpText()).find("File Ext."), std::string::npos);

        // Typed in lower case, shown and kept in capitals.
        Type(::GetDlgItem(w, Ext(0)), "pdf");
        EXPECT_EQ(Text(w, Ext(0)), "PDF");
        EXPECT_EQ(dialog->m_rows[0].Extension, "PDF");

        // A valid installer for row 1 unlocks its buttons and row 2's entry.
        AnswerFileDialog(kBrowseTitle, base + "\\viewers\\reader.exe");
        Click(w, Browse(0));
        EXPECT_EQ(dialog->m_rows[0].InstallerPath, "viewers\\reader.exe");
        EXPECT_EQ(Text(w, IDC_VIEWER_INSTALLER_1), "viewers\\reader.exe");
        EXPECT_EQ(Usable(w), "EB E- --");

        // Row 2: picked from the list; an installer outside re-locks what it unlocked.
        Select(w, Ext(1), 12);
        EXPECT_EQ(dialog->m_rows[1].Extension, "TXT");
        AnswerFileDialog(kBrowseTitle, outside + "\\other.exe");
        Click(w, Browse(1));
        EXPECT_TRUE(dialog->HelpWarning());
        EXPECT_EQ(dialog->m_rows[1].InstallerPath, "");
        EXPECT_EQ(Usable(w), "EB E- --");
        AnswerFileDialog(kBrowseTitle, base + "\\text.exe");
        Click(w, Browse(1));
        EXPECT_EQ(dialog->m_rows[1].InstallerPath, "text.exe");
        EXPECT_EQ(Usable(w), "EB EB E-");
        if (drive) {
            dialog->m_programDirectory = "R:\\";
            AnswerFileDialog(kBrowseTitle, "R:\\viewers\\reader.exe");
            Click(w, Browse(2));
            EXPECT_EQ(dialog->m_rows[2].InstallerPath, "viewers\\reader.exe");
            EXPECT_EQ(Usable(w), "EB EB EB");
            dialog->m_programDirectory = base.c_str();
        }

        // Row 1's confirmation text: preset with the default, Clear, a new text, OK.
        AnswerDialog("Confirmation Text", [&](HWND c) {
            EXPECT_EQ(Text(c, IDC_CONFIRMATION_TEXT), CFailsafeSettingsDlg::DefaultConfirmation);
            Click(c, IDC_SETTINGS_CLEAR);
            EXPECT_EQ(Text(c, IDC_CONFIRMATION_TEXT), "");
            TestApp().messageBoxes.clear();
            SetText(c, IDC_CONFIRMATION_TEXT, std::string(5001, 'y'));
            Click(c, IDOK);
            EXPECT_TRUE(::IsWindowVisible(c));
            EXPECT_EQ(TestApp().messageBoxes.size(), 1u);
            SetText(c, IDC_CONFIRMATION_TEXT, "Install the reader?\r\nIt is free.");
            Click(c, IDOK);
        });
        Click(w, Conf(0));
        EXPECT_TRUE(AllAnswered());
        EXPECT_EQ(dialog->m_rows[0].Confirmation, "Install the reader?\r\nIt is free.");

        // Row 1's minimum version: set once, then switched off although text is typed.
        AnswerDialog("Minimum Additional Viewer Version", [&](HWND v) {
            EXPECT_FALSE(Checked(v, IDC_MIN_VERSION_CHECK));
            EXPECT_FALSE(Enabled(v, IDC_MIN_VERSION));
            Click(v, IDC_MIN_VERSION_CHECK);
            EXPECT_TRUE(Enabled(v, IDC_MIN_VERSION));
            SetText(v, IDC_MIN_VERSION, "7.0");
            Click(v, IDOK);
        });
        Click(w, Version(0));
        EXPECT_EQ(dialog->m_rows[0].MinimumVersion, "7.0");
        AnswerDialog("Minimum Additional Viewer Version", [&](HWND v) {
            EXPECT_TRUE(Checked(v, IDC_MIN_VERSION_CHECK));
            EXPECT_EQ(Text(v, IDC_MIN_VERSION), "7.0");
            SetText(v, IDC_MIN_VERSION, "8.0");
            Click(v, IDC_MIN_VERSION_CHECK);
            EXPECT_FALSE(Enabled(v, IDC_MIN_VERSION));
            Click(v, IDOK);
        });
        Click(w, Version(0));
        EXPECT_EQ(dialog->m_rows[0].MinimumVersion, "");
        AnswerDialog("Minimum Additional Viewer Version", [&](HWND v) {
            Click(v, IDC_MIN_VERSION_CHECK);
            SetText(v, IDC_MIN_VERSION, "9.1");
            Click(v, IDCANCEL);
        });
        Click(w, Version(1));
        EXPECT_EQ(dialog->m_rows[1].MinimumVersion, "");
        Click(w, IDOK);
    });
    if (drive)
        UnmapDrive('r');
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Extension, "PDF");
    EXPECT_EQ(entries[0].InstallerPath, "viewers\\reader.exe");
    EXPECT_EQ(entries[0].Confirmation, "Install the reader?\r\nIt is free.");
    EXPECT_EQ(entries[0].MinimumVersion, "");
    EXPECT_EQ(entries[1].Extension, "TXT");
    EXPECT_EQ(entries[1].InstallerPath, "text.exe");
    EXPECT_EQ(entries[1].Confirmation, CFailsafeSettingsDlg::DefaultConfirmation);
    EXPECT_EQ(entries[2].Extension, "");
    EXPECT_TRUE(drive) << "no drive letter for the base folder: the drive-root case did not run";
}

TEST(AdditionalViewersDlg, ClearLocksTheRowsAndCancelKeepsTheEntries)
{
    const std::string base = MakeBaseFolder("viewers_clear", {});
    std::vector<AdditionalViewerEntry> entries(3);
    for (int r = 0; r < 3; ++r) {
        entries[r].Extension = r == 0 ? "DOC" : "MPEG";
        entries[r].InstallerPath = "setup.exe";
        entries[r].Confirmation = "Text";
        entries[r].MinimumVersion = "1";
    }
    const std::vector<AdditionalViewerEntry> before = entries;
    const INT_PTR result = RunOpener([&] { return CAdditionalViewersDlg::Edit(entries, base.c_str(), nullptr); },
                                     kCaption, [&](HWND w) {
        auto* dialog = dynamic_cast<CAdditionalViewersDlg*>(CWnd::FromHandlePermanent(w));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Usable(w), "EB EB EB");
        EXPECT_EQ(Text(w, Ext(0)), "DOC");
        EXPECT_EQ(Text(w, Ext(1)), "MPEG");
        EXPECT_EQ(Selection(w, Ext(1)), 8);
        Click(w, IDC_SETTINGS_CLEAR);
        EXPECT_EQ(Usable(w), "E- -- --");
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(Text(w, Ext(r)), "");
            EXPECT_EQ(Text(w, IDC_VIEWER_INSTALLER_1 + 3 * r), "");
            EXPECT_EQ(dialog->m_rows[r].Confirmation, CFailsafeSettingsDlg::DefaultConfirmation);
            EXPECT_EQ(dialog->m_rows[r].MinimumVersion, "");
        }
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(entries.size(), 3u);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(entries[r].Extension, before[r].Extension);
        EXPECT_EQ(entries[r].InstallerPath, before[r].InstallerPath);
        EXPECT_EQ(entries[r].Confirmation, before[r].Confirmation);
    }
}

}  // namespace
