// The item measurers, item painters and the title painter of the drawing styles.
#pragma once
#include "MenuItemContext.h"

void MenuMeasureStandardItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu);
void MenuMeasureTallItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu);
void MenuMeasureFlatItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu);

void MenuPaintFlatItem(const DRAWITEMSTRUCT& item, const MenuItemContext& menu);
void MenuPaintClassicItem(const DRAWITEMSTRUCT& item, const MenuItemContext& menu);
void MenuPaintHighlightBarItem(const DRAWITEMSTRUCT& item, const MenuItemContext& menu);
void MenuPaintGradientItem(const DRAWITEMSTRUCT& item, const MenuItemContext& menu);

void MenuPaintTitle(HDC dc, const RECT& rect, const CNewMenuItemData& title);

// The process-wide title font (default "Arial", height 16, weight 700, character set 1).
void SetMenuTitleFont(HFONT font);
void SetMenuTitleFont(const LOGFONTA& font);
void GetMenuTitleFont(LOGFONTA* font);

// Shared by the painters: the item's own check-mark bitmaps.
struct MenuItemCheckMarks {
    HBITMAP checked = nullptr;
    HBITMAP unchecked = nullptr;
};
MenuItemCheckMarks MenuReadCheckMarks(const DRAWITEMSTRUCT& item);
// A disabled item the user may not select is painted unselected. True when it was reached
// from the keyboard (the mouse has not moved since the last such item), when the painters
// give it a frame only.
bool MenuTakeKeyboardSelection(bool disabled, bool& selected);
// The draw-state silhouette of an image of the list in a colour.
void MenuDrawSilhouette(HDC dc, HIMAGELIST images, int index, int x, int y, COLORREF colour);
// The image in the platform's disabled look.
void MenuDrawDisabledImage(HDC dc, HIMAGELIST images, int index, int x, int y);
