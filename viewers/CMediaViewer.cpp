#include "CMediaViewer.h"

#include "CRegistryKey.h"
#include "DataFileVersion.h"
#include "MediaWindowLayout.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#include "AfxModule.h"
#include "CMediaPlayer2Dlg.h"
#include "CMediaViewerDlg.h"
#include "CResourceScope.h"
#define VELMORA_MEDIA_WINDOWS 1
#else
#define VELMORA_MEDIA_WINDOWS 0
class CMediaWindow {};
#endif

const char* const CMediaViewer::OlderControlServerKey = "CLSID\\{22D6F312-B0F6-11D0-94AB-0080C74C7E95}\\InprocServer32";

CMediaViewer::CMediaViewer() : m_Window(nullptr), m_UsesOlderControl(true), m_HasWindow(true) {}

CMediaViewer::~CMediaViewer() { DestroyPlayerWindow(); }

void CMediaViewer::SetAutoStartPlaying(int value) { m_MediaSettings.AutoStartPlaying = value; }
void CMediaViewer::SetRepeat(int value) { m_MediaSettings.Repeat = value; }
void CMediaViewer::SetCloseAfterFinished(int value) { m_MediaSettings.CloseAfterFinished = value; }
void CMediaViewer::SetTitleBar(int value) { m_MediaSettings.TitleBar = value; }
void CMediaViewer::SetWindowSize(unsigned int value) { m_MediaSettings.WindowSize = value; }
void CMediaViewer::SetCustomMediaWidth(int value) { m_MediaSettings.CustomMediaWidth = value; }
void CMediaViewer::SetCustomMediaHeight(int value) { m_MediaSettings.CustomMediaHeight = value; }
void CMediaViewer::SetShowControls(int value) { m_MediaSettings.ShowControls = value; }
void CMediaViewer::SetShowTracker(int value) { m_MediaSettings.ShowTracker = value; }
void CMediaViewer::SetShowPosition(int value) { m_MediaSettings.ShowPosition = value; }
void CMediaViewer::SetShowAudio(int value) { m_MediaSettings.ShowAudio = value; }
void CMediaViewer::SetShowDisplay(int value) { m_MediaSettings.ShowDisplay = value; }
void CMediaViewer::SetBackgroundColor(unsigned long value) { m_MediaSettings.BackgroundColor = value; }
void CMediaViewer::SetShowBorder(int value) { m_MediaSettings.ShowBorder = value; }
void CMediaViewer::SetBorderWidth(int value) { m_MediaSettings.BorderWidth = value; }
void CMediaViewer::SetBorderColor(unsigned long value) { m_MediaSettings.BorderColor = value; }

void CMediaViewer::SetEqual(CViewer* other)
{
    CViewer::SetEqual(other);
    if (auto* media = dynamic_cast<CMediaViewer*>(other))
        m_MediaSettings = media->m_MediaSettings;
}

void CMediaViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    m_MediaSettings.Read(*file, DataFileVersion{ major, minor, build });
}

void CMediaViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    m_MediaSettings.Write(*file, DataFileVersion{ major, minor, build });
}

void CMediaViewer::Init()
{
    CViewer::Init();
    if (m_MediaSettings.WindowSize == CMediaViewerSettings::SizeFullScreen)
        m_FullScreen = true;
}

CString CMediaViewer::OlderControlVersion()
{
    CString server;
    if (!CRegistryKey(HKEY_CLASSES_ROOT).QueryString(OlderControlServerKey, "", server) || server.IsEmpty())
        return CString();
    return Platform().GetFileVersion(server);
}

void CMediaViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    // One window a launch: the one of an earlier pass goes first.
    DestroyPlayerWindow();
    m_HasWindow = true;
    m_Alive = true;
    const CString version = OlderControlVersion();
    if (version.IsEmpty()) {
        FallBackToFileLaunch("no version of the media player control could be read");
        return;
    }
    m_UsesOlderControl = !UsesNewerMediaControl(version);
    Log("Media player control %s: %s control\n", version.c_str(), m_UsesOlderControl ? "older" : "newer");
    if (!CreatePlayerWindow(m_UsesOlderControl))
        FallBackToFileLaunch("the media player window could not be created");
}

void CMediaViewer::FallBackToFileLaunch(const char* why)
{
    Log("\n* Media: %s *\nOpening the file as a File target\n", why);
    DestroyPlayerWindow();
    m_HasWindow = false;
    m_Settings.ViewerType = TypeFile;
    m_Settings.TestMode = true;
    m_Alive = false;
    CViewer::Launch();
}

#if VELMORA_MEDIA_WINDOWS
bool CMediaViewer::CreatePlayerWindow(bool older)
{
    CMediaWindow* window;
    if (older)
        window = new CMediaPlayer2Dlg;
    else
        window = new CMediaViewerDlg;
    window->m_file = m_Settings.TargetFileAndPath;
    window->m_settings = m_MediaSettings;
    {
        CResourceScope own(AfxGetThisModule());
        window->CreateHidden();
    }
    // Made only when its initialisation ran with a control in it.
    if (!window->IsOpen()) {
        delete window;
        return false;
    }
    m_Window = window;
    return true;
}

void CMediaViewer::DestroyPlayerWindow()
{
    if (!m_Window)
        return;
    m_Window->ForgetOwner();
    delete m_Window;
    m_Window = nullptr;
}

void CMediaViewer::Show()
{
    // (A window closed before it was shown is not brought back.)
    if (m_LaunchedBefore || !m_HasWindow || !m_Window || !m_Window->m_hWnd)
        return;
    m_Window->ShowPlayer(this);
}
#else
bool CMediaViewer::CreatePlayerWindow(bool) { return false; }
void CMediaViewer::DestroyPlayerWindow() { m_Window = nullptr; }
void CMediaViewer::Show() {}
#endif

bool CMediaViewer::IsAlive()
{
    // After the fallback the target is the program the file was handed to.
    return m_HasWindow ? m_Alive : CViewer::IsAlive();
}

void CMediaViewer::WindowEnded(const char* reason)
{
    if (reason)
        Log("\n* Media: %s *\n", reason);
    m_Alive = false;
    MarkLaunched();
}
