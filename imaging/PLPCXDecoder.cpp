#include "PLPCXDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLTextException.h"
#include <cstring>
#include <vector>

PLPCXDecoder::PLPCXDecoder() = default;
PLPCXDecoder::~PLPCXDecoder() = default;

void PLPCXDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    const BYTE* h = src->ReadBytes(128);
    if (h[0] != 10)
        raiseError(PL_ERRWRONG_SIGNATURE, "Error decoding pcx: Not a PCX file.");
    if (h[2] != 1)
        raiseError(PL_ERRWRONG_SIGNATURE, "File has unknown encoding scheme.");
    m_BitsPerPixel = h[3];
    auto le16 = [&](int i) { return int(h[i] | (h[i + 1] << 8)); };
    long long width = (long long)le16(8) - le16(4) + 1;
    long long height = (long long)le16(10) - le16(6) + 1;
    m_Planes = h[65];
    m_BytesPerLine = le16(66);
    if (m_Planes > 4)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Can't handle image with more than 4 planes.");
    bool accepted = (m_BitsPerPixel == 1 && m_Planes >= 1) ||
                    ((m_BitsPerPixel == 2 || m_BitsPerPixel == 4 || m_BitsPerPixel == 8) &&
                     (m_Planes == 1 || m_Planes == 3));
    if (!accepted)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Can't handle bits per pixel image with planes.");
    checkSize(width, height);
    // Every line of a plane must hold the picture's width.
    if ((long long)m_BytesPerLine * 8 < width * m_BitsPerPixel)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Line length too short for the picture width.");
    if ((long long)m_BytesPerLine * m_Planes * height > 0x7FFFFFFFLL)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal picture size.");
    // Refuse pictures their data cannot hold before anything is allocated: a run of two
    // bytes gives at most 63.
    requireBytes((long long)m_BytesPerLine * m_Planes * height / 63 * 2);

    for (int i = 0; i < 256; ++i)
        m_Palette[i] = PLPixel32(0, 0, 0, 255);
    for (int i = 0; i < 16; ++i)
        m_Palette[i] = PLPixel32(h[16 + i * 3], h[17 + i * 3], h[18 + i * 3], 255);
    if (m_BitsPerPixel == 1 && m_Planes == 1) {
        m_Palette[0] = PLPixel32(0, 0, 0, 255);
        m_Palette[1] = PLPixel32(255, 255, 255, 255);
    }
    SetBmpInfo(int(width), int(height), 32, PLPoint(le16(12), le16(14)), false, false);
}

void PLPCXDecoder::ReadImage(PLBmp& bmp) {
    int w = m_Width, h = m_Height;
    size_t lineBytes = size_t(m_BytesPerLine) * m_Planes;
    size_t total = lineBytes * h;
    std::vector<BYTE> data(total);
    // Run-length decoding of the whole picture.
    size_t pos = 0;
    while (pos < total) {
        BYTE b = m_pDataSrc->ReadByte();
        if (b >= 192) {
            size_t count = b & 0x3F;
            BYTE v = m_pDataSrc->ReadByte();
            if (pos + count > total)
                raiseError(PL_ERRINTERNAL, "repeat count spans end of image.");
            std::memset(&data[pos], v, count);
            pos += count;
        } else {
            data[pos++] = b;
        }
    }
    if (m_BitsPerPixel == 8 && m_Planes == 1) {
        m_pDataSrc->ReadByte();  // palette marker
        const BYTE* p = m_pDataSrc->ReadBytes(768);
        for (int i = 0; i < 256; ++i)
            m_Palette[i] = PLPixel32(p[i * 3], p[i * 3 + 1], p[i * 3 + 2], 255);
    }

    std::vector<BYTE> indices(size_t(w) + 8);
    for (int y = 0; y < h; ++y) {
        const BYTE* line = &data[size_t(y) * lineBytes];
        PLPixel32* d = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
        if (m_BitsPerPixel == 8 && m_Planes == 3) {
            for (int x = 0; x < w; ++x)
                d[x] = PLPixel32(line[x], line[m_BytesPerLine + x], line[2 * m_BytesPerLine + x], 255);
            continue;
        }
        if (m_Planes > 4)
            raiseError(PL_ERRINTERNAL, "Can't handle more than 4 planes.");
        if (m_Planes > 1) {
            if (m_BitsPerPixel > 1)
                raiseError(PL_ERRINTERNAL, "Can't handle more than 1 bit per pixel.");
            std::fill(indices.begin(), indices.end(), 0);
            for (int plane = 0; plane < m_Planes; ++plane) {
                const BYTE* p = line + plane * m_BytesPerLine;
                for (int x = 0; x < w; ++x)
                    indices[x] |= BYTE(((p[x >> 3] >> (7 - (x & 7))) & 1) << plane);
            }
        } else {
            int bits = m_BitsPerPixel, mask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x) {
                long bit = long(x) * bits;
                indices[x] = BYTE((line[bit >> 3] >> (8 - bits - (bit & 7))) & mask);
            }
        }
        for (int x = 0; x < w; ++x)
            d[x] = m_Palette[indices[x]];
    }
}
