#include "CSlideShowViewerDlg.h"

#include "AfxModule.h"
#include "CImageViewerDlg.h"
#include "CSlideShowViewer.h"
#include "FreeMemoryBitmap.h"
#include "PLFilterResizeBilinear.h"
#include "PLTextException.h"
#include "ViewerMessages.h"

BEGIN_MESSAGE_MAP(CSlideShowViewerDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_CHAR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSlideShowViewerDlg::CSlideShowViewerDlg(const CSlideShowViewerSettings& settings) : CDialog(IDD), m_settings(settings) {}

CSlideShowViewerDlg::~CSlideShowViewerDlg()
{
    m_viewer = nullptr;
    StopMusic();
    FreeMemoryDC();
    DestroyWindow();
}

BOOL CSlideShowViewerDlg::CreateHidden() { return CDialog::Create(IDD, nullptr); }

BOOL CSlideShowViewerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowWindow(SW_HIDE);
    return TRUE;
}

HWND CSlideShowViewerDlg::TopLevel() const
{
    HWND top = m_hWnd;
    for (HWND up = ::GetParent(top); up; up = ::GetParent(up))
        top = up;
    return top;
}

void CSlideShowViewerDlg::Show(CSlideShowViewer* viewer)
{
    m_viewer = viewer;
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow();

    if (m_settings.ShowCloseButton) {
        LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style | WS_CAPTION);
        style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style | WS_SYSMENU);
        if (HICON icon = ::LoadIconA(AfxGetThisModule(), MAKEINTRESOURCEA(IDI_VIEWER_WINDOW))) {
            ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }

    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (m_settings.SlideShowWindowSize) {
        m_width = screenWidth;
        m_height = screenHeight;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height, SWP_NOZORDER | SWP_FRAMECHANGED);
    } else {
        m_width = m_settings.CustomSlideShowWidth;
        m_height = m_settings.CustomSlideShowHeight;
        ::SetWindowPos(m_hWnd, nullptr, (screenWidth - m_width) / 2, (screenHeight - m_height) / 2, m_width, m_height,
                       SWP_NOZORDER | SWP_FRAMECHANGED);
    }

    FreeMemoryDC();
    if (HDC windowDC = ::GetDC(m_hWnd)) {
        m_memDC = ::CreateCompatibleDC(windowDC);
        m_memBitmap = ::CreateCompatibleBitmap(windowDC, m_width, m_height);
        ::ReleaseDC(m_hWnd, windowDC);
        if (m_memDC && m_memBitmap) {
            m_memOldBitmap = ::SelectObject(m_memDC, m_memBitmap);
            ::SetWindowOrgEx(m_memDC, 0, 0, nullptr);
        } else {
            FreeMemoryDC();
        }
    }

    const int slides = static_cast<int>(m_settings.Slides.size());
    long length = 0;
    if (!m_settings.BackgroundMusic.IsEmpty()) {
        m_stream = FSOUND_Stream_Open(m_settings.BackgroundMusic, MusicMode, 0, 0);
        if (m_stream) {
            length = FSOUND_Stream_GetLengthMs(m_stream);
            // The program around pauses its music before this call returns.
            m_paused = TopLevel();
            ::SendMessageA(m_paused, MESSAGE_PAUSE_SOUND, 0, 0);
        }
    }
    m_interval = SlideShowSequence::Interval(m_settings, m_stream != nullptr, length, slides);
    m_sequence.reset(new SlideShowSequence(slides, m_settings.LoopSlideShow != 0,
                                           m_settings.CloseSlideShowAfterDone != 0, m_interval));
    m_stopped = false;
    m_timerId = SlideTimer;
    SetTimer(SlideTimer, SlideShowSequence::FirstTickMs);
}

void CSlideShowViewerDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_timerId != -1 && nIDEvent == static_cast<UINT_PTR>(m_timerId))
        Tick();
    CDialog::OnTimer(nIDEvent);
}

