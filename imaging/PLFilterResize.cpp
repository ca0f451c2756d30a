#include "PLFilterResize.h"

namespace {
// A bitmap is at least one pixel wide and high.
int atLeastOne(int v) { return v < 1 ? 1 : v; }
}

PLFilterResize::PLFilterResize(int newWidth, int newHeight)
    : m_NewXSize(atLeastOne(newWidth)), m_NewYSize(atLeastOne(newHeight)) {}

PLFilterResize::~PLFilterResize() = default;

void PLFilterResize::SetNewSize(int newWidth, int newHeight) {
    m_NewXSize = atLeastOne(newWidth);
    m_NewYSize = atLeastOne(newHeight);
}
