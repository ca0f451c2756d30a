#include "CFlashViewerDlg.h"

#include "FlashWindowLayout.h"

BEGIN_MESSAGE_MAP(CFlashViewerDlg, CControlWindowDlg)
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CFlashViewerDlg::CFlashViewerDlg() : CControlWindowDlg(IDD, IDC_FLASH_PLAYER, CEscapeKeyHook::Flash) {}

BOOL CFlashViewerDlg::OnInitDialog()
{
    CControlWindowDlg::OnInitDialog();
    if (!HasControl())
        return TRUE;
    m_control.SetProperty(DispMovie, VT_BSTR, m_file.c_str());
    m_control.InvokeHelper(DispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    m_control.SetProperty(DispLoop, VT_BOOL, BOOL(m_settings.LoopAnimation != 0));
    if (m_settings.ShowTitleBar)
        AddCaption();
    Apply(FlashLayout(m_settings, SystemMetrics()));
    m_control.SetProperty(DispMenu, VT_BOOL, BOOL(m_settings.ShowRightClickMenu != 0));
    m_open = true;
    return TRUE;
}

void CFlashViewerDlg::ShowPlayer(ControlWindowOwner* owner)
{
    BringUp(owner);
    if (!m_settings.StartPlaying)
        return;
    m_control.InvokeHelper(DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    m_timerId = PollTimer;
    SetTimer(PollTimer, PollMs);
}

void CFlashViewerDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_timerId != -1 && nIDEvent == UINT_PTR(m_timerId)) {
        BOOL playing = FALSE;
        m_control.GetProperty(DispIsPlaying, VT_BOOL, &playing);
        if (FlashClosesOnPoll(m_settings, playing != FALSE))
            PostClose();
    }
    CControlWindowDlg::OnTimer(nIDEvent);
}

void CFlashViewerDlg::OnClose()
{
    if (m_timerId != -1) {
        KillTimer(UINT_PTR(m_timerId));
        m_timerId = -1;
    }
    CControlWindowDlg::OnClose();
}
