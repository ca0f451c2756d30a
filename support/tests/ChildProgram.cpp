// A program for the tests to start and follow:
//   sleep <ms>          runs that long without a window
//   window <title>      shows a titled window that closes on WM_CLOSE
//   stubborn <title>    shows a titled window that ignores WM_CLOSE
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

bool g_stubborn = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (g_stubborn)
            return 0;
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return 0;
    }
    if (argc >= 3 && (std::strcmp(argv[1], "window") == 0 || std::strcmp(argv[1], "stubborn") == 0)) {
        g_stubborn = std::strcmp(argv[1], "stubborn") == 0;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VelmoraTestChild";
        RegisterClassA(&wc);
        HWND window = CreateWindowA(wc.lpszClassName, argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        if (!window)
            return 2;
        MSG msg;
        SetTimer(window, 1, 60000, nullptr);  // never lingers past a minute
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_TIMER)
                return 3;
            DispatchMessageA(&msg);
        }
        return 0;
    }
    return 1;
}
