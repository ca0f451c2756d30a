// The sizes the drawing styles give menu items.
#pragma once
#include "MenuWinDefs.h"

enum MenuMeasurer { MenuMeasureStandard, MenuMeasureTall, MenuMeasureFlat };

// Title flags of a title item (the item record's titleFlags).
enum MenuTitleFlags : DWORD {
    MenuTitleIsTitle = 0x1,
    MenuTitleVertical = 0x2,
    MenuTitleGradient = 0x4,
    MenuTitle3D = 0x8,
    MenuTitleUnderlineBar = 0x10,
    MenuTitleRounded = 0x20,
    MenuTitleCentred = 0x40,
};

struct MenuMetrics {
    int cxMenuCheck;   // SM_CXMENUCHECK
    int cyMenu;        // SM_CYMENU
};

// An item with text: text is the extent of the whole text in the menu font, hasTab when it
// holds a tab (label and accelerator).
SIZE MenuMeasureItem(MenuMeasurer measurer, bool menuBar, SIZE text, bool hasTab, int iconWidth,
                     int iconHeight, const MenuMetrics& metrics);

// A title separator, text measured unrotated in the title font. A vertical title is
// 1 pixel high: its painter spans the whole column.
SIZE MenuMeasureTitle(SIZE text, DWORD titleFlags, int cxMenuCheck);

// A plain separator.
const int MenuSeparatorHeight = 3;

// The window-control commands of a menu bar (system commands shown at the bar's end).
inline bool MenuIsWindowControlCommand(UINT_PTR id)
{
    UINT_PTR cmd = id & 0xFFF0;
    return cmd > 0xEFFF && cmd <= 0xF150;
}
