// The pixel type of the two-pass scaler: four unsigned bytes, weighted channel by channel
// with integer weights that add up to 256.
#pragma once
#include "WinTypes.h"

class CDataRGBA_UBYTE {
public:
    enum { Channels = 4 };
    CDataRGBA_UBYTE() = default;

    // Adds weight x each channel of p.
    void Add(const BYTE* p, int weight) {
        for (int i = 0; i < Channels; ++i)
            m_Sum[i] += weight * p[i];
    }
    // Stores the rounded weighted mean.
    void Store(BYTE* p) const {
        for (int i = 0; i < Channels; ++i)
            p[i] = BYTE((m_Sum[i] + 128) / 256);
    }

private:
    int m_Sum[Channels] = {0, 0, 0, 0};
};
