// Adding entries and writing the central directory, read back through the library.
#include "ZipTestSupport.h"

#include "CZipMemFile.h"
#include "ZipPlatform.h"

using namespace ziptest;

namespace {

std::string Noise(size_t n, unsigned seed)
{
    std::string s(n, 0);
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

Bytes Entry(CZipArchive& zip, WORD index)
{
    Bytes out;
    EXPECT_TRUE(zip.OpenFile(index));
    unsigned char buf[4096];
    DWORD n;
    while ((n = zip.ReadFile(buf, sizeof buf)) > 0)
        out.insert(out.end(), buf, buf + n);
    EXPECT_EQ(zip.CloseFile(), 1);
    return out;
}

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct Source {
    std::string dir;
    Source()
    {
        dir = Scratch() + "/src";
        std::filesystem::create_directories(dir + "/folder");
        WriteText(dir + "/text.txt", std::string(3000, 'a') + "end");
        WriteText(dir + "/four.txt", "four");
        WriteText(dir + "/empty.txt", "");
        WriteText(dir + "/noise.bin", Noise(5000, 3));
    }
};

}

TEST(ZipWrite, AddNewFileWithSmartLevels)
{
    Source src;
    const std::string path = src.dir + "/../a.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    EXPECT_FALSE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    zip.SetRootPath(src.dir.c_str());
    for (const char* f : { "text.txt", "four.txt", "empty.txt", "folder" })
        ASSERT_TRUE(zip.AddNewFile((src.dir + "/" + f).c_str())) << f;
    CZipAddFileOptions checked((src.dir + "/noise.bin").c_str());
    checked.m_iSmartLevel = 15;
    ASSERT_TRUE(zip.AddNewFile(checked));
    CZipAddFileOptions plain((src.dir + "/noise.bin").c_str(), "deflated-noise.bin");
    ASSERT_TRUE(zip.AddNewFile(plain));
    EXPECT_FALSE(zip.AddNewFile((src.dir + "/missing").c_str()));
    zip.Close();

    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(zip.GetCount(), 6);
    const struct { const char* name; int method; WORD needed; } expected[] = {
        { "text.txt", 8, 20 }, { "four.txt", 0, 20 }, { "empty.txt", 0, 20 }, { "folder\\", 0, 10 },
        { "noise.bin", 0, 20 }, { "deflated-noise.bin", 8, 20 },
    };
    for (int i = 0; i < 6; ++i) {
        CZipFileHeader h;
        ASSERT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(i)));
        EXPECT_STREQ(h.GetFileName().c_str(), expected[i].name);
        EXPECT_EQ(h.m_uMethod, expected[i].method) << expected[i].name;
        EXPECT_EQ(h.m_uVersionNeeded, expected[i].needed) << expected[i].name;
        EXPECT_EQ(h.m_uVersionMadeBy, 20);
        EXPECT_EQ(h.m_uFlag, 0);
    }
    EXPECT_EQ(Entry(zip, 0), ReadBytes(src.dir + "/text.txt"));
    EXPECT_EQ(Entry(zip, 4), ReadBytes(src.dir + "/noise.bin"));
    EXPECT_EQ(Entry(zip, 5), ReadBytes(src.dir + "/noise.bin"));
    EXPECT_EQ(zip.GetCount(true), 5);
    zip.Close();
    // The folder is stored with a "/".
    const Bytes b = ReadBytes(path);
    EXPECT_NE(std::search(b.begin(), b.end(), std::begin("folder/") , std::end("folder/") - 1), b.end());
}

