#include "COleEventSink.h"

#include "CException.h"
#include "CWinApp.h"

#include <ocidl.h>

COleEventSink::~COleEventSink()
{
    Unadvise();
}

HRESULT COleEventSink::Advise(IUnknown* pSource, REFIID diid)
{
    Unadvise();
    if (!pSource)
        return E_POINTER;
    IID iid = diid;
    if (IsEqualIID(iid, IID_NULL)) {
        IProvideClassInfo2* info = nullptr;
        HRESULT hr = pSource->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info));
        if (FAILED(hr))
            return hr;
        hr = info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid);
        info->Release();
        if (FAILED(hr))
            return hr;
    }
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = pSource->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr))
        return hr;
    IConnectionPoint* point = nullptr;
    hr = container->FindConnectionPoint(iid, &point);
    container->Release();
    if (FAILED(hr))
        return hr;
    m_iid = iid;
    hr = point->Advise(static_cast<IDispatch*>(this), &m_cookie);
    if (FAILED(hr)) {
        point->Release();
        return hr;
    }
    m_pConnectionPoint = point;
    return S_OK;
}

void COleEventSink::Unadvise()
{
    if (!m_pConnectionPoint)
        return;
    IConnectionPoint* point = m_pConnectionPoint;
    m_pConnectionPoint = nullptr;
    point->Unadvise(m_cookie);
    point->Release();
    m_cookie = 0;
}

HRESULT COleEventSink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        (!IsEqualIID(m_iid, IID_NULL) && IsEqualIID(riid, m_iid))) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG COleEventSink::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG COleEventSink::Release()
{
    return static_cast<ULONG>(::InterlockedDecrement(&m_refs));
}

HRESULT COleEventSink::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo)
        *pctinfo = 0;
    return S_OK;
}

HRESULT COleEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT COleEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT COleEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                              EXCEPINFO*, UINT*)
{
    DISPPARAMS none = { nullptr, nullptr, 0, 0 };
    try {
        return OnEvent(dispIdMember, pDispParams ? pDispParams : &none, pVarResult);
    } catch (...) {
        AfxProcessCurrentException(nullptr);
    }
    return S_OK;
}

HRESULT COleEventSink::OnEvent(DISPID, DISPPARAMS*, VARIANT*)
{
    return S_OK;
}
