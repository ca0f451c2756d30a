#include "PLPnmParser.h"
#include "PLDataSource.h"
#include "PLPicDecoder.h"
#include "PLTextException.h"

int PLPnmParser::ReadNumber() {
    int c = m_pSource->ReadByte();
    for (;;) {
        if (c == '#') {
            while (c != '\n' && c != '\r')
                c = m_pSource->ReadByte();
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            c = m_pSource->ReadByte();
        } else {
            break;
        }
    }
    if (c < '0' || c > '9')
        PLPicDecoder::raiseError(PL_ERRFORMAT_UNKNOWN, "PNM decoder: Number expected.");
    long long value = 0;
    while (c >= '0' && c <= '9') {
        if (value < 0x7FFFFFFF)
            value = value * 10 + (c - '0');
        if (m_pSource->GetBytesLeft() == 0)
            break;
        c = m_pSource->ReadByte();
    }
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : int(value);
}

int PLPnmParser::ReadMaxValue() {
    int max = ReadNumber();
    return (max < 1 || max > 255) ? 255 : max;
}

int PLPnmParser::Scale(int value, int maxValue) {
    if (value > maxValue)
        PLPicDecoder::raiseError(PL_ERRFORMAT_UNKNOWN, "PNM decoder: Sample value over the maximum.");
    return value * 255 / maxValue;
}

int PLPnmParser::ReadTextSample(int maxValue) { return Scale(ReadNumber(), maxValue); }
