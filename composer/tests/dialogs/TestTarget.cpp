// A program for the settings dialogs' Test buttons to start: it writes its command line to
// "<its name>.txt" beside itself and shows a window titled with its file name, in the show
// state it was started with, until it is closed (or after 30 seconds). With "<its name>.busy"
// beside it, its window thread answers nothing for the first 10 seconds after the window is
// shown, as a player's is while it launches a target.
#include <windows.h>
#include <shlwapi.h>

namespace {

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY || (message == WM_TIMER && wParam == 1)) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH - 4);
    char record[MAX_PATH] = {};
    lstrcpyA(record, path);
    char busy[MAX_PATH] = {};
    if (char* dot = ::StrRChrA(record, nullptr, '.')) {
        lstrcpyA(dot, ".busy");
        lstrcpyA(busy, record);
        lstrcpyA(dot, ".txt");
    }
    const char* title = ::StrRChrA(path, nullptr, '\\');
    title = title ? title + 1 : path;
    HANDLE file = ::CreateFileA(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const char* line = ::GetCommandLineA();
        DWORD written = 0;
        ::WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
        ::CloseHandle(file);
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.lpszClassName = "VelmoraTestTarget";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowA(wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr,
                                  nullptr, instance, nullptr);
    ::ShowWindow(window, showCmd);
    ::SetTimer(window, 1, 30000, nullptr);
    if (busy[0] && ::GetFileAttributesA(busy) != INVALID_FILE_ATTRIBUTES)
        ::Sleep(10000);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
