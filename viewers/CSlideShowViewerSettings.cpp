#include "CSlideShowViewerSettings.h"

#include <tuple>

namespace {

auto Fields(const CSlideShowViewerSettings& s)
{
    return std::tie(s.LoopSlideShow, s.CloseSlideShowAfterDone, s.ShowCloseButton, s.SlideShowWindowSize,
                    s.CustomSlideShowWidth, s.CustomSlideShowHeight, s.DisplayTimeType, s.DisplayTime,
                    s.BackgroundMusic, s.SSBackgroundColor, s.ImageSizeType, s.NumSlides, s.Slides);
}

}

bool CSlideShowViewerSettings::operator==(const CSlideShowViewerSettings& other) const { return Fields(*this) == Fields(other); }

void CSlideShowViewerSettings::Write(CFileReadWrite& file, const DataFileVersion& version) const
{
    file.WriteBool(LoopSlideShow);
    file.WriteBool(CloseSlideShowAfterDone);
    file.WriteBool(ShowCloseButton);
    file.WriteInt(static_cast<int>(SlideShowWindowSize));
    file.WriteInt(CustomSlideShowWidth);
    file.WriteInt(CustomSlideShowHeight);
    file.WriteInt(static_cast<int>(DisplayTimeType));
    file.WriteInt(DisplayTime);
    file.WriteString(BackgroundMusic);
    file.WriteInt(static_cast<int>(SSBackgroundColor));
    if (version.AtLeast(2, 8, 3))
        file.WriteInt(ImageSizeType);
    file.WriteInt(static_cast<int>(Slides.size()));
    for (const CString& slide : Slides)
        file.WriteString(slide);
}

void CSlideShowViewerSettings::ReadFields(CFileReadWrite& file, const DataFileVersion& version)
{
    LoopSlideShow = file.ReadBool();
    CloseSlideShowAfterDone = file.ReadBool();
    ShowCloseButton = file.ReadBool();
    SlideShowWindowSize = static_cast<unsigned int>(file.ReadInt());
    CustomSlideShowWidth = file.ReadInt();
    CustomSlideShowHeight = file.ReadInt();
    DisplayTimeType = static_cast<unsigned int>(file.ReadInt());
    DisplayTime = file.ReadInt();
    BackgroundMusic = file.ReadString();
    SSBackgroundColor = static_cast<unsigned long>(static_cast<unsigned int>(file.ReadInt()));
    if (version.AtLeast(2, 8, 3))
        ImageSizeType = file.ReadInt();
}
