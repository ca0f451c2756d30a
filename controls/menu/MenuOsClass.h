// The class of the running system that the menus tell their looks apart by.
#pragma once

enum MenuOsClassValue {
    MenuOsOld9x = 0,      // 9x-family platform before version 4
    MenuOsOtherNT = 1,    // NT-family before NT 4 (NT 3.x) and NT 4.x other than 4.0
    MenuOsWin95 = 2,
    MenuOsWin98 = 3,
    MenuOsWinMe = 4,
    MenuOsNT4 = 5,
    MenuOsWin2000 = 6,
    MenuOsXP = 7,         // NT 5.1 and every later NT version
};

// ntFamily: the top bit of the platform's version word is clear. major, minor: from the
// extended version record.
int MenuOsClass(bool ntFamily, unsigned major, unsigned minor);
