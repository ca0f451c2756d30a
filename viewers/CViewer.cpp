#include "CViewer.h"

#include "BaseFolderMarker.h"
#include "CViewerLauncher.h"
#include "CommandLineText.h"
#include "DataFileVersion.h"

#include <cstring>

namespace {

// A process record travels without its window and process handles: those stay the viewer's.
void CopyProcessRecord(ProcessInfo_Tag& to, const ProcessInfo_Tag& from)
{
    to.ProcessName = from.ProcessName;
    to.ProcessPath = from.ProcessPath;
    to.ProcessID = from.ProcessID;
}

}

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
BEGIN_MESSAGE_MAP(CViewer, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()
#endif

CViewer::CViewer()
    : m_Platform(&CViewerPlatform::System()), m_Owner(nullptr), m_LogLength(0), m_TimerId(-1), m_FullScreen(false),
      m_FileVersion{ 0, 0, 0 }, m_LaunchedBefore(false), m_Alive(true), m_FailsafeStarted(false)
{
    m_Log[0] = 0;
}

CViewer::~CViewer()
{
    if (m_TimerId >= 0)
        m_Platform->StopTimer(*this, UINT(m_TimerId));
    if (m_TargetProcess.hProcess)
        m_Platform->CloseProcessHandle(m_TargetProcess.hProcess);
    if (m_FailsafeProcess.hProcess)
        m_Platform->CloseProcessHandle(m_FailsafeProcess.hProcess);
}

void CViewer::SetPlatform(CViewerPlatform* platform)
{
    m_Platform = platform ? platform : &CViewerPlatform::System();
    m_Processes.reset();
}

CProcessList& CViewer::Processes()
{
    if (!m_Processes)
        m_Processes = m_Platform->NewProcessList();
    return *m_Processes;
}

void CViewer::GetFileVersion(int& major, int& minor, int& build) const
{
    major = m_FileVersion[0];
    minor = m_FileVersion[1];
    build = m_FileVersion[2];
}

void CViewer::AppendLog(const char* text)
{
    if (!text)
        return;
    const size_t room = LogSize - 1 - m_LogLength;
    size_t n = std::strlen(text);
    if (n > room)
        n = room;
    std::memcpy(m_Log + m_LogLength, text, n);
    m_LogLength += static_cast<int>(n);
    m_Log[m_LogLength] = 0;
}

void CViewer::Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString line;
    line.FormatV(format, args);
    va_end(args);
    AppendLog(line);
}

void CViewer::AdoptProcess(ProcessInfo_Tag& slot, const ProcessInfo_Tag& from, HANDLE process)
{
    if (slot.hProcess && slot.hProcess != process)
        m_Platform->CloseProcessHandle(slot.hProcess);
    slot.ProcessName = from.ProcessName;
    slot.ProcessPath = from.ProcessPath;
    slot.ProcessID = from.ProcessID;
    slot.hWnd = from.hWnd;
    slot.hProcess = process;
}

// ---------------------------------------------------------------------------------------
// Setters and read accessors

