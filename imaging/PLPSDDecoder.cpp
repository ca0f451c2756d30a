#include "PLPSDDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLPackBits.h"
#include "PLTextException.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

PLPSDDecoder::PLPSDDecoder() = default;
PLPSDDecoder::~PLPSDDecoder() = default;

namespace {
const char* kEOF = "End of file reached while decoding.\n";
// Skips n bytes (a 32-bit length read from the file).
void skip(PLDataSource* src, DWORD n) {
    if (n > DWORD(src->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, kEOF);
    src->ReadBytes(int(n));
}
}  // namespace

void PLPSDDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    const BYTE* h = src->ReadBytes(26);
    if (std::memcmp(h, "8BPS", 4) != 0 || h[4] != 0 || h[5] != 1)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: This isn't a photoshop file.");
    auto be16 = [&](int i) { return int((h[i] << 8) | h[i + 1]); };
    auto be32 = [&](int i) { return (DWORD(h[i]) << 24) | (DWORD(h[i + 1]) << 16) | (DWORD(h[i + 2]) << 8) | h[i + 3]; };
    m_Channels = be16(12);
    DWORD height = be32(14), width = be32(18);
    int depth = be16(22);
    m_Mode = be16(24);
    if (m_Mode != 1 && m_Mode != 2 && m_Mode != 3)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "This PSD color mode is not supported.");
    if (depth != 8)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "This PSD bit depth is not supported.");
    if (m_Channels < 1 || (m_Mode == 3 && m_Channels < 3))
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Illegal channel count.");
    checkSize(width, height);

    // Colour mode data: the palette of indexed pictures.
    for (int i = 0; i < 256; ++i)
        m_Palette[i] = PLPixel32(BYTE(i), BYTE(i), BYTE(i), 255);
    DWORD modeDataLength = src->ReadDWordBE();
    if (modeDataLength) {
        if (modeDataLength < 768) {
            if (m_Mode == 2)
                raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Colour table too short.");
            skip(src, modeDataLength);
        } else {
            const BYTE* p = src->ReadBytes(768);
            for (int i = 0; i < 256; ++i)
                m_Palette[i] = PLPixel32(p[i], p[256 + i], p[512 + i], 255);
            skip(src, modeDataLength - 768);
        }
    }
    PLPoint resolution;
    readResources(resolution);
    readLayerHeaders();
    // Refuse pictures their data cannot hold before anything is allocated: behind the layer
    // section come the compression word, then either raw channels or a table of line
    // lengths and lines whose packed runs give at most 128 bytes for 2.
    long long used = m_Mode == 3 ? (m_Channels < 4 ? m_Channels : 4) : 1;
    long long raw = used * width * height;
    long long packed = 2LL * m_Channels * height + used * height * ((width + 127) / 128) * 2;
    long long section = m_LayerSectionEnd - src->GetBytesRead();
    requireBytes((section > 0 ? section : 0) + 2 + (raw < packed ? raw : packed));
    SetBmpInfo(int(width), int(height), m_Mode == 3 ? 32 : 8, resolution, m_Mode == 3 && m_Channels > 3,
               m_Mode == 1);
}

