// A picture shown on the screen for a number of seconds, optionally on a background colour
// that fills the screen and with a sound: the player's splash. It has no record of its own
// beyond the common one; its settings are the project's splash fields.
#pragma once
#include "CViewer.h"

class CImageViewerDlg;

// The image viewer's own settings.
struct CImageViewerSettings {
    CString ImageFilename;
    CString SoundFilename;
    int Duration = 5;
    int ShowBackground = 0;
    unsigned long BackgroundColor = 0;
};

class VIEWERS_API CImageViewer : public CViewer {
public:
    CImageViewer();
    ~CImageViewer() override;

    void SetImageFilename(CString value);
    void SetSoundFilename(CString value);
    void SetDuration(int value);
    void SetShowBackground(int value);
    void SetBackgroundColor(unsigned long value);

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    // The window tells the viewer that the display has ended: not alive, and the
    // launch-once mark written.
    void DisplayEnded();

    CString GetImageFilename() const { return m_ImageSettings.ImageFilename; }
    CString GetSoundFilename() const { return m_ImageSettings.SoundFilename; }
    int GetDuration() const { return m_ImageSettings.Duration; }
    int GetShowBackground() const { return m_ImageSettings.ShowBackground; }
    unsigned long GetBackgroundColor() const { return m_ImageSettings.BackgroundColor; }
    const CImageViewerSettings& ImageSettings() const { return m_ImageSettings; }
    void SetImageSettings(const CImageViewerSettings& settings) { m_ImageSettings = settings; }
    // The picture window of the last Launch; null before.
    CImageViewerDlg* GetWindow() const { return m_Window; }

protected:
    // Destroys the window of an earlier Launch, with everything it holds.
    void DestroyPictureWindow();

    CImageViewerDlg* m_Window;
    CImageViewerSettings m_ImageSettings;
};
