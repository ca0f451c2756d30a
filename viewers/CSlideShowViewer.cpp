#include "CSlideShowViewer.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#define VELMORA_SLIDESHOW_WINDOW 1
#include "AfxModule.h"
#include "CResourceScope.h"
#include "CSlideShowViewerDlg.h"
#endif

CSlideShowViewer::CSlideShowViewer() : m_Window(nullptr) { ClearAll(); }

CSlideShowViewer::~CSlideShowViewer() { DestroyShowWindow(); }

void CSlideShowViewer::ClearAll() { m_Settings = SlideShowSettings(); }

void CSlideShowViewer::AddSlide(CString name)
{
    if (name.GetLength() > SlideShowSettings::MaxSlideName) {
        Log("Slide name too long, left out: %s\n", name.c_str());
        return;
    }
    m_Settings.Slides.push_back(name);
    ++m_Settings.NumSlides;
}

void CSlideShowViewer::DeleteAllSlides()
{
    m_Settings.Slides.clear();
    m_Settings.NumSlides = 0;
}

void CSlideShowViewer::SetLoopSlideShow(int value) { m_Settings.LoopSlideShow = value; }
void CSlideShowViewer::SetCloseSlideShowAfterDone(int value) { m_Settings.CloseSlideShowAfterDone = value; }
void CSlideShowViewer::SetShowCloseButton(int value) { m_Settings.ShowCloseButton = value; }
void CSlideShowViewer::SetSlideShowWindowSize(unsigned int value) { m_Settings.SlideShowWindowSize = value; }
void CSlideShowViewer::SetCustomSlideShowWidth(int value) { m_Settings.CustomSlideShowWidth = value; }
void CSlideShowViewer::SetCustomSlideShowHeight(int value) { m_Settings.CustomSlideShowHeight = value; }
void CSlideShowViewer::SetDisplayTimeType(unsigned int value) { m_Settings.DisplayTimeType = value; }
void CSlideShowViewer::SetDisplayTime(int value) { m_Settings.DisplayTime = value; }
void CSlideShowViewer::SetBackgroundMusic(CString value) { m_Settings.BackgroundMusic = value; }
void CSlideShowViewer::SetSSBackgroundColor(unsigned long value) { m_Settings.SSBackgroundColor = value; }
void CSlideShowViewer::SetImageSizeType(int value) { m_Settings.ImageSizeType = value; }
void CSlideShowViewer::SetNumSlides(int value) { m_Settings.NumSlides = value; }

void CSlideShowViewer::SetEqual(CViewer* other)
{
    if (CSlideShowViewer* show = dynamic_cast<CSlideShowViewer*>(other))
        m_Settings = show->m_Settings;  // the slide list too: each viewer keeps its own
    CViewer::SetEqual(other);
}

void CSlideShowViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    if (file)
        m_Settings.Read(*file, DataFileVersion{ major, minor, build }, [this](const CString& name) { AddSlide(name); });
}

void CSlideShowViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    if (file)
        m_Settings.Write(*file, DataFileVersion{ major, minor, build });
}

void CSlideShowViewer::Init()
{
    CViewer::Init();
    // A name that already holds the base folder keeps it, so Init may run again.
    std::vector<CString> slides;
    for (const CString& name : m_Settings.Slides) {
        const CString path = name.Find(m_ProgramDirectory) >= 0 ? name : m_ProgramDirectory + "\\" + name;
        if (path.GetLength() > SlideShowSettings::MaxSlideName) {
            Log("Slide name too long, left out: %s\n", path.c_str());
            continue;
        }
        slides.push_back(path);
    }
    m_Settings.Slides = slides;
    m_Settings.NumSlides = static_cast<int>(slides.size());
    if (!m_Settings.BackgroundMusic.IsEmpty())
        m_Settings.BackgroundMusic = m_ProgramDirectory + "\\" + m_Settings.BackgroundMusic;
    if (m_Settings.SlideShowWindowSize == 1)
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
    m_Window = new CSlideShowViewerDlg(m_Settings);
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
