#include "CSlideShowViewer.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#define VELMORA_SLIDESHOW_WINDOW 1
#include "AfxModule.h"
#include "CResourceScope.h"
#include "CSlideShowViewerDlg.h"
#endif

CSlideShowViewer::CSlideShowViewer() : m_Window(nullptr) { ClearAll(); }

CSlideShowViewer::~CSlideShowViewer() { DestroyShowWindow(); }

void CSlideShowViewer::ClearAll() { m_SlideShowSettings = CSlideShowViewerSettings(); }

void CSlideShowViewer::AddSlide(CString name)
{
    if (name.GetLength() > CSlideShowViewerSettings::MaxSlideName) {
        Log("Slide name too long, left out: %s\n", name.c_str());
        return;
    }
    m_SlideShowSettings.Slides.push_back(name);
    ++m_SlideShowSettings.NumSlides;
}

void CSlideShowViewer::DeleteAllSlides()
{
    m_SlideShowSettings.Slides.clear();
    m_SlideShowSettings.NumSlides = 0;
}

void CSlideShowViewer::SetLoopSlideShow(int value) { m_SlideShowSettings.LoopSlideShow = value; }
void CSlideShowViewer::SetCloseSlideShowAfterDone(int value) { m_SlideShowSettings.CloseSlideShowAfterDone = value; }
void CSlideShowViewer::SetShowCloseButton(int value) { m_SlideShowSettings.ShowCloseButton = value; }
void CSlideShowViewer::SetSlideShowWindowSize(unsigned int value) { m_SlideShowSettings.SlideShowWindowSize = value; }
void CSlideShowViewer::SetCustomSlideShowWidth(int value) { m_SlideShowSettings.CustomSlideShowWidth = value; }
void CSlideShowViewer::SetCustomSlideShowHeight(int value) { m_SlideShowSettings.CustomSlideShowHeight = value; }
void CSlideShowViewer::SetDisplayTimeType(unsigned int value) { m_SlideShowSettings.DisplayTimeType = value; }
void CSlideShowViewer::SetDisplayTime(int value) { m_SlideShowSettings.DisplayTime = value; }
void CSlideShowViewer::SetBackgroundMusic(CString value) { m_SlideShowSettings.BackgroundMusic = value; }
void CSlideShowViewer::SetSSBackgroundColor(unsigned long value) { m_SlideShowSettings.SSBackgroundColor = value; }
void CSlideShowViewer::SetImageSizeType(int value) { m_SlideShowSettings.ImageSizeType = value; }
void CSlideShowViewer::SetNumSlides(int value) { m_SlideShowSettings.NumSlides = value; }

void CSlideShowViewer::SetEqual(CViewer* other)
{
    if (CSlideShowViewer* show = dynamic_cast<CSlideShowViewer*>(other))
        m_SlideShowSettings = show->m_SlideShowSettings;  // the slide list too: each viewer keeps its own
    CViewer::SetEqual(other);
}

void CSlideShowViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    if (file)
        m_SlideShowSettings.Read(*file, DataFileVersion{ major, minor, build }, [this](const CString& name) { AddSlide(name); });
}

void CSlideShowViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    if (file)
        m_SlideShowSettings.Write(*file, DataFileVersion{ major, minor, build });
}

void CSlideShowViewer::Init()
{
    CViewer::Init();
    // A name that already holds the base folder keeps it, so Init may run again.
    std::vector<CString> slides;
    for (const CString& name : m_SlideShowSettings.Slides) {
        const CString path = name.Find(m_Settings.ProgramDirectory) >= 0 ? name : m_Settings.ProgramDirectory + "\\" + name;
        if (path.GetLength() > CSlideShowViewerSettings::MaxSlideName) {
            Log("Slide name too long, left out: %s\n", path.c_str());
            continue;
        }
        slides.push_back(path);
    }
    m_SlideShowSettings.Slides = slides;
    m_SlideShowSettings.NumSlides = static_cast<int>(slides.size());
    // The music likewise: a menu's button makes its slideshow ready at every launch of the menu.
    CString& music = m_SlideShowSettings.BackgroundMusic;
    if (!music.IsEmpty() && music.Find(m_Settings.ProgramDirectory) < 0)
        music = m_Settings.ProgramDirectory + "\\" + music;
    if (m_SlideShowSettings.SlideShowWindowSize == 1)
        m_FullScreen = true;
}

bool CSlideShowViewer::IsAlive() { return m_Alive; }

void CSlideShowViewer::ShowEnded()
{
    m_Alive = false;
    MarkLaunched();
}

#if VELMORA_SLIDESHOW_WINDOW

void CSlideShowViewer::DestroyShowWindow()
{
    if (!m_Window)
        return;
    m_Window->ForgetViewer();
    delete m_Window;  // its music (with the restart message), memory picture and window
    m_Window = nullptr;
}

void CSlideShowViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_Alive = true;
    DestroyShowWindow();
    m_Window = new CSlideShowViewerDlg(m_SlideShowSettings);
    BOOL created;
    {
        CResourceScope own(AfxGetThisModule());
        created = m_Window->CreateHidden();
    }
    if (!created) {
        delete m_Window;
        m_Window = nullptr;
        Log("\n* Slideshow window could not be created *\n");
        m_Alive = false;
    }
}

void CSlideShowViewer::Show()
{
    if (m_LaunchedBefore || !m_Window || !m_Window->m_hWnd)
        return;
    m_Window->Show(this);
}

#else

// No window here: the show ends as soon as it is launched.
void CSlideShowViewer::DestroyShowWindow() {}

void CSlideShowViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_Alive = false;
}

void CSlideShowViewer::Show() {}

#endif
