// A frame window (CMiniFrameWnd) whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CMiniFrameWnd.h"
#include "CNewFrame.h"

class CNewMiniFrameWnd : public CNewFrame<CMiniFrameWnd> {
    DECLARE_DYNCREATE(CNewMiniFrameWnd)
};
