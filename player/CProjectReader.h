// Reads a project data file's top-level fields in their order, with their version gates,
// and the type code in front of each target record. The counts the file gives are not
// trusted: no more than the limits are kept, and what lies beyond them is read past, so
// the reader stays in step with the file.
#pragma once
#include "CFileReadWrite.h"
#include "PlayerProject.h"
#include <vector>

class CProjectReader {
public:
    // Reads everything up to and including the number of targets.
    static void ReadFields(CFileReadWrite& file, PlayerProject& project);
    // Reads the type code of the next target record (only files of minor version 6 and up
    // store one; older targets are File targets); codes outside 0 to 7 read as File.
    static int ReadTargetType(CFileReadWrite& file, const DataFileVersion& version);
    // The debug log's lines about the loaded project, before the viewers' own logs.
    static std::vector<CString> LoadingLog(const PlayerProject& project, const CString& baseFolder);
};
