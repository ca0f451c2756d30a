// A browser of our own for the web viewer's tests: a local automation server whose object
// answers the browser interface over a real top-level window and fires the browser events
// (before each navigation, with cancel; document complete; quit). It ends when told to quit
// or when its window is closed.
#include "StandInBrowser.h"

#include <exdisp.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace {

HWND g_window = nullptr;
UINT g_follow = 0;
class Browser;
Browser* g_browser = nullptr;

BSTR Bstr(const std::wstring& s) { return ::SysAllocStringLen(s.data(), UINT(s.size())); }

class Browser : public IWebBrowser2, public IConnectionPointContainer, public IConnectionPoint {
public:
    LONG refs = 1;
    std::vector<std::pair<DWORD, IDispatch*>> sinks;
    DWORD nextCookie = 1;
    std::wstring location;
    VARIANT_BOOL statusBar = VARIANT_TRUE, menuBar = VARIANT_TRUE, addressBar = VARIANT_TRUE, resizable = VARIANT_TRUE;
    VARIANT_BOOL fullScreen = VARIANT_FALSE;
    int toolBar = 1;
    bool quitting = false;
    // A page that never finishes loading and whose window is closed meanwhile.
    bool vanishWhileLoading = false;
    int busyAnswers = 0;

    // Events: each sink in turn; the arguments last first, as dispatch calls take them.
    void Fire(DISPID id, VARIANTARG* args, UINT count)
    {
        std::vector<std::pair<DWORD, IDispatch*>> now = sinks;
        for (auto& s : now)
            s.second->AddRef();
        for (auto& s : now) {
            DISPPARAMS params = { args, nullptr, count, 0 };
            s.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
            s.second->Release();
        }
    }
    // BeforeNavigate2, then (unless cancelled) the page and DocumentComplete.
    void Go(const std::wstring& url)
    {
        VARIANT address, empty, flags, cancelHolder;
        ::VariantInit(&address);
        V_VT(&address) = VT_BSTR;
        V_BSTR(&address) = Bstr(url);
        ::VariantInit(&empty);
        ::VariantInit(&flags);
        V_VT(&flags) = VT_I4;
        V_I4(&flags) = 0;
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANTARG args[7];
        for (VARIANTARG& a : args)
            ::VariantInit(&a);
        V_VT(&args[6]) = VT_DISPATCH;
        V_DISPATCH(&args[6]) = static_cast<IWebBrowser2*>(this);
        V_VT(&args[5]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&args[5]) = &address;
        V_VT(&args[4]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&args[4]) = &flags;
        for (int i = 1; i <= 3; ++i) {
            V_VT(&args[i]) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&args[i]) = &empty;
        }
        V_VT(&args[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&args[0]) = &cancel;
        (void)cancelHolder;
        AddRef();
        Fire(250, args, 7);
        if (!cancel && !quitting) {
            location = url;
            vanishWhileLoading = url.find(L"#vanish-while-loading") != std::wstring::npos;
            if (g_window) {
                ::SetWindowTextW(g_window, url.c_str());
                ::InvalidateRect(g_window, nullptr, TRUE);
            }
            VARIANTARG done[2];
            ::VariantInit(&done[0]);
            ::VariantInit(&done[1]);
            V_VT(&done[1]) = VT_DISPATCH;
            V_DISPATCH(&done[1]) = static_cast<IWebBrowser2*>(this);
            V_VT(&done[0]) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&done[0]) = &address;
            Fire(259, done, 2);
        }
        ::VariantClear(&address);
        Release();
    }
    // The end: OnQuit to whoever listens, every connection dropped, the window gone.
    void End()
    {
        if (quitting)
            return;
        quitting = true;
        Fire(253, nullptr, 0);
        for (auto& s : sinks)
            s.second->Release();
        sinks.clear();
        ::CoDisconnectObject(static_cast<IWebBrowser2*>(this), 0);
        if (g_window) {
            HWND w = g_window;
            g_window = nullptr;
            ::DestroyWindow(w);
        }
        ::PostQuitMessage(0);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IWebBrowser || riid == IID_IWebBrowserApp
            || riid == IID_IWebBrowser2)
            *ppv = static_cast<IWebBrowser2*>(this);
        else if (riid == IID_IConnectionPointContainer)
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else if (riid == IID_IConnectionPoint)
            *ppv = static_cast<IConnectionPoint*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(::InterlockedIncrement(&refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = ::InterlockedDecrement(&refs);
        if (n == 0)
            delete this;
        return ULONG(n);
    }

    // IDispatch: the tests' viewer uses the interface's own members only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { if (n) *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IWebBrowser
    HRESULT STDMETHODCALLTYPE GoBack() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoForward() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoHome() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GoSearch() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Navigate(BSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override
    {
        Go(URL ? std::wstring(URL, ::SysStringLen(URL)) : std::wstring());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return E_NOTIMPL; }
    HRESULT Rect(RECT& r) { return g_window && ::GetWindowRect(g_window, &r) ? S_OK : E_FAIL; }
    HRESULT Move(int x, int y, int w, int h, UINT flags)
    {
        return g_window && ::SetWindowPos(g_window, nullptr, x, y, w, h, flags | SWP_NOZORDER | SWP_NOACTIVATE) ? S_OK
                                                                                                          : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_Left(LONG* v) override { RECT r; HRESULT hr = Rect(r); *v = r.left; return hr; }
    HRESULT STDMETHODCALLTYPE get_Top(LONG* v) override { RECT r; HRESULT hr = Rect(r); *v = r.top; return hr; }
    HRESULT STDMETHODCALLTYPE get_Width(LONG* v) override
    {
        RECT r;
        HRESULT hr = Rect(r);
        *v = r.right - r.left;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_Height(LONG* v) override
    {
        RECT r;
        HRESULT hr = Rect(r);
        *v = r.bottom - r.top;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE put_Left(LONG v) override
    {
        RECT r;
        return FAILED(Rect(r)) ? E_FAIL : Move(int(v), r.top, 0, 0, SWP_NOSIZE);
    }
    HRESULT STDMETHODCALLTYPE put_Top(LONG v) override
    {
        RECT r;
        return FAILED(Rect(r)) ? E_FAIL : Move(r.left, int(v), 0, 0, SWP_NOSIZE);
    }
    HRESULT STDMETHODCALLTYPE put_Width(LONG v) override
    {
        RECT r;
        return FAILED(Rect(r)) ? E_FAIL : Move(0, 0, int(v), r.bottom - r.top, SWP_NOMOVE);
    }
    HRESULT STDMETHODCALLTYPE put_Height(LONG v) override
    {
        RECT r;
        return FAILED(Rect(r)) ? E_FAIL : Move(0, 0, r.right - r.left, int(v), SWP_NOMOVE);
    }
    HRESULT STDMETHODCALLTYPE get_LocationName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override
    {
        *url = Bstr(location);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* busy) override
    {
        *busy = vanishWhileLoading ? VARIANT_TRUE : VARIANT_FALSE;
        if (vanishWhileLoading && ++busyAnswers == 3)
            End();  // the next call fails
        return S_OK;
    }

    // IWebBrowserApp
    HRESULT STDMETHODCALLTYPE Quit() override
    {
        End();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* h) override
    {
        *h = reinterpret_cast<SHANDLE_PTR>(g_window);
        return g_window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* v) override
    {
        *v = g_window && ::IsWindowVisible(g_window) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL v) override
    {
        if (g_window)
            ::ShowWindow(g_window, v ? SW_SHOWNA : SW_HIDE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL* v) override { *v = statusBar; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL v) override { statusBar = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ToolBar(int* v) override { *v = toolBar; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_ToolBar(int v) override { toolBar = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* v) override { *v = menuBar; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL v) override { menuBar = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL* v) override { *v = fullScreen; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL v) override
    {
        fullScreen = v;
        if (v)
            Move(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), 0);
        return S_OK;
    }

    // IWebBrowser2
    HRESULT STDMETHODCALLTYPE Navigate2(VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID, OLECMDF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* s) override
    {
        *s = READYSTATE_COMPLETE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* v) override { *v = addressBar; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL v) override { addressBar = v; return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL* v) override { *v = resizable; return S_OK; }
    HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL v) override { resizable = v; return S_OK; }

    // IConnectionPointContainer: the browser events only.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override
    {
        *point = nullptr;
        if (riid != DIID_DWebBrowserEvents2)
            return CONNECT_E_NOCONNECTION;
        *point = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        *iid = DIID_DWebBrowserEvents2;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override
    {
        *c = static_cast<IConnectionPointContainer*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        IDispatch* d = nullptr;
        if (!sink || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))))
            return CONNECT_E_CANNOTCONNECT;
        *cookie = nextCookie++;
        sinks.push_back({ *cookie, d });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        for (auto it = sinks.begin(); it != sinks.end(); ++it)
            if (it->first == cookie) {
                it->second->Release();
                sinks.erase(it);
                return S_OK;
            }
        return CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (!g_browser) {
            g_browser = new Browser;
        }
        return g_browser->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

LRESULT CALLBACK FrameProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == g_follow && g_follow) {
        wchar_t url[1024] = {};
        ::GlobalGetAtomNameW(ATOM(w), url, 1023);
        ::GlobalDeleteAtom(ATOM(w));
        if (g_browser)
            g_browser->Go(url);
        return 0;
    }
    switch (m) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(h, &ps);
        RECT r;
        ::GetClientRect(h, &r);
        HBRUSH brush = ::CreateSolidBrush(STANDIN_PAGE_COLOUR);
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
        ::EndPaint(h, &ps);
        return 0;
    }
    case WM_CLOSE:
        // The user closes the browser.
        if (g_browser)
            g_browser->End();
        else
            ::DestroyWindow(h);
        return 0;
    default:
        return ::DefWindowProcW(h, m, w, l);
    }
}

}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    g_follow = ::RegisterWindowMessageA(STANDIN_FOLLOW_MESSAGE);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = L"" STANDIN_WINDOW_CLASS;
    ::RegisterClassW(&wc);
    g_window = ::CreateWindowExW(0, wc.lpszClassName, L"Stand-in browser", WS_OVERLAPPEDWINDOW, 40, 30, 768, 576,
                                 nullptr, nullptr, instance, nullptr);
    static Factory factory;
    DWORD registration = 0;
    if (FAILED(::CoRegisterClassObject(CLSID_VelmoraStandInBrowser, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                       &registration)))
        return 2;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::CoRevokeClassObject(registration);
    if (g_browser)
        g_browser->Release();
    ::CoUninitialize();
    return 0;
}
