// Viewer records in the project data file, written and read through the record file.
#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "CSlideShowViewer.h"
#include "CWebViewer.h"
#include "ViewerFactory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Reads a record file back independently of CFileReadWrite: tag and decoded value of each.
struct RawRecord {
    int tag;
    std::string text;
    long value;
};

std::vector<RawRecord> RawRecords(const std::string& path)
{
    static const char key[] = "Q7mv2RkP#w4z!Tn9-Hx*Ld3&s";
    std::vector<RawRecord> out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return out;
    int tag;
    while ((tag = std::fgetc(f)) != EOF) {
        const int lo = std::fgetc(f), hi = std::fgetc(f);
        const int length = lo | hi << 8;
        std::string payload;
        for (int i = 0; i < length; ++i)
            payload += static_cast<char>(std::fgetc(f));
        RawRecord r{ tag, "", 0 };
        if (tag == 2) {
            for (int i = 0; i < length; ++i)
                r.text += static_cast<char>(static_cast<unsigned char>(payload[i]) - static_cast<unsigned char>(key[i % 25]));
        } else {
            for (int i = 3; i >= 0; --i)
                r.value = r.value << 8 | static_cast<unsigned char>(payload[i]);
        }
        out.push_back(r);
    }
    std::fclose(f);
    return out;
}

class ViewerRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = std::string(VELMORA_TEST_BINARY_DIR) + "/"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    }
    void TearDown() override { std::remove(path_.c_str()); }

    // Writes the viewers' records, then a sentinel integer.
    void Write(std::vector<CViewer*> viewers, int major = 2, int minor = 9, int build = 6)
    {
        CFileReadWrite file;
        ASSERT_TRUE(file.OpenWrite(path_.c_str()));
        for (CViewer* v : viewers)
            v->Write_DAT_File(&file, major, minor, build);
        file.WriteInt(0x5e7);
        file.Close();
    }
    // Reads one target as the programs do: the type code, then the viewer of that type.
    std::unique_ptr<CViewer> ReadOne(CFileReadWrite& file, const char* baseFolder, int major = 2, int minor = 9,
                                     int build = 6)
    {
        const int type = file.ReadInt();
        std::unique_ptr<CViewer> v(NewViewerOfType(type));
        v->SetViewerType(type);
        v->SetProgramDirectory(baseFolder);
        v->Read_DAT_File(&file, major, minor, build);
        return v;
    }
    std::string path_;
};

void Configure(CViewer& v)
{
    v.SetLaunchTargetType(1);
    v.SetTargetFilename("docs\\manual.pdf");
    v.SetParameters("-page 3");
    v.SetWindowShowCmdWindow(2);
    v.SetTryAndForce(1);
    v.SetForceString1("\"C:\\Acro\\AcroRd32.exe\"");
    v.SetForceString2("C:\\Other\\reader.exe");
    v.SetHasFailsafeProgram(1);
    v.SetFailsafeProgPath("install\\setup.exe /q");
    v.SetTryTargetFirst(0);
    v.SetAlwaysRun(1);
    v.SetCheckVersion(1);
    v.SetVersionString("5.0.5");
    v.SetDisplayConfirmation(1);
    v.SetFailsafeConfMessage("First line\r\nSecond line \xe9\r\n");
    v.SetRebootMachine(1);
}

