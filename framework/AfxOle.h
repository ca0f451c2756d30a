// OLE for the program's thread and the hosting of ActiveX controls.
//
// - AfxOleInit initialises OLE on the calling thread once; AfxOleTerm undoes it.
// - AfxEnableControlContainer switches on control hosting: the system's ActiveX host
//   window class "AtlAxWin" (atl.dll) is registered. A control then lives in a child window
//   of that class whose window text is the control's CLSID, "{...}": made by
//   CWnd::CreateControl, or written straight into a dialog template:
//       CONTROL "{6BF52A52-394A-11D3-B153-00C04F79FAA6}", 1017, "AtlAxWin", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150
//   and bound with DDX_Control like any other control. CWnd::GetControlUnknown and
//   CWnd::InvokeHelper drive it by dispatch id (COleDispatchDriver.h); COleEventSink.h
//   receives its events. OLE must be initialised on the thread before a control is made.
#pragma once
#include "WinTypes.h"

FW_API BOOL AfxOleInit();
FW_API void AfxOleTerm();
// Switches hosting on. Safe in a DLL's static constructor (CViewersApp): the host itself is
// set up on first use, by the first dialog created or control made afterwards.
FW_API BOOL AfxEnableControlContainer();
FW_API BOOL AfxOleControlContainerEnabled();
// Sets the host up when hosting is on; true when it is available (atl.dll found and its
// window class registered).
FW_API BOOL AfxEnsureControlHost();
// The window class of the control host.
FW_API LPCTSTR AfxGetControlHostClass();
// The default (non-event) interface of an object's class, from IProvideClassInfo.
FW_API HRESULT AfxGetDefaultInterface(IUnknown* pUnknown, IID* pIID);
// The control hosted by a host window, AddRef'ed; null when the window hosts none.
FW_API IUnknown* AfxGetHostedControl(HWND hWndHost);
