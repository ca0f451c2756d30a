#include "CFile.h"
#include "CString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(CStringTest, SlicingSearchingAndCase)
{
    CString s("  Hello, World  ");
    s.Trim();
    EXPECT_EQ(s, "Hello, World");
    EXPECT_EQ(s.Left(5), "Hello");
    EXPECT_EQ(s.Right(5), "World");
    EXPECT_EQ(s.Mid(7), "World");
    EXPECT_EQ(s.Mid(7, 2), "Wo");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Find('o'), 4);
    EXPECT_EQ(s.Find('o', 5), 8);
    EXPECT_EQ(s.Find("World"), 7);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.ReverseFind('o'), 8);
    EXPECT_EQ(CString(s).MakeUpper(), "HELLO, WORLD");
    EXPECT_EQ(s.CompareNoCase("hello, world"), 0);
    EXPECT_LT(s.Compare("Z"), 0);
}

TEST(CStringTest, FormatReplaceAndBuffer)
{
    CString s;
    s.Format("%dT|%s|%x", 3, "abc", 255);
    EXPECT_EQ(s, "3T|abc|ff");
    EXPECT_EQ(s.Replace("|", "--"), 2);
    EXPECT_EQ(s, "3T--abc--ff");
    char* p = s.GetBuffer(64);
    std::snprintf(p, 64, "%s", "short");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "short");
    EXPECT_EQ(s.GetLength(), 5);
    CString big;
    big.Format("%s", std::string(5000, 'q').c_str());
    EXPECT_EQ(big.GetLength(), 5000);
}

TEST(CFileTest, WritesReadsSeeksAndReportsMissingFiles)
{
    const std::string path = std::string(VELMORA_TEST_BINARY_DIR) + "/cfile.bin";
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        f.Write("0123456789", 10);
        EXPECT_EQ(f.GetLength(), 10u);
        f.Close();
        EXPECT_FALSE(f.IsOpen());
    }
    {
        CFile f(path.c_str(), CFile::modeRead);
        char buf[16] = {};
        EXPECT_EQ(f.Seek(4, CFile::begin), 4u);
        EXPECT_EQ(f.Read(buf, 16), 6u);
        EXPECT_STREQ(buf, "456789");
        EXPECT_EQ(f.Read(buf, 16), 0u);
        EXPECT_EQ(f.GetFileName(), "cfile.bin");
    }
    CFile::Remove(path.c_str());

    CFile missing;
    CFileException error;
    EXPECT_FALSE(missing.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    try {
        CFile thrown(path.c_str(), CFile::modeRead);
        FAIL();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}
