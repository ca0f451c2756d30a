// ZSoft PCX pictures: 1 bit with 1 to 4 planes, 2, 4 or 8 bits with 1 plane, 8 bits
// with 3 planes; always to 32-bit bitmaps.
#pragma once
#include "PLPicDecoder.h"
#include "PLPixel32.h"

class PLPCXDecoder : public PLPicDecoder {
public:
    PLPCXDecoder();
    ~PLPCXDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    int m_BitsPerPixel = 0;
    int m_Planes = 0;
    int m_BytesPerLine = 0;
    PLPixel32 m_Palette[256];
};
