// Scratch folders and whole-file reads and writes for the installer's tests.
#pragma once
#include <string>

namespace testfiles {

// A fresh, empty folder under the test's build folder (no trailing separator).
std::string ScratchFolder(const std::string& name);
std::string Join(const std::string& folder, const std::string& name);
void WriteFile(const std::string& path, const std::string& data);
// The whole file; an empty string when it cannot be read.
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

} // namespace testfiles
