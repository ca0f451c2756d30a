// The text of the batch file that, after the uninstaller has ended, deletes it and the
// emptied folders of the installation, and then itself.
#pragma once
#include "CInstallList.h"
#include <string>

class CDeleteBatch {
public:
    static const char fileName[]; // "\DelUS.bat", in the root of the current drive

    // The whole text for the running uninstaller exePath and the folder records (removed
    // from the last recorded to the first). A folder record that is not a plain path is
    // left out: it could end the quoted argument and run a command of its own. Every "%"
    // is doubled, as the command interpreter reads it.
    static std::string Build(const char* exePath, const CFolderRecord* folders, int count);
};
