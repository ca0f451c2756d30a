// Portable pixel maps, text ("P3") and binary ("P6"), to 32-bit bitmaps.
#pragma once
#include "PLPicDecoder.h"

class PLPPMDecoder : public PLPicDecoder {
public:
    PLPPMDecoder();
    ~PLPPMDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    bool m_bBinary = false;
    int m_MaxValue = 255;
};
