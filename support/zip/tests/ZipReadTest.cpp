// Opening, listing and extracting archives made by Info-ZIP, and damaged ones.
#include "ZipTestSupport.h"

#include "CZipMemFile.h"

#include <cstring>
#include <fstream>

using namespace ziptest;

namespace {

std::vector<std::string> ListFile(const std::string& name)
{
    std::vector<std::string> out;
    std::ifstream in(Fixture(name));
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

std::vector<std::string> Names(CZipArchive& zip)
{
    std::vector<std::string> out;
    for (int i = 0; i < zip.GetCount(); ++i) {
        CZipFileHeader h;
        EXPECT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(i)));
        std::string name = h.GetFileName().c_str();
        for (char& c : name)
            if (c == '\\')
                c = '/';
        out.push_back(name);
    }
    return out;
}

Bytes ReadEntry(CZipArchive& zip, WORD index)
{
    Bytes out;
    EXPECT_TRUE(zip.OpenFile(index));
    unsigned char buf[1000];
    DWORD n;
    while ((n = zip.ReadFile(buf, sizeof buf)) > 0)
        out.insert(out.end(), buf, buf + n);
    EXPECT_EQ(zip.CloseFile(), 1);
    return out;
}

// Every file entry extracts to the bytes of the file it was made from.
void ExpectExtractsSources(CZipArchive& zip, const char* password = nullptr)
{
    const std::string out = Scratch();
    if (password)
        ASSERT_TRUE(zip.SetPassword(password));
    for (int i = 0; i < zip.GetCount(); ++i) {
        CZipFileHeader h;
        ASSERT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(i)));
        ASSERT_TRUE(zip.ExtractFile(static_cast<WORD>(i), out.c_str())) << h.GetFileName().c_str();
        std::string name = h.GetFileName().c_str();
        for (char& c : name)
            if (c == '\\')
                c = '/';
        if (h.IsDirectory()) {
            EXPECT_TRUE(std::filesystem::is_directory(out + "/" + name)) << name;
            continue;
        }
        const std::string source = name == "-" ? Fixture("src/data.bin") : Fixture("src/" + name);
        EXPECT_EQ(ReadBytes(out + "/" + name), ReadBytes(source)) << name;
    }
}

}

