// A frame window (CMDIFrameWnd) whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CMDIFrameWnd.h"
#include "CNewFrame.h"

class CNewMDIFrameWnd : public CNewFrame<CMDIFrameWnd> {
    DECLARE_DYNAMIC(CNewMDIFrameWnd)
public:
    // The menu comes from m_defaultMenu; a missing menu resource fails the loading.
    BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   void* context = nullptr) override;
};
