// A frame window (CFrameWnd) whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CFrameWnd.h"
#include "CNewFrame.h"

class CNewFrameWnd : public CNewFrame<CFrameWnd> {
    DECLARE_DYNCREATE(CNewFrameWnd)
public:
    // The menu comes from m_defaultMenu; a missing menu resource fails the loading.
    BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   void* context = nullptr) override;
};
