// The thread message hook that finds the platform's popup-menu windows (class "#32768") as
// they are created, and the subclass that gives them the current style's border,
// background and shadow.
#pragma once
#include "MenuWindowState.h"

// The hook procedure (WH_CALLWNDPROC).
LRESULT CALLBACK MenuCallWndHook(int code, WPARAM wParam, LPARAM lParam);

// Subclasses a popup-menu window that no copy has subclassed yet; TRUE when it did. A
// pending popup handle is handed to the window's state in every case.
BOOL SubclassMenuWindow(HWND window, BOOL shown);
// Restores the window's procedure and drops its state.
void UnsubclassMenuWindow(HWND window);
// The state of a window this copy subclassed, or null.
MenuWindowState* FindMenuWindowState(HWND window);
// Drops the states of every window (shut-down).
void ForgetMenuWindows();
