#include "PLBmp.h"
#include "PLAnyBmp.h"
#include "PLFilter.h"
#include "PLFilterQuantize.h"
#include "PLTextException.h"
#include <cstring>

PLBmp::PLBmp() = default;
PLBmp::~PLBmp() = default;

int PLBmp::UnpaddedLineLength(int width, int bitsPerPixel) {
    if (bitsPerPixel == 1)
        return (width + 7) / 8;
    return width * (bitsPerPixel / 8);
}

void PLBmp::CreateFromInfo(const PLBmpInfo& info) {
    Create(info.GetWidth(), info.GetHeight(), info.GetBitsPerPixel(), info.HasAlpha(), info.IsGreyscale(),
           info.GetResolution());
}

void PLBmp::Create(int width, int height, int bitsPerPixel, bool alpha, bool greyscale, PLPoint resolution) {
    if (width < 0 || height < 0 ||
        (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32))
        throw PLTextException(PL_ERRFORMAT_NOT_SUPPORTED, "Illegal bitmap size or depth.");
    // Lines are addressed with 32-bit offsets; refuse what cannot be addressed.
    if (static_cast<long long>(width) * height * 4 + 4LL * height > 0x7FFFFFFFLL)
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    freeMembers();
    m_Width = width;
    m_Height = height;
    m_bpp = bitsPerPixel;
    m_bAlphaChannel = alpha;
    m_bIsGreyscale = greyscale;
    m_Resolution = resolution;
    internalCreate(width, height, bitsPerPixel);
    if (bitsPerPixel <= 8)
        SetGrayPalette();
}

void PLBmp::SetGrayPalette() {
    if (!m_pClrTab)
        return;
    int n = GetNumColors();
    int step = 255 / (n - 1);
    for (int i = 0; i < n; ++i)
        m_pClrTab[i] = PLPixel32(BYTE(i * step), BYTE(i * step), BYTE(i * step), 255);
}

void PLBmp::SetPalette(const PLPixel32* palette) {
    if (m_pClrTab)
        std::memcpy(m_pClrTab, palette, sizeof(PLPixel32) * GetNumColors());
}

void PLBmp::SetPaletteEntry(int index, BYTE r, BYTE g, BYTE b, BYTE a) {
    if (m_pClrTab && index >= 0 && index < GetNumColors())
        m_pClrTab[index] = PLPixel32(r, g, b, a);
}

void PLBmp::Lock(bool, bool) { ++m_LockCount; }
void PLBmp::Unlock() { --m_LockCount; }

void PLBmp::ApplyFilter(const PLFilter& filter) { filter.Apply(this); }

void PLBmp::copyPixelsFrom(const PLBmp& other) {
    int len = UnpaddedLineLength(m_Width, m_bpp);
    for (int y = 0; y < m_Height; ++y)
        std::memcpy(m_pLineArray[y], other.GetLine(y), len);
    if (m_bpp <= 8)
        SetPalette(other.GetPalette());
}

void PLBmp::CreateCopy(const PLBmp& other, int bitsPerPixel) {
    if (bitsPerPixel == 0 || bitsPerPixel == other.GetBitsPerPixel()) {
        if (&other == this)
            return;
        Create(other.GetWidth(), other.GetHeight(), other.GetBitsPerPixel(), other.HasAlpha(),
               other.IsGreyscale(), other.GetResolution());
        copyPixelsFrom(other);
        return;
    }
    if (&other == this) {
        // Creating the new storage would free the pixels being converted: convert from a copy.
        PLAnyBmp copy;
        copy.CreateCopy(other);
        copy.SetQuantizationMode(m_DitherType, m_DitherPaletteType);
        convertFrom(copy, bitsPerPixel);
        return;
    }
    convertFrom(other, bitsPerPixel);
}

void PLBmp::convertFrom(const PLBmp& other, int bpp) {
    int from = other.GetBitsPerPixel();
    bool supported = (bpp == 32 || bpp == 24) || (bpp == 8 && (from == 1 || from == 32)) ||
                     (bpp == 1 && (from == 8 || from == 32));
    if (!supported)
        throw PLTextException(PL_ERRFORMAT_NOT_SUPPORTED, "Bit depth conversion not supported.");
    if (bpp == 8 && from == 32) {
        PLFilterQuantize quantize(m_DitherPaletteType, m_DitherType);
        quantize.ApplyTo(const_cast<PLBmp*>(&other), this);
        return;
    }
    int w = other.GetWidth(), h = other.GetHeight();
    Create(w, h, bpp, other.HasAlpha() && bpp == 32, other.IsGreyscale() && bpp == 8, other.GetResolution());
    const PLPixel32* srcPal = other.GetPalette();
    if (bpp == 32 || bpp == 24) {
        int step = bpp / 8;
        for (int y = 0; y < h; ++y) {
            const BYTE* s = other.GetLine(y);
            BYTE* d = GetLine(y);
            for (int x = 0; x < w; ++x, d += step) {
                PLPixel32 p;
                switch (from) {
                case 1: p = srcPal[(s[x >> 3] >> (7 - (x & 7))) & 1]; break;
                case 8: p = srcPal[s[x]]; break;
                case 24: p = PLPixel32(s[x * 3 + 2], s[x * 3 + 1], s[x * 3], 255); break;
                default: p = PLPixel32(s[x * 4 + 2], s[x * 4 + 1], s[x * 4], s[x * 4 + 3]); break;
                }
                d[0] = p.b;
                d[1] = p.g;
                d[2] = p.r;
                if (step == 4)
                    d[3] = p.a;
            }
        }
    } else if (bpp == 8) {  // from 1 bit
        m_pClrTab[0] = srcPal[0];
        m_pClrTab[0].a = 255;
        m_pClrTab[1] = srcPal[1];
        m_pClrTab[1].a = 255;
        for (int y = 0; y < h; ++y) {
            const BYTE* s = other.GetLine(y);
            BYTE* d = GetLine(y);
            for (int x = 0; x < w; ++x)
                d[x] = (s[x >> 3] >> (7 - (x & 7))) & 1;
        }
    } else {  // to 1 bit, from 8 or 32
        m_pClrTab[0] = PLPixel32(255, 255, 255, 255);
        m_pClrTab[1] = PLPixel32(0, 0, 0, 255);
        int len = UnpaddedLineLength(w, 1);
        for (int y = 0; y < h; ++y) {
            const BYTE* s = other.GetLine(y);
            BYTE* d = GetLine(y);
            std::memset(d, 0, len);
            for (int x = 0; x < w; ++x) {
                PLPixel32 p = from == 8 ? srcPal[s[x]] : PLPixel32(s[x * 4 + 2], s[x * 4 + 1], s[x * 4], 255);
                if (p.r < 128 && p.g < 128 && p.b < 128)
                    d[x >> 3] |= BYTE(0x80 >> (x & 7));
            }
        }
    }
}
