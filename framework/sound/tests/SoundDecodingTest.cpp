// WAV decoding and MP3 frame scanning against files made by Python's wave module and LAME
// (make_fixtures.sh), and against hand-made broken files.
#include "CFileSoundSource.h"
#include "CMemorySoundSource.h"
#include "CMp3FrameScanner.h"
#include "CWaveDecoder.h"
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Fixture(const char* name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name; }

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put16(std::vector<uint8_t>& v, unsigned x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }
void PutId(std::vector<uint8_t>& v, const char* id) { v.insert(v.end(), id, id + 4); }

// A WAV file built chunk by chunk.
struct WaveBuilder {
    std::vector<uint8_t> bytes;
    WaveBuilder() { PutId(bytes, "RIFF"); Put32(bytes, 0); PutId(bytes, "WAVE"); }
    WaveBuilder& Format(unsigned tag, unsigned channels, uint32_t rate, unsigned bits, uint32_t size = 16)
    {
        PutId(bytes, "fmt ");
        Put32(bytes, size);
        Put16(bytes, tag);
        Put16(bytes, channels);
        Put32(bytes, rate);
        Put32(bytes, rate * channels * bits / 8);
        Put16(bytes, channels * bits / 8);
        Put16(bytes, bits);
        for (uint32_t i = 16; i < size; ++i)
            bytes.push_back(0);
        return *this;
    }
    WaveBuilder& Chunk(const char* id, uint32_t claimed, size_t actual)
    {
        PutId(bytes, id);
        Put32(bytes, claimed);
        for (size_t i = 0; i < actual; ++i)
            bytes.push_back(uint8_t(i));
        return *this;
    }
};

struct WaveCase {
    const char* what;
    std::vector<uint8_t> bytes;
    bool opens;
    uint32_t length;
};

} // namespace

TEST(WaveDecoder, ReadsFilesMadeByPythonsWaveModule)
{
    struct {
        const char* name;
        int channels, rate, bits;
        uint32_t length;
        int ms;
    } cases[] = {
        {"tone_22050_mono16.wav", 1, 22050, 16, 22050, 500},
        {"tone_11025_stereo8.wav", 2, 11025, 8, 5512, 249},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFileSoundSource source;
        ASSERT_TRUE(source.Open(Fixture(c.name).c_str()));
        CWaveDecoder decoder(source);
        ASSERT_TRUE(decoder.Open());
        EXPECT_EQ(decoder.GetFormat().channels, c.channels);
        EXPECT_EQ(decoder.GetFormat().samplesPerSec, c.rate);
        EXPECT_EQ(decoder.GetFormat().bitsPerSample, c.bits);
        EXPECT_EQ(decoder.GetLength(), c.length);
        EXPECT_EQ(decoder.GetFormat().BytesToMs(decoder.GetLength()), c.ms);

        // The samples are the file's bytes after the header, read from any position.
        const std::vector<uint8_t> file = ReadAll(Fixture(c.name));
        std::vector<uint8_t> all(c.length + 100);
        EXPECT_EQ(decoder.Read(all.data(), all.size()), c.length);
        EXPECT_EQ(0, std::memcmp(all.data(), file.data() + decoder.GetDataOffset(), c.length));
        EXPECT_EQ(decoder.Read(all.data(), all.size()), 0u);
        const uint32_t mid = c.length / 2 / uint32_t(decoder.GetFormat().BlockAlign()) * uint32_t(decoder.GetFormat().BlockAlign());
        ASSERT_TRUE(decoder.Seek(mid));
        std::vector<uint8_t> tail(c.length);
        EXPECT_EQ(decoder.Read(tail.data(), tail.size()), c.length - mid);
        EXPECT_EQ(0, std::memcmp(tail.data(), file.data() + decoder.GetDataOffset() + mid, c.length - mid));
        EXPECT_FALSE(decoder.Seek(c.length + uint32_t(decoder.GetFormat().BlockAlign())));
    }
}

