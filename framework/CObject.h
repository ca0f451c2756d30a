// Root of the framework's window and command classes, with a run-time class record:
//
//   class CMyThing : public CObject { DECLARE_DYNAMIC(CMyThing) ... };      // in the header
//   IMPLEMENT_DYNAMIC(CMyThing, CObject)                                    // in the source
//   pObj->IsKindOf(RUNTIME_CLASS(CMyThing))
//
// DECLARE_DYNCREATE / IMPLEMENT_DYNCREATE add a default-constructing factory
// (RUNTIME_CLASS(CMyThing)->CreateObject()).
#pragma once
#include "WinTypes.h"

class CObject;

struct FW_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();  // null unless the class is dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or null when the class has no factory.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class FW_API CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

#define DECLARE_DYNAMIC(theClass) \
public: \
    static const CRuntimeClass class##theClass; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(theClass) \
    DECLARE_DYNAMIC(theClass) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, factory) \
    const CRuntimeClass theClass::class##theClass = { #theClass, (int)sizeof(theClass), factory, \
                                                      RUNTIME_CLASS(baseClass) }; \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

#define IMPLEMENT_DYNAMIC(theClass, baseClass) IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, nullptr)

#define IMPLEMENT_DYNCREATE(theClass, baseClass) \
    CObject* theClass::CreateObject() { return new theClass; } \
    IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, &theClass::CreateObject)