void CViewer::SetSuppressAOL(int value) { m_Settings.SuppressAOL = value; }
void CViewer::SetVerbose(int value) { m_Settings.Verbose = value; }
void CViewer::SetSplash(int value) { m_Settings.Splash = value; }
void CViewer::SetHide(int value) { m_Settings.Hide = value; }
void CViewer::SetTargetNum(int value) { m_Settings.TargetNum = value; }
void CViewer::SetRegConfString(CString value) { m_Settings.RegConfString = value; }
void CViewer::SetViewerType(int value) { m_Settings.ViewerType = value; }
void CViewer::SetTempPath(CString value) { m_TempPath = value; }
void CViewer::SetProjectRegistryKey(CString value) { m_Settings.ProjectRegistryKey = value; }
void CViewer::SetLaunchTargetType(int value) { m_Settings.LaunchTargetType = value; }
void CViewer::SetTestMode(bool value) { m_Settings.TestMode = value; }
void CViewer::SetTargetFilename(CString value) { m_Settings.TargetFilename = value; }
void CViewer::SetTargetFileExtension(CString value) { m_Settings.TargetFileExtension = value; }
void CViewer::SetParameters(CString value) { m_Settings.Parameters = value; }
void CViewer::SetWindowShowCmdWindow(int value) { m_Settings.WindowShowCmdWindow = value; }
void CViewer::SetTargetFileAndPath(CString value) { m_Settings.TargetFileAndPath = value; }
void CViewer::SetProgramDirectory(CString value) { m_Settings.ProgramDirectory = value; }
void CViewer::SetTargetProcess(ProcessInfo_Tag value) { AdoptProcess(m_TargetProcess, value, nullptr); }
void CViewer::SetRegViewerLocation(CString value) { m_Settings.RegViewerLocation = value; }
void CViewer::SetRegTargetDescription(CString value) { m_Settings.RegTargetDescription = value; }
void CViewer::SetRegViewerVersion(CString value) { m_Settings.RegViewerVersion = value; }
void CViewer::SetHasFailsafeProgram(int value) { m_Settings.HasFailsafeProgram = value; }
void CViewer::SetFailsafeProgPath(CString value) { m_Settings.FailsafeProgPath = value; }
void CViewer::SetFailsafeProcess(ProcessInfo_Tag value) { AdoptProcess(m_FailsafeProcess, value, nullptr); }
void CViewer::SetWaitingOnFailsafe(int value) { m_Settings.WaitingOnFailsafe = value; }
void CViewer::SetTryTargetFirst(int value) { m_Settings.TryTargetFirst = value; }
void CViewer::SetCheckVersion(int value) { m_Settings.CheckVersion = value; }
void CViewer::SetVersionString(CString value) { m_Settings.VersionString = value; }
void CViewer::SetAlwaysRun(int value) { m_Settings.AlwaysRun = value; }
void CViewer::SetDisplayConfirmation(int value) { m_Settings.DisplayConfirmation = value; }
void CViewer::SetFailsafeConfMessage(CString value) { m_Settings.FailsafeConfMessage = value; }
void CViewer::SetRebootMachine(int value) { m_Settings.RebootMachine = value; }
void CViewer::SetTryAndForce(int value) { m_Settings.TryAndForce = value; }
void CViewer::SetForceString1(CString value) { m_Settings.ForceString1 = value; }
void CViewer::SetForceString2(CString value) { m_Settings.ForceString2 = value; }
CString CViewer::GetLog() const { return CString(m_Log); }
void CViewer::ClearLog() { m_Log[0] = 0; m_LogLength = 0; }
CString CViewer::GetTargetFilename() const { return m_Settings.TargetFilename; }
int CViewer::GetWaitingOnFailsafe() const { return m_Settings.WaitingOnFailsafe; }
bool CViewer::GetFullScreen() const { return m_FullScreen; }
ProcessInfo_Tag CViewer::GetTargetProcess() const { return m_TargetProcess; }
int CViewer::GetSuppressAOL() const { return m_Settings.SuppressAOL; }
int CViewer::GetVerbose() const { return m_Settings.Verbose; }
int CViewer::GetSplash() const { return m_Settings.Splash; }
int CViewer::GetHide() const { return m_Settings.Hide; }
int CViewer::GetTargetNum() const { return m_Settings.TargetNum; }
CString CViewer::GetRegConfString() const { return m_Settings.RegConfString; }
int CViewer::GetViewerType() const { return m_Settings.ViewerType; }
CString CViewer::GetTempPath() const { return m_TempPath; }
CString CViewer::GetProjectRegistryKey() const { return m_Settings.ProjectRegistryKey; }
int CViewer::GetLaunchTargetType() const { return m_Settings.LaunchTargetType; }
bool CViewer::GetTestMode() const { return m_Settings.TestMode; }
CString CViewer::GetTargetFileExtension() const { return m_Settings.TargetFileExtension; }
CString CViewer::GetParameters() const { return m_Settings.Parameters; }
int CViewer::GetWindowShowCmdWindow() const { return m_Settings.WindowShowCmdWindow; }
CString CViewer::GetTargetFileAndPath() const { return m_Settings.TargetFileAndPath; }
CString CViewer::GetProgramDirectory() const { return m_Settings.ProgramDirectory; }
CString CViewer::GetRegViewerLocation() const { return m_Settings.RegViewerLocation; }
CString CViewer::GetRegTargetDescription() const { return m_Settings.RegTargetDescription; }
CString CViewer::GetRegViewerVersion() const { return m_Settings.RegViewerVersion; }
int CViewer::GetHasFailsafeProgram() const { return m_Settings.HasFailsafeProgram; }
CString CViewer::GetFailsafeProgPath() const { return m_Settings.FailsafeProgPath; }
ProcessInfo_Tag CViewer::GetFailsafeProcess() const { return m_FailsafeProcess; }
int CViewer::GetTryTargetFirst() const { return m_Settings.TryTargetFirst; }
int CViewer::GetCheckVersion() const { return m_Settings.CheckVersion; }
CString CViewer::GetVersionString() const { return m_Settings.VersionString; }
int CViewer::GetAlwaysRun() const { return m_Settings.AlwaysRun; }
int CViewer::GetDisplayConfirmation() const { return m_Settings.DisplayConfirmation; }
CString CViewer::GetFailsafeConfMessage() const { return m_Settings.FailsafeConfMessage; }
int CViewer::GetRebootMachine() const { return m_Settings.RebootMachine; }
int CViewer::GetTryAndForce() const { return m_Settings.TryAndForce; }
CString CViewer::GetForceString1() const { return m_Settings.ForceString1; }
CString CViewer::GetForceString2() const { return m_Settings.ForceString2; }
bool CViewer::GetLaunchedBefore() const { return m_LaunchedBefore; }
int CViewer::GetTimerId() const { return m_TimerId; }
void CViewer::SetOwner(CViewerWindow* owner) { m_Owner = owner; }
CViewerWindow* CViewer::GetOwner() const { return m_Owner; }