TEST(WaveDecoder, RefusesOrCutsBrokenFiles)
{
    std::vector<uint8_t> extensible = WaveBuilder().Format(0xFFFE, 2, 44100, 16, 40).Chunk("data", 8, 8).bytes;
    extensible[12 + 8 + 24] = 1; // sub-format: plain PCM
    std::vector<WaveCase> cases = {
        {"plain PCM", WaveBuilder().Format(1, 1, 8000, 16).Chunk("data", 10, 10).bytes, true, 10},
        {"extensible PCM", extensible, true, 8},
        {"extensible, not PCM", WaveBuilder().Format(0xFFFE, 2, 44100, 16, 40).Chunk("data", 8, 8).bytes, false, 0},
        {"data claims more than the file holds", WaveBuilder().Format(1, 2, 8000, 16).Chunk("data", 1000000, 18).bytes, true, 16},
        {"odd chunk before data is padded", WaveBuilder().Format(1, 1, 8000, 8).Chunk("LIST", 3, 4).Chunk("data", 4, 4).bytes, true, 4},
        {"ADPCM", WaveBuilder().Format(2, 1, 8000, 4).Chunk("data", 10, 10).bytes, false, 0},
        {"24 bits", WaveBuilder().Format(1, 1, 8000, 24).Chunk("data", 12, 12).bytes, false, 0},
        {"no channels", WaveBuilder().Format(1, 0, 8000, 16).Chunk("data", 10, 10).bytes, false, 0},
        {"rate 0", WaveBuilder().Format(1, 1, 0, 16).Chunk("data", 10, 10).bytes, false, 0},
        {"format too short", WaveBuilder().Format(1, 1, 8000, 16, 14).Chunk("data", 10, 10).bytes, false, 0},
        {"format past the end", WaveBuilder().Chunk("fmt ", 0xFFFFFFF0u, 20).bytes, false, 0},
        {"data before format", WaveBuilder().Chunk("data", 4, 4).Format(1, 1, 8000, 16).bytes, false, 0},
        {"no data", WaveBuilder().Format(1, 1, 8000, 16).bytes, false, 0},
        {"huge chunk skips past the end", WaveBuilder().Format(1, 1, 8000, 16).Chunk("junk", 0xFFFFFFFFu, 2).bytes, false, 0},
        {"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, false, 0},
        {"empty", {}, false, 0},
    };
    for (const WaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        CMemorySoundSource source(c.bytes);
        CWaveDecoder decoder(source);
        ASSERT_EQ(decoder.Open(), c.opens);
        if (c.opens)
            EXPECT_EQ(decoder.GetLength(), c.length);
    }
}

TEST(WaveDecoder, EveryCutOfAFileIsSafe)
{
    const std::vector<uint8_t> file = ReadAll(Fixture("tone_11025_stereo8.wav"));
    ASSERT_GT(file.size(), 44u);
    for (size_t n = 0; n <= file.size(); n += (n < 64 ? 1 : 97)) {
        CMemorySoundSource source(std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(n)));
        CWaveDecoder decoder(source);
        if (!decoder.Open())
            continue;
        EXPECT_LE(decoder.GetDataOffset() + decoder.GetLength(), n);
        EXPECT_EQ(decoder.GetLength() % 2, 0u);
        std::vector<uint8_t> all(file.size());
        EXPECT_EQ(decoder.Read(all.data(), all.size()), decoder.GetLength());
    }
}

TEST(Mp3FrameScanner, FindsTheFramesOfFilesMadeByLame)
{
    // LAME puts an Info frame first and pads the one-second tone to whole frames.
    struct {
        const char* name;
        int version, rate, samplesPerFrame, bitrate;
    } cases[] = {
        {"tone_44100_mono.mp3", 1, 44100, 1152, 64},
        {"tone_22050_mono_id3.mp3", 2, 22050, 576, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFileSoundSource source;
        ASSERT_TRUE(source.Open(Fixture(c.name).c_str()));
        CMp3FrameScanner scanner;
        ASSERT_TRUE(scanner.Scan(source));
        const Mp3FrameHeader& h = scanner.GetFirstHeader();
        EXPECT_EQ(h.version, c.version);
        EXPECT_EQ(h.samplesPerSec, c.rate);
        EXPECT_EQ(h.channels, 1);
        EXPECT_EQ(h.samplesPerFrame, c.samplesPerFrame);
        EXPECT_EQ(h.bitrate, c.bitrate);
        EXPECT_GE(scanner.GetLengthMs(), 1000);
        EXPECT_LE(scanner.GetLengthMs(), 1100);
        EXPECT_EQ(scanner.GetDecodedLength(), scanner.GetFrameCount() * uint32_t(c.samplesPerFrame) * 2);
        // Frames follow one another to the end of the file (LAME writes no trailing tag here).
        EXPECT_EQ(scanner.GetEndOffset(), source.GetSize());
    }
}

TEST(Mp3FrameScanner, EveryCutOfAFileIsSafeAndKeepsWholeFrames)
{
    const std::vector<uint8_t> file = ReadAll(Fixture("tone_22050_mono_id3.mp3"));
    CMemorySoundSource whole(file);
    CMp3FrameScanner full;
    ASSERT_TRUE(full.Scan(whole));
    for (size_t n = 0; n <= file.size(); n += 37) {
        CMemorySoundSource source(std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(n)));
        CMp3FrameScanner scanner;
        if (!scanner.Scan(source))
            continue;
        EXPECT_LE(scanner.GetEndOffset(), n);
        EXPECT_LE(scanner.GetFrameCount(), full.GetFrameCount());
        for (size_t i = 0; i < scanner.GetFrameCount(); ++i)
            EXPECT_EQ(scanner.GetFrameOffsets()[i], full.GetFrameOffsets()[i]);
    }
}

TEST(Mp3FrameScanner, RefusesWhatIsNotLayerThree)
{
    struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"a WAV file", ReadAll(Fixture("tone_22050_mono16.wav"))},
        {"one lone frame header", {0xFF, 0xFB, 0x50, 0xC4}},
        {"layer II headers", std::vector<uint8_t>(2000, 0)},
        {"ID3 tag bigger than the file", {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}},
        {"empty", {}},
    };
    // Layer II: a valid sync with layer bits 10, repeated at its frame length.
    for (size_t i = 0; i + 4 <= cases[2].bytes.size(); i += 417) {
        cases[2].bytes[i] = 0xFF;
        cases[2].bytes[i + 1] = 0xFD;
        cases[2].bytes[i + 2] = 0x90;
        cases[2].bytes[i + 3] = 0xC4;
    }
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        CMemorySoundSource source(c.bytes);
        CMp3FrameScanner scanner;
        EXPECT_FALSE(scanner.Scan(source));
    }
}
