#include "CSoundSystem.h"
#include "CFileSoundSource.h"
#include "CWaveDecoder.h"
#include "FSound.h"
#ifdef _WIN32
#include "CMp3AcmDecoder.h"
#endif

namespace {

const int kMaxChannels = 1024;
const int kMinBufferMs = 20;
const int kMaxBufferMs = 10000;

} // namespace

CSoundSystem::CSoundSystem(std::unique_ptr<CSoundDevice> device) : m_device(std::move(device)) {}

CSoundSystem::~CSoundSystem() { Close(); }

bool CSoundSystem::SetOutput(int outputType)
{
    if (m_initialised || outputType != OutputWaveOut)
        return false;
    m_outputType = outputType;
    return true;
}

bool CSoundSystem::SetBufferSize(int milliseconds)
{
    if (milliseconds < kMinBufferMs || milliseconds > kMaxBufferMs)
        return false;
    m_bufferMs = milliseconds;
    return true;
}

bool CSoundSystem::Init(int mixRate, int maxChannels, unsigned int /*flags*/)
{
    if (m_initialised)
        return true;
    if (!m_device || mixRate < 4000 || mixRate > 192000 || maxChannels < 1 || maxChannels > kMaxChannels)
        return false;
    if (!m_device->Open(mixRate))
        return false;
    m_channels.clear();
    m_channels.resize(size_t(maxChannels));
    m_initialised = true;
    return true;
}

void CSoundSystem::Close()
{
    for (Channel& c : m_channels)
        StopChannel(c);
    m_channels.clear();
    m_streams.clear();
    if (m_initialised && m_device)
        m_device->Close();
    m_initialised = false;
    m_outputType = OutputWaveOut;
}

CSoundStream* CSoundSystem::OpenStream(const char* fileName, unsigned int mode)
{
    auto source = std::make_unique<CFileSoundSource>();
    if (!fileName || !*fileName || !source->Open(fileName))
        return nullptr;
    std::unique_ptr<CSoundDecoder> decoder;
    auto wave = std::make_unique<CWaveDecoder>(*source);
    if (wave->Open()) {
        decoder = std::move(wave);
    } else {
#ifdef _WIN32
        auto mp3 = std::make_unique<CMp3AcmDecoder>(*source);
        if (mp3->Open())
            decoder = std::move(mp3);
#endif
    }
    if (!decoder)
        return nullptr;
    const bool loop = (mode & FSOUND_LOOP_NORMAL) != 0 && (mode & FSOUND_LOOP_OFF) == 0;
    auto stream = std::make_unique<CSoundStream>(std::move(source), std::move(decoder), loop);
    CSoundStream* handle = stream.get();
    m_streams[handle] = std::move(stream);
    return handle;
}

bool CSoundSystem::IsOpen(CSoundStream* stream) const
{
    return stream && m_streams.count(stream) != 0;
}

void CSoundSystem::StopChannel(Channel& channel)
{
    if (!channel.stream)
        return;
    const uint64_t played = channel.playback->GetBytesPlayed();
    channel.playback.reset(); // stops, and nothing reads the stream after this
    channel.stream->EndPlay(played);
    channel.stream = nullptr;
}

void CSoundSystem::ReapFinished()
{
    for (Channel& c : m_channels)
        if (c.stream && c.playback->IsFinished())
            StopChannel(c);
}

int CSoundSystem::FreeChannel() const
{
    for (size_t i = 0; i < m_channels.size(); ++i)
        if (!m_channels[i].stream)
            return int(i);
    return -1;
}

int CSoundSystem::GetChannel(CSoundStream* stream)
{
    ReapFinished();
    for (size_t i = 0; stream && i < m_channels.size(); ++i)
        if (m_channels[i].stream == stream)
            return int(i);
    return -1;
}

int CSoundSystem::Play(int channel, CSoundStream* stream)
{
    if (!m_initialised || !IsOpen(stream))
        return -1;
    ReapFinished();
    // A stream plays on one channel at a time: playing it again moves it.
    const int current = GetChannel(stream);
    if (current >= 0)
        StopChannel(m_channels[size_t(current)]);
    if (channel == FSOUND_FREE)
        channel = FreeChannel();
    if (channel < 0 || channel >= int(m_channels.size()))
        return -1;
    Channel& c = m_channels[size_t(channel)];
    StopChannel(c);
    if (!stream->BeginPlay())
        return -1;
    c.playback = m_device->Play(*stream, m_bufferMs);
    if (!c.playback)
        return -1;
    c.stream = stream;
    return channel;
}

bool CSoundSystem::Stop(CSoundStream* stream)
{
    if (!IsOpen(stream))
        return false;
    const int channel = GetChannel(stream);
    if (channel >= 0)
        StopChannel(m_channels[size_t(channel)]);
    return true;
}

uint32_t CSoundSystem::GetPosition(CSoundStream* stream)
{
    if (!IsOpen(stream))
        return 0;
    const int channel = GetChannel(stream);
    if (channel >= 0)
        return stream->PositionAfter(m_channels[size_t(channel)].playback->GetBytesPlayed());
    return stream->GetPosition();
}

bool CSoundSystem::SetPosition(CSoundStream* stream, uint32_t position)
{
    if (!IsOpen(stream) || position > stream->GetLength())
        return false;
    const int channel = GetChannel(stream);
    if (channel >= 0)
        StopChannel(m_channels[size_t(channel)]);
    stream->SetPosition(position);
    if (channel >= 0)
        return Play(channel, stream) == channel;
    return true;
}

int CSoundSystem::GetLengthMs(CSoundStream* stream)
{
    return IsOpen(stream) ? stream->GetLengthMs() : 0;
}

bool CSoundSystem::CloseStream(CSoundStream* stream)
{
    if (!IsOpen(stream))
        return false;
    Stop(stream);
    m_streams.erase(stream);
    return true;
}
