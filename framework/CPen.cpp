#include "CPen.h"

namespace {
CHandleMap<CPen, HGDIOBJ, &CGdiObject::m_hObject>& Map()
{
    static CHandleMap<CPen, HGDIOBJ, &CGdiObject::m_hObject> map;
    return map;
}
} // namespace

CPen* CPen::FromHandle(HPEN h)
{
    return Map().FromHandle(h);
}
