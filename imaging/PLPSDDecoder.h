// Photoshop pictures: the merged picture of greyscale, indexed and RGB files with
// 8 bits per channel, plain or run-length coded.
#pragma once
#include "PLPicDecoder.h"
#include "PLPixel32.h"

class PLPSDDecoder : public PLPicDecoder {
public:
    PLPSDDecoder();
    ~PLPSDDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

private:
    void readResources(PLPoint& resolution);
    void readLayerHeaders();
    void storeChannel(PLBmp& bmp, int channel, int y, const BYTE* data);

    int m_Channels = 0;
    int m_Mode = 0;
    long long m_LayerSectionEnd = 0;
    PLPixel32 m_Palette[256];
};
