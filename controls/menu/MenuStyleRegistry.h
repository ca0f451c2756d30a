// The registered drawing styles of the process and the current one (style 2 at start).
#pragma once
#include "MenuStyle.h"

class MenuStyleRegistry {
public:
    // Registers the eight styles (6, 7, 0, 1, 2, 3, 4, 5) and makes style 2 current; once.
    static void Create();
    // Deletes every registered style.
    static void Destroy();
    // The current style (registering the styles when that has not happened yet).
    static MenuStyle* Current();
    static MenuStyle* Find(int id);
};

// Makes the style current; returns the previous style id, or -1 when no such style is
// registered.
int SetMenuDrawStyle(int style);
int GetMenuDrawStyle();

// Saves the hook flags and the drawing style, and restores both when it goes.
class MenuModeScope {
public:
    // New hook flags; with MenuHookSystemBorder the current style's variant with the system
    // border (style id | 1) becomes current.
    explicit MenuModeScope(DWORD hookFlags);
    // Switches to the style.
    explicit MenuModeScope(int style, bool /*byStyle*/);
    ~MenuModeScope();
    MenuModeScope(const MenuModeScope&) = delete;
    MenuModeScope& operator=(const MenuModeScope&) = delete;

private:
    DWORD m_hookFlags;
    int m_style;
};
