// A small program on the framework: its application runs one dialog and ends with it.
// Command line: "ok" (the dialog presses its OK), "close" (its close box) or "modeless"
// (a modeless main dialog that destroys itself; the pump ends on WM_QUIT).
// Exit code: 0 ok, 3 closed, 4 modeless run ended, 9 the dialog was never visible.
#include "Framework.h"

namespace {

bool g_shown = false;

class CSampleDlg : public CDialog {
public:
    explicit CSampleDlg(const CString& mode) : CDialog(100), m_mode(mode) {}
    CString m_mode;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(1, 100);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (!IsWindowVisible())
            return;  // keep waiting until the dialog shows
        g_shown = true;
        KillTimer(1);
        if (m_mode == "close")
            PostMessage(WM_SYSCOMMAND, SC_CLOSE);
        else if (m_mode == "modeless")
            DestroyWindow();
        else
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    }
    void PostNcDestroy() override
    {
        if (!IsModal())
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        Enable3dControls();
        CString mode(m_lpCmdLine);
        mode.Trim();
        m_bModeless = mode == "modeless";
        if (m_bModeless) {
            CSampleDlg* dlg = new CSampleDlg(mode);
            if (!dlg->Create(100)) {
                delete dlg;
                return FALSE;
            }
            m_pMainWnd = dlg;
            return TRUE;  // Run pumps until the main window goes
        }
        CSampleDlg dlg(mode);
        m_pMainWnd = &dlg;
        const INT_PTR result = dlg.DoModal();
        m_nExitCode = !g_shown ? 9 : result == IDOK ? 0 : result == IDCANCEL ? 3 : 8;
        return FALSE;
    }
    int ExitInstance() override
    {
        const int code = CWinApp::ExitInstance();
        if (!g_shown)
            return 9;
        if (m_bModeless)  // Run ended: WM_QUIT came after the main window was destroyed
            return m_pMainWnd == nullptr && code == 0 ? 4 : 8;
        return code;
    }
    BOOL m_bModeless = FALSE;
};

CSampleApp theApp;

} // namespace
