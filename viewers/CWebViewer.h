// A web page or an HTML file of the CD, shown in a browser window that the viewer drives by
// automation: bars, size, position and an entry effect are set before the page is shown, and
// the browser's events open document and program links outside it and tell when it closes.
// Without browser automation the target opens like a file (the program registered for ".htm").
#pragma once
#include "CViewer.h"
#include "CWebViewerSettings.h"
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

    // Disconnects the events, tells the browser to quit and lets it go. Destroying the viewer
    // only lets the browser go: its window stays open.
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

    int GetShowToolBar() const { return m_WebSettings.ShowToolBar; }
    int GetShowMenuBar() const { return m_WebSettings.ShowMenuBar; }
    int GetShowAddressBar() const { return m_WebSettings.ShowAddressBar; }
    int GetShowStatusBar() const { return m_WebSettings.ShowStatusBar; }
    int GetWindowSizeType() const { return m_WebSettings.WindowSizeType; }
    int GetCustomWidth() const { return m_WebSettings.CustomWidth; }
    int GetCustomHeight() const { return m_WebSettings.CustomHeight; }
    int GetWindowResize() const { return m_WebSettings.WindowResize; }
    int GetWindowPositionType() const { return m_WebSettings.WindowPositionType; }
    int GetWindowPreset() const { return m_WebSettings.WindowPreset; }
    int GetCustomX() const { return m_WebSettings.CustomX; }
    int GetCustomY() const { return m_WebSettings.CustomY; }
    int GetUseEffects() const { return m_WebSettings.UseEffects; }
    int GetEffectType() const { return m_WebSettings.EffectType; }
    int GetEffectSpeed() const { return m_WebSettings.EffectSpeed; }
    int GetWaitToLoad() const { return m_WebSettings.WaitToLoad; }
    int GetLaunchPDFExternally() const { return m_WebSettings.LaunchPDFExternally; }
    const CWebViewerSettings& WebSettings() const { return m_WebSettings; }
    void SetWebSettings(const CWebViewerSettings& settings) { m_WebSettings = settings; }

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
    // Disconnects the events and releases the browser, telling it to quit first when asked.
    void LetBrowserGo(bool quit);

    CWebViewerSettings m_WebSettings;
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
