#include "CSetupApp.h"
#include "CSetupDlg.h"

CSetupApp theApp;

BOOL CSetupApp::InitInstance()
{
    Enable3dControlsStatic();
    AfxInitCommonControls();
    CSetupDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
