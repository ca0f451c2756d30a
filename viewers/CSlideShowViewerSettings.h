// The settings of a SlideShow target and its list of slides: one value, copied whole by
// SetEqual (each viewer then holds a list of its own) and read and written as the slideshow
// viewer's record.
#pragma once
#include "CFileReadWrite.h"
#include "DataFileVersion.h"
#include "ViewersExport.h"

#include <vector>

struct VIEWERS_API CSlideShowViewerSettings {
    // A slide name is held in 260 characters, its terminator included.
    enum { MaxSlideName = 259 };

    int LoopSlideShow = 0;
    int CloseSlideShowAfterDone = 1;
    int ShowCloseButton = 0;
    unsigned int SlideShowWindowSize = 0;  // 0 the custom size centred, else the whole screen
    int CustomSlideShowWidth = 800;
    int CustomSlideShowHeight = 600;
    unsigned int DisplayTimeType = 0;  // 0 DisplayTime each, else the music's length shared out
    int DisplayTime = 5;               // seconds
    CString BackgroundMusic;
    unsigned long SSBackgroundColor = 0;
    int ImageSizeType = 0;  // 0 each picture at its size, else scaled to the window
    int NumSlides = 0;
    std::vector<CString> Slides;

    void Write(CFileReadWrite& file, const DataFileVersion& version) const;
    // Reads the fields; the slides are handed to addSlide one by one, and reading stops where
    // the file ends even when the count promised more.
    template <class AddSlide> void Read(CFileReadWrite& file, const DataFileVersion& version, AddSlide addSlide);

    bool operator==(const CSlideShowViewerSettings& other) const;
    bool operator!=(const CSlideShowViewerSettings& other) const { return !(*this == other); }

private:
    void ReadFields(CFileReadWrite& file, const DataFileVersion& version);
};

template <class AddSlide> void CSlideShowViewerSettings::Read(CFileReadWrite& file, const DataFileVersion& version,
                                                      AddSlide addSlide)
{
    ReadFields(file, version);
    const int count = file.ReadInt();
    Slides.clear();
    NumSlides = 0;
    for (int i = 0; i < count && file.IsOK(); ++i) {
        const CString name = file.ReadString();
        if (!file.IsOK())
            break;
        addSlide(name);
    }
}
