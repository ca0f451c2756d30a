// Sound bytes held in memory.
#pragma once
#include "CSoundSource.h"
#include <vector>

class CMemorySoundSource : public CSoundSource {
public:
    explicit CMemorySoundSource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    uint64_t GetSize() const override { return m_bytes.size(); }
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;

private:
    std::vector<uint8_t> m_bytes;
};
