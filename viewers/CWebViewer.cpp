#include "CWebViewer.h"

#if defined(_WIN32) && defined(VELMORA_VIEWERS_WINDOWS)
#define VELMORA_WEB_AUTOMATION 1
#include "CWebViewerEvents.h"

#include <exdisp.h>
#include <ole2.h>
#endif

#if VELMORA_WEB_AUTOMATION
BEGIN_MESSAGE_MAP(CWebViewer, CViewer)
    ON_WM_TIMER()
END_MESSAGE_MAP()
#endif

CWebViewer::CWebViewer()
    : m_Browser(nullptr), m_SinkCookie(0), m_Events(nullptr), m_RetiredEvents(nullptr), m_BrowserObject(nullptr),
      m_UseAutomation(1), m_EffectTimerId(-1), m_ComStarted(false)
{
}

void CWebViewer::SetShowToolBar(int value) { m_WebSettings.ShowToolBar = value; }
void CWebViewer::SetShowMenuBar(int value) { m_WebSettings.ShowMenuBar = value; }
void CWebViewer::SetShowAddressBar(int value) { m_WebSettings.ShowAddressBar = value; }
void CWebViewer::SetShowStatusBar(int value) { m_WebSettings.ShowStatusBar = value; }
void CWebViewer::SetWindowSizeType(int value) { m_WebSettings.WindowSizeType = value; }
void CWebViewer::SetCustomWidth(int value) { m_WebSettings.CustomWidth = value; }
void CWebViewer::SetCustomHeight(int value) { m_WebSettings.CustomHeight = value; }
void CWebViewer::SetWindowResize(int value) { m_WebSettings.WindowResize = value; }
void CWebViewer::SetWindowPositionType(int value) { m_WebSettings.WindowPositionType = value; }
void CWebViewer::SetWindowPreset(int value) { m_WebSettings.WindowPreset = value; }
void CWebViewer::SetCustomX(int value) { m_WebSettings.CustomX = value; }
void CWebViewer::SetCustomY(int value) { m_WebSettings.CustomY = value; }
void CWebViewer::SetUseEffects(int value) { m_WebSettings.UseEffects = value; }
void CWebViewer::SetEffectType(int value) { m_WebSettings.EffectType = value; }
void CWebViewer::SetEffectSpeed(int value) { m_WebSettings.EffectSpeed = value; }
void CWebViewer::SetWaitToLoad(int value) { m_WebSettings.WaitToLoad = value; }
void CWebViewer::SetLaunchPDFExternally(int value) { m_WebSettings.LaunchPDFExternally = value; }

void CWebViewer::SetEqual(CViewer* other)
{
    if (CWebViewer* web = dynamic_cast<CWebViewer*>(other))
        m_WebSettings = web->m_WebSettings;
    CViewer::SetEqual(other);
}

void CWebViewer::Read_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Read_DAT_File(file, major, minor, build);
    if (file)
        m_WebSettings.Read(*file, DataFileVersion{ major, minor, build });
}

void CWebViewer::Write_DAT_File(CFileReadWrite* file, int major, int minor, int build)
{
    CViewer::Write_DAT_File(file, major, minor, build);
    if (file)
        m_WebSettings.Write(*file, DataFileVersion{ major, minor, build });
}

void CWebViewer::Init()
{
    if (m_WebSettings.WindowSizeType == CWebViewerSettings::SizeFullScreen)
        m_FullScreen = true;
    CViewer::Init();
}

void CWebViewer::OpenOutside(const CString& url)
{
    Log("Opened outside the browser: %s\n", url.c_str());
    m_Platform->ShellExecuteTarget("open", url, nullptr, nullptr, ViewerSW_SHOW);
}

void CWebViewer::StartEffect(const WebWindowRect& end, int workWidth, int workHeight)
{
    ApplyEffectRect(m_Effect.Start(m_WebSettings.EffectType, m_WebSettings.EffectSpeed, end, workWidth, workHeight));
}

void CWebViewer::StopEffectTimer()
{
    if (m_EffectTimerId >= 0)
        m_Platform->StopTimer(*this, EffectTimer);
    m_EffectTimerId = -1;
}

void CWebViewer::OnTimer(UINT_PTR id)
{
    if (id != EffectTimer || m_EffectTimerId < 0) {
        CViewer::OnTimer(id);
        return;
    }
    if (!m_Effect.IsRunning()) {
        StopEffectTimer();
        return;
    }
    ApplyEffectRect(m_Effect.Step());
}

#if VELMORA_WEB_AUTOMATION

