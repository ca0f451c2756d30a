#include "CImageViewer.h"

#include "AfxModule.h"
#include "CImageViewerDlg.h"
#include "CResourceScope.h"

CImageViewer::CImageViewer()
    : m_Window(nullptr)
{
    m_ImageSettings.BackgroundColor = ::GetSysColor(COLOR_BTNFACE);
    m_Alive = false;
}

CImageViewer::~CImageViewer() { DestroyPictureWindow(); }

void CImageViewer::SetImageFilename(CString value) { m_ImageSettings.ImageFilename = value; }
void CImageViewer::SetSoundFilename(CString value) { m_ImageSettings.SoundFilename = value; }
void CImageViewer::SetDuration(int value) { m_ImageSettings.Duration = value; }
void CImageViewer::SetShowBackground(int value) { m_ImageSettings.ShowBackground = value; }
void CImageViewer::SetBackgroundColor(unsigned long value) { m_ImageSettings.BackgroundColor = value; }

void CImageViewer::Init()
{
    m_Settings.TargetFilename = m_ImageSettings.ImageFilename;
    CViewer::Init();
    if (m_ImageSettings.ShowBackground)
        m_FullScreen = true;
    if (!m_ImageSettings.ImageFilename.IsEmpty())
        m_ImageSettings.ImageFilename = m_Settings.ProgramDirectory + "\\" + m_ImageSettings.ImageFilename;
    if (!m_ImageSettings.SoundFilename.IsEmpty())
        m_ImageSettings.SoundFilename = m_Settings.ProgramDirectory + "\\" + m_ImageSettings.SoundFilename;
}

void CImageViewer::DestroyPictureWindow()
{
    if (!m_Window)
        return;
    m_Window->ForgetViewer();
    delete m_Window;  // its window, off-screen picture, animation and sound with it
    m_Window = nullptr;
}

void CImageViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    // A new window each time; the one of an earlier pass goes with everything it holds.
    DestroyPictureWindow();
    m_Window = new CImageViewerDlg;
    m_Window->m_imagePath = m_ImageSettings.ImageFilename;
    m_Window->m_soundPath = m_ImageSettings.SoundFilename;
    m_Window->m_duration = m_ImageSettings.Duration;
    m_Window->m_showBackground = m_ImageSettings.ShowBackground;
    m_Window->m_backgroundColor = m_ImageSettings.BackgroundColor;
    BOOL created;
    {
        CResourceScope own(AfxGetThisModule());
        created = m_Window->CreateHidden();
    }
    // A window that could not be made shows nothing: the display has ended at once.
    if (!created) {
        delete m_Window;
        m_Window = nullptr;
        Log("\n* Picture window could not be created *\n");
        m_Alive = false;
        return;
    }
    m_Alive = true;
}

void CImageViewer::Show()
{
    if (m_LaunchedBefore || !m_Window || !m_Window->m_hWnd)
        return;
    m_Window->Show(this);
}

bool CImageViewer::IsAlive() { return m_Alive; }

void CImageViewer::DisplayEnded()
{
    m_Alive = false;
    MarkLaunched();
}

void CImageViewer::SetEqual(CViewer* other)
{
    CViewer::SetEqual(other);
    if (CImageViewer* image = dynamic_cast<CImageViewer*>(other))
        m_ImageSettings = image->m_ImageSettings;
}

void CImageViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
}

void CImageViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
}
