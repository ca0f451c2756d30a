#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    m_nIDHelp = nID;
    return CFrameWnd::Create(lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nullptr, WS_EX_TOOLWINDOW);
}
