#include "CFileReadWrite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kKey[] = "Q7mv2RkP#w4z!Tn9-Hx*Ld3&s";

class RecordFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string(VELMORA_TEST_BINARY_DIR) + "/" + info->name() + ".rec";
        std::remove(path_.c_str());
    }
    void TearDown() override { std::remove(path_.c_str()); }

    std::vector<unsigned char> Bytes() const
    {
        std::vector<unsigned char> out;
        if (FILE* f = std::fopen(path_.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(f)) != EOF)
                out.push_back(static_cast<unsigned char>(c));
            std::fclose(f);
        }
        return out;
    }
    void SetBytes(const std::vector<unsigned char>& bytes) const
    {
        FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    template <class F> void Write(F writeRecords)
    {
        CFileReadWrite w;
        ASSERT_TRUE(w.OpenWrite(path_.c_str()));
        writeRecords(w);
        w.Close();
    }

    std::string path_;
};

TEST_F(RecordFile, RecordsHaveTheDocumentedBytes)
{
    Write([](CFileReadWrite& w) {
        w.WriteInt(258);
        w.WriteString("");
        w.WriteBool(1);
        w.WriteInt(-2);
    });
    const std::vector<unsigned char> expected = {
        0x01, 0x04, 0x00, 0x02, 0x01, 0x00, 0x00,
        0x02, 0x00, 0x00,
        0x00, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x01, 0x04, 0x00, 0xFE, 0xFF, 0xFF, 0xFF,
    };
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(RecordFile, StringIsScrambledWithTheKeyRestartingEveryRecord)
{
    const std::string text = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
    Write([&](CFileReadWrite& w) {
        w.WriteString(text.c_str());
        w.WriteString("a");
    });
    std::vector<unsigned char> expected = { 0x02, 30, 0 };
    for (size_t j = 0; j < text.size(); ++j)
        expected.push_back(static_cast<unsigned char>(text[j] + kKey[j % 25]));
    expected.insert(expected.end(), { 0x02, 1, 0, static_cast<unsigned char>('a' + kKey[0]) });
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(RecordFile, RoundTripKeepsEveryValue)
{
    std::string high;
    for (int c = 128; c < 256; ++c)
        high += static_cast<char>(c);
    // 0xAF + 'Q' wraps to a scrambled 0 byte, which must not end the string.
    const std::string withZero = std::string("\xAF") + "tail";
    Write([&](CFileReadWrite& w) {
        w.WriteBool(1);
        w.WriteBool(0);
        w.WriteInt(0x7FFFFFFF);
        w.WriteInt(-1);
        w.WriteString(high.c_str());
        w.WriteString(withZero.c_str());
        w.WriteString("");
        w.WriteString("C:\\Program Files~^~next line");
    });
    EXPECT_EQ(Bytes()[4 * 7 + 3 + high.size() + 3], 0);  // the scrambled 0 byte

    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_TRUE(r.IsOK());
    EXPECT_EQ(r.ReadBool(), 1);
    EXPECT_EQ(r.ReadBool(), 0);
    EXPECT_EQ(r.ReadInt(), 0x7FFFFFFF);
    EXPECT_EQ(r.ReadInt(), -1);
    EXPECT_EQ(r.ReadString().str(), high);
    EXPECT_EQ(r.ReadString().str(), withZero);
    EXPECT_EQ(r.ReadString().str(), "");
    EXPECT_EQ(r.ReadString().str(), "C:\\Program Files~^~next line");
    EXPECT_TRUE(r.IsOK());
    EXPECT_TRUE(r.Close());
    EXPECT_FALSE(r.IsOK());
}

// Records of every size across the buffer's edges, strings longer than the buffer among
// them: each is where it belongs on disk and reads back in step.
TEST_F(RecordFile, ManyRecordsAcrossTheBufferReadBackInStep)
{
    const int count = 4000;
    auto text = [](int i) { return std::string(static_cast<size_t>(i % 7 == 0 ? 20000 + i : i % 97), char('a' + i % 26)); };
    size_t expectedSize = 0;
    Write([&](CFileReadWrite& w) {
        for (int i = 0; i < count; ++i) {
            w.WriteInt(i);
            w.WriteString(text(i).c_str());
            expectedSize += 7 + 3 + text(i).size();
        }
    });
    EXPECT_EQ(Bytes().size(), expectedSize);
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(r.ReadInt(), i);
        ASSERT_EQ(r.ReadString().str(), text(i)) << i;
    }
    EXPECT_TRUE(r.IsOK());
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_FALSE(r.IsOK());
}

// Flush hands the records to the file while it stays open (the player's debug log must be
// whole after a crash); whatever is left goes when the object ends.
TEST_F(RecordFile, FlushedRecordsAreInTheFileWhileItIsOpen)
{
    {
        CFileReadWrite w;
        ASSERT_TRUE(w.OpenWrite(path_.c_str()));
        w.WriteInt(1);
        w.Flush();
        EXPECT_EQ(Bytes().size(), 7u);
        w.WriteString("left open");
    }
    EXPECT_EQ(Bytes().size(), 7u + 3 + 9);
}

TEST_F(RecordFile, TagMismatchReadsZeroAndConsumesOnlyTheHeader)
{
    // A flag record whose payload happens to look like an integer record: after the
    // mismatch, the next read starts at the first payload byte.
    SetBytes({ 0x00, 0x04, 0x00, 0x01, 0x04, 0x00, 0x2A, 0x00, 0x00, 0x00 });
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_TRUE(r.IsOK());
    EXPECT_EQ(r.ReadInt(), 42);
}

TEST_F(RecordFile, WrongKindReadsAsZeroOrEmpty)
{
    Write([](CFileReadWrite& w) {
        w.WriteBool(1);
        w.WriteString("x");
        w.WriteInt(5);
    });
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_EQ(r.ReadInt(), 0);         // flag record, read as integer
    EXPECT_EQ(r.ReadBool(), 0);        // its payload 01 00 00 read as a header: tag 1
    EXPECT_EQ(r.ReadString(), "");     // 00 02 01: a flag header, not a string
}

TEST_F(RecordFile, ReadingPastTheEndGivesZerosAndClearsOk)
{
    Write([](CFileReadWrite& w) { w.WriteInt(7); });
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_EQ(r.ReadInt(), 7);
    EXPECT_TRUE(r.IsOK());
    EXPECT_EQ(r.ReadInt(), 0);
    EXPECT_FALSE(r.IsOK());
    EXPECT_EQ(r.ReadBool(), 0);
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_FALSE(r.IsOK());
}

TEST_F(RecordFile, DamagedFilesNeverYieldForeignBytes)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        int firstInt;
        bool okAfter;
    };
    const Case cases[] = {
        { "header cut after tag", { 0x01 }, 0, false },
        { "header cut inside length", { 0x01, 0x04 }, 0, false },
        { "payload cut short", { 0x01, 0x04, 0x00, 0x05, 0x01 }, 0x105, true },
        { "payload missing", { 0x01, 0x04, 0x00 }, 0, false },
        { "short integer record", { 0x01, 0x02, 0x00, 0x05, 0x01 }, 0x105, true },
        { "empty integer record", { 0x01, 0x00, 0x00 }, 0, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetBytes(c.bytes);
        CFileReadWrite r;
        ASSERT_TRUE(r.OpenRead(path_.c_str()));
        EXPECT_EQ(r.ReadInt(), c.firstInt);
        EXPECT_EQ(bool(r.IsOK()), c.okAfter);
    }
}

