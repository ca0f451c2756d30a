// Picks a font face that exists on this machine: the one asked for, else the first of its
// stand-ins that is installed (a font with the same metrics first), else the system's
// dialog font.
#pragma once
#ifdef _WIN32
#include "CString.h"

class CFontFallback {
public:
    static bool Exists(const char* face);
    static CString Face(const char* face);
};
#endif
