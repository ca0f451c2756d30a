#include "PLAnyBmp.h"
#include "PLTextException.h"
#include <new>

PLAnyBmp::PLAnyBmp() { Create(16, 16, 8, false, false); }

PLAnyBmp::~PLAnyBmp() { freeMembers(); }

long PLAnyBmp::GetMemUsed() {
    return long(sizeof(*this)) + long(GetBytesPerLine()) * m_Height + (m_pClrTab ? GetNumColors() * 4 : 0);
}

int PLAnyBmp::GetBytesPerLine() { return UnpaddedLineLength(m_Width, m_bpp); }

void PLAnyBmp::internalCreate(int width, int height, int bitsPerPixel) {
    size_t size = size_t(UnpaddedLineLength(width, bitsPerPixel)) * size_t(height);
    m_pBits = new (std::nothrow) BYTE[size ? size : 1];
    m_pLineArray = new (std::nothrow) BYTE*[height ? height : 1];
    if (bitsPerPixel <= 8)
        m_pClrTab = new (std::nothrow) PLPixel32[256];
    if (!m_pBits || !m_pLineArray || (bitsPerPixel <= 8 && !m_pClrTab)) {
        freeMembers();
        m_Width = m_Height = 0;
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    }
    initLineArray();
}

void PLAnyBmp::freeMembers() {
    delete[] m_pBits;
    m_pBits = nullptr;
    delete[] m_pLineArray;
    m_pLineArray = nullptr;
    delete[] m_pClrTab;
    m_pClrTab = nullptr;
}

void PLAnyBmp::initLineArray() {
    int len = UnpaddedLineLength(m_Width, m_bpp);
    for (int y = 0; y < m_Height; ++y)
        m_pLineArray[y] = m_pBits + size_t(y) * size_t(len);
}
