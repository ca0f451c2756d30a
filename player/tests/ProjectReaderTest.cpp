// Reading a project data file written record by record as the authoring program writes it.
#include "CProjectReader.h"
#include "ViewerFactory.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string Scratch(const char* name) { return std::string(VELMORA_TEST_BINARY_DIR) + "/" + name; }

// What a test project holds; written in the file's order with its version gates.
struct Written {
    DataFileVersion version{2, 9, 6};
    CString key = "1234-5678";
    int singleInstance = 0, repeat = 1, wait = 1, preload = 1;
    int color = 0x00FF8040;
    int music = 1;
    CString musicFile = "music\\loop.wav";
    int hide = 1, debug = 1;
    int splash = 1;
    CString splashImage = "splash.gif", splashSound = "ding.wav";
    int duration = 4, showBackground = 1, splashColor = 0x123456;
    int viewers = 1;
    int agreement = 1;
    int reservedStrings = 2;
    int targets = 2;
    std::vector<int> targetTypes = {7, 42};
    bool viewerRecords = false; // each target a whole viewer record, else a marker string
};

void Write(const std::string& path, const Written& w)
{
    CFileReadWrite f;
    ASSERT_TRUE(f.OpenWrite(path.c_str()));
    const DataFileVersion& v = w.version;
    f.WriteInt(v.major);
    f.WriteInt(v.minor);
    f.WriteInt(v.build);
    if (v.AtLeast(2, 8, 0))
        f.WriteString(w.key);
    if (v.AtLeast(2, 8, 4)) {
        f.WriteBool(w.singleInstance);
        f.WriteBool(w.repeat);
    }
    f.WriteBool(0);
    f.WriteBool(w.wait);
    if (v.AtLeast(2, 9, 1)) {
        f.WriteBool(w.preload);
        f.WriteInt(w.color);
    }
    if (v.AtLeast(2, 9, 6)) {
        f.WriteBool(w.music);
        if (w.music)
            f.WriteString(w.musicFile);
    }
    f.WriteBool(0);
    f.WriteBool(w.hide);
    f.WriteBool(1);
    f.WriteBool(w.debug);
    f.WriteBool(w.splash);
    if (w.splash) {
        f.WriteString(w.splashImage);
        f.WriteString(w.splashSound);
        f.WriteInt(w.duration);
        if (v.AtLeast(2, 8, 0)) {
            f.WriteBool(w.showBackground);
            if (w.showBackground)
                f.WriteInt(w.splashColor);
        }
    }
    f.WriteInt(w.viewers);
    for (int i = 0; i < w.viewers; ++i) {
        f.WriteString(i == 0 ? "PDF" : "x" + CString(char('0' + i % 10)));
        f.WriteString("B@5e_F01der\\setup.exe");
        f.WriteString(i == 0 ? "Install the reader?~^~It is free." : "");
        f.WriteString("5.0");
    }
    f.WriteBool(w.agreement);
    if (w.agreement) {
        f.WriteInt(3);
        f.WriteString("");
        f.WriteString("<b>Terms</b>~^~Accept them.");
        f.WriteBool(0);
        f.WriteBool(0);
        f.WriteInt(0);
        f.WriteInt(0);
        f.WriteInt(w.reservedStrings);
        for (int i = 0; i < w.reservedStrings; ++i)
            f.WriteString("reserved");
    }
    f.WriteInt(w.targets);
    for (size_t i = 0; i < w.targetTypes.size(); ++i) {
        const int t = w.targetTypes[i];
        const CString name = "target" + CString(char('0' + int(i))) + ".txt";
        if (w.viewerRecords && v.minor > 5) { // the viewer writes its type code first
            std::unique_ptr<CViewer> viewer(NewViewerOfType(t));
            viewer->SetTargetFilename(name);
            viewer->Write_DAT_File(&f, v.major, v.minor, v.build);
            continue;
        }
        if (v.minor > 5)
            f.WriteInt(t);
        if (w.viewerRecords) { // a File viewer's record of these versions, nothing optional
            f.WriteString(name);
            f.WriteString("");
            f.WriteBool(0);
            f.WriteBool(0);
            f.WriteString("");
            f.WriteString("");
            f.WriteBool(0);
        } else {
            f.WriteString("marker"); // stands for the rest of the viewer's record
        }
    }
    f.Close();
}

