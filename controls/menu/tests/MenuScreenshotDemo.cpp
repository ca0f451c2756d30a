// Shows a popup menu with icons, a vertical gradient title and the flat border, tells where
// it is and which colours its frame and title must have, and waits for the screenshot.
//   MenuScreenshotDemo <folder>: writes <folder>\popup.txt, waits for <folder>\shot.done
#include "CNewMenu.h"
#include "CWnd.h"
#include "MenuColour.h"
#include "MenuComponent.h"
#include "MenuLook.h"
#include "MenuMeasure.h"
#include "MenuSystem.h"

#include <cstdio>
#include <string>

namespace {

std::string g_folder;
int g_status = 1;

unsigned Hex(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

void Report(HWND menuWindow)
{
    RECT r;
    GetWindowRect(menuWindow, &r);
    MenuLook look = MenuSystem::Look();
    MenuFlatColours c = MenuFlatItemColours(look, false, nullptr);
    FILE* f = std::fopen((g_folder + "\\popup.tmp").c_str(), "w");
    if (!f)
        return;
    // The popup's place first, then one check a line: x y expected-colour tolerance what
    std::fprintf(f, "popup %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fprintf(f, "%ld %ld %06x 0 border-top\n", r.left + 20, r.top, Hex(MenuFlatFrameLineColour(look)));
    std::fprintf(f, "%ld %ld %06x 0 border-left\n", r.left, r.top + 30, Hex(MenuFlatFrameLineColour(look)));
    std::fprintf(f, "%ld %ld %06x 12 title-top\n", r.left + 5, r.top + 3,
                 Hex(MenuBlend86(look.Sys(COLOR_WINDOW), MenuColour(look))));
    std::fprintf(f, "%ld %ld %06x 12 title-bottom\n", r.left + 5,
                 r.bottom - (look.platformShadows ? 4 : 8), Hex(look.Sys(COLOR_ACTIVECAPTION)));
    std::fclose(f);
    MoveFileA((g_folder + "\\popup.tmp").c_str(), (g_folder + "\\popup.txt").c_str());
    (void)c;
}

LRESULT CALLBACK OwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        // The popup is left to paint (the message loop runs) while the screenshot is taken.
        if (wp == 1) {
            KillTimer(w, 1);
            HWND menuWindow = FindWindowA("#32768", nullptr);
            if (!menuWindow) {
                EndMenu();
                return 0;
            }
            Report(menuWindow);
            SetTimer(w, 2, 100, nullptr);
        } else if (wp == 2) {
            static int polls = 0;
            bool done = GetFileAttributesA((g_folder + "\\shot.done").c_str()) != INVALID_FILE_ATTRIBUTES;
            if (done || ++polls > 300) {
                KillTimer(w, 2);
                g_status = done ? 0 : 2;
                EndMenu();
            }
        }
        return 0;
    case WM_INITMENUPOPUP:
        CNewMenu::InitMenuPopupHandler(CWnd::FromHandle(w), CMenu::FromHandle(reinterpret_cast<HMENU>(wp)));
        return 0;
    case WM_MEASUREITEM:
        return CNewMenu::MeasureItemHandler(CWnd::FromHandle(w), reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (CNewMenu* m = CNewMenu::FromMenuHandle(reinterpret_cast<HMENU>(dis->hwndItem)))
            m->DrawItem(dis);
        return TRUE;
    }
    default:
        return DefWindowProcA(w, msg, wp, lp);
    }
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 3;
    g_folder = argv[1];
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MenuScreenshotOwner";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND owner = CreateWindowA(wc.lpszClassName, "menus", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                               nullptr, wc.hInstance, nullptr);
    UpdateWindow(owner);
    SetForegroundWindow(owner);
    if (argc > 2 && std::string(argv[2]) == "plain") {
        // The platform's own popup, for comparison.
        MenuComponent::Stop();
        HMENU plain = CreatePopupMenu();
        AppendMenuA(plain, MF_STRING, 1, "&Open");
        AppendMenuA(plain, MF_STRING, 2, "&Save");
        SetTimer(owner, 1, 700, nullptr);
        TrackPopupMenu(plain, TPM_LEFTALIGN | TPM_TOPALIGN, 120, 100, 0, owner, nullptr);
        DestroyWindow(owner);
        return g_status;
    }
    CNewMenu menu;
    menu.CreatePopupMenu();
    menu.InsertItem(static_cast<UINT>(-1), "&Open\tCtrl+O", MF_BYPOSITION, 200, 100);
    menu.InsertItem(static_cast<UINT>(-1), "&Save", MF_BYPOSITION, 201, 100);
    menu.AppendItem("", MF_SEPARATOR, 0);
    menu.InsertItem(static_cast<UINT>(-1), "E&xit", MF_BYPOSITION | MF_GRAYED, 202, 100);
    menu.SetMenuTitle("Velmora", MenuTitleVertical | MenuTitleGradient);
    SetTimer(owner, 1, 700, nullptr);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 120, 100, 0, owner, nullptr);
    DestroyWindow(owner);
    return g_status;
}
