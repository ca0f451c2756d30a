#!/usr/bin/env bash
# Makes the sound fixtures of these tests with tools nobody here wrote: Python's wave
# module for the WAV files, LAME for the MP3 files. Run it from anywhere; it writes next
# to itself. The files are committed; run again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p fixtures
python3 - <<'PY'
import math, struct, wave

def tone(name, rate, channels, width, seconds):
    frames = int(rate * seconds)
    with wave.open(name, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        data = bytearray()
        for i in range(frames):
            v = math.sin(2 * math.pi * 440 * i / rate)
            for c in range(channels):
                if width == 1:
                    data += struct.pack("<B", int(128 + 100 * v))
                else:
                    data += struct.pack("<h", int(12000 * v))
        w.writeframes(bytes(data))

tone("fixtures/tone_22050_mono16.wav", 22050, 1, 2, 0.5)
tone("fixtures/tone_11025_stereo8.wav", 11025, 2, 1, 0.25)
tone("fixtures/source_44100_mono16.wav", 44100, 1, 2, 1.0)
PY
# MPEG-1 (44100 Hz, 1152 samples a frame) and MPEG-2 (22050 Hz, 576 a frame), constant
# bit rate; the second with an ID3v2 tag in front.
lame --quiet -b 64 -m m fixtures/source_44100_mono16.wav fixtures/tone_44100_mono.mp3
lame --quiet -b 32 -m m --resample 22.05 --id3v2-only --tt "Velmora test tone" \
     fixtures/source_44100_mono16.wav fixtures/tone_22050_mono_id3.mp3
rm fixtures/source_44100_mono16.wav
ls -l fixtures