void CSlideShowViewerDlg::Tick()
{
    // The interval runs from tick to tick, decoding included.
    KillTimer(SlideTimer);
    SetTimer(SlideTimer, static_cast<UINT>(m_interval));
    bool startMusic = false;
    switch (m_sequence->Tick(m_stream != nullptr, startMusic)) {
    case SlideShowSequence::Close:
        CloseShow();
        return;
    case SlideShowSequence::Stop:
        // Neither looping nor closing: the last slide stays up until the window is closed.
        KillTimer(SlideTimer);
        m_timerId = -1;
        m_stopped = true;
        return;
    case SlideShowSequence::ShowSlide:
        break;
    }
    if (startMusic) {
        FSOUND_Stream_SetPosition(m_stream, 0);
        m_channel = FSOUND_Stream_Play(FSOUND_FREE, m_stream);
    }
    const bool decoded = DrawSlide(m_settings.Slides[static_cast<size_t>(m_sequence->Slide())]);
    const int next = m_sequence->Shown(decoded);
    if (!decoded) {
        KillTimer(SlideTimer);
        SetTimer(SlideTimer, static_cast<UINT>(next));
    }
}

bool CSlideShowViewerDlg::DrawSlide(const CString& path)
{
    try {
        m_decoder.DecodeFile(path, &m_bitmap, 32, nullptr);
    } catch (PLTextException&) {
        return false;  // skipped; the previous slide stays on the screen
    }
    CImageViewerDlg::BlendWithBackground(m_bitmap, m_settings.SSBackgroundColor);
    m_pictureWidth = m_bitmap.GetWidth();
    m_pictureHeight = m_bitmap.GetHeight();
    if (!m_memDC)
        return true;
    const RECT all = { 0, 0, m_width, m_height };
    HBRUSH brush = ::CreateSolidBrush(m_settings.SSBackgroundColor);
    ::FillRect(m_memDC, &all, brush);
    ::DeleteObject(brush);
    int w, h, left, top;
    SlideShowLayout::Fit(m_settings.ImageSizeType != 0, m_pictureWidth, m_pictureHeight, m_width, m_height, w, h);
    if ((w != m_pictureWidth || h != m_pictureHeight) && w > 0 && h > 0)
        m_bitmap.ApplyFilter(PLFilterResizeBilinear(w, h));
    SlideShowLayout::Centre(m_width, m_height, w, h, left, top);
    m_bitmap.Draw(m_memDC, left, top, SRCCOPY);
    m_hasContent = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

BOOL CSlideShowViewerDlg::OnEraseBkgnd(CDC*) { return FALSE; }

void CSlideShowViewerDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (m_hasContent && m_memDC)
        ::BitBlt(dc, 0, 0, m_width, m_height, m_memDC, 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &ps);
}

void CSlideShowViewerDlg::OnLButtonDown(UINT nFlags, CPoint point) { CDialog::OnLButtonDown(nFlags, point); }

void CSlideShowViewerDlg::OnClose() { CloseShow(); }

void CSlideShowViewerDlg::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        CloseShow();
        return;
    }
    CDialog::OnChar(nChar, nRepCnt, nFlags);
}

void CSlideShowViewerDlg::StopMusic()
{
    if (m_stream) {
        FSOUND_Stream_Stop(m_stream);
        FSOUND_Stream_Close(m_stream);
        m_stream = nullptr;
        m_channel = -1;
    }
    if (m_paused) {
        const HWND paused = m_paused;
        m_paused = nullptr;
        if (::IsWindow(paused))
            ::SendMessageA(paused, MESSAGE_RESTART_SOUND, 0, 0);
    }
}

void CSlideShowViewerDlg::FreeMemoryDC() { FreeMemoryBitmap(m_memDC, m_memBitmap, m_memOldBitmap); }

void CSlideShowViewerDlg::CloseShow()
{
    if (m_timerId != -1 && m_hWnd)
        KillTimer(SlideTimer);
    m_timerId = -1;
    StopMusic();
    FreeMemoryDC();
    m_hasContent = false;
    if (CSlideShowViewer* viewer = m_viewer) {
        m_viewer = nullptr;
        viewer->ShowEnded();
        DestroyWindow();
    }
}

void CSlideShowViewerDlg::OnDestroy()
{
    m_timerId = -1;
    StopMusic();
    FreeMemoryDC();
    CDialog::OnDestroy();
}
