#include "CWnd.h"

// Handlers are called through the member-pointer type of their signature.
#pragma GCC diagnostic ignored "-Wcast-function-type"

#include "AfxOle.h"
#include "CDC.h"
#include "COleDispatchDriver.h"
#include "CDataExchange.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CResourceException.h"
#include "CScrollBar.h"
#include "CWinApp.h"

#include <cstdio>
#include <set>
#include <string>

namespace {

using CWndMap = CHandleMap<CWnd, HWND, &CWnd::m_hWnd>;
CWndMap& WndMap() { return TheHandleMap<CWndMap>(); }

thread_local MSG t_currentMessage;
thread_local CWnd* t_pendingCreate = nullptr;
thread_local HHOOK t_createHook = nullptr;

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pendingCreate) {
        CWnd* pWnd = t_pendingCreate;
        t_pendingCreate = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (pWnd->Attach(hWnd)) {
            try {
                pWnd->PreSubclassWindow();
            } catch (...) {
                MSG msg = { hWnd, WM_NCCREATE, 0, 0, 0, { 0, 0 } };
                AfxProcessCurrentException(&msg);
            }
            WNDPROC old = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (old != &AfxWndProc)
                pWnd->m_pfnSuper = old;
        }
    }
    return ::CallNextHookEx(t_createHook, code, wParam, lParam);
}

} // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

const MSG* AfxGetCurrentMessage()
{
    return &t_currentMessage;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (!t_createHook)
        t_createHook = ::SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pendingCreate = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    const BOOL consumed = t_pendingCreate == nullptr;
    t_pendingCreate = nullptr;
    if (t_createHook) {
        ::UnhookWindowsHookEx(t_createHook);
        t_createHook = nullptr;
    }
    return consumed;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    const MSG saved = t_currentMessage;
    t_currentMessage.hwnd = hWnd;
    t_currentMessage.message = message;
    t_currentMessage.wParam = wParam;
    t_currentMessage.lParam = lParam;

    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = AfxProcessCurrentException(&t_currentMessage);
    }

    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        if (pWnd->m_pfnSuper &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == pWnd) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        try {
            pWnd->PostNcDestroy();
        } catch (...) {
            AfxProcessCurrentException(&t_currentMessage);
        }
    }
    t_currentMessage = saved;
    return result;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> names;
    char name[96];
    std::snprintf(name, sizeof name, "VelmoraFW:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    auto it = names.insert(name).first;
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = it->c_str();
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return it->c_str();
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

CWnd::~CWnd()
{
    if (m_hWnd && WndMap().LookupPermanent(m_hWnd) == this) {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        if (m_hWnd)
            Detach();
    }
}

HWND CWnd::GetSafeHwnd() const
{
    return this ? m_hWnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WndMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? WndMap().LookupPermanent(hWnd) : nullptr;
}

void CWnd::DeleteTempMap()
{
    WndMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew) { return WndMap().Attach(*this, hWndNew, true); }

HWND CWnd::Detach() { return WndMap().Detach(*this, true); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, (dwStyle & ~WS_POPUP) | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND h = m_hWnd;
    const BOOL ok = ::DestroyWindow(h);
    // A window that was only attached never saw WM_NCDESTROY through the framework. (The
    // map is asked first: PostNcDestroy may have deleted this object.)
    if (WndMap().LookupPermanent(h) == this && !::IsWindow(h))
        Detach();
    return ok;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
    return hControl ? SubclassWindow(hControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* msg = AfxGetCurrentMessage();
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hControl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hControl) {
        CWnd* pChild = FromHandlePermanent(hControl);
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    } else if (nCode == 1) {
        nCode = CN_COMMAND;  // accelerator
    }
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(hdr->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, hdr->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, hdr };
    return OnCmdMsg(static_cast<UINT>(hdr->idFrom), static_cast<int>(MAKELONG(hdr->code, WM_NOTIFY)), &notify);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &result) || !result)
            return FALSE;
    } else {
        switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_PARENTNOTIFY:
            if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &result))
                return FALSE;
            break;
        default:
            return FALSE;
        }
    }
    if (pResult)
        *pResult = result;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    const MSG* msg = AfxGetCurrentMessage();
    LRESULT result = 0;
    if (!pChild->OnChildNotify(msg->message, msg->wParam, msg->lParam, &result))
        return FALSE;
    if (pResult)
        *pResult = result;
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr || !hdr->hwndFrom || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    if ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam) {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
    }

    UINT lookup = message;
    UINT nCtlColor = 0;
    UINT nCode = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        lookup = WM_CTLCOLOR;
        nCtlColor = message - WM_CTLCOLORMSGBOX;
    } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
        lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
        nCtlColor = message - (WM_REFLECT_BASE + WM_CTLCOLORMSGBOX);
    } else if (message == WM_REFLECT_BASE + WM_COMMAND) {
        nCode = HIWORD(wParam);
    } else if (message == WM_REFLECT_BASE + WM_NOTIFY) {
        nCode = reinterpret_cast<NMHDR*>(lParam)->code;
    }

    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(lookup, nCode, 0);
    if (!e)
        return FALSE;

    AFX_PMSG pfn = e->pfn;
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*reinterpret_cast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_vw:
        (this->*reinterpret_cast<void (CWnd::*)(UINT)>(pfn))(static_cast<UINT>(wParam));
        break;
    case AfxSig_is:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_vt:
        (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_vwp:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig_bD:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_bWww:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vWw:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_vWl:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_vb:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_vbw:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_vwii:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), (short)LOWORD(lParam),
                                                                         (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vOWNER:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPARAM)>(pfn))(static_cast<int>(wParam), lParam);
        lResult = TRUE;
        break;
    case AfxSig_hDWw:
        lResult = reinterpret_cast<LRESULT>((this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)), nCtlColor));
        break;
    case AfxSig_hDw:
        lResult = reinterpret_cast<LRESULT>((this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), nCtlColor));
        break;
    case AfxSig_hv:
        lResult = reinterpret_cast<LRESULT>((this->*reinterpret_cast<HANDLE (CWnd::*)()>(pfn))());
        break;
    case AfxSig_vwwS:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_lp:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
        break;
    case AfxSig_vbNC:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
            static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_vPOS:
        (this->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vMwb:
        (this->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lwwM:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
        break;
    case AfxSig_vwww:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                                          HIWORD(lParam));
        break;
    case AfxSig_vwl:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_vwWb:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        break;
    case AfxSig_vWp:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                       CPoint(lParam));
        break;
    case AfxSig_lwl:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vNMHDRpl:
        (this->*reinterpret_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(pfn))(reinterpret_cast<NMHDR*>(lParam), &lResult);
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) const
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (bDeep && ::GetWindow(child, GW_CHILD)) {
            CWnd tmp(child);
            tmp.SendMessageToDescendants(message, wParam, lParam, TRUE);
            tmp.m_hWnd = nullptr;
        }
    }
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)newStyle);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetExStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)newStyle);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    return FromHandle(h);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (!item) {
        rString.Empty();
        return 0;
    }
    CWnd tmp(item);
    tmp.GetWindowText(rString);
    tmp.m_hWnd = nullptr;
    return rString.GetLength();
}

