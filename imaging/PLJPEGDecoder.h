// JPEG pictures through libjpeg: one component to 8-bit greyscale, others to 32 bits.
#pragma once
#include "PLPicDecoder.h"
#include "jpeg_glue.h"

class PLJPEGDecoder : public PLPicDecoder {
public:
    PLJPEGDecoder();
    ~PLJPEGDecoder() override;

    // Reads the picture from the source's current position to its end.
    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;
    // Lets go of a source that belongs to another decoder (a JPEG inside a PICT file),
    // dropping the picture without closing the source.
    void Detach();

private:
    static void onProgress(void* user, double part);
    [[noreturn]] void raiseLibraryError();

    pljpeg_reader m_Reader;
};
