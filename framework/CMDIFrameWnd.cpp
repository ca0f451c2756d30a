#include "CMDIFrameWnd.h"

#include "AfxModule.h"
#include "CMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MENUCHAR()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, int nWindowMenuPos)
{
    CLIENTCREATESTRUCT ccs = {};
    if (nWindowMenuPos >= 0 && lpCreateStruct->hMenu)
        ccs.hWindowMenu = ::GetSubMenu(lpCreateStruct->hMenu, nWindowMenuPos);
    ccs.idFirstChild = 0xFF00;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0xE900)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreateClient(lpCreateStruct) ? 0 : -1;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    HWND active = reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                        reinterpret_cast<LPARAM>(pbMaximized)));
    return dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(active));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

LRESULT CMDIFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    // Default processing (DefFrameProc), which also knows a maximised child's system menu
    // in the frame's menu bar.
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CMDIFrameWnd::OnSize(UINT, int, int)
{
    Default();  // DefFrameProc sizes the MDI client
}
