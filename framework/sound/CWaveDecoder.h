// PCM WAV files (RIFF "WAVE" with a "fmt " and a "data" chunk; 8 or 16 bits, mono or stereo).
// Every chunk read is checked against the file's real size; a data chunk that claims more
// than the file holds is cut to what is there.
#pragma once
#include "CSoundDecoder.h"
#include "CSoundSource.h"

class CWaveDecoder : public CSoundDecoder {
public:
    // The source must outlive the decoder.
    explicit CWaveDecoder(CSoundSource& source) : m_source(source) {}
    // Parses the header; false when the bytes are not a playable PCM WAV file.
    bool Open();

    const PcmFormat& GetFormat() const override { return m_format; }
    uint32_t GetLength() const override { return m_dataSize; }
    bool Seek(uint32_t position) override;
    size_t Read(void* buffer, size_t count) override;

    uint64_t GetDataOffset() const { return m_dataOffset; }

private:
    bool ReadFormat(uint64_t offset, uint32_t size);

    CSoundSource& m_source;
    PcmFormat m_format;
    uint64_t m_dataOffset = 0;
    uint32_t m_dataSize = 0;
    uint32_t m_position = 0;
};