TEST_F(ViewerRecord, FullRecordReadsBackFieldByField)
{
    CFileViewer file;
    file.SetViewerType(CViewer::TypeFile);
    Configure(file);
    CFolderViewer folder;
    folder.SetViewerType(CViewer::TypeFolder);
    folder.SetProgramDirectory("D:\\Author\\CD\\");
    folder.SetTargetFilename("d:\\author\\cd\\Pictures\\2004");
    Write({ &file, &folder });

    CFileReadWrite reader;
    ASSERT_TRUE(reader.OpenRead(path_.c_str()));
    std::unique_ptr<CViewer> a = ReadOne(reader, "E:\\");
    std::unique_ptr<CViewer> b = ReadOne(reader, "E:\\");
    EXPECT_EQ(reader.ReadInt(), 0x5e7) << "the records end where they were written to end";

    EXPECT_NE(dynamic_cast<CFileViewer*>(a.get()), nullptr);
    EXPECT_EQ(a->GetLaunchTargetType(), 1);
    EXPECT_EQ(a->GetTargetFilename(), "docs\\manual.pdf");
    EXPECT_EQ(a->GetParameters(), "-page 3 /showCmdMIN") << "the suffix stays until Init";
    EXPECT_EQ(a->GetTryAndForce(), 1);
    EXPECT_EQ(a->GetForceString1(), "\"C:\\Acro\\AcroRd32.exe\"");
    EXPECT_EQ(a->GetForceString2(), "C:\\Other\\reader.exe");
    EXPECT_EQ(a->GetHasFailsafeProgram(), 1);
    EXPECT_EQ(a->GetFailsafeProgPath(), "install\\setup.exe /q");
    EXPECT_EQ(a->GetTryTargetFirst(), 0);
    EXPECT_EQ(a->GetAlwaysRun(), 1);
    EXPECT_EQ(a->GetCheckVersion(), 1);
    EXPECT_EQ(a->GetVersionString(), "5.0.5");
    EXPECT_EQ(a->GetDisplayConfirmation(), 1);
    EXPECT_EQ(a->GetFailsafeConfMessage(), "First line\r\nSecond line \xe9\r\n");
    EXPECT_EQ(a->GetRebootMachine(), 1);
    int major, minor, build;
    a->GetFileVersion(major, minor, build);
    EXPECT_EQ(major * 100 + minor * 10 + build, 296);

    EXPECT_NE(dynamic_cast<CFolderViewer*>(b.get()), nullptr);
    EXPECT_EQ(b->GetTargetFilename(), "E:\\Pictures\\2004") << "a folder below the base folder moves with it";

    const std::vector<RawRecord> raw = RawRecords(path_);
    ASSERT_GE(raw.size(), 20u);
    EXPECT_EQ(raw[15].text, "First line~^~Second line \xe9~^~");
    EXPECT_EQ(raw[17].tag, 1);
    EXPECT_EQ(raw[17].value, 1);
    EXPECT_EQ(raw[19].text, "B@5e_F01der\\Pictures\\2004");
}

TEST_F(ViewerRecord, RecordLayout)
{
    CFileViewer v;
    v.SetTargetFilename("readme.txt");
    v.SetWindowShowCmdWindow(1);
    Write({ &v });
    const std::vector<RawRecord> raw = RawRecords(path_);
    // Type, launch type, file, parameters, reserved, force flag and programs, failsafe flag.
    const int tags[] = { 1, 1, 2, 2, 0, 0, 2, 2, 0, /* sentinel */ 1 };
    ASSERT_EQ(raw.size(), 10u);
    for (size_t i = 0; i < raw.size(); ++i)
        EXPECT_EQ(raw[i].tag, tags[i]) << "record " << i;
    EXPECT_EQ(raw[0].value, 0);
    EXPECT_EQ(raw[2].text, "readme.txt");
    EXPECT_EQ(raw[3].text, " /showCmdMAX");
    EXPECT_EQ(raw[8].value, 0);
}

TEST_F(ViewerRecord, VersionGatesAndFailsafeConditions)
{
    CFileViewer v;
    Configure(v);
    v.SetCheckVersion(0);
    v.SetDisplayConfirmation(0);
    Write({ &v }, 2, 8, 3);
    const std::vector<RawRecord> raw = RawRecords(path_);
    // No launch type before 2.8.4; no version string nor message when their flags are off.
    ASSERT_EQ(raw.size(), 15u);
    EXPECT_EQ(raw[1].text, "docs\\manual.pdf");

    CFileReadWrite reader;
    ASSERT_TRUE(reader.OpenRead(path_.c_str()));
    std::unique_ptr<CViewer> back = ReadOne(reader, "D:\\", 2, 8, 3);
    EXPECT_EQ(back->GetLaunchTargetType(), 0) << "older files open every time";
    EXPECT_EQ(back->GetVersionString(), "");
    EXPECT_EQ(back->GetFailsafeConfMessage(),
              "This product requires additional software to be installed. Do you wish to proceed with the installation?");
    EXPECT_EQ(back->GetRebootMachine(), 1);
    EXPECT_EQ(reader.ReadInt(), 0x5e7);
}

