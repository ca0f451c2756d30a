#include "CViewerLauncher.h"

#include "CRegistryKey.h"
#include "CommandLineText.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

const char kCorvexKey[] = "Software\\Corvex Software";
const char kRebootMessage[] = "Installation complete, please reboot your computer and re-insert the CD-ROM";
// A class name leads to another at most this often before the walk gives up (the registry
// may hold a class that names itself).
const int kMaxClassSteps = 32;

bool BeginsWith(const CString& s, const char* head) { return s.Left(int(std::strlen(head))) == head; }

bool IsWebAddress(const CString& s) { return BeginsWith(s, "http://") || BeginsWith(s, "https://"); }

// The longest path the system opens (MAX_PATH less its terminating zero), and the longest
// web address the shell takes.
const int kMaxPathLength = 259;
const int kMaxAddressLength = 2083;
// The longest command line CreateProcess takes (32,767 characters with its terminating zero).
const int kMaxCommandLineLength = 32766;

}

bool CViewerLauncher::FitsACommandLine(const CString& commandLine)
{
    return commandLine.GetLength() <= kMaxCommandLineLength;
}

bool CViewerLauncher::FitsTheSystem(const CString& path)
{
    if (BeginsWith(path, "file:///"))
        return path.GetLength() - 8 <= kMaxPathLength;
    if (IsWebAddress(path) || path.Left(7).CompareNoCase("mailto:") == 0)
        return path.GetLength() <= kMaxAddressLength;
    return path.GetLength() <= kMaxPathLength;
}

CViewerLauncher::CViewerLauncher(CViewer& viewer) : v(viewer), s(viewer.m_Settings) {}

CString CViewerLauncher::ProjectKeyPath() const { return CString(kCorvexKey) + "\\" + s.ProjectRegistryKey; }

bool CViewerLauncher::ReadProjectDword(const char* format, DWORD& value) const
{
    CString name;
    name.Format(format, s.TargetNum);
    return CRegistryKey(HKEY_CURRENT_USER).QueryDword(ProjectKeyPath(), name, value);
}

bool CViewerLauncher::WriteProjectDword(const char* format, DWORD value) const
{
    CString name;
    name.Format(format, s.TargetNum);
    return CRegistryKey(HKEY_CURRENT_USER).SetDword(ProjectKeyPath(), name, value);
}

// ---------------------------------------------------------------------------------------
// Preparing the target

void CViewerLauncher::Init()
{
    v.Log("\n** %s #%d **\n", s.TargetFilename.IsEmpty() ? "Additional Viewer" : "Target", s.TargetNum);
    s.WindowShowCmdWindow = TakeWindowState(s.Parameters);
    if (IsWebAddress(s.TargetFilename)) {
        s.TargetFileExtension = ".htm";
        s.ProgramDirectory.Empty();
    }
    ClassifyTarget();
    s.RegConfString = CString("CorvexVelmora") + s.TargetFileExtension;
    v.Log("\nFilename: %s\nFileExtension: %s\nParameters: %s\nMaximize: %d\nTarget File and Path: %s\nDirectory: "
        "%s\nRegViewer: %s\nRegDesc: %s\nRegVersion: %s\nHasFailsafe: %d\nFailsafeFile: %s\nTryTarget: "
        "%d\nCheckVersion: %d\nVersion: %s\nAlwaysRun: %d\nDisplayConf: %d\nConfMessage: %s\nReboot: "
        "%d\nTryForce: %d\nForce1: %s\nForce2: %s\n\n",
        s.TargetFilename.c_str(), s.TargetFileExtension.c_str(), s.Parameters.c_str(), s.WindowShowCmdWindow,
        s.TargetFileAndPath.c_str(), s.ProgramDirectory.c_str(), s.RegViewerLocation.c_str(),
        s.RegTargetDescription.c_str(), s.RegViewerVersion.c_str(), s.HasFailsafeProgram,
        s.FailsafeProgPath.c_str(), s.TryTargetFirst, s.CheckVersion, s.VersionString.c_str(), s.AlwaysRun,
        s.DisplayConfirmation, s.FailsafeConfMessage.c_str(), s.RebootMachine, s.TryAndForce,
        s.ForceString1.c_str(), s.ForceString2.c_str());
}

