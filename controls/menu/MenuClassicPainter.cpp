// The item painters of the classic styles (0, 1, and the popups of 4, 5) and of the
// highlight-bar styles' menu bars (4, 5).
#include "CNewMenuIcons.h"
#include "CNewMenuItemData.h"
#include "MenuItemPainters.h"
#include "MenuPaintTools.h"
#include "MenuSettings.h"
#include "MenuSystem.h"

void MenuPaintClassicItem(const DRAWITEMSTRUCT& dis, const MenuItemContext& menu)
{
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(dis.itemData);
    if (!rec)
        return;
    HDC dc = dis.hDC;
    MenuLook look = MenuSystem::Look();
    const bool bar = menu.menuBar;
    const UINT state = dis.itemState;
    const RECT item = dis.rcItem;
    bool selected = (state & ODS_SELECTED) != 0;
    const bool hot = (state & ODS_HOTLIGHT) != 0;
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    const COLORREF background = bar ? MenuBarColour(look) : look.Sys(COLOR_MENU);
    MenuFillRect(dc, item, background);

    if (rec->IsSeparator()) {
        if (rec->IsTitle()) {
            MenuPaintTitle(dc, item, *rec);
        } else {
            RECT edge = {item.left + 1, item.top + (item.bottom - item.top) / 2 - 1, item.right, item.bottom};
            DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP);
        }
        return;
    }

    const bool keyboardDisabled = MenuTakeKeyboardSelection(disabled, selected);

    const CNewMenuIcons* icons = dynamic_cast<const CNewMenuIcons*>(rec->iconList);
    HIMAGELIST list = icons ? icons->ImageList() : nullptr;
    const bool hasIcon = list && rec->iconIndex >= 0;
    MenuItemCheckMarks marks = MenuReadCheckMarks(dis);
    RECT cell = {item.left + 1, item.top, item.left + 1 + menu.iconWidth + 4, item.bottom};

    RECT text = item;
    text.left = item.left + (bar ? 6 : menu.iconWidth + 12);
    if (bar) {
        if (selected || hot) {
            if (menu.selectedBarItemRect && !inactive) {
                RECT screen = item;
                MenuToScreen(dc, &screen);
                *menu.selectedBarItemRect = screen;
            }
            if (selected)
                MenuFrame3D(dc, item, look.Sys(COLOR_BTNSHADOW), look.Sys(COLOR_BTNHIGHLIGHT));
            else
                MenuFrame3D(dc, item, look.Sys(COLOR_BTNHIGHLIGHT), look.Sys(COLOR_BTNSHADOW));
        }
    } else if (selected) {
        RECT fill = item;
        if (hasIcon || checked)
            fill.left = item.left + menu.iconWidth + 6;
        MenuFillRect(dc, fill, look.Sys(COLOR_HIGHLIGHT));
    }
    if (keyboardDisabled)
        DrawFocusRect(dc, &item);

    // Icons and glyphs.
    if (!bar) {
        if (hasIcon) {
            int w = 0, h = 0;
            ImageList_GetIconSize(list, &w, &h);
            int x = cell.left + 2 + (w < menu.iconWidth ? (menu.iconWidth - w) / 2 : 0);
            int y = item.top + (item.bottom - item.top - h) / 2;
            if (HasNewLook()) {
                RECT box = {x - 2, y - 2, x + w + 2, y + h + 2};
                if (checked)
                    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
                else if (selected && !disabled)
                    DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
            }
            if (disabled)
                MenuDrawDisabledImage(dc, list, rec->iconIndex, x, y);
            else
                ImageList_Draw(list, rec->iconIndex, dc, x, y, ILD_TRANSPARENT);
        } else if (checked && menu.checkImages) {
            int image = selected && menu.hasSelectedCheckImage ? 1 : 0;
            ImageList_Draw(menu.checkImages, image, dc, cell.left + 2, item.top + 4, ILD_TRANSPARENT);
        } else if (checked || marks.unchecked) {
            RECT box = cell;
            InflateRect(&box, -1, -1);
            if (HasNewLook())
                DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
            InflateRect(&box, 2, 2);
            HBITMAP own = checked ? marks.checked : marks.unchecked;
            COLORREF colour = look.Sys(disabled || inactive ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
            if (own) {
                MenuDrawGlyph(dc, "i", box, colour, (state & ODS_DEFAULT) != 0);
            } else {
                OffsetRect(&box, 1, 2);
                MenuDrawGlyph(dc, "b", box, colour, (state & ODS_DEFAULT) != 0);
            }
        }
    }

    // The text.
    HFONT font = MenuCreateMenuFont((state & ODS_DEFAULT) != 0);
    HGDIOBJ oldFont = SelectObject(dc, font);
    UINT format = (bar ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE;
    if (bar)
        text = item;
    RECT accel = text;
    accel.right -= 15;
    auto draw = [&](COLORREF colour, int dx, int dy) {
        RECT t = text, a = accel;
        OffsetRect(&t, dx, dy);
        OffsetRect(&a, dx, dy);
        MenuDrawText(dc, rec->Label(), t, format, colour);
        if (!bar && rec->HasTab())
            MenuDrawText(dc, rec->Accelerator(), a, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, colour);
    };
    if (disabled && selected) {
        // Over the highlight of a popup item in the menu colour; a selected menu-bar item
        // has no fill, so there the highlight colour stands out against the bar.
        draw(bar ? look.Sys(COLOR_HIGHLIGHT) : background, 0, 0);
    } else if (disabled) {
        draw(look.Sys(COLOR_BTNHIGHLIGHT), 1, 1);
        draw(look.Sys(COLOR_GRAYTEXT), 0, 0);
    } else if (bar && inactive) {
        draw(look.Sys(COLOR_GRAYTEXT), 0, 0);
    } else {
        draw(look.Sys(selected && !bar ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), 0, 0);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void MenuPaintHighlightBarItem(const DRAWITEMSTRUCT& dis, const MenuItemContext& menu)
{
    if (!menu.menuBar) {
        MenuPaintClassicItem(dis, menu);
        return;
    }
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(dis.itemData);
    if (!rec)
        return;
    HDC dc = dis.hDC;
    MenuLook look = MenuSystem::Look();
    const UINT state = dis.itemState;
    const bool lit = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    MenuFillRect(dc, dis.rcItem, lit ? look.Sys(COLOR_HIGHLIGHT) : MenuBarColour(look));
    if (lit && menu.selectedBarItemRect) {
        RECT screen = dis.rcItem;
        MenuToScreen(dc, &screen);
        *menu.selectedBarItemRect = screen;
    }
    HFONT font = MenuCreateMenuFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    int colour = (state & ODS_GRAYED) ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    MenuDrawText(dc, rec->Label(), dis.rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE, look.Sys(colour));
    SelectObject(dc, old);
    DeleteObject(font);
}
