#pragma once
#include "CDC.h"

// The whole-window DC of a window: GetWindowDC / ReleaseDC.
class FW_API CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
protected:
    HWND m_hWnd;
};