void CWnd::GetWindowText(CString& rString) const
{
    const int n = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBufferSetLength(n);
    ::GetWindowTextA(m_hWnd, buffer, n + 1);
    rString.ReleaseBuffer();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                   : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    CRect area;
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(hCenter, &area);
    } else if (hCenter && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter)) {
        ::GetWindowRect(hCenter, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    CRect r;
    GetWindowRect(&r);
    int x = area.left + (area.Width() - r.Width()) / 2;
    int y = area.top + (area.Height() - r.Height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    (void)lpszWindowName;  // the host's window text names the control
    AfxEnableControlContainer();
    if (!AfxEnsureControlHost())
        return FALSE;
    wchar_t wide[64];
    char text[64];
    if (!::StringFromGUID2(clsid, wide, 64) ||
        !::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr))
        return FALSE;
    if (!CreateEx(0, AfxGetControlHostClass(), text, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    if (!GetControlUnknown()) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

IUnknown* CWnd::GetControlUnknown() const
{
    IUnknown* unknown = AfxGetHostedControl(m_hWnd);
    if (unknown)
        unknown->Release();  // the host window keeps its own reference
    return unknown;
}

namespace {
HRESULT ControlDispatch(const CWnd* wnd, COleDispatchDriver& driver)
{
    IUnknown* unknown = wnd->GetControlUnknown();
    if (!unknown)
        return E_NOINTERFACE;
    IDispatch* dispatch = nullptr;
    HRESULT hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr)) {
        // Some controls answer only for their default (dual) interface: find it in their
        // class information.
        IID iid;
        if (SUCCEEDED(AfxGetDefaultInterface(unknown, &iid)))
            hr = unknown->QueryInterface(iid, reinterpret_cast<void**>(&dispatch));
    }
    if (SUCCEEDED(hr))
        driver.AttachDispatch(dispatch, FALSE);
    return hr;
}
} // namespace

HRESULT CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo, ...)
{
    COleDispatchDriver driver;
    HRESULT hr = ControlDispatch(this, driver);
    if (FAILED(hr))
        return hr;
    va_list args;
    va_start(args, pbParamInfo);
    hr = driver.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    va_end(args);
    return hr;
}

HRESULT CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    COleDispatchDriver driver;
    const HRESULT hr = ControlDispatch(this, driver);
    return FAILED(hr) ? hr : driver.GetProperty(dwDispID, vtProp, pvProp);
}

HRESULT CWnd::SetProperty(DISPID dwDispID, UINT vtProp, ...)
{
    COleDispatchDriver driver;
    HRESULT hr = ControlDispatch(this, driver);
    if (FAILED(hr))
        return hr;
    const char info[2] = { static_cast<char>(vtProp), 0 };
    va_list args;
    va_start(args, vtProp);
    const WORD flags = (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    hr = driver.InvokeHelperV(dwDispID, flags, VT_EMPTY, nullptr, info, args);
    va_end(args);
    return hr;
}

// Default handlers.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
        if (pMenu) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = nullptr;
        const UINT id = lpMeasureItemStruct->itemID;
        if (HMENU tracked = CMenu::GetTrackingMenu())
            pMenu = CMenu::FindPopupMenuFromID(tracked, id);
        if (!pMenu)
            pMenu = CMenu::FindPopupMenuFromID(::GetMenu(m_hWnd), id);
        if (!pMenu)
            pMenu = CMenu::FindPopupMenuFromID(::GetSystemMenu(m_hWnd, FALSE), id);
        if (pMenu) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else if (nIDCtl) {
        if (HWND hControl = ::GetDlgItem(m_hWnd, nIDCtl))
            if (ReflectLastMsg(hControl))
                return;
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}
