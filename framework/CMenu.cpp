#include "CMenu.h"

#include "AfxModule.h"
#include "CString.h"
#include "CWnd.h"

namespace {
using CMenuMap = CHandleMap<CMenu, HMENU, &CMenu::m_hMenu>;
CMenuMap& Map() { return TheHandleMap<CMenuMap>(); }
thread_local HMENU t_trackingMenu = nullptr;
} // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

HMENU CMenu::GetSafeHmenu() const
{
    return this ? m_hMenu : nullptr;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return Map().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu ? Map().LookupPermanent(hMenu) : nullptr;
}

void CMenu::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu) { return Map().Attach(*this, hMenu, true); }

HMENU CMenu::Detach() { return Map().Detach(*this, true); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenuA(module, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(n), n + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    const HMENU saved = t_trackingMenu;
    t_trackingMenu = m_hMenu;
    const BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
    t_trackingMenu = saved;
    return result;
}

HMENU CMenu::GetTrackingMenu()
{
    return t_trackingMenu;
}

CMenu* CMenu::FindPopupMenuFromID(HMENU hMenu, UINT nID)
{
    if (!hMenu)
        return nullptr;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            if (reinterpret_cast<UINT_PTR>(sub) == nID)
                return FromHandlePermanent(hMenu);
            if (CMenu* found = FindPopupMenuFromID(sub, nID))
                return found;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return FromHandlePermanent(hMenu);
        }
    }
    return nullptr;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
