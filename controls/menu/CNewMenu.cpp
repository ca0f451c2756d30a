#include "CNewMenu.h"

#include "AfxModule.h"
#include "CNewMenuIcons.h"
#include "CTempMenuHandler.h"
#include "CWnd.h"
#include "MenuComponent.h"
#include "MenuIconLookup.h"
#include "MenuIconRegistry.h"
#include "MenuMeasure.h"
#include "MenuOsClass.h"
#include "MenuPaintTools.h"
#include "MenuResources.h"
#include "MenuStyleRegistry.h"
#include "MenuSystem.h"

#include <algorithm>
#include <memory>
#include <set>

IMPLEMENT_DYNAMIC(CNewMenu, CMenu)

namespace {

// The menus of this copy of the component that exist now.
std::set<CNewMenu*>& Live()
{
    static std::set<CNewMenu*> live;
    return live;
}

bool Owns(HMENU menu) { return CNewMenu::FromMenuHandle(menu) != nullptr; }

// The menu below root that holds the command item id (not a popup) and the item's position
// in it; null when there is none.
CNewMenu* FindCommandItem(HMENU root, UINT id, UINT* position)
{
    CNewMenu* m = CNewMenu::FindMenuForCommand(root, id);
    if (!m)
        return nullptr;
    for (int i = 0, n = ::GetMenuItemCount(m->m_hMenu); i < n; ++i)
        if (::GetMenuItemID(m->m_hMenu, i) == id && !::GetSubMenu(m->m_hMenu, i)) {
            *position = static_cast<UINT>(i);
            return m;
        }
    return nullptr;
}

void Closed(HMENU menu)
{
    if (CNewMenu* m = CNewMenu::FromMenuHandle(menu))
        m->PopupClosed();
}

bool BarRect(HMENU popup, RECT* rect)
{
    CNewMenu* m = CNewMenu::FromMenuHandle(popup);
    CNewMenu* parent = m ? CNewMenu::FromMenuHandle(m->ParentMenu()) : nullptr;
    if (!parent || parent->IsPopup() || parent->ParentMenu() || IsRectEmpty(&parent->SelectedBarItemRect()))
        return false;
    *rect = parent->SelectedBarItemRect();
    return true;
}

void DialogCreated(HWND dialog);

void RegisterCallbacks()
{
    static bool done = false;
    if (!done) {
        done = true;
        MenuComponent::SetMenuCallbacks(Owns, Closed, BarRect, DialogCreated);
    }
    MenuComponent::Start();
}

// The native items as the item bookkeeping reads and rewrites them.
class NativeItems : public MenuNativeView {
public:
    explicit NativeItems(CNewMenu* menu) : m_menu(menu) {}
    int ItemCount() const override { return ::GetMenuItemCount(m_menu->m_hMenu); }
    bool ReadItem(int pos, UINT* flags, UINT_PTR* id) const override
    {
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof info);
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(m_menu->m_hMenu, pos, TRUE, &info))
            return false;
        *flags = (info.fType & 0xFFFF) | (info.fState & 0xFFFF) | (info.hSubMenu ? MF_POPUP : 0);
        *id = info.hSubMenu ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : info.wID;
        return true;
    }
    CString ReadText(int pos) const override
    {
        CString text;
        m_menu->GetMenuString(pos, text, MF_BYPOSITION);
        return text;
    }
    void Rewrite(int pos, CNewMenuItemData* r) override
    {
        if (r->menuFlags & MF_BITMAP)
            return;
        // The item keeps the state it has now: command-state handlers may have greyed or
        // checked it since the record was made.
        const UINT stateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED;
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof info);
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        UINT state = r->menuFlags & stateBits;
        if (::GetMenuItemInfoA(m_menu->m_hMenu, pos, TRUE, &info))
            state = info.fState & stateBits;
        UINT flags = (r->menuFlags & ~(MF_BYPOSITION | stateBits)) | state | MF_BYPOSITION;
        if (!::ModifyMenuA(m_menu->m_hMenu, pos, flags, r->commandId, reinterpret_cast<LPCSTR>(r)))
            ReportLastError();
    }
    void AdoptSubMenu(int pos) override;

private:
    CNewMenu* m_menu;
};

}

class CNewMenuAccess {
public:
    static void SetParent(CNewMenu* m, HMENU parent) { m->m_parentMenu = parent; }
};

void NativeItems::AdoptSubMenu(int pos)
{
    if (CNewMenu* sub = CNewMenu::FromMenuHandle(::GetSubMenu(m_menu->m_hMenu, pos)))
        CNewMenuAccess::SetParent(sub, m_menu->m_hMenu);
}

CNewMenu::CNewMenu(HMENU parent) : m_parentMenu(parent)
{
    RegisterCallbacks();
    Live().insert(this);
}

CNewMenu::~CNewMenu()
{
    DestroyMenu();
    Live().erase(this);
}

