// Frame windows whose menu bar and system menu are drawn by the owner-drawn menus.
#pragma once
#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CNewFrame.h"

class CNewFrameWnd : public CNewFrame<CFrameWnd> {
    DECLARE_DYNCREATE(CNewFrameWnd)
public:
    BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   void* context = nullptr) override;
};

class CNewMDIFrameWnd : public CNewFrame<CMDIFrameWnd> {
    DECLARE_DYNAMIC(CNewMDIFrameWnd)
public:
    BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   void* context = nullptr) override;
};

class CNewMiniFrameWnd : public CNewFrame<CMiniFrameWnd> {
    DECLARE_DYNCREATE(CNewMiniFrameWnd)
};
