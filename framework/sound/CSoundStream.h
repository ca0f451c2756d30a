// One open stream: its decoder, whether it loops, and the position it keeps while stopped.
// While it plays, only the playback reads it (BeginPlay .. Fill .. EndPlay); the position
// heard is the position playback started at plus the bytes played, wrapped when looping.
#pragma once
#include "CSoundDecoder.h"
#include "CSoundSource.h"
#include <memory>

class CSoundStream {
public:
    CSoundStream(std::unique_ptr<CSoundSource> source, std::unique_ptr<CSoundDecoder> decoder, bool loop);

    const PcmFormat& GetFormat() const { return m_decoder->GetFormat(); }
    uint32_t GetLength() const { return m_decoder->GetLength(); }
    int GetLengthMs() const { return GetFormat().BytesToMs(GetLength()); }
    bool IsLooping() const { return m_loop; }

    // The kept position; SetPosition refuses one past the end and aligns to a sample block.
    uint32_t GetPosition() const { return m_position; }
    bool SetPosition(uint32_t position);

    // Starts decoding at the kept position (a stream that ended without looping starts
    // over); false when the decoder cannot go there.
    bool BeginPlay();
    // Fills up to count bytes, wrapping to the start when looping; fewer at the end.
    size_t Fill(void* buffer, size_t count);
    // The position reached after bytesPlayed bytes were heard since BeginPlay.
    uint32_t PositionAfter(uint64_t bytesPlayed) const;
    // Playback stopped after bytesPlayed bytes: keep that position.
    void EndPlay(uint64_t bytesPlayed) { m_position = PositionAfter(bytesPlayed); }

private:
    std::unique_ptr<CSoundSource> m_source;
    std::unique_ptr<CSoundDecoder> m_decoder;
    bool m_loop;
    uint32_t m_position = 0;
};
