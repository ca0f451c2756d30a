#include "PLTGADecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLTextException.h"
#include <cstring>
#include <vector>

PLTGADecoder::PLTGADecoder() = default;
PLTGADecoder::~PLTGADecoder() = default;

PLPixel32 PLTGADecoder::convertPixel(const BYTE* p, int bits) const {
    switch (bits) {
    case 15:
    case 16: {
        unsigned v = p[0] | (p[1] << 8);
        BYTE alpha = bits == 15 ? 255 : ((v & 0x8000) ? 0x80 : 0);
        return PLPixel32(BYTE(((v >> 10) & 0x1F) * 8), BYTE(((v >> 5) & 0x1F) * 8), BYTE((v & 0x1F) * 8), alpha);
    }
    case 24: return PLPixel32(p[2], p[1], p[0], 255);
    case 32: return PLPixel32(p[2], p[1], p[0], p[3]);
    default: return PLPixel32(p[0], p[0], p[0], 255);
    }
}

void PLTGADecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    const BYTE* h = src->ReadBytes(18);
    int idLength = h[0];
    int mapType = h[1];
    m_ImageType = h[2];
    int mapFirst = h[3] | (h[4] << 8);
    int mapLength = h[5] | (h[6] << 8);
    int mapEntrySize = h[7];
    int width = h[12] | (h[13] << 8);
    int height = h[14] | (h[15] << 8);
    m_PixelDepth = h[16];
    m_bTopDown = (h[17] & 0x20) != 0;

    switch (m_ImageType) {
    case 1: case 2: case 3: case 9: case 10: case 11: break;
    default: raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown TGA image type.");
    }
    if (m_PixelDepth != 8 && m_PixelDepth != 15 && m_PixelDepth != 16 && m_PixelDepth != 24 && m_PixelDepth != 32)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal TGA pixel depth.");
    bool mapped = m_ImageType == 1 || m_ImageType == 9;
    if (mapped && m_PixelDepth != 8)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal TGA pixel depth.");
    checkSize(width, height);
    src->ReadBytes(idLength);

    for (int i = 0; i < 256; ++i)
        m_Palette[i] = PLPixel32(BYTE(i), BYTE(i), BYTE(i), 255);
    m_bHasMap = mapType == 1;
    if (m_bHasMap && !mapped) {
        // True-colour and greyscale pictures may carry a map they do not use.
        src->ReadBytes(mapLength * ((mapEntrySize + 7) / 8));
    } else if (m_bHasMap) {
        if (mapEntrySize != 15 && mapEntrySize != 16 && mapEntrySize != 24 && mapEntrySize != 32)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal TGA colour map entry size.");
        // Pixel values are bytes: a map reaching beyond entry 255 cannot be ours.
        if (mapFirst + mapLength > 256)
            raiseError(PL_ERRFORMAT_UNKNOWN, "TGA colour map too large.");
        int entryBytes = (mapEntrySize + 7) / 8;
        const BYTE* map = src->ReadBytes(mapLength * entryBytes);
        for (int i = 0; i < mapLength; ++i)
            m_Palette[mapFirst + i] = convertPixel(map + i * entryBytes, mapEntrySize);
    } else if (mapped) {
        raiseError(PL_ERRFORMAT_UNKNOWN, "TGA colour map missing.");
    }

    // Refuse pictures their data cannot hold before anything is allocated: a run packet
    // gives at most 128 pixels for one pixel and its count.
    long long pixels = (long long)width * height, pixelBytes = (m_PixelDepth + 7) / 8;
    requireBytes(m_ImageType >= 9 ? pixels / 128 * (1 + pixelBytes) : pixels * pixelBytes);

    bool grey = m_ImageType == 3 || m_ImageType == 11;
    bool alpha = m_PixelDepth == 16 || m_PixelDepth == 32;
    SetBmpInfo(width, height, m_PixelDepth == 8 ? 8 : 32, PLPoint(0, 0), alpha, grey && m_PixelDepth == 8);
}

void PLTGADecoder::ReadImage(PLBmp& bmp) {
    int w = m_Width, h = m_Height;
    int bytes = (m_PixelDepth + 7) / 8;
    bool eight = m_PixelDepth == 8;
    if (eight)
        bmp.SetPalette(m_Palette);

    int line = 0, x = 0;
    auto store = [&](const BYTE* p) {
        BYTE* d = bmp.GetLine(m_bTopDown ? line : h - 1 - line);
        if (eight) {
            d[x] = p[0];
        } else {
            PLPixel32 px = convertPixel(p, m_PixelDepth);
            std::memcpy(d + x * 4, &px, 4);
        }
        if (++x == w) {
            x = 0;
            ++line;
        }
    };

    long long total = (long long)w * h;
    if (m_ImageType < 9) {
        for (line = 0; line < h;) {
            const BYTE* s = m_pDataSrc->ReadBytes(w * bytes);
            for (int i = 0; i < w; ++i)
                store(s + i * bytes);
        }
        opaqueWhenAlphaUnused(bmp);
        return;
    }
    long long done = 0;
    while (done < total) {
        int head = m_pDataSrc->ReadByte();
        int count = (head & 0x80) ? head - 127 : head + 1;
        if (done + count > total)
            raiseError(PL_ERRFORMAT_UNKNOWN, "TGA run-length packet spans end of image.");
        if (head & 0x80) {
            const BYTE* p = m_pDataSrc->ReadBytes(bytes);
            for (int i = 0; i < count; ++i)
                store(p);
        } else {
            const BYTE* p = m_pDataSrc->ReadBytes(count * bytes);
            for (int i = 0; i < count; ++i)
                store(p + i * bytes);
        }
        done += count;
    }
    opaqueWhenAlphaUnused(bmp);
}
