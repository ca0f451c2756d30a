// The banded gradient the menus fall back on when the platform's gradient fill is missing
// or the display has a palette: the rectangle is first filled with the end colour, then
// painted in bands 2 pixels wide whose colour runs from the start towards the end colour.
#pragma once
#include "MenuWinDefs.h"

#include <vector>

struct MenuGradientBand {
    int offset;      // from the rectangle's left (horizontal) or top (vertical) edge
    int length;      // 2, less where the rectangle ends
    COLORREF colour;
};

// The bands over a rectangle `length` pixels long in the gradient's direction. For
// n = length - 2 the band at offset i (i = 0, 2, 4, ... up to n) has per channel
// start + (end - start) * i / n. A rectangle of 2 pixels or less is one band of the start
// colour (n would be 0 or negative there); none at all for an empty rectangle.
std::vector<MenuGradientBand> MenuGradientBands(int length, COLORREF start, COLORREF end);

// The colour of one channel in the platform's gradient vertex (16 bits a channel).
inline unsigned short MenuGradientVertexChannel(BYTE channel)
{
    return static_cast<unsigned short>(channel << 8);
}
