// Splits a GIF file into its graphic blocks: each block is an optional graphic control
// extension, any further extensions, and an image descriptor with its data (or a plain-text
// extension). Comment and application extensions before a block are skipped. Every read of
// the header, the colour tables and the blocks is checked against the data's size: a file
// shorter than its blocks claim ends the list at the last complete block.
// The parser reads the caller's bytes and keeps no copy; they must outlive it.
#pragma once
#include "GifFrame.h"
#include <cstddef>
#include <cstdint>
#include <vector>

class CGifFrameParser {
public:
    // Block kinds, by the bytes at a block's start.
    enum BlockKind { Unrecognised, PlainText, GraphicControl, Comment, Application, ImageDescriptor, Trailer };

    // Reads the header, logical screen descriptor and global colour table; false when the
    // data is not a GIF or too short to hold them.
    bool Open(const uint8_t* data, size_t size);

    bool IsGif() const { return m_isGif; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    size_t GetGlobalColorTableSize() const { return m_globalColorTableSize; }
    // Header, logical screen descriptor and global colour table: where the first block starts.
    size_t GetHeaderLength() const { return 13 + m_globalColorTableSize; }

    BlockKind KindAt(size_t position) const;
    // The length of the block at position; 0 when it is unrecognised or would pass the end.
    size_t BlockLength(size_t position) const;
    // Reads the graphic block at position into frame and moves position past it; false at
    // the trailer, at an unrecognised or cut-off block.
    bool ReadGraphicBlock(size_t& position, GifFrame& frame) const;
    // Every graphic block from the first on.
    std::vector<GifFrame> ReadFrames() const;

private:
    // Length of the sub-blocks starting at position, their terminator included; 0 when they pass the end.
    size_t SubBlocksLength(size_t position) const;
    uint16_t Le16(size_t position) const { return uint16_t(m_data[position] | (m_data[position + 1] << 8)); }

    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    bool m_isGif = false;
    int m_width = 0;
    int m_height = 0;
    size_t m_globalColorTableSize = 0;
};
