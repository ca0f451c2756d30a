// Finds the frames of an MPEG audio layer III file: skips an ID3v2 tag, locks on to the
// first frame that a second one follows, walks the frames while they stay alike, and
// leaves out a leading Xing/Info frame (it carries no sound). Every read is bounds-checked.
#pragma once
#include "CSoundSource.h"
#include <cstdint>
#include <vector>

struct Mp3FrameHeader {
    int version = 0;        // 1 MPEG-1, 2 MPEG-2, 25 MPEG-2.5
    int bitrate = 0;        // kbit/s
    int samplesPerSec = 0;
    int channels = 0;
    int samplesPerFrame = 0;
    int frameLength = 0;    // bytes, header included
    int sideInfoLength = 0; // bytes after the 4-byte header

    // Parses a 4-byte layer III frame header; false when it is not one (free bitrate too).
    bool Parse(const uint8_t* p);
    bool SameStream(const Mp3FrameHeader& o) const
    {
        return version == o.version && samplesPerSec == o.samplesPerSec && channels == o.channels;
    }
};

class CMp3FrameScanner {
public:
    // Scans the whole source; false when no two consecutive frames are found.
    bool Scan(CSoundSource& source);

    const Mp3FrameHeader& GetFirstHeader() const { return m_first; }
    // Byte offset of each frame of sound, and the end of the last.
    const std::vector<uint64_t>& GetFrameOffsets() const { return m_offsets; }
    uint64_t GetEndOffset() const { return m_end; }
    size_t GetFrameCount() const { return m_offsets.size(); }
    // Decoded 16-bit PCM bytes of one frame, and of all of them.
    uint32_t GetBytesPerFrame() const { return uint32_t(m_first.samplesPerFrame * m_first.channels * 2); }
    uint32_t GetDecodedLength() const;
    int GetLengthMs() const;

private:
    static uint64_t SkipId3v2(CSoundSource& source);
    bool IsInfoFrame(CSoundSource& source, uint64_t offset, const Mp3FrameHeader& h) const;

    Mp3FrameHeader m_first;
    std::vector<uint64_t> m_offsets;
    uint64_t m_end = 0;
};
