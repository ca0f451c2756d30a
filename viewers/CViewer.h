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
    void SetSuppressAOL(int value) { m_SuppressAOL = value; }
    void SetVerbose(int value) { m_Verbose = value; }
    void SetSplash(int value) { m_Splash = value; }
    void SetHide(int value) { m_Hide = value; }
    void SetTargetNum(int value) { m_TargetNum = value; }
    void SetRegConfString(CString value) { m_RegConfString = value; }
    void SetViewerType(int value) { m_ViewerType = value; }
    void SetTempPath(CString value) { m_TempPath = value; }
    void SetProjectRegistryKey(CString value) { m_ProjectRegistryKey = value; }
    void SetLaunchTargetType(int value) { m_LaunchTargetType = value; }
    void SetTestMode(bool value) { m_TestMode = value; }
    void SetTargetFilename(CString value) { m_TargetFilename = value; }
    void SetTargetFileExtension(CString value) { m_TargetFileExtension = value; }
    void SetParameters(CString value) { m_Parameters = value; }
    void SetWindowShowCmdWindow(int value) { m_WindowShowCmdWindow = value; }
    void SetTargetFileAndPath(CString value) { m_TargetFileAndPath = value; }
    void SetProgramDirectory(CString value) { m_ProgramDirectory = value; }
    // A record from outside carries no process handle of ours.
    void SetTargetProcess(ProcessInfo_Tag value) { AdoptProcess(m_TargetProcess, value, nullptr); }
    void SetRegViewerLocation(CString value) { m_RegViewerLocation = value; }
    void SetRegTargetDescription(CString value) { m_RegTargetDescription = value; }
    void SetRegViewerVersion(CString value) { m_RegViewerVersion = value; }
    void SetHasFailsafeProgram(int value) { m_HasFailsafeProgram = value; }
    void SetFailsafeProgPath(CString value) { m_FailsafeProgPath = value; }
    void SetFailsafeProcess(ProcessInfo_Tag value) { AdoptProcess(m_FailsafeProcess, value, nullptr); }
    void SetWaitingOnFailsafe(int value) { m_WaitingOnFailsafe = value; }
    void SetTryTargetFirst(int value) { m_TryTargetFirst = value; }
    void SetCheckVersion(int value) { m_CheckVersion = value; }
    void SetVersionString(CString value) { m_VersionString = value; }
    void SetAlwaysRun(int value) { m_AlwaysRun = value; }
    void SetDisplayConfirmation(int value) { m_DisplayConfirmation = value; }
    void SetFailsafeConfMessage(CString value) { m_FailsafeConfMessage = value; }
    void SetRebootMachine(int value) { m_RebootMachine = value; }
    void SetTryAndForce(int value) { m_TryAndForce = value; }
    void SetForceString1(CString value) { m_ForceString1 = value; }
    void SetForceString2(CString value) { m_ForceString2 = value; }

    // Read accessors.
    CString GetLog() const { return CString(m_Log); }
    void ClearLog() { m_Log[0] = 0; m_LogLength = 0; }
    CString GetTargetFilename() const { return m_TargetFilename; }
    int GetWaitingOnFailsafe() const { return m_WaitingOnFailsafe; }
    bool GetFullScreen() const { return m_FullScreen; }
    ProcessInfo_Tag GetTargetProcess() const { return m_TargetProcess; }

    // Read accessors of the settings, for the dialogs that edit them and for tests.
    int GetSuppressAOL() const { return m_SuppressAOL; }
    int GetVerbose() const { return m_Verbose; }
    int GetSplash() const { return m_Splash; }
    int GetHide() const { return m_Hide; }
    int GetTargetNum() const { return m_TargetNum; }
    CString GetRegConfString() const { return m_RegConfString; }
    int GetViewerType() const { return m_ViewerType; }
    CString GetTempPath() const { return m_TempPath; }
    CString GetProjectRegistryKey() const { return m_ProjectRegistryKey; }
    int GetLaunchTargetType() const { return m_LaunchTargetType; }
    bool GetTestMode() const { return m_TestMode; }
    CString GetTargetFileExtension() const { return m_TargetFileExtension; }
    CString GetParameters() const { return m_Parameters; }
    int GetWindowShowCmdWindow() const { return m_WindowShowCmdWindow; }
    CString GetTargetFileAndPath() const { return m_TargetFileAndPath; }
    CString GetProgramDirectory() const { return m_ProgramDirectory; }
    CString GetRegViewerLocation() const { return m_RegViewerLocation; }
    CString GetRegTargetDescription() const { return m_RegTargetDescription; }
    CString GetRegViewerVersion() const { return m_RegViewerVersion; }
    int GetHasFailsafeProgram() const { return m_HasFailsafeProgram; }
    CString GetFailsafeProgPath() const { return m_FailsafeProgPath; }
    ProcessInfo_Tag GetFailsafeProcess() const { return m_FailsafeProcess; }
    int GetTryTargetFirst() const { return m_TryTargetFirst; }
    int GetCheckVersion() const { return m_CheckVersion; }
    CString GetVersionString() const { return m_VersionString; }
    int GetAlwaysRun() const { return m_AlwaysRun; }
    int GetDisplayConfirmation() const { return m_DisplayConfirmation; }
    CString GetFailsafeConfMessage() const { return m_FailsafeConfMessage; }
    int GetRebootMachine() const { return m_RebootMachine; }
    int GetTryAndForce() const { return m_TryAndForce; }
    CString GetForceString1() const { return m_ForceString1; }
    CString GetForceString2() const { return m_ForceString2; }
    bool GetLaunchedBefore() const { return m_LaunchedBefore; }
    int GetTimerId() const { return m_TimerId; }
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
    void SetOwner(CViewerWindow* owner) { m_Owner = owner; }
    CViewerWindow* GetOwner() const { return m_Owner; }

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    DECLARE_MESSAGE_MAP()
#endif
};