TEST(ZipRead, InfoZipArchivesListAndExtract)
{
    const struct { const char* zip; const char* list; const char* password; } cases[] = {
        { "plain.zip", "plain.list", nullptr },
        { "encrypted.zip", "encrypted.list", "secret" },
        { "comment.zip", "comment.list", nullptr },
        { "streamed.zip", "streamed.list", nullptr },
        { "streamed-encrypted.zip", "streamed-encrypted.list", "secret" },
        { "stub.zip", "stub.list", nullptr },
        { "sfx.zip", "sfx.list", nullptr },
        { "split.zip", "split.list", nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zip);
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(Fixture(c.zip).c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_EQ(Names(zip), ListFile(c.list));
        ExpectExtractsSources(zip, c.password);
        zip.Close();
        EXPECT_TRUE(zip.IsClosed());
    }
}

TEST(ZipRead, ListingDetails)
{
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(Fixture("plain.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetCount(), 5);
    EXPECT_EQ(zip.GetCount(true), 4);
    EXPECT_EQ(zip.GetSystemCompatibility(), 3);  // made on Unix
    EXPECT_EQ(zip.GetSpanMode(), 0);
    EXPECT_EQ(zip.FindFile("DATA.BIN"), 2);
    EXPECT_EQ(zip.FindFile("docs\\readme.txt"), 1);
    EXPECT_EQ(zip.FindFile("readme.txt", CZipArchive::ffDefault, true), 1);
    EXPECT_EQ(zip.FindFile("DATA.BIN", CZipArchive::ffCaseSens), -1);
    EXPECT_EQ(zip.FindFile("missing"), -1);
    CZipFileHeader h;
    EXPECT_FALSE(zip.GetFileInfo(h, 5));
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_TRUE(h.IsDirectory());
    ASSERT_TRUE(zip.GetFileInfo(h, 4));
    EXPECT_EQ(h.m_uUncomprSize, 3u);
    struct tm t = {};
    t.tm_year = 120; t.tm_mon = 5; t.tm_mday = 15; t.tm_hour = 12; t.tm_min = 34; t.tm_sec = 56; t.tm_isdst = -1;
    EXPECT_EQ(h.GetTime(), std::mktime(&t));
    EXPECT_EQ(ReadEntry(zip, 4), Bytes({ 'a', 'b', 'c' }));
    // Opening again while open is refused and leaves the archive as it was.
    EXPECT_FALSE(zip.Open(Fixture("comment.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetCount(), 5);
    zip.Close();

    ASSERT_TRUE(zip.Open(Fixture("comment.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_STREQ(zip.GetGlobalComment().c_str(), "An archive comment for the tests");
    zip.Close();
}

TEST(ZipRead, MissingFilesAndFoldersThrowFileExceptions)
{
    const std::string dir = Scratch();
    CZipArchive zip;
    try {
        zip.Open((dir + "/missing.zip").c_str(), CZipArchive::zipOpenReadOnly);
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
    EXPECT_TRUE(zip.IsClosed());
    // A file stands where the entry's folder would go.
    WriteText(dir + "/docs", "in the way");
    ASSERT_TRUE(zip.Open(Fixture("plain.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_FALSE(zip.ExtractFile(0, dir.c_str()));
    try {
        zip.ExtractFile(1, dir.c_str());
        ADD_FAILURE();
    } catch (CFileException* e) {
        e->Delete();
    }
    zip.Close(CZipArchive::afAfterException);
    EXPECT_EQ(FilesUnder(dir), std::vector<std::string>({ "docs" }));
}

TEST(ZipRead, StubInFrontIsSkipped)
{
    // Unadjusted offsets: the 200 bytes in front are added to every one.
    for (const char* name : { "stub.zip", "sfx.zip" }) {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(Fixture(name).c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_EQ(ReadEntry(zip, 4), Bytes({ 'a', 'b', 'c' })) << name;
        zip.Close();
    }
}

TEST(ZipRead, DosNamesComeInTheAnsiCodePage)
{
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(Fixture("dosname.zip").c_str(), CZipArchive::zipOpenReadOnly));
    CZipFileHeader h;
    ASSERT_TRUE(zip.GetFileInfo(h, 0));
    EXPECT_EQ(zip.GetSystemCompatibility(), 0);
#ifdef _WIN32
    // 0x81 (u-umlaut in code page 437) is 0xFC in code page 1252.
    EXPECT_STREQ(h.GetFileName().c_str(), "DIR\\\xFC" "BER.TXT");
#else
    EXPECT_STREQ(h.GetFileName().c_str(), "DIR\\\x81" "BER.TXT");
#endif
    EXPECT_EQ(h.GetSystemAttr(), 0x20u);
    const Bytes expected = { 'd', 'o', 's', ' ', 'e', 'n', 't', 'r', 'y', '\r', '\n' };
    EXPECT_EQ(ReadEntry(zip, 0), expected);
    zip.Close();
}

TEST(ZipRead, PasswordRules)
{
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(Fixture("encrypted.zip").c_str(), CZipArchive::zipOpenReadOnly));
    ExpectZipError(110, [&] { zip.OpenFile(0); });
    zip.Close(CZipArchive::afAfterException);
    ASSERT_TRUE(zip.Open(Fixture("encrypted.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_TRUE(zip.SetPassword("wrong"));
    ExpectZipError(110, [&] { zip.OpenFile(0); });
    zip.Close(CZipArchive::afAfterException);
    ASSERT_TRUE(zip.Open(Fixture("encrypted.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_FALSE(zip.SetPassword("caf\xE9"));
    EXPECT_STREQ(zip.GetPassword().c_str(), "");
    EXPECT_TRUE(zip.SetPassword("secret"));
    EXPECT_STREQ(zip.GetPassword().c_str(), "secret");
    ASSERT_TRUE(zip.OpenFile(1));
    EXPECT_FALSE(zip.SetPassword(nullptr));  // refused while an entry is open
    char buf[16];
    EXPECT_EQ(zip.ReadFile(buf, sizeof buf), 3u);
    EXPECT_EQ(zip.CloseFile(), 1);
    EXPECT_TRUE(zip.SetPassword(""));
    EXPECT_STREQ(zip.GetPassword().c_str(), "");
    zip.Close();
}

TEST(ZipRead, EndRecordSearch)
{
    const Bytes plain = ReadBytes(Fixture("plain.zip"));
    const std::string dir = Scratch();
    const std::string path = dir + "/t.zip";
    // The longest comment is found.
    Bytes longComment = plain;
    Put16(longComment, longComment.size() - 2, 65535);
    longComment.insert(longComment.end(), 65535, 'c');
    WriteBytes(path, longComment);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_EQ(zip.GetGlobalComment().GetLength(), 65535);
        zip.Close();
    }
    // An end record followed by more than the longest comment is not looked for.
    Bytes tooFar = plain;
    tooFar.insert(tooFar.end(), 65536, 0);
    WriteBytes(path, tooFar);
    ExpectZipError(116, [&] { CZipArchive zip; zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly); });
    // A record whose comment does not end the file (here: a fake one in the comment) is skipped.
    Bytes fake = plain;
    const size_t end = Find(fake, "PK\x05\x06");
    Bytes record(fake.begin() + end, fake.end());
    Put16(fake, fake.size() - 2, 22);
    Put32(record, 12, 0xFFFF);  // a fake record that would be damaged
    Put16(record, 20, 5);       // whose comment would not end the file
    fake.insert(fake.end(), record.begin(), record.end());
    WriteBytes(path, fake);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_EQ(zip.GetCount(), 5);
        zip.Close();
    }
    // An empty archive.
    Bytes empty = { 'P', 'K', 5, 6 };
    empty.resize(22, 0);
    WriteBytes(path, empty);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_EQ(zip.GetCount(), 0);
        zip.Close();
    }
    WriteBytes(path, Bytes(100, 'x'));
    ExpectZipError(116, [&] { CZipArchive zip; zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly); });
}

TEST(ZipRead, BytesAfterTheEndRecord)
{
    // Info-ZIP's archives with bytes appended after the end record, as copying and download
    // tools leave them; unzip opens them too. (Beside the scratch folder, which every
    // extraction empties.)
    const std::string dir = Scratch() + ".archives";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* volume : { "split.z01", "split.z02" })
        WriteBytes(dir + "/" + volume, ReadBytes(Fixture(volume)));
    const Bytes plain = ReadBytes(Fixture("plain.zip"));
    // plain.zip with an archive comment that holds a fake end record (its central directory
    // would be damaged), the comment not ending the file: the real record is found.
    Bytes fakeInComment = plain;
    {
        const size_t end = Find(plain, "PK\x05\x06");
        Bytes fake(plain.begin() + end, plain.end());
        Put32(fake, 12, 0xFFFF);
        const std::string text = "A comment, then ";
        Put16(fakeInComment, fakeInComment.size() - 2, static_cast<WORD>(text.size() + fake.size()));
        fakeInComment.insert(fakeInComment.end(), text.begin(), text.end());
        fakeInComment.insert(fakeInComment.end(), fake.begin(), fake.end());
    }
    // Padding that holds a damaged end record of its own.
    Bytes fakeInPadding = { 'P', 'K', 5, 6 };
    fakeInPadding.resize(40, 0);
    Put16(fakeInPadding, 10, 3);  // three entries in a directory of no bytes

    const struct {
        const char* what;
        Bytes archive;
        const char* list;
        Bytes padding;
        size_t commentLength;
    } cases[] = {
        { "plain.zip", plain, "plain.list", Bytes(1, 0), 0 },
        { "plain.zip", plain, "plain.list", Bytes(10, 0), 0 },
        { "plain.zip", plain, "plain.list", Bytes(512, 0xA5), 0 },
        { "comment.zip", ReadBytes(Fixture("comment.zip")), "comment.list", Bytes(10, '\n'), 32 },
        { "stub.zip", ReadBytes(Fixture("stub.zip")), "stub.list", Bytes(512, 0), 0 },
        { "split.zip", ReadBytes(Fixture("split.zip")), "split.list", Bytes(512, 0), 0 },
        { "a fake end record in the comment", fakeInComment, "plain.list", Bytes(10, 0), 38 },
        { "a fake end record in the padding", plain, "plain.list", fakeInPadding, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << " + " << c.padding.size() << " bytes");
        Bytes padded = c.archive;
        padded.insert(padded.end(), c.padding.begin(), c.padding.end());
        const std::string path = dir + "/split.zip";
        WriteBytes(path, padded);
        CZipArchive zip;
        try {
            ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
            EXPECT_EQ(Names(zip), ListFile(c.list));
            EXPECT_EQ(static_cast<size_t>(zip.GetGlobalComment().GetLength()), c.commentLength);
            ExpectExtractsSources(zip);
            zip.Close();
        } catch (CZipException* e) {
            ADD_FAILURE() << "error " << e->m_iCause;
            e->Delete();
            zip.Close(CZipArchive::afAfterException);
        }
    }
    // Bytes after a record whose central directory is damaged: nothing is taken for it.
    Bytes damaged = plain;
    Put32(damaged, damaged.size() - 10, Get32(plain, plain.size() - 10) + 1);  // its size
    damaged.insert(damaged.end(), 10, 0);
    WriteBytes(dir + "/damaged.zip", damaged);
    ExpectZipError(116, [&] { CZipArchive zip; zip.Open((dir + "/damaged.zip").c_str(), CZipArchive::zipOpenReadOnly); });
}

TEST(ZipRead, EntriesComeSortedByTheirData)
{
    // Swap the two last central headers (empty.txt and tiny.txt have equal sizes of names).
    Bytes b = ReadBytes(Fixture("plain.zip"));
    std::vector<size_t> at;
    for (size_t p = Find(b, "PK\x01\x02"); p != std::string::npos; p = Find(b, "PK\x01\x02", p + 4))
        at.push_back(p);
    ASSERT_EQ(at.size(), 5u);
    const size_t end = Find(b, "PK\x05\x06");
    Bytes third(b.begin() + at[3], b.begin() + at[4]);
    Bytes fourth(b.begin() + at[4], b.begin() + end);
    Bytes swapped(b.begin(), b.begin() + at[3]);
    swapped.insert(swapped.end(), fourth.begin(), fourth.end());
    swapped.insert(swapped.end(), third.begin(), third.end());
    swapped.insert(swapped.end(), b.begin() + end, b.end());
    const std::string path = Scratch() + "/sorted.zip";
    WriteBytes(path, swapped);
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(Names(zip), ListFile("plain.list"));
    zip.Close();
}

TEST(ZipRead, CallerFileAndRootPath)
{
    const Bytes plain = ReadBytes(Fixture("plain.zip"));
    CZipMemFile mem;
    mem.Write(plain.data(), static_cast<UINT>(plain.size()));
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(mem, CZipArchive::zipOpenReadOnly));
    EXPECT_EQ(zip.GetCount(), 5);
    const std::string out = Scratch();
    EXPECT_STREQ(zip.PredictExtractedFileName("docs\\readme.txt", "out\\", false).c_str(), "out\\readme.txt");
    zip.SetRootPath("docs\\");
    EXPECT_STREQ(zip.GetRootPath().c_str(), "docs");
    EXPECT_STREQ(zip.PredictExtractedFileName("docs\\readme.txt", "out", false).c_str(), "out\\readme.txt");
    EXPECT_STREQ(zip.PredictExtractedFileName("docs\\sub\\a.txt", "out", false).c_str(), "out\\sub\\a.txt");
    // The root is removed only where a whole component matches.
    EXPECT_STREQ(zip.PredictExtractedFileName("docsmore\\sub\\a.txt", "out", false).c_str(), "out\\a.txt");
    EXPECT_STREQ(zip.PredictExtractedFileName("docs\\sub\\a.txt", "out", true).c_str(), "out\\docs\\sub\\a.txt");
    EXPECT_STREQ(zip.PredictExtractedFileName("x.txt", "out", true, "new.txt").c_str(), "out\\new.txt");
    EXPECT_STREQ(zip.PredictExtractedFileName("", "out", true).c_str(), "out");
    EXPECT_TRUE(zip.ExtractFile(1, out.c_str(), false));
    EXPECT_EQ(ReadBytes(out + "/readme.txt"), ReadBytes(Fixture("src/docs/readme.txt")));
    zip.Close();
    EXPECT_TRUE(mem.GetLength() == plain.size());
}
