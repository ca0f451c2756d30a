// The rule that keeps a stored name inside its folder, and the path string rules.
#include "CPathName.h"
#include "SafeName.h"
#include <gtest/gtest.h>
#include <string>

TEST(NameRule, Cases)
{
    struct Case {
        std::string name;
        bool inside;
    } cases[] = {
        {"a.txt", true},
        {"sub\\a.txt", true},
        {"sub/a.txt", true},
        {"a b\\c-d_e (1).txt", true},
        {".hidden", true},
        {"a..b", true},
        {"", false},
        {"..", false},
        {".", false},
        {"..\\evil.txt", false},
        {"../evil.txt", false},
        {"sub\\..\\..\\evil.txt", false},
        {"sub\\.\\a.txt", false},
        {"sub\\\\a.txt", false},
        {"sub\\", false},
        {"\\evil.txt", false},
        {"/evil.txt", false},
        {"\\\\server\\share\\x", false},
        {"C:evil.txt", false},
        {"C:\\evil.txt", false},
        {"a.txt:stream", false},
        {"...", false},
        {".. \\x", false},
        {"name.", false},
        {"name ", false},
        {"a<b", false},
        {"a>b", false},
        {"a\"b", false},
        {"a|b", false},
        {"a?b", false},
        {"a*b", false},
        {std::string("a\0b", 3), false},
        {"a\tb", false},
        {"a\x1f" "b", false},
        {"a\x7f" "b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNameInsideFolder(c.name), c.inside) << '"' << c.name << '"';
}

TEST(PathName, StringRules)
{
    struct Case {
        const char* path;
        void (CPathName::*rule)();
        const char* result;
    } cases[] = {
        {"C:\\Temp", &CPathName::AppendBackslash, "C:\\Temp\\"},
        {"C:\\Temp\\", &CPathName::AppendBackslash, "C:\\Temp\\"},
        {"", &CPathName::AppendBackslash, "\\"},
        {"C:\\Temp\\", &CPathName::StripTrailingBackslash, "C:\\Temp"},
        {"C:\\Temp\\\\", &CPathName::StripTrailingBackslash, "C:\\Temp\\"},
        {"\\", &CPathName::StripTrailingBackslash, "\\"},
        {"a\\", &CPathName::StripTrailingBackslash, "a"},
        {"C:", &CPathName::StripTrailingColon, "C"},
        {"C:\\", &CPathName::StripTrailingColon, "C:\\"},
        {"", &CPathName::StripTrailingColon, ""},
        {".ext", &CPathName::StripLeadingDot, "ext"},
        {"..ext", &CPathName::StripLeadingDot, ".ext"},
        {"ext", &CPathName::StripLeadingDot, "ext"},
    };
    for (const Case& c : cases) {
        CPathName p(c.path);
        (p.*c.rule)();
        EXPECT_STREQ(p.GetPath(), c.result) << c.path;
    }
}

TEST(NameRule, PlainPaths)
{
    struct Case {
        std::string path;
        bool plain;
    } cases[] = {
        {"C:\\Program Files\\Corvex Software", true},
        {"relative\\folder", true},
        {"C:\\100% done", true},
        {"", false},
        {"C:\\x\" & echo owned", false},
        {"C:\\a|b", false},
        {"C:\\a<b", false},
        {"C:\\a?", false},
        {"C:\\a*", false},
        {"C:\\a\r\nrmdir C:\\", false},
        {"C:\\a:b", false},
        {"1:\\a", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPlainPath(c.path), c.plain) << '"' << c.path << '"';
}