void CViewerLauncher::ClassifyTarget()
{
    if (s.TargetFileExtension.IsEmpty())
        s.TargetFileExtension = ExtensionOf(s.TargetFilename);
    if (s.TargetFileExtension == ".htm" || s.TargetFileExtension == ".html") {
        if (IsWebAddress(s.TargetFilename)) {
            s.TargetFileAndPath = s.TargetFilename;
        } else {
            s.TargetFileAndPath = CString("file:///") + s.ProgramDirectory + "\\" + s.TargetFilename;
            s.TargetFileAndPath.Replace('\\', '/');
        }
    } else if (s.TargetFilename.Left(7).CompareNoCase("mailto:") == 0) {
        s.TargetFileAndPath = s.TargetFilename;
    } else {
        s.TargetFileAndPath = s.ProgramDirectory + "\\" + s.TargetFilename;
    }
    if (!s.TargetFileExtension.IsEmpty())
        FindAssociatedViewer(s.TargetFileExtension, s.RegViewerLocation, s.RegTargetDescription);
    if (s.TargetFileExtension == ".exe" && s.RegViewerLocation.IsEmpty())
        s.RegViewerLocation = s.TargetFilename;
    const CString program = ProgramPathOf(s.RegViewerLocation);
    if (!program.IsEmpty()) {
        const CString version = v.Platform().GetFileVersion(program);
        if (!version.IsEmpty())
            s.RegViewerVersion = version;
    }
}

