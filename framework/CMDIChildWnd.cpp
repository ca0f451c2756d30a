#include "CMDIChildWnd.h"

#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    if (!lpszClassName)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    m_strTitle = lpszWindowName;
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = lpszClassName;
    mcs.szTitle = lpszWindowName;
    mcs.hOwner = AfxGetInstanceHandle();
    const bool useDefault = rect.left == CW_USEDEFAULT;
    mcs.x = useDefault ? CW_USEDEFAULT : rect.left;
    mcs.y = useDefault ? CW_USEDEFAULT : rect.top;
    mcs.cx = useDefault ? CW_USEDEFAULT : rect.right - rect.left;
    mcs.cy = useDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    mcs.style = dwStyle & ~(WS_MAXIMIZE | WS_VISIBLE);
    AfxHookWindowCreate(this);
    HWND h = reinterpret_cast<HWND>(::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0,
                                                   reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    if (!h)
        return FALSE;
    if (dwStyle & WS_VISIBLE) {
        ::ShowWindow(h, (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        MDIActivate();
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    if (title.LoadString(nIDResource)) {
        const int nl = title.Find('\n');
        if (nl >= 0)
            title = title.Left(nl);
    }
    m_pCreateContext = static_cast<CCreateContext*>(pContext);
    CMDIFrameWnd* parent = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    const BOOL ok = Create(nullptr, title, (dwDefaultStyle | WS_CHILD) & ~WS_VISIBLE, rectDefault, parent);
    m_pCreateContext = nullptr;
    if (!ok)
        delete this;  // as a frame that fails to load is given its final clean-up
    return ok;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(client ? ::GetParent(client) : nullptr));
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
