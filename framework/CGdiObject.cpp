#include "CGdiObject.h"

namespace {
using CGdiObjectMap = CHandleMap<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>;
CGdiObjectMap& Map() { return TheHandleMap<CGdiObjectMap>(); }
} // namespace

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return this ? m_hObject : nullptr;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return Map().FromHandle(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) { return Map().Attach(*this, hObject, false); }

HGDIOBJ CGdiObject::Detach() { return Map().Detach(*this, false); }

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}
