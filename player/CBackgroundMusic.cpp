#include "CBackgroundMusic.h"

bool CBackgroundMusic::InitSound()
{
    FSOUND_SetOutput(FSOUND_OUTPUT_WINMM);
    FSOUND_Stream_SetBufferSize(1000);
    if (FSOUND_Init(44100, 32, 0))
        return true;
    FSOUND_Close();
    return false;
}

bool CBackgroundMusic::Open(const CString& fileName)
{
    m_stream = fileName.IsEmpty() ? nullptr : FSOUND_Stream_Open(fileName, StreamMode, 0, 0);
    m_channel = -1;
    m_playing = m_paused = false;
    return m_stream != nullptr;
}

void CBackgroundMusic::Play()
{
    if (!m_stream)
        return;
    if (m_playing)
        FSOUND_Stream_Stop(m_stream);
    m_channel = FSOUND_Stream_Play(FSOUND_FREE, m_stream);
    m_playing = true;
    m_paused = false;
}

void CBackgroundMusic::Pause()
{
    if (!m_stream || !m_playing || m_paused)
        return;
    m_position = FSOUND_Stream_GetPosition(m_stream);
    FSOUND_Stream_Stop(m_stream);
    m_paused = true;
}

void CBackgroundMusic::Resume()
{
    if (!m_stream || !m_paused)
        return;
    FSOUND_Stream_SetPosition(m_stream, m_position);
    const int channel = FSOUND_Stream_Play(m_channel, m_stream);
    if (channel >= 0)
        m_channel = channel;
    m_paused = false;
}

void CBackgroundMusic::Shutdown()
{
    if (m_stream)
        FSOUND_Stream_Stop(m_stream);
    FSOUND_Close(); // frees every stream
    m_stream = nullptr;
    m_playing = m_paused = false;
}
