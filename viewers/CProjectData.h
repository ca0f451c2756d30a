// A project and its project data file: the version triple, the project's own fields and
// every target's record, read and written in one pass through the record file. The one
// owner of that layout: the authoring program writes and opens projects with it, the
// player loads them with it, every test writes its projects through it.
#pragma once
#include "CFileReadWrite.h"
#include "CViewer.h"
#include "ViewersExport.h"

#include <memory>
#include <vector>

// One file type that needs a viewer program on the user's machine, checked by the player
// before the targets run. Kept as stored: the extension without its dot.
struct AdditionalViewerEntry {
    CString Extension;
    CString InstallerPath;   // the program to run when the viewer is missing
    CString Confirmation;    // asked before it runs, line breaks as CR LF; empty: no question
    CString MinimumVersion;
};

class CProjectData;

// How a reader makes the viewer of each target record. FieldsRead comes once every field
// before the targets is in; NewTarget gives the viewer of the type, its type, number and
// folders set, before its record is read; TargetRead follows once the whole record is in.
class VIEWERS_API CProjectTargetBinder {
public:
    virtual ~CProjectTargetBinder();
    virtual void FieldsRead(CProjectData& project);
    virtual CViewer* NewTarget(int type, int index, const CProjectData& project) = 0;
    virtual void TargetRead(CViewer& viewer, int index);
};

class VIEWERS_API CProjectData {
public:
    enum { MaxTargets = 10, MaxAdditionalViewers = 3, MaxReservedStrings = 1000, AgreementModeGate = 3 };
    enum ReadResult { ReadOK, ReadNotOpened, ReadTooOld };
    // Whether a file older than the oldest the authoring program opens is read on (the
    // player plays whatever it finds) or refused after its toggles.
    enum OldFiles { RefuseOldFiles, ReadOldFiles };

    CProjectData();
    ~CProjectData();
    CProjectData(const CProjectData&) = delete;
    CProjectData& operator=(const CProjectData&) = delete;

    // A fresh key that tells this project apart on the user's machine.
    static CString NewProjectKey();
    // A type code as readers take it: codes no viewer has read as File.
    static int KnownType(int type);

    bool IsVersionAtLeast(int major, int minor, int build) const;

    // Writes the whole file with version 2.9.6; every target first gets the base folder as
    // its program directory. The file is written beside its place and moved there only when
    // complete, so a failed write leaves what was there. False when it cannot be created or
    // written.
    bool Write(const char* dataFile, const char* baseFolder);
    // Writes the whole file into an open record file (failures of the system throw).
    void Write(CFileReadWrite& file, const char* baseFolder);

    // Reads a whole file; the targets get folder (the one holding the data file) as their
    // program directory and the project key. What was held before is replaced.
    ReadResult Read(const char* dataFile, const char* folder);
    // Reads from an open record file, each target made by binder. A count of targets beyond
    // the records present stops at the end of the file: only whole records become targets.
    ReadResult Read(CFileReadWrite& file, CProjectTargetBinder& binder, OldFiles old = RefuseOldFiles);

    // The targets, owned here, in slot order.
    int GetTargetCount() const { return static_cast<int>(m_targets.size()); }
    CViewer* GetTarget(int index) const { return m_targets[index].get(); }
    // Takes ownership; false (and the viewer deleted) when the project is full.
    bool AddTarget(CViewer* viewer);
    void RemoveAllTargets();
    // Puts the project back to a new project's values (the key stays); targets are deleted.
    void Reset();

    int Major, Minor, Build;
    CString ProjectKey;
    int SingleInstance;
    int Repeat;
    int WaitForEachTarget;
    int PreloadTargets;
    COLORREF PreloadColour;
    int BackgroundMusic;
    CString MusicFile;
    int Verbose;      // as read; every file written holds 0
    int HidePlayer;
    int SuppressAOL;  // as read; every file written holds 1
    int DebugLog;
    int Splash;
    CString SplashImage;
    CString SplashSound;
    CString SplashDuration;  // seconds, as the author typed them
    int SplashBackground;
    COLORREF SplashColour;
    int AdditionalViewerChecking;
    std::vector<AdditionalViewerEntry> AdditionalViewers;
    int Agreement;
    int AgreementMode;
    CString AgreementText;
    // The number of targets the file says it holds, within 0 to MaxTargets; the records
    // present may be fewer.
    int StoredTargetCount;

private:
    void ReadTargets(CFileReadWrite& file, CProjectTargetBinder& binder);

    std::vector<std::unique_ptr<CViewer>> m_targets;
};
