// The template of a multiple-document program: its frames are MDI children of the main
// frame and share one menu, m_hMenuShared (loaded by LoadTemplate from the resource id,
// destroyed with the template; a subclass that hands the menu to another owner clears it).
#pragma once
#include "CDocTemplate.h"

class FW_API CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
};
