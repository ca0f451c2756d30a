// Base class of every target kind: the settings of one target and its record in the project
// data file. Opening the target and following it is the launcher's (CViewerLauncher), which
// the launch operations below hand over to.
//
// How a kind adds settings of its own (the image viewer shows it):
//  - a plain value type beside its class, e.g. `struct CWebViewerSettings { CString Url; int
//    Width = 640; ... };` with the defaults as member initialisers, and one member
//    `CWebViewerSettings m_WebSettings;`;
//  - its setters and getters are one-liners over that member;
//  - SetEqual calls CViewer::SetEqual(other) first, then copies the value whole from an
//    other of the same class: `if (auto* o = dynamic_cast<CWebViewer*>(other)) m_WebSettings =
//    o->m_WebSettings;` (no field by field copies);
//  - Read_DAT_File and Write_DAT_File call the base first, then read and write the kind's
//    fields through the value, in the record's order;
//  - the settings dialogs copy the value out with the kind's getter of it and back with its
//    setter, as they do with Settings() and SetSettings() here.
// Handles and run-time state (windows, timers, processes) never go into a settings value.
#pragma once
#include "CFileReadWrite.h"
#include "CProcessList.h"
#include "CViewerPlatform.h"
#include "CViewerSettings.h"
#include "CViewerWindow.h"
#include "ViewersExport.h"

#include <memory>

class VIEWERS_API CViewer : public CViewerWindow {
public:
    enum Type { TypeFile = 0, TypeFolder = 1, TypeWeb = 2, TypeZip = 3, TypeMedia = 4, TypeFlash = 5,
                TypeSlideShow = 6, TypeMenu = 7 };
    enum LaunchKind { LaunchTarget = 0, LaunchFailsafe = 1, LaunchForce1 = 2, LaunchForce2 = 3 };
    enum { FailsafeTimer = 3, LogSize = 32000 };

    CViewer();
    ~CViewer() override;

