// The building blocks: error texts, path splitting, attribute converters, buffers, times.
#include "CZipBuffer.h"
#include "CZipException.h"
#include "CZipFileHeader.h"
#include "CZipPathComponent.h"
#include "ZipCompatibility.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(ZipException, CodesHaveTheirTexts)
{
    const struct { int code; const char* text; } cases[] = {
        { 2, "No such file or directory" },
        { 28, "No space left on device" },
        { 101, "Damaged or not a zip file" },
        { 102, "Crc mismatched" },
        { 104, "Disk change aborted" },
        { 106, "Action aborted safely" },
        { 108, "Limit of the maximum volumes reached (999)" },
        { 110, "Incorrect password set for the file being decrypted" },
        { 115, "Cannot create the file for the specified platform" },
        { 116, "The central directory was not found in the archive (or you were trying to open not the last disk of a multi-disk archive)" },
        { 500, "Zlib Library error (end of stream)" },
        { 504, "Zlib library error (data error)" },
        { 505, "Not enough memory" },
    };
    for (const auto& c : cases) {
        CZipException e(c.code, "a.zip");
        EXPECT_STREQ(e.GetErrorDescription().c_str(), c.text) << c.code;
        char buf[256];
        EXPECT_TRUE(e.GetErrorMessage(buf, sizeof buf));
        EXPECT_STREQ(buf, c.text);
        EXPECT_STREQ(e.m_szFileName.c_str(), "a.zip");
    }
}

TEST(ZipException, RunTimeErrorNumberAndComposedTexts)
{
    errno = 13;
    CZipException e(CZipException::errNo);
    EXPECT_STREQ(e.GetErrorDescription().c_str(), "Permission denied");
    errno = 13;
    CZipException removed(CZipException::notRemoved, "x");
    EXPECT_EQ(removed.GetErrorDescription().Find("Error while removing a file ("), 0);
    errno = 0;
    // Generic texts never come back empty.
    EXPECT_FALSE(CZipException(CZipException::generic).GetErrorDescription().IsEmpty());
    EXPECT_FALSE(CZipException(9999).GetErrorDescription().IsEmpty());
}

TEST(ZipException, ZlibResultsMapToCodes)
{
    const int zlib[] = { 1, 2, -1, -2, -3, -4, -5, -6, 7 };
    const int zip[] = { 500, 501, 502, 503, 504, 505, 506, 507, 100 };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(CZipException::ZlibErrToZip(zlib[i]), zip[i]);
}

TEST(ZipPathComponent, SplitsPaths)
{
    const struct { const char* path; const char* drive; const char* dir; const char* name; const char* filePath;
                   const char* full; const char* noDrive; const char* prefix; } cases[] = {
        { "C:\\x\\y.txt", "C:", "x", "y.txt", "C:\\x", "C:\\x\\y.txt", "x\\y.txt", "" },
        { "\\\\?\\UNC\\server\\share\\a.txt", "", "server\\share", "a.txt", "\\\\?\\UNC\\server\\share",
          "\\\\?\\UNC\\server\\share\\a.txt", "server\\share\\a.txt", "\\\\?\\UNC\\" },
        { "\\\\server\\s\\b", "", "server\\s", "b", "\\\\server\\s", "\\\\server\\s\\b", "server\\s\\b", "\\\\" },
        { "dir/sub/archive.tar.gz", "", "dir/sub", "archive.tar.gz", "dir/sub", "dir/sub\\archive.tar.gz",
          "dir/sub\\archive.tar.gz", "" },
        { "\\lead\\file", "", "lead", "file", "lead", "lead\\file", "lead\\file", "" },
        { "D:name.ext", "D:", "", "name.ext", "D:", "D:\\name.ext", "name.ext", "" },
    };
    for (const auto& c : cases) {
        CZipPathComponent zpc(c.path);
        EXPECT_STREQ(zpc.GetFileDrive().c_str(), c.drive) << c.path;
        EXPECT_STREQ(zpc.GetFileDir().c_str(), c.dir) << c.path;
        EXPECT_STREQ(zpc.GetFileName().c_str(), c.name) << c.path;
        EXPECT_STREQ(zpc.GetFilePath().c_str(), c.filePath) << c.path;
        EXPECT_STREQ(zpc.GetFullPath().c_str(), c.full) << c.path;
        EXPECT_STREQ(zpc.GetNoDrive().c_str(), c.noDrive) << c.path;
        EXPECT_STREQ(zpc.GetPrefix().c_str(), c.prefix) << c.path;
    }
}

