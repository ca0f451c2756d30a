// The Zip settings dialog on archives made by Info-ZIP: the listing (folders left out, icon
// names in the icon list, names of any length read back whole), the location list with its
// group entries, shortcuts made, changed and deleted through the viewer, the icon preview,
// Test extracting for real through the extractor (as unzip lists the archive) without
// leaving a launch-once mark, a damaged and a missing archive, and what OK and Cancel hand
// back.
#include "CRegistryKey.h"
#include "CZipViewerSettingsDlg.h"
#include "TargetDialogTools.h"
#include "ViewersResource.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kFixtures = std::string(VELMORA_TEST_BINARY_DIR) + "\\zip-fixtures";
const char kProjectKey[] = "VelmoraZipSettingsTest";
const char kExtractor[] = "Velmora Zip File Extractor";

CZipViewerSettingsDlg* DialogOf(HWND w) { return dynamic_cast<CZipViewerSettingsDlg*>(CWnd::FromHandlePermanent(w)); }

void SelectFile(HWND w, int item)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = item < 0 ? 0 : state.stateMask;
    ::SendDlgItemMessageA(w, IDC_ZS_CONTENTS, LVM_SETITEMSTATE, static_cast<WPARAM>(item < 0 ? -1 : item),
                          reinterpret_cast<LPARAM>(&state));
}

std::vector<std::string> Listed(HWND w)
{
    std::vector<std::string> names;
    HWND list = ::GetDlgItem(w, IDC_ZS_CONTENTS);
    const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> text(70000);
        LVITEMA item = {};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        names.push_back(text.data());
    }
    return names;
}

