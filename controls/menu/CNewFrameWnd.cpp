#include "CNewFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CNewMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CNewMiniFrameWnd, CMiniFrameWnd)

BOOL CNewFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent, void* context)
{
    return LoadNewFrame(id, style, parent, context);
}

BOOL CNewMDIFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent, void* context)
{
    return LoadNewFrame(id, style, parent, context);
}