TEST_F(ViewerRecord, WithoutFailsafeTheRecordEndsAfterItsFlag)
{
    CFileViewer v;
    Configure(v);
    v.SetHasFailsafeProgram(0);
    Write({ &v });
    CFileReadWrite reader;
    ASSERT_TRUE(reader.OpenRead(path_.c_str()));
    std::unique_ptr<CViewer> back = ReadOne(reader, "D:\\");
    EXPECT_EQ(back->GetHasFailsafeProgram(), 0);
    EXPECT_EQ(back->GetFailsafeProgPath(), "");
    EXPECT_EQ(back->GetTryTargetFirst(), 1);
    EXPECT_EQ(reader.ReadInt(), 0x5e7);
}

TEST(ViewerTypes, UnknownCodesGiveFileViewers)
{
    for (int type : { 0, 8, -1, 1000 }) {
        std::unique_ptr<CViewer> v(NewViewerOfType(type));
        EXPECT_NE(dynamic_cast<CFileViewer*>(v.get()), nullptr) << type;
    }
    std::unique_ptr<CViewer> folder(NewViewerOfType(1));
    EXPECT_NE(dynamic_cast<CFolderViewer*>(folder.get()), nullptr);
    std::unique_ptr<CViewer> web(NewViewerOfType(2));
    EXPECT_NE(dynamic_cast<CWebViewer*>(web.get()), nullptr);
    std::unique_ptr<CViewer> show(NewViewerOfType(6));
    EXPECT_NE(dynamic_cast<CSlideShowViewer*>(show.get()), nullptr);
}

