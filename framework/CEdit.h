// An edit control.
#pragma once
#include "CWnd.h"

class FW_API CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID); }
    void LimitText(int nChars = 0) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, nChars, 0); }
    void SetLimitText(UINT nMax) { ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, nMax, 0); }
    UINT GetLimitText() const { return (UINT)::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    DWORD GetSel() const { return (DWORD)::SendMessageA(m_hWnd, EM_GETSEL, 0, 0); }
    void GetSel(int& nStartChar, int& nEndChar) const
    { ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    { ::SendMessageA(m_hWnd, EM_SETSEL, nStartChar, nEndChar); if (!bNoScroll) ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    { ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
    int GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    int LineIndex(int nLine = -1) const { return (int)::SendMessageA(m_hWnd, EM_LINEINDEX, nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)::SendMessageA(m_hWnd, EM_LINELENGTH, nLine, 0); }
    int LineFromChar(int nIndex = -1) const { return (int)::SendMessageA(m_hWnd, EM_LINEFROMCHAR, nIndex, 0); }
    void LineScroll(int nLines, int nChars = 0) { ::SendMessageA(m_hWnd, EM_LINESCROLL, nChars, nLines); }
    int GetFirstVisibleLine() const { return (int)::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, bReadOnly, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { ::SendMessageA(m_hWnd, EM_SETMODIFY, bModified, 0); }
    void SetMargins(UINT nLeft, UINT nRight) { ::SendMessageA(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
    void SetPasswordChar(TCHAR ch) { ::SendMessageA(m_hWnd, EM_SETPASSWORDCHAR, (BYTE)ch, 0); }
    void GetRect(LPRECT lpRect) const { ::SendMessageA(m_hWnd, EM_GETRECT, 0, (LPARAM)lpRect); }
    void SetRect(LPCRECT lpRect) { ::SendMessageA(m_hWnd, EM_SETRECT, 0, (LPARAM)lpRect); }
    BOOL CanUndo() const { return (BOOL)::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)::SendMessageA(m_hWnd, EM_UNDO, 0, 0); }
    void EmptyUndoBuffer() { ::SendMessageA(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { ::SendMessageA(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessageA(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessageA(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessageA(m_hWnd, WM_PASTE, 0, 0); }
};
