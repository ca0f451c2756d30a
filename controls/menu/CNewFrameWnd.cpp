#include "CNewFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewFrameWnd, CFrameWnd)

BOOL CNewFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent, void* context)
{
    return LoadNewFrame(id, style, parent, context);
}
