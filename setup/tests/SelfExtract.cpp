// sfx_selftest OUTPUT SOURCES: a program that the build gives a payload (a Data1.cab with
// an installation list and its files, and one more file). It extracts its own payload,
// unpacks the cabinet (on Windows), reads the list and compares everything with SOURCES.
// Exit status 0 when all matches.
#include "CInstallList.h"
#include "CSfxArchive.h"
#include "TestFiles.h"
#ifdef _WIN32
#include "CCabExtractor.h"
#endif
#include <cstdio>
#include <string>

using namespace testfiles;

namespace {

int g_failures = 0;

void Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++g_failures;
    }
}

void SameFile(const std::string& a, const std::string& b)
{
    Check(Exists(a) && ReadFile(a) == ReadFile(b), a + " differs from " + b);
}

void Count(const CSfxEntry&, void* context)
{
    ++*static_cast<int*>(context);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: sfx_selftest OUTPUT SOURCES\n");
        return 2;
    }
    const std::string out = argv[1], src = argv[2];
    CSfxArchive archive;
    int calls = 0;
    const unsigned short result = archive.ExtractAll(out.c_str(), Count, &calls);
    Check(result == CSfxArchive::success, "Extract all returned " + std::to_string(result));
    Check(archive.GetCount() == 2 && calls == 2, "two entries, one callback each");
    SameFile(Join(out, "extra.txt"), Join(src, "extra.txt"));
    Check(Exists(Join(out, "Data1.cab")), "Data1.cab extracted");
#ifdef _WIN32
    CCabExtractor cab;
    cab.SetTargetFolder(out.c_str());
    Check(cab.Extract((out + "\\Data1.cab").c_str(), true), "Data1.cab unpacked");
    CInstallList list;
    CString message;
    Check(list.Read(out.c_str(), &message), std::string("list read: ") + message.c_str());
    Check(list.menuCount == 1 && list.fileCount == 4, "one menu record and 2 + 2 file records");
    SameFile(Join(out, "tocFile.ext"), Join(src, "tocFile.ext"));
    for (int i = 0; i < list.fileCount - 2; ++i)
        SameFile(Join(out, list.files[i].field1), Join(src, list.files[i].field1));
#endif
    if (g_failures == 0)
        std::printf("the payload extracted and matched its sources\n");
    return g_failures == 0 ? 0 : 1;
}
