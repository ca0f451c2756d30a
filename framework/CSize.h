// A width and height (a SIZE with arithmetic).
#pragma once
#include "WinTypes.h"

class CSize : public SIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCx, int initCy) { cx = initCx; cy = initCy; }
    CSize(SIZE s) { cx = s.cx; cy = s.cy; }

    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    void operator+=(SIZE s) { cx += s.cx; cy += s.cy; }
    void operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};
