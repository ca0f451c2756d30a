// Bitmap kept as a Windows device-independent bitmap: one block holding the 40-byte
// header, the palette and the pixels (lines padded to 4 bytes, stored bottom-up).
// Drawing into a device context exists in the Windows build only.
#pragma once
#include "PLBmp.h"
#include "PLDibTypes.h"

class PLWinBmp : public PLBmp {
public:
    PLWinBmp();  // an empty 16 x 16 bitmap of depth 8
    ~PLWinBmp() override;

    long GetMemUsed() override;
    int GetBytesPerLine() override;

#ifdef _WIN32
    virtual void CreateFromResource(HINSTANCE instance, int resourceId);
    virtual void Draw(HDC dc, int x, int y, DWORD rasterOperation = SRCCOPY);
    virtual void StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rasterOperation = SRCCOPY);
    virtual void StretchDrawFactor(HDC dc, int x, int y, double factor, DWORD rasterOperation = SRCCOPY);
    virtual void DrawExtract(HDC dc, int x, int y, int left, int top, int right, int bottom);
    virtual HANDLE CopyToGlobal();
#endif
    // Copies a packed DIB with a 40-byte header (header, 2^depth palette entries for depths
    // up to 15, padded pixels) into a new block.
    virtual void CreateFromPackedDib(const BITMAPINFOHEADER* dib);

    BITMAPINFOHEADER* GetBMI() const { return m_pBMI; }
    BYTE* GetBits() const { return m_pBits; }
    // Size of the whole block: header, palette and pixels.
    long GetDibSize() const;

protected:
    void internalCreate(int width, int height, int bitsPerPixel) override;
    void freeMembers() override;
    void initLineArray() override;
    virtual void initPointers();

private:
    static int paletteEntries(int bitsPerPixel) { return bitsPerPixel <= 15 ? (1 << bitsPerPixel) : 0; }
    static long paddedLineLength(int width, int bitsPerPixel) {
        return ((long(width) * bitsPerPixel + 31) / 32) * 4;
    }

    BITMAPINFOHEADER* m_pBMI = nullptr;
    BYTE* m_pBits = nullptr;
};
