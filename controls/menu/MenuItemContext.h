// What the measurers and painters of a drawing style know of the menu that holds the item
// being measured or drawn. Filled by the menu (CNewMenu) for each call.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CNewMenuItemData;

struct MenuItemContext {
    int iconWidth = 16;
    int iconHeight = 15;
    // The item is on a menu bar (the menu is no popup and has no parent menu).
    bool menuBar = false;
    // How many popups of the menu bar are open.
    int openPopups = 0;
    // Where a selected menu-bar item records its rectangle (screen coordinates); may be null.
    RECT* selectedBarItemRect = nullptr;
    // The menu's own images for checked items (0 normal, 1 selected), and whether the
    // selected one was set.
    HIMAGELIST checkImages = nullptr;
    bool hasSelectedCheckImage = false;
};

typedef void (*MenuItemMeasurerProc)(MEASUREITEMSTRUCT* item, const MenuItemContext& menu);
typedef void (*MenuItemPainterProc)(const DRAWITEMSTRUCT& item, const MenuItemContext& menu);
typedef void (*MenuTitlePainterProc)(HDC dc, const RECT& rect, const CNewMenuItemData& title);
