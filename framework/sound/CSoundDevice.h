// Where streams are heard. The library talks to its output only through these two classes:
// the Windows wave output in the DLL, a stand-in in the tests.
#pragma once
#include "CSoundStream.h"
#include <cstdint>
#include <memory>

// One stream playing on one channel. Destroying it stops the playback and waits until
// nothing of it reads the stream any more.
class CSoundPlayback {
public:
    virtual ~CSoundPlayback() = default;
    // Bytes heard since playback started.
    virtual uint64_t GetBytesPlayed() = 0;
    // The stream ended (not looping) and everything of it was heard.
    virtual bool IsFinished() = 0;
};

class CSoundDevice {
public:
    virtual ~CSoundDevice() = default;
    // Opens the output; false when there is no usable device.
    virtual bool Open(int mixRate) = 0;
    virtual void Close() = 0;
    // Starts the stream (after its BeginPlay) with a buffer of bufferMs; null on failure.
    virtual std::unique_ptr<CSoundPlayback> Play(CSoundStream& stream, int bufferMs) = 0;
};
