// The framework linked statically (as the installer links it): the same classes work, and
// the program does not load the framework DLL.
#include "WindowTestResource.h"
#include "WindowTestSupport.h"

#include "VelmoraRuntimeDlls.h"

#include <gtest/gtest.h>

#include <string>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

class CStaticDlg : public CDialog {
public:
    CStaticDlg() : CDialog(IDD_SIMPLE) {}
    CString m_text = "static";
    int ticks = 0;
protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEXT, m_text);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(1, 10);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (++ticks == 2) {
            SetDlgItemText(IDC_TEXT, "changed");
            OnOK();
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStaticDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(StaticTest, ADialogRunsWithoutTheFrameworkDll)
{
    EXPECT_EQ(::GetModuleHandleA("VelmoraFW.dll"), nullptr);
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_EQ(AfxGetFrameworkModule(), ::GetModuleHandleA(nullptr));
    CStaticDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_text, "changed");
    CString greeting;
    EXPECT_TRUE(greeting.LoadString(IDS_GREETING));
}

TEST(StaticTest, TheRunTimeDllsOfTheListLieNextToThePrograms)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.rfind('\\') + 1);
    ASSERT_GT(kVelmoraRuntimeDllCount, 1);
    EXPECT_STREQ(kVelmoraRuntimeDlls[0], "VelmoraFW.dll");
    for (int i = 0; i < kVelmoraRuntimeDllCount; ++i)
        EXPECT_NE(::GetFileAttributesA((dir + kVelmoraRuntimeDlls[i]).c_str()), INVALID_FILE_ATTRIBUTES)
            << kVelmoraRuntimeDlls[i];
}

} // namespace
