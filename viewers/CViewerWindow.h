// The window a viewer owns. In the Windows build it is the framework's window class; where
// that is not available (the native tree) a viewer is a plain object with no window, and its
// timers are driven by whoever runs it.
#pragma once
#include "ProcessInfo_Tag.h"
#include "ViewersExport.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#include "CWnd.h"
typedef CWnd CViewerWindow;
#else
class VIEWERS_API CViewerWindow {
public:
    CViewerWindow() = default;
    virtual ~CViewerWindow() = default;
    CViewerWindow(const CViewerWindow&) = delete;
    CViewerWindow& operator=(const CViewerWindow&) = delete;
    HWND GetSafeHwnd() const { return nullptr; }
};
#endif
