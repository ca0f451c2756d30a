// The exported calls in the order the player and the picture windows make them. Where
// there is no audio device (CI, Xvfb) FSOUND_Init fails and nothing plays, but streams
// still open and report their lengths and positions.
#include "FSound.h"
#include "SoundLibraryName.h"
#include <gtest/gtest.h>
#include <string>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Fixture(const char* name)
{
#ifdef _WIN32
    return std::string(VELMORA_TEST_SOURCE_DIR) + "\\fixtures\\" + name;
#else
    return std::string(VELMORA_TEST_SOURCE_DIR) + "/fixtures/" + name;
#endif
}

const unsigned kPlayerMode = 0x01000132; // looping music
const unsigned kWindowMode = 0x130;      // a picture's or slideshow's sound, once

} // namespace

#ifdef _WIN32
TEST(SoundLibrary, IsTheDllTheHeaderNamesWithPlainExportNames)
{
    HMODULE dll = GetModuleHandleA(VELMORA_SOUND_LIBRARY);
    ASSERT_NE(dll, nullptr);
    for (const char* name : {"FSOUND_SetOutput", "FSOUND_Stream_SetBufferSize", "FSOUND_Init", "FSOUND_Close",
                             "FSOUND_Stream_Open", "FSOUND_Stream_Play", "FSOUND_Stream_Stop",
                             "FSOUND_Stream_GetPosition", "FSOUND_Stream_SetPosition", "FSOUND_Stream_GetLengthMs",
                             "FSOUND_Stream_Close"})
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(dll, name)), nullptr) << name;
}
#endif

TEST(SoundLibrary, PlayerRoadWithOrWithoutADevice)
{
    EXPECT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_WINMM));
    EXPECT_TRUE(FSOUND_Stream_SetBufferSize(1000));
    const bool sound = FSOUND_Init(44100, 32, 0) != 0;
    if (!sound)
        FSOUND_Close();

    FSOUND_STREAM* music = FSOUND_Stream_Open(Fixture("tone_22050_mono16.wav").c_str(), kPlayerMode, 0, 0);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(music), 500);
    const int channel = FSOUND_Stream_Play(FSOUND_FREE, music);
    if (sound)
        EXPECT_GE(channel, 0);
    else
        EXPECT_EQ(channel, -1);

    // Pause and resume as the player does it.
    const unsigned kept = FSOUND_Stream_GetPosition(music);
    EXPECT_LT(kept, 22050u);
    EXPECT_TRUE(FSOUND_Stream_Stop(music));
    EXPECT_EQ(FSOUND_Stream_GetPosition(music), kept);
    EXPECT_TRUE(FSOUND_Stream_SetPosition(music, 11024));
    EXPECT_EQ(FSOUND_Stream_GetPosition(music), 11024u);
    EXPECT_FALSE(FSOUND_Stream_SetPosition(music, 22052));
    EXPECT_EQ(FSOUND_Stream_Play(channel, music), sound ? channel : -1);
    EXPECT_TRUE(FSOUND_Stream_Stop(music));

    // The end: stop and close; every stream goes with the library.
    FSOUND_Close();
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(music), 0);
    EXPECT_FALSE(FSOUND_Stream_Stop(music));
}

TEST(SoundLibrary, WindowRoadAndBadFiles)
{
    FSOUND_STREAM* once = FSOUND_Stream_Open(Fixture("tone_11025_stereo8.wav").c_str(), kWindowMode, 0, 0);
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(once), 249); // 2756 samples at 11025 Hz
    FSOUND_Stream_Play(FSOUND_FREE, once);
    EXPECT_TRUE(FSOUND_Stream_Stop(once));
    EXPECT_TRUE(FSOUND_Stream_Close(once));
    EXPECT_FALSE(FSOUND_Stream_Close(once));

    EXPECT_EQ(FSOUND_Stream_Open(Fixture("missing.wav").c_str(), kWindowMode, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_Stream_Open(nullptr, kWindowMode, 0, 0), nullptr);
    // A failed open gives 0, and every call with 0 is refused.
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, nullptr), -1);
    EXPECT_FALSE(FSOUND_Stream_Stop(nullptr));
    EXPECT_EQ(FSOUND_Stream_GetPosition(nullptr), 0u);
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(nullptr), 0);
    EXPECT_FALSE(FSOUND_Stream_Close(nullptr));
}

#ifdef _WIN32
TEST(SoundLibrary, Mp3StreamsWhereTheSystemDecodesThem)
{
    FSOUND_STREAM* mp3 = FSOUND_Stream_Open(Fixture("tone_44100_mono.mp3").c_str(), kPlayerMode, 0, 0);
    if (!mp3)
        GTEST_SKIP() << "no MP3 codec on this system";
    EXPECT_GE(FSOUND_Stream_GetLengthMs(mp3), 1000);
    EXPECT_LE(FSOUND_Stream_GetLengthMs(mp3), 1100);
    EXPECT_TRUE(FSOUND_Stream_SetPosition(mp3, 40000));
    EXPECT_EQ(FSOUND_Stream_GetPosition(mp3), 40000u);
    EXPECT_TRUE(FSOUND_Stream_Close(mp3));
}
#endif
