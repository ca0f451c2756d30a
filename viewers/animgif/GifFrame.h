// One frame of an animated GIF as the parser finds it: where its bytes lie in the file
// and what its graphic control extension and image descriptor say.
#pragma once
#include <cstddef>

struct GifFrame {
    size_t offset = 0; // first byte: the graphic control extension, else the image descriptor
    size_t length = 0; // up to and including the image data's terminator
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int delay = -1;    // hundredths of a second; -1 without a graphic control extension
    int disposal = 0;  // 0 to 7

    // How long the animation shows the frame: its delay when above 4 hundredths, else
    // 100 ms (which also bounds a frame without a delay).
    int WaitMs() const { return delay > 4 ? delay * 10 : 100; }
};
