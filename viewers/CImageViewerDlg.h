// The picture window of the image viewer: a popup that shows one picture for its duration,
// on a background colour that may fill the screen, with a sound while it is up. An animated
// GIF is played by its animated picture control; any other picture is decoded by the image
// library and drawn from an off-screen copy of the client area.
#pragma once
#include "CAnimatedPicture.h"
#include "CDialog.h"
#include "FSound.h"
#include "PLAnyPicDecoder.h"
#include "PLWinBmp.h"
#include "ViewersExport.h"
#include "ViewersResource.h"

class CImageViewer;

class VIEWERS_API CImageViewerDlg : public CDialog {
public:
    enum { IDD = IDD_IMAGE_VIEWER, DisplayTimer = 1, FailedCloseMs = 100 };
    // Mode of the picture's sound stream: 16-bit signed mono.
    static const unsigned int SoundMode = FSOUND_16BITS | FSOUND_MONO | FSOUND_SIGNED;

    CImageViewerDlg();
    ~CImageViewerDlg() override;

    // Creates the hidden window (no parent: a top-level window).
    BOOL CreateHidden();
    // Shows the picture for viewer, which the window tells when the display ends.
    void Show(CImageViewer* viewer);
    // The viewer is going away: the window no longer calls into it.
    void ForgetViewer() { m_viewer = nullptr; }
    // Ends the display: the sound stops, the viewer is told, the window hides.
    void Close();

    // Blends a bitmap with an alpha channel onto a colour (0x00BBGGRR); nothing without alpha.
    static void BlendWithBackground(PLBmp& bmp, COLORREF color);

    CString m_imagePath;
    CString m_soundPath;
    int m_duration = 0;
    int m_showBackground = 0;
    COLORREF m_backgroundColor = 0;

    // State, for the viewer and tests.
    bool IsGif() const { return m_isGif != 0; }
    bool IsStarted() const { return m_started; }
    int GetTimerId() const { return m_timerId; }
    SIZE GetPictureSize() const { return SIZE{m_pictureWidth, m_pictureHeight}; }
    HDC GetMemoryDC() const { return m_memDC; }
    FSOUND_STREAM* GetStream() const { return m_stream; }
    CAnimatedPicture& GetPicture() { return m_picture; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override {}
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Start(HDC windowDC);
    void DrawPicture();
    POINT PictureOffset() const;
    void FreeMemoryDC();

    int m_isGif = 0;
    bool m_started = false;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    CImageViewer* m_viewer = nullptr;
    int m_timerId = -1;
    FSOUND_STREAM* m_stream = nullptr;
    int m_channel = -1;
    PLAnyPicDecoder m_decoder;
    PLWinBmp m_bitmap;
    HDC m_memDC = nullptr;
    HBITMAP m_memBitmap = nullptr;
    HGDIOBJ m_memOldBitmap = nullptr;
    CAnimatedPicture m_picture;
};
