#include "MenuMeasure.h"

SIZE MenuMeasureItem(MenuMeasurer measurer, bool menuBar, SIZE text, bool hasTab, int iconWidth,
                     int iconHeight, const MenuMetrics& metrics)
{
    SIZE s;
    if (!menuBar)
        s.cx = text.cx + 2 * iconWidth + 2;
    else if (measurer == MenuMeasureFlat)
        s.cx = text.cx - 6;
    else
        s.cx = text.cx - metrics.cxMenuCheck / 2;
    switch (measurer) {
    case MenuMeasureStandard:
        s.cy = metrics.cyMenu > iconHeight + 4 ? metrics.cyMenu : iconHeight + 4;
        break;
    case MenuMeasureTall:
        s.cy = metrics.cyMenu > iconHeight + 6 ? metrics.cyMenu : iconHeight + 6;
        break;
    case MenuMeasureFlat:
        s.cy = metrics.cyMenu > iconHeight + 8 ? metrics.cyMenu : iconHeight + 7;
        break;
    }
    if (hasTab)
        s.cx += 15;
    if (s.cy < text.cy)
        s.cy = text.cy;
    return s;
}

SIZE MenuMeasureTitle(SIZE text, DWORD titleFlags, int cxMenuCheck)
{
    int bar = (titleFlags & MenuTitleUnderlineBar) ? 8 : 0;
    SIZE s;
    if (titleFlags & MenuTitleVertical) {
        s.cx = text.cy - cxMenuCheck + bar;
        // The band spans the whole column when painted; 1 rather than 0 so that systems
        // which skip empty items (Wine) still ask for it to be painted.
        s.cy = 1;
    } else {
        s.cx = text.cx;
        s.cy = text.cy + bar;
    }
    return s;
}
