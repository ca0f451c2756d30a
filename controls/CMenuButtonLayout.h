// Where the drop-down menu button puts its image, its caption and its drop-down square.
#pragma once
#include "CControlRect.h"

class CMenuButtonLayout {
public:
    enum ImageLayout { ImageLeft = 0, ImageRight = 1 };  // other values: image only, centred

    void Compute(int width, int height, int captionWidth, int captionHeight, bool hasImage, int imageLayout,
                 int imageSize);

    int imageX = 0;
    int imageY = 0;
    int captionX = 0;
    int captionY = 0;
    bool showCaption = true;
    CControlRect dropDown;  // the 11 x 11 square at the bottom-right corner
};
