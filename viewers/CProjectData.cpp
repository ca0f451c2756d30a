#include "CProjectData.h"

#include "DataFileVersion.h"
#include "ViewerFactory.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

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

// Moves a finished file over the one it replaces.
bool Replace(const char* from, const char* to)
{
#ifdef _WIN32
    return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != FALSE;
#else
    return std::rename(from, to) == 0;
#endif
}

// The reader of the authoring program: plain viewers, no windows.
class PlainBinder : public CProjectTargetBinder {
public:
    explicit PlainBinder(const char* folder) : m_folder(folder) {}
    CViewer* NewTarget(int type, int index, const CProjectData& project) override
    {
        CViewer* viewer = NewViewerOfType(type);
        viewer->SetViewerType(type);
        viewer->SetProgramDirectory(m_folder);
        viewer->SetProjectRegistryKey(project.ProjectKey);
        viewer->SetTargetNum(index);
        return viewer;
    }

private:
    CString m_folder;
};

}

CProjectTargetBinder::~CProjectTargetBinder() = default;
void CProjectTargetBinder::FieldsRead(CProjectData&) {}
void CProjectTargetBinder::TargetRead(CViewer&, int) {}

CProjectData::CProjectData() : Major(DataFileMajor), Minor(DataFileMinor), Build(DataFileBuild) { Reset(); }

CProjectData::~CProjectData() = default;

void CProjectData::Reset()
{
    SingleInstance = 1;
    Repeat = 0;
    WaitForEachTarget = 1;
    PreloadTargets = 0;
    PreloadColour = 0;
    BackgroundMusic = 0;
    MusicFile.Empty();
    Verbose = 0;
    HidePlayer = 0;
    SuppressAOL = 1;
    DebugLog = 0;
    Splash = 0;
    SplashImage.Empty();
    SplashSound.Empty();
    SplashDuration.Empty();
    SplashBackground = 0;
    SplashColour = 0;
    AdditionalViewerChecking = 0;
    AdditionalViewers.clear();
    Agreement = 0;
    AgreementMode = AgreementModeGate;
    AgreementText.Empty();
    StoredTargetCount = 0;
    RemoveAllTargets();
}

CString CProjectData::NewProjectKey()
{
    static std::mt19937 generator(std::random_device{}());
    std::uniform_int_distribution<unsigned> part(0, 0xFFFF);
    CString key;
    key.Format("%04X%04X-%04X-%04X-%04X", part(generator), part(generator), part(generator), part(generator),
               part(generator));
    return key;
}

int CProjectData::KnownType(int type)
{
    return type >= CViewer::TypeFile && type <= CViewer::TypeMenu ? type : CViewer::TypeFile;
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
    const CString partial = CString(dataFile) + ".new";
    CFileReadWrite file;
    if (!file.OpenWrite(partial))
        return false;
    try {
        Write(file, baseFolder);
        file.Close();
    } catch (CException* e) {
        e->Delete();
        try {
            file.Close();
        } catch (CException* again) {
            again->Delete();
        }
        std::remove(partial);
        return false;
    }
    if (!Replace(partial, dataFile)) {
        std::remove(partial);
        return false;
    }
    return true;
}

void CProjectData::Write(CFileReadWrite& file, const char* baseFolder)
{
    Major = DataFileMajor;
    Minor = DataFileMinor;
    Build = DataFileBuild;
    file.WriteInt(Major);
    file.WriteInt(Minor);
    file.WriteInt(Build);
    file.WriteString(ProjectKey);
    file.WriteBool(SingleInstance);
    file.WriteBool(Repeat);
    file.WriteBool(0);  // reserved
    file.WriteBool(WaitForEachTarget);
    file.WriteBool(PreloadTargets);
    file.WriteInt(static_cast<int>(PreloadColour));
    file.WriteBool(BackgroundMusic);
    if (BackgroundMusic)
        file.WriteString(MusicFile);
    // Verbose and suppress AOL are the same in every project written here, whatever a file
    // opened before held.
    file.WriteBool(0);
    file.WriteBool(HidePlayer);
    file.WriteBool(1);
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
}

CProjectData::ReadResult CProjectData::Read(const char* dataFile, const char* folder)
{
    CFileReadWrite file;
    if (!file.OpenRead(dataFile))
        return ReadNotOpened;
    PlainBinder binder(folder);
    const ReadResult result = Read(file, binder);
    file.Close();
    return result;
}

CProjectData::ReadResult CProjectData::Read(CFileReadWrite& file, CProjectTargetBinder& binder, OldFiles old)
{
    Reset();
    Major = file.ReadInt();
    Minor = file.ReadInt();
    Build = file.ReadInt();
    ProjectKey = IsVersionAtLeast(2, 8, 0) ? file.ReadString() : CString();
    if (IsVersionAtLeast(2, 8, 4)) {
        SingleInstance = file.ReadBool();
        Repeat = file.ReadBool();
    }
    if (old == RefuseOldFiles && !IsVersionAtLeast(2, 5, 0))
        return ReadTooOld;

    file.ReadBool();  // reserved
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
    Verbose = file.ReadBool();
    HidePlayer = file.ReadBool();
    SuppressAOL = file.ReadBool();
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

    const int entries = file.ReadInt();
    for (int i = 0; i < entries && file.IsOK(); ++i) {
        AdditionalViewerEntry e;
        e.Extension = file.ReadString();
        e.InstallerPath = file.ReadString();
        e.Confirmation = Restored(file.ReadString());
        e.MinimumVersion = file.ReadString();
        if (!file.IsOK())
            break;  // the file ended inside the entry
        if (AdditionalViewers.size() < MaxAdditionalViewers)
            AdditionalViewers.push_back(e);
        AdditionalViewerChecking = 1;
    }

    Agreement = file.ReadBool();
    if (Agreement) {
        AgreementMode = file.ReadInt();
        file.ReadString();  // reserved
        AgreementText = file.ReadString();
        file.ReadBool();
        file.ReadBool();
        file.ReadInt();
        file.ReadInt();
        const int reserved = file.ReadInt();
        for (int i = 0; i < reserved && file.IsOK(); ++i)
            file.ReadString();  // reserved, whatever their number
    }

    const int targets = file.ReadInt();
    StoredTargetCount = targets < 0 ? 0 : targets > MaxTargets ? MaxTargets : targets;
    binder.FieldsRead(*this);
    ReadTargets(file, binder);
    return ReadOK;
}

void CProjectData::ReadTargets(CFileReadWrite& file, CProjectTargetBinder& binder)
{
    for (int i = 0; i < StoredTargetCount && file.IsOK(); ++i) {
        // Only files of minor version 6 and up store a type code; older targets are files.
        const int type = Minor > 5 ? KnownType(file.ReadInt()) : static_cast<int>(CViewer::TypeFile);
        if (!file.IsOK())
            break;
        std::unique_ptr<CViewer> viewer(binder.NewTarget(type, i, *this));
        viewer->Read_DAT_File(&file, Major, Minor, Build);
        if (!file.IsOK())
            break;  // the file ended inside this record: it is no target
        binder.TargetRead(*viewer, i);
        m_targets.push_back(std::move(viewer));
    }
}
