#include "MenuStyleInfo.h"

const int MenuStyleRegistrationOrder[MenuStyleCount] = {6, 7, 0, 1, 2, 3, 4, 5};

bool MenuGetStyleInfo(int id, MenuStyleInfo* info)
{
    static const MenuStyleInfo table[MenuStyleCount] = {
        {0, MenuMeasureStandard, MenuPaintClassic, MenuWindowPlain, true},
        {1, MenuMeasureStandard, MenuPaintClassic, MenuWindowPlain, false},
        {2, MenuMeasureFlat, MenuPaintFlat, MenuWindowFlat, true},
        {3, MenuMeasureFlat, MenuPaintFlat, MenuWindowFlat, false},
        {4, MenuMeasureStandard, MenuPaintHighlightBar, MenuWindowPlain, true},
        {5, MenuMeasureStandard, MenuPaintHighlightBar, MenuWindowPlain, false},
        {6, MenuMeasureTall, MenuPaintGradient, MenuWindowPlain, true},
        {7, MenuMeasureTall, MenuPaintGradient, MenuWindowPlain, false},
    };
    if (id < 0 || id >= MenuStyleCount)
        return false;
    if (info)
        *info = table[id];
    return true;
}
