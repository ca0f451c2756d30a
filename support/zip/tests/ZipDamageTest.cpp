// Hostile and damaged archives: nothing is written outside the destination, a failed
// extraction keeps the file it would have replaced, and crafted sizes end in errors.
#include "ZipTestSupport.h"

using namespace ziptest;

namespace {

// An archive written by this library with the given entries (name, contents).
void MakeArchive(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries,
                 int level = -1, const char* password = nullptr)
{
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipCreate));
    if (password)
        ASSERT_TRUE(zip.SetPassword(password));
    for (const auto& e : entries) {
        CZipFileHeader h;
        h.SetFileName(e.first.c_str());
        h.SetTime(std::time(nullptr));
        h.m_uExternalAttr = (!e.first.empty() && (e.first.back() == '\\' || e.first.back() == '/')) ? 0x10 : 0x20;
        ASSERT_TRUE(zip.OpenNewFile(h, level));
        ASSERT_TRUE(zip.WriteNewFile(e.second.data(), static_cast<DWORD>(e.second.size())));
        ASSERT_TRUE(zip.CloseNewFile());
    }
    zip.Close();
}

// Offsets of the central headers and of the local headers they name.
std::vector<size_t> Central(const Bytes& b)
{
    std::vector<size_t> at;
    for (size_t p = Find(b, "PK\x01\x02"); p != std::string::npos; p = Find(b, "PK\x01\x02", p + 4))
        at.push_back(p);
    return at;
}

// Tries to read everything; returns false when an error was thrown (and closes after it).
bool TryExtractAll(const std::string& archive, const std::string& dest, const char* password = nullptr)
{
    CZipArchive zip;
    try {
        zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly);
        if (password)
            zip.SetPassword(password);
        bool ok = true;
        for (int i = 0; i < zip.GetCount(); ++i)
            ok = zip.ExtractFile(static_cast<WORD>(i), dest.c_str()) && ok;
        zip.Close();
        return ok;
    } catch (CZipException* e) {
        e->Delete();
    } catch (CFileException* e) {
        e->Delete();
    }
    zip.Close(CZipArchive::afAfterException);
    return false;
}

}

TEST(ZipDamage, HostileNamesStayInsideTheDestination)
{
    const std::string dir = Scratch();
    const std::string archive = dir + "/hostile.zip";
    MakeArchive(archive, {
        { "..\\..\\evil1.txt", "1" },
        { "\\abs\\evil2.txt", "2" },
        { "C:\\x\\y.txt", "3" },
        { "a\\..\\..\\evil3.txt", "4" },
        { "../fwd/evil4.txt", "5" },
        { "\\\\?\\C:\\long\\evil5.txt", "6" },
        { "..", "7" },
        { "\\", "" },  // a folder entry naming the destination itself
        { ".\\.\\ok.txt", "9" },
    });
    const std::string dest = dir + "/box/dest";
    std::filesystem::create_directories(dest);
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_EQ(zip.GetCount(), 9);
    std::vector<bool> results;
    for (int i = 0; i < zip.GetCount(); ++i)
        results.push_back(zip.ExtractFile(static_cast<WORD>(i), dest.c_str()));
    zip.Close();
    EXPECT_EQ(results, std::vector<bool>({ true, true, true, true, true, true, false, true, true }));
    // Everything under box/ is inside dest/, with the leading parts stripped.
    EXPECT_EQ(FilesUnder(dir + "/box"), std::vector<std::string>({
        "dest/", "dest/a/", "dest/a/evil3.txt", "dest/abs/", "dest/abs/evil2.txt", "dest/evil1.txt", "dest/fwd/",
        "dest/fwd/evil4.txt", "dest/long/", "dest/long/evil5.txt", "dest/ok.txt", "dest/x/", "dest/x/y.txt" }));
    EXPECT_EQ(ReadBytes(dest + "/x/y.txt"), Bytes({ '3' }));

    // Without the full path only the file name is kept.
    const std::string flat = dir + "/flat";
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly));
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(i), flat.c_str(), false));
    zip.Close();
    EXPECT_EQ(FilesUnder(flat), std::vector<std::string>({ "evil1.txt", "evil2.txt", "evil3.txt", "evil4.txt",
                                                           "evil5.txt", "y.txt" }));
}

