#include "CMediaPlayer2Dlg.h"

#include "MediaWindowLayout.h"

namespace {
// The control's event interface.
const IID DIID_MediaPlayerEvents = { 0x2D3A4C40, 0xE711, 0x11D0, { 0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95 } };
}

CMediaPlayer2Dlg::CMediaPlayer2Dlg() : CMediaWindow(IDD, IDC_MEDIA_PLAYER, CEscapeKeyHook::MediaOlder) {}

BOOL CMediaPlayer2Dlg::OnInitDialog()
{
    CMediaWindow::OnInitDialog();
    if (!HasControl())
        return TRUE;
    m_open = true;
    AdviseEvents(DIID_MediaPlayerEvents);
    m_control.SetProperty(DispFileName, VT_BSTR, m_file.c_str());
    m_control.SetProperty(DispSendOpenStateChange, VT_BOOL, TRUE);
    m_control.SetProperty(DispAutoStart, VT_BOOL, BOOL(m_settings.AutoStartPlaying != 0));
    m_control.SetProperty(DispPlayCount, VT_I4, long(m_settings.Repeat ? 0 : 1));
    if (m_settings.TitleBar)
        AddCaption();
    m_control.SetProperty(DispAutoSize, VT_BOOL, TRUE);
    m_control.SetProperty(DispAutoRewind, VT_BOOL, FALSE);
    long width = 0, height = 0;
    if (m_settings.WindowSize == CMediaViewerSettings::SizeOfPicture) {
        m_control.GetProperty(DispImageSourceWidth, VT_I4, &width);
        m_control.GetProperty(DispImageSourceHeight, VT_I4, &height);
    }
    Apply(OlderMediaLayout(m_settings, int(width), int(height), SystemMetrics()));
    m_control.SetProperty(DispShowControls, VT_BOOL, BOOL(m_settings.ShowControls != 0));
    m_control.SetProperty(DispShowTracker, VT_BOOL, BOOL(m_settings.ShowTracker != 0));
    m_control.SetProperty(DispShowAudioControls, VT_BOOL, TRUE);
    m_control.SetProperty(DispEnableContextMenu, VT_BOOL, TRUE);
    m_control.SetProperty(DispShowDisplay, VT_BOOL, FALSE);
    if (m_settings.ShowBorder) {
        m_control.SetProperty(DispDisplayBorder, VT_BOOL, TRUE);
        m_control.SetProperty(DispBorderWidth, VT_I4, long(m_settings.BorderWidth));
        m_control.SetProperty(DispBorderColor, VT_I4, long(m_settings.BorderColor));
    } else {
        m_control.SetProperty(DispDisplayBorder, VT_BOOL, FALSE);
        m_control.SetProperty(DispBorderWidth, VT_I4, 0L);
    }
    // Nothing plays before the window is shown.
    m_control.InvokeHelper(DispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
    return TRUE;
}

void CMediaPlayer2Dlg::ShowPlayer(ControlWindowOwner* owner)
{
    BringUp(owner);
    if (m_settings.AutoStartPlaying)
        m_control.InvokeHelper(DispPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE);
}

void CMediaPlayer2Dlg::OnControlEvent(DISPID id, DISPPARAMS*)
{
    if (id == EventEndOfStream && MediaClosesAtEnd(m_settings))
        PostClose();
}

void CMediaPlayer2Dlg::StopPlaying() { m_control.InvokeHelper(DispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE); }
