#include "COleDispatchDriver.h"

#include <vector>

namespace {

BSTR ToBstr(const char* s)
{
    if (!s)
        return nullptr;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    BSTR b = ::SysAllocStringLen(nullptr, n > 0 ? n - 1 : 0);
    if (b && n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, s, -1, b, n);
    return b;
}

CString FromBstr(BSTR b)
{
    if (!b)
        return CString();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, b, -1, nullptr, 0, nullptr, nullptr);
    CString s;
    if (n > 1) {
        ::WideCharToMultiByte(CP_ACP, 0, b, -1, s.GetBufferSetLength(n - 1), n, nullptr, nullptr);
        s.ReleaseBuffer();
    }
    return s;
}

// Reads one argument of the type from the list into a VARIANT.
void TakeArgument(VARIANT& v, BYTE vt, va_list& args)
{
    ::VariantInit(&v);
    switch (vt) {
    case VT_I2: v.vt = VT_I2; v.iVal = static_cast<SHORT>(va_arg(args, int)); break;
    case VT_I4: v.vt = VT_I4; v.lVal = va_arg(args, long); break;
    case VT_R4: v.vt = VT_R4; v.fltVal = static_cast<float>(va_arg(args, double)); break;
    case VT_R8: v.vt = VT_R8; v.dblVal = va_arg(args, double); break;
    case VT_BOOL: v.vt = VT_BOOL; v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_BSTR: v.vt = VT_BSTR; v.bstrVal = ToBstr(va_arg(args, const char*)); break;
    case VT_DISPATCH:
        v.vt = VT_DISPATCH;
        v.pdispVal = va_arg(args, IDispatch*);
        if (v.pdispVal)
            v.pdispVal->AddRef();
        break;
    case VT_UNKNOWN:
        v.vt = VT_UNKNOWN;
        v.punkVal = va_arg(args, IUnknown*);
        if (v.punkVal)
            v.punkVal->AddRef();
        break;
    case VT_VARIANT: ::VariantCopy(&v, const_cast<VARIANT*>(va_arg(args, const VARIANT*))); break;
    case VT_UI1: v.vt = VT_UI1; v.bVal = static_cast<BYTE>(va_arg(args, int)); break;
    default: break;
    }
}

HRESULT StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_EMPTY || !pvRet)
        return S_OK;
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;
        ::VariantInit(&result);
        return S_OK;
    }
    HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr))
        return hr;
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_R4: *static_cast<float*>(pvRet) = result.fltVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
    case VT_BSTR: *static_cast<CString*>(pvRet) = FromBstr(result.bstrVal); break;
    case VT_DISPATCH:
        *static_cast<IDispatch**>(pvRet) = result.pdispVal;
        result.pdispVal = nullptr;
        result.vt = VT_EMPTY;
        break;
    case VT_UNKNOWN:
        *static_cast<IUnknown**>(pvRet) = result.punkVal;
        result.punkVal = nullptr;
        result.vt = VT_EMPTY;
        break;
    default: return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

} // namespace

COleDispatchDriver::COleDispatchDriver(IDispatch* lpDispatch, BOOL bAddRef)
{
    AttachDispatch(lpDispatch, bAddRef);
}

HRESULT COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID)
{
    CLSID clsid;
    BSTR name = ToBstr(lpszProgID);
    HRESULT hr = (lpszProgID && lpszProgID[0] == '{') ? ::CLSIDFromString(name, &clsid) : ::CLSIDFromProgID(name, &clsid);
    ::SysFreeString(name);
    if (FAILED(hr))
        return hr;
    return CreateDispatch(clsid);
}

HRESULT COleDispatchDriver::CreateDispatch(REFCLSID clsid)
{
    ReleaseDispatch();
    return ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
}

void COleDispatchDriver::AttachDispatch(IDispatch* lpDispatch, BOOL bAddRef)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    if (m_lpDispatch && bAddRef)
        m_lpDispatch->AddRef();
}

IDispatch* COleDispatchDriver::DetachDispatch()
{
    IDispatch* d = m_lpDispatch;
    m_lpDispatch = nullptr;
    return d;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch) {
        m_lpDispatch->Release();
        m_lpDispatch = nullptr;
    }
}

HRESULT COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                         const char* pbParamInfo, ...)
{
    va_list args;
    va_start(args, pbParamInfo);
    const HRESULT hr = InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    va_end(args);
    return hr;
}

HRESULT COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                          const char* pbParamInfo, va_list argList)
{
    if (!m_lpDispatch)
        return E_POINTER;
    const size_t count = pbParamInfo ? std::char_traits<char>::length(pbParamInfo) : 0;
    std::vector<VARIANT> arguments(count);
    va_list args;
    va_copy(args, argList);
    // DISPPARAMS holds the arguments last first.
    for (size_t i = 0; i < count; ++i)
        TakeArgument(arguments[count - 1 - i], static_cast<BYTE>(pbParamInfo[i]), args);
    va_end(args);

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = { arguments.empty() ? nullptr : arguments.data(), nullptr, static_cast<UINT>(count), 0 };
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    ::VariantInit(&result);
    UINT argError = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                                      vtRet == VT_EMPTY ? nullptr : &result, nullptr, &argError);
    for (VARIANT& v : arguments)
        ::VariantClear(&v);
    if (SUCCEEDED(hr))
        hr = StoreResult(result, vtRet, pvRet);
    ::VariantClear(&result);
    return hr;
}

HRESULT COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp)
{
    return InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

HRESULT COleDispatchDriver::SetProperty(DISPID dwDispID, UINT vtProp, ...)
{
    const char info[2] = { static_cast<char>(vtProp), 0 };
    va_list args;
    va_start(args, vtProp);
    const WORD flags = (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    const HRESULT hr = InvokeHelperV(dwDispID, flags, VT_EMPTY, nullptr, info, args);
    va_end(args);
    return hr;
}
