// A started or listed process: executable name (file part only), full path, process id,
// its main window, and, for a process this program started itself, its process handle.
// The handle is borrowed: whoever started the process closes it.
#pragma once
#include "CString.h"

#ifndef _WIN32
typedef struct HWND__* HWND;
#endif

struct ProcessInfo_Tag {
    CString ProcessName;
    CString ProcessPath;
    DWORD ProcessID = 0;
    HWND hWnd = nullptr;
    HANDLE hProcess = nullptr;
};