std::vector<std::string> ComboItems(HWND w, int id)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(::SendDlgItemMessageA(w, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = {};
        ::SendDlgItemMessageA(w, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// The extractor a Test opens: Install into the folder given, then Close.
void InstallInto(const std::string& destination, std::string* proposed)
{
    AnswerDialog(kExtractor, [=](HWND x) {
        *proposed = Text(x, IDC_ZIP_DESTINATION);
        SetText(x, IDC_ZIP_DESTINATION, destination);
        Click(x, IDC_ZIP_INSTALL);
        Click(x, IDOK);
    });
}

// Every file entry of the archive (as unzip lists it) is in the folder.
void ExpectExtracted(const std::string& folder)
{
    std::istringstream listing(ReadFile(kFixtures + "\\contents.txt"));
    std::string entry;
    int files = 0;
    while (std::getline(listing, entry)) {
        if (entry.empty() || entry.back() == '/')
            continue;
        for (char& c : entry)
            if (c == '/')
                c = '\\';
        ++files;
        EXPECT_NE(::GetFileAttributesA((folder + "\\" + entry).c_str()), INVALID_FILE_ATTRIBUTES) << entry;
    }
    EXPECT_EQ(files, 4);
}

std::string MakeZipBase(const std::string& name, const std::string& archive)
{
    const std::string base = MakeBaseFolder(name, {});
    if (!archive.empty())
        EXPECT_TRUE(::CopyFileA((kFixtures + "\\" + archive).c_str(), (base + "\\" + archive).c_str(), FALSE));
    return base;
}

TEST(ZipViewerSettingsDlg, ListingShortcutsIconsTestAndWriteBackOnOk)
{
    const std::string base = MakeZipBase("zip_base", "contents.zip");
    // Beside the archive, as the author keeps them: a real icon and a text under an icon's name.
    EXPECT_TRUE(::CopyFileA((std::string(VELMORA_TEST_SOURCE_DIR) + "\\res\\help.ico").c_str(),
                            (base + "\\readme.ico").c_str(), FALSE));
    WriteFile(base + "\\my.icons.txt", "no icon in here");
    // Where the two Tests install (made empty; the extractor proposes C:\VelmoraZipTest).
    const std::string into1 = MakeBaseFolder("zip_installed1", {}), into2 = MakeBaseFolder("zip_installed2", {});
    CRegistryKey registry(HKEY_CURRENT_USER);
    const CString projectPath = CString("Software\\Corvex Software\\") + kProjectKey;
    registry.Delete(projectPath, nullptr);

    CZipViewer viewer;
    viewer.SetTargetFilename("contents.zip");
    viewer.SetViewerType(CViewer::TypeZip);
    viewer.SetLaunchTargetType(1);  // only once
    viewer.SetTargetNum(4);
    viewer.SetProjectRegistryKey(kProjectKey);
    viewer.SetMessageText("Unpack me");
    viewer.SetExtractLocation(3);
    viewer.SetExtractFolder("");
    viewer.AddShortcut(2, "ico.txt", CZipViewerSettingsDlg::LocationAccessoriesGroup, "Ico", "README.ICO", 0);

    std::string proposed1, proposed2;
    const INT_PTR result = RunOpener([&] { return CZipViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Zip Viewer Settings for contents.zip", [&](HWND w) {
        CZipViewerSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->HelpTitle(), "Zip Viewer Settings");
        Click(w, IDC_SETTINGS_HELP_4);
        EXPECT_EQ(dialog->HelpTitle(), "File Shortcuts");
        {
            CScreen screen;
            const RECT band = dialog->HelpBand();
            EXPECT_EQ(screen.ClientPixel(w, band.right - 4, band.top + 4), ::GetSysColor(COLOR_HIGHLIGHT));
        }
        EXPECT_EQ(Text(w, IDC_ZS_MESSAGE), "Unpack me");
        EXPECT_EQ(Selection(w, IDC_ZS_EXTRACT_LOCATION), 3);

        // The listing: the folder entry left out, the files in order with their icons.
        EXPECT_EQ(Listed(w), (std::vector<std::string>{"readme.ico", "Icons\\App.ICO", "ico.txt", "my.icons.txt"}));
        HWND list = ::GetDlgItem(w, IDC_ZS_CONTENTS);
        EXPECT_TRUE(::GetWindowLongA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iImage = -1;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.iImage, 0);
        EXPECT_EQ(ComboItems(w, IDC_ZS_ICON),
                  (std::vector<std::string>{"Default Icon", "readme.ico", "Icons\\App.ICO", "my.icons.txt"}));
        EXPECT_EQ(ComboItems(w, IDC_ZS_SHORTCUT_LOCATION).size(), 5u);
        EXPECT_FALSE(Enabled(w, IDC_ZS_CREATE_SHORTCUT));

        // A file with a shortcut: its settings; the group location 6 shows as 4 without a folder.
        SelectFile(w, 2);
        EXPECT_EQ(dialog->SelectedIndex(), 2);
        EXPECT_EQ(Text(w, IDC_HEADING_3), "File Shortcut - ico.txt");
        EXPECT_TRUE(Checked(w, IDC_ZS_CREATE_SHORTCUT));
        EXPECT_EQ(Selection(w, IDC_ZS_SHORTCUT_LOCATION), CZipViewerSettingsDlg::LocationAccessories);
        EXPECT_EQ(Text(w, IDC_ZS_SHORTCUT_NAME), "Ico");
        EXPECT_EQ(Selection(w, IDC_ZS_ICON), 1) << "found whatever its case";
        EXPECT_NE(dialog->PreviewIcon(), nullptr) << "readme.ico beside the archive is an icon";
        EXPECT_EQ(::SendDlgItemMessageA(w, IDC_ZS_ICON_PREVIEW, STM_GETICON, 0, 0),
                  reinterpret_cast<LRESULT>(dialog->PreviewIcon()));
        for (int id : {IDC_ZS_SHORTCUT_LOCATION, IDC_ZS_SHORTCUT_NAME, IDC_ZS_ICON, IDC_ZS_LAUNCH_FILE})
            EXPECT_TRUE(Enabled(w, id)) << id;

        // A folder brings the two group entries, formatted with it.
        SetText(w, IDC_ZS_FOLDER, "MyApp");
        EXPECT_EQ(ComboItems(w, IDC_ZS_SHORTCUT_LOCATION),
                  (std::vector<std::string>{"None", "Desktop", "Start Menu", "Start Menu\\Programs",
                                            "Start Menu\\Accessories", "Start Menu\\Programs\\MyApp",
                                            "Start Menu\\Accessories\\MyApp"}));
        Select(w, IDC_ZS_SHORTCUT_LOCATION, CZipViewerSettingsDlg::LocationAccessoriesGroup);
        ASSERT_NE(dialog->m_viewer.FindShortcut(2), nullptr);
        EXPECT_EQ(dialog->m_viewer.FindShortcut(2)->Location, 6u);
        // The folder emptied: the group entry chosen shows as its plain entry, and that is
        // what the next change writes, never "no selection".
        SetText(w, IDC_ZS_FOLDER, "");
        EXPECT_EQ(ComboItems(w, IDC_ZS_SHORTCUT_LOCATION).size(), 5u);
        EXPECT_EQ(Selection(w, IDC_ZS_SHORTCUT_LOCATION), CZipViewerSettingsDlg::LocationAccessories);
        SetText(w, IDC_ZS_SHORTCUT_NAME, "Ico Text");
        EXPECT_EQ(dialog->m_viewer.FindShortcut(2)->Location, 4u);
        EXPECT_STREQ(dialog->m_viewer.FindShortcut(2)->Name, "Ico Text");

        // The icon: no preview for a text or a file not there; the shortcut takes the name.
        Select(w, IDC_ZS_ICON, 3);
        EXPECT_EQ(dialog->PreviewIcon(), nullptr) << "a file that is no icon";
        Select(w, IDC_ZS_ICON, 2);
        EXPECT_EQ(dialog->PreviewIcon(), nullptr) << "no such file beside the archive";
        EXPECT_STREQ(dialog->m_viewer.FindShortcut(2)->Icon, "Icons\\App.ICO");
        Select(w, IDC_ZS_ICON, 1);
        EXPECT_NE(dialog->PreviewIcon(), nullptr);

        // Create Shortcut off deletes it; on again makes it with what is on screen.
        Click(w, IDC_ZS_CREATE_SHORTCUT);
        EXPECT_EQ(dialog->m_viewer.FindShortcut(2), nullptr);
        EXPECT_FALSE(Enabled(w, IDC_ZS_SHORTCUT_LOCATION));
        Click(w, IDC_ZS_CREATE_SHORTCUT);
        ASSERT_NE(dialog->m_viewer.FindShortcut(2), nullptr);
        EXPECT_EQ(dialog->m_viewer.FindShortcut(2)->Location, 4u);
        EXPECT_STREQ(dialog->m_viewer.FindShortcut(2)->FileName, "ico.txt");
        EXPECT_STREQ(dialog->m_viewer.FindShortcut(2)->Name, "Ico Text");

        // A file without a shortcut: nothing until Create Shortcut; then the Desktop.
        SelectFile(w, 0);
        EXPECT_EQ(Text(w, IDC_HEADING_3), "File Shortcut - readme.ico");
        EXPECT_FALSE(Checked(w, IDC_ZS_CREATE_SHORTCUT));
        EXPECT_EQ(Text(w, IDC_ZS_SHORTCUT_NAME), "");
        EXPECT_EQ(Selection(w, IDC_ZS_SHORTCUT_LOCATION), 0);
        EXPECT_EQ(dialog->PreviewIcon(), nullptr);
        EXPECT_FALSE(Enabled(w, IDC_ZS_SHORTCUT_NAME));
        Click(w, IDC_ZS_CREATE_SHORTCUT);
        EXPECT_FALSE(Enabled(w, IDC_ZS_SHORTCUT_NAME)) << "no name for the location None";
        Select(w, IDC_ZS_SHORTCUT_LOCATION, CZipViewerSettingsDlg::LocationDesktop);
        EXPECT_TRUE(Enabled(w, IDC_ZS_SHORTCUT_NAME));
        SetText(w, IDC_ZS_SHORTCUT_NAME, "Read Me");
        ASSERT_NE(dialog->m_viewer.FindShortcut(0), nullptr);
        EXPECT_EQ(dialog->m_viewer.FindShortcut(0)->Location, 1u);
        SelectFile(w, -1);
        EXPECT_EQ(Text(w, IDC_HEADING_3), "File Shortcut");
        EXPECT_FALSE(Enabled(w, IDC_ZS_CREATE_SHORTCUT));
        EXPECT_EQ(dialog->m_viewer.GetNumShortcuts(), 2);

        // The extraction settings go straight into the viewer.
        SetText(w, IDC_ZS_MESSAGE, "Please unpack");
        SetText(w, IDC_ZS_FOLDER, "VelmoraZipTest");
        Click(w, IDC_ZS_USE_PASSWORD);
        SetText(w, IDC_ZS_PASSWORD, "");
        Click(w, IDC_ZS_USE_PASSWORD);
        EXPECT_FALSE(Enabled(w, IDC_ZS_PASSWORD));
        Click(w, IDC_ZS_OPEN_FOLDER);
        Click(w, IDC_ZS_OPEN_FOLDER);
        EXPECT_EQ(dialog->m_viewer.GetMessageText(), "Please unpack");
        EXPECT_EQ(dialog->m_viewer.GetExtractFolder(), "VelmoraZipTest");
        EXPECT_EQ(dialog->m_viewer.GetOpenExtractFolder(), 0);

        // Test, twice: the archive really unpacked each time, as unzip lists it, although
        // the target runs only once; and no launch-once mark is left.
        InstallInto(into1, &proposed1);
        Click(w, IDC_TEST);
        InstallInto(into2, &proposed2);
        Click(w, IDC_TEST);
        EXPECT_TRUE(AllAnswered());
        DWORD mark = 0;
        EXPECT_FALSE(registry.QueryDword(projectPath, "4T", mark)) << mark;
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(proposed1, "C:\\VelmoraZipTest");
    EXPECT_EQ(proposed2, "C:\\VelmoraZipTest");
    ExpectExtracted(into1);
    ExpectExtracted(into2);

    EXPECT_EQ(viewer.GetMessageText(), "Please unpack");
    EXPECT_EQ(viewer.GetExtractFolder(), "VelmoraZipTest");
    EXPECT_EQ(viewer.GetExtractLocation(), 3);
    EXPECT_EQ(viewer.GetZipPassword(), "");
    EXPECT_EQ(viewer.GetNumShortcuts(), 2);
    ASSERT_NE(viewer.FindShortcut(2), nullptr);
    EXPECT_STREQ(viewer.FindShortcut(2)->Name, "Ico Text");
    EXPECT_STREQ(viewer.FindShortcut(2)->Icon, "readme.ico");
    ASSERT_NE(viewer.FindShortcut(0), nullptr);
    EXPECT_STREQ(viewer.FindShortcut(0)->Name, "Read Me");
    EXPECT_FALSE(viewer.GetTestMode());
    EXPECT_EQ(viewer.GetLaunchTargetType(), 1);
}

// Names of any length come back whole from the list; what goes into a shortcut is cut to
// its fields. Cancel writes nothing.
TEST(ZipViewerSettingsDlg, LongNamesAndCancel)
{
    const std::string base = MakeZipBase("zip_long", "long.zip");
    CZipViewer viewer;
    viewer.SetTargetFilename("long.zip");
    viewer.SetMessageText("kept");
    const INT_PTR result = RunOpener([&] { return CZipViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                     "Zip Viewer Settings for long.zip", [&](HWND w) {
        CZipViewerSettingsDlg* dialog = DialogOf(w);
        ASSERT_NE(dialog, nullptr);
        const std::vector<std::string> names = Listed(w);
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0].size(), 296u);
        SelectFile(w, 0);
        EXPECT_EQ(Text(w, IDC_HEADING_3), "File Shortcut - " + names[0]);
        Click(w, IDC_ZS_CREATE_SHORTCUT);
        ASSERT_NE(dialog->m_viewer.FindShortcut(0), nullptr);
        EXPECT_EQ(std::string(dialog->m_viewer.FindShortcut(0)->FileName), names[0].substr(0, 259));
        const std::vector<std::string> icons = ComboItems(w, IDC_ZS_ICON);
        ASSERT_EQ(icons.size(), 2u);
        EXPECT_EQ(icons[1], names[1]);
        Select(w, IDC_ZS_ICON, 1);
        EXPECT_EQ(std::string(dialog->m_viewer.FindShortcut(0)->Icon), names[1].substr(0, 259));
        SetText(w, IDC_ZS_MESSAGE, "changed");
        Click(w, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(viewer.GetMessageText(), "kept");
    EXPECT_EQ(viewer.GetNumShortcuts(), 0);
}

// A damaged archive (the library throws) and a missing one (the framework's file exception):
// an empty list, no message, and the dialog works on.
TEST(ZipViewerSettingsDlg, DamagedAndMissingArchivesListNothing)
{
    const std::string base = MakeZipBase("zip_broken", "damaged.zip");
    TestApp().messageBoxes.clear();
    for (const char* archive : {"damaged.zip", "missing.zip"}) {
        CZipViewer viewer;
        viewer.SetTargetFilename(archive);
        const INT_PTR result = RunOpener([&] { return CZipViewerSettingsDlg::Edit(viewer, base.c_str(), nullptr); },
                                         std::string("Zip Viewer Settings for ") + archive, [&](HWND w) {
            EXPECT_TRUE(Listed(w).empty()) << archive;
            EXPECT_EQ(ComboItems(w, IDC_ZS_ICON), (std::vector<std::string>{"Default Icon"}));
            SetText(w, IDC_ZS_FOLDER, "Still");
            EXPECT_EQ(ComboItems(w, IDC_ZS_SHORTCUT_LOCATION).size(), 7u);
            Click(w, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(viewer.GetExtractFolder(), "Still");
    }
    EXPECT_TRUE(TestApp().messageBoxes.empty());
}

} // namespace
