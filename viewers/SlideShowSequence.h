// The decisions of a running slideshow, apart from its window: how long each slide stays,
// which slide each timer tick brings (or whether the show closes or stops), where the music
// starts, and how a picture is fitted and centred in the window.
#pragma once
#include "CSlideShowViewerSettings.h"
#include "ViewersExport.h"

namespace SlideShowLayout {

// The size a w x h picture is drawn at in a W x H window (scaled when scale is set).
VIEWERS_API void Fit(bool scale, int w, int h, int W, int H, int& drawnWidth, int& drawnHeight);
// The top-left corner that centres a picture of that size (negative: cut on that side).
VIEWERS_API void Centre(int W, int H, int drawnWidth, int drawnHeight, int& left, int& top);

}

class VIEWERS_API SlideShowSequence {
public:
    enum { FirstTickMs = 100, SkipMs = 10 };
    enum Action {
        ShowSlide,  // decode and show Slide(); then Shown()
        Close,      // the show is over: close the window
        Stop        // the show stays on its last slide: no more ticks
    };

    // Time per slide: DisplayTime seconds, or the music's length shared among the slides.
    // Without a stream, a length or a slide to share it with, DisplayTime it is (below 0
    // counts as 0).
    static int Interval(const CSlideShowViewerSettings& s, bool hasStream, long musicLengthMs, int slideCount);

    SlideShowSequence(int slideCount, bool loop, bool closeAfterDone, int intervalMs);

    // A timer tick: what to do now. startMusic tells that the music (re)starts here.
    Action Tick(bool hasStream, bool& startMusic);
    int Slide() const { return m_shown; }
    // After ShowSlide: the time to the next tick (the interval, or almost none when the
    // slide could not be decoded and is skipped).
    int Shown(bool decoded);
    int IntervalMs() const { return m_interval; }

private:
    int m_count, m_current = 0, m_shown = -1, m_interval;
    bool m_loop, m_closeAfter;
};
