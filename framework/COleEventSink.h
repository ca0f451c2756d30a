// Receives the events of an ActiveX control or automation server: an IDispatch of ours
// that the source calls, connected through the source's connection point.
//
//   class CPlayerEvents : public COleEventSink {
//   protected:
//       HRESULT OnEvent(DISPID id, DISPPARAMS* params, VARIANT*) override
//       {
//           if (id == 5101) m_owner->OnPlayStateChange(params->rgvarg[0].lVal);
//           return S_OK;
//       }
//   };
//   events.Advise(m_player.GetControlUnknown());   // the source's default event interface
//   ...
//   events.Unadvise();                              // before the source goes
//
// Events arrive on the thread that made the source, inside the source's own calls; an
// exception that OnEvent lets escape is caught and reported like one from a message handler.
// The object's lifetime is the C++ object's (reference counts are kept but never delete it);
// Unadvise runs in the destructor.
#pragma once
#include "WinTypes.h"

#include <oaidl.h>
#include <ocidl.h>

class FW_API COleEventSink : public IDispatch {
public:
    COleEventSink() = default;
    virtual ~COleEventSink();
    COleEventSink(const COleEventSink&) = delete;
    COleEventSink& operator=(const COleEventSink&) = delete;

    // Connects to the source's event interface diid (IID_NULL: the source's default source
    // interface, from IProvideClassInfo2).
    HRESULT Advise(IUnknown* pSource, REFIID diid = IID_NULL);
    void Unadvise();
    BOOL IsAdvised() const { return m_pConnectionPoint != nullptr; }
    const IID& GetEventIID() const { return m_iid; }

    // IUnknown and IDispatch.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

protected:
    // One event: its dispatch id and arguments (last argument first, as COM gives them).
    virtual HRESULT OnEvent(DISPID dispid, DISPPARAMS* pParams, VARIANT* pResult);

private:
    IConnectionPoint* m_pConnectionPoint = nullptr;
    DWORD m_cookie = 0;
    IID m_iid = IID_NULL;
    LONG m_refs = 0;
};
