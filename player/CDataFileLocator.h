// Where the player finds its project data file, and the temporary folder it hands to the
// viewers. Plain decisions: the caller reads the command line, the executable's name,
// autorun.inf and the system's temporary path.
#pragma once
#include "CString.h"
#include <functional>
#include <string>
#include <vector>

class CDataFileLocator {
public:
    // The name from the command line (double quotes removed, blanks trimmed); when empty and
    // the executable is not named "Velmora" (ignoring case), that name + ".dat"; when it is,
    // the name on autorun.inf's open line (read only then); when still empty "velmora.dat".
    static CString ChooseName(const CString& commandLine, const CString& executableBaseName,
                              const std::function<CString()>& readAutorunName);
    // The file name after "open=Velmora.exe" on the first line that holds it (matched
    // ignoring case, as the authoring program writes "OPEN="), trimmed; lines are trimmed and
    // the search stops at the first empty line. "" when there is none.
    static CString FindInAutorun(const std::string& text);
    // The same, read from the folder's autorun.inf; "" when there is none.
    static CString ReadAutorunName(const CString& folder);
    // The paths to try in turn: the name in the player folder (an absolute name as it is),
    // then the player folder's velmora.dat unless that is the name already.
    static std::vector<CString> CandidatePaths(const CString& playerFolder, const CString& name);
    // A drive path ("C:\x", "C:/x"), a UNC path or a path from the drive's root.
    static bool IsAbsolutePath(const CString& path);
    // The system's temporary folder, unless it could not be read or is the player folder
    // itself (ignoring case and a closing backslash): then "C:\".
    static CString ChooseTempFolder(bool gotTempPath, const CString& tempPath, const CString& playerFolder);
};
