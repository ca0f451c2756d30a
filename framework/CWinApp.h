// The application object. A program defines exactly one static instance of a class
// derived from CWinApp and links framework_main (which supplies WinMain -> AfxWinMain):
//
//   class CComposerApp : public CWinApp {
//   public:
//       BOOL InitInstance() override
//       {
//           Enable3dControls();
//           CProjectDlg dlg;
//           m_pMainWnd = &dlg;   // popups without a parent are owned by it
//           dlg.DoModal();       // the program lives inside the dialog's modal loop
//           return FALSE;        // false: no message pump, the program ends here
//       }
//   };
//   CComposerApp theApp;
//
// AfxWinMain runs InitInstance; when it returns TRUE, Run pumps messages until WM_QUIT
// (posted when the main window is destroyed), otherwise the program ends at once. Either
// way the exit code is ExitInstance()'s result: m_nExitCode, which Run sets to the
// WM_QUIT code and the application may set itself. In a DLL a CWinApp is a library
// application (see AfxModule.h).
#pragma once
#include "AfxModule.h"
#include "CCmdTarget.h"
#include "CString.h"

class CWnd;

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class FW_API CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message pump with idle processing; returns ExitInstance() after WM_QUIT.
    virtual int Run();
    // Gets and dispatches one message (PreTranslateMessage first); false on WM_QUIT.
    virtual BOOL PumpMessage();
    // Default: offers the message to the windows from its target up to the top-level window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called while the queue is empty with a rising count; return TRUE for more idle time.
    // The base deletes the temporary handle objects.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // An exception that a message handler let escape, with a text; the base shows the text
    // in a message box. The result is the message's result (-1 for WM_CREATE).
    virtual LRESULT ProcessWndProcException(LPCTSTR lpszError, const MSG* pMsg);
    // Every framework message box goes through here (AfxMessageBox, data-exchange checks).
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // The 3-D control look is the system's own on every supported system: nothing to do.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
    BOOL IsLibrary() const { return m_bLibrary; }

    afx_msg void OnHelp();

    HINSTANCE m_hInstance = nullptr;     // the module the object lives in
    LPSTR m_lpCmdLine = nullptr;         // the command line after the program name
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;          // the main window (cleared when it is destroyed)
    LPCTSTR m_pszAppName = nullptr;      // m_strAppName
    LPCTSTR m_pszExeName = nullptr;      // base name of the module's file, no extension
    LPCTSTR m_pszHelpFilePath = nullptr; // the module's path with ".hlp"
    int m_nExitCode = 0;
    MSG m_msgCur = {};

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bLibrary = FALSE;
    CString m_strAppName, m_strExeName, m_strHelpFilePath, m_strCmdLine;
};

// Runs the application (WinMain of framework_main calls it).
FW_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// One message of a message loop through the application's PreTranslateMessage.
FW_API BOOL AfxPreTranslateMessage(MSG* pMsg);
// Reports an exception that escaped a handler (CWinApp::ProcessWndProcException).
FW_API LRESULT AfxProcessWndProcException(LPCTSTR lpszError, const MSG* pMsg);
// From inside a catch block: reports the exception being handled (a framework exception,
// which is deleted, a standard one or any other) through AfxProcessWndProcException.
FW_API LRESULT AfxProcessCurrentException(const MSG* pMsg);
// A message box owned by the active window, titled with the application's name.
FW_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
FW_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
