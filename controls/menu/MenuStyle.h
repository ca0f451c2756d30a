// One drawing style of the owner-drawn menus: its item measurer, item painter and title
// painter, and the painter of the popup-menu windows (border, background, shadow).
#pragma once
#include "MenuFrameGeometry.h"
#include "MenuItemContext.h"
#include "MenuWindowState.h"

class MenuStyle {
public:
    MenuStyle(int id, bool ownBorder, MenuItemMeasurerProc measurer, MenuItemPainterProc painter,
              MenuTitlePainterProc titlePainter);
    virtual ~MenuStyle() = default;
    MenuStyle(const MenuStyle&) = delete;
    MenuStyle& operator=(const MenuStyle&) = delete;

    // Takes the window's border styles away (own border only) and notes it in the state.
    virtual void OnSubclass(HWND window, MenuWindowState* state);
    // Tells the menu its popup closed and gives the styles back.
    virtual void OnUnsubclass(HWND window, MenuWindowState* state);
    virtual BOOL HasOwnBorder() const { return m_ownBorder; }
    // Paints the frame (ring, lines, shadow) on the window device context; repaint is set on
    // the second call after the platform's own non-client painting.
    virtual void PaintFrame(HWND window, HDC dc, BOOL repaint, MenuWindowState* state);
    // Fills the client area; TRUE when it painted.
    virtual BOOL EraseBackground(HWND window, HDC dc, MenuWindowState* state);
    virtual void AdjustClientRect(HWND window, RECT* rect);
    virtual void WindowPosChanging(HWND window, WINDOWPOS* pos);
    virtual void GetFrameRect(HWND window, RECT* rect);

    int Id() const { return m_id; }
    MenuItemMeasurerProc Measurer() const { return m_measurer; }
    MenuItemPainterProc Painter() const { return m_painter; }
    MenuTitlePainterProc TitlePainter() const { return m_titlePainter; }
    MenuFrameGeometry Geometry() const;

    // Takes the screen under the window for its shadow (window size + 10).
    static void SaveScreenImage(HWND window, MenuWindowState* state);

protected:
    // The shadow at the right and bottom edge, from the saved screen image.
    void PaintShadow(HWND window, HDC dc, MenuWindowState* state);
    // The window's menu colour M, COLOR_MENU when its menu is not known.
    COLORREF WindowMenuColour(const MenuWindowState* state) const;

    int m_id;
    bool m_ownBorder;
    MenuItemMeasurerProc m_measurer;
    MenuItemPainterProc m_painter;
    MenuTitlePainterProc m_titlePainter;
};

// The flat style's window painter: light ring, dark outer line, icon-column strip, and the
// popup joined to its open menu-bar item.
class MenuFlatStyle : public MenuStyle {
public:
    using MenuStyle::MenuStyle;
    void PaintFrame(HWND window, HDC dc, BOOL repaint, MenuWindowState* state) override;
    BOOL EraseBackground(HWND window, HDC dc, MenuWindowState* state) override;
};
