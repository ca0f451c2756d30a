// The item painter of the gradient styles (6 and 7).
#include "CNewMenuIcons.h"
#include "CNewMenuItemData.h"
#include "MenuFillGradient.h"
#include "MenuItemPainters.h"
#include "MenuPaintTools.h"
#include "MenuSettings.h"
#include "MenuSystem.h"

namespace {

void Gradient(HDC dc, const RECT& r, COLORREF x)
{
    FillGradient(dc, r, MenuGradientTop(x), MenuGradientBottom(x), FALSE, TRUE);
}

}

void MenuPaintGradientItem(const DRAWITEMSTRUCT& dis, const MenuItemContext& menu)
{
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(dis.itemData);
    if (!rec)
        return;
    HDC dc = dis.hDC;
    MenuLook look = MenuSystem::Look();
    MenuGradientColours g = MenuGradientItemColours(look, [dc](COLORREF c) { return MenuNearest(dc, c); });
    const COLORREF M = MenuColour(look), B = MenuBarColour(look);
    const bool bar = menu.menuBar, hc = look.highContrast;
    const UINT state = dis.itemState;
    const RECT item = dis.rcItem;
    bool selected = (state & ODS_SELECTED) != 0;
    const bool hot = (state & ODS_HOTLIGHT) != 0;
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;

    if (rec->IsSeparator()) {
        if (rec->IsTitle()) {
            MenuPaintTitle(dc, item, *rec);
            return;
        }
        RECT r = item;
        InflateRect(&r, -1, 0);
        MenuFillRect(dc, r, g.light60);
        RECT edge = {r.left, r.top + (r.bottom - r.top) / 2 - 1, r.right, r.bottom};
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP);
        return;
    }

    // Backgrounds.
    const COLORREF background = bar ? B : M;
    if (bar) {
        if ((hot || selected) && !inactive && !hc)
            Gradient(dc, item, M);
        else
            MenuFillRect(dc, item, B);
    } else if (hc) {
        MenuFillRect(dc, item, M);
    } else {
        Gradient(dc, item, M);
    }

    const bool keyboardDisabled = MenuTakeKeyboardSelection(disabled, selected);

    const CNewMenuIcons* icons = dynamic_cast<const CNewMenuIcons*>(rec->iconList);
    HIMAGELIST list = icons ? icons->ImageList() : nullptr;
    const bool hasIcon = list && rec->iconIndex >= 0;

    // Selection.
    if (bar) {
        if ((selected || hot) && menu.selectedBarItemRect && !inactive) {
            RECT screen = item;
            MenuToScreen(dc, &screen);
            *menu.selectedBarItemRect = screen;
        }
        if (selected)
            MenuFrame3D(dc, item, g.dark60, g.light60);
        else if (hot)
            MenuFrame3D(dc, item, g.light60, g.dark60);
    } else if (selected) {
        RECT fill = item;
        if (hasIcon || checked)
            fill.left = item.left + menu.iconWidth + 6;
        if (hc)
            MenuFillRect(dc, fill, look.Sys(COLOR_HIGHLIGHT));
        else
            Gradient(dc, fill, look.Sys(COLOR_HIGHLIGHT));
        MenuFrame3D(dc, fill, g.dark60, g.light60);
    }
    if (keyboardDisabled)
        DrawFocusRect(dc, &item);

    // Icons and glyphs.
    RECT cell = {item.left + 1, item.top, item.left + 1 + menu.iconWidth + 8, item.bottom};
    if (!bar) {
        if (hasIcon) {
            int w = 0, h = 0;
            ImageList_GetIconSize(list, &w, &h);
            int x = cell.left + 4 + (w < menu.iconWidth ? (menu.iconWidth - w) / 2 : 0);
            int y = item.top + (item.bottom - item.top - h) / 2;
            if (HasNewLook()) {
                RECT box = {x - 2, y - 2, x + w + 2, y + h + 2};
                if (checked)
                    MenuFrame3D(dc, box, g.dark60, g.light60);
                else if (selected && !disabled)
                    MenuFrame3D(dc, box, g.light60, g.dark60);
            }
            if (disabled)
                MenuDrawSilhouette(dc, list, rec->iconIndex, x, y, g.disabled);
            else
                ImageList_Draw(list, rec->iconIndex, dc, x, y, ILD_TRANSPARENT);
        } else if (checked && menu.checkImages) {
            int image = selected && menu.hasSelectedCheckImage ? 1 : 0;
            ImageList_Draw(menu.checkImages, image, dc, cell.left + 3, item.top + 4, ILD_TRANSPARENT);
        } else {
            MenuItemCheckMarks marks = MenuReadCheckMarks(dis);
            if (checked || marks.unchecked) {
                RECT box = cell;
                InflateRect(&box, 1, 1);
                HBITMAP own = checked ? marks.checked : marks.unchecked;
                COLORREF colour = look.Sys(disabled || inactive ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
                if (!own)
                    OffsetRect(&box, 1, 2);
                MenuDrawGlyph(dc, own ? "i" : "b", box, colour, (state & ODS_DEFAULT) != 0);
            }
        }
    }

    // Text.
    RECT text = item;
    if (!bar)
        text.left = item.left + menu.iconWidth + 12;
    HFONT font = MenuCreateMenuFont((state & ODS_DEFAULT) != 0);
    HGDIOBJ oldFont = SelectObject(dc, font);
    COLORREF colour;
    if (disabled)
        colour = selected ? background : g.disabled;
    else if (bar && inactive)
        colour = g.dark100;
    else
        colour = look.Sys(selected && !bar ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    UINT format = (bar ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE;
    MenuDrawText(dc, rec->Label(), text, format, colour);
    if (!bar && rec->HasTab()) {
        RECT accel = text;
        accel.right -= 15;
        MenuDrawText(dc, rec->Accelerator(), accel, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, colour);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}
