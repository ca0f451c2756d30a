#include "CFrameWnd.h"

#include "CCmdUI.h"
#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, void* pContext)
{
    m_pCreateContext = static_cast<CCreateContext*>(pContext);
    HMENU menu = nullptr;
    if (lpszMenuName) {
        HINSTANCE module = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        menu = ::LoadMenuA(module, lpszMenuName);
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    const bool useDefault = rect.left == CW_USEDEFAULT;
    if (!lpszClassName)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  useDefault ? CW_USEDEFAULT : rect.right - rect.left, useDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                  pParentWnd->GetSafeHwnd(), menu)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_pCreateContext = nullptr;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* context = m_pCreateContext;
    m_pCreateContext = nullptr;
    return OnCreateClient(lpCreateStruct, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* made = pContext->m_pNewViewClass->CreateObject();
    CView* view = dynamic_cast<CView*>(made);
    if (!view) {
        delete made;
        return nullptr;
    }
    view->m_pCreateContext = pContext;
    CRect client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, nID)) {
        delete view;
        return nullptr;
    }
    m_pViewActive = view;
    return view;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext)
{
    m_nIDHelp = nIDResource;
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    CString title;
    if (title.LoadString(nIDResource)) {
        const int nl = title.Find('\n');
        if (nl >= 0)
            title = title.Left(nl);
    }
    HICON icon = ::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    if (!Create(cls, title, dwDefaultStyle, rectDefault, pParentWnd, name, 0, pContext))
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // The view fills the client area.
    if (HWND view = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)) {
        CRect client;
        GetClientRect(&client);
        ::MoveWindow(view, 0, 0, client.Width(), client.Height(), TRUE);
    }
}

void CFrameWnd::InitialUpdateFrame(void*, BOOL bMakeVisible)
{
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (bMakeVisible) {
        ShowWindow(SW_SHOW);
        if (GetExStyle() & WS_EX_MDICHILD)
            ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
        UpdateWindow();
    }
}

CFrameWnd* CFrameWnd::GetParentFrame() const
{
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
        if (CFrameWnd* f = dynamic_cast<CFrameWnd*>(FromHandlePermanent(h)))
            return f;
    return nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    if (nCode != CN_COMMAND && static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu)
        CCmdUI::UpdateMenu(pPopupMenu, this, TRUE);
    Default();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}
