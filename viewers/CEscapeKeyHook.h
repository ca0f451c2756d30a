// A keyboard hook on the current thread that closes one window when Esc passes (it posts
// WM_CLOSE to it, then calls the next hook). There is one hook a window class: a window takes
// its class's hook over when shown, and removes it only while it still serves that window, so
// a window going (closed or destroyed any other way) never leaves a hook that posts to it.
#pragma once
#include "ViewersExport.h"

#include <windows.h>

class VIEWERS_API CEscapeKeyHook {
public:
    enum Slot { MediaNewer = 0, MediaOlder = 1, Flash = 2, SlotCount = 3 };

    // The hook of a window class.
    static CEscapeKeyHook& Of(Slot slot);

    // Serves window from now on (a hook still installed for another window is removed first).
    bool Install(HWND window);
    // Removes the hook if it serves window; anything else is left as it is.
    void Remove(HWND window);
    HWND Window() const { return m_window; }
    bool IsInstalled() const { return m_hook != nullptr; }

    LRESULT Handle(int code, WPARAM wParam, LPARAM lParam);

private:
    typedef LRESULT(CALLBACK* Procedure)(int, WPARAM, LPARAM);
    explicit CEscapeKeyHook(Procedure procedure) : m_procedure(procedure) {}
    template <int N> friend struct EscapeHookSlot;

    Procedure m_procedure;
    HHOOK m_hook = nullptr;
    HWND m_window = nullptr;
};
