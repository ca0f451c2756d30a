// The background music over the sound library. Without an output (CI) nothing is heard,
// so the test reads the stream's kept position to see what pause and resume did.
#include "CBackgroundMusic.h"
#include "CFile.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A one-second 8000 Hz mono 16-bit WAV file of silence.
std::string WriteWave()
{
    const std::string path = std::string(VELMORA_TEST_BINARY_DIR) + "/music.wav";
    const uint32_t data = 16000;
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                              1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a',
                              uint8_t(data), uint8_t(data >> 8), 0, 0};
    b.resize(b.size() + data, 0);
    CFile f;
    EXPECT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    f.Write(b.data(), UINT(b.size()));
    f.Close();
    return path;
}

} // namespace

TEST(BackgroundMusic, PauseKeepsThePositionAndResumeGoesOnFromIt)
{
    FSOUND_Close(); // no output: nothing plays, positions stay where they are put
    CBackgroundMusic music;
    ASSERT_TRUE(music.Open(WriteWave().c_str()));
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(music.GetStream()), 1000);

    // A restart message before any pause changes nothing.
    music.Play();
    ASSERT_TRUE(FSOUND_Stream_SetPosition(music.GetStream(), 1000)); // as if heard so far
    music.Resume();
    EXPECT_EQ(FSOUND_Stream_GetPosition(music.GetStream()), 1000u);

    music.Pause();
    EXPECT_TRUE(music.IsPaused());
    FSOUND_Stream_SetPosition(music.GetStream(), 6000); // a second pause keeps the first position
    music.Pause();
    music.Resume();
    EXPECT_FALSE(music.IsPaused());
    EXPECT_EQ(FSOUND_Stream_GetPosition(music.GetStream()), 1000u);

    music.Shutdown();
    EXPECT_FALSE(music.HasStream());
    music.Pause(); // after the end: nothing to do, nothing to crash on
    music.Resume();
    music.Play();
}

TEST(BackgroundMusic, PauseBeforePlayDoesNotStartTheMusic)
{
    FSOUND_Close();
    CBackgroundMusic music;
    ASSERT_TRUE(music.Open(WriteWave().c_str()));
    FSOUND_Stream_SetPosition(music.GetStream(), 2000);
    music.Pause();
    EXPECT_FALSE(music.IsPaused());
    music.Resume();
    EXPECT_EQ(FSOUND_Stream_GetPosition(music.GetStream()), 2000u);
    music.Shutdown();
}

TEST(BackgroundMusic, AFileThatDoesNotOpenMeansNoMusic)
{
    FSOUND_Close();
    CBackgroundMusic music;
    EXPECT_FALSE(music.Open(""));
    EXPECT_FALSE(music.Open((std::string(VELMORA_TEST_BINARY_DIR) + "/missing.mp3").c_str()));
    music.Play();
    music.Pause();
    EXPECT_FALSE(music.IsPaused());
    music.Shutdown();
}

TEST(BackgroundMusic, InitSoundLeavesTheLibraryUsableEitherWay)
{
    const bool sound = CBackgroundMusic::InitSound();
    CBackgroundMusic music;
    ASSERT_TRUE(music.Open(WriteWave().c_str()));
    music.Play();
    music.Pause();
    EXPECT_TRUE(music.IsPaused());
    music.Resume();
    music.Shutdown();
    if (!sound)
        SUCCEED() << "no audio device: the player runs silent";
}
