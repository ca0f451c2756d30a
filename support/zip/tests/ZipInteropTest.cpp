// Checks against Info-ZIP: what this library writes passes unzip and shows the expected
// header fields in zipinfo; what zip writes extracts to the bytes unzip gives.
#include "ZipTestSupport.h"

#include <cstdlib>

using namespace ziptest;

namespace {

// Runs a shell command; returns its standard output, and its exit status in *status.
std::string Shell(const std::string& command, int* status = nullptr, bool withErrors = true)
{
    std::string out;
    FILE* p = ::popen((command + (withErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    const int rc = ::pclose(p);
    if (status)
        *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

Bytes RunBytes(const std::string& command)
{
    const std::string s = Shell(command, nullptr, false);
    return Bytes(s.begin(), s.end());
}

// The zipinfo -v block of one entry.
std::string ZipinfoEntry(const std::string& archive, const std::string& name)
{
    const std::string all = Shell("zipinfo -v '" + archive + "'");
    const std::string head = "\n  " + name + "\n";
    const size_t at = all.find(head);
    if (at == std::string::npos)
        return std::string();
    const size_t next = all.find("Central directory entry #", at);
    return all.substr(at, next == std::string::npos ? std::string::npos : next - at);
}

std::string Field(const std::string& block, const std::string& label)
{
    const size_t at = block.find(label);
    if (at == std::string::npos)
        return std::string();
    size_t start = block.find_first_not_of(' ', block.find(':', at) + 1);
    return block.substr(start, block.find('\n', start) - start);
}

}

TEST(ZipInterop, WhatWeWritePassesUnzip)
{
    const std::string dir = Scratch();
    std::filesystem::create_directories(dir + "/src/folder");
    WriteText(dir + "/src/text.txt", std::string(4000, 't') + "\n");
    WriteText(dir + "/src/four.txt", "four");
    const std::string archive = dir + "/ours.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipCreate));
    zip.SetRootPath((dir + "/src").c_str());
    ASSERT_TRUE(zip.AddNewFile((dir + "/src/text.txt").c_str()));
    ASSERT_TRUE(zip.AddNewFile((dir + "/src/folder").c_str()));
    ASSERT_TRUE(zip.SetPassword("pw"));
    ASSERT_TRUE(zip.AddNewFile((dir + "/src/four.txt").c_str(), "secret/four.txt"));
    ASSERT_TRUE(zip.AddNewFile((dir + "/src/text.txt").c_str(), "secret/text.txt"));
    zip.Close();

    int status = -1;
    const std::string test = Shell("unzip -t -P pw '" + archive + "'", &status);
    EXPECT_EQ(status, 0) << test;
    EXPECT_NE(test.find("No errors detected"), std::string::npos) << test;
    EXPECT_EQ(RunBytes("unzip -p -P pw '" + archive + "' secret/text.txt"), ReadBytes(dir + "/src/text.txt"));
    EXPECT_EQ(RunBytes("unzip -p -P pw '" + archive + "' secret/four.txt"), Bytes({ 'f', 'o', 'u', 'r' }));

    const struct { const char* name; const char* needed; const char* security; const char* extended;
                   const char* dosAttr; const char* method; } cases[] = {
        { "text.txt", "2.0", "not encrypted", "no", "MS-DOS file attributes (20 hex)", "deflated" },
        { "folder/", "1.0", "not encrypted", "no", "MS-DOS file attributes (10 hex)", "none (stored)" },
        { "secret/four.txt", "2.0", "encrypted", "yes", "MS-DOS file attributes (20 hex)", "none (stored)" },
        { "secret/text.txt", "2.0", "encrypted", "yes", "MS-DOS file attributes (20 hex)", "deflated" },
    };
    for (const auto& c : cases) {
        const std::string block = ZipinfoEntry(archive, c.name);
        ASSERT_FALSE(block.empty()) << c.name;
        EXPECT_EQ(Field(block, "file system or operating system of origin"), "MS-DOS, OS/2 or NT FAT") << c.name;
        EXPECT_EQ(Field(block, "version of encoding software"), "2.0") << c.name;
        EXPECT_EQ(Field(block, "minimum software version required to extract"), c.needed) << c.name;
        EXPECT_EQ(Field(block, "file security status"), c.security) << c.name;
        EXPECT_EQ(Field(block, "extended local header"), c.extended) << c.name;
        EXPECT_EQ(Field(block, "compression method"), c.method) << c.name;
        EXPECT_NE(block.find(c.dosAttr), std::string::npos) << c.name << block;
    }
}

TEST(ZipInterop, SingleFilesMadeFromVolumeSetsPassUnzip)
{
    const std::string dir = Scratch();
    const std::string archive = dir + "/vol.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipCreateSpan, 1 << 20));
    CZipFileHeader h;
    h.SetFileName("a.txt");
    h.SetTime(std::time(nullptr));
    h.m_uExternalAttr = 0x20;
    ASSERT_TRUE(zip.OpenNewFile(h));
    // Enough data to leave the write buffer: the conversion works on the file.
    std::string data(100000, 'v');
    unsigned seed = 1;
    for (char& c : data) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    ASSERT_TRUE(zip.WriteNewFile(data.data(), static_cast<DWORD>(data.size())));
    ASSERT_TRUE(zip.CloseNewFile());
    ASSERT_TRUE(zip.SetPassword("pw"));
    CZipFileHeader e;
    e.SetFileName("e.txt");
    e.m_uExternalAttr = 0x20;
    ASSERT_TRUE(zip.OpenNewFile(e));
    ASSERT_TRUE(zip.WriteNewFile(data.data(), static_cast<DWORD>(data.size())));
    ASSERT_TRUE(zip.CloseNewFile());
    zip.Close();
    int status = -1;
    const std::string test = Shell("unzip -t -P pw '" + archive + "'", &status);
    EXPECT_EQ(status, 0) << test;
}

TEST(ZipInterop, InfoZipArchivesExtractToWhatUnzipGives)
{
    for (const char* name : { "plain.zip", "encrypted.zip", "comment.zip", "streamed.zip", "streamed-encrypted.zip",
                              "stub.zip", "sfx.zip", "dosname.zip" }) {
        SCOPED_TRACE(name);
        const std::string archive = Fixture(name);
        const std::string out = Scratch();
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly));
        ASSERT_TRUE(zip.SetPassword("secret"));
        // unzip -p writes every file entry in turn.
        Bytes ours;
        for (int i = 0; i < zip.GetCount(); ++i) {
            CZipFileHeader h;
            ASSERT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(i)));
            if (h.IsDirectory())
                continue;
            ASSERT_TRUE(zip.ExtractFile(static_cast<WORD>(i), out.c_str(), true, "entry"));
            const Bytes b = ReadBytes(out + "/entry");
            ours.insert(ours.end(), b.begin(), b.end());
        }
        EXPECT_EQ(ours, RunBytes("unzip -p -P secret '" + archive + "'"));
        zip.Close();
    }
}

