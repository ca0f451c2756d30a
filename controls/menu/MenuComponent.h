// Start-up and shut-down of the owner-drawn menu component, and the process-wide agreement
// between its copies. The authoring program and the viewers library each carry a copy; in
// one process only one copy (the acting one) keeps the message hook and subclasses popup
// windows, whichever copy owns the menu shown. The copies meet in a small table in memory
// named after the process (MenuShareTable.h).
#pragma once
#include <windows.h>

class MenuShare;

class MenuComponent {
public:
    // Reads the system (MenuSystem), registers the styles, joins the process table and, when
    // no other copy acts, installs the WH_CALLWNDPROC hook for the calling thread. When the
    // hook cannot be installed the last error is reported and menus stay plain (popups keep
    // the platform's look). Runs once until Stop.
    static void Start();
    // Removes the hook, leaves the table, deletes the styles, frees the modules and the
    // container of the icon lists.
    static void Stop();
    static bool Started();

    // Whether this copy's hook is installed.
    static bool HookInstalled();
    // Takes over acting (and installs the hook) when no copy acts any more.
    static void EnsureActing();
    // This copy's view of the process table (null when it could not be joined).
    static MenuShare* Share();

    // The popup the next menu window shows (named by whichever copy opened it).
    static void SetPendingMenu(HMENU menu);
    static HMENU TakePendingMenu();
    static HMENU PendingMenu();

    // What this copy answers about its menus; set by the menu class.
    typedef bool (*OwnsProc)(HMENU menu);
    typedef void (*PopupClosedProc)(HMENU menu);
    typedef bool (*BarRectProc)(HMENU popup, RECT* rect);
    typedef void (*DialogCreatedProc)(HWND dialog);
    static void SetMenuCallbacks(OwnsProc owns, PopupClosedProc closed, BarRectProc barRect,
                                 DialogCreatedProc dialogCreated);
    static DialogCreatedProc DialogCreated();

    // Test seams: the hook installer (default SetWindowsHookExA) and the number of popup
    // windows this copy subclassed since start.
    typedef HHOOK(WINAPI* HookInstaller)(int, HOOKPROC, HINSTANCE, DWORD);
    static void SetHookInstaller(HookInstaller installer);
    static int subclassCount;
};
