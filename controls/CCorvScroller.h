// One scroll bar of the rich-text control: its range, page and position, and how the
// scroll codes move the position.
#pragma once

class CCorvScroller {
public:
    // The scroll-bar codes (the values of SB_LINEUP ... SB_THUMBTRACK).
    enum Code { LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5 };

    // Range 0 to max with the given page; the position is kept within the new limit.
    void SetRange(int max, int page);
    int Max() const { return m_max; }
    int Page() const { return m_page; }
    int Position() const { return m_position; }
    void SetPosition(int position);
    // The largest position the bar allows: the range less one page.
    int Limit() const;
    // Line and page codes move by step, thumb codes take the track position; others change
    // nothing. True when the position changed.
    bool Scroll(int code, int track, int step);

private:
    int m_max = 0;
    int m_page = 0;
    int m_position = 0;
};
