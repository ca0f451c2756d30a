// Fuzz target: any bytes read as an installation list, then written back and read again.
#include "CInstallList.h"
#include "FuzzScratch.h"
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteInput(CInstallList::fileName, data, size);
    auto list = std::make_unique<CInstallList>();
    if (list->Read(FuzzScratchFolder().c_str()) && list->Write(FuzzScratchFolder().c_str())) {
        auto again = std::make_unique<CInstallList>();
        again->Read(FuzzScratchFolder().c_str());
    }
    return 0;
}
