// A multiple-document template whose shared menu is an owner-drawn menu with the icons of
// the toolbar of the same resource id.
#pragma once
#include "CMultiDocTemplate.h"
#include "CNewMenu.h"

class CNewMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(CNewMultiDocTemplate)
public:
    CNewMultiDocTemplate(UINT id, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                         const CRuntimeClass* viewClass);
    // The shared menu is destroyed once, by the member.
    ~CNewMultiDocTemplate() override;

    CNewMenu m_newMenu;
};
