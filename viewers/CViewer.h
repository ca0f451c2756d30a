// Base class of every target kind: the settings of one target, its record in the project
// data file, and the logic that opens it and follows it on the user's machine.
#pragma once
#include "CFileReadWrite.h"
#include "CProcessList.h"
#include "CViewerPlatform.h"
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

protected:
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
    int m_SuppressAOL;
    int m_Verbose;
    int m_Splash;
    int m_Hide;
    int m_TargetNum;
    CString m_RegConfString;
    int m_ViewerType;
    CString m_TempPath;
    CString m_ProjectRegistryKey;
    int m_LaunchTargetType;
    bool m_FullScreen;
    bool m_TestMode;
    int m_FileVersion[3];
    CString m_TargetFilename;
    CString m_TargetFileExtension;
    CString m_Parameters;
    int m_WindowShowCmdWindow;
    CString m_TargetFileAndPath;
    CString m_ProgramDirectory;
    ProcessInfo_Tag m_TargetProcess;
    CString m_RegViewerLocation;
    CString m_RegTargetDescription;
    CString m_RegViewerVersion;
    int m_HasFailsafeProgram;
    CString m_FailsafeProgPath;
    ProcessInfo_Tag m_FailsafeProcess;
    int m_WaitingOnFailsafe;
    int m_TryTargetFirst;
    int m_CheckVersion;
    CString m_VersionString;
    int m_AlwaysRun;
    int m_DisplayConfirmation;
    CString m_FailsafeConfMessage;
    int m_RebootMachine;
    int m_TryAndForce;
    CString m_ForceString1;
    CString m_ForceString2;
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
