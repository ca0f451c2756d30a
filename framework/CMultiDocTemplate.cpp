#include "CMultiDocTemplate.h"

#include "AfxModule.h"
#include "CDocument.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    while (!m_docList.empty()) {
        CDocument* doc = m_docList.back();
        m_docList.pop_back();
        doc->m_pDocTemplate = nullptr;
    }
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    if (!m_nIDResource || m_hMenuShared)
        return;
    LPCSTR name = MAKEINTRESOURCEA(m_nIDResource);
    m_hMenuShared = ::LoadMenuA(AfxFindResourceHandle(name, RT_MENU), name);
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    doc->m_bAutoDelete = FALSE;  // no view yet
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = TRUE;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    const BOOL ok = lpszPathName ? doc->OnOpenDocument(lpszPathName) : doc->OnNewDocument();
    if (!ok) {
        frame->DestroyWindow();  // takes the view, and with it the document
        return nullptr;
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
