// The project's background music: one looping stream, played when the splash ends, paused
// while a slideshow plays music of its own and resumed from where it was, stopped at the end.
// Also the sound library's start and end for the whole player.
#pragma once
#include "CString.h"
#include "FSound.h"

class CBackgroundMusic {
public:
    // Mode of the music stream: 16-bit signed mono, looping, opened without blocking.
    static const unsigned int StreamMode = FSOUND_LOOP_NORMAL | FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED |
                                           FSOUND_NONBLOCKING;

    // The wave output with a one-second buffer; false (and the library closed again) when
    // there is no sound: the player then runs silent.
    static bool InitSound();

    CBackgroundMusic() = default;
    CBackgroundMusic(const CBackgroundMusic&) = delete;
    CBackgroundMusic& operator=(const CBackgroundMusic&) = delete;

    // Opens the music file's stream; false when it does not open (no music then).
    bool Open(const CString& fileName);
    bool HasStream() const { return m_stream != nullptr; }
    FSOUND_STREAM* GetStream() const { return m_stream; }

    // Plays on a free channel and keeps the channel; playing again stops it first.
    void Play();
    // Keeps the position and stops, when it plays and is not paused already.
    void Pause();
    // Goes on from the kept position on the kept channel, only after a Pause.
    void Resume();
    bool IsPaused() const { return m_paused; }
    // The end of the run: stops the music and closes the sound library.
    void Shutdown();

private:
    FSOUND_STREAM* m_stream = nullptr;
    int m_channel = -1;
    unsigned int m_position = 0;
    bool m_playing = false;
    bool m_paused = false;
};
