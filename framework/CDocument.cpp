#include "CDocument.h"

#include "CDocTemplate.h"
#include "CFrameWnd.h"
#include "CView.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnNewDocument()
{
    m_strPathName.Empty();
    m_bModified = FALSE;
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    SetPathName(lpszPathName);
    m_bModified = FALSE;
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    m_closing = true;
    while (!m_views.empty()) {
        CView* view = m_views.back();
        CFrameWnd* frame = nullptr;
        for (HWND h = ::GetParent(view->m_hWnd); h && !frame; h = ::GetParent(h))
            frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h));
        if (frame)
            frame->DestroyWindow();
        else
            view->DestroyWindow();
        RemoveView(view);  // in case the window was gone already
    }
    if (m_bAutoDelete)
        delete this;
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_views.begin(), m_views.end(), pView) == m_views.end())
        m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
    if (m_views.empty() && m_bAutoDelete && !m_closing)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (CView* view : m_views)
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
}
