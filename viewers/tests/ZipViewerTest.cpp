// The Zip target's plain parts: destinations, shortcut folders and link names with their
// safety rules, the shortcut list, the record, and unpacking archives made by Info-ZIP and
// by Python's zipfile, compared with what unzip itself extracts.
#include "CFileReadWrite.h"
#include "CZipInstaller.h"
#include "CZipViewer.h"
#include "FakePlatform.h"
#include "ViewerFactory.h"
#include "ZipInstallPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spit(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

fs::path Scratch()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path dir = fs::path(VELMORA_TEST_BINARY_DIR) / "zipscratch" / (std::string(info->test_suite_name()) + "." + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

ShortcutInfo Node(const char* fileName, const char* name = "", unsigned location = 1)
{
    ShortcutInfo node = {};
    StoreShortcutField(node.FileName, fileName);
    StoreShortcutField(node.Name, name);
    node.Location = location;
    return node;
}

}

TEST(ZipPaths, ProposedDestinationPerLocationWithFallbacks)
{
    ZipSystemFolders shell;
    shell.programFiles = "C:\\Program Files";
    shell.desktop = "C:\\users\\u\\Desktop";
    shell.documents = "C:\\users\\u\\Documents\\";  // the item list gives a trailing backslash
    const ZipSystemFolders none;
    struct Case { int location; const char* folder; bool fromShell; const char* expected; } cases[] = {
        { 0, "Acme", true, "C:\\Program Files\\Acme" },
        { 0, "Acme", false, "C:\\Program Files\\Acme" },
        { 1, "Acme", true, "C:\\users\\u\\Desktop\\Acme" },
        { 1, "Acme", false, "C:\\Windows\\Desktop\\Acme" },
        { 2, "Acme", true, "C:\\users\\u\\Documents\\Acme" },
        { 2, "Acme", false, "C:\\Documents and Settings\\All Users\\Documents\\Acme" },
        { 3, "Acme", true, "C:\\Acme" },
        { 3, "", true, "C:\\" },
        { 3, "Acme\\Tools", true, "C:\\Acme\\Tools" },
        { 4, "Acme", true, "" },
        { -1, "Acme", true, "" },
        // A folder name that would leave the location is refused: the location itself.
        { 3, "..\\Windows", true, "C:\\" },
        { 1, "a\\..\\..\\b", true, "C:\\users\\u\\Desktop\\" },
        { 1, "D:\\elsewhere", true, "C:\\users\\u\\Desktop\\" },
        { 1, "\\root", true, "C:\\users\\u\\Desktop\\" },
        { 0, "/root", true, "C:\\Program Files\\" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(ProposedZipDestination(c.location, c.folder, c.fromShell ? shell : none)), c.expected)
            << c.location << " " << c.folder << " " << c.fromShell;
}

TEST(ZipPaths, ShortcutFolderTable)
{
    ZipSystemFolders shell;
    shell.desktop = "C:\\users\\u\\Desktop";
    shell.startMenu = "C:\\users\\u\\Start Menu";
    shell.programs = "C:\\users\\u\\Start Menu\\Programs";
    const ZipShortcutFolders table = BuildZipShortcutFolders(shell, "Acme");
    const char* expected[] = { "", "C:\\users\\u\\Desktop", "C:\\users\\u\\Start Menu",
                               "C:\\users\\u\\Start Menu\\Programs", "C:\\users\\u\\Start Menu\\Accessories",
                               "C:\\users\\u\\Start Menu\\Programs\\Acme", "C:\\users\\u\\Start Menu\\Accessories\\Acme" };
    for (int i = 0; i < ZipShortcutLocations; ++i)
        EXPECT_EQ(std::string(table[i]), expected[i]) << i;

    const ZipShortcutFolders fallback = BuildZipShortcutFolders(ZipSystemFolders(), "..\\..\\Windows");
    EXPECT_EQ(std::string(fallback[1]), "C:\\Windows\\Desktop");
    EXPECT_EQ(std::string(fallback[3]), "C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
    // The refused group name puts the links in the programs folder itself.
    EXPECT_EQ(std::string(fallback[5]), std::string(fallback[3]));
    EXPECT_EQ(std::string(fallback[6]), "C:\\Documents and Settings\\All Users\\Start Menu\\Accessories");
}

TEST(ZipPaths, LinkNamesAndPaths)
{
    ZipSystemFolders shell;
    shell.desktop = "C:\\Desk";
    const ZipShortcutFolders table = BuildZipShortcutFolders(shell, "Acme");
    struct Case { const char* fileName; const char* name; unsigned location; const char* linkName; const char* path; } cases[] = {
        { "Setup.exe", "", 1, "Setup", "C:\\Desk\\Setup.lnk" },
        { "bin\\tool.exe", "", 1, "tool", "C:\\Desk\\tool.lnk" },
        { "bin\\sub\\tool.exe", "", 1, "tool", "C:\\Desk\\tool.lnk" },
        { "docs/read.me.txt", "", 1, "read.me", "C:\\Desk\\read.me.lnk" },
        { "ab", "", 1, "ab", "C:\\Desk\\ab.lnk" },
        { "x", "", 1, "x", "C:\\Desk\\x.lnk" },
        { "Setup.exe", "Start Acme", 1, "Start Acme", "C:\\Desk\\Start Acme.lnk" },
        // One file name: separators and drives never lead out of the folder.
        { "Setup.exe", "..\\..\\evil", 1, ".._.._evil", "C:\\Desk\\.._.._evil.lnk" },
        { "Setup.exe", "C:\\Windows\\evil", 1, "C__Windows_evil", "C:\\Desk\\C__Windows_evil.lnk" },
        { "Setup.exe", "..", 1, "", "" },
        { "..\\", "", 1, "", "" },
        // Location 0 makes no link (its folder is empty); nor does one past the table.
        { "Setup.exe", "", 0, "Setup", "" },
        { "Setup.exe", "", 7, "Setup", "" },
        { "Setup.exe", "", 5, "Setup", "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Acme\\Setup.lnk" },
    };
    for (const Case& c : cases) {
        const ShortcutInfo node = Node(c.fileName, c.name, c.location);
        EXPECT_EQ(std::string(ZipLinkName(node)), c.linkName) << c.fileName << " " << c.name;
        EXPECT_EQ(std::string(ZipLinkPath(table, node)), c.path) << c.fileName << " " << c.name;
    }
    ShortcutInfo icon = Node("a.exe");
    EXPECT_EQ(std::string(ZipLinkIcon("C:\\Dest\\", icon)), "");
    StoreShortcutField(icon.Icon, "Default Icon");
    EXPECT_EQ(std::string(ZipLinkIcon("C:\\Dest", icon)), "");
    StoreShortcutField(icon.Icon, "res\\app.ico");
    EXPECT_EQ(std::string(ZipLinkIcon("C:\\Dest\\", icon)), "C:\\Dest\\res\\app.ico");
}

TEST(ZipPaths, OnlyAbsoluteDestinations)
{
    struct Case { const char* path; bool ok; } cases[] = {
        { "C:\\Acme", true }, { "c:/acme", true }, { "C:\\", true }, { "\\\\server\\share", true },
        { "", false }, { "Acme", false }, { "C:", false }, { "C:Acme", false }, { "\\Acme", false },
        { "..\\Acme", false }, { "1:\\x", false }, { "\\\\", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAbsoluteZipDestination(c.path), c.ok) << c.path;
}

TEST(ZipShortcuts, ListOperations)
{
    CZipViewer viewer;
    viewer.AddShortcut(1, "a.exe", 1, "A", "a.ico", 1);
    viewer.AddShortcut(2, "b.exe", 2, "B", "", 0);
    viewer.AddShortcut(3, "c.exe", 3, "C", "", 0);
    EXPECT_EQ(viewer.GetNumShortcuts(), 3);
    viewer.DeleteShortcut(99);
    EXPECT_EQ(viewer.GetNumShortcuts(), 3);
    viewer.DeleteShortcut(1);  // the head
    EXPECT_EQ(viewer.GetNumShortcuts(), 2);
    ShortcutInfo* head = viewer.GetShortcutList();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->ID, 2u);
    EXPECT_EQ(head->previous, nullptr);
    ASSERT_NE(head->next, nullptr);
    EXPECT_EQ(head->next->previous, head);
    EXPECT_EQ(viewer.FindShortcut(1), nullptr);
    viewer.AddShortcut(4, "d.exe", 1, "D", "", 0);
    viewer.DeleteShortcut(3);  // from the middle
    ASSERT_NE(viewer.FindShortcut(4), nullptr);
    EXPECT_EQ(viewer.FindShortcut(4)->previous, head);
    EXPECT_EQ(head->next, viewer.FindShortcut(4));

    viewer.FindShortcut(2)->Icon[0] = 'I';
    viewer.FindShortcut(2)->Icon[1] = 0;
    viewer.UpdateShortcut(2, "b2.exe", 5, "B2", 1);  // the icon stays
    const ShortcutInfo* b = viewer.FindShortcut(2);
    EXPECT_STREQ(b->FileName, "b2.exe");
    EXPECT_STREQ(b->Name, "B2");
    EXPECT_EQ(b->Location, 5u);
    EXPECT_EQ(b->LaunchFile, 1);
    EXPECT_STREQ(b->Icon, "I");
    viewer.UpdateShortcut(7, "new.exe", 1, "", 0);  // unknown: added, no icon
    EXPECT_EQ(viewer.GetNumShortcuts(), 3);
    EXPECT_STREQ(viewer.FindShortcut(7)->Icon, "");
    viewer.DeleteAllShortcuts();
    EXPECT_EQ(viewer.GetNumShortcuts(), 0);
    EXPECT_EQ(viewer.GetShortcutList(), nullptr);
}

TEST(ZipShortcuts, FieldsKeepAtMost259Characters)
{
    const std::string longest(259, 'x'), tooLong(600, 'y');
    CZipViewer viewer;
    viewer.AddShortcut(1, longest.c_str(), 1, tooLong.c_str(), tooLong.c_str(), 0);
    viewer.UpdateShortcut(1, tooLong.c_str(), 1, longest.c_str(), 0);
    const ShortcutInfo* node = viewer.FindShortcut(1);
    EXPECT_EQ(std::string(node->FileName), std::string(259, 'y'));
    EXPECT_EQ(std::string(node->Name), longest);
    EXPECT_EQ(std::string(node->Icon), std::string(259, 'y'));
}

class ZipRecord : public ::testing::Test {
protected:
    std::string path_ = (fs::path(VELMORA_TEST_BINARY_DIR) / "ziprecord.dat").string();

    void Write(CViewer& viewer, int major, int minor, int build)
    {
        CFileReadWrite file;
        ASSERT_TRUE(file.OpenWrite(path_.c_str()));
        viewer.Write_DAT_File(&file, major, minor, build);
        file.WriteInt(4242);
        file.Close();
    }
    // Reads the record back the way the programs bind a viewer: type first, then the record.
    std::unique_ptr<CZipViewer> Read(int major, int minor, int build, int* sentinel = nullptr)
    {
        CFileReadWrite file;
        EXPECT_TRUE(file.OpenRead(path_.c_str()));
        const int type = file.ReadInt();
        EXPECT_EQ(type, 3);
        std::unique_ptr<CViewer> viewer(NewViewerOfType(type));
        viewer->Read_DAT_File(&file, major, minor, build);
        if (sentinel)
            *sentinel = file.ReadInt();
        file.Close();
        return std::unique_ptr<CZipViewer>(dynamic_cast<CZipViewer*>(viewer.release()));
    }
    static void Fill(CZipViewer& zip)
    {
        zip.SetViewerType(3);
        zip.SetTargetFilename("setup.zip");
        zip.SetMessageText("Line one\r\nLine two");
        zip.SetExtractLocation(2);
        zip.SetExtractFolder("Acme");
        zip.SetOpenExtractFolder(1);
        zip.SetZipPassword("secret");
        zip.AddShortcut(10, "Setup.exe", 1, "", "Default Icon", 1);
        zip.AddShortcut(11, "bin\\tool.exe", 5, "Tool", "bin\\tool.ico", 0);
    }
};

TEST_F(ZipRecord, RoundTripAndVersionGateOfTheIcon)
{
    CZipViewer zip;
    Fill(zip);
    struct Case { int build; const char* icon; } cases[] = { { 6, "bin\\tool.ico" }, { 5, "bin\\tool.ico" }, { 4, "" } };
    for (const Case& c : cases) {
        Write(zip, 2, 9, c.build);
        int sentinel = 0;
        auto back = Read(2, 9, c.build, &sentinel);
        ASSERT_TRUE(back);
        EXPECT_EQ(sentinel, 4242) << c.build;
        EXPECT_EQ(std::string(back->GetMessageText()), "Line one\r\nLine two");
        EXPECT_EQ(back->GetExtractLocation(), 2);
        EXPECT_EQ(std::string(back->GetExtractFolder()), "Acme");
        EXPECT_EQ(back->GetOpenExtractFolder(), 1);
        EXPECT_EQ(std::string(back->GetZipPassword()), "secret");
        EXPECT_EQ(back->GetNumShortcuts(), 2);
        const ShortcutInfo* tool = back->FindShortcut(11);
        ASSERT_NE(tool, nullptr);
        EXPECT_STREQ(tool->FileName, "bin\\tool.exe");
        EXPECT_EQ(tool->Location, 5u);
        EXPECT_STREQ(tool->Name, "Tool");
        EXPECT_EQ(tool->LaunchFile, 0);
        EXPECT_STREQ(tool->Icon, c.icon) << c.build;
        EXPECT_EQ(back->FindShortcut(10)->LaunchFile, 1);
    }
    // The message's line breaks are stored as "~^~".
    const std::string raw = Slurp(path_);
    EXPECT_EQ(raw.find("\r\n"), std::string::npos);
}

TEST_F(ZipRecord, ACountBeyondTheRecordsStopsAtTheEnd)
{
    CZipViewer zip;
    Fill(zip);
    zip.DeleteAllShortcuts();
    {
        CFileReadWrite file;
        ASSERT_TRUE(file.OpenWrite(path_.c_str()));
        zip.Write_DAT_File(&file, 2, 9, 6);
        file.Close();
    }
    // Patch the count record: the last integer record holds 0; claim a million.
    std::string raw = Slurp(path_);
    ASSERT_GE(raw.size(), 7u);
    const size_t at = raw.size() - 7;
    ASSERT_EQ(raw[at], 1);
    raw[at + 3] = char(0x40);
    raw[at + 4] = char(0x42);
    raw[at + 5] = char(0x0F);
    // One whole shortcut record follows, then the file ends.
    Spit(path_, raw);
    {
        CZipViewer one;
        one.AddShortcut(5, "one.exe", 1, "One", "", 0);
        CFileReadWrite tail;
        // Append the node's records by writing a viewer's shortcut part to a scratch file.
        const std::string scratch = path_ + ".tail";
        ASSERT_TRUE(tail.OpenWrite(scratch.c_str()));
        tail.WriteInt(5);
        tail.WriteString("one.exe");
        tail.WriteInt(1);
        tail.WriteString("One");
        tail.WriteBool(0);
        tail.WriteString("");
        tail.Close();
        Spit(path_, raw + Slurp(scratch));
        fs::remove(scratch);
    }
    auto back = Read(2, 9, 6);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetNumShortcuts(), 1);
    EXPECT_STREQ(back->GetShortcutList()->FileName, "one.exe");
}

TEST(ZipViewer, DefaultsFactoryAndSetEqualCopiesTheListNodeByNode)
{
    std::unique_ptr<CViewer> made(NewViewerOfType(3));
    auto* zip = dynamic_cast<CZipViewer*>(made.get());
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(std::string(zip->GetMessageText()),
              "A File is about to be un-ziped on your system.\r\n\r\nPlease select the destination folder.");
    EXPECT_EQ(zip->GetExtractLocation(), 1);
    EXPECT_EQ(zip->GetNumShortcuts(), 0);

    zip->SetExtractFolder("Acme");
    zip->SetTargetFilename("setup.zip");
    zip->AddShortcut(1, "a.exe", 1, "A", "", 1);
    zip->AddShortcut(2, "b.exe", 2, "B", "", 0);
    CZipViewer copy;
    copy.AddShortcut(9, "old.exe", 1, "", "", 0);
    copy.SetEqual(zip);
    zip->FindShortcut(1)->Name[0] = 'Z';
    zip->DeleteShortcut(2);
    EXPECT_EQ(copy.GetNumShortcuts(), 2);
    EXPECT_STREQ(copy.FindShortcut(1)->Name, "A");
    ASSERT_NE(copy.FindShortcut(2), nullptr);
    EXPECT_EQ(copy.FindShortcut(9), nullptr);
    EXPECT_EQ(std::string(copy.GetExtractFolder()), "Acme");
    EXPECT_EQ(std::string(copy.GetTargetFilename()), "setup.zip");
    copy.SetEqual(&copy);
    EXPECT_EQ(copy.GetNumShortcuts(), 2);
}

// Extracting with the installer: a scratch folder of its own per test.
class ZipInstallErrors : public ::testing::Test {
protected:
    void SetUp() override { dir_ = Scratch(); }

    fs::path dir_;
};

// Extracting with the installer archives made by the host's zip and python3, checked against
// unzip. Under Wine those programs are not at hand: there the extractor unpacks committed
// Info-ZIP archives and compares them with unzip -p from outside (ZipExtractTest).
class ZipInstall : public ZipInstallErrors {
protected:
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "needs the host's zip, zipinfo, unzip and python3";
#endif
        ZipInstallErrors::SetUp();
    }

    // Every file entry of archive extracted under dest equals `unzip -p` of it.
    void ExpectLikeUnzip(const fs::path& archive, const fs::path& dest, const std::string& password = "")
    {
        const std::string pw = password.empty() ? "" : " -P " + password;
        std::istringstream names(Shell("zipinfo -1 '" + archive.string() + "'"));
        std::string name;
        int files = 0;
        while (std::getline(names, name)) {
            if (name.empty() || name.back() == '/')
                continue;
            ++files;
            const std::string expected = Shell("unzip -p" + pw + " '" + archive.string() + "' '" + name + "'");
            EXPECT_EQ(Slurp(dest / name), expected) << name;
        }
        EXPECT_GT(files, 0);
    }
};

