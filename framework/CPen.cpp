#include "CPen.h"

namespace {
using CPenMap = CHandleMap<CPen, HGDIOBJ, &CGdiObject::m_hObject>;
CPenMap& Map() { return TheHandleMap<CPenMap>(); }
} // namespace

CPen* CPen::FromHandle(HPEN h)
{
    return Map().FromHandle(h);
}
