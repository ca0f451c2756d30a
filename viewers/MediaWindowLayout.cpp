#include "MediaWindowLayout.h"

bool UsesNewerMediaControl(const CString& fileVersion)
{
    return fileVersion.Left(1) == "9" || fileVersion.Left(2) == "10";
}

ControlWindowLayout NewerMediaLayout(const CMediaViewerSettings& s, int pictureWidth, int pictureHeight,
                                     const LayoutMetrics& m)
{
    const int border = s.ShowBorder ? s.BorderWidth : 0;
    const CaptionFrame frame(s.TitleBar != 0, m);
    const int panel = s.ShowControls ? NewerPanelHeight : 0;
    const int tracker = s.ShowControls && s.ShowTracker ? TrackerHeight : 0;
    ControlWindowLayout out;
    out.control.x = out.control.y = border;
    switch (s.WindowSize) {
    case CMediaViewerSettings::SizeOfPicture:
    case CMediaViewerSettings::SizeCustom: {
        const int width = s.WindowSize == CMediaViewerSettings::SizeCustom ? s.CustomMediaWidth : pictureWidth;
        const int height =
            (s.WindowSize == CMediaViewerSettings::SizeCustom ? s.CustomMediaHeight : pictureHeight) + tracker + panel;
        out.control.width = width;
        out.control.height = height;
        out.window = CentreInWorkArea(width + frame.width + 2 * border, frame.height + 2 * border + height, m);
        break;
    }
    case CMediaViewerSettings::SizeFullScreen:
        out.control.width = m.screenWidth - 2 * border - frame.width;
        out.control.height = m.screenHeight - 2 * border - frame.height;
        out.window = LayoutRect{ 0, 0, m.screenWidth, m.screenHeight };
        break;
    default:
        out.keepTemplate = true;
        break;
    }
    return out;
}

ControlWindowLayout OlderMediaLayout(const CMediaViewerSettings& s, int pictureWidth, int pictureHeight,
                                     const LayoutMetrics& m)
{
    const CaptionFrame frame(s.TitleBar != 0, m);
    const int panel = s.ShowControls ? OlderPanelHeight : 0;
    const int tracker = s.ShowControls && s.ShowTracker ? TrackerHeight : 0;
    ControlWindowLayout out;
    switch (s.WindowSize) {
    case CMediaViewerSettings::SizeOfPicture:
    case CMediaViewerSettings::SizeCustom: {
        const bool custom = s.WindowSize == CMediaViewerSettings::SizeCustom;
        const int width = (custom ? s.CustomMediaWidth : pictureWidth) + 2 * s.BorderWidth;
        const int height = (custom ? s.CustomMediaHeight : pictureHeight) + tracker + 2 * s.BorderWidth;
        out.control = LayoutRect{ 0, 0, width, height + panel };
        out.window = CentreInWorkArea(width + frame.width, height + panel + frame.height, m);
        break;
    }
    case CMediaViewerSettings::SizeFullScreen:
        out.control = LayoutRect{ 0, 0, m.screenWidth - frame.width, m.screenHeight - frame.height };
        out.window = LayoutRect{ 0, 0, m.screenWidth, m.screenHeight };
        break;
    default:
        out.keepTemplate = true;
        break;
    }
    return out;
}

const char* NewerMediaUiMode(const CMediaViewerSettings& s)
{
    if (s.ShowControls && s.ShowTracker)
        return "full";
    return s.ShowControls ? "mini" : "none";
}

bool MediaClosesAtEnd(const CMediaViewerSettings& s) { return !s.Repeat && s.CloseAfterFinished; }