TEST(ZipWrite, EncryptedEntries)
{
    Source src;
    const std::string path = src.dir + "/../e.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    ASSERT_TRUE(zip.SetPassword("pass word"));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/text.txt").c_str()));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/folder").c_str()));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/empty.txt").c_str()));
    CZipFileHeader stored;
    stored.SetFileName("stored.bin");
    stored.SetTime(std::time(nullptr));
    stored.m_uExternalAttr = 0x20;
    ASSERT_TRUE(zip.OpenNewFile(stored, 0));
    const std::string hundred = Noise(100, 9);
    ASSERT_TRUE(zip.WriteNewFile(hundred.data(), 100));
    ASSERT_TRUE(zip.CloseNewFile());
    zip.Close();

    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(h.m_uFlag, 9);
    ASSERT_TRUE(zip.GetFileInfo(h, 1));
    EXPECT_EQ(h.m_uFlag, 0);  // folders go without encryption
    ASSERT_TRUE(zip.GetFileInfo(h, 2));
    EXPECT_EQ(h.m_uFlag, 0);  // and so do empty files
    ASSERT_TRUE(zip.GetFileInfo(h, 3));
    EXPECT_EQ(h.m_uFlag, 9);
    EXPECT_EQ(h.m_uComprSize, 112u);
    EXPECT_EQ(h.m_uUncomprSize, 100u);
    ExpectZipError(110, [&] { zip.OpenFile(0); });
    zip.Close(CZipArchive::afAfterException);
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(zip.SetPassword("pass word"));
    EXPECT_EQ(Entry(zip, 0), ReadBytes(src.dir + "/text.txt"));
    EXPECT_EQ(Entry(zip, 3), B(hundred));
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    zip.Close();

    // The encryption header ends with the high byte of the time; a signed descriptor follows the data.
    const Bytes b = ReadBytes(path);
    CZipArchive keys;
    keys.SetPassword("pass word");
    keys.CryptInitKeys();
    const size_t data = 30 + Get16(b, 26) + Get16(b, 28);
    char c = 0;
    for (size_t i = 0; i < 12; ++i) {
        c = static_cast<char>(b[data + i]);
        keys.CryptDecode(c);
    }
    EXPECT_EQ(static_cast<unsigned char>(c), h.m_uModTime >> 8);
    const size_t descriptor = data + h.m_uComprSize;
    EXPECT_EQ(Get32(b, descriptor), 0x08074b50u);
    EXPECT_EQ(Get32(b, descriptor + 4), h.m_uCrc32);
    EXPECT_EQ(Get32(b, descriptor + 8), h.m_uComprSize);
    // The local header of an encrypted entry carries the real values too.
    EXPECT_EQ(Get32(b, 14), h.m_uCrc32);
    EXPECT_EQ(Get32(b, 18), h.m_uComprSize);
}

TEST(ZipWrite, HeadersLevelsAndNames)
{
    CZipMemFile mem;
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(mem, CZipArchive::zipCreate));
    EXPECT_FALSE(zip.SetSystemCompatibility(5));
    const int levels[] = { 1, 2, 6, 9, 0 };
    const WORD flags[] = { 6, 4, 0, 2, 0 };
    for (int level : levels) {
        CZipFileHeader h;
        h.m_uExternalAttr = 0x20;
        ASSERT_TRUE(zip.OpenNewFile(h, level));
        ASSERT_TRUE(zip.WriteNewFile("data data data", 14));
        ASSERT_TRUE(zip.CloseNewFile());
    }
    CZipFileHeader longName;
    longName.SetFileName(std::string(70000, 'n').c_str());
    ExpectZipError(109, [&] { zip.OpenNewFile(longName); });
    zip.Close();
    ASSERT_TRUE(zip.Open(mem, CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(zip.GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        CZipFileHeader h;
        ASSERT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(i)));
        EXPECT_EQ(h.m_uFlag, flags[i]) << levels[i];
        EXPECT_EQ(CString(h.GetFileName()), CString("file") + CString(std::to_string(i).c_str()));
        EXPECT_EQ(Entry(zip, static_cast<WORD>(i)), B("data data data"));
    }
    zip.Close();
}

