// What an installation may touch and remove, the folder chain, and the delete batch.
#include "CDeleteBatch.h"
#include "CFolderChain.h"
#include "CInstallRules.h"
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <memory>
#include <string>

TEST(InstallRules, Removable)
{
    const char* own = "C:\\Program Files\\Corvex Software\\Velmora";
    const char* programs = "C:\\users\\u\\Start Menu\\Programs";
    const char* desktop = "C:\\users\\u\\Desktop";
    struct Case {
        const char* path;
        bool removable;
    } cases[] = {
        {"Uninstall.exe", true},
        {"tocFile.ext", true},
        {"C:\\Program Files\\Corvex Software\\Velmora\\Velmora_Composer.exe", true},
        {"c:\\program files\\corvex software\\velmora\\sub\\a.dll", true},
        {"C:\\users\\u\\Start Menu\\Programs\\Corvex Software\\Velmora.lnk", true},
        {"C:\\users\\u\\Desktop\\Velmora Composer.LNK", true},
        {"C:\\users\\u\\Desktop\\notes.txt", false},
        {"C:\\Program Files\\Corvex Software\\Velmora\\..\\..\\evil.txt", false},
        {"C:\\Program Files\\Corvex Software\\Velmora2\\a.txt", false},
        {"C:\\Program Files\\Corvex Software\\Velmora", false},
        {"C:\\Windows\\system.ini", false},
        {"..\\evil.txt", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CInstallRules::IsRemovable(c.path, own, programs, desktop), c.removable) << c.path;
}

TEST(InstallRules, CabinetList)
{
    struct Case {
        const char* what;
        const char* file1;
        const char* file3;
        const char* menu1;
        const char* menu2;
        const char* menu3;
        bool safe;
    } cases[] = {
        {"plain", "a.exe", "bin\\a.exe", "Velmora", "a.exe", "\\Corvex Software\\Velmora\\x", true},
        {"shortcut to the uninstaller", "a.exe", "a.exe", "Remove", "", "\\x", true},
        {"file 1 climbs out", "..\\a.exe", "a.exe", "V", "a.exe", "\\x", false},
        {"file 3 absolute", "a.exe", "C:\\Windows\\a.exe", "V", "a.exe", "\\x", false},
        {"menu 1 with a folder climbing", "a.exe", "a.exe", "..\\..\\V", "a.exe", "\\x", false},
        {"menu 2 absolute", "a.exe", "a.exe", "V", "C:\\cmd.exe", "\\x", false},
        {"menu 3 not from the Programs root", "a.exe", "a.exe", "V", "a.exe", "Corvex\\x", false},
        {"menu 3 climbs out of Programs", "a.exe", "a.exe", "V", "a.exe", "\\..\\..\\Startup\\x", false},
    };
    for (const Case& c : cases) {
        auto list = std::make_unique<CInstallList>();
        ASSERT_TRUE(list->AddFile(c.file1, "", c.file3));
        ASSERT_TRUE(list->AddMenu(c.menu1, c.menu2, c.menu3));
        ASSERT_TRUE(list->AddFile("Uninstall.exe", "Uninstall.exe", "Uninstall.exe"));
        EXPECT_EQ(CInstallRules::IsCabinetListSafe(*list), c.safe) << c.what;
    }
}

namespace {

// Folders in memory: "C:" and what the test says exist; "X:" refuses everything.
class FakeChain : public CFolderChain {
public:
    using CFolderChain::CFolderChain;
    std::map<std::string, bool> folders{{"C:", true}};
    int calls = 0;

protected:
    CreateResult CreateFolder(const char* path) override
    {
        ++calls;
        std::string p(path);
        if (p.rfind("X:", 0) == 0)
            return failed;
        if (folders.count(p))
            return exists;
        const size_t cut = p.rfind('\\');
        if (cut == std::string::npos || !folders.count(p.substr(0, cut)))
            return parentMissing;
        folders[p] = true;
        return created;
    }
};

std::string Folders(const CInstallList& list)
{
    std::string s;
    for (int i = 0; i < list.folderCount; ++i)
        s += std::string(i ? ";" : "") + list.folders[i].path;
    return s;
}

} // namespace

TEST(FolderChain, Cases)
{
    auto list = std::make_unique<CInstallList>();
    FakeChain chain(*list);
    // An existing folder is recorded too.
    chain.folders["C:\\Existing"] = true;
    EXPECT_TRUE(chain.Make("C:\\Existing"));
    EXPECT_EQ(Folders(*list), "C:\\Existing");
    list->folderCount = 0;
    chain.folders["C:\\Program Files"] = true;
    EXPECT_TRUE(chain.Make("C:\\Program Files\\Corvex Software\\Velmora\\"));
    EXPECT_EQ(Folders(*list),
              "C:\\Program Files\\Corvex Software;C:\\Program Files\\Corvex Software\\Velmora");
    // Again, and a subfolder: nothing recorded twice.
    EXPECT_TRUE(chain.Make("C:\\Program Files\\Corvex Software\\Velmora"));
    EXPECT_TRUE(chain.Make("C:\\Program Files\\Corvex Software\\Velmora\\sub"));
    EXPECT_EQ(list->folderCount, 3);
    // A drive that refuses: give up at once, record nothing.
    chain.calls = 0;
    EXPECT_FALSE(chain.Make("X:\\a\\b\\c"));
    EXPECT_EQ(chain.calls, 1);
    EXPECT_EQ(list->folderCount, 3);
    // Deeper than the table: the folders are made, the table stops at 25.
    std::string deep = "C:\\d";
    for (int i = 0; i < 30; ++i)
        deep += "\\" + std::to_string(i);
    EXPECT_TRUE(chain.Make(deep.c_str()));
    EXPECT_EQ(list->folderCount, 25);
    EXPECT_TRUE(chain.folders.count(deep));
}

TEST(DeleteBatch, Text)
{
    CFolderRecord folders[4] = {};
    std::strcpy(folders[0].path, "C:\\Program Files\\Corvex Software");
    std::strcpy(folders[1].path, "C:\\Program Files\\Corvex Software\\100% done");
    std::strcpy(folders[2].path, "C:\\x\" & echo injected > C:\\owned.txt & rem \"");
    std::strcpy(folders[3].path, "C:\\Program Files\\Corvex Software\\Velmora");
    EXPECT_EQ(CDeleteBatch::Build("C:\\Program Files\\Corvex Software\\Velmora\\Uninstall.exe", folders, 4),
              ":Repeat\r\n"
              "del \"C:\\Program Files\\Corvex Software\\Velmora\\Uninstall.exe\"\r\n"
              "if exist \"C:\\Program Files\\Corvex Software\\Velmora\\Uninstall.exe\" goto Repeat\r\n"
              "rmdir \"C:\\Program Files\\Corvex Software\\Velmora\"\r\n"
              "rmdir \"C:\\Program Files\\Corvex Software\\100%% done\"\r\n"
              "rmdir \"C:\\Program Files\\Corvex Software\"\r\n"
              "del \"\\DelUS.bat\"\r\n");
    // 25 folders of 1023 characters: built whole.
    CFolderRecord many[25] = {};
    for (CFolderRecord& f : many) {
        std::memset(f.path, 'a', 1023);
        f.path[1] = ':';
    }
    const std::string text = CDeleteBatch::Build("C:\\u.exe", many, 25);
    EXPECT_EQ(text.size(), std::string(":Repeat\r\ndel \"C:\\u.exe\"\r\nif exist \"C:\\u.exe\" goto Repeat\r\n").size()
                               + 25 * (1023 + 10) + std::string("del \"\\DelUS.bat\"\r\n").size());
}
