// Real playback through the wave output, where the system has a device: a short sound
// plays to its end, and a stopped stream keeps a position between where it started and
// its end. Without a device the output refuses to open and there is nothing to test.
#include "CSoundSystem.h"
#include "CWaveOutDevice.h"
#include "FSound.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

std::string Fixture(const char* name) { return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name; }

} // namespace

TEST(WaveOutPlayback, PlaysToTheEndAndStopsKeepingItsPosition)
{
    CSoundSystem system(std::make_unique<CWaveOutDevice>());
    ASSERT_TRUE(system.SetBufferSize(200));
    if (!system.Init(44100, 4, 0))
        GTEST_SKIP() << "no audio device";
    CSoundStream* once = system.OpenStream(Fixture("tone_11025_stereo8.wav").c_str(), FSOUND_16BITS);
    ASSERT_NE(once, nullptr);
    ASSERT_EQ(system.Play(FSOUND_FREE, once), 0);
    // 250 ms of sound: it ends and frees its channel well within two seconds.
    for (int i = 0; i < 200 && system.GetChannel(once) >= 0; ++i)
        Sleep(10);
    EXPECT_EQ(system.GetChannel(once), -1);
    EXPECT_EQ(system.GetPosition(once), once->GetLength());

    CSoundStream* music = system.OpenStream(Fixture("tone_22050_mono16.wav").c_str(), 0x01000132);
    ASSERT_TRUE(system.SetPosition(music, 2000));
    ASSERT_GE(system.Play(FSOUND_FREE, music), 0);
    Sleep(100);
    ASSERT_TRUE(system.Stop(music));
    const uint32_t kept = system.GetPosition(music);
    EXPECT_LT(kept, music->GetLength());
    Sleep(50);
    EXPECT_EQ(system.GetPosition(music), kept);
    system.Close();
}
