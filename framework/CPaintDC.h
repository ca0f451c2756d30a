#pragma once
#include "CDC.h"

// The DC of a paint cycle: BeginPaint in the constructor, EndPaint in the destructor.
class FW_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
protected:
    HWND m_hWnd;
};