namespace {

// One of the browser's sizes or coordinates; false when it cannot tell.
bool Read(IWebBrowser2* browser, HRESULT (STDMETHODCALLTYPE IWebBrowser2::*get)(LONG*), long& out)
{
    LONG value = 0;
    if (FAILED((browser->*get)(&value)))
        return false;
    out = value;
    return true;
}

}

CWebViewer::~CWebViewer()
{
    // The page stays open: the player may end long before the user is done reading.
    StopEffectTimer();
    LetBrowserGo(false);
    FreeRetiredEvents();
    if (m_ComStarted)
        ::CoUninitialize();
}

void CWebViewer::FreeRetiredEvents()
{
    delete m_RetiredEvents;
    m_RetiredEvents = nullptr;
}

void CWebViewer::ApplyEffectRect(const WebWindowRect& r)
{
    if (!m_Browser)
        return;
    if (m_Effect.Moves()) {
        m_Browser->put_Left(r.left);
        m_Browser->put_Top(r.top);
    } else {
        m_Browser->put_Width(r.width);
        m_Browser->put_Height(r.height);
    }
}

void CWebViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    // What an earlier pass left: its browser, its sink.
    StopEffectTimer();
    if (m_Events || m_Browser || m_BrowserObject)
        CloseWindow();
    FreeRetiredEvents();
    if (!m_ComStarted)
        m_ComStarted = SUCCEEDED(::CoInitialize(nullptr));

    CLSID clsid;
    IUnknown* object = nullptr;
    IWebBrowser2* browser = nullptr;
    HRESULT created = ::CLSIDFromProgID(L"InternetExplorer.Application.1", &clsid);
    if (SUCCEEDED(created))
        created = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    if (SUCCEEDED(created))
        created = object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
    if (FAILED(created)) {
        if (object)
            object->Release();
        Log("Browser automation not available (0x%08lx)\n", static_cast<unsigned long>(created));
        m_UseAutomation = 0;
        CViewer::Launch();
        return;
    }
    m_UseAutomation = 1;
    m_BrowserObject = object;
    m_Browser = browser;

    browser->put_Visible(VARIANT_FALSE);
    browser->put_ToolBar(m_WebSettings.ShowToolBar ? 1 : 0);
    browser->put_MenuBar(m_WebSettings.ShowMenuBar ? VARIANT_TRUE : VARIANT_FALSE);
    browser->put_AddressBar(m_WebSettings.ShowAddressBar ? VARIANT_TRUE : VARIANT_FALSE);
    browser->put_StatusBar(m_WebSettings.ShowStatusBar ? VARIANT_TRUE : VARIANT_FALSE);
    browser->put_Resizable(m_WebSettings.WindowResize ? VARIANT_TRUE : VARIANT_FALSE);

    RECT work;
    int workWidth, workHeight;
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        workWidth = work.right - work.left;
        workHeight = work.bottom - work.top;
    } else {
        workWidth = ::GetSystemMetrics(SM_CXSCREEN);
        workHeight = ::GetSystemMetrics(SM_CYSCREEN);
    }

    SHANDLE_PTR handle = 0;
    const HWND window = SUCCEEDED(browser->get_HWND(&handle)) ? reinterpret_cast<HWND>(handle) : nullptr;
    long width = 0, height = 0, left = 0, top = 0;
    if (m_WebSettings.WindowSizeType == CWebViewerSettings::SizeFullScreen) {
        browser->put_FullScreen(VARIANT_TRUE);
    } else {
        WebWindowLayout::Frame frame;
        RECT client;
        frame.known = window && Read(browser, &IWebBrowser2::get_Width, width)
                      && Read(browser, &IWebBrowser2::get_Height, height) && ::GetClientRect(window, &client);
        if (frame.known) {
            frame.outerWidth = width;
            frame.outerHeight = height;
            frame.clientWidth = client.right;
            frame.clientHeight = client.bottom;
            frame.edgeWidth = ::GetSystemMetrics(SM_CXEDGE);
            frame.edgeHeight = ::GetSystemMetrics(SM_CYEDGE);
        }
        int w, h;
        if (WebWindowLayout::Size(m_WebSettings, workWidth, workHeight, frame, w, h)) {
            browser->put_Width(w);
            browser->put_Height(h);
        }
    }
    // The size the browser ended up with; a browser that cannot tell it stays where it is.
    const bool sized = Read(browser, &IWebBrowser2::get_Width, width) && Read(browser, &IWebBrowser2::get_Height, height);
    WebWindowRect end;
    bool placed = false;
    if (sized) {
        end.width = int(width);
        end.height = int(height);
        int x, y;
        if (WebWindowLayout::Position(m_WebSettings, workWidth, workHeight, end.width, end.height, x, y)) {
            browser->put_Left(x);
            browser->put_Top(y);
        }
        placed = Read(browser, &IWebBrowser2::get_Left, left) && Read(browser, &IWebBrowser2::get_Top, top);
        end.left = int(left);
        end.top = int(top);
    }
    if (!placed)
        Log("Browser window size or position unknown: left as the browser put it\n");

    CString address = m_Settings.TargetFileAndPath;
    if (!m_Settings.Parameters.IsEmpty() && m_Settings.Parameters[0] == '#')
        address += m_Settings.Parameters;
    {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, address.c_str(), -1, nullptr, 0);
        BSTR url = ::SysAllocStringLen(nullptr, length > 0 ? length - 1 : 0);
        if (url && length > 0)
            ::MultiByteToWideChar(CP_ACP, 0, address.c_str(), -1, url, length);
        VARIANT none;
        ::VariantInit(&none);
        const HRESULT hr = browser->Navigate(url, &none, &none, &none, &none);
        ::SysFreeString(url);
        Log("Navigate %s: 0x%08lx\n", address.c_str(), static_cast<unsigned long>(hr));
    }
    m_TargetProcess.hWnd = window;

    if (m_WebSettings.UseEffects && placed)
        StartEffect(end, workWidth, workHeight);

    // Wait while the page loads: not beyond a bound, and not once the browser stops answering
    // (closed while loading).
    for (int waited = 0; waited < BusyWaitLimitMs; waited += BusyPollMs) {
        VARIANT_BOOL busy = VARIANT_FALSE;
        if (FAILED(browser->get_Busy(&busy)) || !busy)
            break;
        m_Platform->Sleep(BusyPollMs);
    }

    m_Events = new CWebViewerEvents(this, m_WebSettings.LaunchPDFExternally != 0);
    if (SUCCEEDED(m_Events->Advise(m_BrowserObject, DIID_DWebBrowserEvents2)))
        m_SinkCookie = 1;
    else
        Log("Browser events not connected\n");
    MarkLaunched();
}

