// Fuzz target: any bytes loaded as a project data file the way the player loads it: its
// fields, the loading log, and each target's type code and record bound to a viewer.
#include "CProjectReader.h"
#include "FuzzScratch.h"
#include "ViewerFactory.h"
#include <memory>

namespace {
// The player's loading, without its windows: read the fields, then bind each target in
// turn. Binding stops at the end of the file.
void LoadProject(CFileReadWrite& file) {
    PlayerProject project;
    CProjectReader::ReadFields(file, project);
    CProjectReader::LoadingLog(project, "D:\\");
    const DataFileVersion& v = project.version;
    for (int i = 0; i < project.numTargets && file.IsOK(); ++i) {
        const int type = CProjectReader::ReadTargetType(file, v);
        std::unique_ptr<CViewer> viewer(
            BindViewer(type, nullptr, i, "C:\\Temp", "D:\\", project.projectKey, &file, v.major, v.minor, v.build));
        viewer->GetLog();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = FuzzWriteInput("velmora.dat", data, size);
    CFileReadWrite file;
    if (file.OpenRead(path.c_str())) {
        LoadProject(file);
        file.Close();
    }
    return 0;
}
