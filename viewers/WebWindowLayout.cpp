#include "WebWindowLayout.h"

bool WebWindowLayout::Size(const CWebViewerSettings& s, int workWidth, int workHeight, const Frame& frame, int& width,
                           int& height)
{
    switch (s.WindowSizeType) {
    case CWebViewerSettings::SizeWorkArea:
        width = workWidth;
        height = workHeight;
        return true;
    case CWebViewerSettings::SizeCustomClient:
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

bool WebWindowLayout::Position(const CWebViewerSettings& s, int workWidth, int workHeight, int width, int height,
                               int& left, int& top)
{
    if (s.WindowSizeType == CWebViewerSettings::SizeWorkArea || s.WindowSizeType == CWebViewerSettings::SizeFullScreen) {
        left = top = 0;
        return true;
    }
    switch (s.WindowPositionType) {
    case CWebViewerSettings::PositionPreset: {
        const int right = workWidth - width, bottom = workHeight - height;
        switch (s.WindowPreset) {
        case CWebViewerSettings::PresetTopLeft: left = 0; top = 0; break;
        case CWebViewerSettings::PresetTopRight: left = right; top = 0; break;
        case CWebViewerSettings::PresetCentre: left = right / 2; top = bottom / 2; break;
        case CWebViewerSettings::PresetBottomLeft: left = 0; top = bottom; break;
        default: left = right; top = bottom; break;
        }
        return true;
    }
    case CWebViewerSettings::PositionPercent:
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
    case CWebViewerSettings::SlideFromLeft: start[0] = float(-end.width); target[0] = float(end.left); break;
    case CWebViewerSettings::SlideFromRight: start[0] = float(workWidth); target[0] = float(end.left); break;
    case CWebViewerSettings::SlideFromTop: start[0] = float(-end.height); target[0] = float(end.top); break;
    case CWebViewerSettings::SlideFromBottom: start[0] = float(workHeight); target[0] = float(end.top); break;
    case CWebViewerSettings::GrowWidth: start[0] = 0; target[0] = float(end.width); break;
    case CWebViewerSettings::GrowHeight: start[0] = 0; target[0] = float(end.height); break;
    case CWebViewerSettings::GrowBoth:
        start[0] = start[1] = 0;
        target[0] = float(end.width);
        target[1] = float(end.height);
        break;
    default:
        m_type = -1;
        return end;
    }
    if (type != CWebViewerSettings::GrowBoth) {
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
    case CWebViewerSettings::SlideFromLeft:
    case CWebViewerSettings::SlideFromRight: r.left = int(m_current[0]); break;
    case CWebViewerSettings::SlideFromTop:
    case CWebViewerSettings::SlideFromBottom: r.top = int(m_current[0]); break;
    case CWebViewerSettings::GrowWidth: r.width = int(m_current[0]); break;
    case CWebViewerSettings::GrowHeight: r.height = int(m_current[0]); break;
    case CWebViewerSettings::GrowBoth:
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
    const int values = m_type == CWebViewerSettings::GrowBoth ? 2 : 1;
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
