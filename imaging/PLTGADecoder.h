// Truevision TGA pictures: colour-mapped, true-colour and greyscale, plain or run-length.
#pragma once
#include "PLPicDecoder.h"
#include "PLPixel32.h"

class PLTGADecoder : public PLPicDecoder {
public:
    PLTGADecoder();
    ~PLTGADecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    PLPixel32 convertPixel(const BYTE* p, int bits) const;

    int m_ImageType = 0;
    int m_PixelDepth = 0;
    bool m_bTopDown = false;
    bool m_bHasMap = false;
    PLPixel32 m_Palette[256];
};
