// velmora_sfx_append EXECUTABLE FILE...
// Appends the files, each stored under its base name, and the payload trailer to the
// executable. Run by the build on a linked installer program.
#include "CSfxWriter.h"
#include <cstdio>
#include <set>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s EXECUTABLE FILE...\n", argv[0]);
        return 2;
    }
    CSfxWriter writer;
    std::set<std::string> names;
    for (int i = 2; i < argc; ++i) {
        std::string path = argv[i];
        std::string name = path.substr(path.find_last_of("/\\") + 1);
        if (!names.insert(name).second) {
            std::fprintf(stderr, "%s: two files are named %s\n", argv[0], name.c_str());
            return 1;
        }
        if (!writer.AddFile(name, path)) {
            std::fprintf(stderr, "%s: cannot add %s (unreadable, a name a payload cannot hold, or too many files)\n",
                         argv[0], path.c_str());
            return 1;
        }
    }
    std::string error;
    if (!writer.AppendTo(argv[1], &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
