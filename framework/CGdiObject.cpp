#include "CGdiObject.h"

namespace {
CHandleMap<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>& Map()
{
    static CHandleMap<CGdiObject, HGDIOBJ, &CGdiObject::m_hObject> map;
    return map;
}
} // namespace

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return this ? m_hObject : nullptr;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return Map().FromHandle(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}
