// What the item bookkeeping of a menu needs of the native menu: reading its items by
// position and rewriting one as owner-drawn with its record. The Win32 menu implements it;
// tests use a fake.
#pragma once
#include "CString.h"
#include "MenuWinDefs.h"

class CNewMenuItemData;

class MenuNativeView {
public:
    virtual ~MenuNativeView() = default;
    virtual int ItemCount() const = 0;
    // The item's MF_ type and state flags and its command id (the submenu handle for a
    // popup); false when the position holds no item.
    virtual bool ReadItem(int pos, UINT* flags, UINT_PTR* id) const = 0;
    virtual CString ReadText(int pos) const = 0;
    // Rewrites the item at the position by the record's flags, with the record as item data
    // (owner-drawn or separator items) or its bitmap (MF_BITMAP items).
    virtual void Rewrite(int pos, CNewMenuItemData* record) = 0;
    // The submenu at the position, when it is one of the component's menus, takes this menu
    // as its parent.
    virtual void AdoptSubMenu(int pos) = 0;
};
