// The sound library's state: the output, the open streams and the channels playing them.
// Handles given out are the streams' addresses; every call looks its handle up first and
// refuses one it does not hold.
#pragma once
#include "CSoundDevice.h"
#include "CSoundStream.h"
#include <map>
#include <memory>
#include <vector>

class CSoundSystem {
public:
    // The device may be null: then there is no output, and Init fails.
    explicit CSoundSystem(std::unique_ptr<CSoundDevice> device);
    ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    static const int OutputWaveOut = 1;

    bool SetOutput(int outputType);
    bool SetBufferSize(int milliseconds);
    bool Init(int mixRate, int maxChannels, unsigned int flags);
    void Close();
    bool IsInitialised() const { return m_initialised; }

    CSoundStream* OpenStream(const char* fileName, unsigned int mode);
    int Play(int channel, CSoundStream* stream);
    bool Stop(CSoundStream* stream);
    uint32_t GetPosition(CSoundStream* stream);
    bool SetPosition(CSoundStream* stream, uint32_t position);
    int GetLengthMs(CSoundStream* stream);
    bool CloseStream(CSoundStream* stream);

    // The channel a stream plays on, -1 when it does not play.
    int GetChannel(CSoundStream* stream);

private:
    struct Channel {
        CSoundStream* stream = nullptr;
        std::unique_ptr<CSoundPlayback> playback;
    };

    bool IsOpen(CSoundStream* stream) const;
    // Channels whose stream ended free themselves here, keeping the end position.
    void ReapFinished();
    void StopChannel(Channel& channel);
    int FreeChannel() const;

    std::unique_ptr<CSoundDevice> m_device;
    int m_outputType = OutputWaveOut;
    int m_bufferMs = 200;
    bool m_initialised = false;
    std::vector<Channel> m_channels;
    std::map<CSoundStream*, std::unique_ptr<CSoundStream>> m_streams;
};
