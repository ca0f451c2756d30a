#include "SlideShowSequence.h"

#include <climits>

void SlideShowLayout::Fit(bool scale, int w, int h, int W, int H, int& drawnWidth, int& drawnHeight)
{
    drawnWidth = w;
    drawnHeight = h;
    if (!scale || w <= 0 || h <= 0)
        return;
    // The side that sticks out more (in pixels) decides the factor: H / h or W / w. Sizes are
    // worked out as exact fractions, so 100 x 500 into 600 high is 120 wide on every processor
    // (the x87's extra precision would make 100 * 1.2 come out at 119.99...).
    const bool byHeight = (h - H) > (w - W);
    const long long num = byHeight ? H : W, den = byHeight ? h : w;
    drawnWidth = static_cast<int>(static_cast<long long>(w) * num / den);
    drawnHeight = static_cast<int>(static_cast<long long>(h) * num / den);
}

void SlideShowLayout::Centre(int W, int H, int drawnWidth, int drawnHeight, int& left, int& top)
{
    left = (W - drawnWidth) / 2;
    top = (H - drawnHeight) / 2;
}

int SlideShowSequence::Interval(const CSlideShowViewerSettings& s, bool hasStream, long musicLengthMs, int slideCount)
{
    if (s.DisplayTimeType && hasStream && musicLengthMs > 0 && slideCount > 0) {
        const long share = musicLengthMs / slideCount;
        if (share > 0)
            return share > INT_MAX ? INT_MAX : static_cast<int>(share);
    }
    const long long ms = s.DisplayTime > 0 ? static_cast<long long>(s.DisplayTime) * 1000 : 0;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

SlideShowSequence::SlideShowSequence(int slideCount, bool loop, bool closeAfterDone, int intervalMs)
    : m_count(slideCount > 0 ? slideCount : 0), m_interval(intervalMs), m_loop(loop), m_closeAfter(closeAfterDone)
{
}

SlideShowSequence::Action SlideShowSequence::Tick(bool hasStream, bool& startMusic)
{
    startMusic = false;
    if (m_count == 0)
        return Close;
    if (m_current >= m_count) {
        if (m_loop)
            m_current = 0;
        else if (m_closeAfter)
            return Close;
        else
            return Stop;
    }
    startMusic = m_current == 0 && hasStream;
    m_shown = m_current;
    return ShowSlide;
}

int SlideShowSequence::Shown(bool decoded)
{
    ++m_current;
    return decoded ? m_interval : static_cast<int>(SkipMs);
}