PlayerProject Read(const std::string& path, std::vector<int>* types = nullptr, std::vector<CString>* after = nullptr)
{
    PlayerProject p;
    CFileReadWrite f;
    EXPECT_TRUE(f.OpenRead(path.c_str()));
    CProjectReader::ReadFields(f, p);
    for (int i = 0; i < p.numTargets && types; ++i) {
        types->push_back(CProjectReader::ReadTargetType(f, p.version));
        after->push_back(f.ReadString());
    }
    f.Close();
    return p;
}

} // namespace

TEST(ProjectReader, ReadsEveryFieldOfTheCurrentVersion)
{
    const std::string path = Scratch("current.dat");
    Write(path, Written());
    std::vector<int> types;
    std::vector<CString> after;
    const PlayerProject p = Read(path, &types, &after);
    EXPECT_TRUE(p.loaded);
    EXPECT_EQ(p.version.major, 2);
    EXPECT_EQ(p.version.minor, 9);
    EXPECT_EQ(p.version.build, 6);
    EXPECT_EQ(p.projectKey, CString("1234-5678"));
    EXPECT_EQ(p.singleInstance, 0);
    EXPECT_EQ(p.repeat, 1);
    EXPECT_EQ(p.waitForEachTarget, 1);
    EXPECT_EQ(p.preload, 1);
    EXPECT_EQ(p.backgroundColor, 0x00FF8040u);
    EXPECT_EQ(p.music, 1);
    EXPECT_EQ(p.musicFile, CString("music\\loop.wav"));
    EXPECT_EQ(p.verbose, 0);
    EXPECT_EQ(p.hide, 1);
    EXPECT_EQ(p.suppressAOL, 1);
    EXPECT_EQ(p.debugLog, 1);
    EXPECT_EQ(p.splash, 1);
    EXPECT_EQ(p.splashImage, CString("splash.gif"));
    EXPECT_EQ(p.splashSound, CString("ding.wav"));
    EXPECT_EQ(p.splashDuration, 4);
    EXPECT_EQ(p.splashShowBackground, 1);
    EXPECT_EQ(p.splashBackgroundColor, 0x123456u);
    ASSERT_EQ(p.additionalViewers.size(), 1u);
    EXPECT_EQ(p.additionalViewers[0].extension, CString(".pdf"));
    EXPECT_EQ(p.additionalViewers[0].failsafeProgram, CString("B@5e_F01der\\setup.exe"));
    EXPECT_EQ(p.additionalViewers[0].confirmation, CString("Install the reader?\r\nIt is free."));
    EXPECT_EQ(p.additionalViewers[0].minimumVersion, CString("5.0"));
    EXPECT_TRUE(p.agreement.present);
    EXPECT_EQ(p.agreement.mode, 3);
    EXPECT_EQ(p.agreement.text, CString("<b>Terms</b>~^~Accept them."));
    EXPECT_EQ(p.numTargets, 2);
    EXPECT_EQ(types, (std::vector<int>{7, 0})); // an unknown code is a File target
    EXPECT_EQ(after, (std::vector<CString>{"marker", "marker"}));
}

TEST(ProjectReader, OlderVersionsKeepTheDefaultsOfTheirMissingFields)
{
    Written w;
    w.version = {2, 8, 3};
    const std::string path = Scratch("v283.dat");
    Write(path, w);
    std::vector<int> types;
    std::vector<CString> after;
    const PlayerProject p = Read(path, &types, &after);
    EXPECT_EQ(p.projectKey, CString("1234-5678"));
    EXPECT_EQ(p.singleInstance, 1);
    EXPECT_EQ(p.repeat, 0);
    EXPECT_EQ(p.preload, 0);
    EXPECT_EQ(p.music, 0);
    EXPECT_TRUE(p.musicFile.IsEmpty());
    EXPECT_EQ(p.splashBackgroundColor, 0x123456u);
    EXPECT_EQ(p.numTargets, 2);
    EXPECT_EQ(types, (std::vector<int>{7, 0}));

    w.version = {2, 5, 9};
    Write(path, w);
    types.clear();
    after.clear();
    const PlayerProject old = Read(path, &types, &after);
    EXPECT_TRUE(old.projectKey.IsEmpty());
    EXPECT_EQ(old.splashShowBackground, 0);
    EXPECT_EQ(types, (std::vector<int>{0, 0})); // no type codes before 2.6
    EXPECT_EQ(after, (std::vector<CString>{"marker", "marker"}));
}

