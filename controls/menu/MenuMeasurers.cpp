#include "CNewMenuItemData.h"
#include "MenuItemPainters.h"
#include "MenuMeasure.h"
#include "MenuPaintTools.h"

namespace {

SIZE TextSize(HDC dc, const CString& text)
{
    RECT r = {0, 0, 0, 0};
    SIZE s = {0, 0};
    if (text.IsEmpty()) {
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        s.cy = tm.tmHeight;
        return s;
    }
    DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_CALCRECT);
    s.cx = r.right - r.left;
    s.cy = r.bottom - r.top;
    return s;
}

void Measure(MEASUREITEMSTRUCT* mis, const MenuItemContext& menu, MenuMeasurer measurer)
{
    const CNewMenuItemData* rec = reinterpret_cast<const CNewMenuItemData*>(mis->itemData);
    if (!rec)
        return;
    HDC dc = GetDC(nullptr);
    MenuMetrics metrics{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENU)};
    if (rec->IsSeparator()) {
        if (rec->IsTitle()) {
            LOGFONTA lf;
            GetMenuTitleFont(&lf);
            HFONT font = CreateFontIndirectA(&lf);
            HGDIOBJ old = SelectObject(dc, font);
            SIZE s = MenuMeasureTitle(TextSize(dc, rec->text), rec->titleFlags, metrics.cxMenuCheck);
            SelectObject(dc, old);
            DeleteObject(font);
            mis->itemWidth = s.cx > 0 ? s.cx : 0;
            mis->itemHeight = s.cy;
        } else {
            mis->itemWidth = 0;
            mis->itemHeight = MenuSeparatorHeight;
        }
    } else {
        HFONT font = MenuCreateMenuFont((rec->menuFlags & 0x20) != 0);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE text = TextSize(dc, rec->Label());
        if (rec->HasTab()) {
            SIZE accel = TextSize(dc, rec->Accelerator());
            text.cx += accel.cx;
        }
        SelectObject(dc, old);
        DeleteObject(font);
        SIZE s = MenuMeasureItem(measurer, menu.menuBar, text, rec->HasTab(), menu.iconWidth,
                                 menu.iconHeight, metrics);
        mis->itemWidth = s.cx > 0 ? s.cx : 0;
        mis->itemHeight = s.cy;
    }
    ReleaseDC(nullptr, dc);
}

}

void MenuMeasureStandardItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu)
{
    Measure(item, menu, MenuMeasureStandard);
}

void MenuMeasureTallItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu)
{
    Measure(item, menu, MenuMeasureTall);
}

void MenuMeasureFlatItem(MEASUREITEMSTRUCT* item, const MenuItemContext& menu)
{
    Measure(item, menu, MenuMeasureFlat);
}