CNewMenu* CNewMenu::FromMenuHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    for (CNewMenu* m : Live())
        if (m->m_hMenu == menu)
            return m;
    return nullptr;
}

void CNewMenu::DetachTree()
{
    for (auto it = m_subMenus.rbegin(); it != m_subMenus.rend(); ++it) {
        (*it)->DetachTree();
        delete *it;
    }
    m_subMenus.clear();
    m_items.Clear();
    if (m_checkImages && !m_ownsNoCheckImages)
        ImageList_Destroy(m_checkImages);
    m_checkImages = nullptr;
    Detach();
}

BOOL CNewMenu::DestroyMenu()
{
    // Popups this menu made go with it; their handles are destroyed with the native menu.
    for (auto it = m_subMenus.rbegin(); it != m_subMenus.rend(); ++it) {
        (*it)->DetachTree();
        delete *it;
    }
    m_subMenus.clear();
    m_items.Clear();
    if (m_checkImages && !m_ownsNoCheckImages)
        ImageList_Destroy(m_checkImages);
    m_checkImages = nullptr;
    return CMenu::DestroyMenu();
}

BOOL CNewMenu::LoadMenu(HMENU menu)
{
    if (!menu || !::IsMenu(menu) || !Attach(menu))
        return FALSE;
    m_isPopup = FALSE;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (!sub)
            continue;
        CNewMenu* child = new CNewMenu(m_hMenu);
        m_subMenus.push_back(child);
        child->LoadMenu(sub);
        child->m_isPopup = TRUE;
    }
    SyncItems();
    return TRUE;
}

BOOL CNewMenu::LoadMenu(LPCTSTR resourceName)
{
    HINSTANCE module = AfxFindResourceHandle(resourceName, RT_MENU);
    HMENU menu = ::LoadMenuA(module, resourceName);
    if (!menu)
        return FALSE;
    if (!LoadMenu(menu)) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::LoadMenu(UINT resourceId) { return LoadMenu(MAKEINTRESOURCEA(resourceId)); }

void CNewMenu::SyncItems()
{
    if (!m_hMenu)
        return;
    NativeItems native(this);
    m_items.Sync(native);
}

MenuItemContext CNewMenu::Context() const
{
    MenuItemContext c;
    c.iconWidth = m_iconWidth;
    c.iconHeight = m_iconHeight;
    c.menuBar = IsMenuBar();
    c.openPopups = m_openPopups;
    c.selectedBarItemRect = const_cast<RECT*>(&m_selectedBarItemRect);
    c.checkImages = m_checkImages;
    c.hasSelectedCheckImage = m_checkImageSelected > 0;
    return c;
}

void CNewMenu::GrowIconSize(CNewMenuIcons* list)
{
    int w = 0, h = 0;
    if (list && list->IconSize(&w, &h)) {
        m_iconWidth = std::max(m_iconWidth, w);
        m_iconHeight = std::max(m_iconHeight, h);
    }
}

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    CNewMenuItemData* rec = reinterpret_cast<CNewMenuItemData*>(item->itemData);
    if (!rec || !m_items.Contains(rec))
        return;
    MenuStyle* style = MenuStyleRegistry::Current();
    if (!style)
        return;
    if (IsMenuBar() && MenuSystem::hotItemNote == rec && !(item->itemState & ODS_HOTLIGHT))
        MenuSystem::hotItemNote = nullptr;
    style->Painter()(*item, Context());
}

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    CNewMenuItemData* rec = reinterpret_cast<CNewMenuItemData*>(item->itemData);
    if (!rec)
        return;
    // The record may belong to a menu of this tree other than the one asked.
    CNewMenu* holder = this;
    if (!m_items.Contains(rec)) {
        holder = nullptr;
        for (CNewMenu* m : Live())
            if (m->m_items.Contains(rec)) {
                holder = m;
                break;
            }
        if (!holder)
            return;
    }
    MenuStyle* style = MenuStyleRegistry::Current();
    if (!style)
        return;
    MenuItemContext context = holder->Context();
    style->Measurer()(item, context);
    if (MenuIsWindowControlCommand(rec->commandId) && !rec->IsPopup()) {
        item->itemHeight = GetSystemMetrics(SM_CYMENU);
        int pos = holder->m_items.IndexOf(rec);
        for (int i = pos + 1; i < holder->m_items.Count(); ++i) {
            CNewMenuItemData* next = holder->m_items.At(i);
            if (next->commandId == 0 || next->IsSeparator())
                continue;
            MEASUREITEMSTRUCT other = *item;
            other.itemID = static_cast<UINT>(next->commandId);
            other.itemData = reinterpret_cast<ULONG_PTR>(next);
            style->Measurer()(&other, context);
            item->itemWidth = std::max(item->itemWidth, other.itemWidth);
            break;
        }
    }
}

