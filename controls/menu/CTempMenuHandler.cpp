#include "CTempMenuHandler.h"

#include "CWnd.h"
#include "MenuSettings.h"
#include "MenuSystem.h"

namespace {
const char* const HandlerProperty = "CNewMenuTempHandler";
}

CTempMenuHandler::CTempMenuHandler(HWND dialog) : m_dialog(dialog)
{
    if (!SetPropA(dialog, HandlerProperty, reinterpret_cast<HANDLE>(this)))
        ReportLastError();
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    if (!m_oldProc)
        ReportLastError();
}

CTempMenuHandler::~CTempMenuHandler()
{
    if (m_oldProc && IsWindow(m_dialog))
        SetWindowLongPtrA(m_dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    RemovePropA(m_dialog, HandlerProperty);
    // The system menu belongs to the dialog.
    m_menu.DetachTree();
}

CTempMenuHandler* CTempMenuHandler::FromWindow(HWND dialog)
{
    return reinterpret_cast<CTempMenuHandler*>(GetPropA(dialog, HandlerProperty));
}

LRESULT CALLBACK CTempMenuHandler::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CTempMenuHandler* self = FromWindow(window);
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    WNDPROC old = self->m_oldProc;
    switch (message) {
    case WM_INITDIALOG: {
        LRESULT r = CallWindowProcA(old, window, message, wParam, lParam);
        if (GetMenuHookFlags() & MenuHookSystemMenu) {
            HMENU system = GetSystemMenu(window, FALSE);
            if (IsMenu(system) && !CNewMenu::FromMenuHandle(system) && self->m_menu.LoadMenu(system))
                self->m_menu.SetPopup(TRUE);
        }
        return r;
    }
    case WM_INITMENUPOPUP: {
        LRESULT r = CallWindowProcA(old, window, message, wParam, lParam);
        CNewMenu::InitMenuPopupHandler(CWnd::FromHandle(window), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        return r;
    }
    case WM_MENUCHAR:
        if (CNewMenu::FromMenuHandle(reinterpret_cast<HMENU>(lParam)))
            return CNewMenu::MenuCharHandler(LOWORD(wParam), HIWORD(wParam),
                                             CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
        break;
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (self->m_menu.m_hMenu && dis->CtlType == ODT_MENU)
            if (CNewMenu* menu = CNewMenu::FromMenuHandle(reinterpret_cast<HMENU>(dis->hwndItem))) {
                menu->DrawItem(dis);
                return 1;
            }
        break;
    }
    case WM_MEASUREITEM:
        if (CNewMenu::MeasureItemHandler(CWnd::FromHandle(window), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return 1;
        break;
    case WM_DESTROY: {
        LRESULT r = CallWindowProcA(old, window, message, wParam, lParam);
        delete self;
        return r;
    }
    default:
        break;
    }
    return CallWindowProcA(old, window, message, wParam, lParam);
}
