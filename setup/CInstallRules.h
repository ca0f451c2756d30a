// What an installation may touch: the checks on the cabinet's list before anything is
// copied, and on the installed list before anything is deleted.
#pragma once
#include "CInstallList.h"

class CInstallRules {
public:
    // True when path lies inside folder (an absolute folder, compared without regard to
    // case) by a name that stays inside it.
    static bool IsInside(const char* path, const char* folder);
    // The cabinet's list: file fields 1 and 3 and menu fields 1 and 2 (when not empty) are
    // names inside their folders, and menu field 3 names a place below Programs.
    static bool IsCabinetListSafe(const CInstallList& list);
    // A file of the installed list may go at removal when it is a bare name (taken in the
    // uninstaller's own folder, the current folder then), lies in ownFolder, or is a ".lnk"
    // in the Programs or desktop folder.
    static bool IsRemovable(const char* path, const char* ownFolder, const char* programs, const char* desktop);
};
