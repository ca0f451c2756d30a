// The project as the authoring program holds it, and its project data file: the version
// triple, the project's own fields and every target's record, read and written in one pass
// through the record file. The main dialog keeps one of these; Create writes it into the
// base folder, Open reads it back.
#pragma once
#include "CFileReadWrite.h"
#include "CViewer.h"

#include <memory>
#include <vector>

// One file type that needs a viewer program on the user's machine, checked by the player
// before the targets run.
struct AdditionalViewerEntry {
    CString Extension;       // without its dot
    CString InstallerPath;   // the program to run when the viewer is missing
    CString Confirmation;    // asked before it runs; empty: no question
    CString MinimumVersion;
};

class CProjectData {
public:
    enum { MaxTargets = 10, MaxAdditionalViewers = 3, MaxReservedStrings = 1000, AgreementModeGate = 3 };
    enum ReadResult { ReadOK, ReadNotOpened, ReadTooOld };

    CProjectData();
    ~CProjectData();
    CProjectData(const CProjectData&) = delete;
    CProjectData& operator=(const CProjectData&) = delete;

    // A fresh key that tells this project apart on the user's machine.
    static CString NewProjectKey();

    bool IsVersionAtLeast(int major, int minor, int build) const;

    // Writes the whole file with version 2.9.6; every target first gets the base folder as
    // its program directory. False when the file cannot be created.
    bool Write(const char* dataFile, const char* baseFolder);
    // Reads a whole file; the targets get folder (the one holding the data file) as their
    // program directory and the project key.
    ReadResult Read(const char* dataFile, const char* folder);

    // The targets, owned here, in slot order.
    int GetTargetCount() const { return static_cast<int>(m_targets.size()); }
    CViewer* GetTarget(int index) const { return m_targets[index].get(); }
    // Takes ownership; false (and the viewer deleted) when the project is full.
    bool AddTarget(CViewer* viewer);
    void RemoveAllTargets();

    int Major, Minor, Build;
    CString ProjectKey;
    int SingleInstance;
    int Repeat;
    int WaitForEachTarget;
    int PreloadTargets;
    COLORREF PreloadColour;
    int BackgroundMusic;
    CString MusicFile;
    int HidePlayer;
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

private:
    std::vector<std::unique_ptr<CViewer>> m_targets;
};
