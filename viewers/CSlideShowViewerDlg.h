// The slideshow window: a popup that shows the viewer's slides one per interval, each
// decoded on the tick that brings it and drawn from an off-screen copy of the window, with
// the show's own music (the program around it pauses its music meanwhile).
#pragma once
#include "CDialog.h"
#include "FSound.h"
#include "PLAnyPicDecoder.h"
#include "PLWinBmp.h"
#include "SlideShowSequence.h"
#include "CSlideShowViewerSettings.h"
#include "ViewersExport.h"
#include "ViewersResource.h"

#include <memory>


class CSlideShowViewer;

class VIEWERS_API CSlideShowViewerDlg : public CDialog {
public:
    enum { IDD = IDD_SLIDESHOW_VIEWER, SlideTimer = 1 };
    static const unsigned int MusicMode = 0x130;

    explicit CSlideShowViewerDlg(const CSlideShowViewerSettings& settings);
    ~CSlideShowViewerDlg() override;

    BOOL CreateHidden();
    // Shows the window and starts the show for viewer, which is told when it ends.
    void Show(CSlideShowViewer* viewer);
    void ForgetViewer() { m_viewer = nullptr; }
    // Ends the show: music stopped (and the program's resumed), pictures freed, window gone.
    void CloseShow();

    // State, for the viewer and tests.
    int GetInterval() const { return m_interval; }
    int GetTimerId() const { return m_timerId; }
    bool HasContent() const { return m_hasContent; }
    int GetCurrentSlide() const { return m_sequence ? m_sequence->Slide() : -1; }
    FSOUND_STREAM* GetStream() const { return m_stream; }
    SIZE GetWindowSize() const { return SIZE{ m_width, m_height }; }
    bool IsStopped() const { return m_stopped; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { CloseShow(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnClose();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Tick();
    bool DrawSlide(const CString& path);
    void StopMusic();
    void FreeMemoryDC();
    // The top-level window above this one: its owner chain's last window.
    HWND TopLevel() const;

    CSlideShowViewerSettings m_settings;
    CSlideShowViewer* m_viewer = nullptr;
    int m_interval = 0;
    std::unique_ptr<SlideShowSequence> m_sequence;
    int m_timerId = -1;
    int m_width = 0, m_height = 0;
    int m_pictureWidth = 0, m_pictureHeight = 0;
    bool m_hasContent = false;
    bool m_stopped = false;
    FSOUND_STREAM* m_stream = nullptr;
    int m_channel = -1;
    // Where the pause went; the restart goes there too, once.
    HWND m_paused = nullptr;
    PLAnyPicDecoder m_decoder;
    PLWinBmp m_bitmap;
    HDC m_memDC = nullptr;
    HBITMAP m_memBitmap = nullptr;
    HGDIOBJ m_memOldBitmap = nullptr;
};
