// Fuzz target: any bytes split into GIF frames, and a standalone GIF made of each. Every
// frame the parser gives must lie within the data.
#include "CGifFrameBuilder.h"
#include "CGifFrameParser.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGifFrameParser parser;
    if (!parser.Open(data, size))
        return 0;
    for (const GifFrame& frame : parser.ReadFrames()) {
        if (frame.offset < parser.GetHeaderLength() || frame.length == 0 || frame.offset > size ||
            frame.length > size - frame.offset)
            std::abort();
        std::vector<uint8_t> gif = CGifFrameBuilder::Build(data, size, parser, frame);
        if (gif.size() != parser.GetHeaderLength() + frame.length + 1)
            std::abort();
    }
    return 0;
}
