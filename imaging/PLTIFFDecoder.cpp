#include "PLTIFFDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLTIFFMemorySource.h"
#include "PLTextException.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {
// Copies the four bytes of each pixel as they are: colour is not multiplied by alpha.
void putContig8bitRGBA(TIFFRGBAImage* img, uint32_t* cp, uint32_t, uint32_t, uint32_t w, uint32_t h,
                       int32_t fromskew, int32_t toskew, unsigned char* pp) {
    int samples = img->samplesperpixel;
    fromskew *= samples;
    for (; h > 0; --h) {
        for (uint32_t x = 0; x < w; ++x, pp += samples)
            *cp++ = uint32_t(pp[0]) | (uint32_t(pp[1]) << 8) | (uint32_t(pp[2]) << 16) | (uint32_t(pp[3]) << 24);
        cp += toskew;
        pp += fromskew;
    }
}

int resolution(float value, int unit) {
    if (value <= 1)
        return 0;
    if (unit == RESUNIT_CENTIMETER)
        value *= 2.54f;
    return int(std::lround(value));
}
}  // namespace

PLTIFFDecoder::PLTIFFDecoder() = default;

PLTIFFDecoder::~PLTIFFDecoder() { closeHandle(); }

int PLTIFFDecoder::onError(TIFF*, void* user, const char*, const char* format, va_list args) {
    // Called from inside libtiff, which no exception may pass through.
    auto* self = static_cast<PLTIFFDecoder*>(user);
    char buffer[1024];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    self->m_bErrorPending = true;
    try {
        self->m_LastError = buffer;
    } catch (...) {
        self->m_LastError.clear();
    }
    return 1;
}

int PLTIFFDecoder::onWarning(TIFF*, void*, const char* module, const char* format, va_list args) {
    char buffer[1024], line[1200];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    if (module)
        std::snprintf(line, sizeof line, "Warning in LIBTIFF(%s): %s\n", module, buffer);
    else
        std::snprintf(line, sizeof line, "Warning in LIBTIFF: %s\n", buffer);
    TraceMessage(2, line);
    return 1;
}

void PLTIFFDecoder::closeHandle() {
    if (m_pTif)
        TIFFClose(m_pTif);
    m_pTif = nullptr;
}

void PLTIFFDecoder::raiseWithMessage(int code, const char* fallback) {
    std::string text = m_LastError.empty() ? fallback : m_LastError;
    m_bErrorPending = false;
    closeHandle();
    raiseError(code, text.c_str());
}

void PLTIFFDecoder::checkLibraryError() {
    if (m_bErrorPending)
        raiseWithMessage(PL_ERRFORMAT_UNKNOWN, "TIFF library error.");
}

void PLTIFFDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    closeHandle();
    m_LastError.clear();
    m_bErrorPending = false;
    m_Size = src->GetBytesLeft();
    auto* block = new PLTIFFMemorySource(src->CurrentPointer(), m_Size, &m_Size, 'r');
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, &PLTIFFDecoder::onError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, &PLTIFFDecoder::onWarning, this);
    m_pTif = PLTIFFMemorySource::Open(block, "MemSource", "r", options);
    TIFFOpenOptionsFree(options);
    if (!m_pTif)
        raiseWithMessage(PL_ERRWRONG_SIGNATURE, "TIFF file could not be opened.");

    uint32_t width = 0, height = 0;
    uint16_t bps = 1, spp = 1, photometric = 0;
    TIFFGetField(m_pTif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(m_pTif, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    if (!TIFFGetField(m_pTif, TIFFTAG_PHOTOMETRIC, &photometric))
        photometric = PHOTOMETRIC_MINISWHITE;
    checkLibraryError();
    m_BitsPerSample = bps;
    m_Samples = spp;
    m_Photometric = photometric;
    m_bTiled = TIFFIsTiled(m_pTif) != 0;
    if (width == 0 || height == 0 || (long long)width * height > kMaxPixels ||
        (long long)width * height * 4 + 4LL * height > 0x7FFFFFFFLL) {
        closeHandle();
        checkSize(width, height);
    }

    int depth;
    if (m_bTiled)
        depth = 32;
    else if (spp == 1)
        depth = bps == 1 ? 1 : bps > 8 ? 32 : 8;
    else if (spp == 2 && bps <= 8)
        depth = 8;
    else
        depth = 32;
    bool grey = photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK;
    bool alpha = spp == 4 && photometric <= PHOTOMETRIC_PALETTE;

    float xres = 0, yres = 0;
    uint16_t unit = RESUNIT_INCH;
    TIFFGetField(m_pTif, TIFFTAG_XRESOLUTION, &xres);
    TIFFGetField(m_pTif, TIFFTAG_YRESOLUTION, &yres);
    TIFFGetField(m_pTif, TIFFTAG_RESOLUTIONUNIT, &unit);
    SetBmpInfo(int(width), int(height), depth, PLPoint(resolution(xres, unit), resolution(yres, unit)), alpha, grey);
}

void PLTIFFDecoder::ReadImage(PLBmp& bmp) {
    if (!m_bTiled && (m_Samples == 1 || m_Samples == 2) && m_BitsPerSample <= 8)
        doLoColor(bmp);
    else
        doHiColor(bmp);
    checkLibraryError();
    opaqueWhenAlphaUnused(bmp);
}

void PLTIFFDecoder::doLoColor(PLBmp& bmp) {
    int bps = m_BitsPerSample, spp = m_Samples;
    int n = 1 << bps;
    int photometric = m_Photometric;
    if (photometric != PHOTOMETRIC_MINISWHITE && photometric != PHOTOMETRIC_MINISBLACK &&
        photometric != PHOTOMETRIC_PALETTE) {
        TraceMessage(2, "unexpected PhotometricInterpretation, default to PHOTOMETRIC_MINISWHITE");
        photometric = PHOTOMETRIC_MINISWHITE;
    }
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (photometric == PHOTOMETRIC_PALETTE && !TIFFGetField(m_pTif, TIFFTAG_COLORMAP, &red, &green, &blue))
        raiseWithMessage(PL_ERRFORMAT_UNKNOWN, "TIFF colour map missing.");
    // Colour maps hold 16-bit values; old writers put 8-bit values in them.
    bool eightBitMap = true;
    if (red)
        for (int i = 0; i < n; ++i)
            if (red[i] > 255 || green[i] > 255 || blue[i] > 255)
                eightBitMap = false;
    int colours = bmp.GetNumColors();
    for (int i = 0; i < colours && i < n; ++i) {
        if (photometric == PHOTOMETRIC_PALETTE) {
            auto c = [&](uint16_t v) { return BYTE(eightBitMap ? v : v >> 8); };
            bmp.SetPaletteEntry(i, c(red[i]), c(green[i]), c(blue[i]), 255);
        } else {
            BYTE v = BYTE(i * 255 / (n - 1));
            if (photometric == PHOTOMETRIC_MINISWHITE)
                v = BYTE(255 - v);
            bmp.SetPaletteEntry(i, v, v, v, 255);
        }
    }

    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_PLANARCONFIG, &planar);
    bool separate = planar == PLANARCONFIG_SEPARATE && spp > 1;
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    if (rowsPerStrip == 0 || rowsPerStrip > uint32_t(m_Height))
        rowsPerStrip = uint32_t(m_Height);
    // Bits of one stored line: all samples of a pixel together, or only the first plane.
    long long lineBits = (long long)m_Width * bps * (separate ? 1 : spp);
    long long lineBytes = (lineBits + 7) / 8;
    tmsize_t stripSize = TIFFStripSize(m_pTif);
    if (stripSize <= 0 || lineBytes * rowsPerStrip > stripSize)
        raiseWithMessage(PL_ERRINTERNAL, "TIFF strip size does not match the picture.");
    // The largest strip a picture within the size cap can have: four 16-bit samples a pixel.
    if (stripSize > kMaxPixels * 8)
        raiseError(PL_ERRNO_MEMORY, "Picture too large.");
    std::vector<BYTE> strip(static_cast<size_t>(stripSize));
    int pixelBits = bps * (separate ? 1 : spp);

    for (int y = 0; y < m_Height; y += int(rowsPerStrip)) {
        uint32_t stripNo = TIFFComputeStrip(m_pTif, uint32_t(y), 0);
        if (TIFFReadEncodedStrip(m_pTif, stripNo, strip.data(), stripSize) < 0)
            raiseWithMessage(PL_ERRINTERNAL, "TIFF strip could not be read.");
        int rows = m_Height - y < int(rowsPerStrip) ? m_Height - y : int(rowsPerStrip);
        for (int r = 0; r < rows; ++r) {
            const BYTE* s = strip.data() + size_t(r) * size_t(lineBytes);
            BYTE* d = bmp.GetLine(y + r);
            if (GetBitsPerPixel() == 1) {
                std::memcpy(d, s, size_t((m_Width + 7) / 8));
                continue;
            }
            // The first sample of every pixel, most significant bits first.
            int mask = n - 1;
            for (int x = 0; x < m_Width; ++x) {
                long long bit = (long long)x * pixelBits;
                if (bps == 8)
                    d[x] = s[bit >> 3];
                else {
                    // A sample of 3, 5, 6 or 7 bits may run on into the next byte.
                    int shift = 8 - bps - int(bit & 7);
                    unsigned v = s[bit >> 3];
                    if (shift < 0) {
                        v = (v << 8) | s[(bit >> 3) + 1];
                        shift += 8;
                    }
                    d[x] = BYTE((v >> shift) & mask);
                }
            }
        }
    }
}

