#include "CGifFrameParser.h"
#include <cstring>

namespace {

const uint8_t kExtension = 0x21;
const uint8_t kImage = 0x2C;
const uint8_t kTrailer = 0x3B;

size_t ColorTableSize(uint8_t packed) { return (packed & 0x80) ? 3u * (2u << (packed & 7)) : 0; }

} // namespace

bool CGifFrameParser::Open(const uint8_t* data, size_t size)
{
    *this = CGifFrameParser();
    if (!data || size < 13 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0))
        return false;
    m_data = data;
    m_size = size;
    m_width = Le16(6);
    m_height = Le16(8);
    m_globalColorTableSize = ColorTableSize(data[10]);
    if (GetHeaderLength() > size) {
        *this = CGifFrameParser();
        return false;
    }
    m_isGif = true;
    return true;
}

CGifFrameParser::BlockKind CGifFrameParser::KindAt(size_t position) const
{
    if (position >= m_size)
        return Unrecognised;
    switch (m_data[position]) {
    case kImage:
        return ImageDescriptor;
    case kTrailer:
        return Trailer;
    case kExtension:
        if (position + 1 >= m_size)
            return Unrecognised;
        switch (m_data[position + 1]) {
        case 0x01: return PlainText;
        case 0xF9: return GraphicControl;
        case 0xFE: return Comment;
        case 0xFF: return Application;
        default: return Unrecognised;
        }
    default:
        return Unrecognised;
    }
}

size_t CGifFrameParser::SubBlocksLength(size_t position) const
{
    size_t p = position;
    while (p < m_size) {
        const size_t n = m_data[p];
        if (n == 0)
            return p + 1 - position;
        if (n + 1 > m_size - p)
            return 0;
        p += n + 1;
    }
    return 0;
}

size_t CGifFrameParser::BlockLength(size_t position) const
{
    switch (KindAt(position)) {
    case Trailer:
        return 1;
    case PlainText:
    case GraphicControl:
    case Comment:
    case Application: {
        // The label's fixed part is itself the first sub-block (sizes 12, 4, 11).
        const size_t sub = SubBlocksLength(position + 2);
        return sub ? 2 + sub : 0;
    }
    case ImageDescriptor: {
        if (m_size - position < 10)
            return 0;
        const size_t fixed = 10 + ColorTableSize(m_data[position + 9]) + 1;
        if (fixed > m_size - position)
            return 0;
        const size_t sub = SubBlocksLength(position + fixed);
        return sub ? fixed + sub : 0;
    }
    default:
        return 0;
    }
}

bool CGifFrameParser::ReadGraphicBlock(size_t& position, GifFrame& frame) const
{
    if (!m_isGif)
        return false;
    size_t p = position;
    while (KindAt(p) == Comment || KindAt(p) == Application) {
        const size_t n = BlockLength(p);
        if (n == 0)
            return false;
        p += n;
    }
    GifFrame f;
    f.offset = p;
    bool control = false;
    for (;;) {
        const BlockKind kind = KindAt(p);
        const size_t n = BlockLength(p);
        if (n == 0 || kind == Trailer || kind == Unrecognised)
            return false;
        if (kind == GraphicControl && !control) {
            control = true;
            // Size byte 4: packed byte, delay, transparent index.
            if (m_data[p + 2] >= 4) {
                f.disposal = (m_data[p + 3] >> 2) & 7;
                f.delay = Le16(p + 4);
            }
        } else if (kind == ImageDescriptor) {
            if (!control)
                f.offset = p;
            f.left = Le16(p + 1);
            f.top = Le16(p + 3);
            f.width = Le16(p + 5);
            f.height = Le16(p + 7);
        }
        p += n;
        if (kind == ImageDescriptor || kind == PlainText)
            break;
    }
    f.length = p - f.offset;
    frame = f;
    position = p;
    return true;
}

std::vector<GifFrame> CGifFrameParser::ReadFrames() const
{
    std::vector<GifFrame> frames;
    size_t position = GetHeaderLength();
    GifFrame frame;
    while (m_isGif && ReadGraphicBlock(position, frame))
        frames.push_back(frame);
    return frames;
}
