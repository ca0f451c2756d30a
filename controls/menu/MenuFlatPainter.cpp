// The item painter of the flat style (styles 2 and 3).
#include "CNewMenuIcons.h"
#include "CNewMenuItemData.h"
#include "MenuColour.h"
#include "MenuFrameGeometry.h"
#include "MenuItemPainters.h"
#include "MenuMeasure.h"
#include "MenuPaintTools.h"
#include "MenuSettings.h"
#include "MenuSystem.h"

namespace {

const char* WindowControlGlyph(UINT_PTR id)
{
    switch (id & 0xFFF0) {
    case 0xF060: return "r";
    case 0xF020: return "0";
    case 0xF030: return "1";
    case 0xF120: return "2";
    default: return nullptr;
    }
}

}

void MenuPaintFlatItem(const DRAWITEMSTRUCT& dis, const MenuItemContext& menu)
{
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(dis.itemData);
    if (!rec)
        return;
    HDC dc = dis.hDC;
    MenuLook look = MenuSystem::Look();
    const bool bar = menu.menuBar;
    MenuFlatColours c = MenuFlatItemColours(look, bar, [dc](COLORREF x) { return MenuNearest(dc, x); });
    const COLORREF B = MenuBarColour(look);
    COLORREF SF = c.selection, IC = c.iconColumn, BG = c.background, P = c.framePen;
    const UINT state = dis.itemState;
    const RECT item = dis.rcItem;
    bool selected = (state & ODS_SELECTED) != 0;
    bool hot = (state & ODS_HOTLIGHT) != 0;
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;

    // 2. Backgrounds and the text rectangle.
    RECT text = item;
    RECT column = {item.left, item.top, item.left + menu.iconWidth + 8, item.bottom};
    if (bar) {
        if (menu.openPopups == 0 && selected) {
            selected = false;
            hot = true;
        }
        if (!hot)
            SF = IC;
        MenuFillRect(dc, item, B);
        text.right -= 4;
    } else {
        MenuFillRect(dc, column, IC);
        MenuFillRect(dc, RECT{column.right, item.top, item.right, item.bottom}, BG);
        text.left = column.right + 4;
        text.right = item.right - 15;
    }

    // 3. Hot and inactive items count as selected; an open bar item gets its inner shadow.
    if (hot || inactive)
        selected = true;
    if (bar && selected && !inactive) {
        if (menu.selectedBarItemRect) {
            RECT screen = item;
            MenuToScreen(dc, &screen);
            *menu.selectedBarItemRect = screen;
        }
        if ((state & ODS_SELECTED) && menu.openPopups > 0) {
            P = look.highContrast ? look.Sys(COLOR_BTNTEXT) : MenuDarken(128, B);
            int h = item.bottom - item.top;
            for (int i = 1; i <= 4; ++i) {
                int x = item.right - i;
                for (int row = 0; row < h; ++row) {
                    COLORREF px;
                    if (look.FewColours()) {
                        if (i > 2 || row < 4)
                            continue;
                        px = look.Sys(COLOR_BTNSHADOW);
                    } else {
                        px = MenuDarken(MenuBarItemShadowAmount(i, row), B);
                    }
                    SetPixel(dc, x, item.top + row, px);
                }
            }
        }
    }

    // 4. Disabled items selected from the keyboard get a frame only.
    const bool keyboardDisabled = MenuTakeKeyboardSelection(disabled, selected);

    // 5. Separators and titles.
    if (rec->IsSeparator()) {
        if (rec->IsTitle()) {
            MenuPaintTitle(dc, item, *rec);
        } else {
            int y = item.top + (item.bottom - item.top) / 2;
            MenuLine(dc, text.left, y, item.right, y, look.Sys(COLOR_GRAYTEXT));
        }
        return;
    }

    // 6. The selection.
    const RECT& frame = bar ? text : item;
    if (selected && !inactive) {
        MenuFillRect(dc, frame, SF);
        MenuFrameRect(dc, frame, P);
    } else if (keyboardDisabled) {
        MenuFillRect(dc, frame, BG);
        MenuFrameRect(dc, frame, P);
    }

    // 7. The text.
    HFONT font = MenuCreateMenuFont((state & ODS_DEFAULT) != 0);
    HGDIOBJ oldFont = SelectObject(dc, font);
    COLORREF textColour;
    if ((state & ODS_GRAYED) || (bar && inactive))
        textColour = look.Sys(COLOR_GRAYTEXT);
    else if (!bar && !selected && look.highContrast)
        textColour = look.Sys(COLOR_WINDOWTEXT);
    else
        textColour = look.Sys(COLOR_MENUTEXT);
    if (bar) {
        MenuDrawText(dc, rec->Label(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, textColour);
    } else {
        MenuDrawText(dc, rec->Label(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, textColour);
        if (rec->HasTab())
            MenuDrawText(dc, rec->Accelerator(), text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, textColour);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);

    // The box behind checked icons and glyphs.
    const bool fewColours = look.FewColours();
    RECT box = {column.left + 1, column.top + 1, column.right - 2, column.bottom - 1};
    auto drawBox = [&]() {
        COLORREF fill = selected ? (fewColours ? SF : MenuBlend86(SF, look.Sys(COLOR_HIGHLIGHT)))
                                 : MenuBlend86(IC, look.Sys(COLOR_HIGHLIGHT));
        MenuFillRect(dc, box, fill);
        MenuFrameRect(dc, box, P);
    };

    // 10. Window-control commands draw their glyph in the box.
    if (const char* glyph = MenuIsWindowControlCommand(rec->commandId) ? WindowControlGlyph(rec->commandId) : nullptr) {
        RECT g = box;
        int top = item.top + (item.bottom - item.top - menu.iconHeight) / 2;
        g.top = top;
        g.bottom = top + menu.iconHeight;
        InflateRect(&g, 2, 2);
        bool bold = (state & ODS_DEFAULT) != 0;
        if (disabled || inactive) {
            MenuDrawGlyph(dc, glyph, g, look.Sys(COLOR_GRAYTEXT), bold);
        } else if (selected) {
            RECT s = g;
            OffsetRect(&s, 1, 1);
            MenuDrawGlyph(dc, glyph, s, MenuShadow(MenuSelectionColour(look)), bold);
            OffsetRect(&s, -2, -2);
            MenuDrawGlyph(dc, glyph, s, look.Sys(COLOR_MENUTEXT), bold);
        } else {
            MenuDrawGlyph(dc, glyph, g, look.Sys(COLOR_MENUTEXT), bold);
        }
        return;
    }
    if (bar)
        return;

    // 8. Check images and icons.
    const CNewMenuIcons* icons = dynamic_cast<const CNewMenuIcons*>(rec->iconList);
    HIMAGELIST list = icons ? icons->ImageList() : nullptr;
    const bool hasIcon = list && rec->iconIndex >= 0;
    if (checked && !hasIcon && menu.checkImages) {
        int image = selected && menu.hasSelectedCheckImage ? 1 : 0;
        ImageList_Draw(menu.checkImages, image, dc, column.left + 3, item.top + 4, ILD_TRANSPARENT);
        return;
    }
    if (hasIcon) {
        int w = 0, h = 0;
        ImageList_GetIconSize(list, &w, &h);
        int x = column.left + 3 + (w < menu.iconWidth ? (menu.iconWidth - w) / 2 : 0);
        int y = item.top + (item.bottom - item.top - h) / 2;
        if (checked)
            drawBox();
        const BOOL shading = GetMenuIconShading();
        if (disabled) {
            if (shading)
                ImageList_Draw(list, rec->iconIndex + 2, dc, x, y, ILD_TRANSPARENT);
            else
                MenuDrawSilhouette(dc, list, rec->iconIndex, x, y, MenuDarken(70, IC));
        } else if (selected) {
            if (!checked) {
                MenuDrawSilhouette(dc, list, rec->iconIndex, x + 1, y + 1, MenuShadow(SF));
                ImageList_Draw(list, rec->iconIndex, dc, x - 1, y - 1, ILD_TRANSPARENT);
            } else {
                ImageList_Draw(list, rec->iconIndex, dc, x, y, ILD_TRANSPARENT);
            }
        } else {
            ImageList_Draw(list, shading ? rec->iconIndex + 1 : rec->iconIndex, dc, x, y, ILD_TRANSPARENT);
        }
        return;
    }

    // 9. Check glyphs and the item's own unchecked bitmap.
    MenuItemCheckMarks marks = MenuReadCheckMarks(dis);
    if (!menu.checkImages && (checked || marks.unchecked)) {
        drawBox();
        if (checked) {
            RECT g = column;
            int grow = (menu.iconHeight - (item.bottom - item.top));
            grow = (grow >= 0 ? grow / 2 : -((-grow + 1) / 2)) + 2;
            InflateRect(&g, 2, grow);
            MenuDrawGlyph(dc, marks.checked ? "i" : "b", g, look.Sys(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT),
                          (state & ODS_DEFAULT) != 0);
        } else {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, marks.unchecked);
            BITMAP bm;
            GetObject(marks.unchecked, sizeof bm, &bm);
            if (state & ODS_DISABLED)
                DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(marks.unchecked), 0, box.left,
                           box.top, box.right - box.left, box.bottom - box.top, DST_BITMAP | DSS_DISABLED);
            else
                StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, mem, 0, 0,
                           bm.bmWidth, bm.bmHeight, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    }
}

bool MenuTakeKeyboardSelection(bool disabled, bool& selected)
{
    if (!disabled || !selected || GetSelectDisabled())
        return false;
    selected = false;
    const DWORD pos = GetMessagePos();
    if (pos == MenuSystem::lastMessagePos)
        return true;
    MenuSystem::lastMessagePos = pos;
    return false;
}

MenuItemCheckMarks MenuReadCheckMarks(const DRAWITEMSTRUCT& dis)
{
    MenuItemCheckMarks marks;
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    if (GetMenuItemInfoA(reinterpret_cast<HMENU>(dis.hwndItem), dis.itemID, FALSE, &info)) {
        marks.checked = info.hbmpChecked;
        marks.unchecked = info.hbmpUnchecked;
    }
    return marks;
}

void MenuDrawSilhouette(HDC dc, HIMAGELIST images, int index, int x, int y, COLORREF colour)
{
    HICON icon = ImageList_GetIcon(images, index, ILD_NORMAL);
    if (!icon)
        return;
    HBRUSH brush = CreateSolidBrush(colour);
    DrawStateA(dc, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_MONO);
    DeleteObject(brush);
    DestroyIcon(icon);
}

void MenuDrawDisabledImage(HDC dc, HIMAGELIST images, int index, int x, int y)
{
    HICON icon = ImageList_GetIcon(images, index, ILD_NORMAL);
    if (!icon)
        return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}
