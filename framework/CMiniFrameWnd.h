// A frame with a small caption (a tool window).
#pragma once
#include "CFrameWnd.h"

class FW_API CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;
    // WS_POPUP | WS_CAPTION | WS_SYSMENU are the usual styles; WS_EX_TOOLWINDOW is added.
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
};
