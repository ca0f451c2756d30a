#include "TestLibrary.h"

#include <stdexcept>

namespace {
class CTestLibraryApp : public CWinApp {
public:
    CTestLibraryApp() { AfxEnableControlContainer(); }  // as the viewers library does when loaded
};
CTestLibraryApp theLibraryApp;
} // namespace

IMPLEMENT_DYNAMIC(CLibraryWnd, CWnd)

BEGIN_MESSAGE_MAP(CLibraryWnd, CWnd)
    ON_MESSAGE(WM_USER + 7, &CLibraryWnd::OnPing)
END_MESSAGE_MAP()

LRESULT CLibraryWnd::OnPing(WPARAM wParam, LPARAM)
{
    ++pings;
    return static_cast<LRESULT>(wParam + 1);
}

CLibraryWnd* TestLib_CreateWindow(CWnd* pParent)
{
    CLibraryWnd* wnd = new CLibraryWnd;
    if (!wnd->Create(nullptr, "library window", WS_CHILD, CRect(0, 0, 10, 10), pParent, 77)) {
        delete wnd;
        return nullptr;
    }
    return wnd;
}

void TestLib_Throw(int kind)
{
    switch (kind) {
    case 0: throw new CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "locked.dat");
    case 1: throw std::runtime_error("thrown in the library");
    case 2: throw new CLibraryException(105);
    default: AfxThrowUserException();
    }
}

LRESULT TestLib_SendRegistered(HWND hTarget, WPARAM wParam)
{
    static const UINT message = ::RegisterWindowMessageA("VELMORA_MODULE_TEST");
    return ::SendMessageA(hTarget, message, wParam, 0);
}

CWinApp* TestLib_App()
{
    return &theLibraryApp;
}

CLibraryDlg* TestLib_CreateDialog()
{
    CLibraryDlg* dlg = new CLibraryDlg;
    if (!dlg->Create(IDD_SHARED_ID)) {
        delete dlg;
        return nullptr;
    }
    return dlg;
}

CString TestLib_LoadOwnString()
{
    CResourceScope own(AfxGetThisModule());
    CString text;
    text.LoadString(IDS_BOTH);
    return text;
}
