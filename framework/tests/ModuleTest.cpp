// The framework shared between a program and a library DLL: one handle map, one module
// state and main window, registered messages across modules, exceptions crossing the DLL
// boundary, and resources looked up in the module that owns them.
#include "TestLibrary.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

const UINT g_moduleMessage = ::RegisterWindowMessageA("VELMORA_MODULE_TEST");

class CProgramWnd : public CWnd {
public:
    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "program", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
    }
    WPARAM received = 0;
protected:
    afx_msg LRESULT OnModuleMessage(WPARAM wParam, LPARAM)
    {
        received = wParam;
        return 1234;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProgramWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_moduleMessage, &CProgramWnd::OnModuleMessage)
END_MESSAGE_MAP()

TEST(ModuleTest, AWindowMadeInTheLibraryIsFoundFromItsHandleInTheProgram)
{
    CProgramWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CLibraryWnd* made = TestLib_CreateWindow(&parent);
    ASSERT_NE(made, nullptr);
    HWND child = ::GetDlgItem(parent.m_hWnd, 77);
    ASSERT_EQ(child, made->m_hWnd);
    CWnd* found = CWnd::FromHandlePermanent(child);
    EXPECT_EQ(found, made);
    EXPECT_TRUE(found->IsKindOf(RUNTIME_CLASS(CLibraryWnd)));
    EXPECT_NE(dynamic_cast<CLibraryWnd*>(found), nullptr);
    EXPECT_EQ(found->SendMessage(WM_USER + 7, 41), 42);  // the library's message map
    EXPECT_EQ(made->pings, 1);
    EXPECT_EQ(found->GetParent(), &parent);
    delete made;
    EXPECT_FALSE(::IsWindow(child));
}

TEST(ModuleTest, ARegisteredMessageSentFromTheLibraryReachesTheProgramsHandler)
{
    CProgramWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_EQ(TestLib_SendRegistered(wnd.m_hWnd, 99), 1234);
    EXPECT_EQ(wnd.received, 99u);
}

TEST(ModuleTest, ExceptionsThrownInTheLibraryAreCaughtInTheProgram)
{
    try {
        TestLib_Throw(0);
        FAIL() << "nothing thrown";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::accessDenied);
        EXPECT_EQ(e->m_strFileName, "locked.dat");
        e->Delete();
    }
    try {
        TestLib_Throw(1);
        FAIL() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "thrown in the library");
    }
    try {
        TestLib_Throw(2);
        FAIL() << "nothing thrown";
    } catch (CException* e) {  // by its framework base
        CLibraryException* lib = dynamic_cast<CLibraryException*>(e);
        ASSERT_NE(lib, nullptr);
        EXPECT_EQ(lib->m_code, 105);
        e->Delete();
    }
    try {
        TestLib_Throw(3);
        FAIL() << "nothing thrown";
    } catch (CUserException* e) {
        e->Delete();
    }
}

TEST(ModuleTest, TheLibrarysApplicationObjectIsNotTheProgramsApplication)
{
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_FALSE(theApp.IsLibrary());
    CWinApp* lib = TestLib_App();
    EXPECT_NE(lib, &theApp);
    EXPECT_TRUE(lib->IsLibrary());
    EXPECT_EQ(lib->m_hInstance, ::GetModuleHandleA("framework_testlib.dll"));
    EXPECT_STREQ(theApp.m_pszExeName, "framework_module_test");
    EXPECT_TRUE(AfxOleControlContainerEnabled());  // switched on by the library when it loaded
}

TEST(ModuleTest, TheFrameworkDllCarriesItsVersion)
{
    char path[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(AfxGetFrameworkModule(), path, MAX_PATH), 0u);
    EXPECT_NE(CString(path).Find("VelmoraFW.dll"), -1);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2u);
}

TEST(ModuleTest, DialogsAndStringsComeFromTheModuleThatOwnsThem)
{
    CProgramWnd main;
    ASSERT_TRUE(main.CreateTopLevel());
    theApp.m_pMainWnd = &main;

    CLibraryDlg* libraryDlg = TestLib_CreateDialog();
    ASSERT_NE(libraryDlg, nullptr);
    CString caption;
    libraryDlg->GetWindowText(caption);
    EXPECT_EQ(caption, "Library dialog");
    // Made in the library without a parent: owned by the program's main window.
    EXPECT_EQ(::GetWindow(libraryDlg->m_hWnd, GW_OWNER), main.m_hWnd);
    delete libraryDlg;

    CDialog programDlg;
    ASSERT_TRUE(programDlg.Create(IDD_SHARED_ID));
    programDlg.GetWindowText(caption);
    EXPECT_EQ(caption, "Program dialog");
    programDlg.DestroyWindow();

    CString text;
    EXPECT_TRUE(text.LoadString(IDS_LIBRARY_ONLY));
    EXPECT_EQ(text, "only in the library");
    EXPECT_TRUE(text.LoadString(IDS_BOTH));
    EXPECT_EQ(text, "program copy");  // the program first
    EXPECT_TRUE(text.LoadString(TestLib_App()->m_hInstance, IDS_BOTH));
    EXPECT_EQ(text, "library copy");
    EXPECT_EQ(TestLib_LoadOwnString(), "library copy");
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleA(nullptr));  // put back
    theApp.m_pMainWnd = nullptr;
}

} // namespace
