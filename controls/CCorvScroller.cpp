#include "CCorvScroller.h"

#include <algorithm>

void CCorvScroller::SetRange(int max, int page)
{
    m_max = std::max(0, max);
    m_page = std::max(0, page);
    SetPosition(m_position);
}

int CCorvScroller::Limit() const
{
    return std::max(0, m_max - std::max(m_page, 1) + 1);
}

void CCorvScroller::SetPosition(int position)
{
    m_position = std::clamp(position, 0, Limit());
}

bool CCorvScroller::Scroll(int code, int track, int step)
{
    const int before = m_position;
    switch (code) {
    case LineUp:
    case PageUp:
        SetPosition(m_position - step);
        break;
    case LineDown:
    case PageDown:
        SetPosition(m_position + step);
        break;
    case ThumbPosition:
    case ThumbTrack:
        SetPosition(track);
        break;
    default:
        break;
    }
    return m_position != before;
}
