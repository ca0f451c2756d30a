#include "CWinApp.h"

#include "CException.h"
#include "CHandleMap.h"
#include "CWnd.h"

#include <exception>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    HMODULE exe = ::GetModuleHandleA(nullptr);
    HMODULE own = AfxGetModuleOf(this);
    m_hInstance = own ? own : exe;
    m_bLibrary = own && own != exe;

    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    CString full(path);
    CString name = full.Mid(full.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);
    m_strExeName = name;
    m_strAppName = lpszAppName ? CString(lpszAppName) : name;
    const int fullDot = full.ReverseFind('.');
    m_strHelpFilePath = (fullDot > full.ReverseFind('\\') ? full.Left(fullDot) : full) + ".hlp";
    m_pszExeName = m_strExeName;
    m_pszAppName = m_strAppName;
    m_pszHelpFilePath = m_strHelpFilePath;

    // The command line after the program's name.
    const char* cmd = ::GetCommandLineA();
    if (*cmd == '"') {
        ++cmd;
        while (*cmd && *cmd != '"')
            ++cmd;
        if (*cmd == '"')
            ++cmd;
    } else {
        while (*cmd && *cmd != ' ' && *cmd != '\t')
            ++cmd;
    }
    while (*cmd == ' ' || *cmd == '\t')
        ++cmd;
    m_strCmdLine = cmd;
    m_lpCmdLine = m_strCmdLine.GetBuffer();

    if (m_bLibrary)
        AfxAddLibraryModule(m_hInstance);
    else if (!AfxGetApp())
        AfxSetApp(this);
}

CWinApp::~CWinApp()
{
    if (m_bLibrary)
        AfxRemoveLibraryModule(m_hInstance);
    else if (AfxGetApp() == this)
        AfxSetApp(nullptr);
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    AfxDeleteTempMaps();
    return m_nExitCode;
}

BOOL CWinApp::PumpMessage()
{
    const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got == 0) {
        m_nExitCode = static_cast<int>(m_msgCur.wParam);
        return FALSE;
    }
    if (got == -1)
        return FALSE;
    if (!AfxPreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    MSG peek;
    AfxEnterMessageLoop();
    for (;;) {
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpMessage()) {
                AfxLeaveMessageLoop();
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::WalkPreTranslateTree(pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0 && AfxGetMessageLoopDepth() <= 1)
        AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* caret blink */;
}

LRESULT CWinApp::ProcessWndProcException(LPCTSTR lpszError, const MSG* pMsg)
{
    AfxMessageBox(lpszError, MB_ICONEXCLAMATION | MB_OK);
    return pMsg && pMsg->message == WM_CREATE ? -1 : 0;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND owner = ::GetActiveWindow();
    if (!owner && m_pMainWnd)
        owner = m_pMainWnd->GetSafeHwnd();
    return ::MessageBoxA(owner, lpszPrompt, m_pszAppName, nType);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    return ::LoadCursorA(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

void CWinApp::OnHelp()
{
    ::WinHelpA(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, m_pszHelpFilePath, HELP_FINDER, 0);
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    try {
        CWinApp* app = AfxGetApp();
        return app ? app->PreTranslateMessage(pMsg) : CWnd::WalkPreTranslateTree(pMsg);
    } catch (...) {
        AfxProcessCurrentException(pMsg);
    }
    return TRUE;  // the message that failed is not dispatched
}

LRESULT AfxProcessCurrentException(const MSG* pMsg)
{
    char text[512];
    try {
        throw;
    } catch (CException* e) {
        if (!e->GetErrorMessage(text, sizeof text))
            lstrcpynA(text, "An unknown error occurred.", sizeof text);
        e->Delete();
    } catch (const std::exception& e) {
        lstrcpynA(text, e.what(), sizeof text);
    } catch (...) {
        lstrcpynA(text, "An unknown error occurred.", sizeof text);
    }
    return AfxProcessWndProcException(text, pMsg);
}

LRESULT AfxProcessWndProcException(LPCTSTR lpszError, const MSG* pMsg)
{
    ::OutputDebugStringA(lpszError);
    if (CWinApp* app = AfxGetApp())
        return app->ProcessWndProcException(lpszError, pMsg);
    ::MessageBoxA(nullptr, lpszError, nullptr, MB_ICONEXCLAMATION | MB_OK);
    return pMsg && pMsg->message == WM_CREATE ? -1 : 0;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    if (lpCmdLine)
        app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    int result = -1;
    try {
        if (!app->InitApplication() || !app->InitInstance())
            result = app->ExitInstance();
        else
            result = app->Run();
    } catch (CException*) {
        AfxProcessCurrentException(nullptr);
    } catch (const std::exception&) {
        AfxProcessCurrentException(nullptr);
    }
    AfxDeleteTempMaps();
    return result;
}
