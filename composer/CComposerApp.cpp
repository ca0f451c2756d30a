#include "CComposerApp.h"

#include "CProjectDlg.h"

static CComposerApp theApp;

BEGIN_MESSAGE_MAP(CComposerApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CComposerApp::InitInstance()
{
    Enable3dControls();
    CProjectDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    return FALSE;
}