TEST_F(RecordFile, LongIntegerRecordIsSkippedWhole)
{
    SetBytes({ 0x01, 0x08, 0x00, 1, 0, 0, 0, 9, 9, 9, 9, 0x01, 0x04, 0x00, 3, 0, 0, 0 });
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_EQ(r.ReadInt(), 1);
    EXPECT_EQ(r.ReadInt(), 3);
}

TEST_F(RecordFile, CutStringGivesOnlyWhatTheFileHolds)
{
    Write([](CFileReadWrite& w) {
        w.WriteString("XXXXXXXXXXXXXXXXXXXX");
        w.WriteString("abcdef");
    });
    std::vector<unsigned char> bytes = Bytes();
    bytes.resize(bytes.size() - 3);
    SetBytes(bytes);
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    EXPECT_EQ(r.ReadString(), "XXXXXXXXXXXXXXXXXXXX");
    EXPECT_EQ(r.ReadString(), "abc");
    EXPECT_TRUE(r.IsOK());
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_FALSE(r.IsOK());
}

TEST_F(RecordFile, OverlongStringIsCutToTheLengthFieldAndLaterRecordsSurvive)
{
    std::string big(70000, 'z');
    big[65534] = 'A';
    big[65535] = 'B';
    Write([&](CFileReadWrite& w) {
        w.WriteString(big.c_str());
        w.WriteInt(99);
    });
    EXPECT_EQ(Bytes().size(), 3u + 65535u + 7u);
    CFileReadWrite r;
    ASSERT_TRUE(r.OpenRead(path_.c_str()));
    const CString s = r.ReadString();
    ASSERT_EQ(s.GetLength(), 65535);
    EXPECT_EQ(s[65534], 'A');
    EXPECT_EQ(r.ReadInt(), 99);
}

