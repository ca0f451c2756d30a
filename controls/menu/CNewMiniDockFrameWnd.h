// A frame window (CMiniDockFrameWnd) whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CMiniDockFrameWnd.h"
#include "CNewFrame.h"

class CNewMiniDockFrameWnd : public CNewFrame<CMiniDockFrameWnd> {
    DECLARE_DYNCREATE(CNewMiniDockFrameWnd)
};
