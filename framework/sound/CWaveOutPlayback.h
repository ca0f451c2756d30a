// One stream playing through a wave-out handle. A feeder thread refills the buffers the
// device has played; destroying the playback stops the device and joins the thread.
#pragma once
#include "CSoundDevice.h"
#include <windows.h>
#include <mmsystem.h>
#include <atomic>
#include <thread>
#include <vector>

class CWaveOutPlayback : public CSoundPlayback {
public:
    explicit CWaveOutPlayback(CSoundStream& stream) : m_stream(stream) {}
    ~CWaveOutPlayback() override;
    CWaveOutPlayback(const CWaveOutPlayback&) = delete;
    CWaveOutPlayback& operator=(const CWaveOutPlayback&) = delete;

    // Opens the device, queues the first buffers (bufferMs in all) and starts feeding.
    bool Start(int bufferMs);
    uint64_t GetBytesPlayed() override;
    bool IsFinished() override { return m_finished; }

private:
    static const int kBuffers = 4;

    void Feed();
    // Refills buffer i from the stream and queues it; false when the stream gave nothing.
    bool Queue(int i);
    void Shut();

    CSoundStream& m_stream;
    HWAVEOUT m_wave = nullptr;
    HANDLE m_event = nullptr;
    WAVEHDR m_headers[kBuffers] = {};
    bool m_prepared[kBuffers] = {};
    bool m_queued[kBuffers] = {};
    std::vector<char> m_data[kBuffers];
    bool m_exhausted = false;
    std::atomic<uint64_t> m_written{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};
