#include "CDocTemplate.h"

#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

void CDocTemplate::LoadTemplate()
{
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* made = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    CDocument* doc = dynamic_cast<CDocument*>(made);
    if (!doc) {
        delete made;
        return nullptr;
    }
    doc->m_pDocTemplate = this;
    m_docList.push_back(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CObject* made = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(made);
    if (!frame) {
        delete made;
        return nullptr;
    }
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = pOther;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context))
        return nullptr;  // the frame deleted itself
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}
