#include "CWaveDecoder.h"
#include <algorithm>
#include <cstring>

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

const uint16_t kFormatPcm = 1;
const uint16_t kFormatExtensible = 0xFFFE;

} // namespace

bool CWaveDecoder::Open()
{
    uint8_t riff[12];
    if (m_source.ReadAt(0, riff, sizeof riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t end = m_source.GetSize();
    bool haveFormat = false;
    uint64_t pos = 12;
    while (pos + 8 <= end) {
        uint8_t chunk[8];
        if (m_source.ReadAt(pos, chunk, sizeof chunk) != sizeof chunk)
            return false;
        const uint32_t size = Le32(chunk + 4);
        const uint64_t body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (body + size > end || !ReadFormat(body, size))
                return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return false;
            const uint64_t available = std::min<uint64_t>(size, end - body);
            const uint32_t block = uint32_t(m_format.BlockAlign());
            m_dataOffset = body;
            m_dataSize = uint32_t(std::min<uint64_t>(available, 0xFFFFFFFFu) / block * block);
            m_position = 0;
            return true;
        }
        pos = body + uint64_t(size) + (size & 1);
    }
    return false;
}

bool CWaveDecoder::ReadFormat(uint64_t offset, uint32_t size)
{
    if (size < 16)
        return false;
    uint8_t fmt[40] = {};
    const size_t want = std::min<size_t>(size, sizeof fmt);
    if (m_source.ReadAt(offset, fmt, want) != want)
        return false;
    uint16_t tag = Le16(fmt);
    if (tag == kFormatExtensible) {
        // The sub-format GUID at 24 starts with the plain format tag.
        if (size < 40)
            return false;
        tag = Le16(fmt + 24);
    }
    if (tag != kFormatPcm)
        return false;
    m_format.channels = Le16(fmt + 2);
    m_format.samplesPerSec = int(Le32(fmt + 4) > 192000 ? 0 : Le32(fmt + 4));
    m_format.bitsPerSample = Le16(fmt + 14);
    return m_format.IsValid();
}

bool CWaveDecoder::Seek(uint32_t position)
{
    if (position > m_dataSize || position % uint32_t(m_format.BlockAlign()) != 0)
        return false;
    m_position = position;
    return true;
}

size_t CWaveDecoder::Read(void* buffer, size_t count)
{
    const size_t n = std::min<size_t>(count, m_dataSize - m_position);
    if (n == 0)
        return 0;
    const size_t got = m_source.ReadAt(m_dataOffset + m_position, buffer, n);
    m_position += uint32_t(got);
    return got;
}
