#include "MenuDrawBarItem.h"

#include "MenuPaintTools.h"
#include "MenuSystem.h"

BOOL DrawMenuBarItem(HWND window, HMENU menu, int position, UINT state)
{
    if (position == -1)
        return FALSE;
    RECT item;
    if (!GetMenuItemRect(window, menu, position, &item))
        return FALSE;
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return FALSE;
    RECT w;
    GetWindowRect(window, &w);
    OffsetRect(&item, -w.left, -w.top);
    HDC dc = GetWindowDC(window);
    HFONT font = MenuCreateMenuFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    DRAWITEMSTRUCT dis;
    ZeroMemory(&dis, sizeof dis);
    dis.CtlType = ODT_MENU;
    dis.itemID = info.wID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = item;
    dis.itemData = info.dwItemData;
    MenuSystem::hotItemNote = reinterpret_cast<void*>(info.dwItemData);
    SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(window, dc);
    return TRUE;
}
