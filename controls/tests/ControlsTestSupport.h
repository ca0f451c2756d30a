// Shared pieces of the controls' tests under Wine: the application object, a message pump,
// a visible host window that records what its controls send it, and screen grabs.
#pragma once
#include "CDibSurface.h"
#include "Framework.h"
#include "MessagePump.h"

#include <functional>
#include <vector>

class CControlsTestApp : public CWinApp {
public:
    int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};

// A visible top-level window at a fixed place that keeps the commands and application
// messages it receives.
class CHostWnd : public CWnd {
public:
    BOOL CreateHost(int width = 400, int height = 300)
    {
        return CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                        "controls test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width, height, nullptr,
                        nullptr);
    }
    std::vector<UINT> commands;   // control ids of WM_COMMAND
    std::vector<UINT> codes;      // their notification codes
    std::vector<UINT> messages;   // WM_USER and above

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            commands.push_back(LOWORD(wParam));
            codes.push_back(HIWORD(wParam));
        } else if (message >= WM_USER && message < 0xC000) {
            messages.push_back(message);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The window's client area as it stands on the screen.
inline void Grab(HWND window, CDibSurface& surface)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(50);
    RECT client;
    ::GetClientRect(window, &client);
    surface.Create(client.right, client.bottom);
    HDC dc = ::GetDC(window);
    ::BitBlt(surface.GetDC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(window, dc);
    ::GdiFlush();
}

inline LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}
