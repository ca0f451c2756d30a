// Where a Web target's browser window goes on the work area, and the steps of the effect
// that slides or grows it into place. Plain arithmetic, no window: the web viewer applies
// what these decide.
#pragma once
#include "CWebViewerSettings.h"
#include "ViewersExport.h"

struct WebWindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WebWindowRect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

namespace WebWindowLayout {

// The outer size the browser window is given (work area, or the custom client area enlarged
// by the browser's frame); false when the settings leave the size as the browser has it or
// the browser could not report the sizes the frame is computed from.
struct Frame {
    bool known = false;  // the browser reported its outer size and its window's client size
    int outerWidth = 0, outerHeight = 0, clientWidth = 0, clientHeight = 0, edgeWidth = 0, edgeHeight = 0;
};
VIEWERS_API bool Size(const CWebViewerSettings& s, int workWidth, int workHeight, const Frame& frame, int& width, int& height);

// The top-left corner for a window of the given size; false when it stays where the browser
// put it.
VIEWERS_API bool Position(const CWebViewerSettings& s, int workWidth, int workHeight, int width, int height, int& left, int& top);

}

// The entry effect: the window starts off the work area (or at no width or height) and moves
// by equal steps, one per timer tick, until it stands at its rectangle.
class VIEWERS_API WebWindowEffect {
public:
    // Sets the start; returns the rectangle the window starts at. With no steps (speed 0 or
    // below) or an unknown type the window stands at its end at once and nothing runs.
    WebWindowRect Start(int type, int speed, const WebWindowRect& end, int workWidth, int workHeight);
    bool IsRunning() const { return m_running; }
    // One tick: the rectangle to apply; the last one is the end rectangle exactly.
    WebWindowRect Step();
    // Types that move the window (the others size it).
    bool Moves() const { return m_type >= 0 && m_type <= 3; }

private:
    WebWindowRect Current() const;

    int m_type = -1;
    bool m_running = false;
    WebWindowRect m_end;
    float m_start[2] = { 0, 0 };
    float m_target[2] = { 0, 0 };
    float m_step[2] = { 0, 0 };
    float m_current[2] = { 0, 0 };
};
