#include "CHoverButtonLayout.h"

void CHoverButtonLayout::Place(const CControlRect& item, int iconWidth, int iconHeight, int alignment, bool hasText,
                               bool pressed, int& iconX, int& iconY, CControlRect& textArea)
{
    textArea = item;
    iconX = item.left;
    iconY = item.top;
    const bool hasIcon = iconWidth > 0 || iconHeight > 0;
    if (hasIcon) {
        if (alignment == IconAbove) {
            iconX = item.left + (item.Width() - iconWidth) / 2;
            if (hasText) {
                iconY = item.top;
                textArea.top += iconHeight;
            } else {
                iconY = item.top + (item.Height() - iconHeight) / 2;
            }
        } else {
            if (hasText) {
                iconX = item.left + 3;
                textArea.left += iconWidth + 3;
            } else {
                iconX = item.left + (item.Width() - iconWidth) / 2;
            }
            iconY = item.top + (item.Height() - iconHeight) / 2;
        }
    }
    if (pressed) {
        ++iconX;
        ++iconY;
        textArea.Offset(1, 1);
    }
}

CControlRect CHoverButtonLayout::Centre(const CControlRect& area, int width, int height)
{
    CControlRect r;
    r.left = area.left + (area.Width() - width) / 2;
    r.top = area.top + (area.Height() - height) / 2;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}
