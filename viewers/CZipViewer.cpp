#include "CZipViewer.h"

#include "CFileViewer.h"
#include "CFolderViewer.h"
#include "DataFileVersion.h"
#include "ZipInstallPaths.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#include "AfxModule.h"
#include "CResourceScope.h"
#include "CZipExtractDlg.h"
#include "ZipShellFolders.h"
#endif

CZipViewer::CZipViewer() = default;
CZipViewer::~CZipViewer() = default;

void CZipViewer::SetMessageText(CString value) { m_ZipSettings.MessageText = value; }
void CZipViewer::SetExtractLocation(unsigned value) { m_ZipSettings.ExtractLocation = int(value); }
void CZipViewer::SetExtractFolder(CString value) { m_ZipSettings.ExtractFolder = value; }
void CZipViewer::SetOpenExtractFolder(int value) { m_ZipSettings.OpenExtractFolder = value; }
void CZipViewer::SetZipPassword(CString value) { m_ZipSettings.ZipPassword = value; }
void CZipViewer::SetNumShortcuts(int value) { m_Shortcuts.SetCount(value); }

void CZipViewer::AddShortcut(unsigned id, CString fileName, unsigned location, CString name, CString icon,
                             int launchFile)
{
    m_Shortcuts.Add(id, fileName, location, name, icon, launchFile);
}

void CZipViewer::UpdateShortcut(unsigned id, CString fileName, unsigned location, CString name, int launchFile)
{
    m_Shortcuts.Update(id, fileName, location, name, launchFile);
}

void CZipViewer::DeleteShortcut(unsigned id) { m_Shortcuts.Delete(id); }
void CZipViewer::DeleteAllShortcuts() { m_Shortcuts.DeleteAll(); }
ShortcutInfo* CZipViewer::FindShortcut(unsigned id) { return m_Shortcuts.Find(id); }

void CZipViewer::Init() { CViewer::Init(); }
void CZipViewer::Launch() {}
bool CZipViewer::IsAlive() { return m_Alive; }

void CZipViewer::SetEqual(CViewer* other)
{
    CViewer::SetEqual(other);
    if (CZipViewer* zip = dynamic_cast<CZipViewer*>(other)) {
        if (zip != this) {
            m_ZipSettings = zip->m_ZipSettings;
            m_Shortcuts.CopyFrom(zip->m_Shortcuts);
        }
    }
}

void CZipViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    if (!file)
        return;
    CString message = m_ZipSettings.MessageText;
    message.Replace("\r\n", "~^~");
    file->WriteString(message);
    file->WriteInt(m_ZipSettings.ExtractLocation);
    file->WriteString(m_ZipSettings.ExtractFolder);
    file->WriteBool(m_ZipSettings.OpenExtractFolder);
    file->WriteString(m_ZipSettings.ZipPassword);
    // The count written is the number of records that follow.
    int count = 0;
    for (const ShortcutInfo* node = m_Shortcuts.Head(); node; node = node->next)
        ++count;
    file->WriteInt(count);
    const bool icons = IsVersionAtLeast(major, minor, build, 2, 9, 5);
    for (const ShortcutInfo* node = m_Shortcuts.Head(); node; node = node->next) {
        file->WriteInt(int(node->ID));
        file->WriteString(node->FileName);
        file->WriteInt(int(node->Location));
        file->WriteString(node->Name);
        file->WriteBool(node->LaunchFile);
        if (icons)
            file->WriteString(node->Icon);
    }
}

void CZipViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    if (!file)
        return;
    CString message = file->ReadString();
    message.Replace("~^~", "\r\n");
    SetMessageText(message);
    SetExtractLocation(unsigned(file->ReadInt()));
    SetExtractFolder(file->ReadString());
    SetOpenExtractFolder(file->ReadBool());
    SetZipPassword(file->ReadString());
    const int count = file->ReadInt();
    m_Shortcuts.DeleteAll();
    const bool icons = IsVersionAtLeast(major, minor, build, 2, 9, 5);
    // A count beyond the records present ends with the file.
    for (int i = 0; i < count && file->IsOK(); ++i) {
        const unsigned id = unsigned(file->ReadInt());
        const CString fileName = file->ReadString();
        const unsigned location = unsigned(file->ReadInt());
        const CString name = file->ReadString();
        const int launch = file->ReadBool();
        const CString icon = icons ? file->ReadString() : CString();
        if (!file->IsOK())
            break;
        AddShortcut(id, fileName, location, name, icon, launch);
    }
}

CString CZipViewer::ProposedDestination()
{
    if (!IsSafeExtractFolder(m_ZipSettings.ExtractFolder))
        Log("Zip: folder name refused: %s\n", m_ZipSettings.ExtractFolder.c_str());
#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    const ZipSystemFolders folders = ReadZipSystemFolders();
#else
    const ZipSystemFolders folders;
#endif
    return ProposedZipDestination(m_ZipSettings.ExtractLocation, m_ZipSettings.ExtractFolder, folders);
}

bool CZipViewer::RunExtractor(const CString& proposed, CString& destination)
{
#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    CResourceScope own(AfxGetThisModule());
    CZipExtractDlg dialog;
    dialog.m_archivePath = m_Settings.TargetFileAndPath;
    dialog.m_password = m_ZipSettings.ZipPassword;
    dialog.m_folderName = UsableExtractFolder(m_ZipSettings.ExtractFolder);
    dialog.m_numShortcuts = m_Shortcuts.Count();
    dialog.m_shortcuts = m_Shortcuts.Head();
    dialog.m_message = m_ZipSettings.MessageText;
    dialog.m_destination = proposed;
    const bool done = dialog.DoModal() == IDOK;
    AppendLog(dialog.GetLog());
    destination = dialog.m_destination;
    return done;
#else
    (void)proposed;
    (void)destination;
    return false;
#endif
}

void CZipViewer::Show()
{
    if (WasLaunchedBefore()) {
        m_Alive = false;
        return;
    }
    Log("\nZip: extracting %s\n", m_Settings.TargetFileAndPath.c_str());
    CString destination;
    if (RunExtractor(ProposedDestination(), destination))
        FollowUp(destination);
    else
        Log("Zip: cancelled\n");
    m_Alive = false;
}

void CZipViewer::FollowUp(const CString& destination)
{
    Log("Zip: installed into %s\n", destination.c_str());
    if (m_ZipSettings.OpenExtractFolder) {
        CFolderViewer folder;
        folder.SetPlatform(m_Platform);
        folder.SetTargetFilename(destination);
        folder.SetViewerType(TypeFolder);
        folder.SetTargetNum(m_Settings.TargetNum);
        folder.Init();
        folder.Launch();
        Log("Zip: folder opened: %s (%s)\n", destination.c_str(),
            folder.GetTargetProcess().hWnd ? "window found" : "no window found");
        m_Platform->Sleep(250);
        AppendLog(folder.GetLog());
    }
    for (const ShortcutInfo* node = m_Shortcuts.Head(); node; node = node->next) {
        if (!node->LaunchFile)
            continue;
        CFileViewer file;
        file.SetPlatform(m_Platform);
        file.SetTargetFilename(node->FileName);
        file.SetProgramDirectory(destination);
        file.SetViewerType(TypeFile);
        file.SetTestMode(true);
        file.SetTargetNum(m_Settings.TargetNum);
        file.Init();
        file.Launch();
        Log("Zip: file started: %s (%s)\n", node->FileName, file.GetLog().Find("Target Launch failed") < 0 ? "started" : "failed");
        AppendLog(file.GetLog());
    }
    WriteProjectDword("%dT", 1);
    MarkLaunched();
}
