#include "MenuGradient.h"

#include "MenuColour.h"

namespace {

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

int Mix(int s, int e, int i, int n) { return s + MenuMulDiv(e - s, i, n); }

}

std::vector<MenuGradientBand> MenuGradientBands(int length, COLORREF start, COLORREF end)
{
    std::vector<MenuGradientBand> bands;
    if (length <= 0)
        return bands;
    // One pixel has no band (it keeps the end fill); two are one band of the start colour.
    int n = length - 2;
    if (n < 0)
        return bands;
    if (n == 0) {
        bands.push_back({0, length, start & 0xFFFFFF});
        return bands;
    }
    for (int i = 0; i <= n; i += 2) {
        COLORREF c = static_cast<COLORREF>(
            (Mix(Channel(start, 0), Channel(end, 0), i, n) & 0xFF) |
            ((Mix(Channel(start, 8), Channel(end, 8), i, n) & 0xFF) << 8) |
            ((Mix(Channel(start, 16), Channel(end, 16), i, n) & 0xFF) << 16));
        int len = length - i < 2 ? length - i : 2;
        bands.push_back({i, len, c});
    }
    return bands;
}
