// The Windows multimedia wave output: each playing stream gets a wave-out handle of its
// own in the stream's format (the system mixes them).
#pragma once
#include "CSoundDevice.h"

class CWaveOutDevice : public CSoundDevice {
public:
    // False when the system has no wave-out device that plays 16-bit stereo at mixRate.
    bool Open(int mixRate) override;
    void Close() override {}
    std::unique_ptr<CSoundPlayback> Play(CSoundStream& stream, int bufferMs) override;
};
