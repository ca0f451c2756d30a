// For fuzz targets that need files: a scratch folder of the running process (removed when
// it ends) and the input written to a file in it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

const std::string& FuzzScratchFolder();
// Writes the input to the named file in the scratch folder and returns its path.
std::string FuzzWriteInput(const char* name, const uint8_t* data, size_t size);
// Removes a file or folder under the scratch folder with all it holds, and makes it again
// as an empty folder when asked.
void FuzzClear(const std::string& path, bool makeFolder);
