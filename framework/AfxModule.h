// The process's one module state: the program's application object, its instance and the
// modules resources are looked up in. The framework is one DLL shared by the program and
// its libraries, so every module sees the same state.
//
// How a DLL module initialises: a library that wants resources of its own looked up, or
// that sets something up when it loads, defines one static application object:
//
//   class CViewersApp : public CWinApp {
//   public:
//       CViewersApp() { AfxEnableControlContainer(); }   // runs when the DLL is loaded
//   };
//   static CViewersApp theViewersApp;
//
// Resources of a library: the framework looks in the resource handle first (the program,
// unless changed), then in the libraries. Code of a library that must have its own resource
// where the program may hold one of the same id opens a CResourceScope on its module:
//
//   CResourceScope own(AfxGetThisModule());   // until the end of the block
//   title.LoadString(IDS_TITLE); icon = AfxGetApp()->LoadIcon(IDI_BROWSE);
//
// (A dialog's template is always looked up in the module of the dialog's class first.)
//
// A CWinApp constructed inside a DLL is a library application: it does not become
// AfxGetApp(), its InitInstance is never called, and its module is added to the modules
// searched by AfxFindResourceHandle (after the program itself). The program's own static
// CWinApp is the application: AfxWinMain runs it, and AfxGetApp()/AfxGetMainWnd() return
// it and its main window in every module.
#pragma once
#include "WinTypes.h"

#ifdef _WIN32
class CWinApp;
class CWnd;

FW_API CWinApp* AfxGetApp();
FW_API CWnd* AfxGetMainWnd();
// The program's instance (window classes are registered with it).
FW_API HINSTANCE AfxGetInstanceHandle();
// Where resources are loaded from by default: the program unless changed.
FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE hInstResource);
// The first of: the resource handle, then every library module (in load order), that
// holds the resource; the resource handle when none does.
FW_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The same for a string-table entry (looked up by string, as strings share blocks).
FW_API HINSTANCE AfxFindStringResourceHandle(UINT nID);
// The module (exe or DLL) whose image holds the address; null for heap or stack addresses.
FW_API HMODULE AfxGetModuleOf(const void* address);
// The module the calling code is linked into (the program, or the DLL whose code calls it).
extern "C" IMAGE_DOS_HEADER __ImageBase;
#define AfxGetThisModule() (reinterpret_cast<HINSTANCE>(&__ImageBase))
// The framework DLL itself (the program for the static build).
FW_API HMODULE AfxGetFrameworkModule();
// The application's name (the program's base name unless the application gave one).
FW_API LPCTSTR AfxGetAppName();

// The depth of the framework's message loops running on this thread (Run and the modal
// loops); temporary objects are deleted only when the outermost loop is idle.
FW_API int AfxGetMessageLoopDepth();
FW_API void AfxEnterMessageLoop();
FW_API void AfxLeaveMessageLoop();

// Used by CWinApp.
FW_API void AfxSetApp(CWinApp* app);
FW_API void AfxAddLibraryModule(HINSTANCE hModule);
FW_API void AfxRemoveLibraryModule(HINSTANCE hModule);
#endif
