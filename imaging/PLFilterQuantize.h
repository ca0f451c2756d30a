// Reduces a 32-bit bitmap to 8 bits with a palette: median cut, popularity, the fixed
// palette or a user palette, optionally dithered.
#pragma once
#include "PLFilter.h"
#include "PLPixel32.h"
#include <vector>

enum {
    PLDTH_NONE = 0,
    PLDTH_ORDERED = 1,
    PLDTH_FS = 2
};
enum {
    PLDTHPAL_MEDIAN = 0,
    PLDTHPAL_POPULARITY = 1,
    PLDTHPAL_DEFAULT = 2,
    PLDTHPAL_USERDEFINED = 3
};

class PLFilterQuantize : public PLFilter {
public:
    PLFilterQuantize(int paletteType, int ditherType);
    ~PLFilterQuantize() override;

    void ApplyTo(PLBmp* source, PLBmp* destination) const override;
    // The palette used with PLDTHPAL_USERDEFINED (256 entries, copied).
    void SetUserPalette(const PLPixel32* palette);
    // The built-in palette of PLDTHPAL_DEFAULT.
    static const PLPixel32* GetDefaultPalette();

private:
    struct Cell {
        unsigned count = 0;  // saturates at 65535
        int index = -1;      // cached palette index
    };
    struct Box {
        int lo[3] = {0, 0, 0};  // red, green, blue in 5-bit units
        int hi[3] = {0, 0, 0};
        int mean[3] = {0, 0, 0};
        unsigned count = 0;
    };

    void buildHistogram(PLBmp* source) const;
    void medianCut(PLPixel32* palette) const;
    void popularity(PLPixel32* palette) const;
    void shrinkBox(Box& box) const;
    int mapColour(const PLPixel32* palette, int r, int g, int b) const;
    static int cellOf(int r, int g, int b) { return (r >> 3) * 1024 + (g >> 3) * 32 + (b >> 3); }

    int m_PaletteType;
    int m_DitherType;
    bool m_bHasUserPalette = false;
    PLPixel32 m_UserPalette[256];
    mutable std::vector<Cell> m_Histogram;
    mutable std::vector<Box> m_Boxes;
};
