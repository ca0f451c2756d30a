// Where the hover button puts its icon and its text inside the item rectangle.
#pragma once
#include "CControlRect.h"

class CHoverButtonLayout {
public:
    enum Alignment { IconLeft = 0, IconAbove = 1 };

    // iconWidth/iconHeight 0 means no icon. Fills the icon's top-left corner and the area the
    // text is centred in; a pressed button moves both 1 pixel right and down.
    static void Place(const CControlRect& item, int iconWidth, int iconHeight, int alignment, bool hasText,
                      bool pressed, int& iconX, int& iconY, CControlRect& textArea);
    // A single line of the given extent centred in the area.
    static CControlRect Centre(const CControlRect& area, int width, int height);
};
