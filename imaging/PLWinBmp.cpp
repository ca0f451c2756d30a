#include "PLWinBmp.h"
#include "PLTextException.h"
#include <cstring>
#include <new>

PLWinBmp::PLWinBmp() { Create(16, 16, 8, false, false); }

PLWinBmp::~PLWinBmp() { freeMembers(); }

long PLWinBmp::GetDibSize() const {
    if (!m_pBMI)
        return 0;
    return long(sizeof(BITMAPINFOHEADER)) + paletteEntries(m_bpp) * 4 + paddedLineLength(m_Width, m_bpp) * m_Height;
}

long PLWinBmp::GetMemUsed() { return long(sizeof(*this)) + GetDibSize() + long(sizeof(BYTE*)) * m_Height; }

int PLWinBmp::GetBytesPerLine() { return int(paddedLineLength(m_Width, m_bpp)); }

void PLWinBmp::internalCreate(int width, int height, int bitsPerPixel) {
    size_t size = sizeof(BITMAPINFOHEADER) + size_t(paletteEntries(bitsPerPixel)) * 4 +
                  size_t(paddedLineLength(width, bitsPerPixel)) * size_t(height);
    m_pBMI = reinterpret_cast<BITMAPINFOHEADER*>(new (std::nothrow) BYTE[size]);
    m_pLineArray = new (std::nothrow) BYTE*[height ? height : 1];
    if (!m_pBMI || !m_pLineArray) {
        freeMembers();
        m_Width = m_Height = 0;
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    }
    std::memset(m_pBMI, 0, sizeof(BITMAPINFOHEADER));
    m_pBMI->biSize = sizeof(BITMAPINFOHEADER);
    m_pBMI->biWidth = width;
    m_pBMI->biHeight = height;
    m_pBMI->biPlanes = 1;
    m_pBMI->biBitCount = WORD(bitsPerPixel);
    m_pBMI->biCompression = BI_RGB;
    initPointers();
    initLineArray();
}

void PLWinBmp::initPointers() {
    BYTE* block = reinterpret_cast<BYTE*>(m_pBMI);
    int entries = paletteEntries(m_pBMI->biBitCount);
    m_pClrTab = entries ? reinterpret_cast<PLPixel32*>(block + sizeof(BITMAPINFOHEADER)) : nullptr;
    m_pBits = block + sizeof(BITMAPINFOHEADER) + entries * 4;
}

void PLWinBmp::freeMembers() {
    delete[] reinterpret_cast<BYTE*>(m_pBMI);
    m_pBMI = nullptr;
    m_pBits = nullptr;
    m_pClrTab = nullptr;  // part of the block
    delete[] m_pLineArray;
    m_pLineArray = nullptr;
}

void PLWinBmp::initLineArray() {
    long len = paddedLineLength(m_Width, m_bpp);
    for (int y = 0; y < m_Height; ++y)
        m_pLineArray[y] = m_pBits + size_t(m_Height - 1 - y) * size_t(len);
}

void PLWinBmp::CreateFromPackedDib(const BITMAPINFOHEADER* dib) {
    int width = dib->biWidth, height = dib->biHeight, bpp = dib->biBitCount;
    Create(width, height, bpp, false, false);
    // The block has the same layout as a packed DIB with a full palette.
    const BYTE* src = reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER);
    std::memcpy(reinterpret_cast<BYTE*>(m_pBMI) + sizeof(BITMAPINFOHEADER), src,
                size_t(GetDibSize()) - sizeof(BITMAPINFOHEADER));
}

#ifdef _WIN32
void PLWinBmp::CreateFromResource(HINSTANCE instance, int resourceId) {
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = res ? LoadResource(instance, res) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw PLTextException(PL_ERRFILE_NOT_FOUND, "Can't load bitmap resource.");
    freeMembers();
    CreateFromPackedDib(static_cast<const BITMAPINFOHEADER*>(data));
}

void PLWinBmp::Draw(HDC dc, int x, int y, DWORD rasterOperation) {
    StretchDIBits(dc, x, y, m_Width, m_Height, 0, 0, m_Width, m_Height, m_pBits,
                  reinterpret_cast<BITMAPINFO*>(m_pBMI), DIB_RGB_COLORS, rasterOperation);
}

void PLWinBmp::StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rasterOperation) {
    StretchDIBits(dc, x, y, width, height, 0, 0, m_Width, m_Height, m_pBits,
                  reinterpret_cast<BITMAPINFO*>(m_pBMI), DIB_RGB_COLORS, rasterOperation);
}

void PLWinBmp::StretchDrawFactor(HDC dc, int x, int y, double factor, DWORD rasterOperation) {
    StretchDraw(dc, x, y, int(m_Width * factor), int(m_Height * factor), rasterOperation);
}

void PLWinBmp::DrawExtract(HDC dc, int x, int y, int left, int top, int right, int bottom) {
    SetDIBitsToDevice(dc, x, y, right - left, bottom - top, left, m_Height - bottom, 0, m_Height, m_pBits,
                      reinterpret_cast<BITMAPINFO*>(m_pBMI), DIB_RGB_COLORS);
}

HANDLE PLWinBmp::CopyToGlobal() {
    SIZE_T size = SIZE_T(GetDibSize());
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    void* dest = handle ? GlobalLock(handle) : nullptr;
    if (!dest) {
        if (handle)
            GlobalFree(handle);
        throw PLTextException(PL_ERRNO_MEMORY, "Can't allocate global memory block.");
    }
    std::memcpy(dest, m_pBMI, size);
    GlobalUnlock(handle);
    return handle;
}
#endif
