// The item records of one menu in menu position order, owned. Keeps them in step with the
// native menu: every native item has one record of its own, also when several items bear
// the same command id.
#pragma once
#include "CNewMenuItemData.h"
#include "MenuNativeView.h"

#include <memory>
#include <vector>

class MenuItemRecords {
public:
    MenuItemRecords() = default;
    MenuItemRecords(const MenuItemRecords&) = delete;
    MenuItemRecords& operator=(const MenuItemRecords&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    CNewMenuItemData* At(int pos) const;
    // Inserts at the position (-1 or beyond the end appends); returns the record.
    CNewMenuItemData* Insert(int pos, std::unique_ptr<CNewMenuItemData> record);
    // Deletes the record at the position; false when there is none.
    bool RemoveAt(int pos);
    void Clear() { m_items.clear(); }

    int IndexOf(const CNewMenuItemData* record) const;
    bool Contains(const CNewMenuItemData* record) const { return IndexOf(record) >= 0; }
    // The first record whose text equals the text; -1 when none.
    int FindText(const char* text) const;
    // Every position whose record bears the command.
    std::vector<int> FindCommand(UINT_PTR command) const;

    // The first position whose text holds "&" and the character, both lower-cased; -1 when
    // none does.
    int FindMnemonic(char ch) const;

    // The positions RemoveNear removes, in order, for the item at pos in a menu of count
    // items: mode 0 the item, 1 the one before, 2 the one after, 3 the one after and then
    // the one before. Positions outside the menu are left out.
    static std::vector<int> RemoveNearPositions(int pos, int mode, int count);

    // Makes the records match the native menu again after other code changed it.
    void Sync(MenuNativeView& native);

private:
    std::vector<std::unique_ptr<CNewMenuItemData>> m_items;
};
