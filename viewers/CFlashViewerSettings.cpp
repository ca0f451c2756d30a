#include "CFlashViewerSettings.h"

#include <tuple>

namespace {

auto Fields(const CFlashViewerSettings& s)
{
    return std::tie(s.StartPlaying, s.LoopAnimation, s.CloseFlashAfterFinished, s.ShowTitleBar, s.FlashWindowSize,
                    s.CustomFlashWidth, s.CustomFlashHeight, s.ShowRightClickMenu);
}

}

bool CFlashViewerSettings::operator==(const CFlashViewerSettings& other) const
{
    return Fields(*this) == Fields(other);
}

void CFlashViewerSettings::Write(CFileReadWrite& file, const DataFileVersion& version) const
{
    if (version.AtLeast(2, 8, 1))
        file.WriteBool(StartPlaying);
    file.WriteBool(LoopAnimation);
    file.WriteBool(CloseFlashAfterFinished);
    file.WriteBool(ShowTitleBar);
    file.WriteInt(int(FlashWindowSize));
    file.WriteInt(CustomFlashWidth);
    file.WriteInt(CustomFlashHeight);
    file.WriteBool(ShowRightClickMenu);
}

void CFlashViewerSettings::Read(CFileReadWrite& file, const DataFileVersion& version)
{
    if (version.AtLeast(2, 8, 1))
        StartPlaying = file.ReadBool();
    LoopAnimation = file.ReadBool();
    CloseFlashAfterFinished = file.ReadBool();
    ShowTitleBar = file.ReadBool();
    FlashWindowSize = unsigned(file.ReadInt());
    CustomFlashWidth = file.ReadInt();
    CustomFlashHeight = file.ReadInt();
    ShowRightClickMenu = file.ReadBool();
}