TEST(ZipInterop, ArchivesZipMakesNowOpen)
{
    const std::string dir = Scratch();
    std::filesystem::create_directories(dir + "/in/sub");
    WriteText(dir + "/in/sub/a.txt", std::string(10000, 'a'));
    WriteText(dir + "/in/b.txt", "bee");
    int status = -1;
    Shell("cd '" + dir + "/in' && zip -q -r -e -P k ../made.zip sub b.txt", &status);
    ASSERT_EQ(status, 0);
    Shell("cd '" + dir + "/in' && cat sub/a.txt | zip -q -fz- - - | cat > ../piped.zip", &status);
    ASSERT_EQ(status, 0);
    CZipArchive zip;
    ASSERT_TRUE(zip.Open((dir + "/made.zip").c_str(), CZipArchive::zipOpenReadOnly));
    ASSERT_TRUE(zip.SetPassword("k"));
    EXPECT_TRUE(ExtractAll(zip, dir + "/out"));
    zip.Close();
    EXPECT_EQ(ReadBytes(dir + "/out/sub/a.txt"), ReadBytes(dir + "/in/sub/a.txt"));
    EXPECT_EQ(ReadBytes(dir + "/out/b.txt"), ReadBytes(dir + "/in/b.txt"));
    ASSERT_TRUE(zip.Open((dir + "/piped.zip").c_str(), CZipArchive::zipOpenReadOnly));
    EXPECT_TRUE(zip.ExtractFile(0, (dir + "/out").c_str(), true, "piped.txt"));
    zip.Close();
    EXPECT_EQ(ReadBytes(dir + "/out/piped.txt"), ReadBytes(dir + "/in/sub/a.txt"));
}

