// The installation list: Write then Read, the reader's line rules and the lists it refuses.
#include "CInstallList.h"
#include "TestFiles.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace testfiles;

namespace {

std::string Rec(const CListRecord& r)
{
    return std::string(r.field1) + "|" + r.field2 + "|" + r.field3;
}

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + "\r\n";
    return s;
}

} // namespace

TEST(InstallList, WriteThenReadGivesTheRecordsBackAndTheTwoAppendedOnes)
{
    const std::string folder = ScratchFolder("list_roundtrip");
    auto list = std::make_unique<CInstallList>();
    ASSERT_TRUE(list->AddMenu("Velmora Composer", "Velmora_Composer.exe", "\\Corvex Software\\Velmora\\x"));
    ASSERT_TRUE(list->AddMenu("Uninstall Velmora", "", "\\Corvex Software\\Velmora\\x"));
    ASSERT_TRUE(list->AddFile("Velmora_Composer.exe", "", "Velmora_Composer.exe", 1));
    ASSERT_TRUE(list->AddFile("", "", "C:\\Program Files\\Corvex Software\\Velmora\\a b.dll", 1));
    ASSERT_TRUE(list->AddFolder("C:\\Program Files\\Corvex Software", 1));
    ASSERT_TRUE(list->AddFolder("C:\\Program Files\\Corvex Software\\Velmora", 1));
    ASSERT_TRUE(list->Write(folder.c_str()));

    EXPECT_EQ(ReadFile(CInstallList::ListPath(folder.c_str()).c_str()),
              Lines({"#@#MENU LIST#@#",
                     "Velmora Composer#@#Velmora_Composer.exe#@#\\Corvex Software\\Velmora\\x",
                     "Uninstall Velmora#@##@#\\Corvex Software\\Velmora\\x",
                     "#@#FILE LIST#@#",
                     "Velmora_Composer.exe#@##@#Velmora_Composer.exe",
                     "#@##@#C:\\Program Files\\Corvex Software\\Velmora\\a b.dll",
                     "#@#FOLDER LIST#@#",
                     "C:\\Program Files\\Corvex Software",
                     "C:\\Program Files\\Corvex Software\\Velmora"}));

    auto back = std::make_unique<CInstallList>();
    ASSERT_TRUE(back->Read(folder.c_str()));
    ASSERT_EQ(back->menuCount, 2);
    EXPECT_EQ(Rec(back->menus[0]), "Velmora Composer|Velmora_Composer.exe|\\Corvex Software\\Velmora\\x");
    EXPECT_EQ(Rec(back->menus[1]), "Uninstall Velmora||\\Corvex Software\\Velmora\\x");
    ASSERT_EQ(back->fileCount, 4);
    EXPECT_EQ(Rec(back->files[0]), "Velmora_Composer.exe||Velmora_Composer.exe");
    EXPECT_EQ(Rec(back->files[1]), "||C:\\Program Files\\Corvex Software\\Velmora\\a b.dll");
    EXPECT_EQ(Rec(back->files[2]), "Uninstall.exe|Uninstall.exe|Uninstall.exe");
    EXPECT_EQ(Rec(back->files[3]), "tocFile.ext|tocFile.ext|tocFile.ext");
    for (int i = 0; i < back->fileCount; ++i)
        EXPECT_EQ(back->files[i].flag, 0);
    ASSERT_EQ(back->folderCount, 2);
    EXPECT_STREQ(back->folders[1].path, "C:\\Program Files\\Corvex Software\\Velmora");
    EXPECT_EQ(back->folders[1].flag, 0);
}