TEST(ZipDamage, FailedExtractionKeepsTheExistingFile)
{
    const std::string dir = Scratch();
    const std::string good = dir + "/good.zip";
    const std::string content(200000, 'g');
    MakeArchive(good, { { "a.txt", content } }, 0);
    const std::string dest = dir + "/out";
    ASSERT_TRUE(TryExtractAll(good, dest));
    ASSERT_EQ(ReadBytes(dest + "/a.txt").size(), content.size());

    // The same entry with other data and a wrong CRC.
    Bytes b = ReadBytes(good);
    const size_t c = Central(b)[0];
    b[30 + 5 + 10] = 'X';
    const std::string bad = dir + "/bad.zip";
    WriteBytes(bad, b);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(bad.c_str(), CZipArchive::zipOpenReadOnly));
        ExpectZipError(102, [&] { zip.ExtractFile(0, dest.c_str()); });
        zip.Close(CZipArchive::afAfterException);
    }
    EXPECT_EQ(ReadBytes(dest + "/a.txt"), Bytes(content.begin(), content.end()));

    // Data shorter than the entry claims.
    Bytes shortData = ReadBytes(good);
    Put32(shortData, 22, 300000);
    Put32(shortData, c + 24, 300000);
    WriteBytes(bad, shortData);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(bad.c_str(), CZipArchive::zipOpenReadOnly));
        ExpectZipError(101, [&] { zip.ExtractFile(0, dest.c_str()); });
        zip.Close(CZipArchive::afAfterException);
    }
    EXPECT_EQ(ReadBytes(dest + "/a.txt"), Bytes(content.begin(), content.end()));

    // An abort from the progress callback.
    struct Stop : CZipActionCallback {
        bool Callback(DWORD) override { return false; }
    } stop;
    MakeArchive(good, { { "a.txt", std::string(200000, 'n') } }, 0);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(good.c_str(), CZipArchive::zipOpenReadOnly));
        zip.SetCallback(&stop, CZipActionCallback::cbExtract);
        ExpectZipError(105, [&] { zip.ExtractFile(0, dest.c_str()); });
        zip.Close(CZipArchive::afAfterException);
    }
    EXPECT_EQ(ReadBytes(dest + "/a.txt"), Bytes(content.begin(), content.end()));
    // No temporary file is left behind.
    EXPECT_EQ(FilesUnder(dest), std::vector<std::string>({ "a.txt" }));

    // An abort after the last byte keeps the whole file: 106.
    MakeArchive(good, { { "a.txt", "new" } }, 0);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(good.c_str(), CZipArchive::zipOpenReadOnly));
        zip.SetCallback(&stop, CZipActionCallback::cbExtract);
        ExpectZipError(106, [&] { zip.ExtractFile(0, dest.c_str()); });
        zip.Close(CZipArchive::afAfterException);
    }
    EXPECT_EQ(ReadBytes(dest + "/a.txt"), Bytes({ 'n', 'e', 'w' }));
}

