#include "PLWEMFDecoder.h"

#ifdef _WIN32
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLFileExtension.h"
#include "PLTextException.h"
#include <cstring>
#include <new>
#include <vector>

namespace {
const DWORD kPlaceableKey = 0x9AC6CDD7;

#pragma pack(push, 2)
struct PlaceableHeader {
    DWORD key;
    WORD handle;
    short left, top, right, bottom;
    WORD inch;
    DWORD reserved;
    WORD checksum;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22, "placeable metafile header is 22 bytes");
}  // namespace

PLWEMFDecoder::PLWEMFDecoder() = default;

PLWEMFDecoder::~PLWEMFDecoder() { release(); }

void PLWEMFDecoder::release() {
    // Objects are selected back before they are deleted.
    if (m_hMemDC) {
        if (m_hOldPalette)
            SelectPalette(m_hMemDC, m_hOldPalette, FALSE);
        if (m_hOldBitmap)
            SelectObject(m_hMemDC, m_hOldBitmap);
    }
    m_hOldPalette = nullptr;
    m_hOldBitmap = nullptr;
    if (m_hPalette)
        DeleteObject(m_hPalette);
    m_hPalette = nullptr;
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    if (m_hMemDC)
        DeleteDC(m_hMemDC);
    m_hMemDC = nullptr;
    if (m_hScreenDC)
        ReleaseDC(nullptr, m_hScreenDC);
    m_hScreenDC = nullptr;
    if (m_hEmf)
        DeleteEnhMetaFile(m_hEmf);
    m_hEmf = nullptr;
    delete[] reinterpret_cast<BYTE*>(m_pHeader);
    m_pHeader = nullptr;
}

void PLWEMFDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    release();
    m_hScreenDC = GetDC(nullptr);
    int size = src->GetBytesLeft();
    const BYTE* data = src->CurrentPointer();
    bool placeable = false;
    PlaceableHeader ph{};
    if (PLHasFileExtension(src->GetName(), ".EMF")) {
        m_hEmf = SetEnhMetaFileBits(UINT(size), data);
    } else {
        if (size >= int(sizeof ph)) {
            std::memcpy(&ph, data, sizeof ph);
            placeable = ph.key == kPlaceableKey;
        }
        if (placeable) {
            data += sizeof ph;
            size -= int(sizeof ph);
        }
        if (size > 0)
            m_hEmf = SetWinMetaFileBits(UINT(size), data, m_hScreenDC, nullptr);
    }
    if (!m_hEmf)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Windows Metafile functions failed to load this image.");

    UINT headerSize = GetEnhMetaFileHeader(m_hEmf, 0, nullptr);
    if (!headerSize)
        raiseError(PL_ERRFORMAT_UNKNOWN, "No header information in metafile");
    m_pHeader = reinterpret_cast<ENHMETAHEADER*>(new (std::nothrow) BYTE[headerSize]);
    if (!m_pHeader)
        raiseError(PL_ERRNO_MEMORY, "Out of memory during allocation of header.");
    GetEnhMetaFileHeader(m_hEmf, headerSize, m_pHeader);

    int width, height;
    if (placeable) {
        if (ph.inch == 0)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal units per inch in metafile header.");
        width = (ph.right - ph.left) * GetDeviceCaps(m_hScreenDC, LOGPIXELSX) / ph.inch;
        height = (ph.bottom - ph.top) * GetDeviceCaps(m_hScreenDC, LOGPIXELSY) / ph.inch;
    } else {
        const RECTL& f = m_pHeader->rclFrame;
        long long mmX = (long long)m_pHeader->szlMillimeters.cx * 100, mmY = (long long)m_pHeader->szlMillimeters.cy * 100;
        width = mmX ? int((long long)(f.right - f.left) * m_pHeader->szlDevice.cx / mmX) : 0;
        height = mmY ? int((long long)(f.bottom - f.top) * m_pHeader->szlDevice.cy / mmY) : 0;
    }
    if (width <= 0)
        width = 320;
    if (height <= 0)
        height = 200;
    checkSize(width, height);

    m_hMemDC = CreateCompatibleDC(m_hScreenDC);
    if (!m_hMemDC)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate device context.");
    m_hBitmap = CreateCompatibleBitmap(m_hScreenDC, width, height);
    if (!m_hBitmap)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate memory bitmap.");
    m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);

    UINT colours = GetEnhMetaFilePaletteEntries(m_hEmf, 0, nullptr);
    bool eight = colours >= 1 && colours <= 255;
    SetBmpInfo(width, height, eight ? 8 : 32, PLPoint(0, 0), !eight, false);
}

void PLWEMFDecoder::ReadImage(PLBmp& bmp) {
    int w = m_Width, h = m_Height, bpp = GetBitsPerPixel();
    if (bpp == 8) {
        UINT colours = GetEnhMetaFilePaletteEntries(m_hEmf, 0, nullptr);
        std::vector<BYTE> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
        auto* pal = reinterpret_cast<LOGPALETTE*>(block.data());
        pal->palVersion = 0x300;
        pal->palNumEntries = 256;
        GetEnhMetaFilePaletteEntries(m_hEmf, colours, pal->palPalEntry);
        m_hPalette = CreatePalette(pal);
        if (!m_hPalette)
            raiseError(PL_ERRNO_MEMORY, "Cannot allocate palette.");
        m_hOldPalette = SelectPalette(m_hMemDC, m_hPalette, FALSE);
        RealizePalette(m_hMemDC);
    }
    RECT rect = {0, 0, w, h};
    FillRect(m_hMemDC, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(m_hMemDC, m_hEmf, &rect);
    GdiFlush();

    // Read the lines back top-down at the bitmap's depth, whatever kind of bitmap it is.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = w;
    bi->bmiHeader.biHeight = -h;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = WORD(bpp);
    bi->bmiHeader.biCompression = BI_RGB;
    size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
    std::vector<BYTE> pixels(stride * size_t(h));
    // The bitmap must not be selected into a context while it is read.
    SelectObject(m_hMemDC, m_hOldBitmap);
    int lines = GetDIBits(m_hMemDC, m_hBitmap, 0, UINT(h), pixels.data(), bi, DIB_RGB_COLORS);
    m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);
    if (lines != h)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Windows Metafile functions failed to load this image.");
    if (bpp == 8)
        for (int i = 0; i < 256; ++i)
            bmp.SetPaletteEntry(i, bi->bmiColors[i].rgbRed, bi->bmiColors[i].rgbGreen, bi->bmiColors[i].rgbBlue, 255);
    for (int y = 0; y < h; ++y)
        std::memcpy(bmp.GetLine(y), pixels.data() + size_t(y) * stride, size_t(w) * (bpp / 8));
    // GDI leaves the fourth byte undefined (0 on most screens): a played metafile is opaque.
    setOpaque(bmp);
}

void PLWEMFDecoder::Close() {
    release();
    PLPicDecoder::Close();
}
#endif
