// A view: the child window of a frame that shows a document. WM_PAINT calls OnDraw;
// WM_INITIALUPDATE calls OnInitialUpdate. A view deletes itself when its window goes.
#pragma once
#include "CWnd.h"

class CDC;
class CDocument;
struct CCreateContext;

class FW_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    void PostNcDestroy() override;

    CCreateContext* m_pCreateContext = nullptr;  // during creation only
    CDocument* m_pDocument = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
