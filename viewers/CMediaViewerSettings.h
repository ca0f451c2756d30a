// The settings of a Media target: how the file plays (start, repeat, close at its end) and the
// window it plays in (caption, size, the player's panel and tracker, a coloured border). One
// value, copied whole by SetEqual and read and written as the media viewer's record.
#pragma once
#include "CFileReadWrite.h"
#include "DataFileVersion.h"
#include "ViewersExport.h"

struct VIEWERS_API CMediaViewerSettings {
    enum Size { SizeOfPicture = 0, SizeFullScreen = 1, SizeCustom = 2 };

    int AutoStartPlaying = 1;
    int Repeat = 0;
    int CloseAfterFinished = 1;
    int TitleBar = 1;
    unsigned int WindowSize = SizeOfPicture;
    int CustomMediaWidth = 800;
    int CustomMediaHeight = 600;
    int ShowControls = 1;
    int ShowTracker = 1;
    int ShowPosition = 1;  // stored and copied only
    int ShowAudio = 1;     // stored and copied only
    int ShowDisplay = 0;   // stored and copied only
    unsigned long BackgroundColor = 0;  // stored and copied only
    int ShowBorder = 0;
    int BorderWidth = 5;
    unsigned long BorderColor = 0;

    // The record after the common one; the caption flag exists from 2.7.0 on.
    void Write(CFileReadWrite& file, const DataFileVersion& version) const;
    void Read(CFileReadWrite& file, const DataFileVersion& version);

    bool operator==(const CMediaViewerSettings& other) const;
    bool operator!=(const CMediaViewerSettings& other) const { return !(*this == other); }
};
