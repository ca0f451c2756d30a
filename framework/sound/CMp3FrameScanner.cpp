#include "CMp3FrameScanner.h"
#include <cstring>

namespace {

// kbit/s by bitrate index for MPEG-1 layer III, and for MPEG-2/2.5 layer III.
const int kBitrateV1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
const int kBitrateV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
const int kRateV1[3] = {44100, 48000, 32000};

// How far to look for the first frame after the tag (junk before the first frame).
const uint64_t kSyncSearchLimit = 64 * 1024;

} // namespace

bool Mp3FrameHeader::Parse(const uint8_t* p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    const int padding = (p[2] >> 1) & 1;
    const int mode = p[3] >> 6;
    if (versionBits == 1 || layerBits != 1 || rateIndex == 3)
        return false;
    version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    bitrate = version == 1 ? kBitrateV1[bitrateIndex] : kBitrateV2[bitrateIndex];
    if (bitrate == 0)
        return false;
    samplesPerSec = kRateV1[rateIndex] / (version == 1 ? 1 : version == 2 ? 2 : 4);
    channels = mode == 3 ? 1 : 2;
    samplesPerFrame = version == 1 ? 1152 : 576;
    frameLength = (version == 1 ? 144 : 72) * bitrate * 1000 / samplesPerSec + padding;
    if (version == 1)
        sideInfoLength = channels == 1 ? 17 : 32;
    else
        sideInfoLength = channels == 1 ? 9 : 17;
    return frameLength > 4;
}

uint64_t CMp3FrameScanner::SkipId3v2(CSoundSource& source)
{
    uint8_t tag[10];
    if (source.ReadAt(0, tag, sizeof tag) != sizeof tag || std::memcmp(tag, "ID3", 3) != 0)
        return 0;
    // Sizes are "sync-safe": 7 bits a byte.
    if ((tag[6] | tag[7] | tag[8] | tag[9]) & 0x80)
        return 0;
    const uint64_t size = (uint64_t(tag[6]) << 21) | (uint64_t(tag[7]) << 14) | (uint64_t(tag[8]) << 7) | tag[9];
    const bool footer = (tag[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

bool CMp3FrameScanner::IsInfoFrame(CSoundSource& source, uint64_t offset, const Mp3FrameHeader& h) const
{
    uint8_t id[4];
    if (source.ReadAt(offset + 4 + uint64_t(h.sideInfoLength), id, 4) != 4)
        return false;
    return std::memcmp(id, "Xing", 4) == 0 || std::memcmp(id, "Info", 4) == 0;
}

bool CMp3FrameScanner::Scan(CSoundSource& source)
{
    m_offsets.clear();
    m_end = 0;
    const uint64_t size = source.GetSize();
    const uint64_t start = SkipId3v2(source);
    if (start >= size)
        return false;

    // Lock on: a header whose frame is followed by another header of the same stream.
    uint64_t first = 0;
    bool found = false;
    for (uint64_t pos = start; pos + 4 <= size && pos < start + kSyncSearchLimit && !found; ++pos) {
        uint8_t hdr[4];
        if (source.ReadAt(pos, hdr, 4) != 4 || !m_first.Parse(hdr))
            continue;
        const uint64_t next = pos + uint64_t(m_first.frameLength);
        Mp3FrameHeader second;
        uint8_t hdr2[4];
        if (next + 4 <= size && source.ReadAt(next, hdr2, 4) == 4 && second.Parse(hdr2) && second.SameStream(m_first)) {
            first = pos;
            found = true;
        }
    }
    if (!found)
        return false;

    uint64_t pos = first;
    bool firstFrame = true;
    while (pos + 4 <= size) {
        uint8_t hdr[4];
        Mp3FrameHeader h;
        if (source.ReadAt(pos, hdr, 4) != 4 || !h.Parse(hdr) || !h.SameStream(m_first))
            break;
        if (pos + uint64_t(h.frameLength) > size)
            break; // a cut-off last frame
        if (!(firstFrame && IsInfoFrame(source, pos, h)))
            m_offsets.push_back(pos);
        firstFrame = false;
        pos += uint64_t(h.frameLength);
    }
    m_end = pos;
    return !m_offsets.empty();
}

uint32_t CMp3FrameScanner::GetDecodedLength() const
{
    const uint64_t bytes = uint64_t(GetBytesPerFrame()) * m_offsets.size();
    return bytes > 0xFFFFFFF0u ? 0xFFFFFFF0u / GetBytesPerFrame() * GetBytesPerFrame() : uint32_t(bytes);
}

int CMp3FrameScanner::GetLengthMs() const
{
    if (m_first.samplesPerSec == 0)
        return 0;
    return int(uint64_t(m_offsets.size()) * uint64_t(m_first.samplesPerFrame) * 1000 / uint64_t(m_first.samplesPerSec));
}
