// A frame window (CMDIChildWnd) whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CMDIChildWnd.h"
#include "CNewFrame.h"

class CNewMDIChildWnd : public CNewFrame<CMDIChildWnd> {
    DECLARE_DYNCREATE(CNewMDIChildWnd)
};