TEST(ViewerSettings, DefaultsAndSetEqual)
{
    CFileViewer source;
    EXPECT_EQ(source.GetTryTargetFirst(), 1);
    EXPECT_EQ(source.GetDisplayConfirmation(), 1);
    EXPECT_EQ(source.GetTimerId(), -1);
    EXPECT_EQ(source.GetLog(), "");
    Configure(source);
    source.SetTestMode(true);
    source.SetSuppressAOL(1);
    source.SetVerbose(1);
    source.SetSplash(1);
    source.SetHide(1);
    source.SetTargetNum(4);
    source.SetRegConfString("CorvexVelmora.pdf");
    source.SetViewerType(0);
    source.SetTempPath("C:\\Temp");
    source.SetProjectRegistryKey("1-2-3");
    source.SetTargetFileExtension(".pdf");
    source.SetTargetFileAndPath("D:\\docs\\manual.pdf");
    source.SetProgramDirectory("D:\\");
    ProcessInfo_Tag p;
    p.ProcessName = "AcroRd32.exe";
    p.ProcessPath = "C:\\Acro\\AcroRd32.exe";
    p.ProcessID = 0x44;
    p.hWnd = reinterpret_cast<HWND>(0x99);
    source.SetTargetProcess(p);
    source.SetFailsafeProcess(p);
    source.SetRegViewerLocation("\"C:\\Acro\\AcroRd32.exe\" \"%1\"");
    source.SetRegTargetDescription("PDF File");
    source.SetRegViewerVersion("5.0.5.0");
    source.SetWaitingOnFailsafe(1);

    CFileViewer copy;
    copy.SetEqual(&source);
    EXPECT_TRUE(copy.GetTestMode());
    EXPECT_EQ(copy.GetSuppressAOL() + copy.GetVerbose() + copy.GetSplash() + copy.GetHide(), 4);
    EXPECT_EQ(copy.GetTargetNum(), 4);
    EXPECT_EQ(copy.GetRegConfString(), "CorvexVelmora.pdf");
    EXPECT_EQ(copy.GetProjectRegistryKey(), "1-2-3");
    EXPECT_EQ(copy.GetLaunchTargetType(), 1);
    EXPECT_EQ(copy.GetTargetFilename(), "docs\\manual.pdf");
    EXPECT_EQ(copy.GetTargetFileExtension(), ".pdf");
    EXPECT_EQ(copy.GetParameters(), "-page 3");
    EXPECT_EQ(copy.GetWindowShowCmdWindow(), 2);
    EXPECT_EQ(copy.GetTargetFileAndPath(), "D:\\docs\\manual.pdf");
    EXPECT_EQ(copy.GetProgramDirectory(), "D:\\");
    EXPECT_EQ(copy.GetTargetProcess().ProcessID, 0x44u);
    EXPECT_EQ(copy.GetTargetProcess().ProcessName, "AcroRd32.exe");
    EXPECT_EQ(copy.GetTargetProcess().hWnd, nullptr) << "window handles are not copied";
    EXPECT_EQ(copy.GetFailsafeProcess().ProcessPath, "C:\\Acro\\AcroRd32.exe");
    EXPECT_EQ(copy.GetFailsafeProcess().hWnd, nullptr);
    EXPECT_EQ(copy.GetRegViewerLocation(), "\"C:\\Acro\\AcroRd32.exe\" \"%1\"");
    EXPECT_EQ(copy.GetRegTargetDescription(), "PDF File");
    EXPECT_EQ(copy.GetRegViewerVersion(), "5.0.5.0");
    EXPECT_EQ(copy.GetTryAndForce(), 1);
    EXPECT_EQ(copy.GetForceString2(), "C:\\Other\\reader.exe");
    EXPECT_EQ(copy.GetFailsafeProgPath(), "install\\setup.exe /q");
    EXPECT_EQ(copy.GetWaitingOnFailsafe(), 1);
    EXPECT_EQ(copy.GetVersionString(), "5.0.5");
    EXPECT_EQ(copy.GetFailsafeConfMessage(), source.GetFailsafeConfMessage());
    EXPECT_EQ(copy.GetRebootMachine(), 1);
    EXPECT_EQ(copy.GetTempPath(), "") << "the temporary folder belongs to the running program";
}

TEST(ViewerSettings, InitTakesTheShowCommandOffAndLogs)
{
    struct Case { const char* parameters; const char* left; int show; };
    const Case cases[] = {
        { " -x /showCmdMAX", " -x", 1 },
        { " /showCmdMIN", "", 2 },
        { "-a", "-a", 0 },
    };
    for (const Case& c : cases) {
        CFileViewer v;
        v.SetTargetFilename("nothing.vlm-none");
        v.SetParameters(c.parameters);
        v.SetWindowShowCmdWindow(2);
        EXPECT_EQ(v.GetParameters(), c.parameters);
        v.Init();
        EXPECT_EQ(v.GetParameters(), c.left);
        EXPECT_EQ(v.GetWindowShowCmdWindow(), c.show);
        EXPECT_EQ(v.GetRegConfString(), "CorvexVelmora.vlm-none");
        EXPECT_EQ(v.GetLog().Find("\n** Target #0 **\n"), 0);
        EXPECT_GE(v.GetLog().Find("\nFilename: nothing.vlm-none\nFileExtension: .vlm-none\n"), 0);
    }
    CFileViewer additional;
    additional.SetTargetFileExtension(".vlm-none");
    additional.SetTargetNum(2);
    additional.Init();
    EXPECT_EQ(additional.GetLog().Find("\n** Additional Viewer #2 **\n"), 0);
}

TEST(ViewerSettings, LogIsBoundedAndCleared)
{
    CFileViewer v;
    v.SetTargetFilename(CString('x', 20000) + ".vlm-none");
    for (int i = 0; i < 3; ++i)
        v.Init();
    EXPECT_EQ(v.GetLog().GetLength(), CViewer::LogSize - 1);
    v.ClearLog();
    EXPECT_EQ(v.GetLog(), "");
}

}
