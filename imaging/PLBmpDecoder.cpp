#include "PLBmpDecoder.h"
#include "PLBmp.h"
#include "PLDibTypes.h"
#include "PLDataSource.h"
#include "PLTextException.h"
#include <cmath>
#include <cstring>

namespace {
DWORD le32(const BYTE* p) { return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24); }
WORD le16(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
int resolution(LONG pixelsPerMetre) {
    long r = std::lround(pixelsPerMetre * 0.0254);
    return r <= 1 ? 0 : int(r);
}
}  // namespace

PLBmpDecoder::PLBmpDecoder() = default;
PLBmpDecoder::~PLBmpDecoder() = default;

void PLBmpDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    // Bitmap arrays: skip their 14-byte headers to the first bitmap.
    while (src->GetBytesLeft() >= 2 && std::memcmp(src->PeekBytes(2), "BA", 2) == 0)
        src->ReadBytes(14);
    const BYTE* fh = src->ReadBytes(14);
    static const char* const signatures[] = {"BM", "IC", "CI", "CP"};
    bool known = false;
    for (const char* s : signatures)
        known = known || std::memcmp(fh, s, 2) == 0;
    if (!known)
        raiseError(PL_ERRWRONG_SIGNATURE, "Bitmap decoder: This isn't a bitmap.");
    DWORD pixelOffset = le32(fh + 10);

    DWORD headerSize = le32(src->PeekBytes(4));
    if (headerSize != 12 && headerSize < 40)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Decoding bmp: Illegal header size.");
    if (headerSize > 0x7FFFFFFFu)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    const BYTE* ih = src->ReadBytes(int(headerSize));

    long long width, height;
    DWORD colorsUsed = 0;
    int entrySize;
    PLPoint res;
    m_Compression = BI_RGB;
    m_b565 = false;
    if (headerSize == 12) {
        width = le16(ih + 4);
        height = le16(ih + 6);
        m_BitCount = le16(ih + 10);
        entrySize = 3;
    } else {
        width = LONG(le32(ih + 4));
        height = LONG(le32(ih + 8));
        m_BitCount = le16(ih + 14);
        m_Compression = le32(ih + 16);
        res = PLPoint(resolution(LONG(le32(ih + 24))), resolution(LONG(le32(ih + 28))));
        colorsUsed = le32(ih + 32);
        entrySize = 4;
    }
    m_bTopDown = height < 0;
    if (m_bTopDown)
        height = -height;

    switch (m_BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: raiseError(PL_ERRFORMAT_UNKNOWN, "Decoding bmp: Illegal bpp value.");
    }
    bool rle = m_Compression == 1 || m_Compression == 2;
    if ((m_Compression == 1 && m_BitCount != 8) || (m_Compression == 2 && m_BitCount != 4) ||
        (m_Compression == 3 && m_BitCount != 16 && m_BitCount != 32) || m_Compression > 3 ||
        (m_bTopDown && rle))
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Decoding bmp: Compression not supported.");
    checkSize(width, height);

    // Bit-field masks: inside headers of 52 bytes and more, else the 12 bytes behind the header.
    if (m_Compression == 3) {
        const BYTE* masks = headerSize >= 52 ? ih + 40 : src->ReadBytes(12);
        DWORD r = le32(masks), g = le32(masks + 4), b = le32(masks + 8);
        m_b565 = !(r == 0x7C00 && g == 0x03E0 && b == 0x001F);
    }

    // The palette: only bitmaps of 8 bits or fewer have one, of at most 2^bits entries.
    m_NumColors = 0;
    if (m_BitCount <= 8) {
        DWORD maxColors = 1u << m_BitCount;
        DWORD n = (entrySize == 4 && colorsUsed) ? colorsUsed : maxColors;
        if (n > 256)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Decoding bmp: Illegal palette size.");
        const BYTE* pal = src->ReadBytes(int(n) * entrySize);
        for (int i = 0; i < 256; ++i)
            m_Palette[i] = PLPixel32(0, 0, 0, 255);
        for (DWORD i = 0; i < n; ++i)
            m_Palette[i] = PLPixel32(pal[i * entrySize + 2], pal[i * entrySize + 1], pal[i * entrySize], 255);
        m_NumColors = int(n);
    }
    // The pixels start at the file's pixel offset when it lies behind what was read.
    DWORD here = DWORD(src->GetBytesRead());
    if (pixelOffset > here)
        src->ReadBytes(int(pixelOffset - here < 0x7FFFFFFFu ? pixelOffset - here : 0x7FFFFFFFu));

    // Refuse pictures their data cannot hold before anything is allocated: rows take their
    // full padded stride; a run-length pair gives at most 255 pixels.
    if (rle)
        requireBytes(width * height / 255 * 2);
    else
        requireBytes((width * m_BitCount + 31) / 32 * 4 * height);

    bool alpha = m_BitCount == 32;
    SetBmpInfo(int(width), int(height), m_BitCount <= 8 ? 8 : 32, res, alpha, false);
}

