// Scales a 32-bit bitmap with the bilinear weight function in two passes.
#pragma once
#include "PLFilterResize.h"

class PLFilterResizeBilinear : public PLFilterResize {
public:
    PLFilterResizeBilinear(int newWidth, int newHeight);
    ~PLFilterResizeBilinear() override;

    void ApplyTo(PLBmp* source, PLBmp* destination) const override;
};
