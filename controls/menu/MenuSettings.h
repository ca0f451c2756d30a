// Process-wide settings of the owner-drawn menus. Each setter returns the old value.
#pragma once
#include "MenuWinDefs.h"

// Disabled items are highlighted like others (default 1).
BOOL SetSelectDisabled(BOOL on);
BOOL GetSelectDisabled();
// Unselected icons show their darkened image, disabled ones their grey image (default 1).
BOOL SetMenuIconShading(BOOL on);
BOOL GetMenuIconShading();
// Popup windows of plain menus get the style's border too (default 1).
BOOL SetBorderForAllMenus(BOOL on);
BOOL GetBorderForAllMenus();

// Hook flags (0 by default).
enum MenuHookFlags : DWORD {
    MenuHookTempHandler = 0x1,   // attach the temporary owner handler to new dialogs
    MenuHookSystemMenu = 0x2,    // convert a dialog's system menu when it initialises
    MenuHookSystemBorder = 0x4,  // MenuModeScope picks the style's system-border variant
};
DWORD SetMenuHookFlags(DWORD flags);
DWORD GetMenuHookFlags();
