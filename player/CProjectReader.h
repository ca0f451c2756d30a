// What the player makes of the project data file it reads through CProjectData: the
// player reads files of every version, drops a splash that has no picture, gives the
// additional viewers their extensions as it matches them, and logs the loaded project.
#pragma once
#include "CProjectData.h"
#include <vector>

class CProjectReader {
public:
    // Reads the whole file, whatever its version; the targets are made by binder.
    static void Read(CFileReadWrite& file, CProjectData& project, CProjectTargetBinder& binder);
    // A splash is shown only when it names a picture.
    static bool ShowsSplash(const CProjectData& project);
    // "." + the stored extension, lower-cased.
    static CString Extension(const AdditionalViewerEntry& entry);
    // The debug log's line for a file that ends before the targets it counts.
    static CString TargetsEndedLog(const CProjectData& project);
    // The debug log's lines about the loaded project, before the viewers' own logs.
    static std::vector<CString> LoadingLog(const CProjectData& project, const CString& baseFolder);
};
