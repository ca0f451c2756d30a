// What the player makes of a project data file written by the project's own writer: every
// field as the player uses it, files of any version, and the debug log's lines.
#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CProjectReader.h"
#include "ViewerFactory.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Scratch(const char* name) { return std::string(VELMORA_TEST_BINARY_DIR) + "/" + name; }

// Plain viewers for the targets; remembers the order of the calls.
class Binder : public CProjectTargetBinder {
public:
    void FieldsRead(CProjectData& project) override { calls.push_back("fields " + std::to_string(project.GetTargetCount())); }
    CViewer* NewTarget(int type, int index, const CProjectData&) override
    {
        calls.push_back("new " + std::to_string(type) + " #" + std::to_string(index));
        return PrepareViewer(type, nullptr, index, "C:\\Temp", "E:\\", "key");
    }
    void TargetRead(CViewer& viewer, int index) override
    {
        calls.push_back("read #" + std::to_string(index) + " " + viewer.GetTargetFilename().c_str());
    }
    std::vector<std::string> calls;
};

// A project with every optional block, a File and a Folder target.
void Fill(CProjectData& p)
{
    p.ProjectKey = "1234-5678";
    p.SingleInstance = 0;
    p.Repeat = 1;
    p.PreloadTargets = 1;
    p.PreloadColour = 0x00FF8040;
    p.BackgroundMusic = 1;
    p.MusicFile = "music\\loop.wav";
    p.HidePlayer = 1;
    p.DebugLog = 1;
    p.Splash = 1;
    p.SplashImage = "splash.gif";
    p.SplashSound = "ding.wav";
    p.SplashDuration = "4";
    p.SplashBackground = 1;
    p.SplashColour = 0x123456;
    p.AdditionalViewerChecking = 1;
    p.AdditionalViewers.push_back({"PDF", "B@5e_F01der\\setup.exe", "Install the reader?\r\nIt is free.", "5.0"});
    p.Agreement = 1;
    p.AgreementText = "<b>Terms</b>~^~Accept them.";
    CFileViewer* file = new CFileViewer;
    file->SetTargetFilename("a.exe");
    p.AddTarget(file);
    CFolderViewer* folder = new CFolderViewer;
    folder->SetViewerType(CViewer::TypeFolder);
    folder->SetTargetFilename("E:\\cd\\docs");
    p.AddTarget(folder);
}

void ReadInto(const std::string& path, CProjectData& p, Binder& binder)
{
    CFileReadWrite f;
    ASSERT_TRUE(f.OpenRead(path.c_str()));
    CProjectReader::Read(f, p, binder);
    f.Close();
}

} // namespace

TEST(ProjectReader, ReadsEveryFieldOfTheCurrentVersion)
{
    const std::string path = Scratch("current.dat");
    {
        CProjectData w;
        Fill(w);
        ASSERT_TRUE(w.Write(path.c_str(), "E:\\cd"));
    }
    CProjectData p;
    Binder binder;
    ReadInto(path, p, binder);
    EXPECT_EQ(p.Major * 100 + p.Minor * 10 + p.Build, 296);
    EXPECT_EQ(p.ProjectKey, CString("1234-5678"));
    EXPECT_EQ(p.SingleInstance, 0);
    EXPECT_EQ(p.Repeat, 1);
    EXPECT_EQ(p.WaitForEachTarget, 1);
    EXPECT_EQ(p.PreloadTargets, 1);
    EXPECT_EQ(p.PreloadColour, 0x00FF8040u);
    EXPECT_EQ(p.BackgroundMusic, 1);
    EXPECT_EQ(p.MusicFile, CString("music\\loop.wav"));
    EXPECT_EQ(p.Verbose, 0);
    EXPECT_EQ(p.HidePlayer, 1);
    EXPECT_EQ(p.SuppressAOL, 1);
    EXPECT_EQ(p.DebugLog, 1);
    EXPECT_TRUE(CProjectReader::ShowsSplash(p));
    EXPECT_EQ(p.SplashImage, CString("splash.gif"));
    EXPECT_EQ(p.SplashSound, CString("ding.wav"));
    EXPECT_EQ(p.SplashDuration, CString("4"));
    EXPECT_EQ(p.SplashBackground, 1);
    EXPECT_EQ(p.SplashColour, 0x123456u);
    ASSERT_EQ(p.AdditionalViewers.size(), 1u);
    EXPECT_EQ(CProjectReader::Extension(p.AdditionalViewers[0]), CString(".pdf"));
    EXPECT_EQ(p.AdditionalViewers[0].InstallerPath, CString("B@5e_F01der\\setup.exe"));
    EXPECT_EQ(p.AdditionalViewers[0].Confirmation, CString("Install the reader?\r\nIt is free."));
    EXPECT_EQ(p.AdditionalViewers[0].MinimumVersion, CString("5.0"));
    EXPECT_EQ(p.Agreement, 1);
    EXPECT_EQ(p.AgreementMode, 3);
    EXPECT_EQ(p.AgreementText, CString("<b>Terms</b>~^~Accept them."));
    EXPECT_EQ(p.StoredTargetCount, 2);
    // The fields come first, then each target is made, read and handed on in turn.
    EXPECT_EQ(binder.calls, (std::vector<std::string>{"fields 0", "new 0 #0", "read #0 a.exe", "new 1 #1",
                                                      "read #1 E:\\docs"}));
    ASSERT_EQ(p.GetTargetCount(), 2);
    EXPECT_EQ(p.GetTarget(1)->GetViewerType(), 1);
}

