#include "WebWindowLayout.h"

bool WebWindowLayout::Size(const WebViewerSettings& s, int workWidth, int workHeight, const Frame& frame, int& width,
                           int& height)
{
    switch (s.WindowSizeType) {
    case WebViewerSettings::SizeWorkArea:
        width = workWidth;
        height = workHeight;
        return true;
    case WebViewerSettings::SizeCustomClient:
        // A browser that cannot tell its sizes would have the frame made up of nothing.
        if (!frame.known)
            return false;
        width = s.CustomWidth + frame.outerWidth + frame.edgeWidth - frame.clientWidth;
        height = s.CustomHeight + frame.outerHeight + frame.edgeHeight - frame.clientHeight;
        return true;
    default:
        return false;
    }
}

bool WebWindowLayout::Position(const WebViewerSettings& s, int workWidth, int workHeight, int width, int height,
                               int& left, int& top)
{
    if (s.WindowSizeType == WebViewerSettings::SizeWorkArea || s.WindowSizeType == WebViewerSettings::SizeFullScreen) {
        left = top = 0;
        return true;
    }
    switch (s.WindowPositionType) {
    case WebViewerSettings::PositionPreset: {
        const int right = workWidth - width, bottom = workHeight - height;
        switch (s.WindowPreset) {
        case WebViewerSettings::PresetTopLeft: left = 0; top = 0; break;
        case WebViewerSettings::PresetTopRight: left = right; top = 0; break;
        case WebViewerSettings::PresetCentre: left = right / 2; top = bottom / 2; break;
        case WebViewerSettings::PresetBottomLeft: left = 0; top = bottom; break;
        default: left = right; top = bottom; break;
        }
        return true;
    }
    case WebViewerSettings::PositionPercent:
        left = static_cast<int>(static_cast<long long>(workWidth) * s.CustomX / 100);
        top = static_cast<int>(static_cast<long long>(workHeight) * s.CustomY / 100);
        return true;
    default:
        return false;
    }
}

WebWindowRect WebWindowEffect::Start(int type, int speed, const WebWindowRect& end, int workWidth, int workHeight)
{
    m_end = end;
    m_type = type;
    m_running = false;
    float start[2], target[2];
    switch (type) {
    case WebViewerSettings::SlideFromLeft: start[0] = float(-end.width); target[0] = float(end.left); break;
    case WebViewerSettings::SlideFromRight: start[0] = float(workWidth); target[0] = float(end.left); break;
    case WebViewerSettings::SlideFromTop: start[0] = float(-end.height); target[0] = float(end.top); break;
    case WebViewerSettings::SlideFromBottom: start[0] = float(workHeight); target[0] = float(end.top); break;
    case WebViewerSettings::GrowWidth: start[0] = 0; target[0] = float(end.width); break;
    case WebViewerSettings::GrowHeight: start[0] = 0; target[0] = float(end.height); break;
    case WebViewerSettings::GrowBoth:
        start[0] = start[1] = 0;
        target[0] = float(end.width);
        target[1] = float(end.height);
        break;
    default:
        m_type = -1;
        return end;
    }
    if (type != WebViewerSettings::GrowBoth) {
        start[1] = target[1] = 0;
    }
    // No steps: the window lands at once instead of dividing by nothing.
    if (speed <= 0)
        return end;
    for (int i = 0; i < 2; ++i) {
        m_start[i] = m_current[i] = start[i];
        m_target[i] = target[i];
        m_step[i] = (target[i] - start[i]) / float(speed);
    }
    m_running = true;
    return Current();
}

WebWindowRect WebWindowEffect::Current() const
{
    WebWindowRect r = m_end;
    switch (m_type) {
    case WebViewerSettings::SlideFromLeft:
    case WebViewerSettings::SlideFromRight: r.left = int(m_current[0]); break;
    case WebViewerSettings::SlideFromTop:
    case WebViewerSettings::SlideFromBottom: r.top = int(m_current[0]); break;
    case WebViewerSettings::GrowWidth: r.width = int(m_current[0]); break;
    case WebViewerSettings::GrowHeight: r.height = int(m_current[0]); break;
    case WebViewerSettings::GrowBoth:
        r.width = int(m_current[0]);
        r.height = int(m_current[1]);
        break;
    default: break;
    }
    return r;
}

WebWindowRect WebWindowEffect::Step()
{
    if (!m_running)
        return m_end;
    const int values = m_type == WebViewerSettings::GrowBoth ? 2 : 1;
    bool arrived = false;
    for (int i = 0; i < values; ++i) {
        m_current[i] += m_step[i];
        // Sliding in from the right or the bottom moves towards smaller values.
        const bool downwards = m_target[i] < m_start[i];
        if (downwards ? m_current[i] <= m_target[i] : m_current[i] >= m_target[i])
            arrived = true;
    }
    if (arrived) {
        for (int i = 0; i < values; ++i)
            m_current[i] = m_target[i];
        m_running = false;
        return m_end;
    }
    return Current();
}
