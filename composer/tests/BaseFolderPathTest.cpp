// Which chosen paths lie in the base folder, and the names they are stored under.
#include "BaseFolderPath.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* base;
    const char* path;
    const char* stored;  // null: outside
};

const Case kCases[] = {
    {"C:\\CD", "C:\\CD\\intro.bmp", "intro.bmp"},
    {"C:\\CD", "C:\\CD\\Setup\\setup.exe", "Setup\\setup.exe"},
    {"C:\\CD", "c:\\cd\\SETUP\\Setup.exe", "SETUP\\Setup.exe"},   // typed in another case
    {"C:\\CD\\", "C:\\CD\\intro.bmp", "intro.bmp"},               // base with its separator
    {"C:\\CD", "C:\\CD\\\\/intro.bmp", "intro.bmp"},               // doubled separators dropped
    {"C:/CD", "C:\\CD/sub/a.bmp", "sub/a.bmp"},
    {"E:\\", "E:\\setup.exe", "setup.exe"},                        // a drive root
    {"E:\\", "E:\\Tools\\setup.exe", "Tools\\setup.exe"},
    {"C:\\CD", "C:\\CD2\\setup.exe", nullptr},                     // a sibling with a longer name
    {"C:\\CD", "C:\\Other\\setup.exe", nullptr},
    {"C:\\CD", "D:\\CD\\setup.exe", nullptr},
    {"C:\\CD", "X:\\backup\\C:\\CD\\setup.exe", nullptr},          // contains it, does not begin with it
    {"C:\\CD", "C:\\CD", nullptr},                                 // the folder itself
    {"C:\\CD", "C:\\CD\\", nullptr},
    {"C:\\CD", "C:\\C", nullptr},
    {"", "C:\\CD\\setup.exe", nullptr},                            // no base folder yet
    {"E:\\", "F:\\setup.exe", nullptr},
};

TEST(BaseFolderPath, InsideOutsideAndTheStoredName)
{
    for (const Case& c : kCases) {
        CString stored = "unchanged";
        const bool inside = RelativeToBaseFolder(c.base, c.path, stored);
        EXPECT_EQ(inside, c.stored != nullptr) << c.base << " | " << c.path;
        if (c.stored)
            EXPECT_STREQ(static_cast<const char*>(stored), c.stored) << c.base << " | " << c.path;
        else
            EXPECT_STREQ(static_cast<const char*>(stored), "unchanged") << c.base << " | " << c.path;
    }
}

}  // namespace
