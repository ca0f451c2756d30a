// Fuzz target: any bytes read as a record file, flags, integers and strings in turn, until
// the file ends. Every read takes at least a record header, so the loop ends.
#include "CFileReadWrite.h"
#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = FuzzWriteInput("records", data, size);
    CFileReadWrite file;
    if (!file.OpenRead(path.c_str()))
        return 0;
    for (int i = 0; file.IsOK(); ++i) {
        switch (i % 3) {
        case 0: file.ReadString(); break;
        case 1: file.ReadInt(); break;
        default: file.ReadBool(); break;
        }
    }
    file.Close();
    return 0;
}