void CNewMenu::DrawTitle(HDC dc, const RECT& rect, const CNewMenuItemData& title)
{
    if (MenuStyle* style = MenuStyleRegistry::Current())
        style->TitlePainter()(dc, rect, title);
}

BOOL CNewMenu::EraseBackground(HWND window, HDC dc)
{
    RECT r;
    ::GetClientRect(window, &r);
    MenuFillRect(dc, r, GetMenuColour());
    return TRUE;
}

// ---- inserting ----

CNewMenuIcons* CNewMenu::IconForResource(int resourceId, UINT_PTR command, int* index)
{
    *index = -1;
    if (resourceId < 0)
        return nullptr;
    // A toolbar resource that holds the command is read straight from the module.
    ToolBarResource toolbar;
    LPCSTR name = MAKEINTRESOURCEA(resourceId);
    if (resourceId > 0 && MenuReadToolBar(name, nullptr, &toolbar, nullptr) &&
        toolbar.ImageOf(static_cast<UINT>(command)) >= 0) {
        if (CNewMenuIcons* list = MenuFindToolBarIcons(name, nullptr, m_bitmapBackground)) {
            *index = list->FindCommandImage(static_cast<UINT>(command));
            if (*index >= 0)
                return list;
        }
    }
    return MenuFindBitmapResourceIcon(static_cast<UINT>(resourceId), m_bitmapBackground, m_iconMode != 0, index);
}

CNewMenuIcons* CNewMenu::IconForBitmap(HBITMAP bitmap, UINT_PTR, int* index)
{
    *index = -1;
    if (!bitmap)
        return nullptr;
    return MenuFindBitmapIcon(bitmap, m_bitmapBackground, index);
}

BOOL CNewMenu::InsertCore(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, CNewMenuIcons* list, int index)
{
    if (!m_hMenu)
        return FALSE;
    // Keep the list alive while the item is made.
    MenuIconIndex::AddRef(list);
    std::unique_ptr<MenuIconIndex, int (*)(MenuIconIndex*)> holder(list, MenuIconIndex::Release);
    if (!(flags & MF_BYPOSITION)) {
        CNewMenu* target = FindMenuForCommand(m_hMenu, position);
        if (!target)
            return FALSE;
        int pos = -1;
        for (int i = 0, n = ::GetMenuItemCount(target->m_hMenu); i < n; ++i)
            if (::GetMenuItemID(target->m_hMenu, i) == position) {
                pos = i;
                break;
            }
        if (pos < 0)
            return FALSE;
        return target->InsertCore(static_cast<UINT>(pos), text, flags | MF_BYPOSITION, id, list, index);
    }
    if (id == 0 && !(flags & MF_POPUP))
        flags = MF_OWNERDRAW | MF_SEPARATOR | MF_BYPOSITION;
    else
        flags |= MF_OWNERDRAW;
    if (flags & MF_POPUP)
        if (CNewMenu* sub = FromMenuHandle(reinterpret_cast<HMENU>(id)))
            sub->m_parentMenu = m_hMenu;
    int count = ::GetMenuItemCount(m_hMenu);
    int pos = static_cast<int>(position);
    if (position == static_cast<UINT>(-1) || pos > count)
        pos = count;
    if (m_items.Count() != count)
        SyncItems();
    auto record = std::make_unique<CNewMenuItemData>();
    record->text = text ? text : "";
    record->SetIconList(list);
    record->menuFlags = flags & ~static_cast<UINT>(MF_BYPOSITION);
    record->commandId = id;
    if (list && index >= 0) {
        record->iconIndex = index;
        GrowIconSize(list);
    }
    CNewMenuItemData* raw = m_items.Insert(pos, std::move(record));
    if (!::InsertMenuA(m_hMenu, pos, flags | MF_BYPOSITION, id, reinterpret_cast<LPCSTR>(raw))) {
        m_items.RemoveAt(m_items.IndexOf(raw));
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, int)
{
    return InsertCore(static_cast<UINT>(-1), text, flags | MF_BYPOSITION, id, nullptr, -1);
}

BOOL CNewMenu::AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, HBITMAP bitmap)
{
    return InsertItem(static_cast<UINT>(-1), text, flags | MF_BYPOSITION, id, bitmap);
}

BOOL CNewMenu::AppendItem(LPCTSTR text, UINT flags, UINT_PTR id, HIMAGELIST images, int index)
{
    return InsertItem(static_cast<UINT>(-1), text, flags | MF_BYPOSITION, id, images, index);
}

BOOL CNewMenu::InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, int resourceId)
{
    int index = -1;
    CNewMenuIcons* list = id ? IconForResource(resourceId, id, &index) : nullptr;
    return InsertCore(position, text, flags, id, list, index);
}

BOOL CNewMenu::InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, HBITMAP bitmap)
{
    int index = -1;
    CNewMenuIcons* list = id ? IconForBitmap(bitmap, id, &index) : nullptr;
    return InsertCore(position, text, flags, id, list, index);
}

