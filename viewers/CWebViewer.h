// A web page or an HTML file of the CD, shown in a browser window that the viewer drives by
// automation: bars, size, position and an entry effect are set before the page is shown, and
// the browser's events open document and program links outside it and tell when it closes.
// Without browser automation the target opens like a file (the program registered for ".htm").
#pragma once
#include "CViewer.h"
#include "WebViewerSettings.h"
#include "WebWindowLayout.h"

#include <memory>

struct IWebBrowser2;
struct IUnknown;
class CWebViewerEvents;

class VIEWERS_API CWebViewer : public CViewer {
public:
    enum { EffectTimer = 1, EffectTickMs = 20, BusyPollMs = 100, BusyWaitLimitMs = 30000 };

    CWebViewer();
    ~CWebViewer() override;

    void Show() override;
    void Launch() override;
    void Init() override;
    bool IsAlive() override;
    void SetEqual(CViewer* other) override;
    void Read_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;
    void Write_DAT_File(CFileReadWrite* file, int major, int minor, int build) override;

    // Disconnects the events, tells the browser to quit and lets it go.
    void CloseWindow();

    void SetShowToolBar(int value);
    void SetShowMenuBar(int value);
    void SetShowAddressBar(int value);
    void SetShowStatusBar(int value);
    void SetWindowSizeType(int value);
    void SetCustomWidth(int value);
    void SetCustomHeight(int value);
    void SetWindowResize(int value);
    void SetWindowPositionType(int value);
    void SetWindowPreset(int value);
    void SetCustomX(int value);
    void SetCustomY(int value);
    void SetUseEffects(int value);
    void SetEffectType(int value);
    void SetEffectSpeed(int value);
    void SetWaitToLoad(int value);
    void SetLaunchPDFExternally(int value);

    int GetShowToolBar() const { return m_Settings.ShowToolBar; }
    int GetShowMenuBar() const { return m_Settings.ShowMenuBar; }
    int GetShowAddressBar() const { return m_Settings.ShowAddressBar; }
    int GetShowStatusBar() const { return m_Settings.ShowStatusBar; }
    int GetWindowSizeType() const { return m_Settings.WindowSizeType; }
    int GetCustomWidth() const { return m_Settings.CustomWidth; }
    int GetCustomHeight() const { return m_Settings.CustomHeight; }
    int GetWindowResize() const { return m_Settings.WindowResize; }
    int GetWindowPositionType() const { return m_Settings.WindowPositionType; }
    int GetWindowPreset() const { return m_Settings.WindowPreset; }
    int GetCustomX() const { return m_Settings.CustomX; }
    int GetCustomY() const { return m_Settings.CustomY; }
    int GetUseEffects() const { return m_Settings.UseEffects; }
    int GetEffectType() const { return m_Settings.EffectType; }
    int GetEffectSpeed() const { return m_Settings.EffectSpeed; }
    int GetWaitToLoad() const { return m_Settings.WaitToLoad; }
    int GetLaunchPDFExternally() const { return m_Settings.LaunchPDFExternally; }
    const WebViewerSettings& GetSettings() const { return m_Settings; }
    void SetSettings(const WebViewerSettings& settings) { m_Settings = settings; }

    // The window is still sliding or growing into place.
    bool IsWindowMoving() const { return m_Effect.IsRunning(); }
    int GetEffectTimerId() const { return m_EffectTimerId; }
    bool GetUseAutomation() const { return m_UseAutomation != 0; }
    IWebBrowser2* GetBrowser() const { return m_Browser; }

    // From the events: a link opened outside the browser (ShellExecute "open", SW_SHOW).
    void OpenOutside(const CString& url);

    void OnTimer(UINT_PTR id) override;

protected:
    // Applies one rectangle to the browser window (position for sliding, size for growing).
    void ApplyEffectRect(const WebWindowRect& r);
    // The effect's first step, set before the window is shown.
    void StartEffect(const WebWindowRect& end, int workWidth, int workHeight);
    void StopEffectTimer();
    void FreeRetiredEvents();

    WebViewerSettings m_Settings;
    IWebBrowser2* m_Browser;
    unsigned long m_SinkCookie;
    CWebViewerEvents* m_Events;
    // A sink disconnected from inside one of its own calls; freed at the next launch or
    // with the viewer, when no call of it can be running.
    CWebViewerEvents* m_RetiredEvents;
    IUnknown* m_BrowserObject;
    int m_UseAutomation;
    WebWindowEffect m_Effect;
    int m_EffectTimerId;
    bool m_ComStarted;

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
    DECLARE_MESSAGE_MAP()
#endif
};
