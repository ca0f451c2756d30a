#include "PLPGMDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include "PLPnmParser.h"
#include "PLTextException.h"

PLPGMDecoder::PLPGMDecoder() = default;
PLPGMDecoder::~PLPGMDecoder() = default;

void PLPGMDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    const BYTE* id = src->ReadBytes(2);
    if (id[0] != 'P' || (id[1] != '2' && id[1] != '5'))
        raiseError(PL_ERRFORMAT_UNKNOWN, "PGM decoder: Is not the correct identifier P5 or P2.");
    m_bBinary = id[1] == '5';
    PLPnmParser parser(src);
    int width = parser.ReadNumber();
    int height = parser.ReadNumber();
    m_MaxValue = parser.ReadMaxValue();
    checkSize(width, height);
    // Binary samples are bytes; text samples at least a digit each, apart by a space.
    long long samples = (long long)width * height * 1;
    requireBytes(m_bBinary ? samples : samples * 2 - 1);
    SetBmpInfo(width, height, 8, PLPoint(0, 0), false, true);
}

void PLPGMDecoder::ReadImage(PLBmp& bmp) {
    bmp.SetGrayPalette();
    PLPnmParser parser(m_pDataSrc);
    for (int y = 0; y < m_Height; ++y) {
        BYTE* d = bmp.GetLine(y);
        if (m_bBinary) {
            const BYTE* s = m_pDataSrc->ReadBytes(m_Width);
            for (int x = 0; x < m_Width; ++x)
                d[x] = BYTE(PLPnmParser::Scale(s[x], m_MaxValue));
        } else {
            for (int x = 0; x < m_Width; ++x)
                d[x] = BYTE(parser.ReadTextSample(m_MaxValue));
        }
    }
}
