#include "TestFiles.h"
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace testfiles {

std::string ScratchFolder(const std::string& name)
{
    fs::path p = fs::path(VELMORA_TEST_BINARY_DIR) / "scratch" / name;
    std::error_code ec;
    if (fs::exists(p, ec)) {
        for (auto& entry : fs::recursive_directory_iterator(p, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(p, ec);
    }
    fs::create_directories(p);
    return p.string();
}

std::string Join(const std::string& folder, const std::string& name)
{
    return (fs::path(folder) / name).string();
}

void WriteFile(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

} // namespace testfiles
