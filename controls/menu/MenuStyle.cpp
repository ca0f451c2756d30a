#include "MenuStyle.h"

#include "MenuColour.h"
#include "MenuDirectory.h"
#include "MenuPaintTools.h"
#include "MenuSystem.h"

MenuStyle::MenuStyle(int id, bool ownBorder, MenuItemMeasurerProc measurer,
                     MenuItemPainterProc painter, MenuTitlePainterProc titlePainter)
    : m_id(id), m_ownBorder(ownBorder), m_measurer(measurer), m_painter(painter),
      m_titlePainter(titlePainter)
{
}

MenuFrameGeometry MenuStyle::Geometry() const { return MenuFrameGeometry(IsDropShadowOn() != 0); }

void MenuStyle::OnSubclass(HWND window, MenuWindowState* state)
{
    if (!m_ownBorder || !state)
        return;
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    DWORD ex = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    DWORD newStyle = style & ~static_cast<DWORD>(WS_BORDER);
    DWORD newEx = ex & ~static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    if (newStyle != style || newEx != ex) {
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(newStyle));
        SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(newEx));
        state->flags |= MenuWindowState::StylesChanged;
    }
}

void MenuStyle::OnUnsubclass(HWND window, MenuWindowState* state)
{
    if (!state)
        return;
    if (state->menu)
        MenuDirectory::PopupClosed(state->menu);
    if (state->flags & MenuWindowState::StylesChanged) {
        DWORD style = state->savedStyle;
        if (state->shownWhenSubclassed)
            style |= WS_VISIBLE;
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
        SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(state->savedExStyle));
        state->flags &= ~static_cast<DWORD>(MenuWindowState::StylesChanged);
    }
}

COLORREF MenuStyle::WindowMenuColour(const MenuWindowState* state) const
{
    if (state && state->menu)
        return GetMenuColour();
    return GetSysColor(COLOR_MENU);
}

void MenuStyle::AdjustClientRect(HWND, RECT* rect) { Geometry().AdjustClientRect(rect); }

void MenuStyle::WindowPosChanging(HWND, WINDOWPOS* pos)
{
    int cx = pos->cx, cy = pos->cy, y = pos->y;
    Geometry().AdjustWindowPos(&cx, &cy, &y);
    if (!(pos->flags & SWP_NOSIZE)) {
        pos->cx = cx;
        pos->cy = cy;
    }
    if (!(pos->flags & SWP_NOMOVE))
        pos->y = y;
}

void MenuStyle::GetFrameRect(HWND window, RECT* rect)
{
    RECT w;
    GetWindowRect(window, &w);
    *rect = Geometry().FrameRect(w);
}

BOOL MenuStyle::EraseBackground(HWND window, HDC dc, MenuWindowState*)
{
    RECT r;
    GetClientRect(window, &r);
    if (m_ownBorder) {
        r.left -= 2;
        r.right -= 1;
    }
    MenuFillRect(dc, r, GetSysColor(COLOR_MENU));
    return TRUE;
}

