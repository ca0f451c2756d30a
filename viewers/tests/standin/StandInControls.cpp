// Stand-in player controls for the tests (see StandInControls.h): enough of the newer and the
// older media player control and of the Flash control for a window to host, drive by dispatch
// id and hear from through a connection point.
#include "StandInControls.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const CLSID CLSID_Newer = { 0x6BF52A52, 0x394A, 0x11D3, { 0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6 } };
const IID DIID_NewerEvents = { 0x6BF52A51, 0x394A, 0x11D3, { 0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6 } };
const CLSID CLSID_Older = { 0x22D6F312, 0xB0F6, 0x11D0, { 0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95 } };
const IID DIID_OlderEvents = { 0x2D3A4C40, 0xE711, 0x11D0, { 0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95 } };
const CLSID CLSID_Flash = { 0xD27CDB6E, 0xAE6D, 0x11CF, { 0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };
const IID DIID_FlashEvents = { 0xD27CDB6D, 0xAE6D, 0x11CF, { 0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00 } };

HMODULE g_module = nullptr;
LONG g_objects = 0;

enum Kind { Newer, Older, Flash };
enum State { Stopped = 0, Paused = 1, Playing = 2 };
enum Timers { OpenTimer = 1, EndTimer = 2, StartTimer = 3 };
// Sub-objects of the newer control.
enum Object { Player = 0, Controls = 4, Settings = 5, Media = 6 };

void Log(const std::string& line)
{
    char path[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA(STANDIN_LOG_VARIABLE, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string Narrow(BSTR s)
{
    if (!s)
        return std::string();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? size_t(n - 1) : 0, '\0');
    if (n > 1)
        ::WideCharToMultiByte(CP_ACP, 0, s, -1, &out[0], n, nullptr, nullptr);
    return out;
}

// The argument of a put or a method, as text and as a number.
bool Argument(DISPPARAMS* p, VARTYPE vt, VARIANT& out)
{
    ::VariantInit(&out);
    if (!p || p->cArgs < 1)
        return false;
    return SUCCEEDED(::VariantChangeType(&out, &p->rgvarg[0], 0, vt));
}

std::string Text(DISPPARAMS* p)
{
    VARIANT v;
    if (!Argument(p, VT_BSTR, v))
        return std::string();
    std::string s = Narrow(v.bstrVal);
    ::VariantClear(&v);
    return s;
}

// A put's value for the log: flags as 1 or 0, everything else as text.
std::string LogValue(DISPPARAMS* p)
{
    if (p && p->cArgs >= 1 && p->rgvarg[0].vt == VT_BOOL)
        return p->rgvarg[0].boolVal ? "1" : "0";
    return Text(p);
}

long Number(DISPPARAMS* p)
{
    VARIANT v;
    if (!Argument(p, VT_I4, v))
        return 0;
    return v.lVal;
}

const char* ObjectName(Kind kind, int object)
{
    if (kind == Older)
        return "older";
    if (kind == Flash)
        return "flash";
    switch (object) {
    case Controls:
        return "controls";
    case Settings:
        return "settings";
    case Media:
        return "media";
    default:
        return "player";
    }
}

LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TimerWindowProc(HWND, UINT, WPARAM, LPARAM);

void RegisterClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = g_module;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "VelmoraStandInControl";
    ::RegisterClassA(&wc);
    wc.lpfnWndProc = TimerWindowProc;
    wc.lpszClassName = "VelmoraStandInTimers";
    ::RegisterClassA(&wc);
}

class Control;

class SubObject : public IDispatch {
public:
    SubObject(Control& owner, int object) : m_owner(owner), m_object(object) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

private:
    Control& m_owner;
    int m_object;
};

// The control's one connection point: the sinks of its event interface.
class EventPoint : public IConnectionPoint {
public:
    explicit EventPoint(Control& owner) : m_owner(owner) {}
    ~EventPoint()
    {
        for (auto& s : sinks)
            s.second->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
            *ppv = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        IDispatch* d = nullptr;
        if (!sink || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))))
            return CONNECT_E_CANNOTCONNECT;
        sinks.push_back({ nextCookie, d });
        *cookie = nextCookie++;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        for (size_t i = 0; i < sinks.size(); ++i)
            if (sinks[i].first == cookie) {
                sinks[i].second->Release();
                sinks.erase(sinks.begin() + long(i));
                return S_OK;
            }
        return CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    std::vector<std::pair<DWORD, IDispatch*>> sinks;

private:
    Control& m_owner;
    DWORD nextCookie = 1;
};

