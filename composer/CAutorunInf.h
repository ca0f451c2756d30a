// autorun.inf in the root of the CD: AutoPlay starts the player from it, and its icon line
// names the CD's icon.
#pragma once
#include "CString.h"

class CAutorunInf {
public:
    // The icon relative to the base folder; empty: the player's own icon.
    static bool Write(const char* path, const CString& icon);
    // The icon named by the last word of the file, "" for the player's own or when the file
    // is missing (then false).
    static bool ReadIcon(const char* path, CString& icon);

    static const int MaxWord = 1024;
};