TEST(ProjectReader, OlderThanTheOldestOpenedIsStillPlayed)
{
    const std::string path = Scratch("v249.dat");
    {
        CFileReadWrite f;
        ASSERT_TRUE(f.OpenWrite(path.c_str()));
        f.WriteInt(2); f.WriteInt(4); f.WriteInt(9);
        f.WriteBool(0); f.WriteBool(1);                     // reserved, wait
        for (int i = 0; i < 5; ++i)
            f.WriteBool(i == 1);                            // verbose, hide, AOL, debug, splash
        f.WriteInt(0);
        f.WriteBool(0);
        f.WriteInt(1);
        f.WriteString("old.exe");                           // a File record of its time, no type code
        f.WriteString(""); f.WriteBool(0); f.WriteBool(0); f.WriteString(""); f.WriteString(""); f.WriteBool(0);
        f.Close();
    }
    CProjectData p;
    Binder binder;
    ReadInto(path, p, binder);
    EXPECT_EQ(p.HidePlayer, 1);
    EXPECT_EQ(p.WaitForEachTarget, 1);
    ASSERT_EQ(p.GetTargetCount(), 1);
    EXPECT_EQ(p.GetTarget(0)->GetTargetFilename(), CString("old.exe"));
}

TEST(ProjectReader, ASplashWithoutAnImageIsNotShown)
{
    CProjectData p;
    p.Splash = 1;
    EXPECT_FALSE(CProjectReader::ShowsSplash(p));
    p.SplashImage = "s.gif";
    EXPECT_TRUE(CProjectReader::ShowsSplash(p));
    p.Splash = 0;
    EXPECT_FALSE(CProjectReader::ShowsSplash(p));
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
    CProjectData p;
    Binder binder;
    ReadInto(path, p, binder);
    EXPECT_EQ(p.StoredTargetCount, 0);
    EXPECT_EQ(p.GetTargetCount(), 0);
    EXPECT_TRUE(p.AdditionalViewers.empty());
}

TEST(ProjectReader, LoadingLogLines)
{
    CProjectData p;
    p.WaitForEachTarget = 1;
    p.HidePlayer = 1;
    p.SuppressAOL = 1;
    p.StoredTargetCount = 2;
    EXPECT_EQ(CProjectReader::LoadingLog(p, "E:\\cd"),
              (std::vector<CString>{"Velmora Version: 2.9.6\n", "Base Folder: E:\\cd\n", "Wait for each Target: 1\n",
                                    "Verbose: 0\tHide: 1\tSuppressAOL: 1\n", "Num Targets: 2\n"}));
    p.Splash = 1;
    p.SplashImage = "s.gif";
    p.SplashSound = "s.wav";
    p.SplashDuration = "3";
    EXPECT_EQ(CProjectReader::LoadingLog(p, "E:\\cd")[4], CString("Splash (image, sound, length): s.gif, s.wav, 3\n"));
}
