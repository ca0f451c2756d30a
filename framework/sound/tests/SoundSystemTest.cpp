// The streams and the library's state, played on a stand-in output whose "heard" bytes
// the test sets.
#include "CMemorySoundSource.h"
#include "CSoundSystem.h"
#include "CWaveDecoder.h"
#include "FSound.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Fixture(const char* name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name; }
// 22050 Hz mono 16-bit, 0.5 s: 22050 bytes.
const uint32_t kToneLength = 22050;

struct FakeOutput {
    bool deviceExists = true;
    int plays = 0;
    int live = 0;
    uint64_t heard = 0;    // what every playback reports as heard
    bool finished = false; // what every playback reports as finished
    std::vector<uint8_t> firstBytes; // what the last playback read first
};

class FakePlayback : public CSoundPlayback {
public:
    explicit FakePlayback(FakeOutput& out) : m_out(out) { ++m_out.live; }
    ~FakePlayback() override { --m_out.live; }
    uint64_t GetBytesPlayed() override { return m_out.heard; }
    bool IsFinished() override { return m_out.finished; }

private:
    FakeOutput& m_out;
};

class FakeDevice : public CSoundDevice {
public:
    explicit FakeDevice(FakeOutput& out) : m_out(out) {}
    bool Open(int) override { return m_out.deviceExists; }
    void Close() override {}
    std::unique_ptr<CSoundPlayback> Play(CSoundStream& stream, int) override
    {
        ++m_out.plays;
        m_out.firstBytes.assign(8, 0);
        m_out.firstBytes.resize(stream.Fill(m_out.firstBytes.data(), 8));
        return std::make_unique<FakePlayback>(m_out);
    }

private:
    FakeOutput& m_out;
};

std::unique_ptr<CSoundStream> MemoryStream(std::vector<uint8_t> samples, bool loop)
{
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a'};
    const uint32_t n = uint32_t(samples.size());
    for (int i = 0; i < 4; ++i)
        file.push_back(uint8_t(n >> (8 * i)));
    file.insert(file.end(), samples.begin(), samples.end());
    auto source = std::make_unique<CMemorySoundSource>(file);
    auto decoder = std::make_unique<CWaveDecoder>(*source);
    EXPECT_TRUE(decoder->Open());
    return std::make_unique<CSoundStream>(std::move(source), std::move(decoder), loop);
}

class SoundSystem : public ::testing::Test {
protected:
    SoundSystem() : system(std::make_unique<FakeDevice>(out)) {}
    CSoundStream* OpenTone(unsigned mode = 0x01000132) { return system.OpenStream(Fixture("tone_22050_mono16.wav").c_str(), mode); }
    FakeOutput out;
    CSoundSystem system;
};

} // namespace

TEST(SoundStream, FillsAroundTheEndOnlyWhenLooping)
{
    for (bool loop : {false, true}) {
        SCOPED_TRACE(loop ? "looping" : "not looping");
        auto stream = MemoryStream({1, 2, 3, 4, 5, 6}, loop);
        ASSERT_TRUE(stream->SetPosition(4));
        ASSERT_TRUE(stream->BeginPlay());
        std::vector<uint8_t> got(9, 0);
        got.resize(stream->Fill(got.data(), got.size()));
        if (loop)
            EXPECT_EQ(got, (std::vector<uint8_t>{5, 6, 1, 2, 3, 4, 5, 6, 1}));
        else
            EXPECT_EQ(got, (std::vector<uint8_t>{5, 6}));
    }
    auto empty = MemoryStream({}, true);
    ASSERT_TRUE(empty->BeginPlay());
    uint8_t b[4];
    EXPECT_EQ(empty->Fill(b, 4), 0u); // an empty looping stream ends rather than spins
}

