// Turns a sound file into PCM bytes, from any position of the decoded sound.
#pragma once
#include "PcmFormat.h"
#include <cstddef>
#include <cstdint>

class CSoundDecoder {
public:
    virtual ~CSoundDecoder() = default;
    virtual const PcmFormat& GetFormat() const = 0;
    // Length of the decoded sound in bytes (a whole number of sample blocks).
    virtual uint32_t GetLength() const = 0;
    // Continues decoding at a byte position (at most the length, block-aligned); false when it cannot.
    virtual bool Seek(uint32_t position) = 0;
    // Decodes up to count bytes; returns how many (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
};
