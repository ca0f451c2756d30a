// A top-level frame window with a menu bar and accelerators. A frame is made on the heap
// and deletes itself when its window is destroyed (PostNcDestroy).
//
//   CFrameWnd* frame = new CFrameWnd;
//   frame->LoadFrame(IDR_MAINFRAME);   // menu, accelerators, icon and title (string) of the id
//
// When a popup of its menu opens (WM_INITMENUPOPUP), the frame runs the command-state
// update of the popup's items (ON_UPDATE_COMMAND_UI handlers; items without any handler are
// disabled). Commands the frame does not handle go on to the application object.
#pragma once
#include "CCreateContext.h"
#include "CWnd.h"

class CView;

// Sent to a frame's descendants once the frame is loaded.
#define WM_INITIALUPDATE 0x0364

class FW_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    static const CRect rectDefault;  // CW_USEDEFAULT position and size

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, void* pContext = nullptr);
    // Creates the frame from the resources of the id: its menu, its accelerator table, its
    // icon and, from the string of the id, the title (the text up to the first '\n'). Fails
    // (the frame is deleted) when the menu resource is missing.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW,
                           CWnd* pParentWnd = nullptr, void* pContext = nullptr);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Makes the view of a document template's context (called from WM_CREATE).
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CView* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    CView* GetActiveView() const { return m_pViewActive; }
    void InitialUpdateFrame(void* pDoc, BOOL bMakeVisible);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CFrameWnd* GetParentFrame() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
    void PostNcDestroy() override;

    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    CCreateContext* m_pCreateContext = nullptr;  // during creation only

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
