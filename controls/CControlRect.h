// A rectangle of the controls' plain code, in pixels (right and bottom exclusive).
#pragma once

struct CControlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void Deflate(int d) { left += d; top += d; right -= d; bottom -= d; }
};
