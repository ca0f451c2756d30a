// Draws one item of a window's menu bar on request (the frame's own hot tracking).
#pragma once
#include <windows.h>

// 0 for position -1, an unreadable item rectangle or an item that is not owner-drawn;
// otherwise sends the window a WM_DRAWITEM for the item in the given state (on its window
// device context, with the menu font) and returns 1.
BOOL DrawMenuBarItem(HWND window, HMENU menu, int position, UINT state);
