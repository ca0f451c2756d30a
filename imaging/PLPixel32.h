// One 32-bit pixel or palette entry, in memory order blue, green, red, alpha.
#pragma once
#include "WinTypes.h"

struct PLPixel32 {
    BYTE b = 0;
    BYTE g = 0;
    BYTE r = 0;
    BYTE a = 0;
    PLPixel32() = default;
    PLPixel32(BYTE red, BYTE green, BYTE blue, BYTE alpha) : b(blue), g(green), r(red), a(alpha) {}
    bool operator==(const PLPixel32& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
    bool operator!=(const PLPixel32& o) const { return !(*this == o); }
};
static_assert(sizeof(PLPixel32) == 4, "PLPixel32 is four bytes");
