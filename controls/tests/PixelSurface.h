// A top-down 32-bit DIB section selected into a memory device context, for tests that draw
// and then read pixels back.
#pragma once
#include <windows.h>

#include <cstdint>

class PixelSurface {
public:
    PixelSurface(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~PixelSurface()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void Fill(COLORREF colour)
    {
        RECT r = {0, 0, m_width, m_height};
        HBRUSH b = ::CreateSolidBrush(colour);
        ::FillRect(m_dc, &r, b);
        ::DeleteObject(b);
    }
    // How many pixels of the rectangle have exactly this colour.
    int Count(COLORREF colour, int left = 0, int top = 0, int right = -1, int bottom = -1) const
    {
        if (right < 0) right = m_width;
        if (bottom < 0) bottom = m_height;
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += At(x, y) == colour;
        return n;
    }
    uint32_t* bits() const { return m_bits; }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};
