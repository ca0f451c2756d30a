#include "CEscapeKeyHook.h"

template <int N> struct EscapeHookSlot {
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    static CEscapeKeyHook hook;
};
template <int N> CEscapeKeyHook EscapeHookSlot<N>::hook(&EscapeHookSlot<N>::Procedure);
template <int N> LRESULT CALLBACK EscapeHookSlot<N>::Procedure(int code, WPARAM wParam, LPARAM lParam)
{
    return hook.Handle(code, wParam, lParam);
}

CEscapeKeyHook& CEscapeKeyHook::Of(Slot slot)
{
    switch (slot) {
    case MediaNewer:
        return EscapeHookSlot<0>::hook;
    case MediaOlder:
        return EscapeHookSlot<1>::hook;
    default:
        return EscapeHookSlot<2>::hook;
    }
}

bool CEscapeKeyHook::Install(HWND window)
{
    if (m_hook)
        Remove(m_window);
    m_hook = ::SetWindowsHookExA(WH_KEYBOARD, m_procedure, nullptr, ::GetCurrentThreadId());
    m_window = m_hook ? window : nullptr;
    return m_hook != nullptr;
}

void CEscapeKeyHook::Remove(HWND window)
{
    if (!m_hook || window != m_window)
        return;
    ::UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    m_window = nullptr;
}

LRESULT CEscapeKeyHook::Handle(int code, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hook = m_hook;
    // Once a press (not again as the key goes up or repeats), and only to a window that is there.
    const bool pressed = (lParam & (1L << 31)) == 0 && (lParam & (1L << 30)) == 0;
    if (code >= 0 && wParam == VK_ESCAPE && pressed && m_window && ::IsWindow(m_window))
        ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    return ::CallNextHookEx(hook, code, wParam, lParam);
}
