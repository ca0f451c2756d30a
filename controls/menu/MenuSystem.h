// What the owner-drawn menus know of the running system, and the plain functions they share
// for it: the OS class, contrast and shadow settings, the menu colours, the display's
// colour depth, the optional theme and gradient entry points, and the last-error box.
// Computed at the component's start-up and kept process-wide.
#pragma once
#include "MenuLook.h"

#include <windows.h>

class MenuSystem {
public:
    // Reads the OS class, the contrast and remote-desktop flags and loads the optional
    // modules ("uxtheme.dll" for IsThemeActive, "Msimg32.dll" for GradientFill except on
    // OS class 3). Runs once; later calls do nothing.
    static void Start();
    // Drops the entry points and frees both modules.
    static void Stop();

    static int OsClass();
    static bool HighContrast();
    static bool RemoteSession();
    // Whether the theme module's IsThemeActive says a visual theme is active.
    static bool ThemeActive();

    typedef BOOL(WINAPI* GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    // The platform's gradient fill, or null (no module, or OS class 3).
    static GradientFillProc GradientFillEntry();

    // Test seam: pretends to run on another OS class (the gradient entry follows the rule of
    // that class); -1 returns to the real one.
    static void OverrideOsClass(int osClass);

    // Where ReportLastError sends its text instead of a message box (tests); null: the box.
    typedef void (*ErrorReporter)(DWORD code, const char* text);
    static void SetErrorReporter(ErrorReporter reporter);

    // The look of the system now: OS class, settings, system colours, display depth.
    static MenuLook Look();

    // The item data of the menu-bar item the frame last painted hot itself (null: none).
    static void* hotItemNote;
    // The position of the last key press in a menu window (keyboard-selected items).
    static DWORD lastMessagePos;
};

// SPI_GETDROPSHADOW; 0 when the query fails.
BOOL IsDropShadowOn();
// M and B of the menus, and the selection colour (MenuLook.h tells the rules).
COLORREF GetMenuColour();
COLORREF GetMenuBarColour();
COLORREF GetSelectionColour();
// NUMCOLORS of the screen, read once; more than 256 colours reads as 64000.
int GetDisplayColours();
// OS class above 1.
BOOL HasNewLook();
// Shows the system's text for the last error in an information box ("Error"); nothing for 0.
void ReportLastError();
// The menu font of the system (NONCLIENTMETRICS lfMenuFont).
BOOL GetMenuFont(LOGFONTA* font);
