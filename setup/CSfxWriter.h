// Writes the payload that CSfxArchive reads: the files' data, one entry block per file and
// the trailer, appended to an existing executable. Plain C++ with no framework, so the
// build can run it as a host program in every tree.
#pragma once
#include <string>
#include <vector>

class CSfxWriter {
public:
    // Adds a file under the name it is stored as. Returns false (and adds nothing) for a
    // name the reader would refuse, or for more files than a payload holds.
    bool Add(const std::string& name, const std::string& data);
    bool AddFile(const std::string& name, const std::string& sourcePath);

    // The payload that follows an executable of executableLength bytes.
    std::string Build(unsigned long long executableLength) const;
    // Appends the payload to the file at path. False when it cannot be read or written
    // (or would place data beyond 4 GB); the error says why.
    bool AppendTo(const std::string& path, std::string* error = nullptr) const;

    size_t GetCount() const { return m_files.size(); }

private:
    struct File {
        std::string name;
        std::string data;
    };
    std::vector<File> m_files;
};