TEST(InstallList, LineRules)
{
    struct Case {
        const char* what;
        std::string text;
        const char* menus;   // records joined by ";"
        const char* files;   // without the two appended records
        const char* folders;
    } cases[] = {
        {"no menu records", Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", "a#@#b#@#c", "#@#FOLDER LIST#@#", "D"}),
         "", "a|b|c", "D"},
        {"blanks around lines and LF endings",
         "#@#MENU LIST#@#\n  m#@#t#@#\\p\\x \t\n#@#FILE LIST#@#\n\t a #@# b #@# c \n#@#FOLDER LIST#@#\n  D \n",
         "m|t|\\p\\x", "a | b | c", "D"},
        {"a blank line ends the file section; the rest are folders",
         Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", "a#@#b#@#c", "", "E", "F"}), "", "a|b|c", "E;F"},
        {"a blank line ends the folder section",
         Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", "#@#FOLDER LIST#@#", "E", "", "F"}), "", "", "E"},
        {"end of file in the menu section", "#@#MENU LIST#@#\r\nm#@#t#@#f", "m|t|f", "", ""},
        {"a third separator stays in field 3",
         Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", "a#@#b#@#c#@#d"}), "", "a|b|c#@#d", ""},
        {"a long line read whole",
         Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", std::string(1023, 'a') + "#@#" + std::string(1023, 'b')
                                                         + "#@#" + std::string(1023, 'c')}),
         "", nullptr, ""},
        {"empty file", "", "", "", ""},
    };
    const std::string folder = ScratchFolder("list_rules");
    for (const Case& c : cases) {
        WriteFile(CInstallList::ListPath(folder.c_str()).c_str(), c.text);
        auto list = std::make_unique<CInstallList>();
        ASSERT_TRUE(list->Read(folder.c_str())) << c.what;
        std::string menus, files, folders;
        for (int i = 0; i < list->menuCount; ++i)
            menus += (i ? ";" : "") + Rec(list->menus[i]);
        ASSERT_GE(list->fileCount, 2) << c.what;
        for (int i = 0; i < list->fileCount - 2; ++i)
            files += (i ? ";" : "") + Rec(list->files[i]);
        for (int i = 0; i < list->folderCount; ++i)
            folders += (i ? ";" : "") + std::string(list->folders[i].path);
        EXPECT_EQ(menus, c.menus) << c.what;
        if (c.files)
            EXPECT_EQ(files, c.files) << c.what;
        else
            EXPECT_EQ(strlen(list->files[0].field3), 1023u) << c.what;
        EXPECT_EQ(folders, c.folders) << c.what;
        EXPECT_STREQ(list->files[list->fileCount - 1].field1, "tocFile.ext") << c.what;
    }
}

TEST(InstallList, RefusedLists)
{
    auto repeat = [](const std::string& line, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += line + "\r\n";
        return s;
    };
    const std::string head = "#@#MENU LIST#@#\r\n";
    const std::string files = "#@#FILE LIST#@#\r\n";
    const std::string folders = "#@#FOLDER LIST#@#\r\n";
    struct Case {
        const char* what;
        std::string text;
        bool accepted;
    } cases[] = {
        {"field 1 of 1024 characters", head + files + std::string(1024, 'a') + "#@#b#@#c\r\n", false},
        {"field 3 of 1024 characters", head + std::string("m#@#t#@#") + std::string(1024, 'c') + "\r\n" + files,
         false},
        {"folder of 1024 characters", head + files + folders + std::string(1024, 'd') + "\r\n", false},
        {"menu line with one separator", head + "m#@#t\r\n" + files, false},
        {"menu line with none", head + "menu\r\n" + files, false},
        {"file line with one separator", head + files + "a#@#b\r\n", false},
        {"25 menus", head + repeat("m#@#t#@#\\p\\x", 25) + files, true},
        {"26 menus", head + repeat("m#@#t#@#\\p\\x", 26) + files, false},
        {"248 files", head + files + repeat("a#@#b#@#c", 248), true},
        {"249 files: no room for the two appended", head + files + repeat("a#@#b#@#c", 249), false},
        {"10 menus and 238 files", head + repeat("m#@#t#@#\\p\\x", 10) + files + repeat("a#@#b#@#c", 238), true},
        {"10 menus and 239 files: no room for the shortcuts", head + repeat("m#@#t#@#\\p\\x", 10) + files
                                                                   + repeat("a#@#b#@#c", 239), false},
        {"25 folders", head + files + folders + repeat("D", 25), true},
        {"26 folders", head + files + folders + repeat("D", 26), false},
    };
    const std::string folder = ScratchFolder("list_refused");
    for (const Case& c : cases) {
        WriteFile(CInstallList::ListPath(folder.c_str()).c_str(), c.text);
        auto list = std::make_unique<CInstallList>();
        CString message;
        EXPECT_EQ(list->Read(folder.c_str(), &message), c.accepted) << c.what;
        if (!c.accepted) {
            EXPECT_EQ(std::string(message.c_str()), "An Error occured opening " + CInstallList::ListPath(folder.c_str()).str())
                << c.what;
            EXPECT_EQ(list->menuCount, 0) << c.what;
            EXPECT_EQ(list->fileCount, 0) << c.what;
            EXPECT_EQ(list->folderCount, 0) << c.what;
        }
    }
    auto list = std::make_unique<CInstallList>();
    CString message;
    EXPECT_FALSE(list->Read(ScratchFolder("list_missing").c_str(), &message));
    EXPECT_NE(std::string(message.c_str()).find("An Error occured opening "), std::string::npos);
}

// Folders recorded before a read stay, and count against the table.
TEST(InstallList, ReadKeepsRecordedFolders)
{
    const std::string folder = ScratchFolder("list_folders");
    WriteFile(CInstallList::ListPath(folder.c_str()).c_str(),
              Lines({"#@#MENU LIST#@#", "#@#FILE LIST#@#", "#@#FOLDER LIST#@#", "B"}));
    auto list = std::make_unique<CInstallList>();
    ASSERT_TRUE(list->AddFolder("A", 1));
    ASSERT_TRUE(list->Read(folder.c_str()));
    ASSERT_EQ(list->folderCount, 2);
    EXPECT_STREQ(list->folders[0].path, "A");
    EXPECT_EQ(list->folders[0].flag, 1);
    EXPECT_STREQ(list->folders[1].path, "B");
    for (int i = 1; i < 25; ++i)
        list->AddFolder("X");
    EXPECT_EQ(list->folderCount, 25);
    EXPECT_FALSE(list->Read(folder.c_str()));
    EXPECT_EQ(list->folderCount, 25);
}