TEST(ZipWrite, UnixSystemCompatibility)
{
    Source src;
    CZipMemFile mem;
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(mem, CZipArchive::zipCreate));
    ASSERT_TRUE(zip.SetSystemCompatibility(3));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/four.txt").c_str()));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/folder").c_str()));
    zip.Close();
    ASSERT_TRUE(zip.Open(mem, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetSystemCompatibility(), 3);
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(h.m_uVersionMadeBy, (3 << 8) | 20);
    EXPECT_EQ(h.m_uExternalAttr & 0xF0000000u, 0x80000000u);
    EXPECT_EQ(h.GetSystemAttr() & 0x11u, 0u);
    ASSERT_TRUE(zip.GetFileInfo(h, 1));
    EXPECT_EQ(h.m_uExternalAttr & 0xF0000000u, 0x40000000u);
    EXPECT_TRUE(h.IsDirectory());
    zip.Close();
}

TEST(ZipWrite, AddingToAnExistingArchive)
{
    Source src;
    const std::string dir = src.dir + "/..";
    // Into an archive behind a stub (offsets not adjusted) and into a plain one.
    for (const char* fixture : { "stub.zip", "plain.zip" }) {
        const std::string path = dir + "/" + fixture;
        WriteBytes(path, ReadBytes(Fixture(fixture)));
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpen));
        ASSERT_TRUE(zip.AddNewFile((src.dir + "/text.txt").c_str(), "added/text.txt"));
        zip.Close();
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        ASSERT_EQ(zip.GetCount(), 6) << fixture;
        EXPECT_EQ(Entry(zip, 4), B("abc"));
        EXPECT_EQ(Entry(zip, 5), ReadBytes(src.dir + "/text.txt"));
        zip.Close();
    }
}

TEST(ZipWrite, AbandonedAndAbortedEntriesLeaveAValidArchive)
{
    Source src;
    const std::string path = src.dir + "/../x.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/four.txt").c_str()));
    CZipFileHeader h;
    h.SetFileName("half.txt");
    ASSERT_TRUE(zip.OpenNewFile(h));
    ASSERT_TRUE(zip.WriteNewFile("half", 4));
    zip.Close(CZipArchive::afWriteDir);
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpen));
    EXPECT_EQ(zip.GetCount(), 1);
    struct Stop : CZipActionCallback {
        bool Callback(DWORD) override { return false; }
    } stop;
    zip.SetCallback(&stop, CZipActionCallback::cbAdd);
    CZipAddFileOptions big((src.dir + "/text.txt").c_str());
    big.m_nBufSize = 1000;
    ExpectZipError(105, [&] { zip.AddNewFile(big); });
    ExpectZipError(106, [&] { zip.AddNewFile((src.dir + "/four.txt").c_str(), "whole.txt"); });
    zip.SetCallback(nullptr, CZipActionCallback::cbAdd);
    zip.Close(CZipArchive::afWriteDir);
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(zip.GetCount(), 2);
    EXPECT_EQ(Entry(zip, 0), B("four"));
    EXPECT_EQ(Entry(zip, 1), B("four"));
    zip.Close();
}

TEST(ZipWrite, CopyFromAnotherArchiveAndUpdateTime)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/copy.zip";
    CZipArchive from;
    ASSERT_TRUE(from.Open(Fixture("encrypted.zip").c_str(), CZipArchive::zipOpenReadOnly));
    CZipArchive to;
    ASSERT_TRUE(to.Open(path.c_str(), CZipArchive::zipCreate));
    for (WORD i = 0; i < 3; ++i)
        ASSERT_TRUE(to.GetFromArchive(from, i, -1, true));
    from.Close();
    to.Close(CZipArchive::afNoException, true);
    time_t modTime = 0;
    ASSERT_TRUE(ZipPlatform::GetFileModTime(path.c_str(), modTime));
    struct tm t = {};
    t.tm_year = 120; t.tm_mon = 5; t.tm_mday = 15; t.tm_hour = 12; t.tm_min = 34; t.tm_sec = 56; t.tm_isdst = -1;
    EXPECT_EQ(modTime, std::mktime(&t));
    ASSERT_TRUE(to.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(to.GetCount(), 3);
    ASSERT_TRUE(to.SetPassword("secret"));
    EXPECT_EQ(Entry(to, 0), ReadBytes(Fixture("src/data.bin")));
    EXPECT_EQ(Entry(to, 2), ReadBytes(Fixture("src/docs/readme.txt")));
    to.Close();
}