// An entry that fails leaves no file where none was, and an existing file is replaced only
// by a complete one (no temporary file stays either way). The archive is Info-ZIP's.
TEST(ZipDamage, FailedEntryLeavesNoNewFileAndReplacesOnlyWhenComplete)
{
    const std::string dir = Scratch();
    const Bytes plain = ReadBytes(Fixture("plain.zip"));
    const Bytes expected = ReadBytes(Fixture("src/data.bin"));
    std::vector<DamagedCopy> cases = DamagedEntryCopies(plain, "data.bin");
    ASSERT_EQ(cases.size(), 2u);
    // Data ending before the size the entry claims (unzip -t does not check this one).
    Bytes longer = plain;
    for (size_t c : Central(plain)) {
        if (std::string(plain.begin() + c + 46, plain.begin() + c + 46 + Get16(plain, c + 28)) != "data.bin")
            continue;
        const size_t local = Get32(plain, c + 42);
        Put32(longer, local + 22, Get32(plain, local + 22) + 1000);
        Put32(longer, c + 24, Get32(plain, c + 24) + 1000);
    }
    cases.push_back({ "data shorter than claimed", longer });
    cases.push_back({ "an abort after the first block", plain });
    struct Stop : CZipActionCallback {
        bool Callback(DWORD) override { return false; }
    } stop;
    const std::string archive = dir + "/case.zip";
    auto extract = [&](const DamagedCopy& k, const std::string& dest) {
        WriteBytes(archive, k.archive);
        CZipArchive zip;
        zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly);
        const int index = zip.FindFile("data.bin");
        if (&k == &cases.back())
            zip.SetCallback(&stop, CZipActionCallback::cbExtract);
        bool ok = false;
        try {
            ok = zip.ExtractFile(static_cast<WORD>(index), dest.c_str(), true, nullptr, 4096);
            zip.Close();
        } catch (CZipException* e) {
            e->Delete();
            zip.Close(CZipArchive::afAfterException);
        }
        return ok;
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string fresh = dir + "/fresh" + std::to_string(i);
        EXPECT_FALSE(extract(cases[i], fresh)) << cases[i].what;
        EXPECT_EQ(FilesUnder(fresh), std::vector<std::string>()) << cases[i].what;

        const std::string existing = dir + "/existing" + std::to_string(i);
        std::filesystem::create_directories(existing);
        WriteText(existing + "/data.bin", "old");
        EXPECT_FALSE(extract(cases[i], existing)) << cases[i].what;
        EXPECT_EQ(FilesUnder(existing), std::vector<std::string>({ "data.bin" })) << cases[i].what;
        EXPECT_EQ(ReadBytes(existing + "/data.bin"), Bytes({ 'o', 'l', 'd' })) << cases[i].what;
        // The undamaged archive replaces it with the bytes zip was given.
        EXPECT_TRUE(extract({ "the undamaged archive", plain }, existing));
        EXPECT_EQ(ReadBytes(existing + "/data.bin"), expected) << cases[i].what;
        EXPECT_EQ(FilesUnder(existing), std::vector<std::string>({ "data.bin" })) << cases[i].what;
    }
}

