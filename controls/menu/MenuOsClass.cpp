#include "MenuOsClass.h"

int MenuOsClass(bool ntFamily, unsigned major, unsigned minor)
{
    if (!ntFamily) {
        if (major < 4)
            return MenuOsOld9x;
        if (minor == 10)
            return MenuOsWin98;
        if (minor == 90)
            return MenuOsWinMe;
        return MenuOsWin95;
    }
    if (major == 4 && minor == 0)
        return MenuOsNT4;
    if (major == 5 && minor == 0)
        return MenuOsWin2000;
    // Windows XP and everything after it look like XP: flat menus, themes.
    if (major > 5 || (major == 5 && minor >= 1))
        return MenuOsXP;
    return MenuOsOtherNT;
}
