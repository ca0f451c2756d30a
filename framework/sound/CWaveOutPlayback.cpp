#include "CWaveOutPlayback.h"

CWaveOutPlayback::~CWaveOutPlayback() { Shut(); }

bool CWaveOutPlayback::Start(int bufferMs)
{
    const PcmFormat& pcm = m_stream.GetFormat();
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = WORD(pcm.channels);
    format.nSamplesPerSec = DWORD(pcm.samplesPerSec);
    format.wBitsPerSample = WORD(pcm.bitsPerSample);
    format.nBlockAlign = WORD(pcm.BlockAlign());
    format.nAvgBytesPerSec = DWORD(pcm.BytesPerSec());
    m_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_event)
        return false;
    if (waveOutOpen(&m_wave, WAVE_MAPPER, &format, DWORD_PTR(m_event), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        m_wave = nullptr;
        Shut();
        return false;
    }
    // Each buffer a quarter of the whole, a whole number of sample blocks.
    const size_t block = size_t(pcm.BlockAlign());
    size_t bytes = size_t(uint64_t(pcm.BytesPerSec()) * uint64_t(bufferMs) / 1000 / kBuffers) / block * block;
    if (bytes < block)
        bytes = block;
    for (int i = 0; i < kBuffers; ++i) {
        m_data[i].resize(bytes);
        m_headers[i].lpData = m_data[i].data();
        m_headers[i].dwBufferLength = DWORD(bytes);
        if (waveOutPrepareHeader(m_wave, &m_headers[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            Shut();
            return false;
        }
        m_prepared[i] = true;
    }
    for (int i = 0; i < kBuffers && !m_exhausted; ++i)
        Queue(i);
    if (m_written == 0) {
        Shut();
        return false;
    }
    m_thread = std::thread(&CWaveOutPlayback::Feed, this);
    return true;
}

bool CWaveOutPlayback::Queue(int i)
{
    const size_t n = m_stream.Fill(m_data[i].data(), m_data[i].size());
    if (n == 0) {
        m_exhausted = true;
        return false;
    }
    m_headers[i].dwBufferLength = DWORD(n);
    m_headers[i].dwFlags &= ~DWORD(WHDR_DONE);
    if (waveOutWrite(m_wave, &m_headers[i], sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        m_exhausted = true;
        return false;
    }
    m_queued[i] = true;
    m_written += n;
    return true;
}

void CWaveOutPlayback::Feed()
{
    while (!m_stop) {
        WaitForSingleObject(m_event, 100);
        if (m_stop)
            break;
        bool anyQueued = false;
        for (int i = 0; i < kBuffers; ++i) {
            if (m_queued[i] && (m_headers[i].dwFlags & WHDR_DONE))
                m_queued[i] = false;
            if (!m_queued[i] && !m_exhausted)
                Queue(i);
            anyQueued = anyQueued || m_queued[i];
        }
        if (m_exhausted && !anyQueued) {
            m_finished = true;
            break;
        }
    }
}

uint64_t CWaveOutPlayback::GetBytesPlayed()
{
    if (m_finished)
        return m_written;
    MMTIME time = {};
    time.wType = TIME_BYTES;
    if (!m_wave || waveOutGetPosition(m_wave, &time, sizeof time) != MMSYSERR_NOERROR)
        return 0;
    uint64_t played = 0;
    if (time.wType == TIME_BYTES)
        played = time.u.cb;
    else if (time.wType == TIME_SAMPLES)
        played = uint64_t(time.u.sample) * uint64_t(m_stream.GetFormat().BlockAlign());
    const uint64_t written = m_written;
    return played < written ? played : written;
}

void CWaveOutPlayback::Shut()
{
    m_stop = true;
    if (m_event)
        SetEvent(m_event);
    if (m_thread.joinable())
        m_thread.join();
    if (m_wave) {
        waveOutReset(m_wave);
        for (int i = 0; i < kBuffers; ++i)
            if (m_prepared[i])
                waveOutUnprepareHeader(m_wave, &m_headers[i], sizeof(WAVEHDR));
        waveOutClose(m_wave);
        m_wave = nullptr;
    }
    if (m_event) {
        CloseHandle(m_event);
        m_event = nullptr;
    }
}