BOOL CNewMenu::InsertItem(UINT position, LPCTSTR text, UINT flags, UINT_PTR id, HIMAGELIST images, int index)
{
    int image = -1;
    CNewMenuIcons* list = images && index >= 0 && id
                              ? MenuFindImageListIcon(images, index, static_cast<UINT>(id), &image)
                              : nullptr;
    return InsertCore(position, text, flags, id, list, image);
}

CNewMenu* CNewMenu::AppendPopup(LPCTSTR text)
{
    CNewMenu* popup = new CNewMenu(m_hMenu);
    if (!popup->CreatePopupMenu()) {
        delete popup;
        return nullptr;
    }
    popup->m_checkImages = m_checkImages;
    popup->m_ownsNoCheckImages = 1;
    popup->m_iconWidth = m_iconWidth;
    popup->m_iconHeight = m_iconHeight;
    if (!InsertCore(static_cast<UINT>(-1), text, MF_POPUP | MF_BYPOSITION,
                    reinterpret_cast<UINT_PTR>(popup->m_hMenu), nullptr, -1)) {
        delete popup;
        return nullptr;
    }
    m_subMenus.push_back(popup);
    return popup;
}

// ---- changing ----

void CNewMenu::CollectTree(std::vector<CNewMenu*>* menus)
{
    if (std::find(menus->begin(), menus->end(), this) != menus->end())
        return;
    menus->push_back(this);
    for (int i = 0, n = ::GetMenuItemCount(m_hMenu); i < n; ++i)
        if (CNewMenu* sub = FromMenuHandle(::GetSubMenu(m_hMenu, i)))
            sub->CollectTree(menus);
}

BOOL CNewMenu::ModifyCore(LPCTSTR text, UINT id, CNewMenuIcons* list, int index, bool setIcon)
{
    MenuIconIndex::AddRef(list);
    std::unique_ptr<MenuIconIndex, int (*)(MenuIconIndex*)> holder(list, MenuIconIndex::Release);
    std::vector<CNewMenu*> tree;
    CollectTree(&tree);
    bool found = false;
    for (CNewMenu* m : tree) {
        if (m->m_items.Count() != ::GetMenuItemCount(m->m_hMenu))
            m->SyncItems();
        for (int pos : m->m_items.FindCommand(id)) {
            CNewMenuItemData* r = m->m_items.At(pos);
            if (text)
                r->text = text;
            if (setIcon) {
                r->SetIconList(list);
                r->iconIndex = list ? index : -1;
                m->GrowIconSize(list);
            }
            r->menuFlags = (r->menuFlags & ~static_cast<UINT>(MF_BYPOSITION)) | MF_OWNERDRAW;
            // Each native item is rewritten with its own record.
            if (::GetMenuItemID(m->m_hMenu, pos) == id)
                ::ModifyMenuA(m->m_hMenu, pos, r->menuFlags | MF_BYPOSITION, id, reinterpret_cast<LPCSTR>(r));
            found = true;
        }
    }
    if (found)
        return TRUE;
    // An item another piece of code put into this menu: give it a record now.
    UINT state = ::GetMenuState(m_hMenu, id, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return FALSE;
    auto record = std::make_unique<CNewMenuItemData>();
    CString native;
    GetMenuString(id, native, MF_BYCOMMAND);
    record->text = text ? CString(text) : native;
    record->commandId = id;
    record->menuFlags = (state & 0xFF) | MF_OWNERDRAW;
    if (setIcon && list && index >= 0) {
        record->SetIconList(list);
        record->iconIndex = index;
        GrowIconSize(list);
    }
    CNewMenuItemData* raw = m_items.Insert(-1, std::move(record));
    if (!::ModifyMenuA(m_hMenu, id, raw->menuFlags | MF_BYCOMMAND, id, reinterpret_cast<LPCSTR>(raw))) {
        m_items.RemoveAt(m_items.IndexOf(raw));
        return FALSE;
    }
    SyncItems();
    return TRUE;
}

BOOL CNewMenu::ModifyItem(LPCTSTR text, UINT id, int resourceId)
{
    int index = -1;
    CNewMenuIcons* list = IconForResource(resourceId, id, &index);
    return ModifyCore(text, id, list, index, resourceId >= 0);
}

BOOL CNewMenu::ModifyItem(LPCTSTR text, UINT id, HIMAGELIST images, int index)
{
    int image = -1;
    CNewMenuIcons* list = images && index >= 0 ? MenuFindImageListIcon(images, index, id, &image) : nullptr;
    // A toolbar list (CNewMenuIcons) given directly keeps its own images.
    return ModifyCore(text, id, list, image, true);
}

BOOL CNewMenu::ModifyItem(LPCTSTR text, UINT id, HBITMAP bitmap)
{
    // A one-image list of the menu's icon size, the background colour transparent.
    HIMAGELIST one = ImageList_Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1);
    COLORREF mask = m_bitmapBackground == 0xFF000000 ? GetSysColor(COLOR_BTNFACE) : m_bitmapBackground;
    int added = one ? ImageList_AddMasked(one, bitmap, mask) : -1;
    BOOL ok = added >= 0 ? ModifyItem(text, id, one, 0) : FALSE;
    if (one)
        ImageList_Destroy(one);
    return ok;
}

