// Calls on an automation object (IDispatch) by dispatch id. The driver holds one reference
// to the object (released in the destructor unless detached).
//
//   COleDispatchDriver player(pDispatch, FALSE);
//   player.SetProperty(1, VT_BSTR, "movie.avi");                         // property put
//   IDispatch* controls = nullptr;
//   player.GetProperty(4, VT_DISPATCH, &controls);                         // property get
//   COleDispatchDriver(controls).InvokeHelper(51, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
//   long width = 0;
//   player.InvokeHelper(0x12, DISPATCH_METHOD, VT_I4, &width, VTS_I4 VTS_BSTR, 5L, "x");
//
// Argument types (pbParamInfo, a string of VTS_ codes, one per argument after it):
//   VTS_I2 short, VTS_I4 long, VTS_R4 float, VTS_R8 double, VTS_BOOL BOOL, VTS_BSTR
//   const char*, VTS_DISPATCH IDispatch*, VTS_UNKNOWN IUnknown*, VTS_VARIANT const VARIANT*,
//   VTS_UI1 BYTE. Result types (vtRet, pvRet): VT_EMPTY none, VT_I2 short*, VT_I4 long*,
//   VT_R4 float*, VT_R8 double*, VT_BOOL BOOL*, VT_BSTR CString*, VT_DISPATCH IDispatch**
//   (AddRef'ed), VT_UNKNOWN IUnknown** (AddRef'ed), VT_VARIANT VARIANT* (caller clears).
// Every call returns the HRESULT; nothing is thrown.
#pragma once
#include "CString.h"

#include <cstdarg>
#include <oaidl.h>

#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
#define VTS_NONE ""

class FW_API COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    // bAddRef FALSE: the driver takes over the caller's reference; TRUE: it adds its own.
    explicit COleDispatchDriver(IDispatch* lpDispatch, BOOL bAddRef = FALSE);
    ~COleDispatchDriver() { ReleaseDispatch(); }
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

    // Creates an automation server by ProgID ("InternetExplorer.Application.1") or CLSID text.
    HRESULT CreateDispatch(LPCTSTR lpszProgID);
    HRESULT CreateDispatch(REFCLSID clsid);
    void AttachDispatch(IDispatch* lpDispatch, BOOL bAddRef = FALSE);
    IDispatch* DetachDispatch();
    void ReleaseDispatch();

    HRESULT InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo, ...);
    HRESULT InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const char* pbParamInfo,
                          va_list argList);
    HRESULT GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp);
    // One value of type vtProp after it (as for InvokeHelper's arguments).
    HRESULT SetProperty(DISPID dwDispID, UINT vtProp, ...);

    IDispatch* m_lpDispatch = nullptr;
};
