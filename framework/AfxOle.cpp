#include "AfxOle.h"

#include <ocidl.h>
#include <ole2.h>

namespace {
bool g_oleInitialised = false;
bool g_containerEnabled = false;
HMODULE g_atl = nullptr;
typedef BOOL(WINAPI* AtlAxWinInitFn)();
typedef HRESULT(WINAPI* AtlAxGetControlFn)(HWND, IUnknown**);
AtlAxGetControlFn g_getControl = nullptr;
} // namespace

BOOL AfxOleInit()
{
    if (g_oleInitialised)
        return TRUE;
    const HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    g_oleInitialised = true;
    return TRUE;
}

void AfxOleTerm()
{
    if (!g_oleInitialised)
        return;
    g_oleInitialised = false;
    ::OleUninitialize();
}

BOOL AfxEnableControlContainer()
{
    g_containerEnabled = true;
    return TRUE;
}

BOOL AfxEnsureControlHost()
{
    static bool tried = false, available = false;
    if (!g_containerEnabled)
        return FALSE;
    if (tried)
        return available;
    tried = true;
    g_atl = ::LoadLibraryA("atl.dll");
    if (!g_atl)
        return FALSE;
    auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(g_atl, "AtlAxWinInit")));
    g_getControl = reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(::GetProcAddress(g_atl, "AtlAxGetControl")));
    available = init && g_getControl && init();
    return available;
}

BOOL AfxOleControlContainerEnabled()
{
    return g_containerEnabled;
}

LPCTSTR AfxGetControlHostClass()
{
    return "AtlAxWin";
}

IUnknown* AfxGetHostedControl(HWND hWndHost)
{
    if (!hWndHost || !AfxEnsureControlHost())
        return nullptr;
    IUnknown* unknown = nullptr;
    if (FAILED(g_getControl(hWndHost, &unknown)))
        return nullptr;
    return unknown;
}

HRESULT AfxGetDefaultInterface(IUnknown* pUnknown, IID* pIID)
{
    IProvideClassInfo* info = nullptr;
    HRESULT hr = pUnknown->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&info));
    if (FAILED(hr))
        return hr;
    ITypeInfo* coclass = nullptr;
    hr = info->GetClassInfo(&coclass);
    info->Release();
    if (FAILED(hr))
        return hr;
    TYPEATTR* attr = nullptr;
    hr = coclass->GetTypeAttr(&attr);
    if (FAILED(hr)) {
        coclass->Release();
        return hr;
    }
    hr = E_NOINTERFACE;
    for (UINT i = 0; i < attr->cImplTypes && FAILED(hr); ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT) ||
            (flags & IMPLTYPEFLAG_FSOURCE) || FAILED(coclass->GetRefTypeOfImplType(i, &ref)))
            continue;
        ITypeInfo* iface = nullptr;
        if (FAILED(coclass->GetRefTypeInfo(ref, &iface)))
            continue;
        TYPEATTR* ifaceAttr = nullptr;
        if (SUCCEEDED(iface->GetTypeAttr(&ifaceAttr))) {
            *pIID = ifaceAttr->guid;
            iface->ReleaseTypeAttr(ifaceAttr);
            hr = S_OK;
        }
        iface->Release();
    }
    coclass->ReleaseTypeAttr(attr);
    coclass->Release();
    return hr;
}
