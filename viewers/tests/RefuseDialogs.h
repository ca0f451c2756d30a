// While an object of this class lives, no dialog window can be made on this thread: a test
// sees what a viewer does when its window cannot be created.
#pragma once
#include <windows.h>

class RefuseDialogs {
public:
    RefuseDialogs() { s_hook = ::SetWindowsHookExA(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId()); }
    ~RefuseDialogs() { ::UnhookWindowsHookEx(s_hook); }
    RefuseDialogs(const RefuseDialogs&) = delete;
    RefuseDialogs& operator=(const RefuseDialogs&) = delete;
    bool Installed() const { return s_hook != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const CBT_CREATEWNDA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
            if (create->lpcs->lpszClass == MAKEINTATOM(32770))
                return 1;
        }
        return ::CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static inline HHOOK s_hook = nullptr;
};