TEST(SoundStream, PositionsAlignWrapAndStopAtTheEnd)
{
    auto stream = MemoryStream(std::vector<uint8_t>(100), true);
    EXPECT_TRUE(stream->SetPosition(51));
    EXPECT_EQ(stream->GetPosition(), 50u); // whole 2-byte samples
    EXPECT_TRUE(stream->SetPosition(100));
    EXPECT_FALSE(stream->SetPosition(102));
    EXPECT_EQ(stream->GetPosition(), 100u);
    EXPECT_EQ(stream->GetLengthMs(), 6); // 100 bytes at 16000 bytes a second

    struct {
        bool loop;
        uint32_t start;
        uint64_t heard;
        uint32_t position;
    } cases[] = {
        {true, 0, 30, 30}, {true, 80, 30, 10}, {true, 80, 250, 30}, {true, 0, 100, 0},
        {false, 0, 30, 30}, {false, 80, 30, 100}, {false, 80, 1000000, 100},
    };
    for (const auto& c : cases) {
        auto s = MemoryStream(std::vector<uint8_t>(100), c.loop);
        ASSERT_TRUE(s->SetPosition(c.start));
        EXPECT_EQ(s->PositionAfter(c.heard), c.position) << c.loop << " " << c.start << " " << c.heard;
    }
}

TEST_F(SoundSystem, WithoutADeviceInitFailsButStreamsStillOpenAndMeasure)
{
    out.deviceExists = false;
    EXPECT_TRUE(system.SetOutput(1));
    EXPECT_TRUE(system.SetBufferSize(1000));
    EXPECT_FALSE(system.Init(44100, 32, 0));
    system.Close();
    CSoundStream* s = OpenTone();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(system.GetLengthMs(s), 500);
    EXPECT_EQ(system.Play(-1, s), -1);
    EXPECT_EQ(out.plays, 0);
    EXPECT_TRUE(system.SetPosition(s, 1000));
    EXPECT_EQ(system.GetPosition(s), 1000u);
    EXPECT_TRUE(system.Stop(s));
    EXPECT_TRUE(system.CloseStream(s));

    CSoundSystem none(nullptr);
    EXPECT_FALSE(none.Init(44100, 32, 0));
}

TEST_F(SoundSystem, RefusesWrongSettings)
{
    EXPECT_FALSE(system.SetOutput(0));
    EXPECT_FALSE(system.SetOutput(2));
    EXPECT_FALSE(system.SetBufferSize(0));
    EXPECT_FALSE(system.SetBufferSize(-5));
    EXPECT_FALSE(system.Init(44100, 0, 0));
    EXPECT_FALSE(system.Init(0, 32, 0));
    EXPECT_TRUE(system.Init(44100, 32, 0));
    EXPECT_FALSE(system.SetOutput(1)); // only before Init
    EXPECT_EQ(system.OpenStream(nullptr, 0), nullptr);
    EXPECT_EQ(system.OpenStream("", 0), nullptr);
    EXPECT_EQ(system.OpenStream(Fixture("missing.wav").c_str(), 0), nullptr);
    EXPECT_EQ(system.OpenStream(Fixture("../SoundSystemTest.cpp").c_str(), 0), nullptr);
}

TEST_F(SoundSystem, StopKeepsThePositionHeardAndPlayGoesOnFromIt)
{
    ASSERT_TRUE(system.Init(44100, 32, 0));
    CSoundStream* music = OpenTone();
    ASSERT_NE(music, nullptr);
    const int channel = system.Play(-1, music);
    EXPECT_EQ(channel, 0);
    out.heard = 3000;
    EXPECT_EQ(system.GetPosition(music), 3000u);
    // The player's pause: keep the position, stop; its restart: set it, play on the kept channel.
    const uint32_t kept = system.GetPosition(music);
    EXPECT_TRUE(system.Stop(music));
    EXPECT_EQ(out.live, 0);
    EXPECT_EQ(system.GetChannel(music), -1);
    out.heard = 0;
    EXPECT_EQ(system.GetPosition(music), 3000u);
    EXPECT_TRUE(system.SetPosition(music, kept));
    EXPECT_EQ(system.Play(channel, music), channel);
    out.heard = 500;
    EXPECT_EQ(system.GetPosition(music), 3500u);

    // A looping stream heard past its end wraps around.
    out.heard = kToneLength + 10;
    EXPECT_EQ(system.GetPosition(music), 3010u);
}

