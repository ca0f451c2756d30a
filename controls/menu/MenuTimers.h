// Window timers of the menu component, on identifiers 31 to 99 that nothing else on the
// window runs (MenuTimerIds.h).
#pragma once
#include <windows.h>

// Starts a timer of the interval on the first free identifier and returns it; 0 when the
// window does not exist or none is free.
UINT FindFreeTimer(HWND window, UINT interval);
// Stops a timer FindFreeTimer started.
BOOL KillMenuTimer(HWND window, UINT id);