TEST_F(RecordFile, ManyRecordsReadBackInStepAcrossTheReadBufferAndAtEndFollowsTheFile)
{
    // Records of every kind and strings of every length up to 300 bytes, so record
    // headers and payloads fall across the read buffer's boundaries many times over.
    const int count = 60000;
    auto text = [](int i) { return std::string(size_t(i % 301), char('a' + i % 26)); };
    Write([&](CFileReadWrite& w) {
        for (int i = 0; i < count; ++i) {
            w.WriteInt(i);
            w.WriteString(text(i).c_str());
            w.WriteBool(i & 1);
        }
    });
    ASSERT_GT(Bytes().size(), 8u * 1024 * 1024);
    CFileReadWrite r;
    for (int pass = 0; pass < 2; ++pass) { // a second opening of the same object starts afresh
        SCOPED_TRACE(pass);
        ASSERT_TRUE(r.OpenRead(path_.c_str()));
        int wrong = 0;
        for (int i = 0; i < count; ++i) {
            if (r.AtEnd() || r.ReadInt() != i || r.ReadString() != CString(text(i).c_str()) || r.ReadBool() != (i & 1))
                ++wrong;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_TRUE(r.IsOK());
        EXPECT_TRUE(r.AtEnd());
        EXPECT_TRUE(r.IsOK()) << "asking whether the file has ended reads no record";
        EXPECT_EQ(r.ReadInt(), 0);
        EXPECT_FALSE(r.IsOK());
        r.Close();
    }
    EXPECT_TRUE(r.AtEnd()) << "a closed file has nothing to read";
}

TEST_F(RecordFile, OpenFailuresReportFalse)
{
    CFileReadWrite r;
    EXPECT_FALSE(r.IsOK());
    EXPECT_FALSE(r.OpenRead((path_ + ".missing").c_str()));
    EXPECT_FALSE(r.IsOK());
    EXPECT_EQ(r.ReadInt(), 0);
    CFileReadWrite w;
    EXPECT_FALSE(w.OpenWrite((path_ + ".no-such-folder/x.dat").c_str()));
    EXPECT_FALSE(w.IsOK());
}

TEST_F(RecordFile, OpenWriteTruncatesAnExistingFile)
{
    SetBytes(std::vector<unsigned char>(100, 0xEE));
    Write([](CFileReadWrite& w) { w.WriteBool(0); });
    EXPECT_EQ(Bytes().size(), 7u);
}

#ifndef _WIN32
TEST(RecordFileErrors, FailingWriteThrowsTheFileException)
{
    CFileReadWrite w;
    ASSERT_TRUE(w.OpenWrite("/dev/full"));
    try {
        // Written through the buffer: the failure comes at the latest when the file closes.
        w.WriteString("no room");
        w.Close();
        FAIL() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
}
#endif

}  // namespace
