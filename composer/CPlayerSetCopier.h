// Copying the player and the libraries it needs from the program folder into the base
// folder, and judging a copy that failed: a file missing from the program folder is a
// fault of the installation; a file that cannot be overwritten is harmless only when the
// base folder already holds the same file.
#pragma once
#include "CString.h"

#include <vector>

class CPlayerSetCopier {
public:
    enum Result {
        Copied,
        AlreadyThere,   // the copy failed, but the base folder's file is the same
        SourceMissing,  // the program folder lacks the file
        Trouble         // the base folder's file could not be replaced and differs
    };

    // Both folders with a trailing backslash.
    CPlayerSetCopier(const CString& programFolder, const CString& baseFolder)
        : m_programFolder(programFolder), m_baseFolder(baseFolder) {}

    // The files of the player set, in copying order: the player, the viewer library, then the
    // libraries both need.
    static std::vector<CString> PlayerSet();

    Result Copy(const char* name) const;

    // The file's version as "%u,%u,%u,%u" from its fixed version information; "" without.
    static CString GetFileVersionString(const char* path);
    // Whether two files hold the same bytes (false when either cannot be read).
    static bool SameBytes(const char* first, const char* second);

private:
    bool IsSameFile(const CString& installed, const CString& source) const;

    CString m_programFolder;
    CString m_baseFolder;
};
