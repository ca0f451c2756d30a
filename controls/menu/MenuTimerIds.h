// Free timer identifiers for the component's own window timers (31 to 99). Setting an
// identifier a window already runs replaces that timer and succeeds, so the platform's
// answer alone cannot tell a free one: the component remembers which ones it started on
// which window, and callers may name further identifiers their window runs.
#pragma once
#include "MenuWinDefs.h"

#include <functional>
#include <map>
#include <set>

class MenuTimerIds {
public:
    static const UINT First = 31;
    static const UINT Last = 99;

    // The first identifier from 31 to 99 that is not running on the window (per this
    // registry or busy) and that start accepts; it is then recorded as running. 0 when the
    // window does not exist or none is free.
    UINT Start(const void* window, bool windowExists, const std::function<bool(UINT)>& start,
               const std::function<bool(UINT)>& busy = nullptr);
    // The timer was stopped.
    void Stopped(const void* window, UINT id);
    // The window went: forget all its timers.
    void Forget(const void* window) { m_running.erase(window); }
    bool IsRunning(const void* window, UINT id) const;

    // The component's registry.
    static MenuTimerIds& Process();

private:
    std::map<const void*, std::set<UINT>> m_running;
};
