// Windows and OS/2 bitmaps: 1, 4 and 8 bits (plain, RLE4, RLE8) to 8-bit bitmaps;
// 16, 24 and 32 bits to 32-bit bitmaps.
#pragma once
#include "PLPicDecoder.h"
#include "PLPixel32.h"

class PLBmpDecoder : public PLPicDecoder {
public:
    PLBmpDecoder();
    ~PLBmpDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    void decodeRLE(PLBmp& bmp, bool fourBits);
    void decodeRows(PLBmp& bmp);
    int rowIndex(int storedRow) const { return m_bTopDown ? storedRow : m_Height - 1 - storedRow; }

    int m_BitCount = 0;
    DWORD m_Compression = 0;
    bool m_bTopDown = false;
    bool m_b565 = false;
    int m_NumColors = 0;
    PLPixel32 m_Palette[256];
};
