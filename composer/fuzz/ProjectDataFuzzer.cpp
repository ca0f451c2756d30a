// Fuzz target: any bytes read as a project data file the way the authoring program opens
// one, then written back and read again.
#include "CProjectData.h"
#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = FuzzWriteInput("velmora.dat", data, size);
    CProjectData project;
    if (project.Read(path.c_str(), FuzzScratchFolder().c_str()) != CProjectData::ReadOK)
        return 0;
    std::string again = FuzzScratchFolder() + "/again.dat";
    if (project.Write(again.c_str(), FuzzScratchFolder().c_str())) {
        CProjectData reread;
        reread.Read(again.c_str(), FuzzScratchFolder().c_str());
    }
    return 0;
}
