#include "CNewMultiDocTemplate.h"

IMPLEMENT_DYNAMIC(CNewMultiDocTemplate, CMultiDocTemplate)

CNewMultiDocTemplate::CNewMultiDocTemplate(UINT id, const CRuntimeClass* documentClass,
                                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CMultiDocTemplate(id, documentClass, frameClass, viewClass)
{
    if (m_hMenuShared && m_nIDResource && m_newMenu.LoadMenu(m_hMenuShared))
        m_newMenu.LoadToolBar(m_nIDResource);
}

CNewMultiDocTemplate::~CNewMultiDocTemplate()
{
    if (m_hMenuShared && m_hMenuShared == m_newMenu.GetSafeHmenu())
        m_hMenuShared = nullptr;
}
