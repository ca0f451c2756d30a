#include "CSfxWriter.h"
#include "SafeName.h"
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

const unsigned kMaxEntries = 256;
const size_t kMaxNameLength = 1000;

void PutU32(std::string& out, unsigned long long value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace

bool CSfxWriter::Add(const std::string& name, const std::string& data)
{
    if (m_files.size() >= kMaxEntries || name.size() > kMaxNameLength || !IsNameInsideFolder(name)
        || data.size() > 0xffffffffULL)
        return false;
    m_files.push_back({name, data});
    return true;
}

bool CSfxWriter::AddFile(const std::string& name, const std::string& sourcePath)
{
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream data;
    data << in.rdbuf();
    if (in.bad())
        return false;
    return Add(name, data.str());
}

std::string CSfxWriter::Build(unsigned long long executableLength) const
{
    std::string out;
    std::vector<unsigned long long> offsets;
    unsigned long long position = executableLength;
    for (const File& f : m_files) {
        offsets.push_back(position);
        out += f.data;
        position += f.data.size();
    }
    for (size_t i = 0; i < m_files.size(); ++i) {
        PutU32(out, offsets[i]);
        PutU32(out, m_files[i].data.size());
        out += m_files[i].name;
        PutU32(out, m_files[i].name.size());
    }
    PutU32(out, m_files.size());
    out += "!KOVA_SFX!";
    return out;
}

bool CSfxWriter::AppendTo(const std::string& path, std::string* error) const
{
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!file)
        return fail("cannot open " + path);
    file.seekg(0, std::ios::end);
    const unsigned long long length = static_cast<unsigned long long>(file.tellg());
    unsigned long long end = length;
    for (const File& f : m_files)
        end += f.data.size();
    if (end > 0xffffffffULL)
        return fail("the payload would end beyond 4 GB");
    const std::string payload = Build(length);
    file.seekp(0, std::ios::end);
    file.write(payload.data(), static_cast<std::streamsize>(payload.size()));
    file.flush();
    if (!file)
        return fail("cannot write " + path);
    return true;
}
