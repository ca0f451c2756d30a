// What list boxes and combo boxes share: the text of an item into a CString, and the
// owner-draw messages that the parent hands back to the control, passed to its DrawItem,
// MeasureItem, CompareItem and DeleteItem. For the framework's own sources.
#pragma once
#include "CString.h"
#include "WinTypes.h"

// The text of item index, asked for with the control's length and text messages; empty
// for an item that does not exist.
inline void GetItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, CString& text)
{
    const int n = (int)::SendMessageA(control, lengthMessage, index, 0);
    if (n < 0) {
        text.Empty();
        return;
    }
    ::SendMessageA(control, textMessage, index, (LPARAM)text.GetBufferSetLength(n));
    text.ReleaseBuffer();
}

// True when message is one of the four owner-draw messages, given to the control's member
// (its result in *pResult when asked for); false for any other message.
template <class Control>
bool NotifyOwnerDrawnItem(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message) {
    case WM_DRAWITEM: control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return false;
    }
    if (pResult)
        *pResult = result;
    return true;
}
