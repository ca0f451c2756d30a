#include "CWaveOutDevice.h"
#include "CWaveOutPlayback.h"
#include <windows.h>
#include <mmsystem.h>

bool CWaveOutDevice::Open(int mixRate)
{
    if (waveOutGetNumDevs() == 0)
        return false;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = DWORD(mixRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

std::unique_ptr<CSoundPlayback> CWaveOutDevice::Play(CSoundStream& stream, int bufferMs)
{
    auto playback = std::make_unique<CWaveOutPlayback>(stream);
    if (!playback->Start(bufferMs))
        return nullptr;
    return playback;
}
