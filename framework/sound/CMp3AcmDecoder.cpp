#include "CMp3AcmDecoder.h"
#include <algorithm>
#include <cstring>

CMp3AcmDecoder::~CMp3AcmDecoder() { CloseCodec(); }

bool CMp3AcmDecoder::Open()
{
    if (!m_scanner.Scan(m_source))
        return false;
    const Mp3FrameHeader& h = m_scanner.GetFirstHeader();
    m_format.channels = h.channels;
    m_format.samplesPerSec = h.samplesPerSec;
    m_format.bitsPerSample = 16;
    if (!m_format.IsValid())
        return false;
    return OpenCodec();
}

bool CMp3AcmDecoder::OpenCodec()
{
    const Mp3FrameHeader& h = m_scanner.GetFirstHeader();
    MPEGLAYER3WAVEFORMAT mp3 = {};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = WORD(h.channels);
    mp3.wfx.nSamplesPerSec = DWORD(h.samplesPerSec);
    mp3.wfx.nAvgBytesPerSec = DWORD(h.bitrate * 1000 / 8);
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.wBitsPerSample = 0;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nBlockSize = WORD(h.frameLength);
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = 0;

    WAVEFORMATEX pcm = {};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = WORD(m_format.channels);
    pcm.nSamplesPerSec = DWORD(m_format.samplesPerSec);
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = WORD(m_format.BlockAlign());
    pcm.nAvgBytesPerSec = DWORD(m_format.BytesPerSec());
    if (acmStreamOpen(&m_codec, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) {
        m_codec = nullptr;
        return false;
    }
    m_started = false;
    return true;
}

void CMp3AcmDecoder::CloseCodec()
{
    if (m_codec) {
        acmStreamClose(m_codec, 0);
        m_codec = nullptr;
    }
}

bool CMp3AcmDecoder::Seek(uint32_t position)
{
    const uint32_t perFrame = m_scanner.GetBytesPerFrame();
    if (position > GetLength() || perFrame == 0)
        return false;
    CloseCodec();
    if (!OpenCodec())
        return false;
    m_nextFrame = position / perFrame;
    m_skip = position % perFrame;
    m_input.clear();
    m_output.clear();
    m_outputPos = 0;
    m_position = position;
    return true;
}

bool CMp3AcmDecoder::DecodeStep()
{
    const std::vector<uint64_t>& frames = m_scanner.GetFrameOffsets();
    if (!m_codec || (m_nextFrame >= frames.size() && m_input.empty()))
        return false;
    // Append the next frames' bytes to what the codec left over.
    const size_t last = std::min(frames.size(), m_nextFrame + kFramesPerStep);
    if (m_nextFrame < last) {
        const uint64_t from = frames[m_nextFrame];
        const uint64_t to = last < frames.size() ? frames[last] : m_scanner.GetEndOffset();
        const size_t have = m_input.size();
        m_input.resize(have + size_t(to - from));
        m_input.resize(have + m_source.ReadAt(from, m_input.data() + have, size_t(to - from)));
        m_nextFrame = last;
    }
    const bool end = m_nextFrame >= frames.size();
    DWORD outSize = 0;
    if (m_input.empty() || acmStreamSize(m_codec, DWORD(m_input.size()), &outSize, ACM_STREAMSIZEF_SOURCE) != 0)
        return false;
    outSize += m_scanner.GetBytesPerFrame() * 2;
    std::vector<BYTE> out(outSize);
    ACMSTREAMHEADER header = {};
    header.cbStruct = sizeof header;
    header.pbSrc = m_input.data();
    header.cbSrcLength = DWORD(m_input.size());
    header.pbDst = out.data();
    header.cbDstLength = outSize;
    if (acmStreamPrepareHeader(m_codec, &header, 0) != 0)
        return false;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN;
    if (!m_started)
        flags |= ACM_STREAMCONVERTF_START;
    if (end)
        flags = (flags & ~DWORD(ACM_STREAMCONVERTF_BLOCKALIGN)) | ACM_STREAMCONVERTF_END;
    const MMRESULT r = acmStreamConvert(m_codec, &header, flags);
    acmStreamUnprepareHeader(m_codec, &header, 0);
    if (r != 0)
        return false;
    m_started = true;
    if (header.cbSrcLengthUsed == 0 && header.cbDstLengthUsed == 0 && !end)
        return false; // the codec takes nothing: stop rather than spin
    const size_t used = std::min<size_t>(header.cbSrcLengthUsed, m_input.size());
    m_input.erase(m_input.begin(), m_input.begin() + std::ptrdiff_t(end ? m_input.size() : used));
    out.resize(std::min<size_t>(header.cbDstLengthUsed, out.size()));
    m_output.swap(out);
    m_outputPos = 0;
    const size_t drop = std::min(m_skip, m_output.size());
    m_outputPos = drop;
    m_skip -= drop;
    return true;
}

size_t CMp3AcmDecoder::Read(void* buffer, size_t count)
{
    // Never more than the nominal length, so positions stay within it.
    count = std::min<size_t>(count, GetLength() - m_position);
    size_t done = 0;
    while (done < count) {
        if (m_outputPos >= m_output.size()) {
            if (!DecodeStep())
                break;
            continue;
        }
        const size_t n = std::min(count - done, m_output.size() - m_outputPos);
        std::memcpy(static_cast<char*>(buffer) + done, m_output.data() + m_outputPos, n);
        m_outputPos += n;
        done += n;
    }
    // Keep whole sample blocks.
    const size_t block = size_t(m_format.BlockAlign());
    done = done / block * block;
    m_position += uint32_t(done);
    return done;
}
