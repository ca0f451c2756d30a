#pragma once
#include "CDC.h"

// The client-area DC of a window: GetDC / ReleaseDC.
class FW_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
protected:
    HWND m_hWnd;
};
