// A window object over an HWND. A CWnd gets its messages when it created the window
// (Create/CreateEx) or subclassed it (SubclassWindow, SubclassDlgItem, DDX_Control):
// the framework's window procedure then looks the message up in the object's message map
// (MessageMap.h) and passes what no entry handles to DefWindowProc (the window's previous
// procedure). Attach only binds the handle (FromHandle finds the object) without taking
// messages. FromHandle returns a temporary object for windows no CWnd owns; it is
// deleted at idle time, so do not keep it.
//
// Rules the framework keeps:
// - Every window of the process is in one handle map (the framework is one DLL), so a
//   window made by code in one module is found by FromHandle in another.
// - WM_COMMAND and WM_NOTIFY from a control reach the control's own reflected entries
//   (ON_CONTROL_REFLECT, ON_NOTIFY_REFLECT) first, then the parent's map. Owner-draw
//   (WM_DRAWITEM, WM_MEASUREITEM) and WM_CTLCOLOR are reflected by the parent's default
//   handlers (CWnd::OnDrawItem, ...), so a parent that handles them itself calls the base
//   handler for the controls it does not draw.
// - A C++ exception that a handler lets escape is caught in the framework's window
//   procedure and reported through CWinApp::ProcessWndProcException; it never unwinds
//   through the system's frames.
// - After WM_NCDESTROY the object is detached from its handle and PostNcDestroy runs
//   (a heap-allocated window may delete itself there). When the window was the
//   application's main window, WM_QUIT is posted.
#pragma once
#include "CCmdTarget.h"
#include "CHandleMap.h"
#include "CRect.h"
#include "CString.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CDataExchange;

class FW_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}  // not attached: for temporary use only
    ~CWnd() override;  // destroys the window it still holds (Detach first to keep it)
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    // Both accept a null object (giving a null handle), as window pointers often are.
    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const;

    // Handle map.
    static CWnd* FromHandle(HWND hWnd);            // permanent object, else a temporary one
    static CWnd* FromHandlePermanent(HWND hWnd);   // null when no object owns the window
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Creation. lpszClassName null: the framework's default window class.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                  int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // Subclassing: the object takes the window's messages (PreSubclassWindow runs first).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();  // DefWindowProc of the message being handled
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message from this control to its parent, offered back to the control first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    virtual void PostNcDestroy();
    // Calls PreTranslateMessage of the windows from pMsg->hwnd up to its top-level window.
    static BOOL WalkPreTranslateTree(MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE) const;

    // Timers: WM_TIMER with nIDEvent reaches OnTimer on this window's thread.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // Style, relatives.
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
    { return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* WindowFromPoint(POINT pt) { return FromHandle(::WindowFromPoint(pt)); }
    static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
    { return FromHandle(::FindWindowA(lpszClassName, lpszWindowName)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

    // Dialog items.
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, CString& rString) const;
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return (int)::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount); }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam); }
    // Data exchange of a dialog (or any window with controls): DoDataExchange with
    // bSaveAndValidate TRUE pulls the controls into the members; false when a check failed.
    virtual BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Text and font.
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    { return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0); }
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

    // Showing, moving, painting.
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindow() const { return ::IsWindow(GetSafeHwnd()); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    { return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
    { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }

    // The window's own scroll bars (nBar SB_HORZ or SB_VERT).
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo) const { return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    { return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr)
    { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // ActiveX controls (see AfxOle.h). CreateControl makes a host child window for the
    // control of the CLSID; GetControlUnknown gives the control hosted by this window (not
    // AddRef'ed; null when none); the others call it by dispatch id (COleDispatchDriver.h).
    BOOL CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID);
    IUnknown* GetControlUnknown() const;
    HRESULT InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo, ...);
    HRESULT GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    HRESULT SetProperty(DISPID dwDispID, UINT vtProp, ...);

    // Default handlers: the names and signatures the ON_WM_ macros expect. Each runs the
    // default processing (the reflecting ones reflect to the control first).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSysColorChange();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);

    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before the framework's

    DECLARE_MESSAGE_MAP()

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The framework's window procedure (every window a CWnd created or subclassed runs it).
FW_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The message being handled on this thread (for Default and handlers that need it).
FW_API const MSG* AfxGetCurrentMessage();
// Binds the next window created on this thread to pWnd (done by Create and the dialogs).
FW_API void AfxHookWindowCreate(CWnd* pWnd);
FW_API BOOL AfxUnhookWindowCreate();
// A window class of the framework with these attributes, registered on first use
// (CS_ flags, cursor, background brush, icon); the name stays valid for the process.
FW_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                   HICON hIcon = nullptr);
// Registers a window class in the framework's way (lpfnWndProc may be DefWindowProc;
// the framework subclasses windows it creates). True when registered or already known.
FW_API BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