TEST(ZipDamage, CraftedSizesEndInErrors)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/t.zip";
    // A stored entry whose compressed size is below its uncompressed size.
    MakeArchive(path, { { "s.txt", std::string(100, 's') } }, 0);
    Bytes b = ReadBytes(path);
    size_t c = Central(b)[0];
    Put32(b, 22, 200);
    Put32(b, c + 24, 200);
    WriteBytes(path, b);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        ASSERT_TRUE(zip.OpenFile(0));
        char buf[512];
        ExpectZipError(101, [&] { zip.ReadFile(buf, sizeof buf); });
        zip.Close(CZipArchive::afAfterException);
    }
    // An encrypted entry shorter than its encryption header.
    MakeArchive(path, { { "e.txt", "secret data" } }, 0, "pw");
    b = ReadBytes(path);
    c = Central(b)[0];
    Put32(b, c + 20, 5);
    WriteBytes(path, b);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        zip.SetPassword("pw");
        ExpectZipError(101, [&] { zip.OpenFile(0); });
        zip.Close(CZipArchive::afAfterException);
    }
    // A deflated entry that claims more output than its data give.
    MakeArchive(path, { { "d.txt", std::string(5000, 'd') } });
    b = ReadBytes(path);
    c = Central(b)[0];
    Put32(b, 22, 9000);
    Put32(b, c + 24, 9000);
    WriteBytes(path, b);
    {
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        ASSERT_TRUE(zip.OpenFile(0));
        char buf[20000];
        EXPECT_EQ(zip.ReadFile(buf, sizeof buf), 5000u);
        EXPECT_EQ(zip.CloseFile(), -1);
        zip.Close();
    }
    // Counts and sizes of the end record that disagree; duplicate positions; bad signatures.
    MakeArchive(path, { { "x.txt", "x" }, { "y.txt", "y" } });
    const Bytes two = ReadBytes(path);
    const size_t end = Find(two, "PK\x05\x06");
    const std::vector<size_t> cs = Central(two);
    std::vector<Bytes> damaged;
    b = two; Put32(b, end + 12, 0); damaged.push_back(b);
    b = two; Put16(b, end + 10, 0); Put16(b, end + 8, 0); damaged.push_back(b);
    b = two; Put32(b, cs[1] + 42, Get32(two, cs[0] + 42)); damaged.push_back(b);
    b = two; b[cs[1] + 2] = 9; damaged.push_back(b);
    b = two; Put32(b, end + 16, 0xFFFFFF); damaged.push_back(b);
    for (size_t i = 0; i < damaged.size(); ++i) {
        WriteBytes(path, damaged[i]);
        SCOPED_TRACE(i);
        ExpectZipError(101, [&] { CZipArchive zip; zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly); });
    }
    // A local header offset past the data, and one pointing at the wrong entry.
    b = two; Put32(b, cs[0] + 42, 0x7FFFFFF0); damaged.assign(1, b);
    b = two; Put32(b, cs[0] + 42, Get32(two, cs[1] + 42) - 1); damaged.push_back(b);
    for (const Bytes& d : damaged) {
        WriteBytes(path, d);
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(path.c_str(), CZipArchive::zipOpenReadOnly));
        const WORD first = Get32(d, cs[0] + 42) > Get32(d, cs[1] + 42) ? 1 : 0;
        ExpectZipError(101, [&] { zip.OpenFile(first); });
        zip.Close(CZipArchive::afAfterException);
    }
}

TEST(ZipDamage, PartlyReadEntryWithDescriptorClosesWithMinusOne)
{
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(Fixture("streamed.zip").c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(zip.OpenFile(0));
    char buf[10];
    EXPECT_EQ(zip.ReadFile(buf, sizeof buf), 10u);
    EXPECT_EQ(zip.CloseFile(), -1);
    // The archive is still usable.
    const std::string out = Scratch();
    EXPECT_TRUE(zip.ExtractFile(0, out.c_str()));
    EXPECT_EQ(ReadBytes(out + "/-"), ReadBytes(Fixture("src/data.bin")));
    EXPECT_EQ(zip.CloseFile(), 0);
    zip.Close();
}

TEST(ZipDamage, TruncatedAndFlippedArchivesNeverEscapeOrCrash)
{
    const std::string dir = Scratch();
    const std::string path = dir + "/d.zip";
    const std::string box = dir + "/box";
    const std::string dest = box + "/dest";
    std::filesystem::create_directories(dest);
    int failures = 0;
    int runs = 0;
    for (const char* name : { "plain.zip", "encrypted.zip", "streamed.zip", "sfx.zip" }) {
        const Bytes original = ReadBytes(Fixture(name));
        std::vector<Bytes> variants;
        for (size_t cut = 0; cut < original.size(); cut += 1 + original.size() / 40)
            variants.push_back(Bytes(original.begin(), original.begin() + cut));
        unsigned seed = 7;
        for (int k = 0; k < 60; ++k) {
            Bytes v = original;
            for (int j = 0; j < 3; ++j) {
                seed = seed * 1103515245u + 12345u;
                v[(seed >> 8) % v.size()] ^= static_cast<unsigned char>(1 + ((seed >> 20) & 0x7F));
            }
            variants.push_back(v);
        }
        for (const Bytes& v : variants) {
            WriteBytes(path, v);
            ++runs;
            if (!TryExtractAll(path, dest, "secret"))
                ++failures;
        }
    }
    EXPECT_GT(failures, runs / 3);
    for (const std::string& f : FilesUnder(box))
        EXPECT_EQ(f.rfind("dest", 0), 0u) << f;
}
