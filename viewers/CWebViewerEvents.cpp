#include "CWebViewerEvents.h"

#include "CWebViewer.h"
#include "WebNavigationRule.h"

#include <ole2.h>

CWebViewerEvents::CWebViewerEvents(CWebViewer* viewer, bool launchPdfExternally)
    : m_Viewer(viewer), m_LaunchPDFExternally(launchPdfExternally ? 1 : 0), m_LaunchEXEExternally(1),
      m_ComStarted(SUCCEEDED(::CoInitialize(nullptr)))
{
}

CWebViewerEvents::~CWebViewerEvents()
{
    Unadvise();
    // A browser that never let go of its connection (gone or hung) must not call into a
    // freed sink: cut every reference held from outside.
    ::CoDisconnectObject(static_cast<IDispatch*>(this), 0);
    if (m_ComStarted)
        ::CoUninitialize();
}

namespace {

// An argument as the browser passes it: by value or by reference to a VARIANT.
const VARIANT* Deref(const VARIANT& v)
{
    return V_VT(&v) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&v) : &v;
}

CString Narrow(BSTR text)
{
    if (!text)
        return CString();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return CString();
    std::string out(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], length, nullptr, nullptr);
    out.resize(static_cast<size_t>(length - 1));
    return CString(out.c_str());
}

}

void CWebViewerEvents::BeforeNavigate2(DISPPARAMS* params)
{
    // pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel: last first.
    if (!params || params->cArgs < 7)
        return;
    const VARIANT* url = Deref(params->rgvarg[5]);
    CString address;
    if (V_VT(url) == VT_BSTR)
        address = Narrow(V_BSTR(url));
    else if (V_VT(url) == (VT_BYREF | VT_BSTR) && V_BSTRREF(url))
        address = Narrow(*V_BSTRREF(url));
    VARIANT& cancel = params->rgvarg[0];
    CString outside;
    const WebNavigationRule::Action action =
        WebNavigationRule::Decide(address, m_LaunchPDFExternally != 0, m_LaunchEXEExternally != 0, outside);
    if (action == WebNavigationRule::Navigate)
        return;
    if (V_VT(&cancel) == (VT_BYREF | VT_BOOL) && V_BOOLREF(&cancel))
        *V_BOOLREF(&cancel) = VARIANT_TRUE;
    CWebViewer* viewer = m_Viewer;
    if (!viewer)
        return;
    if (action == WebNavigationRule::OpenOutside)
        viewer->OpenOutside(outside);
    else
        viewer->CloseWindow();
}

HRESULT CWebViewerEvents::OnEvent(DISPID dispid, DISPPARAMS* params, VARIANT*)
{
    switch (dispid) {
    case BeforeNavigate2Id:
        BeforeNavigate2(params);
        break;
    case OnQuitId:
        if (CWebViewer* viewer = m_Viewer)
            viewer->CloseWindow();
        break;
    default:  // status text, download and title changes, new windows: nothing to do
        break;
    }
    return S_OK;
}
