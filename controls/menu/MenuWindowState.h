// The state the component keeps for one subclassed popup-menu window.
#pragma once
#include <windows.h>

struct MenuWindowState {
    enum Flags : DWORD {
        StylesChanged = 0x2,  // OnSubclass took the border styles away
        EscPressed = 0x4,
        Printing = 0x8,       // a WM_PRINT is being answered
    };

    DWORD savedStyle = 0;
    DWORD savedExStyle = 0;
    POINT lastPos = {0, 0};
    DWORD shownWhenSubclassed = 0;
    DWORD flags = 0;
    DWORD frameReady = 0;
    HMENU menu = nullptr;
    HBITMAP screenImage = nullptr;  // what lay under the window, window size + 10 right and below
    HRGN updateRegion = nullptr;    // (HRGN)1: the whole window
    DWORD paintThisMenu = 1;

    ~MenuWindowState()
    {
        if (screenImage)
            DeleteObject(screenImage);
        if (updateRegion && updateRegion != reinterpret_cast<HRGN>(1))
            DeleteObject(updateRegion);
    }
};
