#include "PLFilter.h"
#include "PLAnyBmp.h"

PLFilter::PLFilter() = default;
PLFilter::~PLFilter() = default;

void PLFilter::Apply(PLBmp* bmp) const {
    PLAnyBmp temp;
    ApplyTo(bmp, &temp);
    bmp->CreateCopy(temp, 0);
}

void PLFilter::ApplyTo(PLBmp* source, PLBmp* destination) const {
    if (source != destination)
        destination->CreateCopy(*source, 0);
    Apply(destination);
}