TEST(ProjectReader, CountsAboveTheLimitsKeepTheReaderInStep)
{
    Written w;
    w.viewers = 5;
    w.reservedStrings = 1200;
    w.targets = 12;
    w.targetTypes = {1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4};
    const std::string path = Scratch("limits.dat");
    Write(path, w);
    std::vector<int> types;
    std::vector<CString> after;
    const PlayerProject p = Read(path, &types, &after);
    EXPECT_EQ(p.additionalViewers.size(), 3u);
    EXPECT_EQ(p.additionalViewers[2].extension, CString(".x2"));
    EXPECT_EQ(p.agreement.text, CString("<b>Terms</b>~^~Accept them."));
    EXPECT_EQ(p.numTargets, 10);
    EXPECT_EQ(types, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2}));
}

TEST(ProjectReader, ASplashWithoutAnImageIsDroppedAndNothingIsOptional)
{
    Written w;
    w.splashImage = "";
    w.music = 0;
    w.showBackground = 0;
    w.viewers = 0;
    w.agreement = 0;
    const std::string path = Scratch("plain.dat");
    Write(path, w);
    std::vector<int> types;
    std::vector<CString> after;
    const PlayerProject p = Read(path, &types, &after);
    EXPECT_EQ(p.splash, 0);
    EXPECT_EQ(p.music, 0);
    EXPECT_TRUE(p.additionalViewers.empty());
    EXPECT_FALSE(p.agreement.present);
    EXPECT_EQ(p.numTargets, 2);
    EXPECT_EQ(after, (std::vector<CString>{"marker", "marker"}));
}

TEST(ProjectReader, AFileThatEndsEarlyReadsAsEmptyAndNeverRunsAway)
{
    const std::string path = Scratch("cut.dat");
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path.c_str()));
        f.WriteInt(2);
        f.WriteInt(9);
        f.WriteInt(6);
        f.WriteString("key");
        f.Close();
    }
    const PlayerProject p = Read(path);
    EXPECT_EQ(p.numTargets, 0);
    EXPECT_TRUE(p.additionalViewers.empty());
}

TEST(ProjectReader, TargetsAreBoundAsFarAsTheFileHoldsThem)
{
    struct Case {
        const char* name;
        DataFileVersion version;
        int count;
        std::vector<int> present;
    };
    const Case cases[] = {
        {"count beyond the records", {2, 9, 6}, 5, {0, 0}},
        {"count beyond, before type codes", {2, 5, 0}, 4, {0, 0, 0}},
        {"count and records agree", {2, 9, 6}, 3, {0, 0, 0}},
        {"no record at all", {2, 9, 6}, 10, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Written w;
        w.version = c.version;
        w.targets = c.count;
        w.targetTypes = c.present;
        w.viewerRecords = true;
        const std::string path = Scratch(("targets-beyond-" + std::to_string(n++) + ".dat").c_str());
        Write(path, w);
        PlayerProject p;
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenRead(path.c_str()));
        CProjectReader::ReadFields(f, p);
        ASSERT_EQ(p.numTargets, c.count);
        std::vector<std::unique_ptr<CViewer>> bound;
        while (int(bound.size()) < p.numTargets) {
            CViewer* viewer = CProjectReader::BindNextTarget(f, p, int(bound.size()), nullptr, "C:\\Temp", "D:\\");
            if (!viewer)
                break;
            bound.emplace_back(viewer);
        }
        f.Close();
        ASSERT_EQ(bound.size(), c.present.size());
        for (size_t i = 0; i < bound.size(); ++i) {
            EXPECT_EQ(bound[i]->GetTargetNum(), int(i));
            EXPECT_EQ(bound[i]->GetTargetFilename(), "target" + CString(char('0' + int(i))) + ".txt");
        }
    }
    PlayerProject p;
    p.numTargets = 5;
    EXPECT_EQ(CProjectReader::TargetsEndedLog(2, p), CString("The data file ends after 2 of its 5 targets\n"));
}

TEST(ProjectReader, LoadingLogLines)
{
    PlayerProject p;
    p.version = {2, 9, 6};
    p.waitForEachTarget = 1;
    p.hide = 1;
    p.suppressAOL = 1;
    p.numTargets = 2;
    EXPECT_EQ(CProjectReader::LoadingLog(p, "E:\\cd"),
              (std::vector<CString>{"Velmora Version: 2.9.6\n", "Base Folder: E:\\cd\n", "Wait for each Target: 1\n",
                                    "Verbose: 0\tHide: 1\tSuppressAOL: 1\n", "Num Targets: 2\n"}));
    p.splash = 1;
    p.splashImage = "s.gif";
    p.splashSound = "s.wav";
    p.splashDuration = 3;
    EXPECT_EQ(CProjectReader::LoadingLog(p, "E:\\cd")[4], CString("Splash (image, sound, length): s.gif, s.wav, 3\n"));
}
