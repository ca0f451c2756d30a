// A document template: the resource id (menu, accelerators, title string) and the run-time
// classes of a document, its frame and its view; it creates them together.
#pragma once
#include "CCmdTarget.h"

#include <vector>

class CDocument;
class CFrameWnd;

class FW_API CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    // Loads what the template shares between its frames (see CMultiDocTemplate).
    virtual void LoadTemplate();
    virtual CDocument* CreateNewDocument();
    // A new frame for the document (its view made inside it); null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document (path null) or the document of the file, with its frame and view.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void RemoveDocument(CDocument* pDoc);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;

protected:
    std::vector<CDocument*> m_docList;
};