void CViewerLauncher::FindAssociatedViewer(const CString& extension, CString& commandOut, CString& descriptionOut)
{
    v.Log("\nRegistry walk: %s\n", extension.c_str());
    CString command, description;
    bool found = false;

    const CRegistryKey user(HKEY_CURRENT_USER), machine(HKEY_LOCAL_MACHINE), classes(HKEY_CLASSES_ROOT);
    const CString choice = CString("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\") + extension;
    CString application;
    if (user.QueryString(choice, "Application", application)) {
        v.Log("Key Found: %s\n", choice.c_str());
        const CString key = CString("Software\\Classes\\Applications\\") + application + "\\Shell\\Open\\Command";
        if (machine.QueryString(key, "", command)) {
            v.Log("Key Found: %s\n", key.c_str());
            found = true;
        }
    }

    CString current = extension;
    std::set<CString> visited{ current };
    for (int step = 0; !found && step < kMaxClassSteps; ++step) {
        for (const char* verb : { "\\shell\\open\\command", "\\shell\\show\\command" }) {
            const CString key = current + verb;
            if (classes.QueryString(key, "", command)) {
                v.Log("Key Found: %s\n", key.c_str());
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
        v.Log("Key Change: %s\n", current.c_str());
    }

    command = CleanRegisteredCommand(command, v.Platform().GetEnvironment("SystemRoot"));
    if (command.Find("netscape.exe") >= 0)
        s.Parameters.Replace(" -k ", " -sk ");
    CString arguments;
    arguments.Format(" %s \"%s\"", s.Parameters.c_str(), s.TargetFileAndPath.c_str());
    command = PlaceArguments(command, arguments);
    commandOut = command;
    descriptionOut = description;
    v.Log("Registry done: %s  -->  %s\n", command.c_str(), description.c_str());
}

bool CViewerLauncher::IsVersionOlder(const char* required, const char* installed)
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

int CViewerLauncher::GetWindowsVersionCode(DWORD platformId, DWORD major, DWORD minor, DWORD build)
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

int CViewerLauncher::GetWindowsVersionCode()
{
    DWORD platformId = 0, major = 0, minor = 0, build = 0;
    v.Platform().GetSystemVersion(platformId, major, minor, build);
    return GetWindowsVersionCode(platformId, major, minor, build);
}

// ---------------------------------------------------------------------------------------
// Opening the target

bool CViewerLauncher::WasLaunchedBefore()
{
    DWORD opened = 0;
    if (s.LaunchTargetType == 1 && ReadProjectDword("%dT", opened) && opened) {
        v.m_LaunchedBefore = true;
        v.m_Alive = false;
        return true;
    }
    v.m_LaunchedBefore = false;
    return false;
}

bool CViewerLauncher::MarkLaunched()
{
    return s.LaunchTargetType == 1 && WriteProjectDword("%dT", 1);
}

void CViewerLauncher::Launch()
{
    if (WasLaunchedBefore())
        return;
    if (s.TargetFilename.IsEmpty()) {
        v.Log("\n* Target Filename #%d does not exist *\n", s.TargetNum);
        if (s.HasFailsafeProgram) {
            v.AppendLog("Additional Viewer Check\n");
            if (s.RegViewerLocation == CString("  \"") + s.TargetFileAndPath + "\"") {
                v.AppendLog("No Viewer found\n");
                RunFailsafe();
                return;
            }
            v.Log("Previous Viewer found -> %s\n", s.RegViewerLocation.c_str());
            if (!s.VersionString.IsEmpty() && IsVersionOlder(s.VersionString, s.RegViewerVersion)) {
                v.AppendLog("Viewer Version too old\n");
                RunFailsafe();
            }
            return;
        }
        // Handed to the shell, an empty name would open the base folder itself.
        v.AppendLog("Nothing to launch\n");
        return;
    } else if (s.HasFailsafeProgram) {
        CString viewer = s.RegViewerLocation;
        viewer.MakeLower();
        if (s.SuppressAOL && viewer.Find("aol.exe") >= 0) {
            v.AppendLog("AOL Suppressed\n");
            RunFailsafe();
            return;
        }
        if (s.AlwaysRun) {
            v.AppendLog("Failsafe Always\n");
            RunFailsafe();
            return;
        }
        if (s.CheckVersion && !s.RegViewerVersion.IsEmpty()) {
            CString installed = s.RegViewerVersion;
            if (s.TryAndForce) {
                CString forced = s.ForceString1;
                forced.Remove('"');
                const CString version = v.Platform().GetFileVersion(forced);
                if (!version.IsEmpty())
                    installed = version;
            }
            if (IsVersionOlder(s.VersionString, installed)) {
                v.AppendLog("Failsafe Version Fail\n");
                RunFailsafe();
                return;
            }
        }
    }

    v.Log("\nStarting Target #%d...\n", s.TargetNum);
    bool started = false;
    if (s.TryAndForce) {
        started = LaunchProcess(CViewer::LaunchForce1, v.m_TargetProcess);
        if (!started && !s.ForceString2.IsEmpty())
            started = LaunchProcess(CViewer::LaunchForce2, v.m_TargetProcess);
    }
    // A target without an extension (a link, a folder) has no registered program: the
    // shell gets it.
    if (!started && (!s.RegViewerLocation.IsEmpty() || s.TargetFileExtension.IsEmpty()))
        started = LaunchProcess(CViewer::LaunchTarget, v.m_TargetProcess);
    if (started) {
        v.Log("\nProcess Dump #%d\n", s.TargetNum);
        v.AppendLog(v.Processes().Dump());
        v.AppendLog("\n");
        MarkLaunched();
        return;
    }
    v.AppendLog("Target Launch failed");
    if (s.HasFailsafeProgram && s.TryTargetFirst) {
        RunFailsafe();
    } else {
        v.Log("\nProcess Dump #%d\n", s.TargetNum);
        v.AppendLog(v.Processes().Dump());
        v.AppendLog("\n");
    }
}

CString CViewerLauncher::ExpectedImage(int kind) const
{
    switch (kind) {
    case CViewer::LaunchTarget:
        if (s.TargetFileExtension == ".exe")
            return FileNameOf(s.TargetFileAndPath);
        return FileNameOf(ProgramPathOf(s.RegViewerLocation));
    case CViewer::LaunchFailsafe:
        return FileNameOf(ProgramPathOf(s.FailsafeProgPath));
    case CViewer::LaunchForce1:
        return FileNameOf(ProgramPathOf(s.ForceString1));
    default:
        return FileNameOf(ProgramPathOf(s.ForceString2));
    }
}

bool CViewerLauncher::FindStartedProcess(CProcessList& snapshot, const CString& image, ProcessInfo_Tag& found,
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
    return v.Platform().NewProcessList()->FindByName(image, found);
}

bool CViewerLauncher::LaunchProcess(int kind, ProcessInfo_Tag& info)
{
    const CString& path = kind == CViewer::LaunchTarget     ? s.TargetFileAndPath
                          : kind == CViewer::LaunchFailsafe ? s.FailsafeProgPath
                          : kind == CViewer::LaunchForce1   ? s.ForceString1
                                                            : s.ForceString2;
    // The failsafe program is a command line, with its arguments.
    if (kind == CViewer::LaunchFailsafe ? !FitsACommandLine(path) : !FitsTheSystem(path)) {
        v.Log("Path too long (%d characters): not launched\n", path.GetLength());
        return false;
    }
    CViewerPlatform& sys = v.Platform();
    std::unique_ptr<CProcessList> snapshot = sys.NewProcessList();
    int count = 0;
    snapshot->Refresh(count);
    const char* folder = s.ProgramDirectory.IsEmpty() ? nullptr : s.ProgramDirectory.c_str();
    const CString image = ExpectedImage(kind);

    bool started = false;
    ProcessInfo_Tag created;
    DWORD lastError = 0;
    if (kind == CViewer::LaunchTarget) {
        v.AppendLog("CP Launch Target\n");
        const CString& ext = s.TargetFileExtension;
        if (ext == ".exe") {
            CString commandLine;
            commandLine.Format("\"%s\" %s", s.TargetFileAndPath.c_str(), s.Parameters.c_str());
            started = sys.StartProcess(s.TargetFileAndPath, commandLine, folder, true, created, lastError);
        } else if (ext == ".dot") {
            started = sys.ShellExecuteTarget("new", s.TargetFileAndPath, s.Parameters, folder, ViewerSW_SHOW) > 32;
        } else if (ext == ".avi" && s.RegViewerLocation.Find("RealPlay.exe") < 0) {
            started = sys.ShellExecuteTarget("play", s.TargetFileAndPath, s.Parameters, folder, ViewerSW_SHOW) > 32;
        } else if (s.TargetFilename == "command.com" || s.TargetFilename == "cmd.exe") {
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
                if (s.RegViewerLocation.Find(reader) >= 0) {
                    CString commandLine;
                    commandLine.Format("\"%s\" /n \"%s\"", reader.c_str(), s.TargetFileAndPath.c_str());
                    started = sys.StartProcess(nullptr, commandLine, folder, false, created, lastError);
                }
            }
        }
        // A command run through RunDll is the shell's to open, unless something started.
        if (!started && s.RegViewerLocation.Find("RunDll") >= 0)
            started = sys.ShellExecuteTarget("open", s.TargetFileAndPath, s.Parameters, folder, ViewerSW_SHOW) > 32;
        if (!started && ext != ".pdf")
            started = sys.StartProcess(nullptr, WithoutSkFlag(s.RegViewerLocation), folder, false, created,
                                       lastError);
    } else if (kind == CViewer::LaunchFailsafe) {
        v.AppendLog("CP Launch Failsafe\n");
        CString lower = s.FailsafeProgPath;
        lower.MakeLower();
        if (lower.Find(".htm") < 0)
            started = sys.StartProcess(nullptr, s.FailsafeProgPath, folder, false, created, lastError);
    }

    if (started) {
        ProcessInfo_Tag found;
        if (created.hProcess)
            sys.WaitForIdle(created.hProcess, 10000);
        if (created.ProcessID) {
            // A fresh list on each retry; a process that has ended already will never be in one.
            ProcessInfo_Tag byHandle;
            byHandle.hProcess = created.hProcess;
            bool listed = false;
            for (int retry = 0; retry < 100; ++retry) {
                std::unique_ptr<CProcessList> fresh = sys.NewProcessList();
                if ((listed = fresh->FindByID(created.ProcessID, found)))
                    break;
                if (created.hProcess && !fresh->IsRunning(byHandle))
                    break;
                sys.Sleep(100);
            }
            if (!listed)
                found.ProcessID = created.ProcessID;
        } else {
            // Started by the shell: no process is known; take the new one of the program expected.
            sys.Sleep(1000);
            const char* how = nullptr;
            FindStartedProcess(*snapshot, image, found, how);
        }
        found.hWnd = nullptr;
        v.AdoptProcess(info, found, created.hProcess);
        sys.WaitForProcessWindow(info, !s.TestMode);
        if (kind == CViewer::LaunchFailsafe && info.hWnd)
            sys.BringToFront(info.hWnd);
        v.Log("CP:\t%s\t%s\t%x\n", info.ProcessName.c_str(), info.ProcessPath.c_str(), unsigned(info.ProcessID));
        return true;
    }

    v.Log("CP: Fail: %d\n", int(lastError));
    CString file, parameters;
    switch (kind) {
    case CViewer::LaunchTarget:
        v.AppendLog("SE Launch Target\n");
        file = s.TargetFileAndPath;
        parameters = WithoutSkFlag(s.Parameters);
        break;
    case CViewer::LaunchForce1:
    case CViewer::LaunchForce2:
        v.AppendLog(kind == CViewer::LaunchForce1 ? "SE Launch Try and Force 1\n" : "SE Launch Try and Force 2\n");
        file = kind == CViewer::LaunchForce1 ? s.ForceString1 : s.ForceString2;
        parameters = s.Parameters + " \"" + s.ProgramDirectory + "\\" + s.TargetFilename + "\"";
        break;
    default:
        v.AppendLog("SE Launch Failsafe\n");
        file = s.FailsafeProgPath;
        break;
    }
    if (!FitsTheSystem(file)) {
        v.Log("Path too long (%d characters): not opened\n", file.GetLength());
        return false;
    }
    const int result = sys.ShellExecuteTarget("open", file, parameters, folder, ViewerSW_SHOW);
    if (result <= 32) {
        v.Log("SE: Fail: %d\n", result);
        return false;
    }
    sys.Sleep(1000);
    ProcessInfo_Tag found;
    const char* how = nullptr;
    FindStartedProcess(*snapshot, image, found, how);
    v.Log("%s:\t%s\t%s\t%x\n", how, found.ProcessName.c_str(), found.ProcessPath.c_str(), unsigned(found.ProcessID));
    v.AdoptProcess(info, found, nullptr);
    sys.WaitForProcessWindow(info, !s.TestMode);
    if (kind == CViewer::LaunchFailsafe && info.hWnd)
        sys.BringToFront(info.hWnd);
    return true;
}

bool CViewerLauncher::GetConfirmation()
{
    bool dontAsk = false;
    const bool yes = v.Platform().AskConfirmation(s.FailsafeConfMessage, dontAsk);
    if (dontAsk)
        WriteProjectDword("%dF", 1);
    return yes;
}

bool CViewerLauncher::RunFailsafe()
{
    v.AppendLog("\nFailsafe Started...\n");
    v.m_FailsafeStarted = false;
    DWORD never = 0;
    if (ReadProjectDword("%dF", never) && never) {
        if (!s.TargetFilename.IsEmpty())
            LaunchProcess(CViewer::LaunchTarget, v.m_TargetProcess);
        return false;
    }
    if (s.DisplayConfirmation) {
        v.AppendLog("Getting Confirmation...\n");
        s.HasFailsafeProgram = GetConfirmation() ? 1 : 0;
    }
    if (s.HasFailsafeProgram && LaunchProcess(CViewer::LaunchFailsafe, v.m_FailsafeProcess)) {
        v.AppendLog("Failsafe Launched\n");
        s.WaitingOnFailsafe = 1;
        v.m_FailsafeStarted = true;
        v.m_TimerId = CViewer::FailsafeTimer;
        v.Platform().StartTimer(v, CViewer::FailsafeTimer, 2000);
        return true;
    }
    v.m_TimerId = CViewer::FailsafeTimer;
    v.Platform().StartTimer(v, CViewer::FailsafeTimer, 100);
    return false;
}

void CViewerLauncher::OnTimer(UINT_PTR id)
{
    if (v.m_TimerId >= 0 && id == UINT_PTR(v.m_TimerId))
        FailsafePoll();
}

void CViewerLauncher::FailsafePoll()
{
    v.Platform().StopTimer(v, UINT(v.m_TimerId));
    v.m_TimerId = -1;
    if (v.m_FailsafeStarted && v.Processes().IsRunning(v.m_FailsafeProcess)) {
        v.m_TimerId = CViewer::FailsafeTimer;
        v.Platform().StartTimer(v, CViewer::FailsafeTimer, 250);
        return;
    }
    v.AppendLog("Failsafe Program Finished\n");
    // Only a failsafe program that ran has installed anything to reboot for.
    if (s.HasFailsafeProgram && !v.m_FailsafeStarted)
        v.AppendLog("Failsafe Program did not start\n");
    if (s.HasFailsafeProgram && s.RebootMachine && v.m_FailsafeStarted) {
        v.Platform().ShowMessage(kRebootMessage);
        s.WaitingOnFailsafe = 0;
        v.m_Alive = false;
        s.TargetFilename.Empty();
        s.TargetFileAndPath.Empty();
        return;
    }
    s.HasFailsafeProgram = 0;
    v.Platform().SetCurrentFolder(s.ProgramDirectory);
    if (!s.TargetFileExtension.IsEmpty())
        ClassifyTarget();
    if (!s.TargetFilename.IsEmpty())
        v.Launch();
    s.WaitingOnFailsafe = 0;
}

// ---------------------------------------------------------------------------------------
// Following the target

void CViewerLauncher::Show()
{
    if (v.m_LaunchedBefore || !v.m_TargetProcess.hWnd)
        return;
    const int show = s.WindowShowCmdWindow == 1   ? ViewerSW_SHOWMAXIMIZED
                     : s.WindowShowCmdWindow == 2 ? ViewerSW_SHOWMINIMIZED
                                                  : ViewerSW_SHOWNORMAL;
    v.Platform().ShowWindow(v.m_TargetProcess.hWnd, show);
    v.Platform().BringToFront(v.m_TargetProcess.hWnd);
}

bool CViewerLauncher::IsAlive()
{
    return v.Processes().IsRunning(s.TargetFilename.IsEmpty() ? v.m_FailsafeProcess : v.m_TargetProcess);
}

