#include "PLPictDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLJPEGDecoder.h"
#include "PLPackBits.h"
#include "PLTextException.h"
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const char* kEOF = "End of file reached while decoding.\n";
}

PLPictDecoder::PLPictDecoder(PLJPEGDecoder* jpegDecoder) : m_pJPEGDecoder(jpegDecoder) {}

PLPictDecoder::~PLPictDecoder() = default;

int PLPictDecoder::readOpcode() {
    if (m_Version == 1)
        return m_pDataSrc->ReadByte();
    if (m_pDataSrc->GetBytesRead() & 1)
        m_pDataSrc->ReadByte();  // version 2 opcodes start at even positions
    return m_pDataSrc->ReadWordBE();
}

void PLPictDecoder::skipRegion() {
    TraceMessage(3, "Skipping polygon or region.\n");
    int size = m_pDataSrc->ReadWordBE();
    if (size < 2)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal region or polygon size.");
    m_pDataSrc->ReadBytes(size - 2);
}

void PLPictDecoder::skipText(int before) {
    m_pDataSrc->ReadBytes(before);
    m_pDataSrc->ReadBytes(m_pDataSrc->ReadByte());
}

void PLPictDecoder::skipOpcode(int op) {
    PLDataSource* src = m_pDataSrc;
    auto wordLength = [&] { src->ReadBytes(src->ReadWordBE()); };
    auto dwordLength = [&] {
        DWORD n = src->ReadDWordBE();
        if (n > DWORD(src->GetBytesLeft()))
            throw PLTextException(PL_ERREND_OF_FILE, kEOF);
        src->ReadBytes(int(n));
    };
    static const signed char fixed[0x24] = {
        0, -1, 8, 2, 1, 2, 4, 4, 2, 8, 8, 4, 4, 2, 4, 4,    // 0x00-0x0F
        8, 1, -1, -1, -1, 2, 2, 0, 0, 0, 6, 6, 0, 6, 0, 6,  // 0x10-0x1F
        8, 4, 6, 2};                                        // 0x20-0x23
    if (op < 0x24) {
        if (op == 0x01)
            skipRegion();
        else if (op >= 0x12 && op <= 0x14)
            skipPixPat();
        else
            src->ReadBytes(fixed[op]);
        return;
    }
    if (op <= 0x27 || (op >= 0x2C && op <= 0x2F) || (op >= 0x92 && op <= 0x97) || (op >= 0x9C && op <= 0x9F) ||
        (op >= 0xA2 && op <= 0xAF)) {
        wordLength();
    } else if (op == 0x28) {
        skipText(4);
    } else if (op == 0x29 || op == 0x2A) {
        skipText(1);
    } else if (op == 0x2B) {
        skipText(2);
    } else if (op >= 0x30 && op <= 0x57) {
        src->ReadBytes((op & 0x0F) < 8 ? 8 : 0);
    } else if (op >= 0x58 && op <= 0x5F) {
    } else if (op >= 0x60 && op <= 0x6F) {
        src->ReadBytes(op < 0x68 ? 12 : 4);
    } else if ((op >= 0x70 && op <= 0x77) || (op >= 0x80 && op <= 0x87)) {
        skipRegion();
    } else if ((op >= 0x78 && op <= 0x7F) || (op >= 0x88 && op <= 0x8F)) {
    } else if (op == 0xA0) {
        src->ReadBytes(2);
    } else if (op == 0xA1) {
        src->ReadBytes(2);
        wordLength();
    } else if (op >= 0xB0 && op <= 0xCF) {
    } else if (op >= 0xD0 && op <= 0xFE) {
        dwordLength();
    } else if (op >= 0x100 && op <= 0x7FFF && m_Version == 2) {
        src->ReadBytes((op >> 8) * 2);
    } else if (op >= 0x8000 && op <= 0x80FF && m_Version == 2) {
    } else if (op >= 0x8100 && op <= 0xFFFF && m_Version == 2) {
        dwordLength();
    } else {
        char buffer[60];
        std::snprintf(buffer, sizeof buffer, "Can't handle Opcode %x.\n", op);
        raiseError(PL_ERRFORMAT_UNKNOWN, buffer);
    }
}

