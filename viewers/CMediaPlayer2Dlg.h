// The window of the older media player control (6.4). It is sized as soon as the file is set,
// from the picture size the control reports, and stays stopped until shown.
#pragma once
#include "CMediaWindow.h"
#include "ViewersResource.h"

class VIEWERS_API CMediaPlayer2Dlg : public CMediaWindow {
public:
    enum { IDD = IDD_MEDIA_PLAYER2 };
    // Dispatch ids of the control (property puts unless said otherwise).
    enum {
        DispFileName = 1026, DispSendOpenStateChange = 1056, DispAutoStart = 1017, DispPlayCount = 1030,
        DispAutoSize = 1022, DispAutoRewind = 1045, DispImageSourceWidth = 1001 /* get */,
        DispImageSourceHeight = 1002 /* get */, DispShowControls = 23, DispShowTracker = 26, DispShowDisplay = 22,
        DispShowAudioControls = 24, DispEnableContextMenu = 1107, DispDisplayBorder = 1103, DispBorderWidth = 1101,
        DispBorderColor = 1102, DispPlay = 2001 /* method */, DispStop = 2003 /* method */,
        EventEndOfStream = 3002
    };

    CMediaPlayer2Dlg();

    void ShowPlayer(ControlWindowOwner* owner) override;

protected:
    BOOL OnInitDialog() override;
    void StopPlaying() override;
    void OnControlEvent(DISPID id, DISPPARAMS* params) override;
};