TEST_F(ZipInstall, FolderEntriesBeforeTheirFilesAndProgressByFiles)
{
    Spit(dir_ / "src/app/readme.txt", "read me\n");
    Spit(dir_ / "src/app/bin/tool.exe", std::string(70000, 'T') + "end");
    Spit(dir_ / "src/app/Setup.exe", "MZ setup");
    for (int i = 0; i < 120; ++i)
        Spit(dir_ / ("src/app/many/f" + std::to_string(i) + ".txt"), std::to_string(i * 7919));
    Shell("cd '" + (dir_ / "src").string() + "' && zip -qr ../app.zip app");
    // Info-ZIP stores each folder before the files inside it.
    const std::string listing = Shell("zipinfo -1 '" + (dir_ / "app.zip").string() + "'");
    ASSERT_LT(listing.find("app/bin/\n"), listing.find("app/bin/tool.exe"));

    CZipInstaller installer((dir_ / "app.zip").string().c_str(), "");
    const fs::path dest = dir_ / "dest";
    ASSERT_TRUE(installer.Survey(dest.string().c_str())) << installer.Error().c_str();
    EXPECT_EQ(installer.FileCount(), 123);
    EXPECT_TRUE(installer.Existing().empty());
    std::vector<std::pair<int, int>> steps;
    ASSERT_TRUE(installer.Extract(dest.string().c_str(), [&](int done, int total) { steps.push_back({ done, total }); }))
        << installer.Error().c_str();
    ExpectLikeUnzip(dir_ / "app.zip", dest);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), std::make_pair(0, 123));
    EXPECT_EQ(steps.back(), std::make_pair(123, 123));
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_GE(steps[i].first, steps[i - 1].first);
        EXPECT_LE(steps[i].first, steps[i].second);
    }
    EXPECT_LE(steps.size(), 125u);  // once per file, not per folder

    // A second survey sees what is there now.
    ASSERT_TRUE(installer.Survey(dest.string().c_str()));
    EXPECT_EQ(installer.Existing().size(), 123u);
}