void PLPictDecoder::readPixmapHeader() {
    // Row bytes were read by the caller; bounds, version, pack type and size, resolution,
    // pixel type and size, component count and size, plane bytes, table and reserved.
    const BYTE* p = m_pDataSrc->ReadBytes(44);
    auto be16 = [&](int i) { return int(short((p[i] << 8) | p[i + 1])); };
    m_Top = be16(0);
    m_Left = be16(2);
    m_Bottom = be16(4);
    m_Right = be16(6);
    m_PackType = be16(10);
    m_PixelSize = be16(26);
    m_CmpCount = be16(28);
}

void PLPictDecoder::readColorTable() {
    m_pDataSrc->ReadBytes(6);  // seed and flags
    int size = m_pDataSrc->ReadWordBE() + 1;
    if (size > 256)
        raiseError(PL_ERRFORMAT_UNKNOWN, "pixel value greater than colour table size.");
    const BYTE* p = m_pDataSrc->ReadBytes(size * 8);
    for (int i = 0; i < 256; ++i)
        m_Palette[i] = PLPixel32(0, 0, 0, 255);
    m_NumColors = 0;
    for (int i = 0; i < size; ++i) {
        // Entries carry their index, except in device tables, where it is their position.
        int index = i;
        int value = (p[i * 8] << 8) | p[i * 8 + 1];
        if (value < 256 && value >= 0)
            index = value;
        m_Palette[index] = PLPixel32(p[i * 8 + 2], p[i * 8 + 4], p[i * 8 + 6], 255);
        if (index + 1 > m_NumColors)
            m_NumColors = index + 1;
    }
    if (m_NumColors < size)
        m_NumColors = size;
}

void PLPictDecoder::skipPixPat() {
    int type = m_pDataSrc->ReadWordBE();
    m_pDataSrc->ReadBytes(8);  // the one-bit pattern
    if (type == 2) {
        m_pDataSrc->ReadBytes(6);  // dither colour
        return;
    }
    if (type != 1)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown pattern type in pixPat.");
    // A full pixel pattern: a pixmap, its colour table and its pixels, all skipped.
    int saved[7] = {m_RowBytes, m_Top, m_Left, m_Bottom, m_Right, m_PackType, m_PixelSize};
    m_RowBytes = m_pDataSrc->ReadWordBE() & 0x3FFF;
    readPixmapHeader();
    PLPixel32 palette[256];
    std::memcpy(palette, m_Palette, sizeof palette);
    int numColors = m_NumColors, cmpCount = m_CmpCount;
    readColorTable();
    readPixels(nullptr);
    std::memcpy(m_Palette, palette, sizeof palette);
    m_NumColors = numColors;
    m_CmpCount = cmpCount;
    m_RowBytes = saved[0];
    m_Top = saved[1];
    m_Left = saved[2];
    m_Bottom = saved[3];
    m_Right = saved[4];
    m_PackType = saved[5];
    m_PixelSize = saved[6];
}

void PLPictDecoder::openJPEG() {
    DWORD length = m_pDataSrc->ReadDWordBE();
    if (length > DWORD(m_pDataSrc->GetBytesLeft()))
        length = DWORD(m_pDataSrc->GetBytesLeft());
    const BYTE* p = m_pDataSrc->PeekBytes(int(length));
    DWORD start = 0;
    while (start + 3 <= length && !(p[start] == 0xFF && p[start + 1] == 0xD8 && p[start + 2] == 0xFF))
        ++start;
    if (start + 3 > length)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "PICT file contains unrecognized quicktime data.\n");
    if (!m_pJPEGDecoder)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Library not compiled for PICT/JPEG.");
    m_pDataSrc->ReadBytes(int(start));
    // The JPEG picture runs from its own start to the end of the file.
    try {
        m_pJPEGDecoder->Open(m_pDataSrc);
    } catch (...) {
        m_pJPEGDecoder->Detach();
        throw;
    }
    m_Kind = kJPEG;
    SetBmpInfo(*m_pJPEGDecoder);
}

void PLPictDecoder::detachJPEG() {
    if (m_Kind == kJPEG && m_pJPEGDecoder)
        m_pJPEGDecoder->Detach();
    m_Kind = kNone;
}

void PLPictDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    m_Kind = kNone;
    src->ReadBytes(512 + 10);  // preamble, picture size and frame
    const BYTE* v = src->PeekBytes(src->GetBytesLeft() >= 2 ? 2 : 0);
    if (src->GetBytesLeft() >= 2 && v[0] == 0x11 && v[1] == 0x01) {
        m_Version = 1;
        src->ReadBytes(2);
    } else if (src->GetBytesLeft() >= 2 && v[0] == 0x00 && v[1] == 0x11) {
        src->ReadBytes(2);
        if (src->ReadWordBE() != 0x02FF)
            raiseError(PL_ERRWRONG_SIGNATURE, "Illegal version number.");
        m_Version = 2;
    } else {
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pict: Version number missing.");
    }

    for (;;) {
        int op = readOpcode();
        if (op == 0xFF || op == 0xFFFF)
            raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "PICT contained only vector data!\n");
        if (op == 0x8200) {
            openJPEG();
            return;
        }
        if (op == 0x90 || op == 0x91 || op == 0x98 || op == 0x99) {
            int rowBytes = src->ReadWordBE();
            if (rowBytes & 0x8000) {
                m_Kind = kPixmap;
                m_RowBytes = rowBytes & 0x3FFF;
                readPixmapHeader();
                readColorTable();
            } else {
                m_Kind = kBitmap;
                m_RowBytes = rowBytes;
                const BYTE* p = src->ReadBytes(8);
                m_Top = short((p[0] << 8) | p[1]);
                m_Left = short((p[2] << 8) | p[3]);
                m_Bottom = short((p[4] << 8) | p[5]);
                m_Right = short((p[6] << 8) | p[7]);
                m_PixelSize = 1;
                m_CmpCount = 1;
                m_PackType = 0;
                m_Palette[0] = PLPixel32(255, 255, 255, 255);
                m_Palette[1] = PLPixel32(0, 0, 0, 255);
                m_NumColors = 2;
            }
        } else if (op == 0x9A || op == 0x9B) {
            src->ReadBytes(4);  // base address
            m_Kind = kDirect;
            m_RowBytes = src->ReadWordBE() & 0x3FFF;
            readPixmapHeader();
        } else {
            skipOpcode(op);
            continue;
        }
        m_Opcode = op;
        break;
    }

    switch (m_PixelSize) {
    case 1: case 2: case 4: case 8: case 16: case 32: break;
    default: {
        char buffer[60];
        std::snprintf(buffer, sizeof buffer, "Illegal bpp value in unpackbits: %d\n", m_PixelSize);
        raiseError(PL_ERRFORMAT_UNKNOWN, buffer);
    }
    }
    if ((m_Kind == kDirect) != (m_PixelSize > 8))
        raiseError(PL_ERRFORMAT_UNKNOWN, "Bad bits per pixel in expandBuf8.");
    checkSize((long long)m_Right - m_Left, (long long)m_Bottom - m_Top);
    if (m_Kind == kDirect && m_PixelSize == 32 && m_PackType == 4) {
        // Component planes: red, green and blue, behind alpha when there are four.
        if (m_CmpCount < 3)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Too few colour components in direct pixels.");
        if (m_RowBytes < (long long)(m_Right - m_Left) * m_CmpCount)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Row bytes too small for the picture width.");
    }
    // Every row takes at least a byte: its packed length, or its raw bytes.
    requireBytes((long long)m_Bottom - m_Top);
    bool alpha = m_Kind == kDirect && m_CmpCount == 4;
    SetBmpInfo(m_Right - m_Left, m_Bottom - m_Top, m_PixelSize <= 8 ? 8 : 32, PLPoint(0, 0), alpha, false);
}

void PLPictDecoder::readRow(BYTE* row, int rowBytes, int unpackedLength, int unit, bool packed) {
    std::memset(row, 0, size_t(unpackedLength));
    if (!packed) {
        const BYTE* p = m_pDataSrc->ReadBytes(rowBytes);
        std::memcpy(row, p, size_t(rowBytes < unpackedLength ? rowBytes : unpackedLength));
        return;
    }
    int count = rowBytes > 250 ? m_pDataSrc->ReadWordBE() : m_pDataSrc->ReadByte();
    PLUnpackBits(m_pDataSrc->ReadBytes(count), count, row, unpackedLength, unit);
}

