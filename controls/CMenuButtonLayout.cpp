#include "CMenuButtonLayout.h"

void CMenuButtonLayout::Compute(int width, int height, int captionWidth, int captionHeight, bool hasImage,
                                int imageLayout, int imageSize)
{
    CControlRect rect{0, 0, width, height};
    rect.Deflate(1);
    const int margin = (rect.Height() - imageSize) / 2;
    imageX = margin;
    imageY = margin;
    captionY = rect.top + (rect.Height() - captionHeight) / 2;
    showCaption = true;
    if (!hasImage) {
        captionX = rect.left + (rect.Width() - captionWidth) / 2;
    } else if (imageLayout == ImageLeft) {
        captionX = imageSize + 2 * margin;
    } else if (imageLayout == ImageRight) {
        captionX = (rect.Width() - captionWidth - 2 * margin - 32) / 2;
        imageX = rect.Width() - margin - 32;
    } else {
        showCaption = false;
        imageX = rect.left + (rect.Width() - imageSize) / 2;
        captionX = 0;
    }
    dropDown = {width - 11, height - 11, width, height};
}
