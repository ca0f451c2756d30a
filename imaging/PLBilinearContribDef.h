// Triangle weight function of the bilinear scaler: width - |x| within reach, else 0.
#pragma once
#include "PLContribDef.h"

class PLBilinearContribDef : public PLContribDef {
public:
    explicit PLBilinearContribDef(double width = 0.64);
    double Filter(double x) const override;
};