class Control : public IDispatch,
                public IOleObject,
                public IOleInPlaceObject,
                public IConnectionPointContainer {
public:
    explicit Control(Kind kind)
        : m_kind(kind), m_controls(*this, Controls), m_settings(*this, Settings), m_media(*this, Media), m_point(*this)
    {
        ::InterlockedIncrement(&g_objects);
        RegisterClasses();
        m_timers = ::CreateWindowExA(0, "VelmoraStandInTimers", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_module,
                                     nullptr);
        ::SetWindowLongPtrA(m_timers, GWLP_USERDATA, LONG_PTR(this));
        Log(std::string("create ") + (kind == Newer ? "newer" : kind == Older ? "older" : "flash"));
    }
    virtual ~Control()
    {
        Deactivate();
        if (m_timers)
            ::DestroyWindow(m_timers);
        if (m_site)
            m_site->Release();
        ::InterlockedDecrement(&g_objects);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else if (riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (riid == IID_IConnectionPointContainer)
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return ULONG(n);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        return Member(Player, id, flags, params, result);
    }

    // A member of the control or of one of its objects.
    HRESULT Member(int object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result)
    {
        AddRef();
        const HRESULT hr = Dispatch(object, id, flags, params, result);
        Release();
        return hr;
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override
    {
        if (site)
            site->AddRef();
        if (m_site)
            m_site->Release();
        m_site = site;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override
    {
        *site = m_site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override
    {
        Deactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND parent,
                                     LPCRECT rect) override
    {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE)
            return S_OK;
        if (m_window)
            return S_OK;
        IOleClientSite* site = active ? active : m_site;
        IOleInPlaceSite* inPlace = nullptr;
        if (site)
            site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace));
        HWND host = parent;
        if (inPlace) {
            inPlace->OnInPlaceActivate();
            HWND w = nullptr;
            if (SUCCEEDED(inPlace->GetWindow(&w)) && w)
                host = w;
            m_inPlace = inPlace;
        }
        RECT r = { 0, 0, 0, 0 };
        if (rect)
            r = *rect;
        else if (host)
            ::GetClientRect(host, &r);
        m_window = ::CreateWindowExA(0, "VelmoraStandInControl", "", WS_CHILD | WS_VISIBLE, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, host, nullptr, g_module, nullptr);
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, LONG_PTR(this));
        Log("activate " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) override
    {
        *id = m_kind == Newer ? CLSID_Newer : m_kind == Older ? CLSID_Older : CLSID_Flash;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL* size) override
    {
        if (size)
            m_extent = *size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override
    {
        *size = m_extent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD* cookie) override
    {
        *cookie = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow and IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* w) override
    {
        *w = m_window;
        return m_window ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override
    {
        Deactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override
    {
        if (m_window && position) {
            ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                         position->bottom - position->top, TRUE);
            Log("rects " + std::to_string(position->right - position->left) + "x" +
                std::to_string(position->bottom - position->top));
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return S_OK; }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override
    {
        *point = nullptr;
        if (riid != EventsIid())
            return CONNECT_E_NOCONNECTION;
        *point = &m_point;
        AddRef();
        return S_OK;
    }

    void Paint(HWND w)
    {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(w, &ps);
        RECT r;
        ::GetClientRect(w, &r);
        HBRUSH brush = ::CreateSolidBrush(Colour());
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
        ::EndPaint(w, &ps);
    }

    void OnTimer(UINT_PTR id)
    {
        ::KillTimer(m_timers, id);
        AddRef();
        if (id == OpenTimer) {
            m_opened = true;
            Fire(5001, 13);
            if (m_playRequested && m_state != Playing)
                BeginPlaying();
        } else if (id == StartTimer) {
            if (m_state == Playing)
                Fire(5101, 3);
        } else if (id == EndTimer && m_state == Playing) {
            PassEnded();
        }
        Release();
    }

    const IID& EventsIid() const
    {
        return m_kind == Newer ? DIID_NewerEvents : m_kind == Older ? DIID_OlderEvents : DIID_FlashEvents;
    }
private:
    COLORREF Colour() const
    {
        return m_kind == Newer ? STANDIN_NEWER_COLOUR : m_kind == Older ? STANDIN_OLDER_COLOUR : STANDIN_FLASH_COLOUR;
    }

    void Deactivate()
    {
        if (m_window) {
            HWND w = m_window;
            m_window = nullptr;
            ::SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            ::DestroyWindow(w);
        }
        if (m_inPlace) {
            m_inPlace->OnInPlaceDeactivate();
            m_inPlace->Release();
            m_inPlace = nullptr;
        }
    }

    void Fire(DISPID id, long argument)
    {
        Log("event " + std::to_string(id) + " " + std::to_string(argument));
        std::vector<std::pair<DWORD, IDispatch*>> now = m_point.sinks;
        for (auto& s : now)
            s.second->AddRef();
        for (auto& s : now) {
            VARIANTARG arg;
            ::VariantInit(&arg);
            arg.vt = VT_I4;
            arg.lVal = argument;
            DISPPARAMS p = { &arg, nullptr, 1, 0 };
            s.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
            s.second->Release();
        }
    }

    // The file: "<width> <height> <milliseconds>"; false for anything else.
    bool Open(const std::string& path)
    {
        m_opened = false;
        m_width = m_height = 0;
        m_length = 0;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return false;
        long w = 0, h = 0, ms = 0;
        const bool ok = std::fscanf(f, "%ld %ld %ld", &w, &h, &ms) == 3;
        std::fclose(f);
        if (!ok)
            return false;
        m_width = w;
        m_height = h;
        m_length = ms;
        return true;
    }

    void BeginPlaying()
    {
        m_state = Playing;
        m_playRequested = false;
        ::SetTimer(m_timers, EndTimer, UINT(m_length > 0 ? m_length : 1), nullptr);
        if (m_kind == Newer)
            ::SetTimer(m_timers, StartTimer, 10, nullptr);
    }

    void StopPlaying(State state)
    {
        m_state = state;
        m_playRequested = false;
        ::KillTimer(m_timers, EndTimer);
        ::KillTimer(m_timers, StartTimer);
    }

    // One pass of the file is over: the end is told each time; the next pass starts while
    // passes remain (a play count of 0 on the older control means for ever).
    void PassEnded()
    {
        ++m_passes;
        const bool again = m_kind == Older ? m_playCount == 0 || m_passes < m_playCount
                         : m_kind == Newer ? m_passes < m_playCount
                                           : m_loop;
        if (m_kind == Flash) {
            if (again)
                BeginPlaying();
            else
                StopPlaying(Stopped);
            return;
        }
        StopPlaying(Stopped);
        Fire(m_kind == Older ? 3002 : 5101, m_kind == Older ? 0 : 8);
        if (again && m_state == Stopped)
            BeginPlaying();
    }

    HRESULT Return(VARIANT* result, VARTYPE vt, long value)
    {
        if (!result)
            return S_OK;
        ::VariantInit(result);
        result->vt = vt;
        if (vt == VT_BOOL)
            result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        else
            result->lVal = value;
        return S_OK;
    }

    HRESULT Dispatch(int object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result)
    {
        const std::string name = std::string(ObjectName(m_kind, object)) + ":" + std::to_string(id);
        const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        const bool get = !put && (flags & DISPATCH_PROPERTYGET) && !(params && params->cArgs);
        if (put)
            Log(name + "=" + LogValue(params));
        else if (get)
            Log(name + "?");
        else
            Log(name + "()");
        if (id == STANDIN_DISPID_STATE && get)
            return Return(result, VT_I4, m_state == Playing ? 2 : m_state == Paused ? 1 : 0);
        switch (m_kind) {
        case Newer:
            return Newer_(object, id, put, get, params, result);
        case Older:
            return Older_(id, put, get, params, result);
        default:
            return Flash_(id, put, get, params, result);
        }
    }

    HRESULT Newer_(int object, DISPID id, bool put, bool get, DISPPARAMS* params, VARIANT* result)
    {
        if (object == Player) {
            SubObject* sub = id == Controls ? &m_controls : id == Settings ? &m_settings : id == Media ? &m_media : nullptr;
            if (sub && get) {
                if (result) {
                    ::VariantInit(result);
                    result->vt = VT_DISPATCH;
                    result->pdispVal = sub;
                    sub->AddRef();
                }
                return S_OK;
            }
            if (id == 1 && put) {
                StopPlaying(Stopped);
                m_passes = 0;
                if (Open(Text(params)))
                    ::SetTimer(m_timers, OpenTimer, 50, nullptr);
                return S_OK;
            }
            if (id == 21 && get)
                return Return(result, VT_BOOL, m_fullScreen);
            if (id == 21 && put) {
                m_fullScreen = Number(params) != 0;
                return S_OK;
            }
            if ((id == 23 || id == 24) && put)
                return S_OK;
            return DISP_E_MEMBERNOTFOUND;
        }
        if (object == Controls) {
            if (id == 51) {
                if (!m_opened)
                    m_playRequested = true;
                else if (m_state != Playing)
                    BeginPlaying();
                return S_OK;
            }
            if (id == 52) {
                StopPlaying(Stopped);
                Fire(5101, 1);
                return S_OK;
            }
            if (id == 53) {
                StopPlaying(Paused);
                Fire(5101, 2);
                return S_OK;
            }
            if (id == 56 && (put || get))
                return put ? S_OK : Return(result, VT_I4, 0);
            return DISP_E_MEMBERNOTFOUND;
        }
        if (object == Settings) {
            if (id == 101 && put)
                return S_OK;
            if (id == 104 && put) {
                m_mute = Number(params) != 0;
                return S_OK;
            }
            if (id == 104 && get)
                return Return(result, VT_BOOL, m_mute);
            if (id == 105 && put) {
                m_playCount = Number(params);
                return S_OK;
            }
            if (id == 105 && get)
                return Return(result, VT_I4, m_playCount);
            return DISP_E_MEMBERNOTFOUND;
        }
        if (object == Media && get && (id == 752 || id == 753))
            return Return(result, VT_I4, id == 752 ? m_width : m_height);
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Older_(DISPID id, bool put, bool get, DISPPARAMS* params, VARIANT* result)
    {
        if (id == 1026 && put) {
            StopPlaying(Stopped);
            m_passes = 0;
            m_opened = Open(Text(params));
            return S_OK;
        }
        if ((id == 1001 || id == 1002) && get)
            return Return(result, VT_I4, id == 1001 ? m_width : m_height);
        if (id == 1030 && put) {
            m_playCount = Number(params);
            return S_OK;
        }
        if (id == 2001) {
            if (m_opened && m_state != Playing)
                BeginPlaying();
            return S_OK;
        }
        if (id == 2003) {
            StopPlaying(Stopped);
            return S_OK;
        }
        if (put)
            return S_OK;  // the settings of its panel and border
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Flash_(DISPID id, bool put, bool get, DISPPARAMS* params, VARIANT* result)
    {
        if (id == 102 && put) {
            StopPlaying(Stopped);
            m_opened = Open(Text(params));
            return S_OK;
        }
        if (id == 106 && put) {
            m_loop = Number(params) != 0;
            return S_OK;
        }
        if (id == 135 && put)
            return S_OK;
        if (id == 112) {
            if (m_opened && m_state != Playing)
                BeginPlaying();
            return S_OK;
        }
        if (id == 113) {
            StopPlaying(Stopped);
            return S_OK;
        }
        if (id == 125 && get)
            return Return(result, VT_BOOL, m_state == Playing);
        return DISP_E_MEMBERNOTFOUND;
    }

    LONG m_refs = 1;
    Kind m_kind;
    SubObject m_controls, m_settings, m_media;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceSite* m_inPlace = nullptr;
    HWND m_window = nullptr;
    HWND m_timers = nullptr;
    SIZEL m_extent = { 5000, 4000 };
    EventPoint m_point;
    State m_state = Stopped;
    bool m_opened = false;
    bool m_playRequested = false;
    bool m_fullScreen = false;
    bool m_mute = false;
    bool m_loop = false;
    long m_playCount = 1;
    long m_passes = 0;
    long m_width = 0, m_height = 0, m_length = 0;
};

HRESULT SubObject::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}
ULONG SubObject::AddRef() { return m_owner.AddRef(); }
ULONG SubObject::Release() { return m_owner.Release(); }
HRESULT SubObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    return m_owner.Member(m_object, id, flags, params, result);
}

ULONG EventPoint::AddRef() { return m_owner.AddRef(); }
ULONG EventPoint::Release() { return m_owner.Release(); }
HRESULT EventPoint::GetConnectionInterface(IID* iid)
{
    *iid = m_owner.EventsIid();
    return S_OK;
}
HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** c)
{
    *c = &m_owner;
    m_owner.AddRef();
    return S_OK;
}

LRESULT CALLBACK ControlWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* c = reinterpret_cast<Control*>(::GetWindowLongPtrA(w, GWLP_USERDATA));
    if (message == WM_PAINT && c) {
        c->Paint(w);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProcA(w, message, wParam, lParam);
}

LRESULT CALLBACK TimerWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* c = reinterpret_cast<Control*>(::GetWindowLongPtrA(w, GWLP_USERDATA));
    if (message == WM_TIMER && c) {
        c->OnTimer(wParam);
        return 0;
    }
    return ::DefWindowProcA(w, message, wParam, lParam);
}

class Factory : public IClassFactory {
public:
    explicit Factory(Kind kind) : m_kind(kind) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Control* c = new Control(m_kind);
        const HRESULT hr = c->QueryInterface(riid, ppv);
        c->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Kind m_kind;
};

Factory g_newer(Newer), g_older(Older), g_flash(Flash);

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    Factory* f = clsid == CLSID_Newer ? &g_newer : clsid == CLSID_Older ? &g_older : clsid == CLSID_Flash ? &g_flash : nullptr;
    if (!f) {
        *ppv = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return f->QueryInterface(riid, ppv);
}

// Kept loaded: its window classes and the tests' objects stay valid for the process.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
