#include "FuzzScratch.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
struct Scratch {
    std::string path;
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
}  // namespace

const std::string& FuzzScratchFolder() {
    static Scratch scratch;
    return scratch.path;
}

std::string FuzzWriteInput(const char* name, const uint8_t* data, size_t size) {
    std::string path = FuzzScratchFolder() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size))
        std::abort();
    std::fclose(f);
    return path;
}

void FuzzClear(const std::string& path, bool makeFolder) {
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path, ec);
    if (makeFolder)
        std::filesystem::create_directories(path, ec);
}
