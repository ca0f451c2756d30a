// The page a wizard shows now: its pages are child dialogs of the wizard, one visible at a
// time. Works across processes (window classes and visibility only).
#pragma once
#include <windows.h>

namespace shown_page_detail {
inline BOOL CALLBACK Match(HWND window, LPARAM parameter)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}
}  // namespace shown_page_detail

inline HWND ShownPage(HWND wizard)
{
    HWND found = nullptr;
    ::EnumChildWindows(wizard, shown_page_detail::Match, reinterpret_cast<LPARAM>(&found));
    return found;
}
