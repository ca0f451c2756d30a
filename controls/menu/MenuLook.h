// The colours the menus are drawn in, chosen from the system's colours and settings. The
// settings are read from the platform into a MenuLook (Win32); the choices are plain rules.
#pragma once
#include "MenuWinDefs.h"

#include <functional>

struct MenuLook {
    int osClass = 7;
    bool flatMenus = false;       // SPI_GETFLATMENU
    bool themeActive = false;     // the theme module's IsThemeActive
    bool highContrast = false;    // SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON
    bool platformShadows = false; // SPI_GETDROPSHADOW
    int displayColours = 64000;   // NUMCOLORS of the screen, 64000 for more than 256
    COLORREF sysColours[31] = {};

    COLORREF Sys(int index) const { return index >= 0 && index < 31 ? sysColours[index] : 0; }
    bool FewColours() const { return displayColours <= 256; }
};

// M: COLOR_MENUBAR on OS class 7 with flat menus on, else COLOR_MENU.
COLORREF MenuColour(const MenuLook& look);
// B: as M, and COLOR_MENUBAR on OS class 7 while a visual theme is active.
COLORREF MenuBarColour(const MenuLook& look);
// The selection colour: COLOR_HIGHLIGHT in high-contrast mode, COLOR_WINDOW with few
// colours, else darken(30, blend70(COLOR_WINDOW, COLOR_HIGHLIGHT)).
COLORREF MenuSelectionColour(const MenuLook& look);

// The colours the flat style paints an item with.
struct MenuFlatColours {
    COLORREF background;  // BG
    COLORREF iconColumn;  // IC
    COLORREF selection;   // SF
    COLORREF framePen;    // P
};
// nearest maps a colour to the one the display shows for it.
MenuFlatColours MenuFlatItemColours(const MenuLook& look, bool menuBar,
                                    const std::function<COLORREF(COLORREF)>& nearest);
// The colour the flat window painter fills the frame ring with, and its outer line.
COLORREF MenuFlatFrameRingColour(const MenuLook& look);
COLORREF MenuFlatFrameLineColour(const MenuLook& look);

// The colours of the gradient style.
struct MenuGradientColours {
    COLORREF dark60;    // D60
    COLORREF light60;   // L60
    COLORREF dark100;   // D100
    COLORREF disabled;  // DC
};
MenuGradientColours MenuGradientItemColours(const MenuLook& look,
                                            const std::function<COLORREF(COLORREF)>& nearest);
// The gradient of a colour X runs from lighten(30, X) at the top to darken(30, X) below.
inline COLORREF MenuGradientTop(COLORREF x);
inline COLORREF MenuGradientBottom(COLORREF x);

// The darkened and the greyed image of an icon pixel; bar is the menu-bar colour B.
COLORREF MenuDarkenedPixel(COLORREF c);
COLORREF MenuGreyedPixel(COLORREF c, COLORREF bar);

#include "MenuColour.h"
inline COLORREF MenuGradientTop(COLORREF x) { return MenuLighten(30, x); }
inline COLORREF MenuGradientBottom(COLORREF x) { return MenuDarken(30, x); }
