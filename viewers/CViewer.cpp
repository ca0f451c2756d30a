#include "CViewer.h"

#include "BaseFolderMarker.h"
#include "CRegistryKey.h"
#include "CommandLineText.h"
#include "DataFileVersion.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

const char kCorvexKey[] = "Software\\Corvex Software";
const char kDefaultConfMessage[] =
    "This product requires additional software to be installed. Do you wish to proceed with the installation?";
const char kRebootMessage[] = "Installation complete, please reboot your computer and re-insert the CD-ROM";
// A class name leads to another at most this often before the walk gives up (the registry
// may hold a class that names itself).
const int kMaxClassSteps = 32;

bool BeginsWith(const CString& s, const char* head) { return s.Left(int(std::strlen(head))) == head; }

bool IsWebAddress(const CString& s) { return BeginsWith(s, "http://") || BeginsWith(s, "https://"); }

}

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
BEGIN_MESSAGE_MAP(CViewer, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()
#endif

CViewer::CViewer()
    : m_Platform(&CViewerPlatform::System()), m_Owner(nullptr), m_LogLength(0), m_TimerId(-1), m_SuppressAOL(0),
      m_Verbose(0), m_Splash(0), m_Hide(0), m_TargetNum(0), m_ViewerType(0), m_LaunchTargetType(0),
      m_FullScreen(false), m_TestMode(false), m_FileVersion{ 0, 0, 0 }, m_WindowShowCmdWindow(0),
      m_HasFailsafeProgram(0), m_WaitingOnFailsafe(0), m_TryTargetFirst(1), m_CheckVersion(0), m_AlwaysRun(0),
      m_DisplayConfirmation(1), m_FailsafeConfMessage(kDefaultConfMessage), m_RebootMachine(0), m_TryAndForce(0),
      m_LaunchedBefore(false), m_Alive(true), m_FailsafeStarted(false)
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

CString CViewer::ProjectKeyPath() const { return CString(kCorvexKey) + "\\" + m_ProjectRegistryKey; }

bool CViewer::ReadProjectDword(const char* format, DWORD& value) const
{
    CString name;
    name.Format(format, m_TargetNum);
    return CRegistryKey(HKEY_CURRENT_USER).QueryDword(ProjectKeyPath(), name, value);
}

bool CViewer::WriteProjectDword(const char* format, DWORD value) const
{
    CString name;
    name.Format(format, m_TargetNum);
    return CRegistryKey(HKEY_CURRENT_USER).SetDword(ProjectKeyPath(), name, value);
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

void CViewer::SetSuppressAOL(int value) { m_SuppressAOL = value; }
void CViewer::SetVerbose(int value) { m_Verbose = value; }
void CViewer::SetSplash(int value) { m_Splash = value; }
void CViewer::SetHide(int value) { m_Hide = value; }
void CViewer::SetTargetNum(int value) { m_TargetNum = value; }
void CViewer::SetRegConfString(CString value) { m_RegConfString = value; }
void CViewer::SetViewerType(int value) { m_ViewerType = value; }
void CViewer::SetTempPath(CString value) { m_TempPath = value; }
void CViewer::SetProjectRegistryKey(CString value) { m_ProjectRegistryKey = value; }
void CViewer::SetLaunchTargetType(int value) { m_LaunchTargetType = value; }
void CViewer::SetTestMode(bool value) { m_TestMode = value; }
void CViewer::SetTargetFilename(CString value) { m_TargetFilename = value; }
void CViewer::SetTargetFileExtension(CString value) { m_TargetFileExtension = value; }
void CViewer::SetParameters(CString value) { m_Parameters = value; }
void CViewer::SetWindowShowCmdWindow(int value) { m_WindowShowCmdWindow = value; }
void CViewer::SetTargetFileAndPath(CString value) { m_TargetFileAndPath = value; }
void CViewer::SetProgramDirectory(CString value) { m_ProgramDirectory = value; }
void CViewer::SetTargetProcess(ProcessInfo_Tag value) { AdoptProcess(m_TargetProcess, value, nullptr); }
void CViewer::SetRegViewerLocation(CString value) { m_RegViewerLocation = value; }
void CViewer::SetRegTargetDescription(CString value) { m_RegTargetDescription = value; }
void CViewer::SetRegViewerVersion(CString value) { m_RegViewerVersion = value; }
void CViewer::SetHasFailsafeProgram(int value) { m_HasFailsafeProgram = value; }
void CViewer::SetFailsafeProgPath(CString value) { m_FailsafeProgPath = value; }
void CViewer::SetFailsafeProcess(ProcessInfo_Tag value) { AdoptProcess(m_FailsafeProcess, value, nullptr); }
void CViewer::SetWaitingOnFailsafe(int value) { m_WaitingOnFailsafe = value; }
void CViewer::SetTryTargetFirst(int value) { m_TryTargetFirst = value; }
void CViewer::SetCheckVersion(int value) { m_CheckVersion = value; }
void CViewer::SetVersionString(CString value) { m_VersionString = value; }
void CViewer::SetAlwaysRun(int value) { m_AlwaysRun = value; }
void CViewer::SetDisplayConfirmation(int value) { m_DisplayConfirmation = value; }
void CViewer::SetFailsafeConfMessage(CString value) { m_FailsafeConfMessage = value; }
void CViewer::SetRebootMachine(int value) { m_RebootMachine = value; }
void CViewer::SetTryAndForce(int value) { m_TryAndForce = value; }
void CViewer::SetForceString1(CString value) { m_ForceString1 = value; }
void CViewer::SetForceString2(CString value) { m_ForceString2 = value; }
CString CViewer::GetLog() const { return CString(m_Log); }
void CViewer::ClearLog() { m_Log[0] = 0; m_LogLength = 0; }
CString CViewer::GetTargetFilename() const { return m_TargetFilename; }
int CViewer::GetWaitingOnFailsafe() const { return m_WaitingOnFailsafe; }
bool CViewer::GetFullScreen() const { return m_FullScreen; }
ProcessInfo_Tag CViewer::GetTargetProcess() const { return m_TargetProcess; }
int CViewer::GetSuppressAOL() const { return m_SuppressAOL; }
int CViewer::GetVerbose() const { return m_Verbose; }
int CViewer::GetSplash() const { return m_Splash; }
int CViewer::GetHide() const { return m_Hide; }
int CViewer::GetTargetNum() const { return m_TargetNum; }
CString CViewer::GetRegConfString() const { return m_RegConfString; }
int CViewer::GetViewerType() const { return m_ViewerType; }
CString CViewer::GetTempPath() const { return m_TempPath; }
CString CViewer::GetProjectRegistryKey() const { return m_ProjectRegistryKey; }
int CViewer::GetLaunchTargetType() const { return m_LaunchTargetType; }
bool CViewer::GetTestMode() const { return m_TestMode; }
CString CViewer::GetTargetFileExtension() const { return m_TargetFileExtension; }
CString CViewer::GetParameters() const { return m_Parameters; }
int CViewer::GetWindowShowCmdWindow() const { return m_WindowShowCmdWindow; }
CString CViewer::GetTargetFileAndPath() const { return m_TargetFileAndPath; }
CString CViewer::GetProgramDirectory() const { return m_ProgramDirectory; }
CString CViewer::GetRegViewerLocation() const { return m_RegViewerLocation; }
CString CViewer::GetRegTargetDescription() const { return m_RegTargetDescription; }
CString CViewer::GetRegViewerVersion() const { return m_RegViewerVersion; }
int CViewer::GetHasFailsafeProgram() const { return m_HasFailsafeProgram; }
CString CViewer::GetFailsafeProgPath() const { return m_FailsafeProgPath; }
ProcessInfo_Tag CViewer::GetFailsafeProcess() const { return m_FailsafeProcess; }
int CViewer::GetTryTargetFirst() const { return m_TryTargetFirst; }
int CViewer::GetCheckVersion() const { return m_CheckVersion; }
CString CViewer::GetVersionString() const { return m_VersionString; }
int CViewer::GetAlwaysRun() const { return m_AlwaysRun; }
int CViewer::GetDisplayConfirmation() const { return m_DisplayConfirmation; }
CString CViewer::GetFailsafeConfMessage() const { return m_FailsafeConfMessage; }
int CViewer::GetRebootMachine() const { return m_RebootMachine; }
int CViewer::GetTryAndForce() const { return m_TryAndForce; }
CString CViewer::GetForceString1() const { return m_ForceString1; }
CString CViewer::GetForceString2() const { return m_ForceString2; }
bool CViewer::GetLaunchedBefore() const { return m_LaunchedBefore; }
int CViewer::GetTimerId() const { return m_TimerId; }
void CViewer::SetOwner(CViewerWindow* owner) { m_Owner = owner; }

// ---------------------------------------------------------------------------------------
// Settings and the record

void CViewer::SetEqual(CViewer* other)
{
    if (!other || other == this)
        return;
    m_TestMode = other->m_TestMode;
    m_SuppressAOL = other->m_SuppressAOL;
    m_Verbose = other->m_Verbose;
    m_Splash = other->m_Splash;
    m_Hide = other->m_Hide;
    m_TargetNum = other->m_TargetNum;
    m_RegConfString = other->m_RegConfString;
    m_ViewerType = other->m_ViewerType;
    m_ProjectRegistryKey = other->m_ProjectRegistryKey;
    m_LaunchTargetType = other->m_LaunchTargetType;
    m_TargetFilename = other->m_TargetFilename;
    m_TargetFileExtension = other->m_TargetFileExtension;
    m_Parameters = other->m_Parameters;
    m_WindowShowCmdWindow = other->m_WindowShowCmdWindow;
    m_TargetFileAndPath = other->m_TargetFileAndPath;
    m_ProgramDirectory = other->m_ProgramDirectory;
    m_TargetProcess.ProcessName = other->m_TargetProcess.ProcessName;
    m_TargetProcess.ProcessPath = other->m_TargetProcess.ProcessPath;
    m_TargetProcess.ProcessID = other->m_TargetProcess.ProcessID;
    m_RegViewerLocation = other->m_RegViewerLocation;
    m_RegTargetDescription = other->m_RegTargetDescription;
    m_RegViewerVersion = other->m_RegViewerVersion;
    m_TryAndForce = other->m_TryAndForce;
    m_ForceString1 = other->m_ForceString1;
    m_ForceString2 = other->m_ForceString2;
    m_HasFailsafeProgram = other->m_HasFailsafeProgram;
    m_FailsafeProgPath = other->m_FailsafeProgPath;
    m_FailsafeProcess.ProcessName = other->m_FailsafeProcess.ProcessName;
    m_FailsafeProcess.ProcessPath = other->m_FailsafeProcess.ProcessPath;
    m_FailsafeProcess.ProcessID = other->m_FailsafeProcess.ProcessID;
    m_WaitingOnFailsafe = other->m_WaitingOnFailsafe;
    m_TryTargetFirst = other->m_TryTargetFirst;
    m_CheckVersion = other->m_CheckVersion;
    m_VersionString = other->m_VersionString;
    m_AlwaysRun = other->m_AlwaysRun;
    m_DisplayConfirmation = other->m_DisplayConfirmation;
    m_FailsafeConfMessage = other->m_FailsafeConfMessage;
    m_RebootMachine = other->m_RebootMachine;
}

void CViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    m_FileVersion[0] = major;
    m_FileVersion[1] = minor;
    m_FileVersion[2] = build;
    if (!file)
        return;
    file->WriteInt(m_ViewerType);
    if (IsVersionAtLeast(major, minor, build, 2, 8, 4))
        file->WriteInt(m_LaunchTargetType);
    file->WriteString(m_ViewerType == TypeFolder ? ReplaceBaseFolderWithMarker(m_TargetFilename, m_ProgramDirectory)
                                                 : m_TargetFilename);
    CString parameters = m_Parameters;
    if (m_WindowShowCmdWindow == 1)
        parameters += " /showCmdMAX";
    else if (m_WindowShowCmdWindow == 2)
        parameters += " /showCmdMIN";
    file->WriteString(parameters);
    file->WriteBool(0);
    file->WriteBool(m_TryAndForce);
    file->WriteString(m_ForceString1);
    file->WriteString(m_ForceString2);
    file->WriteBool(m_HasFailsafeProgram);
    if (!m_HasFailsafeProgram)
        return;
    file->WriteString(m_FailsafeProgPath);
    file->WriteBool(m_TryTargetFirst);
    file->WriteBool(m_AlwaysRun);
    file->WriteBool(m_CheckVersion);
    if (m_CheckVersion)
        file->WriteString(m_VersionString);
    file->WriteBool(m_DisplayConfirmation);
    if (m_DisplayConfirmation) {
        CString message = m_FailsafeConfMessage;
        message.Replace("\r\n", "~^~");
        file->WriteString(message);
    }
    file->WriteBool(m_RebootMachine);
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
    if (!m_HasFailsafeProgram)
        return;
    SetFailsafeProgPath(file->ReadString());
    SetTryTargetFirst(file->ReadBool());
    SetAlwaysRun(file->ReadBool());
    SetCheckVersion(file->ReadBool());
    if (m_CheckVersion)
        SetVersionString(file->ReadString());
    SetDisplayConfirmation(file->ReadBool());
    if (m_DisplayConfirmation) {
        CString message = file->ReadString();
        message.Replace("~^~", "\r\n");
        SetFailsafeConfMessage(message);
    }
    SetRebootMachine(file->ReadBool());
}

// ---------------------------------------------------------------------------------------
// Preparing the target

void CViewer::Init()
{
    Log("\n** %s #%d **\n", m_TargetFilename.IsEmpty() ? "Additional Viewer" : "Target", m_TargetNum);
    int at;
    if ((at = m_Parameters.Find(" /showCmdMAX")) >= 0) {
        m_Parameters.Delete(at, 12);
        m_WindowShowCmdWindow = 1;
    } else if ((at = m_Parameters.Find(" /showCmdMIN")) >= 0) {
        m_Parameters.Delete(at, 12);
        m_WindowShowCmdWindow = 2;
    } else {
        m_WindowShowCmdWindow = 0;
    }
    if (IsWebAddress(m_TargetFilename)) {
        m_TargetFileExtension = ".htm";
        m_ProgramDirectory.Empty();
    }
    ClassifyTarget();
    m_RegConfString = CString("CorvexVelmora") + m_TargetFileExtension;
    Log("\nFilename: %s\nFileExtension: %s\nParameters: %s\nMaximize: %d\nTarget File and Path: %s\nDirectory: "
        "%s\nRegViewer: %s\nRegDesc: %s\nRegVersion: %s\nHasFailsafe: %d\nFailsafeFile: %s\nTryTarget: "
        "%d\nCheckVersion: %d\nVersion: %s\nAlwaysRun: %d\nDisplayConf: %d\nConfMessage: %s\nReboot: "
        "%d\nTryForce: %d\nForce1: %s\nForce2: %s\n\n",
        m_TargetFilename.c_str(), m_TargetFileExtension.c_str(), m_Parameters.c_str(), m_WindowShowCmdWindow,
        m_TargetFileAndPath.c_str(), m_ProgramDirectory.c_str(), m_RegViewerLocation.c_str(),
        m_RegTargetDescription.c_str(), m_RegViewerVersion.c_str(), m_HasFailsafeProgram,
        m_FailsafeProgPath.c_str(), m_TryTargetFirst, m_CheckVersion, m_VersionString.c_str(), m_AlwaysRun,
        m_DisplayConfirmation, m_FailsafeConfMessage.c_str(), m_RebootMachine, m_TryAndForce,
        m_ForceString1.c_str(), m_ForceString2.c_str());
}

void CViewer::ClassifyTarget()
{
    if (m_TargetFileExtension.IsEmpty())
        m_TargetFileExtension = ExtensionOf(m_TargetFilename);
    if (m_TargetFileExtension == ".htm" || m_TargetFileExtension == ".html") {
        if (IsWebAddress(m_TargetFilename)) {
            m_TargetFileAndPath = m_TargetFilename;
        } else {
            m_TargetFileAndPath = CString("file:///") + m_ProgramDirectory + "\\" + m_TargetFilename;
            m_TargetFileAndPath.Replace('\\', '/');
        }
    } else if (m_TargetFilename.Left(7).CompareNoCase("mailto:") == 0) {
        m_TargetFileAndPath = m_TargetFilename;
    } else {
        m_TargetFileAndPath = m_ProgramDirectory + "\\" + m_TargetFilename;
    }
    if (!m_TargetFileExtension.IsEmpty())
        FindAssociatedViewer(m_TargetFileExtension, m_RegViewerLocation, m_RegTargetDescription);
    if (m_TargetFileExtension == ".exe" && m_RegViewerLocation.IsEmpty())
        m_RegViewerLocation = m_TargetFilename;
    const CString program = ProgramPathOf(m_RegViewerLocation);
    if (!program.IsEmpty()) {
        const CString version = m_Platform->GetFileVersion(program);
        if (!version.IsEmpty())
            m_RegViewerVersion = version;
    }
}

void CViewer::FindAssociatedViewer(const CString& extension, CString& commandOut, CString& descriptionOut)
{
    Log("\nRegistry walk: %s\n", extension.c_str());
    CString command, description;
    bool found = false;

    const CRegistryKey user(HKEY_CURRENT_USER), machine(HKEY_LOCAL_MACHINE), classes(HKEY_CLASSES_ROOT);
    const CString choice = CString("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\") + extension;
    CString application;
    if (user.QueryString(choice, "Application", application)) {
        Log("Key Found: %s\n", choice.c_str());
        const CString key = CString("Software\\Classes\\Applications\\") + application + "\\Shell\\Open\\Command";
        if (machine.QueryString(key, "", command)) {
            Log("Key Found: %s\n", key.c_str());
            found = true;
        }
    }

    CString current = extension;
    std::set<CString> visited{ current };
    for (int step = 0; !found && step < kMaxClassSteps; ++step) {
        for (const char* verb : { "\\shell\\open\\command", "\\shell\\show\\command" }) {
            const CString key = current + verb;
            if (classes.QueryString(key, "", command)) {
                Log("Key Found: %s\n", key.c_str());
                classes.QueryString(current, "", description);
                found = true;
                break;
            }
        }
        if (found)
            break;
        CString next;
        if (!classes.QueryString(current, "", next))
            break;
        if (next.IsEmpty())
            return;
        CString folded = next;
        folded.MakeLower();
        if (!visited.insert(folded).second)
            break;
        current = next;
        Log("Key Change: %s\n", current.c_str());
    }

    command = CleanRegisteredCommand(command, m_Platform->GetEnvironment("SystemRoot"));
    if (command.Find("netscape.exe") >= 0)
        m_Parameters.Replace(" -k ", " -sk ");
    CString arguments;
    arguments.Format(" %s \"%s\"", m_Parameters.c_str(), m_TargetFileAndPath.c_str());
    command = PlaceArguments(command, arguments);
    commandOut = command;
    descriptionOut = description;
    Log("Registry done: %s  -->  %s\n", command.c_str(), description.c_str());
}

bool CViewer::IsVersionOlder(const char* required, const char* installed)
{
    auto split = [](const char* text, int (&parts)[10]) {
        for (int& p : parts)
            p = 0;
        const char* s = text ? text : "";
        for (int i = 0; i < 10 && *s; ++i) {
            parts[i] = std::atoi(s);
            s = std::strchr(s, '.');
            if (!s)
                break;
            ++s;
        }
    };
    int want[10], have[10];
    split(required, want);
    split(installed, have);
    for (int i = 0; i < 10; ++i)
        if (want[i] != have[i])
            return have[i] < want[i];
    return false;
}

int CViewer::GetWindowsVersionCode(DWORD platformId, DWORD major, DWORD minor, DWORD build)
{
    if (platformId == 1) {
        if (minor < 10)
            return 1;
        if (minor < 90)
            return (build & 0xFFFF) <= 2221 ? 2 : 3;
        return 5;
    }
    if (platformId == 2) {
        if (major < 5)
            return 4;
        return build <= 2195 ? 6 : 7;
    }
    return 0;
}

int CViewer::GetWindowsVersionCode()
{
    DWORD platformId = 0, major = 0, minor = 0, build = 0;
    m_Platform->GetSystemVersion(platformId, major, minor, build);
    return GetWindowsVersionCode(platformId, major, minor, build);
}

// ---------------------------------------------------------------------------------------
// Opening the target

bool CViewer::WasLaunchedBefore()
{
    DWORD opened = 0;
    if (m_LaunchTargetType == 1 && ReadProjectDword("%dT", opened) && opened) {
        m_LaunchedBefore = true;
        m_Alive = false;
        return true;
    }
    m_LaunchedBefore = false;
    return false;
}

bool CViewer::MarkLaunched()
{
    return m_LaunchTargetType == 1 && WriteProjectDword("%dT", 1);
}

void CViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    if (m_TargetFilename.IsEmpty()) {
        Log("\n* Target Filename #%d does not exist *\n", m_TargetNum);
        if (m_HasFailsafeProgram) {
            AppendLog("Additional Viewer Check\n");
            if (m_RegViewerLocation == CString("  \"") + m_TargetFileAndPath + "\"") {
                AppendLog("No Viewer found\n");
                RunFailsafe();
                return;
            }
            Log("Previous Viewer found -> %s\n", m_RegViewerLocation.c_str());
            if (!m_VersionString.IsEmpty() && IsVersionOlder(m_VersionString, m_RegViewerVersion)) {
                AppendLog("Viewer Version too old\n");
                RunFailsafe();
            }
            return;
        }
    } else if (m_HasFailsafeProgram) {
        CString viewer = m_RegViewerLocation;
        viewer.MakeLower();
        if (m_SuppressAOL && viewer.Find("aol.exe") >= 0) {
            AppendLog("AOL Suppressed\n");
            RunFailsafe();
            return;
        }
        if (m_AlwaysRun) {
            AppendLog("Failsafe Always\n");
            RunFailsafe();
            return;
        }
        if (m_CheckVersion && !m_RegViewerVersion.IsEmpty()) {
            CString installed = m_RegViewerVersion;
            if (m_TryAndForce) {
                CString forced = m_ForceString1;
                forced.Remove('"');
                const CString version = m_Platform->GetFileVersion(forced);
                if (!version.IsEmpty())
                    installed = version;
            }
            if (IsVersionOlder(m_VersionString, installed)) {
                AppendLog("Failsafe Version Fail\n");
                RunFailsafe();
                return;
            }
        }
    }

    Log("\nStarting Target #%d...\n", m_TargetNum);
    bool started = false;
    if (m_TryAndForce) {
        started = LaunchProcess(LaunchForce1, m_TargetProcess);
        if (!started && !m_ForceString2.IsEmpty())
            started = LaunchProcess(LaunchForce2, m_TargetProcess);
    }
    // A target without an extension (a link, a folder) has no registered program: the
    // shell gets it.
    if (!started && (!m_RegViewerLocation.IsEmpty() || m_TargetFileExtension.IsEmpty()))
        started = LaunchProcess(LaunchTarget, m_TargetProcess);
    if (started) {
        Log("\nProcess Dump #%d\n", m_TargetNum);
        AppendLog(Processes().Dump());
        AppendLog("\n");
        MarkLaunched();
        return;
    }
    AppendLog("Target Launch failed");
    if (m_HasFailsafeProgram && m_TryTargetFirst) {
        RunFailsafe();
    } else {
        Log("\nProcess Dump #%d\n", m_TargetNum);
        AppendLog(Processes().Dump());
        AppendLog("\n");
    }
}

CString CViewer::ExpectedImage(int kind) const
{
    switch (kind) {
    case LaunchTarget:
        if (m_TargetFileExtension == ".exe")
            return FileNameOf(m_TargetFileAndPath);
        return FileNameOf(ProgramPathOf(m_RegViewerLocation));
    case LaunchFailsafe:
        return FileNameOf(ProgramPathOf(m_FailsafeProgPath));
    case LaunchForce1:
        return FileNameOf(ProgramPathOf(m_ForceString1));
    default:
        return FileNameOf(ProgramPathOf(m_ForceString2));
    }
}

bool CViewer::FindStartedProcess(CProcessList& snapshot, const CString& image, ProcessInfo_Tag& found,
                                 const char*& how)
{
    how = "SE";
    int count = 0;
    const ProcessInfo_Tag* fresh = snapshot.GetNewProcesses(count);
    if (image.IsEmpty())
        return false;
    for (int i = 0; i < count; ++i) {
        if (fresh[i].ProcessName.CompareNoCase(image) == 0) {
            snapshot.GetAt(i, found);
            return true;
        }
    }
    how = "SEO";
    return m_Platform->NewProcessList()->FindByName(image, found);
}

bool CViewer::LaunchProcess(int kind, ProcessInfo_Tag& info)
{
    CViewerPlatform& sys = *m_Platform;
    std::unique_ptr<CProcessList> snapshot = sys.NewProcessList();
    int count = 0;
    snapshot->Refresh(count);
    const char* folder = m_ProgramDirectory.IsEmpty() ? nullptr : m_ProgramDirectory.c_str();
    const CString image = ExpectedImage(kind);

    bool started = false;
    ProcessInfo_Tag created;
    DWORD lastError = 0;
    if (kind == LaunchTarget) {
        AppendLog("CP Launch Target\n");
        const CString& ext = m_TargetFileExtension;
        if (ext == ".exe") {
            CString commandLine;
            commandLine.Format("\"%s\" %s", m_TargetFileAndPath.c_str(), m_Parameters.c_str());
            started = sys.StartProcess(m_TargetFileAndPath, commandLine, folder, true, created, lastError);
        } else if (ext == ".dot") {
            started = sys.ShellExecuteTarget("new", m_TargetFileAndPath, m_Parameters, folder, ViewerSW_SHOW) > 32;
        } else if (ext == ".avi" && m_RegViewerLocation.Find("RealPlay.exe") < 0) {
            started = sys.ShellExecuteTarget("play", m_TargetFileAndPath, m_Parameters, folder, ViewerSW_SHOW) > 32;
        } else if (m_TargetFilename == "command.com" || m_TargetFilename == "cmd.exe") {
            const CString system = sys.GetSystemFolder();
            started = sys.StartProcess(system + "\\cmd.exe", nullptr, folder, false, created, lastError);
            if (!started) {
                CString dos = system + "\\command.com";
                dos.Replace("SYSTEM\\", "");
                started = sys.StartProcess(dos, nullptr, folder, false, created, lastError);
            }
        } else if (ext == ".pdf") {
            CString reader;
            const CRegistryKey user(HKEY_CURRENT_USER);
            for (const char* version : { "7.0", "6.0", "5.0" }) {
                if (user.QueryString(CString("Software\\Adobe\\Acrobat Reader\\") + version + "\\InstallPath", "",
                                     reader))
                    break;
                reader.Empty();
            }
            if (!reader.IsEmpty()) {
                if (reader.Right(1) != "\\")
                    reader += "\\";
                reader += "AcroRd32.exe";
                if (m_RegViewerLocation.Find(reader) >= 0) {
                    CString commandLine;
                    commandLine.Format("\"%s\" /n \"%s\"", reader.c_str(), m_TargetFileAndPath.c_str());
                    started = sys.StartProcess(nullptr, commandLine, folder, false, created, lastError);
                }
            }
        }
        // A command run through RunDll is the shell's to open, unless something started.
        if (!started && m_RegViewerLocation.Find("RunDll") >= 0)
            started = sys.ShellExecuteTarget("open", m_TargetFileAndPath, m_Parameters, folder, ViewerSW_SHOW) > 32;
        if (!started && ext != ".pdf")
            started = sys.StartProcess(nullptr, WithoutSkFlag(m_RegViewerLocation), folder, false, created,
                                       lastError);
    } else if (kind == LaunchFailsafe) {
        AppendLog("CP Launch Failsafe\n");
        CString lower = m_FailsafeProgPath;
        lower.MakeLower();
        if (lower.Find(".htm") < 0)
            started = sys.StartProcess(nullptr, m_FailsafeProgPath, folder, false, created, lastError);
    }

    if (started) {
        ProcessInfo_Tag found;
        if (created.hProcess)
            sys.WaitForIdle(created.hProcess, 10000);
        if (created.ProcessID) {
            std::unique_ptr<CProcessList> fresh = sys.NewProcessList();
            bool listed = false;
            for (int retry = 0; retry < 100 && !(listed = fresh->FindByID(created.ProcessID, found)); ++retry)
                sys.Sleep(100);
            if (!listed)
                found.ProcessID = created.ProcessID;
        } else {
            // Started by the shell: no process is known; take the new one of the program expected.
            sys.Sleep(1000);
            const char* how = nullptr;
            FindStartedProcess(*snapshot, image, found, how);
        }
        found.hWnd = nullptr;
        AdoptProcess(info, found, created.hProcess);
        sys.WaitForProcessWindow(info, !m_TestMode);
        if (kind == LaunchFailsafe && info.hWnd)
            sys.BringToFront(info.hWnd);
        Log("CP:\t%s\t%s\t%x\n", info.ProcessName.c_str(), info.ProcessPath.c_str(), unsigned(info.ProcessID));
        return true;
    }

    Log("CP: Fail: %d\n", int(lastError));
    CString file, parameters;
    switch (kind) {
    case LaunchTarget:
        AppendLog("SE Launch Target\n");
        file = m_TargetFileAndPath;
        parameters = WithoutSkFlag(m_Parameters);
        break;
    case LaunchForce1:
    case LaunchForce2:
        AppendLog(kind == LaunchForce1 ? "SE Launch Try and Force 1\n" : "SE Launch Try and Force 2\n");
        file = kind == LaunchForce1 ? m_ForceString1 : m_ForceString2;
        parameters = m_Parameters + " \"" + m_ProgramDirectory + "\\" + m_TargetFilename + "\"";
        break;
    default:
        AppendLog("SE Launch Failsafe\n");
        file = m_FailsafeProgPath;
        break;
    }
    const int result = sys.ShellExecuteTarget("open", file, parameters, folder, ViewerSW_SHOW);
    if (result <= 32) {
        Log("SE: Fail: %d\n", result);
        return false;
    }
    sys.Sleep(1000);
    ProcessInfo_Tag found;
    const char* how = nullptr;
    FindStartedProcess(*snapshot, image, found, how);
    Log("%s:\t%s\t%s\t%x\n", how, found.ProcessName.c_str(), found.ProcessPath.c_str(), unsigned(found.ProcessID));
    AdoptProcess(info, found, nullptr);
    sys.WaitForProcessWindow(info, !m_TestMode);
    if (kind == LaunchFailsafe && info.hWnd)
        sys.BringToFront(info.hWnd);
    return true;
}

bool CViewer::GetConfirmation()
{
    bool dontAsk = false;
    const bool yes = m_Platform->AskConfirmation(m_FailsafeConfMessage, dontAsk);
    if (dontAsk)
        WriteProjectDword("%dF", 1);
    return yes;
}

bool CViewer::RunFailsafe()
{
    AppendLog("\nFailsafe Started...\n");
    m_FailsafeStarted = false;
    DWORD never = 0;
    if (ReadProjectDword("%dF", never) && never) {
        if (!m_TargetFilename.IsEmpty())
            LaunchProcess(LaunchTarget, m_TargetProcess);
        return false;
    }
    if (m_DisplayConfirmation) {
        AppendLog("Getting Confirmation...\n");
        m_HasFailsafeProgram = GetConfirmation() ? 1 : 0;
    }
    if (m_HasFailsafeProgram && LaunchProcess(LaunchFailsafe, m_FailsafeProcess)) {
        AppendLog("Failsafe Launched\n");
        m_WaitingOnFailsafe = 1;
        m_FailsafeStarted = true;
        m_TimerId = FailsafeTimer;
        m_Platform->StartTimer(*this, FailsafeTimer, 2000);
        return true;
    }
    m_TimerId = FailsafeTimer;
    m_Platform->StartTimer(*this, FailsafeTimer, 100);
    return false;
}

void CViewer::OnTimer(UINT_PTR id)
{
    if (m_TimerId >= 0 && id == UINT_PTR(m_TimerId))
        FailsafePoll();
}

void CViewer::FailsafePoll()
{
    m_Platform->StopTimer(*this, UINT(m_TimerId));
    m_TimerId = -1;
    if (m_FailsafeStarted && Processes().IsRunning(m_FailsafeProcess)) {
        m_TimerId = FailsafeTimer;
        m_Platform->StartTimer(*this, FailsafeTimer, 250);
        return;
    }
    AppendLog("Failsafe Program Finished\n");
    // Only a failsafe program that ran has installed anything to reboot for.
    if (m_HasFailsafeProgram && !m_FailsafeStarted)
        AppendLog("Failsafe Program did not start\n");
    if (m_HasFailsafeProgram && m_RebootMachine && m_FailsafeStarted) {
        m_Platform->ShowMessage(kRebootMessage);
        m_WaitingOnFailsafe = 0;
        m_Alive = false;
        m_TargetFilename.Empty();
        m_TargetFileAndPath.Empty();
        return;
    }
    m_HasFailsafeProgram = 0;
    m_Platform->SetCurrentFolder(m_ProgramDirectory);
    if (!m_TargetFileExtension.IsEmpty())
        ClassifyTarget();
    if (!m_TargetFilename.IsEmpty())
        Launch();
    m_WaitingOnFailsafe = 0;
}

// ---------------------------------------------------------------------------------------
// Following the target

void CViewer::Show()
{
    if (m_LaunchedBefore || !m_TargetProcess.hWnd)
        return;
    const int show = m_WindowShowCmdWindow == 1   ? ViewerSW_SHOWMAXIMIZED
                     : m_WindowShowCmdWindow == 2 ? ViewerSW_SHOWMINIMIZED
                                                  : ViewerSW_SHOWNORMAL;
    m_Platform->ShowWindow(m_TargetProcess.hWnd, show);
    m_Platform->BringToFront(m_TargetProcess.hWnd);
}

bool CViewer::IsAlive()
{
    return Processes().IsRunning(m_TargetFilename.IsEmpty() ? m_FailsafeProcess : m_TargetProcess);
}

CViewerWindow* CViewer::GetOwner() const { return m_Owner; }
