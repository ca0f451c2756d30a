// PNG pictures through libpng: greyscale and palette pictures to 8 bits, the others to
// 32 bits in blue, green, red, alpha order.
#pragma once
#include "PLPicDecoder.h"
#include "PLTextException.h"
#include "png_glue.h"
#include <memory>

class PLPNGDecoder : public PLPicDecoder {
public:
    PLPNGDecoder();
    ~PLPNGDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;

private:
    static int readData(void* user, unsigned char* buffer, size_t n);
    [[noreturn]] void raiseLibraryError();

    plpng_reader m_Reader;
    plpng_header m_Header;
    // An exception of the data source met inside a libpng callback, thrown again outside it.
    std::unique_ptr<PLTextException> m_pPending;
};
