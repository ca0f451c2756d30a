#include "CRgn.h"

namespace {
CHandleMap<CRgn, HGDIOBJ, &CGdiObject::m_hObject>& Map()
{
    static CHandleMap<CRgn, HGDIOBJ, &CGdiObject::m_hObject> map;
    return map;
}
} // namespace

CRgn* CRgn::FromHandle(HRGN h)
{
    return Map().FromHandle(h);
}
