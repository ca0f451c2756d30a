#include "PLBilinearContribDef.h"
#include <cmath>

PLBilinearContribDef::PLBilinearContribDef(double width) : PLContribDef(width) {}

double PLBilinearContribDef::Filter(double x) const {
    x = std::fabs(x);
    return x < m_Width ? m_Width - x : 0.0;
}
