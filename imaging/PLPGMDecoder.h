// Portable grey maps, text ("P2") and binary ("P5"), to 8-bit greyscale bitmaps.
#pragma once
#include "PLPicDecoder.h"

class PLPGMDecoder : public PLPicDecoder {
public:
    PLPGMDecoder();
    ~PLPGMDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    bool m_bBinary = false;
    int m_MaxValue = 255;
};
