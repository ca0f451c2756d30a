#include "CGifFrameBuilder.h"

std::vector<uint8_t> CGifFrameBuilder::Build(const uint8_t* data, size_t size, const CGifFrameParser& parser,
                                             const GifFrame& frame)
{
    const size_t header = parser.GetHeaderLength();
    if (!data || !parser.IsGif() || header > size || frame.length == 0 || frame.offset < header ||
        frame.offset > size || frame.length > size - frame.offset)
        return {};
    std::vector<uint8_t> gif;
    gif.reserve(header + frame.length + 1);
    gif.insert(gif.end(), data, data + header);
    gif.insert(gif.end(), data + frame.offset, data + frame.offset + frame.length);
    gif.push_back(0x3B);
    return gif;
}