TEST_F(ZipInstall, EncryptedWithRightAndWrongPassword)
{
    Spit(dir_ / "src/secret.txt", "the secret text\n");
    Spit(dir_ / "src/more.bin", std::string(5000, '\x01'));
    Shell("cd '" + (dir_ / "src").string() + "' && zip -q -P right ../enc.zip secret.txt more.bin");
    const fs::path wrongDest = dir_ / "wrong", rightDest = dir_ / "right";
    CZipInstaller wrong((dir_ / "enc.zip").string().c_str(), "wrong");
    EXPECT_FALSE(wrong.Extract(wrongDest.string().c_str(), nullptr));
    EXPECT_FALSE(wrong.Error().IsEmpty());
    EXPECT_FALSE(fs::exists(wrongDest / "secret.txt"));
    // The same archive installs with the right word after the failure.
    CZipInstaller right((dir_ / "enc.zip").string().c_str(), "right");
    ASSERT_TRUE(right.Extract(rightDest.string().c_str(), nullptr)) << right.Error().c_str();
    ExpectLikeUnzip(dir_ / "enc.zip", rightDest, "right");
}

TEST_F(ZipInstall, UnsafeNamesStayInsideTheDestination)
{
    const fs::path archive = dir_ / "evil.zip";
    Shell("python3 -c \"import zipfile; z = zipfile.ZipFile('" + archive.string()
        + "', 'w'); z.writestr('../escaped.txt', 'up'); z.writestr('/abs/rooted.txt', 'abs');"
          " z.writestr('ok/inside.txt', 'in'); z.writestr('a/../../../far.txt', 'far'); z.close()\"");
    ASSERT_TRUE(fs::exists(archive));
    const fs::path dest = dir_ / "deep/dest";
    CZipInstaller installer(archive.string().c_str(), "");
    installer.Extract(dest.string().c_str(), nullptr);
    EXPECT_EQ(Slurp(dest / "ok/inside.txt"), "in");
    // Nothing outside the destination.
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
        const fs::path p = entry.path();
        if (entry.is_regular_file() && p != archive) {
            const std::string rel = fs::relative(p, dest).string();
            EXPECT_NE(rel.substr(0, 2), "..") << p;
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "deep/escaped.txt"));
    EXPECT_FALSE(fs::exists("/abs/rooted.txt"));
}

