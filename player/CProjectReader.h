// Reads a project data file's top-level fields in their order, with their version gates,
// and the type code in front of each target record. The counts the file gives are not
// trusted: no more than the limits are kept, and what lies beyond them is read past, so
// the reader stays in step with the file. Targets are bound only as far as the file holds
// them: a count beyond the records present stops at the end of the file.
#pragma once
#include "CFileReadWrite.h"
#include "CViewer.h"
#include "PlayerProject.h"
#include <vector>

class CProjectReader {
public:
    // Reads everything up to and including the number of targets.
    static void ReadFields(CFileReadWrite& file, PlayerProject& project);
    // Reads the type code of the next target record (only files of minor version 6 and up
    // store one; older targets are File targets); codes outside 0 to 7 read as File.
    static int ReadTargetType(CFileReadWrite& file, const DataFileVersion& version);
    // Reads the next target's type code and record and binds them to a new viewer (owned
    // by the caller) as the target of this index; null when the file has ended before it.
    static CViewer* BindNextTarget(CFileReadWrite& file, const PlayerProject& project, int index,
                                   CViewerWindow* owner, const CString& tempPath, const CString& programDirectory);
    // The debug log's line when the file ends before the number of targets it gave.
    static CString TargetsEndedLog(int bound, const PlayerProject& project);
    // The debug log's lines about the loaded project, before the viewers' own logs.
    static std::vector<CString> LoadingLog(const PlayerProject& project, const CString& baseFolder);
};
