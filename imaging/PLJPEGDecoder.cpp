#include "PLJPEGDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLIProgressNotification.h"
#include "PLTextException.h"
#include <cstring>
#include <new>

PLJPEGDecoder::PLJPEGDecoder() {
    if (pljpeg_create(&m_Reader, &PLJPEGDecoder::onProgress, this) != 0)
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating the JPEG decompressor.");
}

PLJPEGDecoder::~PLJPEGDecoder() { pljpeg_destroy(&m_Reader); }

void PLJPEGDecoder::onProgress(void* user, double part) {
    // Called from inside libjpeg, which no exception may pass through.
    auto* self = static_cast<PLJPEGDecoder*>(user);
    try {
        if (self->m_pDataSrc && self->m_pDataSrc->GetNotification())
            self->m_pDataSrc->GetNotification()->OnProgress(part);
    } catch (...) {
    }
}

void PLJPEGDecoder::raiseLibraryError() {
    pljpeg_abort(&m_Reader);  // the next picture starts afresh
    raiseError(PL_ERRFORMAT_NOT_SUPPORTED, m_Reader.message);
}

void PLJPEGDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    pljpeg_abort(&m_Reader);
    if (pljpeg_read_header(&m_Reader, src->CurrentPointer(), size_t(src->GetBytesLeft())) != 0)
        raiseLibraryError();
    const jpeg_decompress_struct& c = m_Reader.cinfo;
    checkSize(c.image_width, c.image_height);
    PLPoint res(c.X_density, c.Y_density);
    if (c.X_density == 1 || c.Y_density == 1)
        res = PLPoint(0, 0);
    else if (c.density_unit == 2)
        res = PLPoint(int(c.X_density * 2.54), int(c.Y_density * 2.54));
    bool grey = c.num_components == 1;
    SetBmpInfo(int(c.image_width), int(c.image_height), grey ? 8 : 32, res, false, grey);
}

void PLJPEGDecoder::ReadImage(PLBmp& bmp) {
    bool grey = GetBitsPerPixel() == 8;
    if (pljpeg_start(&m_Reader, grey) != 0)
        raiseLibraryError();
    if (int(m_Reader.cinfo.output_width) != m_Width || int(m_Reader.cinfo.output_height) != m_Height)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "JPEG output size differs from the header.");
    if (grey)
        bmp.SetGrayPalette();
    int y = 0;
    while (y < m_Height) {
        unsigned char* rows[32];
        unsigned want = grey ? 1u : unsigned(m_Height - y < 32 ? m_Height - y : 32);
        for (unsigned i = 0; i < want; ++i)
            rows[i] = bmp.GetLine(y + int(i));
        unsigned got = 0;
        if (pljpeg_read_lines(&m_Reader, rows, want, &got) != 0)
            raiseLibraryError();
        if (got == 0)
            raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "JPEG decompression stopped early.");
        y += int(got);
    }
    if (pljpeg_finish(&m_Reader) != 0)
        raiseLibraryError();
}

void PLJPEGDecoder::Close() {
    pljpeg_abort(&m_Reader);
    PLPicDecoder::Close();
}

void PLJPEGDecoder::Detach() {
    pljpeg_abort(&m_Reader);
    m_pDataSrc = nullptr;
}
