// The exported calls: each one hands over to the library's one sound system.
#include "FSound.h"
#include "CSoundSystem.h"
#ifdef _WIN32
#include "CWaveOutDevice.h"
#endif

namespace {

// Made on first use and never destroyed: at process exit playback threads are already
// gone, and joining them from the DLL's unload would hang. FSOUND_Close is the clean end.
CSoundSystem& System()
{
#ifdef _WIN32
    static CSoundSystem* system = new CSoundSystem(std::make_unique<CWaveOutDevice>());
#else
    static CSoundSystem* system = new CSoundSystem(nullptr);
#endif
    return *system;
}

CSoundStream* Stream(FSOUND_STREAM* handle) { return reinterpret_cast<CSoundStream*>(handle); }

} // namespace

extern "C" {

signed char FSOUND_CALL FSOUND_SetOutput(int outputType) { return System().SetOutput(outputType); }

signed char FSOUND_CALL FSOUND_Stream_SetBufferSize(int milliseconds) { return System().SetBufferSize(milliseconds); }

signed char FSOUND_CALL FSOUND_Init(int mixRate, int maxChannels, unsigned int flags)
{
    return System().Init(mixRate, maxChannels, flags);
}

void FSOUND_CALL FSOUND_Close() { System().Close(); }

FSOUND_STREAM* FSOUND_CALL FSOUND_Stream_Open(const char* fileName, unsigned int mode, int /*offset*/, int /*length*/)
{
    return reinterpret_cast<FSOUND_STREAM*>(System().OpenStream(fileName, mode));
}

int FSOUND_CALL FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) { return System().Play(channel, Stream(stream)); }

signed char FSOUND_CALL FSOUND_Stream_Stop(FSOUND_STREAM* stream) { return System().Stop(Stream(stream)); }

unsigned int FSOUND_CALL FSOUND_Stream_GetPosition(FSOUND_STREAM* stream) { return System().GetPosition(Stream(stream)); }

signed char FSOUND_CALL FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position)
{
    return System().SetPosition(Stream(stream), position);
}

int FSOUND_CALL FSOUND_Stream_GetLengthMs(FSOUND_STREAM* stream) { return System().GetLengthMs(Stream(stream)); }

signed char FSOUND_CALL FSOUND_Stream_Close(FSOUND_STREAM* stream) { return System().CloseStream(Stream(stream)); }

}
