// MP3 decoding through the system's audio codecs, against LAME's files (make_fixtures.sh):
// the decoded sound is the 440 Hz tone LAME was given, from the start and after a seek.
#include "CFileSoundSource.h"
#include "CMp3AcmDecoder.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Fixture(const char* name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name; }

// The largest sample magnitude of 16-bit PCM.
int Peak(const std::vector<uint8_t>& pcm, size_t count)
{
    int peak = 0;
    for (size_t i = 0; i + 1 < count; i += 2)
        peak = std::max(peak, std::abs(int(int16_t(pcm[i] | (pcm[i + 1] << 8)))));
    return peak;
}

} // namespace

TEST(Mp3AcmDecoder, DecodesTheToneFromTheStartAndAfterASeek)
{
    for (const char* name : {"tone_44100_mono.mp3", "tone_22050_mono_id3.mp3"}) {
        SCOPED_TRACE(name);
        CFileSoundSource source;
        ASSERT_TRUE(source.Open(Fixture(name).c_str()));
        CMp3AcmDecoder decoder(source);
        if (!decoder.Open())
            GTEST_SKIP() << "no MP3 codec on this system";
        EXPECT_EQ(decoder.GetFormat().channels, 1);
        EXPECT_EQ(decoder.GetFormat().bitsPerSample, 16);
        const uint32_t length = decoder.GetLength();
        std::vector<uint8_t> pcm(length + 4096);
        size_t total = 0;
        for (size_t n; (n = decoder.Read(pcm.data() + total, 4096)) > 0;)
            total += n;
        // The codec may give a little less than the frames' nominal length, never more.
        EXPECT_LE(total, length);
        EXPECT_GE(total, length * 9 / 10);
        // The tone's amplitude was 12000 of 32767.
        const int peak = Peak(pcm, total);
        EXPECT_GT(peak, 9000);
        EXPECT_LT(peak, 15000);

        const uint32_t middle = length / 2 / 2 * 2;
        ASSERT_TRUE(decoder.Seek(middle));
        std::vector<uint8_t> tail(8192);
        const size_t got = decoder.Read(tail.data(), tail.size());
        EXPECT_EQ(got, tail.size());
        EXPECT_GT(Peak(tail, got), 9000);
        EXPECT_FALSE(decoder.Seek(length + 2));
    }
}
