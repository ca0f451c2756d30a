// The eight drawing styles of the menus: which measurer, item painter and window painter each
// uses, and whether it draws the popup window's border and shadow itself.
#pragma once
#include "MenuMeasure.h"

enum MenuItemPainter { MenuPaintClassic, MenuPaintFlat, MenuPaintHighlightBar, MenuPaintGradient };
enum MenuWindowPainter { MenuWindowPlain, MenuWindowFlat };

struct MenuStyleInfo {
    int id;
    MenuMeasurer measurer;
    MenuItemPainter painter;
    MenuWindowPainter windowPainter;
    bool ownBorder;
};

const int MenuStyleCount = 8;
// The style every menu uses unless told otherwise: flat, with its own border.
const int MenuDefaultStyle = 2;

// The styles in the order they are registered at start-up (6, 7, 0, 1, ... 5).
extern const int MenuStyleRegistrationOrder[MenuStyleCount];

// false for an id that names no style.
bool MenuGetStyleInfo(int id, MenuStyleInfo* info);
