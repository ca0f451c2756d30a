// The title painter every style shares: a band with the menu's title, horizontal or
// vertical, plain, gradient or rounded.
#include "CNewMenuItemData.h"
#include "MenuColour.h"
#include "MenuFillGradient.h"
#include "MenuItemPainters.h"
#include "MenuMeasure.h"
#include "MenuPaintTools.h"
#include "MenuSystem.h"

namespace {

LOGFONTA& TitleFont()
{
    static LOGFONTA font = [] {
        LOGFONTA lf;
        ZeroMemory(&lf, sizeof lf);
        lf.lfHeight = 16;
        lf.lfWeight = 700;
        lf.lfCharSet = 1;
        lstrcpyA(lf.lfFaceName, "Arial");
        return lf;
    }();
    return font;
}

}

void SetMenuTitleFont(HFONT font)
{
    LOGFONTA lf;
    if (font && GetObjectA(font, sizeof lf, &lf))
        TitleFont() = lf;
}

void SetMenuTitleFont(const LOGFONTA& font) { TitleFont() = font; }

void GetMenuTitleFont(LOGFONTA* font) { *font = TitleFont(); }

void MenuPaintTitle(HDC dc, const RECT& item, const CNewMenuItemData& title)
{
    const DWORD flags = title.titleFlags;
    const bool vertical = (flags & MenuTitleVertical) != 0;
    MenuLook look = MenuSystem::Look();
    const COLORREF caption = look.Sys(COLOR_ACTIVECAPTION);
    const COLORREF light = MenuBlend86(look.Sys(COLOR_WINDOW), MenuColour(look));

    RECT r = item;
    if (vertical) {
        RECT clip;
        GetClipBox(dc, &clip);
        r.top = clip.top;
        r.bottom = clip.bottom;
        r.right += GetSystemMetrics(SM_CXMENUCHECK);
    }

    LOGFONTA lf = TitleFont();
    if (vertical)
        lf.lfEscapement = lf.lfOrientation = 900;
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, title.text, title.text.GetLength(), &extent);

    int x = r.left + 2;
    int y = vertical ? r.bottom - 4 : r.top;
    if (flags & MenuTitleGradient) {
        if (vertical)
            FillGradient(dc, r, light, caption, FALSE, TRUE);
        else
            FillGradient(dc, r, caption, light, TRUE, TRUE);
    } else if (flags & MenuTitleRounded) {
        RECT band = r;
        if (vertical) {
            band.right = band.left + extent.cy;
            y -= 2;
        } else {
            int indent = (r.right - r.left - extent.cx) / 2;
            x = r.left + (indent > 10 ? 10 : indent > 0 ? indent : 0);
        }
        HBRUSH brush = CreateSolidBrush(caption);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
        RoundRect(dc, band.left, band.top, band.right, band.bottom, 10, 10);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    } else {
        MenuFillRect(dc, r, caption);
    }
    if (flags & MenuTitle3D)
        MenuFrame3D(dc, r, look.Sys(COLOR_BTNSHADOW), look.Sys(COLOR_BTNHIGHLIGHT));
    if (flags & MenuTitleCentred) {
        if (vertical)
            y = r.bottom - (r.bottom - r.top - extent.cx) / 2;
        else
            x = r.left + (r.right - r.left - extent.cx) / 2;
    }
    if (flags & MenuTitleUnderlineBar) {
        if (vertical) {
            RECT a = {r.left + 20, r.top + 5, r.left + 22, r.bottom - 5};
            DrawEdge(dc, &a, BDR_SUNKENOUTER, BF_RECT);
            RECT b = {a.left + 3, a.top + 10, a.right + 3, a.bottom - 10};
            DrawEdge(dc, &b, BDR_SUNKENOUTER, BF_RECT);
        } else {
            RECT a = {r.left + 2, r.bottom - 7, r.right - 2, r.bottom - 5};
            DrawEdge(dc, &a, BDR_RAISEDINNER, BF_RECT);
            RECT b = {a.left + 10, a.top + 3, a.right - 10, a.bottom + 3};
            DrawEdge(dc, &b, BDR_SUNKENOUTER, BF_RECT);
        }
    }
    COLORREF oldColour = SetTextColor(dc, look.Sys(COLOR_CAPTIONTEXT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y, title.text, title.text.GetLength());
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}
