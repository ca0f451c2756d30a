// Random-access bytes of a sound file, read where the decoder asks.
#pragma once
#include <cstddef>
#include <cstdint>

class CSoundSource {
public:
    virtual ~CSoundSource() = default;
    virtual uint64_t GetSize() const = 0;
    // Reads up to count bytes at offset; returns how many were read (fewer at the end).
    virtual size_t ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
};
