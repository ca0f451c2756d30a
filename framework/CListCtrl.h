// A list view (SysListView32): items with a text and an image in a report, icon, small-icon
// or list view. Image lists set on it stay the caller's; a list view with LVS_SHAREIMAGELISTS
// leaves them alone when it is destroyed (use it for lists shared with the shell).
#pragma once
#include "CString.h"
#include "CWnd.h"

#include <commctrl.h>

class CImageList;

class FW_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    // Insert before nItem (past the end: as the last item); the index it got, -1 on failure.
    int InsertItem(const LVITEMA* pItem) { return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }

    BOOL GetItem(LVITEMA* pItem) const { return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEMA* pItem) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)pItem); }
    // The whole text, however long.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // The item's image index, -1 when it has none or there is no such item.
    int GetItemImage(int nItem) const;
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);

    // Next item after nItem (-1: from the start) with the LVNI_ flags, -1 for none.
    int GetNextItem(int nItem, int nFlags) const { return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    UINT GetSelectedCount() const { return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0); }
    int GetSelectionMark() const { return (int)::SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0); }
    int SetSelectionMark(int iIndex) { return (int)::SendMessageA(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }

    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)::SendMessageA(m_hWnd, LVM_DELETECOLUMN, nCol, 0); }
    int GetColumnWidth(int nCol) const { return (int)::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    // Width of the text in the list's font, in pixels.
    int GetStringWidth(LPCTSTR lpsz) const { return (int)::SendMessageA(m_hWnd, LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }

    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    int GetTopIndex() const { return (int)::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)::SendMessageA(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }

    // LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE; returns the list that was set before (a
    // temporary object), null for none.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const;

    DWORD GetExtendedStyle() const { return (DWORD)::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    COLORREF GetBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
};
