// How the popup-window code reaches the menu behind a popup window, whichever copy of the
// component (program or library) owns that menu.
#pragma once
#include <windows.h>

struct MenuDirectory {
    // Whether a copy of the component owns the menu.
    static bool IsComponentMenu(HMENU menu);
    // Tells the owner that the menu's popup window went away.
    static void PopupClosed(HMENU menu);
    // The rectangle (screen) of the selected menu-bar item the popup opened from; false
    // when it did not open from a menu bar of the component.
    static bool BarItemRect(HMENU popup, RECT* rect);
};
