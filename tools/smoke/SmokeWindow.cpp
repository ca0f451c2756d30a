// Opens a visible top-level window, lets a timer tick three times and closes the window.
// Exit code 0 only when the ticks arrived through the message loop and the window went.
#include <windows.h>

#include <cstdio>

namespace {

int g_ticks = 0;
bool g_destroyed = false;

LRESULT CALLBACK SmokeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        if (++g_ticks == 3) {
            KillTimer(hwnd, 1);
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY:
        g_destroyed = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}

int main()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SmokeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelmoraSmoke";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (!RegisterClassA(&wc))
        return 2;
    HWND hwnd = CreateWindowA("VelmoraSmoke", "Velmora smoke test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              100, 100, 320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd)
        return 3;
    SetTimer(hwnd, 1, 50, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    std::printf("ticks %d, destroyed %d\n", g_ticks, g_destroyed ? 1 : 0);
    return g_ticks == 3 && g_destroyed ? 0 : 1;
}
