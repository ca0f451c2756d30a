// The one place where the copies of the menu component loaded into one process (the
// program's own and the viewers library's) agree which of them acts on popup-menu windows.
// Only the acting copy keeps the message hook installed and subclasses menu windows; every
// copy names the popup it opens here, and the acting copy asks the copy that owns a popup's
// menu to handle it. The table is plain data in memory shared by all copies (on Windows a
// named mapping per process), so each copy may see it at another address.
#pragma once
#include "MenuWinDefs.h"

// Answers for one copy: 1 when the menu handle belongs to one of its menus.
typedef int (*MenuShareOwnsProc)(UINT_PTR menu);
// Tells the copy that owns the menu that its popup window went away.
typedef void (*MenuSharePopupClosedProc)(UINT_PTR menu);
// The owner's rectangle (screen) of the selected menu-bar item the popup opened from; 0 when
// there is none.
typedef int (*MenuShareBarRectProc)(UINT_PTR menu, RECT* rect);

struct MenuShareTable {
    static const DWORD Magic = 0x554E4D56;  // "VMNU"
    static const int MaxCopies = 8;
    struct Copy {
        DWORD id;  // 0: free slot
        MenuShareOwnsProc owns;
        MenuSharePopupClosedProc popupClosed;
        MenuShareBarRectProc barRect;
    };
    DWORD magic;
    DWORD size;
    DWORD lastId;
    DWORD acting;        // id of the acting copy, 0 when none acts
    UINT_PTR pendingMenu; // the popup named last, 0 when none
    Copy copies[MaxCopies];
};

// One copy's view of the table.
class MenuShare {
public:
    // Joins the table (initialising zeroed memory); id 0 when the table is full or foreign.
    MenuShare(MenuShareTable* table, MenuShareOwnsProc owns, MenuSharePopupClosedProc closed,
              MenuShareBarRectProc barRect = nullptr);
    // Leaves it; an acting copy gives up acting.
    ~MenuShare();
    MenuShare(const MenuShare&) = delete;
    MenuShare& operator=(const MenuShare&) = delete;

    DWORD Id() const { return m_id; }
    bool Joined() const { return m_id != 0; }
    // This copy acts when no other does; true when it acts afterwards.
    bool ClaimActing();
    void StopActing();
    bool IsActing() const;
    bool AnyoneActing() const;

    // Names the popup the next menu window shows.
    void SetPending(UINT_PTR menu);
    // The pending popup, cleared.
    UINT_PTR TakePending();
    UINT_PTR Pending() const;

    // Whether any joined copy owns the menu.
    bool IsComponentMenu(UINT_PTR menu) const;
    // Tells the owner of the menu that its popup closed; false when no copy owns it.
    bool NotifyPopupClosed(UINT_PTR menu) const;
    // The owner's selected bar item rectangle for the popup; false when none.
    bool BarItemRect(UINT_PTR menu, RECT* rect) const;

private:
    const MenuShareTable::Copy* OwnerOf(UINT_PTR menu) const;

    MenuShareTable* m_table;
    DWORD m_id = 0;
};
