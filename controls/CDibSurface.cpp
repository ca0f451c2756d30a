#include "CDibSurface.h"

bool CDibSurface::Create(int width, int height)
{
    Destroy();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap)
        return false;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<DWORD*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void CDibSurface::Destroy()
{
    if (m_dc) {
        ::SelectObject(m_dc, m_oldBitmap);
        ::DeleteDC(m_dc);
    }
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

COLORREF CDibSurface::GetPixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    ::GdiFlush();
    const DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void CDibSurface::Fill(COLORREF colour)
{
    RECT r = {0, 0, m_width, m_height};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(m_dc, &r, brush);
    ::DeleteObject(brush);
}

int CDibSurface::Count(COLORREF colour, int left, int top, int right, int bottom) const
{
    if (right < 0)
        right = m_width;
    if (bottom < 0)
        bottom = m_height;
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += GetPixel(x, y) == colour;
    return n;
}
