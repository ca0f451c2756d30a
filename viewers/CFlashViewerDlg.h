// The window of the Shockwave Flash control: made hidden with the movie loaded and stopped,
// shown playing, and polled every 50 ms while it plays so that it closes when the movie stops.
#pragma once
#include "CControlWindowDlg.h"
#include "CFlashViewerSettings.h"
#include "ViewersResource.h"

class VIEWERS_API CFlashViewerDlg : public CControlWindowDlg {
public:
    enum { IDD = IDD_FLASH_VIEWER, PollTimer = 3, PollMs = 50 };
    enum { DispMovie = 102, DispLoop = 106, DispMenu = 135, DispPlay = 112, DispStop = 113, DispIsPlaying = 125 };

    CFlashViewerDlg();

    void ShowPlayer(ControlWindowOwner* owner) override;
    int GetTimerId() const { return m_timerId; }

    CFlashViewerSettings m_settings;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    int m_timerId = -1;
};
