// Fuzz target: any bytes loaded as a project data file the way the player loads it: its
// fields, the loading log, and each target's type code and record bound to a viewer.
#include "CProjectReader.h"
#include "FuzzScratch.h"
#include <memory>

namespace {
// The player's loading, without its windows: read the fields, then bind each target in
// turn, as the player does.
void LoadProject(CFileReadWrite& file) {
    PlayerProject project;
    CProjectReader::ReadFields(file, project);
    CProjectReader::LoadingLog(project, "D:\\");
    for (int i = 0; i < project.numTargets; ++i) {
        std::unique_ptr<CViewer> viewer(CProjectReader::BindNextTarget(file, project, i, nullptr, "C:\\Temp", "D:\\"));
        if (!viewer) {
            CProjectReader::TargetsEndedLog(i, project);
            break;
        }
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