void PLBmpDecoder::ReadImage(PLBmp& bmp) {
    if (m_BitCount <= 8)
        bmp.SetPalette(m_Palette);
    if (m_Compression == 1 || m_Compression == 2)
        decodeRLE(bmp, m_Compression == 2);
    else
        decodeRows(bmp);
    opaqueWhenAlphaUnused(bmp);
}

void PLBmpDecoder::decodeRows(PLBmp& bmp) {
    int w = m_Width;
    int stride = int(((long long)w * m_BitCount + 31) / 32 * 4);
    for (int row = 0; row < m_Height; ++row) {
        const BYTE* s = m_pDataSrc->ReadBytes(stride);
        BYTE* d = bmp.GetLine(rowIndex(row));
        switch (m_BitCount) {
        case 1:
            for (int x = 0; x < w; ++x)
                d[x] = (s[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                d[x] = (x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4);
            break;
        case 8: std::memcpy(d, s, w); break;
        case 16:
            for (int x = 0; x < w; ++x, d += 4) {
                unsigned v = le16(s + 2 * x);
                d[0] = BYTE(v * 8);
                d[1] = BYTE(m_b565 ? (v >> 3) & 0xF8 : (v >> 2) & 0xF8);
                d[2] = BYTE(m_b565 ? (v >> 8) & 0xF8 : (v >> 7) & 0xF8);
                d[3] = 255;
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x, d += 4, s += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
                d[3] = 255;
            }
            break;
        default: std::memcpy(d, s, size_t(w) * 4); break;
        }
    }
}

void PLBmpDecoder::decodeRLE(PLBmp& bmp, bool fourBits) {
    for (int y = 0; y < m_Height; ++y)
        std::memset(bmp.GetLine(y), 0, m_Width);
    int x = 0, row = 0;
    // Encoders run lines on to their padded width: what falls outside the picture is dropped.
    auto put = [&](BYTE value) {
        if (x < m_Width && row < m_Height)
            bmp.GetLine(rowIndex(row))[x] = value;
        if (x <= m_Width)
            ++x;
    };
    for (;;) {
        if (row >= m_Height && m_pDataSrc->GetBytesLeft() < 2)
            return;  // every line is filled; the end marker is missing
        const BYTE* pair = m_pDataSrc->ReadBytes(2);
        int n = pair[0], v = pair[1];
        if (n) {
            for (int i = 0; i < n; ++i)
                put(BYTE(fourBits ? ((i & 1) ? (v & 0x0F) : (v >> 4)) : v));
            continue;
        }
        if (v == 0) {  // end of line
            x = 0;
            ++row;
        } else if (v == 1) {  // end of picture
            return;
        } else if (v == 2) {
            raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Encountered delta escape.");
        } else {  // v absolute values, padded to 16 bits
            int bytes = fourBits ? (v + 1) / 2 : v;
            const BYTE* s = m_pDataSrc->ReadBytes(bytes + (bytes & 1));
            for (int i = 0; i < v; ++i)
                put(BYTE(fourBits ? ((i & 1) ? (s[i >> 1] & 0x0F) : (s[i >> 1] >> 4)) : s[i]));
        }
    }
}
