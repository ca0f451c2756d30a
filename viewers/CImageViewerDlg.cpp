#include "CImageViewerDlg.h"

#include "CImageViewer.h"
#include "DDX.h"
#include "FreeMemoryBitmap.h"
#include "PLTextException.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CImageViewerDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CImageViewerDlg::CImageViewerDlg() : CDialog(IDD) {}

CImageViewerDlg::~CImageViewerDlg()
{
    m_viewer = nullptr;
    if (m_stream)
        FSOUND_Stream_Close(m_stream);
    m_stream = nullptr;
    m_picture.UnLoad();
    FreeMemoryDC();
    DestroyWindow();
}

BOOL CImageViewerDlg::CreateHidden() { return CDialog::Create(IDD, nullptr); }

void CImageViewerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (!m_picture.m_hWnd)
        DDX_Control(pDX, IDC_IMAGE_PICTURE, m_picture);
}

int CImageViewerDlg::OnCreate(LPCREATESTRUCT cs)
{
    if (CDialog::OnCreate(cs) == -1)
        return -1;
    ShowWindow(SW_HIDE);
    return 0;
}

void CImageViewerDlg::Show(CImageViewer* viewer)
{
    m_viewer = viewer;
    m_imagePath.MakeLower();
    const int at = m_imagePath.Find(".gif");
    m_isGif = 0;
    if (at >= 0 && at == m_imagePath.GetLength() - 4) {
        if (!m_picture.m_hWnd || !m_picture.Load(m_imagePath)) {
            Close();
            return;
        }
        m_picture.ShowWindow(SW_SHOW);
        m_isGif = 1;
        const SIZE size = m_picture.GetSize();
        m_pictureWidth = size.cx;
        m_pictureHeight = size.cy;
    } else {
        if (m_picture.m_hWnd)
            m_picture.ShowWindow(SW_HIDE);
        try {
            m_decoder.DecodeFile(m_imagePath, &m_bitmap, 32, nullptr);
            BlendWithBackground(m_bitmap, m_showBackground ? m_backgroundColor : ::GetSysColor(COLOR_BTNFACE));
            m_pictureWidth = m_bitmap.GetWidth();
            m_pictureHeight = m_bitmap.GetHeight();
        } catch (PLTextException&) {
            // No window is shown; it closes on its own timer's first tick.
            if (m_viewer)
                m_viewer->DisplayEnded();
            m_timerId = DisplayTimer;
            SetTimer(DisplayTimer, FailedCloseMs);
            return;
        }
    }
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int x = (screenWidth - m_pictureWidth) / 2;
    const int y = (screenHeight - m_pictureHeight) / 2;
    if (m_showBackground) {
        MoveWindow(0, 0, screenWidth, screenHeight);
        if (m_isGif) {
            m_picture.MoveWindow(x, y, m_pictureWidth, m_pictureHeight);
            m_picture.SetBkColor(m_backgroundColor);
            m_picture.Draw();
        }
    } else {
        MoveWindow(x, y, m_pictureWidth, m_pictureHeight);
        if (m_isGif) {
            m_picture.MoveWindow(0, 0, m_pictureWidth, m_pictureHeight);
            m_picture.Draw();
        }
    }
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
}

BOOL CImageViewerDlg::OnEraseBkgnd(CDC*) { return FALSE; }

POINT CImageViewerDlg::PictureOffset() const
{
    if (!m_showBackground)
        return POINT{0, 0};
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return POINT{(client.right - m_pictureWidth) / 2, (client.bottom - m_pictureHeight) / 2};
}

void CImageViewerDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!m_started) {
        HBRUSH brush = ::CreateSolidBrush(m_backgroundColor);
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        Start(dc);
    } else if (!m_isGif && m_memDC) {
        DrawPicture();
        ::BitBlt(dc, 0, 0, client.right, client.bottom, m_memDC, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CImageViewerDlg::Start(HDC windowDC)
{
    m_stream = nullptr;
    m_channel = -1;
    if (!m_soundPath.IsEmpty()) {
        m_stream = FSOUND_Stream_Open(m_soundPath, SoundMode, 0, 0);
        if (m_stream)
            m_channel = FSOUND_Stream_Play(FSOUND_FREE, m_stream);
    }
    if (!m_isGif) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        FreeMemoryDC();
        m_memDC = ::CreateCompatibleDC(windowDC);
        m_memBitmap = ::CreateCompatibleBitmap(windowDC, client.right, client.bottom);
        if (m_memDC && m_memBitmap) {
            m_memOldBitmap = ::SelectObject(m_memDC, m_memBitmap);
            ::SetWindowOrgEx(m_memDC, 0, 0, nullptr);
            HBRUSH brush = ::CreateSolidBrush(m_backgroundColor);
            ::FillRect(m_memDC, &client, brush);
            ::DeleteObject(brush);
            DrawPicture();
        } else {
            FreeMemoryDC();
        }
    }
    m_started = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    // A negative duration counts as none: the picture closes at the first tick.
    m_timerId = DisplayTimer;
    SetTimer(DisplayTimer, (UINT)std::max(m_duration, 0) * 1000u);
}

void CImageViewerDlg::DrawPicture()
{
    const POINT at = PictureOffset();
    m_bitmap.Draw(m_memDC, at.x, at.y, SRCCOPY);
}

void CImageViewerDlg::FreeMemoryDC()
{
    FreeMemoryBitmap(m_memDC, m_memBitmap, m_memOldBitmap);
}

void CImageViewerDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_timerId != -1 && nIDEvent == (UINT_PTR)m_timerId) {
        KillTimer(nIDEvent);
        m_timerId = -1;
        Close();
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void CImageViewerDlg::OnLButtonDown(UINT, CPoint) { Close(); }

void CImageViewerDlg::OnClose() { Close(); }

void CImageViewerDlg::OnOK() { Close(); }

void CImageViewerDlg::Close()
{
    if (m_timerId != -1) {
        KillTimer((UINT_PTR)m_timerId);
        m_timerId = -1;
    }
    if (m_stream)
        FSOUND_Stream_Close(m_stream);
    m_stream = nullptr;
    m_channel = -1;
    m_picture.Stop();
    if (m_viewer)
        m_viewer->DisplayEnded();
    m_viewer = nullptr;
    EndDialog(IDOK);
}

void CImageViewerDlg::OnDestroy()
{
    m_picture.Stop();
    FreeMemoryDC();
    CDialog::OnDestroy();
}

void CImageViewerDlg::BlendWithBackground(PLBmp& bmp, COLORREF color)
{
    if (!bmp.HasAlpha())
        return;
    const int backRed = GetRValue(color), backGreen = GetGValue(color), backBlue = GetBValue(color);
    const float unit = 1.0f / 255.0f;
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        BYTE* p = bmp.GetLine(y);
        for (int x = 0; x < bmp.GetWidth(); ++x, p += 4) {
            const float f = p[3] * unit;
            p[0] = (BYTE)(backBlue + (int)(f * (p[0] - backBlue)));
            p[1] = (BYTE)(backGreen + (int)(f * (p[1] - backGreen)));
            p[2] = (BYTE)(backRed + (int)(f * (p[2] - backRed)));
        }
    }
}