TEST(ZipCompatibility, ConvertsAttributesThroughMsDos)
{
    // Unix 0100644: readable, writable, not executable: the archive bit only.
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0100644u << 16, 3, 0), 0x20u);
    // Unix directory 040755.
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(040755u << 16, 3, 0), 0x10u);
    // Unix 0100444: read-only.
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0100444u << 16, 3, 0) & 0x01u, 0x01u);
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0x21, 7, 0), 0x01u);
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0x21, 0, 10), 0x21u);
    // MS-DOS to Unix.
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0x20, 0, 3), 0x81B40000u);
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0x10, 0, 3), 0x41B40010u);
    EXPECT_EQ(ZipCompatibility::ConvertToSystem(0x03, 0, 3), 0x80000000u);
    EXPECT_TRUE(ZipCompatibility::IsPlatformSupported(6));
    EXPECT_FALSE(ZipCompatibility::IsPlatformSupported(5));
    for (int code : { 5, 11, 1 }) {
        try {
            ZipCompatibility::ConvertToSystem(0x20, code, 0);
            ADD_FAILURE() << code;
        } catch (CZipException* e) {
            EXPECT_EQ(e->m_iCause, 115);
            EXPECT_STREQ(e->GetErrorDescription().c_str(), "Cannot create the file for the specified platform");
            e->Delete();
        }
    }
}

TEST(ZipBuffer, OwnsAndCopiesItsBytes)
{
    CZipBuffer a(4, true);
    EXPECT_EQ(a.GetSize(), 4u);
    EXPECT_EQ(a[0] | a[1] | a[2] | a[3], 0);
    std::memcpy(a.GetBuffer(), "abcd", 4);
    char* block = a.GetBuffer();
    EXPECT_EQ(a.Allocate(4), block);
    CZipBuffer b(a);
    b.GetBuffer()[0] = 'z';
    EXPECT_EQ(a[0], 'a');
    EXPECT_EQ(a.Allocate(4, true)[0], 0);
    a.Release();
    EXPECT_FALSE(a.IsAllocated());
    EXPECT_EQ(a.GetSize(), 0u);
}

TEST(ZipFileHeader, TimesAndAttributes)
{
    CZipFileHeader h;
    // Dates before 1980 cannot be stored: they become 1980-01-01 00:00.
    h.SetTime(0);
    EXPECT_EQ(h.m_uModDate, (1 << 5) | 1);
    EXPECT_EQ(h.m_uModTime, 0);
    struct tm t = {};
    t.tm_year = 120; t.tm_mon = 5; t.tm_mday = 15; t.tm_hour = 12; t.tm_min = 34; t.tm_sec = 57; t.tm_isdst = -1;
    const time_t when = std::mktime(&t);
    h.SetTime(when);
    EXPECT_EQ(h.m_uModDate, (40 << 9) | (6 << 5) | 15);
    EXPECT_EQ(h.m_uModTime, (12 << 11) | (34 << 5) | 28);
    EXPECT_EQ(h.GetTime(), when - 1);

    // An unknown system: the default attributes by the name, low word only.
    h.m_uVersionMadeBy = (5 << 8) | 20;
    h.m_uExternalAttr = 0xFFFFFFFF;
    h.SetFileName("dir\\");
    EXPECT_EQ(h.GetSystemAttr(), 0x10u);
    EXPECT_TRUE(h.IsDirectory());
    h.SetFileName("file.txt");
    EXPECT_EQ(h.GetSystemAttr(), 0x20u);
    // A known system with no attributes: a name ending in a separator is a folder.
    h.m_uVersionMadeBy = 20;
    h.m_uExternalAttr = 0;
    h.SetFileName("a/");
    EXPECT_TRUE(h.IsDirectory());
}