TEST(ZipInterop, ArchivesWithBytesAppendedExtractLikeUnzip)
{
    const std::string dir = Scratch();
    std::filesystem::create_directories(dir + "/in/sub");
    WriteText(dir + "/in/sub/a.txt", std::string(10000, 'a'));
    WriteText(dir + "/in/b.txt", "bee");
    int status = -1;
    Shell("cd '" + dir + "/in' && echo 'its comment' | zip -q -r -z ../made.zip sub b.txt", &status);
    ASSERT_EQ(status, 0);
    const Bytes made = ReadBytes(dir + "/made.zip");
    for (size_t padding : { 1, 10, 512 }) {
        SCOPED_TRACE(padding);
        const std::string archive = dir + "/padded.zip";
        Bytes padded = made;
        padded.insert(padded.end(), padding, 0);
        WriteBytes(archive, padded);
        const std::string test = Shell("unzip -t '" + archive + "'", &status);
        EXPECT_EQ(status, 0) << test;
        CZipArchive zip;
        ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpenReadOnly));
        EXPECT_STREQ(zip.GetGlobalComment().c_str(), "its comment");
        std::filesystem::remove_all(dir + "/out");
        EXPECT_TRUE(ExtractAll(zip, dir + "/out"));
        zip.Close();
        EXPECT_EQ(ReadBytes(dir + "/out/sub/a.txt"), RunBytes("unzip -p '" + archive + "' sub/a.txt"));
        EXPECT_EQ(ReadBytes(dir + "/out/b.txt"), RunBytes("unzip -p '" + archive + "' b.txt"));
    }
}

TEST(ZipInterop, ArchivesWithReplacedEntriesPassUnzip)
{
    const std::string dir = Scratch();
    WriteText(dir + "/a.txt", std::string(5000, 'a'));
    WriteText(dir + "/b.txt", "b");
    const std::string archive = dir + "/r.zip";
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipCreate));
    for (const char* name : { "one", "two", "three" })
        ASSERT_TRUE(zip.AddNewFile((dir + "/b.txt").c_str(), name));
    CZipAddFileOptions bigger((dir + "/a.txt").c_str(), "two");
    bigger.m_iReplaceIndex = -2;
    ASSERT_TRUE(zip.AddNewFile(bigger));
    zip.Close();
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpen));
    CZipAddFileOptions smaller((dir + "/b.txt").c_str(), "two");
    smaller.m_iReplaceIndex = 1;
    ASSERT_TRUE(zip.AddNewFile(smaller));
    zip.Close();
    int status = -1;
    const std::string test = Shell("unzip -t '" + archive + "'", &status);
    EXPECT_EQ(status, 0) << test;
    EXPECT_EQ(RunBytes("unzip -p '" + archive + "' two"), Bytes({ 'b' }));
}

// The damaged copies the extraction tests use are damaged for Info-ZIP too.
TEST(ZipInterop, UnzipRejectsTheDamagedCopies)
{
    const std::string dir = Scratch();
    const std::string plain = Fixture("plain.zip");
    int status = -1;
    Shell("unzip -tqq '" + plain + "'", &status);
    EXPECT_EQ(status, 0);
    for (const DamagedCopy& k : DamagedEntryCopies(ReadBytes(plain), "data.bin")) {
        const std::string path = dir + "/damaged.zip";
        WriteBytes(path, k.archive);
        status = 0;
        Shell("unzip -tqq '" + path + "' data.bin", &status);
        EXPECT_NE(status, 0) << k.what;
    }
}

// Reading, adding, replacing and reading again in one session: what the read buffer holds
// never leaks into what is written, nor stale bytes into what is read after writing.
TEST(ZipInterop, ReadingAndWritingInOneSessionPassUnzip)
{
    const std::string dir = Scratch();
    const std::string archive = dir + "/mixed.zip";
    WriteBytes(archive, ReadBytes(Fixture("plain.zip")));
    WriteText(dir + "/new.txt", std::string(70000, 'n'));
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(archive.c_str(), CZipArchive::zipOpen));
    ASSERT_TRUE(ExtractAll(zip, dir + "/first"));
    ASSERT_TRUE(zip.AddNewFile((dir + "/new.txt").c_str(), "added/new.txt"));
    CZipAddFileOptions replace((dir + "/new.txt").c_str(), "tiny.txt");
    replace.m_iReplaceIndex = -2;
    ASSERT_TRUE(zip.AddNewFile(replace));
    ASSERT_TRUE(ExtractAll(zip, dir + "/second"));
    zip.Close();
    int status = -1;
    const std::string test = Shell("unzip -t '" + archive + "'", &status);
    EXPECT_EQ(status, 0) << test;
    for (const char* name : { "data.bin", "docs/readme.txt", "added/new.txt", "tiny.txt" })
        EXPECT_EQ(ReadBytes(dir + "/second/" + name), RunBytes("unzip -p '" + archive + "' " + name)) << name;
    EXPECT_EQ(ReadBytes(dir + "/first/data.bin"), ReadBytes(Fixture("src/data.bin")));
    EXPECT_EQ(ReadBytes(dir + "/first/tiny.txt"), Bytes({ 'a', 'b', 'c' }));
    EXPECT_EQ(ReadBytes(dir + "/second/tiny.txt").size(), 70000u);
}
