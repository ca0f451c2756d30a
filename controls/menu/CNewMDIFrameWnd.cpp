#include "CNewMDIFrameWnd.h"

IMPLEMENT_DYNAMIC(CNewMDIFrameWnd, CMDIFrameWnd)

BOOL CNewMDIFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent, void* context)
{
    return LoadNewFrame(id, style, parent, context);
}
