// A memory device context over a top-down 32-bit device-independent bitmap, whose pixels can
// be read and written directly (0x00RRGGBB each).
#pragma once
#ifdef _WIN32
#include "WinTypes.h"

class CDibSurface {
public:
    CDibSurface() = default;
    CDibSurface(int width, int height) { Create(width, height); }
    ~CDibSurface() { Destroy(); }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    bool Create(int width, int height);
    void Destroy();
    bool IsValid() const { return m_dc != nullptr; }

    HDC GetDC() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    DWORD* Bits() const { return m_bits; }
    // The pixel as a COLORREF; CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    void Fill(COLORREF colour);
    // How many pixels of the rectangle (right and bottom exclusive, -1 for the edge) have the colour.
    int Count(COLORREF colour, int left = 0, int top = 0, int right = -1, int bottom = -1) const;

private:
    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};
#endif
