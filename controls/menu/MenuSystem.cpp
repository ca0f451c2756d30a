#include "MenuSystem.h"

#include "MenuOsClass.h"

#include <cstdio>

#ifndef SPI_GETFLATMENU
#define SPI_GETFLATMENU 0x1022
#endif
#ifndef SPI_GETDROPSHADOW
#define SPI_GETDROPSHADOW 0x1024
#endif
#ifndef SM_REMOTESESSION
#define SM_REMOTESESSION 0x1000
#endif

namespace {

typedef BOOL(WINAPI* IsThemeActiveProc)();

bool g_started = false;
int g_osClass = 0;
int g_osOverride = -1;
bool g_highContrast = false;
bool g_remote = false;
HMODULE g_theme = nullptr;
IsThemeActiveProc g_isThemeActive = nullptr;
HMODULE g_msimg = nullptr;
MenuSystem::GradientFillProc g_gradientFill = nullptr;
MenuSystem::ErrorReporter g_reporter = nullptr;

void ShowError(DWORD code, const char* text)
{
    if (g_reporter)
        g_reporter(code, text);
    else
        MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONINFORMATION);
}

int ComputeOsClass()
{
    DWORD version = GetVersion();
    bool nt = (version & 0x80000000u) == 0;
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
    if (!GetVersionExA(&info))
        ReportLastError();
    return MenuOsClass(nt, info.dwMajorVersion, info.dwMinorVersion);
}

}

void* MenuSystem::hotItemNote = nullptr;
DWORD MenuSystem::lastMessagePos = 0;

void MenuSystem::Start()
{
    if (g_started)
        return;
    g_started = true;
    g_osClass = ComputeOsClass();
    if (g_osClass > 5)
        g_remote = GetSystemMetrics(SM_REMOTESESSION) != 0;
    HIGHCONTRASTA hc;
    ZeroMemory(&hc, sizeof hc);
    hc.cbSize = sizeof hc;  // 12 bytes
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0))
        g_highContrast = (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
    g_theme = LoadLibraryA("uxtheme.dll");
    if (g_theme)
        g_isThemeActive = reinterpret_cast<IsThemeActiveProc>(
            reinterpret_cast<void*>(GetProcAddress(g_theme, "IsThemeActive")));
    g_msimg = LoadLibraryA("Msimg32.dll");
    if (g_msimg && OsClass() != MenuOsWin98)
        g_gradientFill = reinterpret_cast<GradientFillProc>(
            reinterpret_cast<void*>(GetProcAddress(g_msimg, "GradientFill")));
}

void MenuSystem::Stop()
{
    if (!g_started)
        return;
    g_isThemeActive = nullptr;
    g_gradientFill = nullptr;
    if (g_theme)
        FreeLibrary(g_theme);
    if (g_msimg)
        FreeLibrary(g_msimg);
    g_theme = g_msimg = nullptr;
    g_started = false;
}

int MenuSystem::OsClass()
{
    if (g_osOverride >= 0)
        return g_osOverride;
    if (!g_started)
        g_osClass = ComputeOsClass();
    return g_osClass;
}

bool MenuSystem::HighContrast() { return g_highContrast; }
bool MenuSystem::RemoteSession() { return g_remote; }

bool MenuSystem::ThemeActive() { return g_isThemeActive && g_isThemeActive(); }

MenuSystem::GradientFillProc MenuSystem::GradientFillEntry()
{
    if (OsClass() == MenuOsWin98)
        return nullptr;
    return g_gradientFill;
}

void MenuSystem::SetErrorReporter(ErrorReporter reporter) { g_reporter = reporter; }

void MenuSystem::OverrideOsClass(int osClass) { g_osOverride = osClass; }

MenuLook MenuSystem::Look()
{
    MenuLook look;
    look.osClass = OsClass();
    BOOL flat = FALSE;
    look.flatMenus = look.osClass == MenuOsXP && SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat == 1;
    look.themeActive = look.osClass == MenuOsXP && ThemeActive();
    look.highContrast = HighContrast();
    look.platformShadows = IsDropShadowOn() != 0;
    look.displayColours = GetDisplayColours();
    for (int i = 0; i < 31; ++i)
        look.sysColours[i] = GetSysColor(i);
    return look;
}

BOOL IsDropShadowOn()
{
    BOOL on = FALSE;
    if (!SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &on, 0))
        return FALSE;
    return on;
}

COLORREF GetMenuColour() { return MenuColour(MenuSystem::Look()); }
COLORREF GetMenuBarColour() { return MenuBarColour(MenuSystem::Look()); }
COLORREF GetSelectionColour() { return MenuSelectionColour(MenuSystem::Look()); }

int GetDisplayColours()
{
    static int colours = 0;
    if (colours == 0) {
        HDC screen = GetDC(nullptr);
        colours = GetDeviceCaps(screen, NUMCOLORS);
        ReleaseDC(nullptr, screen);
        if (colours == -1)
            colours = 64000;
    }
    return colours;
}

BOOL HasNewLook() { return MenuSystem::OsClass() > 1; }

void ReportLastError()
{
    DWORD code = GetLastError();
    if (code == 0)
        return;
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&text), 0, nullptr);
    if (n && text) {
        ShowError(code, text);
        LocalFree(text);
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "Error message 0x%lx not found",
                      static_cast<unsigned long>(code));
        ShowError(code, buffer);
    }
}

BOOL GetMenuFont(LOGFONTA* font)
{
    NONCLIENTMETRICSA ncm;
    ZeroMemory(&ncm, sizeof ncm);
    ncm.cbSize = sizeof ncm;
    BOOL ok = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    if (!ok) {
        // Systems before Vista know the record without its last field.
        ncm.cbSize = sizeof ncm - sizeof ncm.iPaddedBorderWidth;
        ok = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    }
    if (ok)
        *font = ncm.lfMenuFont;
    return ok;
}
