// The cabinet extractor over the system's FDI, on cabinets made by gcab (and checked by
// cabextract) and on a cabinet set made by the system's FCI.
#include "CCabExtractor.h"
#include "TestFiles.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace testfiles;

namespace {

const std::string kBin = VELMORA_TEST_BINARY_DIR;
const std::string kCabs = kBin + "\\cabs";
const std::string kSet = kBin + "\\cabset";

std::string Cab(const char* name) { return kCabs + "\\" + name; }

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA d;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(d.cFileName) != "." && std::string(d.cFileName) != "..")
            names.push_back(d.cFileName);
    } while (::FindNextFileA(h, &d));
    ::FindClose(h);
    return names;
}

std::string Target(const std::string& name)
{
    return ScratchFolder("cab\\" + name);
}

} // namespace

TEST(CabExtractor, StoredAndMszipCabinetsUnpackByteForByte)
{
    for (const char* cab : {"stored.cab", "mszip.cab"}) {
        const std::string target = Target(cab);
        CCabExtractor x;
        FDICABINETINFO info = {};
        ASSERT_TRUE(x.IsCabinet(Cab(cab).c_str(), &info)) << cab;
        EXPECT_EQ(info.cFiles, 2) << cab;
        EXPECT_FALSE(info.hasnext) << cab;
        x.SetTargetFolder(target.c_str());
        EXPECT_STREQ(x.GetTargetFolder(), (target + "\\").c_str());
        ASSERT_TRUE(x.Extract(Cab(cab).c_str(), true)) << cab;
        EXPECT_TRUE(ReadFile(target + "\\small.txt") == ReadFile(kCabs + "\\src\\small.txt")) << cab;
        EXPECT_TRUE(ReadFile(target + "\\data.bin") == ReadFile(kCabs + "\\src\\data.bin")) << cab;
        EXPECT_EQ(x.GetLastError(), 0);
    }
}

// Cabinets that must not unpack: nothing of them stays in the target, nothing is written
// outside it.
TEST(CabExtractor, FailedExtractionsLeaveNothingBehind)
{
    struct Case {
        const char* cab;
        bool isCabinet;
    } cases[] = {
        {"notcab.cab", false}, // refused before FDICopy
        {"cut.cab", true},     // FDI fails half way into data.bin
        {"flipped.cab", true}, // a data block fails its checksum
        {"evil.cab", true},    // "..\evil.txt" is refused by the handler
        {"folders.cab", true}, // its subfolder is missing
    };
    for (const Case& c : cases) {
        const std::string parent = Target(std::string(c.cab) + ".parent");
        const std::string target = parent + "\\target";
        ASSERT_TRUE(::CreateDirectoryA(target.c_str(), nullptr));
        CCabExtractor x;
        EXPECT_EQ(x.IsCabinet(Cab(c.cab).c_str()), c.isCabinet) << c.cab;
        x.SetTargetFolder(target.c_str());
        EXPECT_FALSE(x.Extract(Cab(c.cab).c_str(), true)) << c.cab;
        EXPECT_EQ(FilesIn(target), std::vector<std::string>()) << c.cab;
        EXPECT_EQ(FilesIn(parent), std::vector<std::string>{"target"}) << c.cab;
    }
}

TEST(CabExtractor, FolderNamesNeedTheFolder)
{
    const std::string target = Target("folders");
    CCabExtractor x;
    x.SetTargetFolder(target.c_str());
    EXPECT_FALSE(x.Extract(Cab("folders.cab").c_str(), true));
    EXPECT_EQ(x.GetErf().erfOper, FDIERROR_USER_ABORT);
    ASSERT_TRUE(::CreateDirectoryA((target + "\\sub").c_str(), nullptr));
    ASSERT_TRUE(x.Extract(Cab("folders.cab").c_str(), true));
    EXPECT_TRUE(ReadFile(target + "\\sub\\inner.txt") == ReadFile(kCabs + "\\src\\sub\\inner.txt"));
    EXPECT_TRUE(ReadFile(target + "\\small.txt") == ReadFile(kCabs + "\\src\\small.txt"));
}

