#include "PLPPMDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLPnmParser.h"
#include "PLTextException.h"

PLPPMDecoder::PLPPMDecoder() = default;
PLPPMDecoder::~PLPPMDecoder() = default;

void PLPPMDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    const BYTE* id = src->ReadBytes(2);
    if (id[0] != 'P' || (id[1] != '3' && id[1] != '6'))
        raiseError(PL_ERRFORMAT_UNKNOWN, "PPM decoder: Is not the correct identifier P3 or P6.");
    m_bBinary = id[1] == '6';
    PLPnmParser parser(src);
    int width = parser.ReadNumber();
    int height = parser.ReadNumber();
    m_MaxValue = parser.ReadMaxValue();
    checkSize(width, height);
    // Binary samples are bytes; text samples at least a digit each, apart by a space.
    long long samples = (long long)width * height * 3;
    requireBytes(m_bBinary ? samples : samples * 2 - 1);
    SetBmpInfo(width, height, 32, PLPoint(0, 0), false, false);
}

void PLPPMDecoder::ReadImage(PLBmp& bmp) {
    PLPnmParser parser(m_pDataSrc);
    for (int y = 0; y < m_Height; ++y) {
        BYTE* d = bmp.GetLine(y);
        const BYTE* s = m_bBinary ? m_pDataSrc->ReadBytes(m_Width * 3) : nullptr;
        for (int x = 0; x < m_Width; ++x, d += 4) {
            int rgb[3];
            for (int c = 0; c < 3; ++c)
                rgb[c] = s ? PLPnmParser::Scale(s[x * 3 + c], m_MaxValue) : parser.ReadTextSample(m_MaxValue);
            d[0] = BYTE(rgb[2]);
            d[1] = BYTE(rgb[1]);
            d[2] = BYTE(rgb[0]);
            d[3] = 255;
        }
    }
}
