// The message pump of the Windows tests: this thread's messages go through the framework's
// PreTranslateMessage and are dispatched, as a program's message loop would.
#pragma once
#include "Framework.h"

#include <functional>

// Pumps until done() or the time-out; true when done() came true.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Pumps for the given time.
inline void Pump(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}
