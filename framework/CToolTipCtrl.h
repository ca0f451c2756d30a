// A tooltip control (tooltips_class32). Tools are windows or rectangles of a window; a
// window relays mouse messages to it from PreTranslateMessage with RelayEvent.
#pragma once
#include "CWnd.h"

#include <commctrl.h>

class FW_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A topmost popup owned by pParentWnd (TTS_ALWAYSTIP | TTS_NOPREFIX added).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // A tool over the rectangle of pWnd's client area (the whole client area when null) with
    // the id; with nIDTool 0 the tool is pWnd itself (TTF_IDISHWND, with TTF_SUBCLASS).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    BOOL GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const { return (int)::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void Activate(BOOL bActivate) { ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    void RelayEvent(LPMSG lpMsg) { ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void SetDelayTime(UINT nDelay) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, dwDuration, iTime); }
    int SetMaxTipWidth(int iWidth) { return (int)::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
    void SetTipBkColor(COLORREF clr) { ::SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
    void SetTipTextColor(COLORREF clr) { ::SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
    void Pop() { ::SendMessageA(m_hWnd, TTM_POP, 0, 0); }
    void Update() { ::SendMessageA(m_hWnd, TTM_UPDATE, 0, 0); }

protected:
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