void CWebViewer::Show()
{
    if (m_LaunchedBefore)
        return;
    if (!m_UseAutomation) {
        CViewer::Show();
        return;
    }
    if (!m_Browser)
        return;
    m_Browser->put_Visible(VARIANT_TRUE);
    if (m_TargetProcess.hWnd) {
        m_Platform->ShowWindow(m_TargetProcess.hWnd, ViewerSW_SHOW);
        m_Platform->BringToFront(m_TargetProcess.hWnd);
    }
    if (m_WebSettings.UseEffects && m_Effect.IsRunning()) {
        m_EffectTimerId = EffectTimer;
        m_Platform->StartTimer(*this, EffectTimer, EffectTickMs);
    }
}

bool CWebViewer::IsAlive()
{
    if (!m_UseAutomation)
        return CViewer::IsAlive();
    if (!m_Browser)
        return false;
    READYSTATE state;
    return SUCCEEDED(m_Browser->get_ReadyState(&state));
}

void CWebViewer::CloseWindow()
{
    StopEffectTimer();
    LetBrowserGo(true);
}

void CWebViewer::LetBrowserGo(bool quit)
{
    if (m_Events) {
        // The sink may be running the call that brought us here: it is disconnected now and
        // freed later, never under its own feet.
        m_Events->ForgetViewer();
        m_Events->Unadvise();
        FreeRetiredEvents();
        m_RetiredEvents = m_Events;
        m_Events = nullptr;
    }
    m_SinkCookie = 0;
    if (m_BrowserObject) {
        m_BrowserObject->Release();
        m_BrowserObject = nullptr;
    }
    if (m_Browser) {
        IWebBrowser2* browser = m_Browser;
        m_Browser = nullptr;
        if (quit)
            browser->Quit();
        browser->Release();
    }
}

#else

// Without the system's browser automation the target opens like a file.
CWebViewer::~CWebViewer() { StopEffectTimer(); }
void CWebViewer::FreeRetiredEvents() {}
void CWebViewer::LetBrowserGo(bool) {}
void CWebViewer::ApplyEffectRect(const WebWindowRect&) {}

void CWebViewer::Launch()
{
    if (WasLaunchedBefore())
        return;
    m_UseAutomation = 0;
    CViewer::Launch();
}

void CWebViewer::Show()
{
    if (m_LaunchedBefore)
        return;
    CViewer::Show();
}

bool CWebViewer::IsAlive() { return CViewer::IsAlive(); }
void CWebViewer::CloseWindow() { StopEffectTimer(); }

#endif
