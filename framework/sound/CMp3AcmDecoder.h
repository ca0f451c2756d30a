// MP3 files decoded to 16-bit PCM by the system's audio codecs (the ACM), frame by frame.
// Positions and the length count whole frames of decoded sound; seeking starts the codec
// anew at the frame that holds the position.
#pragma once
#include "CMp3FrameScanner.h"
#include "CSoundDecoder.h"
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>
#include <vector>

class CMp3AcmDecoder : public CSoundDecoder {
public:
    explicit CMp3AcmDecoder(CSoundSource& source) : m_source(source) {}
    ~CMp3AcmDecoder() override;
    CMp3AcmDecoder(const CMp3AcmDecoder&) = delete;
    CMp3AcmDecoder& operator=(const CMp3AcmDecoder&) = delete;

    // Scans the frames and opens a codec for them; false when either fails.
    bool Open();

    const PcmFormat& GetFormat() const override { return m_format; }
    uint32_t GetLength() const override { return m_scanner.GetDecodedLength(); }
    bool Seek(uint32_t position) override;
    size_t Read(void* buffer, size_t count) override;

private:
    static const int kFramesPerStep = 8;

    bool OpenCodec();
    void CloseCodec();
    // Decodes the next frames into the output buffer; false at the end or on a codec error.
    bool DecodeStep();

    CSoundSource& m_source;
    CMp3FrameScanner m_scanner;
    PcmFormat m_format;
    HACMSTREAM m_codec = nullptr;
    bool m_started = false;
    size_t m_nextFrame = 0;
    std::vector<BYTE> m_input;   // undecoded bytes the codec has not taken yet
    std::vector<BYTE> m_output;  // decoded bytes not yet read
    size_t m_outputPos = 0;
    size_t m_skip = 0;           // decoded bytes to drop after a seek inside a frame
    uint32_t m_position = 0;
};
