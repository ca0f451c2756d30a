#include "MenuTimers.h"

#include "MenuTimerIds.h"

UINT FindFreeTimer(HWND window, UINT interval)
{
    bool exists = window && IsWindow(window);
    return MenuTimerIds::Process().Start(window, exists, [&](UINT id) {
        return SetTimer(window, id, interval, nullptr) != 0;
    });
}

BOOL KillMenuTimer(HWND window, UINT id)
{
    MenuTimerIds::Process().Stopped(window, id);
    return KillTimer(window, id);
}