BOOL CNewMenu::ModifyItem(LPCTSTR text, UINT id, COLORREF fill, COLORREF border, int hatchStyle)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP swatch = CreateCompatibleBitmap(screen, m_iconWidth, m_iconHeight);
    HGDIOBJ oldBitmap = SelectObject(dc, swatch);
    HPEN pen = CreatePen(PS_SOLID, 1, border);
    HBRUSH brush = hatchStyle == -1 ? CreateSolidBrush(fill) : CreateHatchBrush(hatchStyle, fill);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, m_iconWidth, m_iconHeight);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(brush);
    DeleteObject(pen);
    DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    BOOL ok = ModifyItem(text, id, swatch);
    DeleteObject(swatch);
    return ok;
}

BOOL CNewMenu::ModifyItemByText(LPCTSTR newText, LPCTSTR oldText, int resourceId)
{
    std::vector<CNewMenu*> tree;
    CollectTree(&tree);
    for (CNewMenu* m : tree) {
        int pos = m->m_items.FindText(oldText ? oldText : "");
        if (pos < 0)
            continue;
        CNewMenuItemData* r = m->m_items.At(pos);
        if (newText)
            r->text = newText;
        if (resourceId < 0) {
            r->iconIndex = -1;
        } else {
            int index = -1;
            CNewMenuIcons* list = m->IconForResource(resourceId, r->commandId, &index);
            r->SetIconList(list);
            r->iconIndex = list ? index : -1;
            m->GrowIconSize(list);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL CNewMenu::SetItemText(UINT item, LPCTSTR text, UINT flags)
{
    if (!(flags & MF_BYPOSITION)) {
        UINT position = 0;
        CNewMenu* m = FindCommandItem(m_hMenu, item, &position);
        return m ? m->SetItemText(position, text, MF_BYPOSITION) : FALSE;
    }
    CNewMenuItemData* r = m_items.At(static_cast<int>(item));
    if (!r)
        return FALSE;
    r->text = text ? text : "";
    ::ModifyMenuA(m_hMenu, item, MF_BYPOSITION | MF_STRING | (r->menuFlags & ~static_cast<UINT>(MF_OWNERDRAW | MF_SEPARATOR)),
                  r->commandId, r->text);
    return ::ModifyMenuA(m_hMenu, item, MF_BYPOSITION | r->menuFlags, r->commandId, reinterpret_cast<LPCSTR>(r));
}

BOOL CNewMenu::GetItemText(UINT item, CString& text, UINT flags) const
{
    if (!(flags & MF_BYPOSITION)) {
        CNewMenu* m = FindMenuForCommand(m_hMenu, item);
        if (!m)
            return FALSE;
        for (int i = 0, n = m->m_items.Count(); i < n; ++i)
            if (m->m_items.At(i)->commandId == item)
                return m->GetItemText(static_cast<UINT>(i), text, MF_BYPOSITION);
        return FALSE;
    }
    const CNewMenuItemData* r = m_items.At(static_cast<int>(item));
    if (!r)
        return FALSE;
    text = r->text;
    return TRUE;
}

BOOL CNewMenu::SetItemUserData(UINT item, DWORD_PTR value, BOOL byPosition)
{
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(m_hMenu, item, byPosition, &info))
        return FALSE;
    CNewMenuItemData* r = reinterpret_cast<CNewMenuItemData*>(info.dwItemData);
    if (!r || !m_items.Contains(r))
        return FALSE;
    r->userData = value;
    return TRUE;
}

DWORD_PTR CNewMenu::GetItemUserData(UINT item, BOOL byPosition) const
{
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(m_hMenu, item, byPosition, &info))
        return static_cast<DWORD_PTR>(-1);
    const CNewMenuItemData* r = reinterpret_cast<const CNewMenuItemData*>(info.dwItemData);
    if (!r || !m_items.Contains(r))
        return static_cast<DWORD_PTR>(-1);
    return r->userData;
}

BOOL CNewMenu::ChangeItemCommand(UINT oldId, UINT newId)
{
    CNewMenu* m = FindMenuForCommand(m_hMenu, oldId);
    if (!m)
        return FALSE;
    for (int i = 0, n = m->m_items.Count(); i < n; ++i) {
        CNewMenuItemData* r = m->m_items.At(i);
        if (r->commandId != oldId || r->IsSeparator() || r->IsPopup())
            continue;
        if (::GetMenuItemID(m->m_hMenu, i) != oldId)
            continue;
        r->commandId = newId;
        return ::ModifyMenuA(m->m_hMenu, i, MF_BYPOSITION | r->menuFlags, newId, reinterpret_cast<LPCSTR>(r));
    }
    return FALSE;
}

BOOL CNewMenu::RemoveItem(UINT item, UINT flags)
{
    if (!(flags & MF_BYPOSITION)) {
        UINT position = 0;
        CNewMenu* m = FindCommandItem(m_hMenu, item, &position);
        return m ? m->RemoveItem(position, MF_BYPOSITION) : FALSE;
    }
    if (m_items.Count() != ::GetMenuItemCount(m_hMenu))
        SyncItems();
    int pos = static_cast<int>(item);
    if (HMENU sub = ::GetSubMenu(m_hMenu, pos)) {
        // The popup leaves this menu: it is no longer ours to delete.
        for (auto it = m_subMenus.begin(); it != m_subMenus.end(); ++it)
            if ((*it)->m_hMenu == sub) {
                m_subMenus.erase(it);
                break;
            }
    }
    // The record of exactly this item goes, also when another item bears the same id.
    if (!::RemoveMenu(m_hMenu, item, MF_BYPOSITION))
        return FALSE;
    m_items.RemoveAt(pos);
    return TRUE;
}

BOOL CNewMenu::DeleteItem(UINT item, UINT flags)
{
    if (!(flags & MF_BYPOSITION)) {
        UINT position = 0;
        CNewMenu* m = FindCommandItem(m_hMenu, item, &position);
        return m ? m->DeleteItem(position, MF_BYPOSITION) : FALSE;
    }
    if (m_items.Count() != ::GetMenuItemCount(m_hMenu))
        SyncItems();
    int pos = static_cast<int>(item);
    CNewMenu* ownSub = nullptr;
    if (HMENU sub = ::GetSubMenu(m_hMenu, pos))
        for (auto it = m_subMenus.begin(); it != m_subMenus.end(); ++it)
            if ((*it)->m_hMenu == sub) {
                ownSub = *it;
                m_subMenus.erase(it);
                break;
            }
    if (ownSub) {
        // The native popup is destroyed by DeleteMenu below; the object lets go of it first.
        ownSub->DetachTree();
        delete ownSub;
    }
    if (!::DeleteMenu(m_hMenu, item, MF_BYPOSITION))
        return FALSE;
    m_items.RemoveAt(pos);
    return TRUE;
}

int CNewMenu::RemoveNear(LPCTSTR text, int mode)
{
    int pos = m_items.FindText(text ? text : "");
    if (pos < 0)
        return -1;
    for (int p : MenuItemRecords::RemoveNearPositions(pos, mode, m_items.Count()))
        RemoveItem(static_cast<UINT>(p), MF_BYPOSITION);
    return pos;
}

// ---- finding ----

CNewMenu* CNewMenu::FindPopupByText(LPCTSTR text) const
{
    for (int i = 0, n = ::GetMenuItemCount(m_hMenu); i < n; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (!sub)
            continue;
        CString native;
        GetMenuString(i, native, MF_BYPOSITION);
        if (native.IsEmpty())
            if (const CNewMenuItemData* r = m_items.At(i))
                native = r->text;
        if (native == (text ? text : ""))
            return FromMenuHandle(sub);
    }
    return nullptr;
}

CNewMenu* CNewMenu::FindMenuForCommand(HMENU menu, UINT_PTR id)
{
    if (!menu)
        return nullptr;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (CNewMenu* found = FindMenuForCommand(sub, id))
                return found;
        } else if (::GetMenuItemID(menu, i) == id) {
            return FromMenuHandle(menu);
        }
    }
    return nullptr;
}

