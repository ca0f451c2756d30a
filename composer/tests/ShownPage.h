// The page a wizard shows now: its pages are child dialogs of the wizard, one visible at a
// time. Works across processes (window classes and visibility only).
#pragma once
#include <windows.h>

// A window of the dialog class.
inline bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

inline HWND ShownPage(HWND wizard)
{
    for (HWND child = ::GetWindow(wizard, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (IsDialogWindow(child) && ::IsWindowVisible(child))
            return child;
    return nullptr;
}