    // Virtual operations, in this order in every subclass.
    virtual void Show();
    virtual void Launch();
    virtual void Init();
    virtual bool IsAlive();
    virtual void SetEqual(CViewer* other);
    virtual void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build);
    virtual void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build);

    // Setters: each stores its argument.
    void SetSuppressAOL(int value);
    void SetVerbose(int value);
    void SetSplash(int value);
    void SetHide(int value);
    void SetTargetNum(int value);
    void SetRegConfString(CString value);
    void SetViewerType(int value);
    void SetTempPath(CString value);
    void SetProjectRegistryKey(CString value);
    void SetLaunchTargetType(int value);
    void SetTestMode(bool value);
    void SetTargetFilename(CString value);
    void SetTargetFileExtension(CString value);
    void SetParameters(CString value);
    void SetWindowShowCmdWindow(int value);
    void SetTargetFileAndPath(CString value);
    void SetProgramDirectory(CString value);
    // A record from outside carries no process handle of ours.
    void SetTargetProcess(ProcessInfo_Tag value);
    void SetRegViewerLocation(CString value);
    void SetRegTargetDescription(CString value);
    void SetRegViewerVersion(CString value);
    void SetHasFailsafeProgram(int value);
    void SetFailsafeProgPath(CString value);
    void SetFailsafeProcess(ProcessInfo_Tag value);
    void SetWaitingOnFailsafe(int value);
    void SetTryTargetFirst(int value);
    void SetCheckVersion(int value);
    void SetVersionString(CString value);
    void SetAlwaysRun(int value);
    void SetDisplayConfirmation(int value);
    void SetFailsafeConfMessage(CString value);
    void SetRebootMachine(int value);
    void SetTryAndForce(int value);
    void SetForceString1(CString value);
    void SetForceString2(CString value);

    // Read accessors.
    CString GetLog() const;
    void ClearLog();
    CString GetTargetFilename() const;
    int GetWaitingOnFailsafe() const;
    bool GetFullScreen() const;
    ProcessInfo_Tag GetTargetProcess() const;

    // Read accessors of the settings, for the dialogs that edit them and for tests.
    int GetSuppressAOL() const;
    int GetVerbose() const;
    int GetSplash() const;
    int GetHide() const;
    int GetTargetNum() const;
    CString GetRegConfString() const;
    int GetViewerType() const;
    CString GetTempPath() const;
    CString GetProjectRegistryKey() const;
    int GetLaunchTargetType() const;
    bool GetTestMode() const;
    CString GetTargetFileExtension() const;
    CString GetParameters() const;
    int GetWindowShowCmdWindow() const;
    CString GetTargetFileAndPath() const;
    CString GetProgramDirectory() const;
    CString GetRegViewerLocation() const;
    CString GetRegTargetDescription() const;
    CString GetRegViewerVersion() const;
    int GetHasFailsafeProgram() const;
    CString GetFailsafeProgPath() const;
    ProcessInfo_Tag GetFailsafeProcess() const;
    int GetTryTargetFirst() const;
    int GetCheckVersion() const;
    CString GetVersionString() const;
    int GetAlwaysRun() const;
    int GetDisplayConfirmation() const;
    CString GetFailsafeConfMessage() const;
    int GetRebootMachine() const;
    int GetTryAndForce() const;
    CString GetForceString1() const;
    CString GetForceString2() const;
    bool GetLaunchedBefore() const;
    int GetTimerId() const;
    void GetFileVersion(int& major, int& minor, int& build) const;

    // The launch logic.
    bool WasLaunchedBefore();
    bool MarkLaunched();
    bool LaunchProcess(int kind, ProcessInfo_Tag& info);
    bool RunFailsafe();
    void ClassifyTarget();
    void FindAssociatedViewer(const CString& extension, CString& command, CString& description);
    bool GetConfirmation();
    int GetWindowsVersionCode();

    // True when installed is lower than required, compared number by number.
    static bool IsVersionOlder(const char* required, const char* installed);
    static int GetWindowsVersionCode(DWORD platformId, DWORD major, DWORD minor, DWORD build);

    // A timer of the viewer's window went off.
    virtual void OnTimer(UINT_PTR id);

    // Where the viewer asks the system for things; the library's own unless set.
    void SetPlatform(CViewerPlatform* platform);
    CViewerPlatform& Platform() const { return *m_Platform; }

    // Registry key of the project's per-machine state, below HKEY_CURRENT_USER.
    CString ProjectKeyPath() const;

    // The common settings as one value, for the dialogs that edit them.
    const CViewerSettings& Settings() const { return m_Settings; }
    void SetSettings(const CViewerSettings& settings) { m_Settings = settings; }

protected:
    friend class CViewerLauncher;

    // Appends to the log, cutting what does not fit.
    void AppendLog(const char* text);
    void Log(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    CProcessList& Processes();
    bool ReadProjectDword(const char* format, DWORD& value) const;
    bool WriteProjectDword(const char* format, DWORD value) const;
    void AdoptProcess(ProcessInfo_Tag& slot, const ProcessInfo_Tag& from, HANDLE process);
    // After a start without a process handle: the one new process whose image is the
    // program expected, else one already running under that name.
    bool FindStartedProcess(CProcessList& snapshot, const CString& image, ProcessInfo_Tag& found,
                            const char*& how);
    CString ExpectedImage(int kind) const;
    void FailsafePoll();

    CViewerPlatform* m_Platform;
    CViewerWindow* m_Owner;
    char m_Log[LogSize];
    int m_LogLength;
    int m_TimerId;
    CViewerSettings m_Settings;
    CString m_TempPath;
    bool m_FullScreen;
    int m_FileVersion[3];
    ProcessInfo_Tag m_TargetProcess;
    ProcessInfo_Tag m_FailsafeProcess;
    std::unique_ptr<CProcessList> m_Processes;
    bool m_LaunchedBefore;
    bool m_Alive;
    // The failsafe program did start (its end may then call for a reboot).
    bool m_FailsafeStarted;

public:
    void SetOwner(CViewerWindow* owner);
    CViewerWindow* GetOwner() const;

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    DECLARE_MESSAGE_MAP()
#endif
};
