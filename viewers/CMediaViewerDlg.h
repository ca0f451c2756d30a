// The window of the newer media player control (version 7 and later). It comes up zero-sized
// and muted while the file opens; when the control reports the file open it takes the picture's
// size (or the custom size or the whole screen) and plays. A file that never opens closes the
// window after OpenWaitMs.
#pragma once
#include "CMediaWindow.h"
#include "ViewersResource.h"

class VIEWERS_API CMediaViewerDlg : public CMediaWindow {
public:
    enum { IDD = IDD_MEDIA_VIEWER, OpenWaitTimer = 2, OpenWaitMs = 15000 };
    // Dispatch ids of the control and of its controls, settings and currentMedia objects.
    enum {
        DispUrl = 1, DispControls = 4, DispSettings = 5, DispCurrentMedia = 6, DispFullScreen = 21, DispUiMode = 23,
        DispStretchToFit = 24,
        DispPlay = 51, DispStop = 52, DispPause = 53, DispCurrentPosition = 56,
        DispAutoStart = 101, DispMute = 104, DispPlayCount = 105,
        DispImageSourceWidth = 752, DispImageSourceHeight = 753,
        EventOpenStateChange = 5001, EventPlayStateChange = 5101,
        OpenStateOpen = 13, PlayStatePlaying = 3, PlayStateEnded = 8
    };

    CMediaViewerDlg();

    void ShowPlayer(ControlWindowOwner* owner) override;

    bool IsSized() const { return m_sized; }
    bool IsPausedAtStart() const { return m_pausedAtStart; }
    // How long a file may take to open once the window is shown.
    UINT m_openWaitMs = OpenWaitMs;

protected:
    BOOL OnInitDialog() override;
    void StopPlaying() override;
    void OnControlEvent(DISPID id, DISPPARAMS* params) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // A call on one of the control's objects (controls, settings, currentMedia).
    HRESULT CallOn(DISPID object, DISPID member, WORD flags, VARTYPE vtRet, void* ret, const char* params, ...);
    void FileOpened();

    bool m_pausedAtStart = false;
    bool m_sized = false;
    bool m_openWaitRunning = false;
};
