// The sound library's calls: streams of WAV (and MP3 where the system's audio codecs decode
// it) played through the Windows multimedia wave output. A stream handle of 0 means "none";
// every call checks the handle it gets, so a stale or null handle is refused, never used.
#pragma once

// Plain C calls: the exported names are the calls' own names (FSOUND_Init, undecorated).
#ifdef _WIN32
#define FSOUND_CALL __cdecl
#ifdef VELMORA_SOUND_BUILD
#define FSOUND_EXPORT __declspec(dllexport)
#else
#define FSOUND_EXPORT __declspec(dllimport)
#endif
#else
#define FSOUND_CALL
#define FSOUND_EXPORT
#endif

extern "C" {

typedef struct FSOUND_STREAM FSOUND_STREAM;

// Output types: the Windows multimedia wave output is the one there is.
enum { FSOUND_OUTPUT_WINMM = 1 };
// Channel argument of FSOUND_Stream_Play: any free channel.
enum { FSOUND_FREE = -1 };

// Stream open modes. The sample-format bits describe raw data; a WAV or MP3 file brings
// its own format, so for files only the looping bits count.
enum : unsigned int {
    FSOUND_LOOP_OFF = 0x00000001,
    FSOUND_LOOP_NORMAL = 0x00000002,
    FSOUND_16BITS = 0x00000010,
    FSOUND_MONO = 0x00000020,
    FSOUND_SIGNED = 0x00000100,
    FSOUND_NONBLOCKING = 0x01000000
};

// Chooses the output before FSOUND_Init; non-zero when the type is supported.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_SetOutput(int outputType);
// Sets the length of a stream's playback buffer in milliseconds, before playing.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_Stream_SetBufferSize(int milliseconds);
// Opens the output; non-zero on success, 0 when there is no usable audio device.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_Init(int mixRate, int maxChannels, unsigned int flags);
// Stops everything, frees every stream and closes the output.
FSOUND_EXPORT void FSOUND_CALL FSOUND_Close();

// Opens a stream on a file (offset and length are 0: the whole file); 0 on failure.
// Streams open without an output too, so their length and positions can be read.
FSOUND_EXPORT FSOUND_STREAM* FSOUND_CALL FSOUND_Stream_Open(const char* fileName, unsigned int mode,
                                                          int offset, int length);
// Plays the stream from its position on the channel (FSOUND_FREE: any free one); returns
// the channel used, -1 on failure (no output, bad handle, no free channel).
FSOUND_EXPORT int FSOUND_CALL FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
// Stops playback; the stream stays open and keeps the position it was stopped at.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_Stream_Stop(FSOUND_STREAM* stream);
// The position heard now (playing) or kept (stopped), a byte offset into the decoded sound.
FSOUND_EXPORT unsigned int FSOUND_CALL FSOUND_Stream_GetPosition(FSOUND_STREAM* stream);
// Moves to a position that FSOUND_Stream_GetPosition gave; a playing stream goes on from there.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_Stream_SetPosition(FSOUND_STREAM* stream, unsigned int position);
// Length in milliseconds; 0 for a bad handle.
FSOUND_EXPORT int FSOUND_CALL FSOUND_Stream_GetLengthMs(FSOUND_STREAM* stream);
// Stops and frees the stream; its handle is then refused.
FSOUND_EXPORT signed char FSOUND_CALL FSOUND_Stream_Close(FSOUND_STREAM* stream);

}
