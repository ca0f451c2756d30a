#include "CMediaViewerDlg.h"

#include "COleDispatchDriver.h"
#include "MediaWindowLayout.h"

#include <cstdarg>

namespace {
// The control's event interface.
const IID DIID_PlayerEvents = { 0x6BF52A51, 0x394A, 0x11D3, { 0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6 } };
}

BEGIN_MESSAGE_MAP(CMediaViewerDlg, CMediaWindow)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CMediaViewerDlg::CMediaViewerDlg() : CMediaWindow(IDD, IDC_MEDIA_PLAYER, CEscapeKeyHook::MediaNewer) {}

HRESULT CMediaViewerDlg::CallOn(DISPID object, DISPID member, WORD flags, VARTYPE vtRet, void* ret, const char* params,
                                ...)
{
    IDispatch* sub = nullptr;
    HRESULT hr = m_control.GetProperty(object, VT_DISPATCH, &sub);
    if (FAILED(hr) || !sub)
        return FAILED(hr) ? hr : E_POINTER;
    COleDispatchDriver driver(sub);
    va_list args;
    va_start(args, params);
    hr = driver.InvokeHelperV(member, flags, vtRet, ret, params, args);
    va_end(args);
    return hr;
}

BOOL CMediaViewerDlg::OnInitDialog()
{
    CMediaWindow::OnInitDialog();
    if (!HasControl())
        return TRUE;
    // Nothing shows while the file opens.
    m_control.MoveWindow(0, 0, 0, 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AdviseEvents(DIID_PlayerEvents);
    m_control.SetProperty(DispStretchToFit, VT_BOOL, TRUE);
    CallOn(DispSettings, DispAutoStart, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_BOOL, FALSE);
    CallOn(DispSettings, DispMute, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_BOOL, TRUE);
    BOOL fullScreen = FALSE;
    if (SUCCEEDED(m_control.GetProperty(DispFullScreen, VT_BOOL, &fullScreen)) && fullScreen)
        m_control.SetProperty(DispFullScreen, VT_BOOL, FALSE);
    m_control.SetProperty(DispUrl, VT_BSTR, m_file.c_str());
    m_open = true;
    return TRUE;
}

void CMediaViewerDlg::ShowPlayer(ControlWindowOwner* owner)
{
    BringUp(owner);
    if (m_settings.AutoStartPlaying) {
        CallOn(DispControls, DispCurrentPosition, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_R8, 0.0);
        CallOn(DispControls, DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
        CallOn(DispSettings, DispMute, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_BOOL, FALSE);
    } else {
        // Plays muted until it is paused on its first picture.
        m_pausedAtStart = false;
        CallOn(DispControls, DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    }
    if (!m_sized && m_open) {
        m_openWaitRunning = true;
        SetTimer(OpenWaitTimer, m_openWaitMs);
    }
}

void CMediaViewerDlg::OnControlEvent(DISPID id, DISPPARAMS* params)
{
    const long state = EventArgument(params, 0);
    if (id == EventOpenStateChange && state == OpenStateOpen && !m_sized) {
        m_sized = true;
        FileOpened();
    } else if (id == EventPlayStateChange && state == PlayStatePlaying && !m_settings.AutoStartPlaying &&
               !m_pausedAtStart) {
        m_pausedAtStart = true;
        CallOn(DispControls, DispPause, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
        CallOn(DispControls, DispCurrentPosition, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_R8, 0.0);
        CallOn(DispSettings, DispMute, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_BOOL, FALSE);
    } else if (id == EventPlayStateChange && state == PlayStateEnded && m_open && MediaClosesAtEnd(m_settings)) {
        PostClose();
    }
}

void CMediaViewerDlg::FileOpened()
{
    if (m_openWaitRunning) {
        KillTimer(OpenWaitTimer);
        m_openWaitRunning = false;
    }
    CallOn(DispControls, DispCurrentPosition, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_R8, 0.0);
    if (!m_settings.ShowBorder)
        m_settings.BorderWidth = 0;
    if (m_settings.Repeat)
        CallOn(DispSettings, DispPlayCount, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_I4, 10000L);
    if (m_settings.TitleBar)
        AddCaption();
    long width = 0, height = 0;
    if (m_settings.WindowSize == CMediaViewerSettings::SizeOfPicture) {
        CallOn(DispCurrentMedia, DispImageSourceWidth, DISPATCH_PROPERTYGET, VT_I4, &width, VTS_NONE);
        CallOn(DispCurrentMedia, DispImageSourceHeight, DISPATCH_PROPERTYGET, VT_I4, &height, VTS_NONE);
    }
    Apply(NewerMediaLayout(m_settings, int(width), int(height), SystemMetrics()));
    m_control.SetProperty(DispUiMode, VT_BSTR, NewerMediaUiMode(m_settings));
    CallOn(DispControls, DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    Invalidate();
}

void CMediaViewerDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == OpenWaitTimer && m_openWaitRunning) {
        KillTimer(OpenWaitTimer);
        m_openWaitRunning = false;
        if (!m_sized)
            PostClose("the media file did not open in time: window closed");
        return;
    }
    CMediaWindow::OnTimer(nIDEvent);
}

void CMediaViewerDlg::StopPlaying()
{
    if (m_openWaitRunning) {
        KillTimer(OpenWaitTimer);
        m_openWaitRunning = false;
    }
    CallOn(DispControls, DispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
}

BOOL CMediaViewerDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CMediaViewerDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (m_settings.ShowBorder && m_open) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HBRUSH brush = ::CreateSolidBrush(m_settings.BorderColor);
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
    }
    ::EndPaint(m_hWnd, &ps);
}
