#include "CMediaViewerSettings.h"

#include <tuple>

namespace {

auto Fields(const CMediaViewerSettings& s)
{
    return std::tie(s.AutoStartPlaying, s.Repeat, s.CloseAfterFinished, s.TitleBar, s.WindowSize, s.CustomMediaWidth,
                    s.CustomMediaHeight, s.ShowControls, s.ShowTracker, s.ShowPosition, s.ShowAudio, s.ShowDisplay,
                    s.BackgroundColor, s.ShowBorder, s.BorderWidth, s.BorderColor);
}

}

bool CMediaViewerSettings::operator==(const CMediaViewerSettings& other) const
{
    return Fields(*this) == Fields(other);
}

void CMediaViewerSettings::Write(CFileReadWrite& file, const DataFileVersion& version) const
{
    file.WriteBool(AutoStartPlaying);
    file.WriteBool(Repeat);
    file.WriteBool(CloseAfterFinished);
    if (version.AtLeast(2, 7, 0))
        file.WriteBool(TitleBar);
    file.WriteInt(int(WindowSize));
    file.WriteInt(CustomMediaWidth);
    file.WriteInt(CustomMediaHeight);
    file.WriteBool(ShowControls);
    file.WriteBool(ShowTracker);
    file.WriteBool(ShowPosition);
    file.WriteBool(ShowAudio);
    file.WriteBool(ShowDisplay);
    file.WriteInt(int(BackgroundColor));
    file.WriteBool(ShowBorder);
    file.WriteInt(BorderWidth);
    file.WriteInt(int(BorderColor));
}

void CMediaViewerSettings::Read(CFileReadWrite& file, const DataFileVersion& version)
{
    AutoStartPlaying = file.ReadBool();
    Repeat = file.ReadBool();
    CloseAfterFinished = file.ReadBool();
    if (version.AtLeast(2, 7, 0))
        TitleBar = file.ReadBool();
    WindowSize = unsigned(file.ReadInt());
    CustomMediaWidth = file.ReadInt();
    CustomMediaHeight = file.ReadInt();
    ShowControls = file.ReadBool();
    ShowTracker = file.ReadBool();
    ShowPosition = file.ReadBool();
    ShowAudio = file.ReadBool();
    ShowDisplay = file.ReadBool();
    BackgroundColor = (unsigned long)(unsigned)file.ReadInt();
    ShowBorder = file.ReadBool();
    BorderWidth = file.ReadInt();
    BorderColor = (unsigned long)(unsigned)file.ReadInt();
}