CNewMenu* CNewMenu::FindMenuForItem(HMENU menu, UINT_PTR id, const CNewMenuItemData* record)
{
    if (!menu)
        return nullptr;
    CNewMenu* m = FromMenuHandle(menu);
    if (m && record && m->m_items.Contains(record) && record->commandId == id)
        return m;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i)
        if (HMENU sub = ::GetSubMenu(menu, i))
            if (CNewMenu* found = FindMenuForItem(sub, id, record))
                return found;
    return nullptr;
}

// ---- titles ----

BOOL CNewMenu::SetMenuTitle(LPCTSTR text, DWORD titleFlags)
{
    if (!m_hMenu)
        return FALSE;
    if (m_items.Count() != ::GetMenuItemCount(m_hMenu))
        SyncItems();
    CNewMenuItemData* first = m_items.At(0);
    if (!first || !first->IsSeparator()) {
        if (!InsertCore(0, text, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr, -1))
            return FALSE;
        first = m_items.At(0);
    }
    first->text = text ? text : "";
    first->titleFlags = titleFlags | MenuTitleIsTitle;
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (::GetMenuItemInfoA(m_hMenu, 1, TRUE, &info)) {
        if (titleFlags & MenuTitleVertical)
            info.fType |= MFT_MENUBREAK;
        else
            info.fType &= ~static_cast<UINT>(MFT_MENUBREAK);
        ::SetMenuItemInfoA(m_hMenu, 1, TRUE, &info);
        if (CNewMenuItemData* second = m_items.At(1)) {
            if (titleFlags & MenuTitleVertical)
                second->menuFlags |= MF_MENUBREAK;
            else
                second->menuFlags &= ~static_cast<UINT>(MF_MENUBREAK);
        }
    }
    return TRUE;
}

