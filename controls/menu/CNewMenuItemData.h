// The record behind one owner-drawn menu item: its text, flags, command and icon. Owned by
// the menu that holds the item; each record belongs to exactly one native item.
#pragma once
#include "CString.h"
#include "MenuWinDefs.h"

class MenuIconIndex;

class CNewMenuItemData {
public:
    CNewMenuItemData() = default;
    ~CNewMenuItemData();
    CNewMenuItemData(const CNewMenuItemData&) = delete;
    CNewMenuItemData& operator=(const CNewMenuItemData&) = delete;

    CString text;             // label, a tab, accelerator text
    DWORD titleFlags = 0;     // 0, or MenuTitleIsTitle | the title's flags
    UINT menuFlags = 0;       // MF_ flags as inserted, MF_OWNERDRAW always set
    UINT_PTR commandId = 0;   // the command, the submenu handle of a popup item, 0 for separators
    DWORD syncClaim = 0;      // 1 while claimed by a synchronisation
    MenuIconIndex* iconList = nullptr;  // one reference held
    int iconIndex = -1;       // normal image in iconList (a multiple of 3), -1 for none
    DWORD_PTR userData = 0;

    // Takes a reference on the new list before releasing the old one.
    void SetIconList(MenuIconIndex* list);
    // Drops the icon: no list, no index.
    void ClearIcon();

    bool IsTitle() const { return (titleFlags & 0x1) != 0; }
    bool IsSeparator() const { return (menuFlags & MF_SEPARATOR) != 0; }
    bool IsPopup() const { return (menuFlags & MF_POPUP) != 0; }
    // The text before the first tab, and after the last one ("" without a tab).
    CString Label() const;
    CString Accelerator() const;
    bool HasTab() const { return text.Find('\t') >= 0; }

    // "MenuItem: " and the text, for debug output.
    CString Dump() const;
};
