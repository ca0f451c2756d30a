// Fuzz target: any bytes loaded as a project data file the way the player loads it: its
// fields, the loading log, and each target's type code and record bound to a viewer.
#include "CProjectReader.h"
#include "FuzzScratch.h"
#include "ViewerFactory.h"

namespace {
// The player's binding, without its windows.
class WindowlessBinder : public CProjectTargetBinder {
public:
    void FieldsRead(CProjectData& project) override { CProjectReader::LoadingLog(project, "D:\\"); }
    CViewer* NewTarget(int type, int index, const CProjectData& project) override
    {
        return PrepareViewer(type, nullptr, index, "C:\\Temp", "D:\\", project.ProjectKey);
    }
    void TargetRead(CViewer& viewer, int) override { viewer.GetLog(); }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = FuzzWriteInput("velmora.dat", data, size);
    CFileReadWrite file;
    if (file.OpenRead(path.c_str())) {
        CProjectData project;
        WindowlessBinder binder;
        CProjectReader::Read(file, project, binder);
        file.Close();
        if (project.GetTargetCount() < project.StoredTargetCount)
            CProjectReader::TargetsEndedLog(project);
    }
    return 0;
}
