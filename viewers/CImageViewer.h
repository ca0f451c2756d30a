// A picture shown on the screen for a number of seconds, optionally on a background colour
// that fills the screen and with a sound: the player's splash. It has no record of its own
// beyond the common one; its settings are the project's splash fields.
#pragma once
#include "CViewer.h"

class CImageViewerDlg;

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

    CString GetImageFilename() const { return m_ImageFilename; }
    CString GetSoundFilename() const { return m_SoundFilename; }
    int GetDuration() const { return m_Duration; }
    int GetShowBackground() const { return m_ShowBackground; }
    unsigned long GetBackgroundColor() const { return m_BackgroundColor; }
    // The picture window of the last Launch; null before.
    CImageViewerDlg* GetWindow() const { return m_Window; }

protected:
    // Destroys the window of an earlier Launch, with everything it holds.
    void DestroyPictureWindow();

    CImageViewerDlg* m_Window;
    CString m_ImageFilename;
    CString m_SoundFilename;
    int m_Duration;
    int m_ShowBackground;
    unsigned long m_BackgroundColor;
};
