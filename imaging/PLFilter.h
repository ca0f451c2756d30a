// A change to a bitmap: applied in place, or from a source into a destination.
#pragma once
#include "PLObject.h"

class PLBmp;

class PLFilter : public PLObject {
public:
    PLFilter();
    ~PLFilter() override;

    // Applies the filter into a temporary bitmap and copies the result back.
    virtual void Apply(PLBmp* bmp) const;
    // The filter's own work. The base copies the source into the destination and applies
    // the filter there.
    virtual void ApplyTo(PLBmp* source, PLBmp* destination) const;
};