TEST(ZipWrite, ExtractedFilesTakeTimeAndAttributes)
{
    const std::string out = Scratch();
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(Fixture("plain.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_FALSE(zip.ExtractFile(4, out.c_str(), true, nullptr, 0));  // no buffer, no endless loop
    ASSERT_TRUE(zip.ExtractFile(4, out.c_str()));
    ASSERT_TRUE(zip.ExtractFile(3, out.c_str()));
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 4));
    zip.Close();
    time_t modTime = 0;
    ASSERT_TRUE(ZipPlatform::GetFileModTime((out + "/tiny.txt").c_str(), modTime));
    EXPECT_EQ(modTime, h.GetTime());
    EXPECT_TRUE(Exists(out + "/empty.txt"));
    EXPECT_EQ(ReadBytes(out + "/empty.txt").size(), 0u);
    DWORD attr = 0;
    ASSERT_TRUE(ZipPlatform::GetFileAttr((out + "/tiny.txt").c_str(), attr));
    EXPECT_EQ(attr & 0x11u, 0u);
#ifndef _WIN32
    // Others may read what was extracted, as with any new file.
    EXPECT_NE(std::filesystem::status(out + "/tiny.txt").permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none);
#endif
}

TEST(ZipWrite, ReplacingEntries)
{
    Source src;
    const std::string path = src.dir + "/../r.zip";
    WriteText(src.dir + "/b.txt", "short b");
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/text.txt").c_str()));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/b.txt").c_str()));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/four.txt").c_str()));
    // A bigger entry in the middle, while the archive is being written.
    CZipAddFileOptions bigger((src.dir + "/noise.bin").c_str(), "b.txt");
    bigger.m_iReplaceIndex = 1;
    ASSERT_TRUE(zip.AddNewFile(bigger));
    zip.Close();
    // A smaller one found by its name, in an archive opened again.
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpen));
    ASSERT_TRUE(zip.SetPassword("pw"));
    CZipAddFileOptions smaller((src.dir + "/four.txt").c_str(), "text.txt");
    smaller.m_iReplaceIndex = -2;
    ASSERT_TRUE(zip.AddNewFile(smaller));
    ASSERT_TRUE(zip.SetPassword(nullptr));
    ASSERT_TRUE(zip.AddNewFile((src.dir + "/empty.txt").c_str()));
    CZipAddFileOptions wrong((src.dir + "/four.txt").c_str());
    wrong.m_iReplaceIndex = 9;
    EXPECT_FALSE(zip.AddNewFile(wrong));
    zip.Close();

    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(zip.GetCount(), 4);
    ASSERT_TRUE(zip.SetPassword("pw"));
    EXPECT_EQ(Entry(zip, 0), B("four"));
    EXPECT_EQ(Entry(zip, 1), ReadBytes(src.dir + "/noise.bin"));
    EXPECT_EQ(Entry(zip, 2), B("four"));
    EXPECT_EQ(Entry(zip, 3), Bytes());
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_STREQ(h.GetFileName().c_str(), "text.txt");
    EXPECT_TRUE(h.IsEncrypted());
    zip.Close();
}

#ifdef _WIN32
TEST(ZipWrite, WindowsAttributesGoInAndComeBack)
{
    const std::string dir = Scratch();
    const std::string file = dir + "/locked.txt";
    WriteText(file, "locked");
    ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    const std::string path = dir + "/attr.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    ASSERT_TRUE(zip.AddNewFile(file.c_str()));
    zip.Close();
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(h.m_uExternalAttr & 0xFFu, 0x23u);
    const std::string out = dir + "/out";
    ASSERT_TRUE(zip.ExtractFile(0, out.c_str()));
    zip.Close();
    const DWORD attr = ::GetFileAttributesA((out + "/locked.txt").c_str());
    EXPECT_EQ(attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ::SetFileAttributesA((out + "/locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif
