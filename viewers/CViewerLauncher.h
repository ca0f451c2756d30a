// Opens a viewer's target on the user's machine and follows it: the registry walk for the
// program registered for the target's type, the launch kinds (the target, the try-and-force
// programs, the failsafe program), the confirmation and the failsafe poll. It works on the
// settings and state of one viewer and asks the system for everything through the viewer's
// platform, so tests can script each step. Cheap to make: the viewer makes one per call.
#pragma once
#include "CViewer.h"

class VIEWERS_API CViewerLauncher {
public:
    explicit CViewerLauncher(CViewer& viewer);

    void Init();
    void Launch();
    void Show();
    bool IsAlive();
    void OnTimer(UINT_PTR id);

    bool WasLaunchedBefore();
    bool MarkLaunched();
    bool LaunchProcess(int kind, ProcessInfo_Tag& info);
    bool RunFailsafe();
    void ClassifyTarget();
    void FindAssociatedViewer(const CString& extension, CString& command, CString& description);
    bool GetConfirmation();
    int GetWindowsVersionCode();

    // Whether the system can be handed this path (a file, a file:/// page or a web or mail
    // address) to open: a longer one is refused before it reaches the system.
    static bool FitsTheSystem(const CString& path);
    // Whether CreateProcess takes this command line.
    static bool FitsACommandLine(const CString& commandLine);

    static bool IsVersionOlder(const char* required, const char* installed);
    static int GetWindowsVersionCode(DWORD platformId, DWORD major, DWORD minor, DWORD build);

    CString ProjectKeyPath() const;
    bool ReadProjectDword(const char* format, DWORD& value) const;
    bool WriteProjectDword(const char* format, DWORD value) const;
    bool FindStartedProcess(CProcessList& snapshot, const CString& image, ProcessInfo_Tag& found, const char*& how);
    CString ExpectedImage(int kind) const;
    void FailsafePoll();

private:
    CViewer& v;
    CViewerSettings& s;
};
