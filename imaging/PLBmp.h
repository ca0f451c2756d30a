// Abstract bitmap: pixels of depth 1, 8, 24 or 32 reached through a line array
// (line 0 is the top line), a palette for depths up to 8, and conversion between depths.
#pragma once
#include "PLBmpInfo.h"
#include "PLPixel32.h"
#include "WinTypes.h"

class PLFilter;

class PLBmp : public PLBmpInfo {
public:
    PLBmp();
    ~PLBmp() override;
    PLBmp(const PLBmp&) = delete;
    PLBmp& operator=(const PLBmp&) = delete;

    // Creates the bitmap from a decoder's picture description.
    virtual void CreateFromInfo(const PLBmpInfo& info);
    // Frees the old storage and allocates new (contents undefined). Depths up to 8 get a grey ramp.
    virtual void Create(int width, int height, int bitsPerPixel, bool alpha, bool greyscale,
                        PLPoint resolution = PLPoint(0, 0));
    // Makes this bitmap a copy of other, converted to bitsPerPixel (0: other's depth).
    void CreateCopy(const PLBmp& other, int bitsPerPixel = 0);

    virtual long GetMemUsed() = 0;
    virtual int GetBytesPerLine() = 0;
    // Nested pixel access counting; no other effect.
    virtual void Lock(bool forReading, bool forWriting);
    virtual void Unlock();
    int GetLockCount() const { return m_LockCount; }

    void ApplyFilter(const PLFilter& filter);

    BYTE** GetLineArray() const { return m_pLineArray; }
    BYTE* GetLine(int y) const { return m_pLineArray[y]; }
    PLPixel32* GetPalette() const { return m_pClrTab; }
    int GetNumColors() const { return m_bpp <= 8 ? (1 << m_bpp) : 0; }
    void SetPalette(const PLPixel32* palette);
    void SetPaletteEntry(int index, BYTE r, BYTE g, BYTE b, BYTE a);
    void SetGrayPalette();
    void SetResolution(PLPoint resolution) { m_Resolution = resolution; }
    void SetHasAlpha(bool alpha) { m_bAlphaChannel = alpha; }

    // Palette method (0 median cut, 1 popularity, 2 fixed, 3 user) and dithering (0 none,
    // 1 ordered, 2 error diffusion) used when 32 bits are converted to 8.
    void SetQuantizationMode(int ditherType, int paletteType) {
        m_DitherType = ditherType;
        m_DitherPaletteType = paletteType;
    }
    int GetDitherType() const { return m_DitherType; }
    int GetDitherPaletteType() const { return m_DitherPaletteType; }

    // Bytes one line of the given width and depth occupies without padding.
    static int UnpaddedLineLength(int width, int bitsPerPixel);

protected:
    // Storage of each kind of bitmap.
    virtual void internalCreate(int width, int height, int bitsPerPixel) = 0;
    virtual void freeMembers() = 0;
    virtual void initLineArray() = 0;

    BYTE** m_pLineArray = nullptr;
    PLPixel32* m_pClrTab = nullptr;

private:
    void copyPixelsFrom(const PLBmp& other);
    void convertFrom(const PLBmp& other, int bitsPerPixel);

    int m_DitherPaletteType = 2;
    int m_DitherType = 0;
    int m_LockCount = 0;
};
