// A menu whose items the program draws itself: an icon column, check glyphs, an optional
// title band, in the current drawing style. Every item is owner-drawn and has a record of
// its own (CNewMenuItemData); icons live in the shared icon lists.
#pragma once
#include "CMenu.h"
#include "CNewMenuItemData.h"
#include "MenuItemContext.h"
#include "MenuItemRecords.h"

#include <vector>

class CImageList;
class CNewMenuIcons;
class CWnd;

class CNewMenu : public CMenu {
    DECLARE_DYNAMIC(CNewMenu)
public:
    explicit CNewMenu(HMENU parent = nullptr);
    ~CNewMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

    virtual BOOL LoadMenu(UINT resourceId);
    virtual BOOL LoadMenu(LPCTSTR resourceName);
    virtual BOOL LoadMenu(HMENU menu);
    virtual BOOL DestroyMenu();
    virtual void DrawTitle(HDC dc, const RECT& rect, const CNewMenuItemData& title);
    // Fills the client area of a menu window with the menu colour.
    virtual BOOL EraseBackground(HWND window, HDC dc);
    virtual void PreparePopup();
    virtual void PopupClosed();

    // Adding items; the item becomes owner-drawn. A command id of 0 makes a separator.
    BOOL AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, int unused = -1);
    BOOL AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, HBITMAP bitmap);
    BOOL AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, HIMAGELIST images, int index);
    // The icon comes from the toolbar resource that holds the command, else from the bitmap
    // resource of that id; a negative id means no icon.
    BOOL InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, int resourceId = -1);
    BOOL InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, HBITMAP bitmap);
    BOOL InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, HIMAGELIST images, int index);
    CNewMenu* AppendPopup(LPCTSTR text);

    // Changing items: every item bearing the command, in this menu and its popups.
    BOOL ModifyItem(LPCTSTR text, UINT id, int resourceId = -1);
    BOOL ModifyItem(LPCTSTR text, UINT id, HIMAGELIST images, int index);
    BOOL ModifyItem(LPCTSTR text, UINT id, HBITMAP bitmap);
    BOOL ModifyItem(LPCTSTR text, UINT id, COLORREF fill, COLORREF border, int hatchStyle = -1);
    BOOL ModifyItemByText(LPCTSTR newText, LPCTSTR oldText, int resourceId = -1);
    BOOL SetItemText(UINT item, LPCTSTR text, UINT flags = MF_BYPOSITION);
    BOOL GetItemText(UINT item, CString& text, UINT flags = MF_BYPOSITION) const;
    BOOL SetItemUserData(UINT item, DWORD_PTR value, BOOL byPosition = FALSE);
    DWORD_PTR GetItemUserData(UINT item, BOOL byPosition = FALSE) const;
    BOOL ChangeItemCommand(UINT oldId, UINT newId);
    BOOL RemoveItem(UINT item, UINT flags);
    BOOL DeleteItem(UINT item, UINT flags);
    int RemoveNear(LPCTSTR text, int mode);

    // Finding.
    CNewMenu* FindPopupByText(LPCTSTR text) const;
    static CNewMenu* FindMenuForCommand(HMENU menu, UINT_PTR id);
    static CNewMenu* FindMenuForItem(HMENU menu, UINT_PTR id, const CNewMenuItemData* record);
    // The menu of this copy of the component behind the handle, or null.
    static CNewMenu* FromMenuHandle(HMENU menu);

    // Titles (MenuTitleFlags).
    BOOL SetMenuTitle(LPCTSTR text, DWORD titleFlags = 0x2 | 0x4);
    BOOL RemoveMenuTitle();

    // Icons from toolbars.
    BOOL LoadToolBar(UINT resourceId, HMODULE module = nullptr);
    BOOL LoadToolBar(LPCTSTR resourceName, HMODULE module = nullptr);
    BOOL LoadToolBar(const WORD* table, COLORREF mask = 0xFF000000);
    BOOL LoadToolBars(const UINT* ids, int count, HMODULE module = nullptr);

    void SetIconSize(int width, int height) { m_iconWidth = width; m_iconHeight = height; }
    int IconWidth() const { return m_iconWidth; }
    int IconHeight() const { return m_iconHeight; }
    COLORREF SetBitmapBackground(COLORREF colour);
    BOOL SetCheckImages(UINT normalBitmap, UINT selectedBitmap);
    BOOL SetPopup(BOOL popup);
    BOOL IsPopup() const { return m_isPopup; }
    void SetIconMode(BOOL on) { m_iconMode = on; }
    int SetSpare(int value) { int old = m_spare; m_spare = value; return old; }
    int GetSpare() const { return m_spare; }
    HMENU ParentMenu() const { return m_parentMenu; }
    HWND OwnerWindow() const { return m_ownerWindow; }
    int OpenPopups() const { return m_openPopups; }
    const RECT& SelectedBarItemRect() const { return m_selectedBarItemRect; }
    // The item records, in menu position order.
    const MenuItemRecords& Items() const { return m_items; }

    // Forgets records and popups and lets go of the handle without destroying it (its
    // parent menu or its window destroys it).
    void DetachTree();

    // Makes the records match the native items again.
    void SyncItems();

    // Handlers for the windows that show these menus.
    static BOOL MeasureItemHandler(CWnd* window, LPMEASUREITEMSTRUCT item);
    static void InitMenuPopupHandler(CWnd* window, CMenu* popup);
    static LRESULT MenuCharHandler(UINT ch, UINT flags, CMenu* menu);
    static void SysColorChangeHandler();

protected:
    BOOL InsertCore(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, CNewMenuIcons* list, int index);
    BOOL ModifyCore(LPCTSTR text, UINT id, CNewMenuIcons* list, int index, bool setIcon);
    // The icon list and image for a resource id (toolbar holding the command, else bitmap).
    CNewMenuIcons* IconForResource(int resourceId, UINT_PTR command, int* index);
    CNewMenuIcons* IconForBitmap(HBITMAP bitmap, UINT_PTR command, int* index);
    // The context the style's painters see.
    MenuItemContext Context() const;
    bool IsMenuBar() const { return !m_isPopup && !m_parentMenu; }
    void GrowIconSize(CNewMenuIcons* list);
    void RedrawBarItem();
    // Every menu of this tree, each once.
    void CollectTree(std::vector<CNewMenu*>* menus);

    MenuItemRecords m_items;
    std::vector<CNewMenu*> m_subMenus;
    int m_iconWidth = 16;
    int m_iconHeight = 15;
    HWND m_ownerWindow = nullptr;
    COLORREF m_bitmapBackground = 0xFF000000;
    HIMAGELIST m_checkImages = nullptr;
    BYTE m_ownsNoCheckImages = 0;
    int m_checkImageSelected = -1;
    int m_checkImageNormal = -1;
    BOOL m_iconMode = FALSE;
    HMENU m_parentMenu = nullptr;
    BOOL m_isPopup = TRUE;
    RECT m_selectedBarItemRect = {0, 0, 0, 0};
    int m_openPopups = 0;
    int m_spare = 0;

    friend class CNewMenuAccess;
};