void PLTIFFDecoder::doHiColor(PLBmp& bmp) {
    char message[1024] = "";
    TIFFRGBAImage img;
    if (!TIFFRGBAImageOK(m_pTif, message) || !TIFFRGBAImageBegin(&img, m_pTif, 0, message)) {
        m_LastError = message;
        raiseWithMessage(PL_ERRWRONG_SIGNATURE, "TIFF picture cannot be read as RGBA.");
    }
    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(m_pTif, TIFFTAG_PLANARCONFIG, &planar);
    if (m_Samples == 4 && m_BitsPerSample == 8 && m_Photometric == PHOTOMETRIC_RGB && planar == PLANARCONFIG_CONTIG &&
        !m_bTiled)
        img.put.contig = putContig8bitRGBA;

    size_t pixels = size_t(m_Width) * size_t(m_Height);
    uint32_t* raster = new (std::nothrow) uint32_t[pixels];
    if (!raster) {
        TIFFRGBAImageEnd(&img);
        raiseError(PL_ERRNO_MEMORY, "Out of memory allocating TIFF buffer.");
    }
    int ok = TIFFRGBAImageGet(&img, raster, uint32_t(m_Width), uint32_t(m_Height));
    TIFFRGBAImageEnd(&img);
    if (!ok) {
        delete[] raster;
        raiseWithMessage(PL_ERRWRONG_SIGNATURE, "TIFF picture cannot be read as RGBA.");
    }
    for (int y = 0; y < m_Height; ++y) {
        const uint32_t* s = raster + size_t(m_Height - 1 - y) * size_t(m_Width);
        BYTE* d = bmp.GetLine(y);
        for (int x = 0; x < m_Width; ++x, d += 4) {
            d[0] = BYTE(TIFFGetB(s[x]));
            d[1] = BYTE(TIFFGetG(s[x]));
            d[2] = BYTE(TIFFGetR(s[x]));
            d[3] = BYTE(TIFFGetA(s[x]));
        }
    }
    delete[] raster;
}

void PLTIFFDecoder::Close() {
    closeHandle();
    PLPicDecoder::Close();
}
