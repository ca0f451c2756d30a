#include "CObject.h"

const CRuntimeClass CObject::classCObject = { "CObject", (int)sizeof(CObject), nullptr, nullptr };

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base)
            return true;
    return false;
}
