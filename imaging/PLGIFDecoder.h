// GIF pictures through giflib: the first image of the file to an 8-bit bitmap of the
// logical screen's size.
#pragma once
#include "PLPicDecoder.h"
#include "PLTextException.h"
#include <memory>

struct GifFileType;

class PLGIFDecoder : public PLPicDecoder {
public:
    PLGIFDecoder();
    ~PLGIFDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;

private:
    static int readData(GifFileType* gif, unsigned char* buffer, int n);
    void closeFile();
    [[noreturn]] void raiseLibraryError(int code);

    GifFileType* m_pGif = nullptr;
    std::unique_ptr<PLTextException> m_pPending;
};
