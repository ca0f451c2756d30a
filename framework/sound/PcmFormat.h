// Layout of decoded sound: interleaved little-endian PCM samples.
#pragma once
#include <cstdint>

struct PcmFormat {
    int channels = 0;
    int samplesPerSec = 0;
    int bitsPerSample = 0;

    int BlockAlign() const { return channels * (bitsPerSample / 8); }
    int BytesPerSec() const { return samplesPerSec * BlockAlign(); }
    bool IsValid() const
    {
        return channels >= 1 && channels <= 2 && (bitsPerSample == 8 || bitsPerSample == 16) &&
               samplesPerSec >= 1000 && samplesPerSec <= 192000;
    }
    // Milliseconds of the given number of bytes (0 for an invalid format).
    int BytesToMs(uint32_t bytes) const
    {
        return BytesPerSec() > 0 ? static_cast<int>(uint64_t(bytes) * 1000 / uint64_t(BytesPerSec())) : 0;
    }
};
