// What tools/bench.sh times:
//   velmora_bench extract <archive> <folder>    every entry, with its path, into the folder
//   velmora_bench create <folder> <archive>     the folder's tree at level 6 (as zip -r -6)
//   velmora_bench decode <picture>              the picture decoded into a bitmap
//   velmora_bench resize <picture> <w> <h>      decoded and resized, bilinear
#include "CZipArchive.h"
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLFilterResizeBilinear.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int Extract(const char* archive, const char* folder)
{
    CZipArchive zip;
    zip.Open(archive, CZipArchive::zipOpenReadOnly);
    int failed = 0;
    for (int i = 0; i < zip.GetCount(); ++i)
        if (!zip.ExtractFile(static_cast<WORD>(i), folder))
            ++failed;
    zip.Close();
    return failed ? 1 : 0;
}

int Create(const char* folder, const char* archive)
{
    CZipArchive zip;
    zip.Open(archive, CZipArchive::zipCreate);
    const std::filesystem::path root(folder);
    const size_t rootLength = root.generic_string().size() + 1;
    int failed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string name = entry.path().generic_string().substr(rootLength);
        if (entry.is_directory())
            name += '/';
        if (!zip.AddNewFile(entry.path().c_str(), name.c_str(), 6))
            ++failed;
    }
    zip.Close();
    return failed ? 1 : 0;
}

int Decode(const char* picture, int width, int height)
{
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    decoder.DecodeFile(picture, &bmp);
    if (width > 0)
        bmp.ApplyFilter(PLFilterResizeBilinear(width, height));
    return bmp.GetWidth() > 0 ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "extract") == 0)
            return Extract(argv[2], argv[3]);
        if (argc == 4 && std::strcmp(argv[1], "create") == 0)
            return Create(argv[2], argv[3]);
        if (argc == 3 && std::strcmp(argv[1], "decode") == 0)
            return Decode(argv[2], 0, 0);
        if (argc == 5 && std::strcmp(argv[1], "resize") == 0)
            return Decode(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    } catch (CException* e) {
        std::fprintf(stderr, "velmora_bench: failed\n");
        e->Delete();
        return 1;
    } catch (...) {
        std::fprintf(stderr, "velmora_bench: failed\n");
        return 1;
    }
    std::fprintf(stderr, "usage: velmora_bench extract <archive> <folder> | create <folder> <archive> | "
                         "decode <picture> | resize <picture> <width> <height>\n");
    return 2;
}