// ---------------------------------------------------------------------------------------
// Settings and the record

void CViewer::SetEqual(CViewer* other)
{
    if (!other || other == this)
        return;
    m_Settings = other->m_Settings;
    CopyProcessRecord(m_TargetProcess, other->m_TargetProcess);
    CopyProcessRecord(m_FailsafeProcess, other->m_FailsafeProcess);
}

void CViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    m_FileVersion[0] = major;
    m_FileVersion[1] = minor;
    m_FileVersion[2] = build;
    if (!file)
        return;
    file->WriteInt(m_Settings.ViewerType);
    if (IsVersionAtLeast(major, minor, build, 2, 8, 4))
        file->WriteInt(m_Settings.LaunchTargetType);
    file->WriteString(m_Settings.ViewerType == TypeFolder ? ReplaceBaseFolderWithMarker(m_Settings.TargetFilename, m_Settings.ProgramDirectory)
                                                 : m_Settings.TargetFilename);
    file->WriteString(WithWindowState(m_Settings.Parameters, m_Settings.WindowShowCmdWindow));
    file->WriteBool(0);
    file->WriteBool(m_Settings.TryAndForce);
    file->WriteString(m_Settings.ForceString1);
    file->WriteString(m_Settings.ForceString2);
    file->WriteBool(m_Settings.HasFailsafeProgram);
    if (!m_Settings.HasFailsafeProgram)
        return;
    file->WriteString(m_Settings.FailsafeProgPath);
    file->WriteBool(m_Settings.TryTargetFirst);
    file->WriteBool(m_Settings.AlwaysRun);
    file->WriteBool(m_Settings.CheckVersion);
    if (m_Settings.CheckVersion)
        file->WriteString(m_Settings.VersionString);
    file->WriteBool(m_Settings.DisplayConfirmation);
    if (m_Settings.DisplayConfirmation) {
        CString message = m_Settings.FailsafeConfMessage;
        message.Replace("\r\n", "~^~");
        file->WriteString(message);
    }
    file->WriteBool(m_Settings.RebootMachine);
}

void CViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    m_FileVersion[0] = major;
    m_FileVersion[1] = minor;
    m_FileVersion[2] = build;
    if (!file)
        return;
    if (IsVersionAtLeast(major, minor, build, 2, 8, 4))
        SetLaunchTargetType(file->ReadInt());
    SetTargetFilename(file->ReadString());
    SetParameters(file->ReadString());
    file->ReadBool();
    SetTryAndForce(file->ReadBool());
    SetForceString1(file->ReadString());
    SetForceString2(file->ReadString());
    SetHasFailsafeProgram(file->ReadBool());
    if (!m_Settings.HasFailsafeProgram)
        return;
    SetFailsafeProgPath(file->ReadString());
    SetTryTargetFirst(file->ReadBool());
    SetAlwaysRun(file->ReadBool());
    SetCheckVersion(file->ReadBool());
    if (m_Settings.CheckVersion)
        SetVersionString(file->ReadString());
    SetDisplayConfirmation(file->ReadBool());
    if (m_Settings.DisplayConfirmation) {
        CString message = file->ReadString();
        message.Replace("~^~", "\r\n");
        SetFailsafeConfMessage(message);
    }
    SetRebootMachine(file->ReadBool());
}

// ---------------------------------------------------------------------------------------
// Opening and following the target: the launcher's

void CViewer::Init() { CViewerLauncher(*this).Init(); }
void CViewer::Launch() { CViewerLauncher(*this).Launch(); }
void CViewer::Show() { CViewerLauncher(*this).Show(); }
bool CViewer::IsAlive() { return CViewerLauncher(*this).IsAlive(); }
void CViewer::OnTimer(UINT_PTR id) { CViewerLauncher(*this).OnTimer(id); }
bool CViewer::WasLaunchedBefore() { return CViewerLauncher(*this).WasLaunchedBefore(); }
bool CViewer::MarkLaunched() { return CViewerLauncher(*this).MarkLaunched(); }
bool CViewer::LaunchProcess(int kind, ProcessInfo_Tag& info) { return CViewerLauncher(*this).LaunchProcess(kind, info); }
bool CViewer::RunFailsafe() { return CViewerLauncher(*this).RunFailsafe(); }
void CViewer::ClassifyTarget() { CViewerLauncher(*this).ClassifyTarget(); }
void CViewer::FindAssociatedViewer(const CString& extension, CString& command, CString& description)
{
    CViewerLauncher(*this).FindAssociatedViewer(extension, command, description);
}
bool CViewer::GetConfirmation() { return CViewerLauncher(*this).GetConfirmation(); }
int CViewer::GetWindowsVersionCode() { return CViewerLauncher(*this).GetWindowsVersionCode(); }
bool CViewer::IsVersionOlder(const char* required, const char* installed)
{
    return CViewerLauncher::IsVersionOlder(required, installed);
}
int CViewer::GetWindowsVersionCode(DWORD platformId, DWORD major, DWORD minor, DWORD build)
{
    return CViewerLauncher::GetWindowsVersionCode(platformId, major, minor, build);
}
CString CViewer::ProjectKeyPath() const { return CViewerLauncher(const_cast<CViewer&>(*this)).ProjectKeyPath(); }
bool CViewer::ReadProjectDword(const char* format, DWORD& value) const
{
    return CViewerLauncher(const_cast<CViewer&>(*this)).ReadProjectDword(format, value);
}
bool CViewer::WriteProjectDword(const char* format, DWORD value) const
{
    return CViewerLauncher(const_cast<CViewer&>(*this)).WriteProjectDword(format, value);
}
bool CViewer::FindStartedProcess(CProcessList& snapshot, const CString& image, ProcessInfo_Tag& found,
                                 const char*& how)
{
    return CViewerLauncher(*this).FindStartedProcess(snapshot, image, found, how);
}
CString CViewer::ExpectedImage(int kind) const { return CViewerLauncher(const_cast<CViewer&>(*this)).ExpectedImage(kind); }
void CViewer::FailsafePoll() { CViewerLauncher(*this).FailsafePoll(); }
