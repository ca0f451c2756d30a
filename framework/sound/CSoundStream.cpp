#include "CSoundStream.h"

CSoundStream::CSoundStream(std::unique_ptr<CSoundSource> source, std::unique_ptr<CSoundDecoder> decoder, bool loop)
    : m_source(std::move(source)), m_decoder(std::move(decoder)), m_loop(loop)
{
}

bool CSoundStream::SetPosition(uint32_t position)
{
    if (position > GetLength())
        return false;
    const uint32_t block = uint32_t(GetFormat().BlockAlign());
    m_position = position / block * block;
    return true;
}

bool CSoundStream::BeginPlay()
{
    if (m_position >= GetLength())
        m_position = 0;
    return m_decoder->Seek(m_position);
}

size_t CSoundStream::Fill(void* buffer, size_t count)
{
    size_t done = 0;
    bool wrapped = false;
    while (done < count) {
        const size_t n = m_decoder->Read(static_cast<char*>(buffer) + done, count - done);
        if (n > 0) {
            done += n;
            wrapped = false;
            continue;
        }
        // At the end: start over when looping, unless a wrap just gave nothing.
        if (!m_loop || wrapped || !m_decoder->Seek(0))
            break;
        wrapped = true;
    }
    return done;
}

uint32_t CSoundStream::PositionAfter(uint64_t bytesPlayed) const
{
    const uint64_t length = GetLength();
    const uint64_t at = uint64_t(m_position) + bytesPlayed;
    if (length == 0)
        return 0;
    if (m_loop)
        return uint32_t(at % length);
    return uint32_t(at < length ? at : length);
}
