#include "CListCtrl.h"

#include "CDialog.h"
#include "CImageList.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer less its terminator: grow until the text fits.
    std::vector<char> buffer(256);
    for (;;) {
        buffer[0] = '\0';
        const int copied = GetItemText(nItem, nSubItem, buffer.data(), (int)buffer.size());
        if (copied < (int)buffer.size() - 1)
            return CString(buffer.data(), copied);
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
}

int CListCtrl::GetItemImage(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iImage = -1;
    return GetItem(&item) ? item.iImage : -1;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nCol, (LPARAM)&column);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, LVM_SETIMAGELIST, nImageListType,
                                                             (LPARAM)pImageList->GetSafeHandle()));
}

CImageList* CListCtrl::GetImageList(int nImageListType) const
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, nImageListType, 0));
}
