#include "MenuLook.h"

#include "MenuColour.h"

COLORREF MenuColour(const MenuLook& look)
{
    if (look.osClass == 7 && look.flatMenus)
        return look.Sys(COLOR_MENUBAR);
    return look.Sys(COLOR_MENU);
}

COLORREF MenuBarColour(const MenuLook& look)
{
    if (look.osClass == 7 && (look.flatMenus || look.themeActive))
        return look.Sys(COLOR_MENUBAR);
    return look.Sys(COLOR_MENU);
}

COLORREF MenuSelectionColour(const MenuLook& look)
{
    if (look.highContrast)
        return look.Sys(COLOR_HIGHLIGHT);
    if (look.FewColours())
        return look.Sys(COLOR_WINDOW);
    return MenuDarken(30, MenuBlend70(look.Sys(COLOR_WINDOW), look.Sys(COLOR_HIGHLIGHT)));
}

MenuFlatColours MenuFlatItemColours(const MenuLook& look, bool menuBar,
                                    const std::function<COLORREF(COLORREF)>& nearest)
{
    COLORREF w = look.Sys(COLOR_WINDOW);
    COLORREF m = MenuColour(look);
    COLORREF b = MenuBarColour(look);
    MenuFlatColours c;
    c.background = menuBar ? b : MenuBlend86(w, m);
    c.iconColumn = look.FewColours() ? look.Sys(COLOR_BTNFACE) : MenuBlend86(b, w);
    c.selection = MenuSelectionColour(look);
    c.framePen = look.Sys(look.highContrast ? COLOR_BTNTEXT : COLOR_HIGHLIGHT);
    if (nearest && nearest(c.background) == nearest(c.iconColumn)) {
        c.background = w;
        c.iconColumn = menuBar ? b : m;
    }
    return c;
}

COLORREF MenuFlatFrameRingColour(const MenuLook& look)
{
    return MenuBlend86(look.Sys(COLOR_WINDOW), MenuBarColour(look));
}

COLORREF MenuFlatFrameLineColour(const MenuLook& look)
{
    return look.highContrast ? look.Sys(COLOR_BTNTEXT) : MenuDarken(128, MenuBarColour(look));
}

MenuGradientColours MenuGradientItemColours(const MenuLook& look,
                                            const std::function<COLORREF(COLORREF)>& nearest)
{
    COLORREF m = MenuColour(look);
    MenuGradientColours c;
    c.dark60 = MenuDarken(60, m);
    c.light60 = MenuLighten(60, m);
    c.dark100 = MenuDarken(100, m);
    COLORREF dc = MenuDarken(70, c.dark60);
    c.disabled = nearest ? nearest(dc) : dc;
    if (look.highContrast) {
        c.dark60 = c.light60 = look.Sys(COLOR_BTNTEXT);
        c.disabled = look.Sys(COLOR_BTNSHADOW);
    }
    return c;
}

COLORREF MenuDarkenedPixel(COLORREF c) { return MenuDarken(50, c); }

COLORREF MenuGreyedPixel(COLORREF c, COLORREF bar)
{
    return MenuBlend86(MenuLighten(100, MenuGrey(c)), bar);
}
