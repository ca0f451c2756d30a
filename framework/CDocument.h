// A document: the data shown by one or more views. It deletes itself when its last view
// goes (and when closed), as a document made by a template does.
#pragma once
#include "CCmdTarget.h"
#include "CString.h"

#include <vector>

class CDocTemplate;
class CView;

class FW_API CDocument : public CCmdTarget {
    DECLARE_DYNCREATE(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Destroys the frames of every view (which removes the views), then deletes the document.
    virtual void OnCloseDocument();
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName) { m_strPathName = lpszPathName; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bAutoDelete = TRUE;

protected:
    CString m_strTitle, m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
    bool m_closing = false;
};
