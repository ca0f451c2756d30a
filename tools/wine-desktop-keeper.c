/* Holds Wine's desktop for a whole test run. Wine ends its desktop process a moment after
 * the last program using the desktop has ended; a test program that starts just then
 * connects to the desktop that is going away, and dies with an X error when the desktop's
 * window is gone under it. The test fixture starts this program once, so between two test
 * programs the desktop always has a user. It has no window that other programs can find
 * (a message-only one) and waits until the wineserver ends it. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    MSG message;
    (void)previous;
    (void)commandLine;
    (void)show;
    GetDesktopWindow();
    if (!CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, instance, NULL))
        return 1;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
