#include "BaseFolderMarker.h"
#include "CViewer.h"
#include "CommandLineText.h"
#include "DataFileVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowState, TravelsAtTheEndOfTheStoredParameters)
{
    struct Case { const char* parameters; int state; const char* stored; };
    const Case cases[] = {
        { "", 0, "" },
        { "/s", 0, "/s" },
        { "/s", 1, "/s /showCmdMAX" },
        { "", 2, " /showCmdMIN" },
        { "/s", 7, "/s" },  // no state of its own: none stored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithWindowState(c.parameters, c.state), c.stored) << c.parameters << " " << c.state;
        CString parameters = c.stored;
        EXPECT_EQ(TakeWindowState(parameters), c.state == 7 ? 0 : c.state) << c.stored;
        EXPECT_EQ(parameters, c.parameters);
    }
    // A mark is found wherever it stands, the maximised one first; one mark is taken.
    CString parameters = "a /showCmdMIN b /showCmdMAX";
    EXPECT_EQ(TakeWindowState(parameters), 1);
    EXPECT_EQ(parameters, "a /showCmdMIN b");
}

TEST(BaseFolderMarker, OnlyALeadingBaseFolderIsReplaced)
{
    struct Case { const char* path; const char* base; const char* stored; };
    const Case cases[] = {
        { "D:\\CD\\Docs", "D:\\CD", "B@5e_F01der\\Docs" },
        { "d:\\cd\\Docs\\Sub", "D:\\CD\\", "B@5e_F01der\\Docs\\Sub" },
        { "D:\\CD\\Docs\\", "D:\\CD\\\\", "B@5e_F01der\\Docs" },
        { "D:\\CD", "D:\\CD\\", "B@5e_F01der" },
        // Not below the base folder: a longer name, a base folder further in, another drive.
        { "D:\\CD2\\Docs", "D:\\CD", "D:\\CD2\\Docs" },
        { "E:\\Backup\\D:\\CD\\Docs", "D:\\CD", "E:\\Backup\\D:\\CD\\Docs" },
        { "E:\\Docs", "D:\\CD", "E:\\Docs" },
        { "D:\\CD\\Docs", "", "D:\\CD\\Docs" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceBaseFolderWithMarker(c.path, c.base), c.stored) << c.path << " in " << c.base;
}

TEST(BaseFolderMarker, MarkerBecomesTheBaseFolder)
{
    struct Case { const char* stored; const char* base; const char* path; };
    const Case cases[] = {
        { "B@5e_F01der\\Docs", "F:\\", "F:\\Docs" },
        { "B@5e_F01der\\Docs", "C:\\Play", "C:\\Play\\Docs" },
        { "B@5e_F01der", "C:\\Play\\", "C:\\Play" },
        { "B@5e_F01derX\\Docs", "C:\\Play", "B@5e_F01derX\\Docs" },
        { "C:\\Fixed\\B@5e_F01der", "C:\\Play", "C:\\Fixed\\B@5e_F01der" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceMarkerWithBaseFolder(c.stored, c.base), c.path) << c.stored;
}

TEST(CommandLineText, Extension)
{
    struct Case { const char* name; const char* ext; };
    const Case cases[] = {
        { "docs\\Read Me.TXT", ".txt" },   { "setup.exe", ".exe" },      { "my.docs\\readme", "" },
        { "C:\\v1.2\\folder\\", "" },      { "mailto:joe@example.com", "" }, { "MAILTO:x.y@z.org", "" },
        { "archive.tar.gz", ".gz" },       { "noext", "" },              { "web/page.HTML", ".html" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtensionOf(c.name), c.ext) << c.name;
}

TEST(CommandLineText, RegisteredCommandTakesTheTarget)
{
    struct Case { const char* registered; const char* arguments; const char* command; };
    const Case cases[] = {
        // The quoted program, two blanks, the parameters, a blank and the quoted target.
        { "\"C:\\Prog\\app.exe\" \"%1\" %*", " -a \"D:\\x.doc\"", "\"C:\\Prog\\app.exe\"  -a \"D:\\x.doc\" " },
        { "%SystemRoot%\\system32\\notepad.exe %1", "  \"D:\\a.txt\"", "C:\\windows\\system32\\notepad.exe   \"D:\\a.txt\"" },
        { "viewer.exe \"%L\" \"%2\" %3", "  \"x\"", "viewer.exe   \"x\"  " },
        { "viewer.exe /open", "  \"x\"", "viewer.exe /open  \"x\"" },
        { "v.exe %1 %1", " p \"x\"", "v.exe  p \"x\"  p \"x\"" },
        { "", "  \"D:\\CD\\x.zzz\"", "  \"D:\\CD\\x.zzz\"" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceArguments(CleanRegisteredCommand(c.registered, "C:\\windows"), c.arguments), c.command)
            << c.registered;
}

TEST(CommandLineText, ProgramAtTheHead)
{
    struct Case { const char* command; const char* program; };
    const Case cases[] = {
        { "\"C:\\Program Files\\App\\app.exe\" -x \"%1\"", "C:\\Program Files\\App\\app.exe" },
        { "C:\\PROG\\VIEW.EXE /n file", "C:\\PROG\\VIEW.EXE" },
        { "C:\\windows\\notepad.exe   ", "C:\\windows\\notepad.exe" },
        { "", "" },
        { "\"unterminated", "unterminated" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramPathOf(c.command), c.program) << c.command;
    EXPECT_EQ(WithoutSkFlag("netscape.exe -sk x"), "netscape.exe  x");
    EXPECT_EQ(WithoutSkFlag("iexplore.exe -sk x"), "iexplore.exe -sk x");
    EXPECT_EQ(WithoutSkFlag("-sk x"), "-sk x");
}

TEST(Versions, OlderAndGates)
{
    struct Case { const char* required; const char* installed; bool older; };
    const Case cases[] = {
        { "6.0.1", "6.0", true },   { "6.0.1", "7.0", false }, { "6.0", "6.0.0.0", false },
        { "2.10", "2.9", true },    { "", "1.0", false },      { "1.0", "", true },
        { "1.2.3.4.5.6.7.8.9.10", "1.2.3.4.5.6.7.8.9.9", true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CViewer::IsVersionOlder(c.required, c.installed), c.older) << c.required << " vs " << c.installed;

    EXPECT_TRUE(IsVersionAtLeast(2, 9, 6, 2, 8, 4));
    EXPECT_TRUE(IsVersionAtLeast(2, 8, 4, 2, 8, 4));
    EXPECT_FALSE(IsVersionAtLeast(2, 8, 3, 2, 8, 4));
    EXPECT_FALSE(IsVersionAtLeast(1, 99, 99, 2, 5, 0));
    EXPECT_TRUE(IsVersionAtLeast(3, 0, 0, 2, 9, 6));
}

TEST(Versions, WindowsVersionCodes)
{
    struct Case { DWORD platform, major, minor, build; int code; };
    const Case cases[] = {
        { 1, 4, 0, 950, 1 },   { 1, 4, 10, 1998, 2 }, { 1, 4, 10, 0x04000000 | 2222, 3 }, { 1, 4, 90, 3000, 5 },
        { 2, 4, 0, 1381, 4 },  { 2, 5, 0, 2195, 6 },  { 2, 5, 1, 2600, 7 },               { 0, 3, 1, 0, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CViewer::GetWindowsVersionCode(c.platform, c.major, c.minor, c.build), c.code)
            << c.platform << " " << c.major << "." << c.minor << "." << c.build;
}

}