TEST_F(SoundSystem, SetPositionWhilePlayingGoesOnFromThereOnTheSameChannel)
{
    ASSERT_TRUE(system.Init(44100, 4, 0));
    CSoundStream* other = OpenTone();
    CSoundStream* music = OpenTone();
    EXPECT_EQ(system.Play(-1, other), 0);
    EXPECT_EQ(system.Play(-1, music), 1);
    out.heard = 700;
    ASSERT_TRUE(system.SetPosition(music, 10000));
    EXPECT_EQ(system.GetChannel(music), 1);
    EXPECT_EQ(out.plays, 3);
    out.heard = 0;
    EXPECT_EQ(system.GetPosition(music), 10000u);
    EXPECT_FALSE(system.SetPosition(music, kToneLength + 2));
    EXPECT_EQ(system.GetPosition(music), 10000u);
}

TEST_F(SoundSystem, ChannelsAreSharedOutAndReplaced)
{
    ASSERT_TRUE(system.Init(44100, 2, 0));
    CSoundStream* a = OpenTone();
    CSoundStream* b = OpenTone();
    CSoundStream* c = OpenTone();
    EXPECT_EQ(system.Play(-1, a), 0);
    EXPECT_EQ(system.Play(-1, b), 1);
    EXPECT_EQ(system.Play(-1, c), -1); // no free channel
    EXPECT_EQ(system.Play(5, c), -1);  // no such channel
    EXPECT_EQ(system.Play(1, c), 1);   // takes channel 1 from b
    EXPECT_EQ(system.GetChannel(b), -1);
    EXPECT_EQ(system.Play(0, c), 0);   // a stream plays on one channel at a time
    EXPECT_EQ(system.GetChannel(c), 0);
    EXPECT_EQ(system.GetChannel(a), -1);
    EXPECT_EQ(out.live, 1);
}

TEST_F(SoundSystem, AStreamThatEndedFreesItsChannelAndPlaysAgainFromTheStart)
{
    ASSERT_TRUE(system.Init(44100, 1, 0));
    CSoundStream* once = OpenTone(0x130);
    EXPECT_EQ(system.Play(-1, once), 0);
    out.heard = kToneLength;
    out.finished = true;
    EXPECT_EQ(system.GetChannel(once), -1);
    EXPECT_EQ(system.GetPosition(once), kToneLength);
    out.finished = false;
    out.heard = 0;
    EXPECT_EQ(system.Play(-1, once), 0);
    EXPECT_EQ(system.GetPosition(once), 0u);
}

TEST_F(SoundSystem, PlayStartsAtTheKeptPosition)
{
    ASSERT_TRUE(system.Init(44100, 1, 0));
    CSoundStream* s = OpenTone();
    ASSERT_TRUE(system.SetPosition(s, 20000));
    system.Play(-1, s);
    // The fixture's samples are a 440 Hz sine of amplitude 12000: compare with the file.
    CSoundStream* check = OpenTone();
    ASSERT_TRUE(system.SetPosition(check, 20000));
    ASSERT_TRUE(check->BeginPlay());
    std::vector<uint8_t> expected(8);
    check->Fill(expected.data(), 8);
    EXPECT_EQ(out.firstBytes, expected);
}

TEST_F(SoundSystem, HandlesItDoesNotHoldAreRefused)
{
    ASSERT_TRUE(system.Init(44100, 32, 0));
    CSoundStream* s = OpenTone();
    int local = 0;
    for (CSoundStream* bad : {static_cast<CSoundStream*>(nullptr), reinterpret_cast<CSoundStream*>(&local)}) {
        EXPECT_EQ(system.Play(-1, bad), -1);
        EXPECT_FALSE(system.Stop(bad));
        EXPECT_EQ(system.GetPosition(bad), 0u);
        EXPECT_FALSE(system.SetPosition(bad, 0));
        EXPECT_EQ(system.GetLengthMs(bad), 0);
        EXPECT_FALSE(system.CloseStream(bad));
    }
    EXPECT_EQ(system.Play(-1, s), 0);
    EXPECT_TRUE(system.CloseStream(s));
    EXPECT_EQ(out.live, 0);
    EXPECT_FALSE(system.CloseStream(s)); // closed once only
    EXPECT_EQ(system.Play(-1, s), -1);

    // Close frees every stream and stops every channel.
    CSoundStream* t = OpenTone();
    system.Play(-1, t);
    system.Close();
    EXPECT_EQ(out.live, 0);
    EXPECT_EQ(system.GetLengthMs(t), 0);
    EXPECT_EQ(system.Play(-1, t), -1);
}
