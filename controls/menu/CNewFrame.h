// Gives a window's menu bar and system menu the owner-drawn look: routes the menu messages
// of a framework window class to the menu component, and tracks the hot menu-bar item
// itself where the system does not (before Windows 2000, and in remote sessions).
//   class CMyFrame : public CNewFrame<CFrameWnd> { ... };
#pragma once
#include "AfxModule.h"
#include "CCreateContext.h"
#include "CFrameWnd.h"
#include "CNewMenu.h"
#include "CWnd.h"
#include "MenuDrawBarItem.h"
#include "MenuSystem.h"
#include "MenuTimers.h"

template <class Base>
class CNewFrame : public Base {
public:
    using Base::Base;
    ~CNewFrame() override
    {
        ReleaseMenu(m_systemMenu);
        ReleaseMenu(m_defaultMenu);
    }

    CNewMenu m_defaultMenu;
    CNewMenu m_systemMenu;
    BOOL m_inMenuLoop = FALSE;
    UINT m_hotTimerId = 0;
    int m_hotItem = -1;

protected:
    // The loading of a frame window (bases of the framework's frame family): the title from
    // the string of the id, the menu loaded by m_defaultMenu (no menu: the frame is cleaned
    // up and loading fails), the accelerators, the initial update of the descendants.
    BOOL LoadNewFrame(UINT id, DWORD style, CWnd* parent, void* context)
    {
        this->m_nIDHelp = id;
        CString title;
        if (title.LoadString(id)) {
            int nl = title.Find('\n');
            if (nl >= 0)
                title = title.Left(nl);
        }
        this->m_strTitle = title;
        LPCSTR name = MAKEINTRESOURCEA(id);
        HINSTANCE iconModule = AfxFindResourceHandle(name, RT_GROUP_ICON);
        HICON icon = ::LoadIconA(iconModule, name);
        LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
        if (!m_defaultMenu.LoadMenu(id)) {
            this->PostNcDestroy();
            return FALSE;
        }
        this->m_pCreateContext = static_cast<CCreateContext*>(context);
        BOOL created = this->CreateEx(0, cls, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, parent->GetSafeHwnd(), m_defaultMenu.GetSafeHmenu());
        this->m_pCreateContext = nullptr;
        if (!created)
            return FALSE;
        this->m_hMenuDefault = ::GetMenu(this->GetSafeHwnd());
        this->m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
        if (!context)
            this->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
        this->m_hMenuDefault = ::GetMenu(this->GetSafeHwnd());
        return TRUE;
    }

    // Menus the window holds go with the window; only what it no longer holds is destroyed.
    void ReleaseMenu(CNewMenu& menu)
    {
        HMENU h = menu.GetSafeHmenu();
        if (!h)
            return;
        HWND w = this->GetSafeHwnd();
        if (!IsMenu(h) || (w && IsWindow(w) && (::GetMenu(w) == h || ::GetSystemMenu(w, FALSE) == h)) ||
            &menu == &m_systemMenu)
            menu.DetachTree();
        else
            menu.DestroyMenu();
    }
    void KillHotTimer()
    {
        if (m_hotTimerId) {
            KillMenuTimer(this->GetSafeHwnd(), m_hotTimerId);
            m_hotTimerId = 0;
        }
    }
    bool Active() const
    {
        HWND focus = ::GetFocus();
        HWND self = this->GetSafeHwnd();
        return focus && (focus == self || ::IsChild(self, focus));
    }

    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item)
    {
        if (!CNewMenu::MeasureItemHandler(this, item))
            Base::OnMeasureItem(id, item);
    }
    afx_msg LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu)
    {
        if (menu && CNewMenu::FromMenuHandle(menu->GetSafeHmenu()))
            return CNewMenu::MenuCharHandler(ch, flags, menu);
        return Base::OnMenuChar(ch, flags, menu);
    }
    afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu)
    {
        Base::OnInitMenuPopup(popup, index, systemMenu);
        CNewMenu::InitMenuPopupHandler(this, popup);
    }
    afx_msg void OnEnterMenuLoop(BOOL trackPopup)
    {
        m_inMenuLoop = TRUE;
        KillHotTimer();
        if (m_hotItem != -1) {
            DrawMenuBarItem(this->GetSafeHwnd(), ::GetMenu(this->GetSafeHwnd()), m_hotItem, 0);
            m_hotItem = -1;
        }
        Base::OnEnterMenuLoop(trackPopup);
    }
    afx_msg void OnExitMenuLoop(BOOL trackPopup)
    {
        m_inMenuLoop = FALSE;
        Base::OnExitMenuLoop(trackPopup);
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        Base::OnTimer(id);
        if (m_hotTimerId && id == m_hotTimerId) {
            POINT p;
            GetCursorPos(&p);
            this->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        }
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (Base::OnCreate(cs) == -1)
            return -1;
        HMENU system = ::GetSystemMenu(this->GetSafeHwnd(), FALSE);
        if (system && m_systemMenu.LoadMenu(system))
            m_systemMenu.SetPopup(TRUE);
        return 0;
    }
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        LRESULT hit = Base::OnNcHitTest(point);
        if (MenuSystem::OsClass() >= 6 && !MenuSystem::RemoteSession())
            return hit;
        HWND w = this->GetSafeHwnd();
        HMENU bar = ::GetMenu(w);
        const bool active = Active();
        if (!m_inMenuLoop && hit == HTMENU && CNewMenu::FromMenuHandle(bar)) {
            int item = MenuItemFromPoint(w, bar, POINT{point.x, point.y});
            if (item >= 0) {
                UINT state = active ? ODS_HOTLIGHT : (ODS_HOTLIGHT | ODS_INACTIVE);
                if (item != m_hotItem) {
                    if (m_hotItem != -1)
                        DrawMenuBarItem(w, bar, m_hotItem, active ? 0 : ODS_INACTIVE);
                    if (!DrawMenuBarItem(w, bar, item, state)) {
                        m_hotItem = -1;
                        return hit;
                    }
                } else if (!MenuSystem::hotItemNote) {
                    if (!DrawMenuBarItem(w, bar, item, state))
                        return hit;
                }
                if (!m_hotTimerId)
                    m_hotTimerId = FindFreeTimer(w, 100);
                m_hotItem = item;
                return hit;
            }
        }
        if (m_hotItem != -1) {
            DrawMenuBarItem(w, bar, m_hotItem, active ? 0 : ODS_INACTIVE);
            m_hotItem = -1;
        }
        KillHotTimer();
        return hit;
    }
    afx_msg void OnDestroy()
    {
        KillHotTimer();
        Base::OnDestroy();
    }
    afx_msg void OnSysColorChange()
    {
        Base::OnSysColorChange();
        CNewMenu::SysColorChangeHandler();
    }

    static const AFX_MSGMAP* GetThisMessageMap()
    {
        typedef CNewFrame ThisClass;
        static const AFX_MSGMAP_ENTRY entries[] = {
            ON_WM_MEASUREITEM()
            ON_WM_MENUCHAR()
            ON_WM_INITMENUPOPUP()
            ON_WM_ENTERMENULOOP()
            ON_WM_EXITMENULOOP()
            ON_WM_TIMER()
            ON_WM_CREATE()
            ON_WM_NCHITTEST()
            ON_WM_DESTROY()
            ON_WM_SYSCOLORCHANGE()
            {0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
        static const AFX_MSGMAP map = {&Base::GetThisMessageMap, &entries[0]};
        return &map;
    }
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
};
