// Makes a standalone GIF of one frame: the file's header, logical screen descriptor and
// global colour table, the frame's bytes, and a trailer; a picture loader shows it as the
// frame alone, at its place on the logical screen.
#pragma once
#include "CGifFrameParser.h"
#include <vector>

class CGifFrameBuilder {
public:
    // data and size are the bytes the parser was opened on; empty when the frame does not
    // lie within them.
    static std::vector<uint8_t> Build(const uint8_t* data, size_t size, const CGifFrameParser& parser,
                                      const GifFrame& frame);
};