TEST_F(ZipInstall, NeverReplacesTheArchiveBeingRead)
{
    Spit(dir_ / "src/data.txt", "data");
    Spit(dir_ / "src/pack.zip", "not the archive");
    Shell("cd '" + (dir_ / "src").string() + "' && zip -q ../pack.zip data.txt pack.zip");
    // The archive lies in the destination and holds an entry of its own name.
    const std::string before = Slurp(dir_ / "pack.zip");
    CZipInstaller installer((dir_ / "pack.zip").string().c_str(), "");
    EXPECT_FALSE(installer.Extract(dir_.string().c_str(), nullptr));
    EXPECT_EQ(Slurp(dir_ / "pack.zip"), before);
    ASSERT_EQ(installer.Failed().size(), 1u);
    EXPECT_EQ(std::string(installer.Failed()[0]), "pack.zip");
    EXPECT_NE(installer.Error().Find("pack.zip"), -1);
    EXPECT_EQ(Slurp(dir_ / "data.txt"), "data");
}

TEST_F(ZipInstallErrors, ErrorsComeBackAsText)
{
    Spit(dir_ / "notzip.zip", std::string(300, 'x'));
    struct Case { const char* name; } cases[] = { { "notzip.zip" }, { "missing.zip" } };
    for (const Case& c : cases) {
        CZipInstaller installer((dir_ / c.name).string().c_str(), "");
        EXPECT_FALSE(installer.Survey((dir_ / "dest").string().c_str())) << c.name;
        EXPECT_FALSE(installer.Error().IsEmpty()) << c.name;
        EXPECT_FALSE(installer.Extract((dir_ / "dest").string().c_str(), nullptr)) << c.name;
    }
}

