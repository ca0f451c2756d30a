// The small frame that holds a floating tool bar. The framework has no tool bars of its own:
// this is a mini frame under the name window classes of owner-drawn menus derive from.
#pragma once
#include "CMiniFrameWnd.h"

class FW_API CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd() = default;
};
