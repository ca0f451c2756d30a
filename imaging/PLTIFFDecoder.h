// TIFF pictures through libtiff: grey and palette pictures of up to 8 bits to 1 or 8 bits,
// everything else through libtiff's RGBA reader to 32 bits.
#pragma once
#include "PLPicDecoder.h"
#include <cstdarg>
#include <string>
#include <tiffio.h>

class PLTIFFDecoder : public PLPicDecoder {
public:
    PLTIFFDecoder();
    ~PLTIFFDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;

private:
    void doLoColor(PLBmp& bmp);
    void doHiColor(PLBmp& bmp);
    void closeHandle();
    // Throws the library's error when one was reported since the last check.
    void checkLibraryError();
    [[noreturn]] void raiseWithMessage(int code, const char* fallback);

    static int onError(TIFF* tif, void* user, const char* module, const char* format, va_list args);
    static int onWarning(TIFF* tif, void* user, const char* module, const char* format, va_list args);

    TIFF* m_pTif = nullptr;
    tmsize_t m_Size = 0;  // the high-water mark of the block: its size
    int m_Samples = 1;
    int m_BitsPerSample = 1;
    int m_Photometric = 0;
    bool m_bTiled = false;
    std::string m_LastError;
    bool m_bErrorPending = false;
};