// Show with an extractor of the test's: what opens afterwards.
class ScriptedZipViewer : public CZipViewer {
public:
    bool complete = false;
    CString proposed;
    bool RunExtractor(const CString& proposal, CString& destination) override
    {
        proposed = proposal;
        destination = "C:\\Dest";
        return complete;
    }
};

TEST(ZipViewer, ShowOpensFolderAndFilesOnlyAfterACompletedInstallation)
{
    for (bool complete : { false, true }) {
        FakePlatform platform;
        platform.windowsByTitle["C:\\Dest"] = reinterpret_cast<HWND>(0x55);
        platform.shellRules.push_back({ "Setup.exe", "C:\\Dest\\Setup.exe" });
        ScriptedZipViewer viewer;
        viewer.SetPlatform(&platform);
        viewer.complete = complete;
        viewer.SetExtractLocation(3);
        viewer.SetExtractFolder("Acme");
        viewer.SetOpenExtractFolder(1);
        viewer.AddShortcut(1, "Setup.exe", 0, "", "", 1);
        viewer.AddShortcut(2, "readme.txt", 1, "", "", 0);
        viewer.Show();
        EXPECT_FALSE(viewer.IsAlive());
        EXPECT_EQ(std::string(viewer.proposed), "C:\\Acme");
        const std::string log = viewer.GetLog().c_str();
        if (!complete) {
            EXPECT_TRUE(platform.calls.empty()) << platform.calls.front();
            EXPECT_NE(log.find("Zip: cancelled"), std::string::npos);
            continue;
        }
        ASSERT_TRUE(platform.Called("SE open|C:\\Dest|"));
        EXPECT_NE(log.find("Zip: folder opened: C:\\Dest"), std::string::npos) << log;
        EXPECT_NE(log.find("Zip: file started: Setup.exe"), std::string::npos) << log;
        EXPECT_EQ(log.find("readme.txt ("), std::string::npos) << log;
    }
}
