// Fuzz target: any bytes opened as a zip archive, every entry listed and extracted into a
// scratch folder, which is emptied after each input. Nothing may be written beside that
// folder, whatever the entries' names.
#include "CZipArchive.h"
#include "CZipException.h"
#include "CZipFileHeader.h"
#include "CZipMemFile.h"
#include "FuzzScratch.h"
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu)
        return 0;
    static const std::string box = FuzzScratchFolder() + "/box";
    static const std::string out = box + "/out";
    FuzzClear(out, true);
    CZipMemFile memory;
    memory.Write(data, UINT(size));
    memory.Seek(0, CZipAbstractFile::begin);
    CZipArchive zip;
    try {
        zip.Open(memory, CZipArchive::zipOpenReadOnly);
        for (int i = 0; i < zip.GetCount(); ++i) {
            CZipFileHeader info;
            zip.GetFileInfo(info, WORD(i));
            zip.ExtractFile(WORD(i), out.c_str());
        }
        zip.Close();
    } catch (CZipException* e) {
        e->Delete();
        zip.Close(CZipArchive::afAfterException);
    } catch (CFileException* e) {
        e->Delete();
        zip.Close(CZipArchive::afAfterException);
    }
    int beside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(box)) {
        (void)entry;
        ++beside;
    }
    if (beside != 1)
        std::abort(); // an entry was written outside the extraction folder
    FuzzClear(out, false);
    return 0;
}
