// A list of pictures shown one after another in a window of their own, each for a fixed time
// or for an equal share of a music file that plays during the show.
#pragma once
#include "CViewer.h"
#include "CSlideShowViewerSettings.h"

class CSlideShowViewerDlg;

class VIEWERS_API CSlideShowViewer : public CViewer {
public:
    CSlideShowViewer();
    ~CSlideShowViewer() override;

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    void ClearAll();
    // Appends a slide; a name longer than a slide can hold is refused (and logged).
    void AddSlide(CString name);
    void DeleteAllSlides();
    void SetLoopSlideShow(int value);
    void SetCloseSlideShowAfterDone(int value);
    void SetShowCloseButton(int value);
    void SetSlideShowWindowSize(unsigned int value);
    void SetCustomSlideShowWidth(int value);
    void SetCustomSlideShowHeight(int value);
    void SetDisplayTimeType(unsigned int value);
    void SetDisplayTime(int value);
    void SetBackgroundMusic(CString value);
    void SetSSBackgroundColor(unsigned long value);
    void SetImageSizeType(int value);
    void SetNumSlides(int value);

    int GetLoopSlideShow() const { return m_SlideShowSettings.LoopSlideShow; }
    int GetCloseSlideShowAfterDone() const { return m_SlideShowSettings.CloseSlideShowAfterDone; }
    int GetShowCloseButton() const { return m_SlideShowSettings.ShowCloseButton; }
    unsigned int GetSlideShowWindowSize() const { return m_SlideShowSettings.SlideShowWindowSize; }
    int GetCustomSlideShowWidth() const { return m_SlideShowSettings.CustomSlideShowWidth; }
    int GetCustomSlideShowHeight() const { return m_SlideShowSettings.CustomSlideShowHeight; }
    unsigned int GetDisplayTimeType() const { return m_SlideShowSettings.DisplayTimeType; }
    int GetDisplayTime() const { return m_SlideShowSettings.DisplayTime; }
    CString GetBackgroundMusic() const { return m_SlideShowSettings.BackgroundMusic; }
    unsigned long GetSSBackgroundColor() const { return m_SlideShowSettings.SSBackgroundColor; }
    int GetImageSizeType() const { return m_SlideShowSettings.ImageSizeType; }
    int GetNumSlides() const { return m_SlideShowSettings.NumSlides; }
    const std::vector<CString>& GetSlides() const { return m_SlideShowSettings.Slides; }
    const CSlideShowViewerSettings& SlideShowSettings() const { return m_SlideShowSettings; }
    // The window of the last Launch; null before.
    CSlideShowViewerDlg* GetWindow() const { return m_Window; }

    // The window tells the viewer that the show has ended: not alive, launch-once mark.
    void ShowEnded();

protected:
    void DestroyShowWindow();

    CSlideShowViewerDlg* m_Window;
    CSlideShowViewerSettings m_SlideShowSettings;
};