void MenuStyle::SaveScreenImage(HWND window, MenuWindowState* state)
{
    if (!state || state->screenImage)
        return;
    RECT w;
    GetWindowRect(window, &w);
    int cx = w.right - w.left + 10, cy = w.bottom - w.top + 10;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    state->screenImage = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(mem, state->screenImage);
    BitBlt(mem, 0, 0, cx, cy, screen, w.left, w.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

void MenuStyle::PaintShadow(HWND window, HDC dc, MenuWindowState* state)
{
    if (IsDropShadowOn())
        return;
    RECT w;
    GetWindowRect(window, &w);
    int width = w.right - w.left, height = w.bottom - w.top;
    if (state && !state->screenImage)
        SaveScreenImage(window, state);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = state && state->screenImage ? SelectObject(mem, state->screenImage) : nullptr;
    bool few = GetDisplayColours() <= 256;
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    auto under = [&](int x, int y) { return old ? GetPixel(mem, x, y) : GetSysColor(COLOR_MENU); };
    for (int i = 1; i <= 4; ++i) {
        int x = width - i;
        for (int row = 0; row < height; ++row) {
            int amount = MenuShadowColumnAmount(i, row, height);
            if (amount < 0)
                continue;
            COLORREF c = few ? (i <= 2 || row < 4 ? under(x, row) : shadow)
                             : MenuDarken(amount, under(x, row));
            SetPixel(dc, x, row, c);
        }
        int y = height - i;
        for (int col = 0; col < width; ++col) {
            int amount = MenuShadowRowAmount(i, col, width);
            if (amount < 0)
                continue;
            COLORREF c = few ? (i <= 2 || col < 4 ? under(col, y) : shadow)
                             : MenuDarken(amount, under(col, y));
            SetPixel(dc, col, y, c);
        }
    }
    if (old)
        SelectObject(mem, old);
    DeleteDC(mem);
}

namespace {

// Fills the non-client ring of the window (between the window edge and the client area).
void FillRing(HWND window, HDC dc, const MenuFrameGeometry& g, COLORREF colour)
{
    RECT w;
    GetWindowRect(window, &w);
    int width = w.right - w.left, height = w.bottom - w.top;
    int right = g.platformShadows ? g.RingWidth() : g.ExtentRight();
    int bottom = g.platformShadows ? g.RingWidth() : g.ExtentBottom();
    int left = g.platformShadows ? g.RingWidth() : g.InsetLeft();
    int top = g.platformShadows ? g.RingWidth() : g.InsetTop();
    MenuFillRect(dc, RECT{0, 0, width, top}, colour);
    MenuFillRect(dc, RECT{0, height - bottom, width, height}, colour);
    MenuFillRect(dc, RECT{0, 0, left, height}, colour);
    MenuFillRect(dc, RECT{width - right, 0, width, height}, colour);
}

}

void MenuStyle::PaintFrame(HWND window, HDC dc, BOOL repaint, MenuWindowState* state)
{
    MenuFrameGeometry g = Geometry();
    RECT w;
    GetWindowRect(window, &w);
    int width = w.right - w.left, height = w.bottom - w.top;
    if (!repaint)
        FillRing(window, dc, g, WindowMenuColour(state));
    COLORREF line = GetSysColor(MenuSystem::HighContrast() ? COLOR_BTNTEXT : COLOR_HIGHLIGHT);
    if (g.platformShadows) {
        MenuFrameRect(dc, RECT{0, 0, width, height}, line);
    } else {
        MenuFrameRect(dc, RECT{0, 0, width - 4, height - 4}, line);
        if (!MenuSystem::HighContrast())
            PaintShadow(window, dc, state);
    }
}

void MenuFlatStyle::PaintFrame(HWND window, HDC dc, BOOL repaint, MenuWindowState* state)
{
    MenuLook look = MenuSystem::Look();
    MenuFrameGeometry g = Geometry();
    RECT w;
    GetWindowRect(window, &w);
    int width = w.right - w.left, height = w.bottom - w.top;
    COLORREF ring = MenuFlatFrameRingColour(look);
    MenuFlatColours colours = MenuFlatItemColours(look, false, [dc](COLORREF c) { return MenuNearest(dc, c); });
    if (!repaint)
        FillRing(window, dc, g, ring);
    int e = g.platformShadows ? 0 : 4;
    if (!look.highContrast) {
        MenuFrameRect(dc, RECT{1, 1, width - 1 - e, height - 1 - e}, ring);
        MenuFillRect(dc, RECT{1, 2, 2, 2 + height - 4 - e}, colours.iconColumn);
        MenuFrameRect(dc, RECT{0, 0, width - e, height - e}, MenuFlatFrameLineColour(look));
        if (!g.platformShadows)
            PaintShadow(window, dc, state);
    } else {
        MenuFrameRect(dc, RECT{0, 0, width - e, height - e}, look.Sys(COLOR_BTNTEXT));
    }
    // Join the popup to the open menu-bar item it came from.
    RECT bar;
    if (state && state->menu && MenuDirectory::BarItemRect(state->menu, &bar)) {
        if (bar.right - bar.left >= bar.bottom - bar.top)
            InflateRect(&bar, -1, 0);
        else
            InflateRect(&bar, 0, -1);
        RECT overlap;
        if (IntersectRect(&overlap, &bar, &w)) {
            OffsetRect(&overlap, -w.left, -w.top);
            MenuFillRect(dc, overlap, look.FewColours() ? look.Sys(COLOR_BTNFACE) : colours.iconColumn);
        }
    }
}

BOOL MenuFlatStyle::EraseBackground(HWND window, HDC dc, MenuWindowState* state)
{
    RECT r;
    GetClientRect(window, &r);
    if (m_ownBorder) {
        r.left -= 2;
        r.right -= 1;
    }
    MenuFillRect(dc, r, WindowMenuColour(state));
    return TRUE;
}
