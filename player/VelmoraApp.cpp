#include "VelmoraApp.h"

#include "PlayerDialog.h"

static VelmoraApp theApp;

BOOL VelmoraApp::InitInstance()
{
    Enable3dControls();
    PlayerDialog dialog;
    dialog.m_commandLine = m_lpCmdLine ? m_lpCmdLine : "";
    dialog.m_exeName = m_pszExeName ? m_pszExeName : "";
    m_pMainWnd = &dialog;
    dialog.DoModal();
    return FALSE;
}
