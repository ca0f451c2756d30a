#include "PLPNGDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include <cmath>
#include <cstring>
#include <vector>

PLPNGDecoder::PLPNGDecoder() { std::memset(&m_Reader, 0, sizeof m_Reader); }

PLPNGDecoder::~PLPNGDecoder() { plpng_close(&m_Reader); }

int PLPNGDecoder::readData(void* user, unsigned char* buffer, size_t n) {
    auto* self = static_cast<PLPNGDecoder*>(user);
    try {
        std::memcpy(buffer, self->m_pDataSrc->ReadBytes(int(n)), n);
        return 1;
    } catch (const PLTextException& e) {
        self->m_pPending.reset(new PLTextException(e));
        return 0;
    } catch (...) {
        self->m_pPending.reset(new PLTextException(PL_ERRNO_MEMORY, "Out of memory."));
        return 0;
    }
}

void PLPNGDecoder::raiseLibraryError() {
    plpng_close(&m_Reader);
    if (m_pPending) {
        PLTextException e(*m_pPending);
        m_pPending.reset();
        throw e;
    }
    raiseError(PL_ERRFORMAT_UNKNOWN, m_Reader.message);
}

void PLPNGDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    plpng_close(&m_Reader);
    m_pPending.reset();
    if (plpng_open(&m_Reader, &PLPNGDecoder::readData, this, &m_Header) != 0)
        raiseLibraryError();
    checkSize(m_Header.width, m_Header.height);
    PLPoint res;
    if (m_Header.has_phys)
        res = PLPoint(int(std::lround(m_Header.phys_x * 0.0254)), int(std::lround(m_Header.phys_y * 0.0254)));
    switch (m_Header.color_type) {
    case 0: SetBmpInfo(int(m_Header.width), int(m_Header.height), 8, res, false, true); break;
    case 3: SetBmpInfo(int(m_Header.width), int(m_Header.height), 8, res, false, false); break;
    case 2: SetBmpInfo(int(m_Header.width), int(m_Header.height), 32, res, false, false); break;
    case 4:
    case 6: SetBmpInfo(int(m_Header.width), int(m_Header.height), 32, res, true, false); break;
    default: raiseError(PL_ERRFORMAT_UNKNOWN, "Unknown PNG colour type.");
    }
}

void PLPNGDecoder::ReadImage(PLBmp& bmp) {
    if (m_Header.color_type == 0) {
        int n = m_Header.bit_depth >= 8 ? 256 : (1 << m_Header.bit_depth);
        for (int i = 0; i < n; ++i) {
            BYTE v = BYTE(i * 255 / (n - 1));
            bmp.SetPaletteEntry(i, v, v, v, 255);
        }
    } else if (m_Header.color_type == 3) {
        for (int i = 0; i < m_Header.num_palette; ++i)
            bmp.SetPaletteEntry(i, m_Header.palette[i * 3], m_Header.palette[i * 3 + 1], m_Header.palette[i * 3 + 2],
                                255);
    }
    std::vector<unsigned char*> rows(m_Height);
    for (int y = 0; y < m_Height; ++y)
        rows[y] = bmp.GetLine(y);
    if (plpng_read_image(&m_Reader, rows.data()) != 0)
        raiseLibraryError();
    plpng_close(&m_Reader);
}

void PLPNGDecoder::Close() {
    plpng_close(&m_Reader);
    m_pPending.reset();
    PLPicDecoder::Close();
}
