#include "MenuWindowHook.h"

#include "MenuComponent.h"
#include "MenuDirectory.h"
#include "MenuSettings.h"
#include "MenuStyleRegistry.h"
#include "MenuSystem.h"

#include <map>

namespace {

const char* const OldProcProperty = "OldMenuProc";
const UINT MenuSizingMessage = 0x1E2;

std::map<HWND, MenuWindowState*>& Windows()
{
    static std::map<HWND, MenuWindowState*> windows;
    return windows;
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WNDPROC OldProc(HWND window) { return reinterpret_cast<WNDPROC>(GetPropA(window, OldProcProperty)); }

LRESULT CallOld(WNDPROC old, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return old ? CallWindowProcA(old, window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

bool IsMenuWindowClass(HWND window)
{
    char name[20];
    int n = GetClassNameA(window, name, sizeof name);
    return n == 6 && lstrcmpA(name, "#32768") == 0;
}

DWORD PaintThisMenu(const MenuWindowState& state)
{
    if (GetBorderForAllMenus())
        return 1;
    return state.menu && MenuDirectory::IsComponentMenu(state.menu) ? 1 : 0;
}

// The window's position changed: keep the shadow's screen image in step, or let go of a
// window that came back somewhere else with another size.
bool TrackPosition(HWND window, MenuWindowState* state, const WINDOWPOS* pos)
{
    if (pos->flags & SWP_NOMOVE)
        return true;
    POINT p = {pos->x, pos->y};
    if (state->lastPos.x == 0 && state->lastPos.y == 0) {
        state->lastPos = p;
        return true;
    }
    if (p.x == state->lastPos.x && p.y == state->lastPos.y)
        return true;
    RECT w;
    GetWindowRect(window, &w);
    bool sameSize = (pos->flags & SWP_NOSIZE) ||
                    (pos->cx == w.right - w.left && pos->cy == w.bottom - w.top);
    if (sameSize) {
        state->lastPos = p;
        if (state->screenImage) {
            DeleteObject(state->screenImage);
            state->screenImage = nullptr;
        }
        return true;
    }
    UnsubclassMenuWindow(window);
    return false;
}

void PrintWindowImage(HWND window, HDC target, LPARAM flags, MenuWindowState* state, MenuStyle* style,
                      WNDPROC old)
{
    state->flags |= MenuWindowState::Printing;
    RECT w;
    GetWindowRect(window, &w);
    int cx = w.right - w.left, cy = w.bottom - w.top;
    HDC mem = CreateCompatibleDC(target);
    HBITMAP image = CreateCompatibleBitmap(target, cx, cy);
    HGDIOBJ oldBitmap = SelectObject(mem, image);
    style->PaintFrame(window, mem, FALSE, state);
    RECT frame;
    style->GetFrameRect(window, &frame);
    OffsetRect(&frame, -w.left, -w.top);
    InflateRect(&frame, -1, -1);
    HRGN clip = CreateRectRgnIndirect(&frame);
    SelectClipRgn(mem, clip);
    CallOld(old, window, WM_PRINT, reinterpret_cast<WPARAM>(mem), flags & ~static_cast<LPARAM>(PRF_CLIENT));
    SelectClipRgn(mem, nullptr);
    DeleteObject(clip);
    BitBlt(target, 0, 0, cx, cy, mem, 0, 0, SRCCOPY);
    if (flags & PRF_CLIENT) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        int ox = origin.x - w.left, oy = origin.y - w.top;
        HRGN c = CreateRectRgn(ox, oy, ox + client.right, oy + client.bottom);
        SelectClipRgn(mem, c);
        POINT oldOrg;
        SetViewportOrgEx(mem, ox, oy, &oldOrg);
        style->EraseBackground(window, mem, state);
        CallOld(old, window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
        SetViewportOrgEx(mem, oldOrg.x, oldOrg.y, nullptr);
        SelectClipRgn(mem, nullptr);
        DeleteObject(c);
        BitBlt(target, ox, oy, client.right - 1, client.bottom, mem, ox, oy, SRCCOPY);
    }
    SelectObject(mem, oldBitmap);
    DeleteObject(image);
    DeleteDC(mem);
    state->flags &= ~static_cast<DWORD>(MenuWindowState::Printing);
}

// The window learns its menu from the popup named last: at creation where the popup is
// named first, else with the first message after the owner was told (the platform's
// sizing message, or the positioning that shows the window).
void TakePendingMenu(HWND window, MenuWindowState* state)
{
    if (!state || !MenuComponent::PendingMenu())
        return;
    state->menu = MenuComponent::TakePendingMenu();
    state->paintThisMenu = PaintThisMenu(*state);
    MenuStyle* style = MenuStyleRegistry::Current();
    if (style && state->paintThisMenu)
        style->OnSubclass(window, state);
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = OldProc(window);
    MenuWindowState* state = FindMenuWindowState(window);
    if (state && !state->menu)
        TakePendingMenu(window, state);
    MenuStyle* style = MenuStyleRegistry::Current();
    if (!state || !style || !state->paintThisMenu) {
        if (state && (message == WM_NCDESTROY || (message == WM_SHOWWINDOW && !wParam)))
            UnsubclassMenuWindow(window);
        return CallOld(old, window, message, wParam, lParam);
    }
    const bool own = style->HasOwnBorder() != 0;
    switch (message) {
    case WM_ERASEBKGND:
        if (own && !(state->flags & MenuWindowState::Printing) && !state->frameReady) {
            state->frameReady = 1;
            SendMessageA(window, WM_NCPAINT, 1, 0);
        }
        if (style->EraseBackground(window, reinterpret_cast<HDC>(wParam), state))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            UnsubclassMenuWindow(window);
        break;
    case WM_NCDESTROY:
        UnsubclassMenuWindow(window);
        break;
    case WM_WINDOWPOSCHANGING:
        if (own)
            style->WindowPosChanging(window, reinterpret_cast<WINDOWPOS*>(lParam));
        TrackPosition(window, state, reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        TrackPosition(window, state, reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_NCCALCSIZE:
        if (own) {
            RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
            style->AdjustClientRect(window, r);
        }
        break;
    case WM_NCPAINT: {
        if (!state->frameReady) {
            if (state->updateRegion && state->updateRegion != reinterpret_cast<HRGN>(1))
                DeleteObject(state->updateRegion);
            HRGN region = reinterpret_cast<HRGN>(wParam);
            if (region == reinterpret_cast<HRGN>(1) || !region) {
                state->updateRegion = reinterpret_cast<HRGN>(1);
            } else {
                state->updateRegion = CreateRectRgn(0, 0, 0, 0);
                CombineRgn(state->updateRegion, region, nullptr, RGN_COPY);
            }
        }
        if (state->flags & MenuWindowState::Printing)
            return 0;
        if (state->frameReady && own) {
            HDC dc = GetWindowDC(window);
            style->PaintFrame(window, dc, FALSE, state);
            RECT frame;
            style->GetFrameRect(window, &frame);
            InflateRect(&frame, -1, -1);
            HRGN region = CreateRectRgnIndirect(&frame);
            CallOld(old, window, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
            DeleteObject(region);
            style->PaintFrame(window, dc, TRUE, state);
            ReleaseDC(window, dc);
            return 0;
        }
        if (own)
            MenuStyle::SaveScreenImage(window, state);
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            state->flags |= MenuWindowState::EscPressed;
        MenuSystem::lastMessagePos = GetMessagePos();
        break;
    case WM_PRINT:
        if (own) {
            PrintWindowImage(window, reinterpret_cast<HDC>(wParam), lParam, state, style, old);
            return 0;
        }
        break;
    default:
        break;
    }
    return CallOld(old, window, message, wParam, lParam);
}

}

MenuWindowState* FindMenuWindowState(HWND window)
{
    auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : it->second;
}

BOOL SubclassMenuWindow(HWND window, BOOL shown)
{
    if (!window || !IsMenuWindowClass(window))
        return FALSE;
    BOOL subclassed = FALSE;
    MenuStyle* style = MenuStyleRegistry::Current();
    MenuWindowState* state = FindMenuWindowState(window);
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    // The property is the claim: whichever copy of the component set it owns the window.
    if (!state && current && !GetPropA(window, OldProcProperty)) {
        if (!SetPropA(window, OldProcProperty, reinterpret_cast<HANDLE>(current)))
            ReportLastError();
        if (OldProc(window) == current) {
            GlobalAddAtomA(OldProcProperty);
            state = new MenuWindowState;
            state->savedStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
            state->savedExStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
            state->shownWhenSubclassed = shown ? 1 : 0;
            state->menu = MenuComponent::TakePendingMenu();
            state->paintThisMenu = PaintThisMenu(*state);
            Windows()[window] = state;
            SetLastError(0);
            if (!SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc)) &&
                GetLastError())
                ReportLastError();
            if (style && state->paintThisMenu)
                style->OnSubclass(window, state);
            ++MenuComponent::subclassCount;
            subclassed = TRUE;
        }
    }
    TakePendingMenu(window, state);
    return subclassed;
}

void UnsubclassMenuWindow(HWND window)
{
    WNDPROC old = OldProc(window);
    MenuWindowState* state = FindMenuWindowState(window);
    if (old && state) {
        SetLastError(0);
        if (!SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old)) && GetLastError())
            ReportLastError();
        RemovePropA(window, OldProcProperty);
        if (ATOM atom = GlobalFindAtomA(OldProcProperty))
            GlobalDeleteAtom(atom);
    }
    if (state) {
        Windows().erase(window);
        if (MenuStyle* style = MenuStyleRegistry::Current())
            style->OnUnsubclass(window, state);
        delete state;
    }
}

void ForgetMenuWindows()
{
    while (!Windows().empty())
        UnsubclassMenuWindow(Windows().begin()->first);
}

LRESULT CALLBACK MenuCallWndHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (msg->message == WM_CREATE || msg->message == MenuSizingMessage) {
            BOOL done = SubclassMenuWindow(msg->hwnd, msg->message == MenuSizingMessage);
            if (!done && !FindMenuWindowState(msg->hwnd) && msg->message == WM_CREATE &&
                (GetMenuHookFlags() & MenuHookTempHandler)) {
                char name[20];
                if (GetClassNameA(msg->hwnd, name, sizeof name) && lstrcmpA(name, "#32770") == 0)
                    if (MenuComponent::DialogCreated())
                        MenuComponent::DialogCreated()(msg->hwnd);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