void PLPictDecoder::readPixels(PLBmp* bmp) {
    int width = m_Right - m_Left, height = m_Bottom - m_Top;
    if (width <= 0 || height <= 0)
        return;
    int rowBytes = m_RowBytes;
    int bits = m_PixelSize;
    bool planes = bits == 32 && m_PackType == 4;
    bool threeBytes = bits == 32 && m_PackType == 2;
    long long needed = planes ? (long long)width * m_CmpCount
                       : threeBytes ? (long long)width * 3
                                    : ((long long)width * bits + 7) / 8;
    if (!planes && !threeBytes && rowBytes < needed)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Row bytes too small for the picture width.");
    if (needed > 0x7FFFFFF)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal picture size.");
    int unpacked = int(needed > rowBytes ? needed : rowBytes);
    std::vector<BYTE> row(size_t(unpacked) + 4);
    bool packed = rowBytes >= 8 && m_PackType != 1 && !threeBytes;
    int unit = bits == 16 && m_PackType == 3 ? 2 : 1;

    for (int y = 0; y < height; ++y) {
        if (threeBytes)
            std::memcpy(row.data(), m_pDataSrc->ReadBytes(width * 3), size_t(width) * 3);
        else
            readRow(row.data(), rowBytes, unpacked, unit, packed);
        if (!bmp)
            continue;
        BYTE* d = bmp->GetLine(y);
        const BYTE* s = row.data();
        if (bits <= 8) {
            int mask = (1 << bits) - 1;
            for (int x = 0; x < width; ++x) {
                long bit = long(x) * bits;
                int v = (s[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
                if (v >= m_NumColors)
                    raiseError(PL_ERRFORMAT_UNKNOWN, "pixel value greater than colour table size.");
                d[x] = BYTE(v);
            }
        } else if (bits == 16) {
            for (int x = 0; x < width; ++x, d += 4) {
                int v = (s[x * 2] << 8) | s[x * 2 + 1];
                int r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                d[0] = BYTE((b << 3) | (b >> 2));
                d[1] = BYTE((g << 3) | (g >> 2));
                d[2] = BYTE((r << 3) | (r >> 2));
                d[3] = 255;
            }
        } else if (planes) {
            // Component planes: alpha (when four), red, green, blue.
            int c = m_CmpCount >= 4 ? 1 : 0;
            for (int x = 0; x < width; ++x, d += 4) {
                d[0] = s[(c + 2) * width + x];
                d[1] = s[(c + 1) * width + x];
                d[2] = s[c * width + x];
                d[3] = c ? s[x] : 255;
            }
        } else if (threeBytes) {
            for (int x = 0; x < width; ++x, d += 4) {
                d[0] = s[x * 3 + 2];
                d[1] = s[x * 3 + 1];
                d[2] = s[x * 3];
                d[3] = 255;
            }
        } else {
            for (int x = 0; x < width; ++x, d += 4) {
                d[0] = s[x * 4 + 3];
                d[1] = s[x * 4 + 2];
                d[2] = s[x * 4 + 1];
                d[3] = m_CmpCount >= 4 ? s[x * 4] : 255;
            }
        }
    }
}

void PLPictDecoder::ReadImage(PLBmp& bmp) {
    if (m_Kind == kJPEG) {
        try {
            m_pJPEGDecoder->ReadImage(bmp);
        } catch (...) {
            detachJPEG();
            throw;
        }
        detachJPEG();
        return;
    }
    if (m_PixelSize <= 8)
        bmp.SetPalette(m_Palette);
    m_pDataSrc->ReadBytes(18);  // source and destination rectangles, transfer mode
    if (m_Opcode == 0x91 || m_Opcode == 0x99 || m_Opcode == 0x9B)
        skipRegion();  // mask region
    readPixels(&bmp);
    opaqueWhenAlphaUnused(bmp);
}

void PLPictDecoder::Close() {
    detachJPEG();
    PLPicDecoder::Close();
}
