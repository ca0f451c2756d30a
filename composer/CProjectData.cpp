#include "CProjectData.h"

#include "DataFileVersion.h"
#include "ViewerFactory.h"

#include <cstdlib>
#include <random>

namespace {

const char kLineBreakMark[] = "~^~";

CString Stored(CString text)
{
    text.Replace("\r\n", kLineBreakMark);
    return text;
}

CString Restored(CString text)
{
    text.Replace(kLineBreakMark, "\r\n");
    return text;
}

}

CProjectData::CProjectData()
    : Major(DataFileMajor), Minor(DataFileMinor), Build(DataFileBuild), SingleInstance(1), Repeat(0),
      WaitForEachTarget(1), PreloadTargets(0), PreloadColour(0), BackgroundMusic(0), HidePlayer(0), DebugLog(0),
      Splash(0), SplashBackground(0), SplashColour(0), AdditionalViewerChecking(0), Agreement(0),
      AgreementMode(AgreementModeGate)
{
}

CProjectData::~CProjectData() = default;

CString CProjectData::NewProjectKey()
{
    static std::mt19937 generator(std::random_device{}());
    std::uniform_int_distribution<unsigned> part(0, 0xFFFF);
    CString key;
    key.Format("%04X%04X-%04X-%04X-%04X", part(generator), part(generator), part(generator), part(generator),
               part(generator));
    return key;
}

bool CProjectData::IsVersionAtLeast(int major, int minor, int build) const
{
    return ::IsVersionAtLeast(Major, Minor, Build, major, minor, build);
}

bool CProjectData::AddTarget(CViewer* viewer)
{
    std::unique_ptr<CViewer> owned(viewer);
    if (!viewer || GetTargetCount() >= MaxTargets)
        return false;
    m_targets.push_back(std::move(owned));
    return true;
}

void CProjectData::RemoveAllTargets() { m_targets.clear(); }

bool CProjectData::Write(const char* dataFile, const char* baseFolder)
{
    CFileReadWrite file;
    if (!file.OpenWrite(dataFile))
        return false;
    Major = DataFileMajor;
    Minor = DataFileMinor;
    Build = DataFileBuild;
    file.WriteInt(Major);
    file.WriteInt(Minor);
    file.WriteInt(Build);
    file.WriteString(ProjectKey);
    file.WriteBool(SingleInstance);
    file.WriteBool(Repeat);
    file.WriteBool(0);
    file.WriteBool(WaitForEachTarget);
    file.WriteBool(PreloadTargets);
    file.WriteInt(static_cast<int>(PreloadColour));
    file.WriteBool(BackgroundMusic);
    if (BackgroundMusic)
        file.WriteString(MusicFile);
    file.WriteBool(0);  // verbose
    file.WriteBool(HidePlayer);
    file.WriteBool(1);  // suppress AOL
    file.WriteBool(DebugLog);
    file.WriteBool(Splash);
    if (Splash) {
        file.WriteString(SplashImage);
        file.WriteString(SplashSound);
        file.WriteInt(std::atoi(SplashDuration));
        file.WriteBool(SplashBackground);
        if (SplashBackground)
            file.WriteInt(static_cast<int>(SplashColour));
    }
    const int entries = AdditionalViewerChecking
                            ? static_cast<int>(AdditionalViewers.size() < MaxAdditionalViewers ? AdditionalViewers.size()
                                                                                               : MaxAdditionalViewers)
                            : 0;
    file.WriteInt(entries);
    for (int i = 0; i < entries; ++i) {
        const AdditionalViewerEntry& e = AdditionalViewers[i];
        file.WriteString(e.Extension);
        file.WriteString(e.InstallerPath);
        file.WriteString(Stored(e.Confirmation));
        file.WriteString(e.MinimumVersion);
    }
    file.WriteBool(Agreement ? 1 : 0);
    if (Agreement) {
        file.WriteInt(AgreementModeGate);
        file.WriteString("");
        file.WriteString(AgreementText);
        file.WriteBool(0);
        file.WriteBool(0);
        file.WriteInt(0);
        file.WriteInt(0);
        file.WriteInt(0);
    }
    file.WriteInt(GetTargetCount());
    for (const std::unique_ptr<CViewer>& target : m_targets) {
        target->SetProgramDirectory(baseFolder);
        target->Write_DAT_File(&file, Major, Minor, Build);
    }
    file.Close();
    return true;
}

CProjectData::ReadResult CProjectData::Read(const char* dataFile, const char* folder)
{
    CFileReadWrite file;
    if (!file.OpenRead(dataFile))
        return ReadNotOpened;
    Major = file.ReadInt();
    Minor = file.ReadInt();
    Build = file.ReadInt();
    ProjectKey = IsVersionAtLeast(2, 8, 0) ? file.ReadString() : CString();
    if (IsVersionAtLeast(2, 8, 4)) {
        SingleInstance = file.ReadBool();
        Repeat = file.ReadBool();
    }
    if (!IsVersionAtLeast(2, 5, 0))
        return ReadTooOld;

    file.ReadBool();
    WaitForEachTarget = file.ReadBool();
    if (IsVersionAtLeast(2, 9, 1)) {
        PreloadTargets = file.ReadBool();
        PreloadColour = static_cast<COLORREF>(file.ReadInt());
    }
    if (IsVersionAtLeast(2, 9, 6)) {
        BackgroundMusic = file.ReadBool();
        if (BackgroundMusic)
            MusicFile = file.ReadString();
    }
    file.ReadBool();
    HidePlayer = file.ReadBool();
    file.ReadBool();
    DebugLog = file.ReadBool();
    Splash = file.ReadBool();
    if (Splash) {
        SplashImage = file.ReadString();
        SplashSound = file.ReadString();
        SplashDuration.Format("%d", file.ReadInt());
        if (IsVersionAtLeast(2, 8, 0)) {
            SplashBackground = file.ReadBool();
            if (SplashBackground)
                SplashColour = static_cast<COLORREF>(file.ReadInt());
        }
    }

    AdditionalViewers.clear();
    const int entries = file.ReadInt();
    for (int i = 0; i < entries && file.IsOK(); ++i) {
        AdditionalViewerEntry e;
        e.Extension = file.ReadString();
        e.InstallerPath = file.ReadString();
        e.Confirmation = Restored(file.ReadString());
        e.MinimumVersion = file.ReadString();
        if (AdditionalViewers.size() < MaxAdditionalViewers)
            AdditionalViewers.push_back(e);
        AdditionalViewerChecking = 1;
    }

    Agreement = file.ReadBool();
    if (Agreement) {
        AgreementMode = file.ReadInt();
        file.ReadString();
        AgreementText = file.ReadString();
        file.ReadBool();
        file.ReadBool();
        file.ReadInt();
        file.ReadInt();
        const int reserved = file.ReadInt();
        for (int i = 0; i < reserved && file.IsOK(); ++i)
            file.ReadString();
    }

    RemoveAllTargets();
    const int targets = file.ReadInt();
    for (int i = 0; i < targets && i < MaxTargets && !file.AtEnd(); ++i) {
        const int type = Minor > 5 ? file.ReadInt() : CViewer::TypeFile;
        CViewer* viewer = NewViewerOfType(type);
        viewer->SetViewerType(type);
        viewer->SetProgramDirectory(folder);
        viewer->SetProjectRegistryKey(ProjectKey);
        viewer->SetTargetNum(i);
        viewer->Read_DAT_File(&file, Major, Minor, Build);
        AddTarget(viewer);
    }
    file.Close();
    return ReadOK;
}
