// The payload appended to an executable: the writer and the reader as inverses, every cut
// of a payload, and trailers that cannot be a payload.
#include "CSfxArchive.h"
#include "CSfxWriter.h"
#include "TestFiles.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace testfiles;

namespace {

const std::string kProgram = std::string("MZ\x90\0\x03\0\0\0program image", 21);

class FileArchive : public CSfxArchive {
public:
    explicit FileArchive(std::string path) : m_path(std::move(path)) {}
    CString GetExecutablePath() const override { return m_path.c_str(); }

private:
    std::string m_path;
};

std::string BinaryData(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
    return s;
}

std::string U32(unsigned long long v)
{
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

std::string Block(unsigned offset, unsigned size, const std::string& name, unsigned long long nameLength)
{
    return U32(offset) + U32(size) + name + U32(nameLength);
}

std::string Block(unsigned offset, unsigned size, const std::string& name)
{
    return Block(offset, size, name, name.size());
}

const char kMarker[] = "!KOVA_SFX!";

struct Collected {
    std::vector<std::string> names;
};

void Collect(const CSfxEntry& entry, void* context)
{
    static_cast<Collected*>(context)->names.push_back(entry.name.c_str());
}

} // namespace

TEST(SfxArchive, WriterAndReaderAreInverses)
{
    const std::string folder = ScratchFolder("sfx_roundtrip");
    const std::string exe = Join(folder, "setup.exe");
    const std::string big = BinaryData(5321); // several 1000-byte chunks, a short last one
    CSfxWriter writer;
    ASSERT_TRUE(writer.Add("a.txt", "alpha"));
    ASSERT_TRUE(writer.Add("empty.dat", ""));
    ASSERT_TRUE(writer.Add("big.bin", big));
    ASSERT_TRUE(writer.Add("sub\\c.txt", "in a subfolder"));
    WriteFile(exe, kProgram);
    ASSERT_TRUE(writer.AppendTo(exe));
    EXPECT_EQ(ReadFile(exe).substr(0, kProgram.size()), kProgram);

    FileArchive archive(exe);
    ASSERT_EQ(archive.ReadTable(exe.c_str()), CSfxArchive::success);
    ASSERT_EQ(archive.GetCount(), 4);
    const char* names[] = {"a.txt", "empty.dat", "big.bin", "sub\\c.txt"};
    const unsigned sizes[] = {5, 0, 5321, 14};
    unsigned offset = static_cast<unsigned>(kProgram.size());
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(archive.GetEntry(i).name, names[i]);
        EXPECT_TRUE(archive.GetEntry(i).extra.IsEmpty());
        EXPECT_EQ(archive.GetEntry(i).size, sizes[i]);
        EXPECT_EQ(archive.GetEntry(i).offset, offset);
        offset += sizes[i];
    }

    // The subfolder is missing: that entry fails, the others are still extracted, the
    // result says so, and the callback still runs once per entry, last entry first.
    const std::string out = ScratchFolder("sfx_roundtrip_out");
    WriteFile(Join(out, "a.txt"), "an older and longer a.txt");
    Collected seen;
    EXPECT_EQ(archive.ExtractAll(out.c_str(), Collect, &seen), CSfxArchive::destinationFailed);
    EXPECT_EQ(seen.names, (std::vector<std::string>{"sub\\c.txt", "big.bin", "empty.dat", "a.txt"}));
    EXPECT_EQ(ReadFile(Join(out, "a.txt")), "alpha");
    EXPECT_EQ(ReadFile(Join(out, "big.bin")), big);
    EXPECT_TRUE(Exists(Join(out, "empty.dat")));

    ScratchFolder("sfx_roundtrip_out/sub");
    EXPECT_EQ(archive.ExtractAll(out.c_str(), nullptr, nullptr), CSfxArchive::success);
    EXPECT_EQ(ReadFile(Join(Join(out, "sub"), "c.txt")), "in a subfolder");
}

TEST(SfxArchive, WriterRefusesWhatTheReaderWouldRefuse)
{
    CSfxWriter writer;
    for (const std::string& name : {std::string(), std::string("..\\x"), std::string("C:x"), std::string("\\x"),
                                     std::string("a\\\\b"), std::string(1001, 'n')})
        EXPECT_FALSE(writer.Add(name, "x")) << name;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(writer.Add("f" + std::to_string(i), "x"));
    EXPECT_FALSE(writer.Add("one.too.many", "x"));
    EXPECT_EQ(writer.GetCount(), 256u);
}

// Every cut of a payload is refused, as "no payload" while the marker is gone and as
// damaged once it is there, never as an installer with a table.
TEST(SfxArchive, EveryCutOfAPayloadIsRefused)
{
    CSfxWriter writer;
    ASSERT_TRUE(writer.Add("one.txt", "first file"));
    ASSERT_TRUE(writer.Add("two.bin", BinaryData(40)));
    const std::string whole = kProgram + writer.Build(kProgram.size());
    const std::string folder = ScratchFolder("sfx_cuts");
    const std::string exe = Join(folder, "cut.exe");
    for (size_t drop = 1; drop <= whole.size(); ++drop) {
        // Cut from the front (the file starts later, offsets point before it) and from
        // the back (the marker goes).
        const std::string front = whole.substr(drop);
        WriteFile(exe, front);
        FileArchive archive(exe);
        const unsigned short r = archive.ReadTable(exe.c_str());
        EXPECT_TRUE(r == CSfxArchive::damaged || r == CSfxArchive::noMarker) << "front cut " << drop << ": " << r;
        if (front.size() >= 10)
            EXPECT_EQ(r, CSfxArchive::damaged) << "front cut " << drop;
        EXPECT_EQ(archive.GetCount(), 0);

        WriteFile(exe, whole.substr(0, whole.size() - drop));
        EXPECT_EQ(archive.ReadTable(exe.c_str()), CSfxArchive::noMarker) << "back cut " << drop;
    }
}