TEST(CabExtractor, ALongerFileAtTheDestinationIsReplaced)
{
    const std::string target = Target("leftover");
    WriteFile(target + "\\short.txt", "an older file of 38 bytes, much longer");
    ::SetFileAttributesA((target + "\\short.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    CCabExtractor x;
    x.SetTargetFolder(target.c_str());
    ASSERT_TRUE(x.Extract(Cab("short.cab").c_str(), false));
    EXPECT_EQ(ReadFile(target + "\\short.txt"), "15 bytes long.\n");
}

TEST(CabExtractor, DateTimeAndAttributes)
{
    // The stored date, time and attributes, read from the cabinet's file entry.
    const std::string cab = ReadFile(Cab("attrs.cab"));
    const size_t name = cab.find("attr.txt");
    ASSERT_NE(name, std::string::npos);
    auto u16 = [&cab](size_t at) {
        return static_cast<WORD>(static_cast<unsigned char>(cab[at]) | (static_cast<unsigned char>(cab[at + 1]) << 8));
    };
    const WORD date = u16(name - 6), time = u16(name - 4);
    ASSERT_EQ(u16(name - 2), 0x67);

    const std::string target = Target("attrs");
    for (int run = 0; run < 2; ++run) { // the second run replaces the read-only file
        CCabExtractor x;
        x.SetTargetFolder(target.c_str());
        ASSERT_TRUE(x.Extract(Cab("attrs.cab").c_str(), true)) << run;
        const std::string path = target + "\\attr.txt";
        EXPECT_EQ(::GetFileAttributesA(path.c_str()), 0x27u) << run;
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME created, written, local;
        ASSERT_TRUE(::GetFileTime(h, &created, nullptr, &written));
        ::CloseHandle(h);
        for (FILETIME* ft : {&created, &written}) {
            WORD d = 0, t = 0;
            ASSERT_TRUE(::FileTimeToLocalFileTime(ft, &local));
            ASSERT_TRUE(::FileTimeToDosDateTime(&local, &d, &t));
            EXPECT_EQ(d, date);
            EXPECT_EQ(t, time);
        }
    }
    ::SetFileAttributesA((target + "\\attr.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

namespace {

// Follows a set whose next cabinet lies elsewhere, or refuses it.
class SetExtractor : public CCabExtractor {
public:
    std::string elsewhere; // empty: leave the path as it is
    bool accept = true;
    int asked = 0; // times asked for a missing cabinet
    bool OnNextCabinet(const char*, const char*, CPathName& cabinetPath, FDIERROR error) override
    {
        // FDI tells of every next cabinet it goes on to; only a missing one comes with an error.
        if (error == FDIERROR_NONE)
            return true;
        ++asked;
        if (!elsewhere.empty())
            cabinetPath.SetPath((elsewhere + "\\").c_str());
        return accept;
    }
};

void ExpectSetFiles(const std::string& target)
{
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "file" + std::to_string(i) + ".bin";
        EXPECT_TRUE(ReadFile(target + "\\" + name) == ReadFile(kSet + "\\src\\" + name)) << name;
    }
}

int CountSetCabinets()
{
    int n = 0;
    while (Exists(kSet + "\\set" + std::to_string(n + 1) + ".cab"))
        ++n;
    return n;
}

} // namespace

TEST(CabExtractor, ACabinetSetUnpacksWhole)
{
    const int cabinets = CountSetCabinets();
    ASSERT_GE(cabinets, 3);
    const std::string target = Target("set");
    CCabExtractor x;
    FDICABINETINFO info = {};
    ASSERT_TRUE(x.IsCabinet((kSet + "\\set1.cab").c_str(), &info));
    x.SetTargetFolder(target.c_str());
    ASSERT_TRUE(x.Extract((kSet + "\\set1.cab").c_str(), true));
    ExpectSetFiles(target);
    EXPECT_EQ(FilesIn(target).size(), 5u);
}

TEST(CabExtractor, AMissingCabinetOfASet)
{
    const int cabinets = CountSetCabinets();
    ASSERT_GE(cabinets, 3);
    // A copy of the set with its last cabinet moved to another folder.
    const std::string partial = Target("set_partial");
    const std::string other = Target("set_other");
    for (int i = 1; i <= cabinets; ++i) {
        const std::string name = "\\set" + std::to_string(i) + ".cab";
        ASSERT_TRUE(::CopyFileA((kSet + name).c_str(), ((i == cabinets ? other : partial) + name).c_str(), FALSE));
    }
    struct Case {
        const char* what;
        std::string elsewhere;
        bool accept;
        bool result;
        int error;
    } cases[] = {
        {"handler changes nothing", "", true, false, CCabExtractor::errorCabinetNotFound},
        {"handler refuses", "", false, false, CCabExtractor::errorAborted},
        {"handler finds it elsewhere", other, true, true, 0},
    };
    for (const Case& c : cases) {
        const std::string target = Target(std::string("set_missing_") + std::to_string(&c - cases));
        SetExtractor x;
        x.elsewhere = c.elsewhere;
        x.accept = c.accept;
        x.SetTargetFolder(target.c_str());
        EXPECT_EQ(x.Extract((partial + "\\set1.cab").c_str(), true), c.result)
            << c.what << ": error " << x.GetLastError() << ", FDI " << x.GetErf().erfOper << ", asked " << x.asked;
        // Asked once for the gap, or twice when FDI met it inside a spanning file first.
        EXPECT_GE(x.asked, 1) << c.what;
        EXPECT_LE(x.asked, 2) << c.what;
        if (!c.result) {
            EXPECT_EQ(FilesIn(target), std::vector<std::string>()) << c.what;
            EXPECT_EQ(x.GetLastError(), c.error) << c.what;
            EXPECT_EQ(x.IsCancelled(), !c.accept) << c.what;
        } else {
            ExpectSetFiles(target);
        }
    }
}