BOOL CNewMenu::RemoveMenuTitle()
{
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (::GetMenuItemInfoA(m_hMenu, 1, TRUE, &info)) {
        info.fType &= ~static_cast<UINT>(MFT_MENUBREAK);
        ::SetMenuItemInfoA(m_hMenu, 1, TRUE, &info);
        if (CNewMenuItemData* second = m_items.At(1))
            second->menuFlags &= ~static_cast<UINT>(MF_MENUBREAK);
    }
    CNewMenuItemData* first = m_items.At(0);
    if (first && first->IsSeparator() && first->IsTitle())
        return RemoveItem(0, MF_BYPOSITION);
    return TRUE;
}

// ---- icons ----

BOOL CNewMenu::LoadToolBar(LPCTSTR resourceName, HMODULE module)
{
    CNewMenuIcons* list = MenuFindToolBarIcons(resourceName, module, m_bitmapBackground);
    if (!list)
        return FALSE;
    MenuIconIndex::AddRef(list);
    for (int n = 0; n < list->KeyCount(); ++n)
        ModifyCore(nullptr, list->KeyAt(n).id, list, 3 * n, true);
    MenuIconIndex::Release(list);
    return TRUE;
}

BOOL CNewMenu::LoadToolBar(UINT resourceId, HMODULE module)
{
    return LoadToolBar(MAKEINTRESOURCEA(resourceId), module);
}

BOOL CNewMenu::LoadToolBar(const WORD* table, COLORREF mask)
{
    if (mask == 0xFF000000)
        mask = m_bitmapBackground;
    CNewMenuIcons* list = MenuFindToolBarDataIcons(table, mask);
    if (!list)
        return FALSE;
    MenuIconIndex::AddRef(list);
    for (int n = 0; n < list->KeyCount(); ++n)
        ModifyCore(nullptr, list->KeyAt(n).id, list, 3 * n, true);
    MenuIconIndex::Release(list);
    return TRUE;
}

BOOL CNewMenu::LoadToolBars(const UINT* ids, int count, HMODULE module)
{
    BOOL all = TRUE;
    for (int i = 0; i < count; ++i)
        if (!LoadToolBar(ids[i], module))
            all = FALSE;
    return all;
}

COLORREF CNewMenu::SetBitmapBackground(COLORREF colour)
{
    COLORREF old = m_bitmapBackground;
    m_bitmapBackground = colour;
    return old;
}

BOOL CNewMenu::SetCheckImages(UINT normalBitmap, UINT selectedBitmap)
{
    if (normalBitmap < 1 || selectedBitmap < 1)
        return FALSE;
    if (m_checkImages && !m_ownsNoCheckImages)
        ImageList_Destroy(m_checkImages);
    m_ownsNoCheckImages = 0;
    m_checkImages = ImageList_Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 2, 1);
    COLORREF mask = m_bitmapBackground == 0xFF000000 ? GetSysColor(COLOR_BTNFACE) : m_bitmapBackground;
    auto add = [&](UINT id) {
        if (m_iconMode)
            return ImageList_AddIcon(m_checkImages, reinterpret_cast<HICON>(static_cast<UINT_PTR>(id))) >= 0;
        LPCSTR name = MAKEINTRESOURCEA(id);
        HBITMAP bitmap = LoadSysColourBitmap(name, nullptr);
        if (!bitmap)
            bitmap = LoadBitmapWithColours(name, nullptr, nullptr);
        if (!bitmap)
            return false;
        bool ok = ImageList_AddMasked(m_checkImages, bitmap, mask) >= 0;
        DeleteObject(bitmap);
        return ok;
    };
    if (!m_checkImages || !add(normalBitmap) || !add(selectedBitmap)) {
        if (m_checkImages)
            ImageList_Destroy(m_checkImages);
        m_checkImages = nullptr;
        m_checkImageNormal = m_checkImageSelected = -1;
        return FALSE;
    }
    m_checkImageNormal = static_cast<int>(normalBitmap);
    m_checkImageSelected = static_cast<int>(selectedBitmap);
    return TRUE;
}

