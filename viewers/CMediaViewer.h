// A video or sound file played in a window of the presentation's own, inside a media player
// control: the newer player control (version 7 and later) or the older 6.4 one, whichever the
// machine can run, judged by the file version of the older control's registered file. Without
// either the file opens like a File target, with its associated program.
#pragma once
#include "CMediaViewerSettings.h"
#include "CViewer.h"
#include "ControlWindowOwner.h"

class CMediaWindow;

class VIEWERS_API CMediaViewer : public CViewer, public ControlWindowOwner {
public:
    // The registry key of the older control's file.
    static const char* const OlderControlServerKey;

    CMediaViewer();
    ~CMediaViewer() override;

    void SetAutoStartPlaying(int value);
    void SetRepeat(int value);
    void SetCloseAfterFinished(int value);
    void SetTitleBar(int value);
    void SetWindowSize(unsigned int value);
    void SetCustomMediaWidth(int value);
    void SetCustomMediaHeight(int value);
    void SetShowControls(int value);
    void SetShowTracker(int value);
    void SetShowPosition(int value);
    void SetShowAudio(int value);
    void SetShowDisplay(int value);
    void SetBackgroundColor(unsigned long value);
    void SetShowBorder(int value);
    void SetBorderWidth(int value);
    void SetBorderColor(unsigned long value);

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    int GetAutoStartPlaying() const { return m_MediaSettings.AutoStartPlaying; }
    int GetRepeat() const { return m_MediaSettings.Repeat; }
    int GetCloseAfterFinished() const { return m_MediaSettings.CloseAfterFinished; }
    int GetTitleBar() const { return m_MediaSettings.TitleBar; }
    unsigned int GetWindowSize() const { return m_MediaSettings.WindowSize; }
    int GetCustomMediaWidth() const { return m_MediaSettings.CustomMediaWidth; }
    int GetCustomMediaHeight() const { return m_MediaSettings.CustomMediaHeight; }
    int GetShowControls() const { return m_MediaSettings.ShowControls; }
    int GetShowTracker() const { return m_MediaSettings.ShowTracker; }
    int GetShowPosition() const { return m_MediaSettings.ShowPosition; }
    int GetShowAudio() const { return m_MediaSettings.ShowAudio; }
    int GetShowDisplay() const { return m_MediaSettings.ShowDisplay; }
    unsigned long GetBackgroundColor() const { return m_MediaSettings.BackgroundColor; }
    int GetShowBorder() const { return m_MediaSettings.ShowBorder; }
    int GetBorderWidth() const { return m_MediaSettings.BorderWidth; }
    unsigned long GetBorderColor() const { return m_MediaSettings.BorderColor; }
    const CMediaViewerSettings& MediaSettings() const { return m_MediaSettings; }
    void SetMediaSettings(const CMediaViewerSettings& settings) { m_MediaSettings = settings; }

    // The window of the last Launch (null before, and after a fallback to the File launch).
    CMediaWindow* GetWindow() const { return m_Window; }
    bool GetUsesOlderControl() const { return m_UsesOlderControl; }
    bool GetHasWindow() const { return m_HasWindow; }

    // From the window: the file has played out or the window was closed.
    void WindowEnded(const char* reason) override;

protected:
    // The file version of the older control's registered file, "" when it cannot be read.
    CString OlderControlVersion();
    // Makes the player window of the choice; false when it could not be had.
    bool CreatePlayerWindow(bool older);
    void DestroyPlayerWindow();
    // Neither control: the file is opened by the program registered for it.
    void FallBackToFileLaunch(const char* why);

    CMediaWindow* m_Window;
    bool m_UsesOlderControl;
    bool m_HasWindow;
    CMediaViewerSettings m_MediaSettings;
};