TEST(SfxArchive, TrailerCases)
{
    const std::string body = kProgram + "DATADATA";
    const unsigned data = static_cast<unsigned>(kProgram.size()); // 8 bytes of data here
    struct Case {
        const char* what;
        std::string file;
        unsigned short expected;
    } cases[] = {
        {"shorter than the marker", "!KOVA", CSfxArchive::noMarker},
        {"ends in other bytes", body + "!KOVA_SFX?", CSfxArchive::noMarker},
        {"marker alone", kMarker, CSfxArchive::damaged},
        {"count alone", U32(0) + kMarker, CSfxArchive::emptyPayload},
        {"empty payload", body + U32(0) + kMarker, CSfxArchive::emptyPayload},
        {"one good entry", body + Block(data, 8, "d.txt") + U32(1) + kMarker, CSfxArchive::success},
        {"257 entries", body + Block(data, 8, "d.txt") + U32(257) + kMarker, CSfxArchive::damaged},
        {"count far too high", body + U32(0xffffffffu) + kMarker, CSfxArchive::damaged},
        {"name length 0", body + Block(data, 8, "", 0) + U32(1) + kMarker, CSfxArchive::damaged},
        {"name length 1001", body + Block(data, 8, std::string(1001, 'n')) + U32(1) + kMarker,
         CSfxArchive::damaged},
        {"name length 1000", body + Block(data, 8, std::string(1000, 'n')) + U32(1) + kMarker,
         CSfxArchive::success},
        {"name reaches before the file", Block(0, 0, "d.txt", 900) + U32(1) + kMarker, CSfxArchive::damaged},
        {"more entries than blocks", body + Block(data, 8, "d.txt") + U32(2) + kMarker, CSfxArchive::damaged},
        {"data reaches into the blocks", body + Block(data, 9, "d.txt") + U32(1) + kMarker, CSfxArchive::damaged},
        {"data beyond the file", body + Block(data, 4000, "d.txt") + U32(1) + kMarker, CSfxArchive::damaged},
        {"offset and size wrap around", body + Block(0xfffffff0u, 0x20, "d.txt") + U32(1) + kMarker,
         CSfxArchive::damaged},
        {"name with ..", body + Block(data, 8, "..\\d.txt") + U32(1) + kMarker, CSfxArchive::damaged},
        {"name with a drive", body + Block(data, 8, "C:d.txt") + U32(1) + kMarker, CSfxArchive::damaged},
        {"name from the root", body + Block(data, 8, "/d.txt") + U32(1) + kMarker, CSfxArchive::damaged},
        {"name with a NUL", body + Block(data, 8, std::string("d\0.txt", 6)) + U32(1) + kMarker,
         CSfxArchive::damaged},
        {"second of two entries damaged",
         body + Block(data, 4, "d.txt") + Block(data + 4, 4, "a\\..\\..\\e.txt") + U32(2) + kMarker,
         CSfxArchive::damaged},
    };
    const std::string folder = ScratchFolder("sfx_trailers");
    const std::string exe = Join(folder, "case.exe");
    for (const Case& c : cases) {
        WriteFile(exe, c.file);
        FileArchive archive(exe);
        EXPECT_EQ(archive.ReadTable(exe.c_str()), c.expected) << c.what;
        if (c.expected != CSfxArchive::success)
            EXPECT_EQ(archive.GetCount(), 0) << c.what;
    }
    FileArchive missing(Join(folder, "missing.exe"));
    EXPECT_EQ(missing.ReadTable(Join(folder, "missing.exe").c_str()), CSfxArchive::openFailed);
    EXPECT_EQ(missing.ExtractAll(folder.c_str(), nullptr, nullptr), CSfxArchive::openFailed);
}

// The file shrinks between the table and the copy: the copy of that entry ends.
TEST(SfxArchive, AShortReadEndsTheCopy)
{
    CSfxWriter writer;
    const std::string data = BinaryData(2500);
    ASSERT_TRUE(writer.Add("d.bin", data));
    const std::string whole = kProgram + writer.Build(kProgram.size());
    const std::string folder = ScratchFolder("sfx_short");
    const std::string exe = Join(folder, "setup.exe");
    WriteFile(exe, whole);
    FileArchive archive(exe);
    ASSERT_EQ(archive.ReadTable(exe.c_str()), CSfxArchive::success);
    WriteFile(exe, whole.substr(0, kProgram.size() + 1500));
    CFile source;
    ASSERT_TRUE(source.Open(exe.c_str(), CFile::modeRead | CFile::shareDenyNone));
    EXPECT_EQ(archive.ExtractOne(source, 0, (folder + "/").c_str()), CSfxArchive::destinationFailed);
    EXPECT_EQ(ReadFile(Join(folder, "d.bin")), data.substr(0, 1500));
    EXPECT_EQ(archive.ExtractOne(source, 1, (folder + "/").c_str()), CSfxArchive::destinationFailed);
}
