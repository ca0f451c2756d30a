// Fuzz target: any bytes read as an installer executable with its payload: the table read
// from the trailer, and every file copied out into a scratch folder, emptied after each input.
#include "CSfxArchive.h"
#include "FuzzScratch.h"

namespace {
class ScratchArchive : public CSfxArchive {
public:
    explicit ScratchArchive(const std::string& path) : m_path(path) {}
    CString GetExecutablePath() const override { return m_path.c_str(); }

private:
    std::string m_path;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string out = FuzzScratchFolder() + "/out";
    const std::string exe = FuzzWriteInput("setup.exe", data, size);
    ScratchArchive archive(exe);
    if (archive.ReadTable(exe.c_str()) == CSfxArchive::success) {
        FuzzClear(out, true);
        archive.ExtractAll((out + "/").c_str(), nullptr, nullptr);
        FuzzClear(out, false);
    }
    return 0;
}
