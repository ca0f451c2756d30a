// Following a started process through its top-level windows.
#pragma once
#include "ProcessInfo_Tag.h"

#ifdef _WIN32

// Waits until the process shows a visible, titled top-level window and stores the last such
// window in info.hWnd (hidden as it is found when hide is set): one look, 100 ms, then up to
// three more looks a second apart while none has a title.
void WaitForProcessWindow(ProcessInfo_Tag& info, bool hide);

enum EndProcessResult {
    EndProcessNotOpened,       // no such process, or no right to end it
    EndProcessEndedItself,     // it closed on WM_CLOSE within a second
    EndProcessTerminated,      // it did not close and was terminated
    EndProcessTerminateFailed  // it did not close and could not be terminated
};

// Posts WM_CLOSE to every top-level window of the process, waits up to 1000 ms for it to
// end, and terminates it when it does not.
EndProcessResult EndProcess(DWORD processId);

BOOL CALLBACK FindProcessWindowProc(HWND window, LPARAM info);
BOOL CALLBACK HideProcessWindowProc(HWND window, LPARAM info);
BOOL CALLBACK CloseProcessWindowsProc(HWND window, LPARAM processId);

#endif
