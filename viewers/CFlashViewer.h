// A Flash movie played in a window of the presentation's own, inside the Shockwave Flash
// control. Every Init installs the Flash player from the CD's "flash.msi" first.
#pragma once
#include "CFlashViewerSettings.h"
#include "CViewer.h"
#include "ControlWindowOwner.h"

class CFlashViewerDlg;

class VIEWERS_API CFlashViewer : public CViewer, public ControlWindowOwner {
public:
    enum { InstallerWaitMs = 2500 };

    CFlashViewer();
    ~CFlashViewer() override;

    void SetStartPlaying(int value);
    void SetLoopAnimation(int value);
    void SetCloseFlashAfterFinished(int value);
    void SetShowTitleBar(int value);
    void SetFlashWindowSize(unsigned int value);
    void SetCustomFlashWidth(int value);
    void SetCustomFlashHeight(int value);
    void SetShowRightClickMenu(int value);

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    int GetStartPlaying() const { return m_FlashSettings.StartPlaying; }
    int GetLoopAnimation() const { return m_FlashSettings.LoopAnimation; }
    int GetCloseFlashAfterFinished() const { return m_FlashSettings.CloseFlashAfterFinished; }
    int GetShowTitleBar() const { return m_FlashSettings.ShowTitleBar; }
    unsigned int GetFlashWindowSize() const { return m_FlashSettings.FlashWindowSize; }
    int GetCustomFlashWidth() const { return m_FlashSettings.CustomFlashWidth; }
    int GetCustomFlashHeight() const { return m_FlashSettings.CustomFlashHeight; }
    int GetShowRightClickMenu() const { return m_FlashSettings.ShowRightClickMenu; }
    const CFlashViewerSettings& FlashSettings() const { return m_FlashSettings; }
    void SetFlashSettings(const CFlashViewerSettings& settings) { m_FlashSettings = settings; }

    // Runs msiexec on the program folder's flash.msi and waits for it a while; a start that
    // fails is only logged.
    void InstallFlashPlayer();

    // The window of the last Launch; null before and when it could not be made.
    CFlashViewerDlg* GetWindow() const { return m_Window; }

    void WindowEnded(const char* reason) override;

protected:
    void DestroyFlashWindow();

    CFlashViewerDlg* m_Window;
    CFlashViewerSettings m_FlashSettings;
};