void PLPSDDecoder::readResources(PLPoint& resolution) {
    DWORD length = m_pDataSrc->ReadDWordBE();
    if (length > DWORD(m_pDataSrc->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, kEOF);
    long long end = m_pDataSrc->GetBytesRead() + (long long)length;
    while (m_pDataSrc->GetBytesRead() < end) {
        const BYTE* sig = m_pDataSrc->ReadBytes(4);
        if (std::memcmp(sig, "8BIM", 4) != 0)
            raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Wrong signature in resource data block.");
        int id = m_pDataSrc->ReadWordBE();
        int nameLength = m_pDataSrc->ReadByte();
        const BYTE* name = m_pDataSrc->ReadBytes(nameLength + ((nameLength + 1) & 1));
        std::string trace = "Reading resource:" + std::string(reinterpret_cast<const char*>(name), nameLength) + "\n";
        TraceMessage(3, trace.c_str());
        DWORD size = m_pDataSrc->ReadDWordBE();
        if (size > 0x7FFFFFF0u)
            throw PLTextException(PL_ERREND_OF_FILE, kEOF);
        const BYTE* data = m_pDataSrc->ReadBytes(int(size + (size & 1)));
        if (id == 1005 && size >= 16) {
            resolution.x = (data[0] << 8) | data[1];
            resolution.y = (data[8] << 8) | data[9];
        }
    }
    if (m_pDataSrc->GetBytesRead() != end)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Resource block spans end of section.");
}

void PLPSDDecoder::readLayerHeaders() {
    DWORD length = m_pDataSrc->ReadDWordBE();
    if (length > DWORD(m_pDataSrc->GetBytesLeft()))
        throw PLTextException(PL_ERREND_OF_FILE, kEOF);
    m_LayerSectionEnd = m_pDataSrc->GetBytesRead() + (long long)length;
    if (length < 4)
        return;
    DWORD infoLength = m_pDataSrc->ReadDWordBE();
    if (infoLength < 2)
        return;
    int count = short(m_pDataSrc->ReadWordBE());
    if (count < 0)
        count = -count;
    char trace[40];
    std::snprintf(trace, sizeof trace, "Number of layers: %i\n", count);
    TraceMessage(3, trace);
    for (int i = 0; i < count; ++i) {
        m_pDataSrc->ReadBytes(16);  // top, left, bottom, right
        int channels = m_pDataSrc->ReadWordBE();
        m_pDataSrc->ReadBytes(channels * 6);  // channel id and length
        m_pDataSrc->ReadBytes(12);            // blend signature and key, opacity, clipping, flags, filler
        skip(m_pDataSrc, m_pDataSrc->ReadDWordBE());
    }
}

void PLPSDDecoder::storeChannel(PLBmp& bmp, int channel, int y, const BYTE* data) {
    BYTE* d = bmp.GetLine(y);
    if (m_Mode != 3) {
        if (channel == 0)
            std::memcpy(d, data, m_Width);
        return;
    }
    static const int offsets[4] = {2, 1, 0, 3};  // red, green, blue, alpha
    if (channel > 3)
        return;
    for (int x = 0; x < m_Width; ++x)
        d[x * 4 + offsets[channel]] = data[x];
}

void PLPSDDecoder::ReadImage(PLBmp& bmp) {
    long long here = m_pDataSrc->GetBytesRead();
    if (here > m_LayerSectionEnd)
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Layer records span end of section.");
    m_pDataSrc->ReadBytes(int(m_LayerSectionEnd - here));

    if (m_Mode == 2)
        bmp.SetPalette(m_Palette);
    else if (m_Mode == 1)
        bmp.SetGrayPalette();
    if (m_Mode == 3)
        for (int y = 0; y < m_Height; ++y)
            for (int x = 0; x < m_Width; ++x)
                bmp.GetLine(y)[x * 4 + 3] = 255;

    int compression = m_pDataSrc->ReadWordBE();
    int used = m_Mode == 3 ? (m_Channels < 4 ? m_Channels : 4) : 1;
    if (compression == 0) {
        for (int c = 0; c < used; ++c)
            for (int y = 0; y < m_Height; ++y)
                storeChannel(bmp, c, y, m_pDataSrc->ReadBytes(m_Width));
    } else if (compression == 1) {
        std::vector<int> counts(size_t(m_Channels) * m_Height);
        for (int& n : counts)
            n = m_pDataSrc->ReadWordBE();
        std::vector<BYTE> line(m_Width);
        for (int c = 0; c < used; ++c)
            for (int y = 0; y < m_Height; ++y) {
                int n = counts[size_t(c) * m_Height + y];
                std::fill(line.begin(), line.end(), 0);
                PLUnpackBits(m_pDataSrc->ReadBytes(n), n, line.data(), m_Width);
                storeChannel(bmp, c, y, line.data());
            }
    } else if (compression == 2 || compression == 3) {
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Compression type not supported.");
    } else {
        raiseError(PL_ERRFORMAT_UNKNOWN, "PSD decoder: Compression unknown.");
    }
    opaqueWhenAlphaUnused(bmp);
}
