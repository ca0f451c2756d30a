// A 32-bit memory device context for the menu drawing tests, its pixels readable directly.
#pragma once
#include <windows.h>

class MenuTestDib {
public:
    MenuTestDib(int width, int height, COLORREF fill = RGB(1, 2, 3)) : m_width(width), m_height(height)
    {
        BITMAPINFO bi;
        ZeroMemory(&bi, sizeof bi);
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT r = {0, 0, width, height};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(m_dc, &r, b);
        DeleteObject(b);
    }
    ~MenuTestDib()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    MenuTestDib(const MenuTestDib&) = delete;
    MenuTestDib& operator=(const MenuTestDib&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        DWORD p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};
