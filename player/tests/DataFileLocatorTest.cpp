// Finding the data file: command line, executable name, autorun.inf, default.
#include "CDataFileLocator.h"
#include "CFile.h"
#include <gtest/gtest.h>

TEST(DataFileLocator, ChoosesTheNameInTheOrderOfItsSources)
{
    struct {
        const char* commandLine;
        const char* exe;
        const char* autorun;
        const char* name;
        bool readsAutorun; // only for an executable named Velmora without a name given
    } cases[] = {
        {"project.dat", "Velmora", "other.dat", "project.dat", false},
        {"\"My Project.dat\"", "Velmora", "", "My Project.dat", false},
        {"  \"D:\\cd\\x.dat\"  ", "Velmora", "", "D:\\cd\\x.dat", false},
        {"", "Demo", "other.dat", "Demo.dat", false},
        {"", "VELMORA", "other.dat", "other.dat", true},
        {"", "velmora", "\"quoted.dat\"", "quoted.dat", true},
        {"", "Velmora", "", "velmora.dat", true},
        {"\"\"", "Velmora", "", "velmora.dat", true},
    };
    for (const auto& c : cases) {
        int autorunReads = 0;
        const CString name = CDataFileLocator::ChooseName(c.commandLine, c.exe, [&] {
            ++autorunReads;
            return CString(c.autorun);
        });
        EXPECT_EQ(name, CString(c.name)) << "command line [" << c.commandLine << "] exe " << c.exe;
        EXPECT_EQ(autorunReads, c.readsAutorun ? 1 : 0) << c.commandLine << " " << c.exe;
    }
}

TEST(DataFileLocator, FindsTheNameOnAutorunsOpenLine)
{
    struct {
        const char* what;
        const char* text;
        const char* name;
    } cases[] = {
        {"as the authoring program writes it", "[autorun]\r\nOPEN=Velmora.exe\r\nICON=Velmora.exe", ""},
        {"upper-case line with a name", "[autorun]\r\nOPEN=Velmora.exe demo.dat\r\nICON=x.ico", "demo.dat"},
        {"lower-case line", "[autorun]\nopen=Velmora.exe demo.dat\n", "demo.dat"},
        {"name trimmed, line ends", "[autorun]\r\n   Open=VELMORA.EXE    demo.dat   \r\n", "demo.dat"},
        {"name with blanks", "[autorun]\r\nopen=Velmora.exe My Demo.dat\r\n", "My Demo.dat"},
        {"first matching line wins", "[autorun]\nopen=Velmora.exe a.dat\nopen=Velmora.exe b.dat\n", "a.dat"},
        {"a blank line hides what follows", "[autorun]\r\n\r\nopen=Velmora.exe demo.dat\r\n", ""},
        {"another program", "[autorun]\r\nopen=Other.exe demo.dat\r\n", ""},
        {"no open line", "[autorun]\r\nicon=x.ico", ""},
        {"empty file", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDataFileLocator::FindInAutorun(c.text), CString(c.name)) << c.what;
}

TEST(DataFileLocator, TriesTheNameThenTheDefaultAndKeepsAbsolutePaths)
{
    using Paths = std::vector<CString>;
    EXPECT_EQ(CDataFileLocator::CandidatePaths("E:\\cd", "demo.dat"), (Paths{"E:\\cd\\demo.dat", "E:\\cd\\velmora.dat"}));
    EXPECT_EQ(CDataFileLocator::CandidatePaths("E:\\cd", "VELMORA.DAT"), (Paths{"E:\\cd\\VELMORA.DAT"}));
    EXPECT_EQ(CDataFileLocator::CandidatePaths("E:\\cd", "D:\\work\\demo.dat"), (Paths{"D:\\work\\demo.dat", "E:\\cd\\velmora.dat"}));
    EXPECT_EQ(CDataFileLocator::CandidatePaths("E:\\cd", "\\\\server\\share\\demo.dat"),
              (Paths{"\\\\server\\share\\demo.dat", "E:\\cd\\velmora.dat"}));
    EXPECT_EQ(CDataFileLocator::CandidatePaths("E:\\cd", "sub\\demo.dat"), (Paths{"E:\\cd\\sub\\demo.dat", "E:\\cd\\velmora.dat"}));
    EXPECT_FALSE(CDataFileLocator::IsAbsolutePath("C:demo.dat"));
    EXPECT_TRUE(CDataFileLocator::IsAbsolutePath("C:/x/demo.dat"));
}

TEST(DataFileLocator, TempFolderIsNeverThePlayerFolder)
{
    EXPECT_EQ(CDataFileLocator::ChooseTempFolder(true, "C:\\Temp\\", "E:\\cd"), CString("C:\\Temp\\"));
    EXPECT_EQ(CDataFileLocator::ChooseTempFolder(false, "C:\\Temp\\", "E:\\cd"), CString("C:\\"));
    EXPECT_EQ(CDataFileLocator::ChooseTempFolder(true, "", "E:\\cd"), CString("C:\\"));
    EXPECT_EQ(CDataFileLocator::ChooseTempFolder(true, "e:\\CD\\", "E:\\cd"), CString("C:\\"));
    EXPECT_EQ(CDataFileLocator::ChooseTempFolder(true, "E:\\cd", "E:\\cd"), CString("C:\\"));
}

TEST(DataFileLocator, ReadsTheOpenLineFromTheFolder)
{
    const std::string folder = VELMORA_TEST_BINARY_DIR;
    const std::string path = folder + "/autorun.inf";
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        const char text[] = "[autorun]\r\nOPEN=Velmora.exe  demo.dat \r\nICON=cd.ico";
        f.Write(text, sizeof text - 1);
        f.Close();
    }
    EXPECT_EQ(CDataFileLocator::ReadAutorunName(folder.c_str()), CString("demo.dat"));
    CFile::Remove(path.c_str());
    EXPECT_EQ(CDataFileLocator::ReadAutorunName(folder.c_str()), CString(""));
}
