// A DLL built on the framework, standing in for the viewers library in the cross-module tests.
#pragma once
#include "Framework.h"
#include "TestLibraryResource.h"

#ifdef VELMORA_TESTLIB_BUILD
#define TESTLIB_API __declspec(dllexport)
#else
#define TESTLIB_API __declspec(dllimport)
#endif

// An exception class of the library's own (as the zip and image libraries have).
class TESTLIB_API CLibraryException : public CException {
public:
    explicit CLibraryException(int code) : m_code(code) {}
    int m_code;
};

// A window class of the library.
class TESTLIB_API CLibraryWnd : public CWnd {
    DECLARE_DYNAMIC(CLibraryWnd)
public:
    int pings = 0;
protected:
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A dialog of the library, with its template in the library's resources.
class TESTLIB_API CLibraryDlg : public CDialog {
public:
    CLibraryDlg() : CDialog(IDD_SHARED_ID) {}
};

// Creates a child window of the parent (a CLibraryWnd, heap-allocated, owned by the caller).
TESTLIB_API CLibraryWnd* TestLib_CreateWindow(CWnd* pParent);
// Throws: 0 CFileException*, 1 std::runtime_error, 2 CLibraryException*, 3 CUserException*.
TESTLIB_API void TestLib_Throw(int kind);
// Registers "VELMORA_MODULE_TEST" on its own and sends it to the window.
TESTLIB_API LRESULT TestLib_SendRegistered(HWND hTarget, WPARAM wParam);
// The library's application object.
TESTLIB_API CWinApp* TestLib_App();
// The string IDS_BOTH as the library loads it for itself (from its own module).
TESTLIB_API CString TestLib_LoadOwnString();
// A modeless CLibraryDlg created by the library without a parent.
TESTLIB_API CLibraryDlg* TestLib_CreateDialog();