BOOL CNewMenu::SetPopup(BOOL popup)
{
    BOOL old = m_isPopup;
    m_isPopup = popup;
    return old;
}

// ---- popups ----

namespace {

const UINT SystemCommands[][2] = {{SC_RESTORE, SC_RESTORE + 1}, {SC_CLOSE, SC_CLOSE + 1}, {SC_MINIMIZE, SC_MINIMIZE + 1}};

}

void CNewMenu::PreparePopup()
{
    m_isPopup = TRUE;
    SyncItems();
    if (MenuSystem::OsClass() == MenuOsXP)
        for (const auto& c : SystemCommands)
            ChangeItemCommand(c[0], c[1]);
}

void CNewMenu::RedrawBarItem()
{
    if (IsRectEmpty(&m_selectedBarItemRect) || !m_ownerWindow)
        return;
    RECT r = m_selectedBarItemRect;
    r.right += 10;
    r.bottom += 10;
    POINT a = {r.left, r.top}, b = {r.right, r.bottom};
    ::ScreenToClient(m_ownerWindow, &a);
    ::ScreenToClient(m_ownerWindow, &b);
    RECT c = {a.x, a.y, b.x, b.y};
    ::RedrawWindow(m_ownerWindow, &c, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CNewMenu::PopupClosed()
{
    bool closeBack = false;
    if (MenuSystem::OsClass() == MenuOsXP)
        for (const auto& c : SystemCommands)
            if (ChangeItemCommand(c[1], c[0]) && c[0] == SC_CLOSE)
                closeBack = true;
    if (closeBack && m_ownerWindow)
        ::SetWindowPos(m_ownerWindow, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CNewMenu* parent = FromMenuHandle(m_parentMenu)) {
        --parent->m_openPopups;
        if (parent->IsMenuBar()) {
            parent->m_openPopups = 0;
            if (!parent->m_ownerWindow)
                parent->m_ownerWindow = m_ownerWindow;
            parent->RedrawBarItem();
        }
    }
}

BOOL CNewMenu::MeasureItemHandler(CWnd* window, LPMEASUREITEMSTRUCT item)
{
    if (!item || item->CtlType != ODT_MENU)
        return FALSE;
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    CNewMenu* menu = nullptr;
    HWND hwnd = window ? window->GetSafeHwnd() : nullptr;
    HMENU trees[] = {CMenu::GetTrackingMenu(), hwnd ? ::GetMenu(hwnd) : nullptr,
                     hwnd ? ::GetSystemMenu(hwnd, FALSE) : nullptr};
    for (HMENU tree : trees)
        if (!menu && tree)
            menu = FindMenuForItem(tree, item->itemID, rec);
    if (!menu)
        for (CNewMenu* m : Live())
            if (m->m_items.Contains(rec)) {
                menu = m;
                break;
            }
    if (!menu)
        return FALSE;
    menu->MeasureItem(item);
    return TRUE;
}

void CNewMenu::InitMenuPopupHandler(CWnd* window, CMenu* popup)
{
    MenuComponent::EnsureActing();
    HMENU handle = popup ? popup->GetSafeHmenu() : nullptr;
    MenuComponent::SetPendingMenu(handle);
    CNewMenu* menu = FromMenuHandle(handle);
    if (!menu)
        return;
    menu->m_ownerWindow = window ? window->GetSafeHwnd() : nullptr;
    menu->PreparePopup();
    if (CNewMenu* parent = FromMenuHandle(menu->m_parentMenu)) {
        ++parent->m_openPopups;
        if (parent->IsMenuBar() && parent->m_openPopups == 1) {
            parent->m_ownerWindow = menu->m_ownerWindow;
            parent->RedrawBarItem();
        }
    }
}

LRESULT CNewMenu::MenuCharHandler(UINT ch, UINT, CMenu* menu)
{
    CNewMenu* m = FromMenuHandle(menu ? menu->GetSafeHmenu() : nullptr);
    if (!m)
        return 0;
    if (m->m_items.Count() != ::GetMenuItemCount(m->m_hMenu))
        m->SyncItems();
    int pos = m->m_items.FindMnemonic(static_cast<char>(ch));
    return pos < 0 ? 0 : MAKELRESULT(pos, MNC_EXECUTE);
}

void CNewMenu::SysColorChangeHandler()
{
    static DWORD last = 0;
    static bool once = false;
    DWORD now = GetTickCount();
    if (once && now - last < 2000)
        return;
    once = true;
    last = now;
    MenuIconRegistry& lists = MenuIconRegistry::Process();
    for (int i = 0; i < lists.Count(); ++i)
        if (CNewMenuIcons* l = dynamic_cast<CNewMenuIcons*>(lists.At(i)))
            l->Reload();
}

namespace {

void DialogCreated(HWND dialog)
{
    if (!CTempMenuHandler::FromWindow(dialog))
        new CTempMenuHandler(dialog);
}

}
