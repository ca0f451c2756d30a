#pragma once
#include "CCmdTarget.h"

class CMenu;
class CWnd;

// Command-state update of one menu item (or other command source): handlers of
// ON_UPDATE_COMMAND_UI set its state; DoUpdate runs the handler of m_nID on a target.
class FW_API CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // Runs the update handler for m_nID on the target. Without a handler and with
    // bDisableIfNoHandler, disables the item unless the target handles the command itself.
    // True when a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // The command-state update of a popup menu, as a frame runs it when the popup opens:
    // every item with a command gets its update handler on the target; a submenu item is
    // updated through its submenu's first item; items a handler removes are skipped.
    static void UpdateMenu(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;        // position of the item in m_pMenu
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;  // the popup when the item opens one
    CWnd* m_pOther = nullptr;     // a window source instead of a menu
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
};
