// A pair of integers: a size, a position or a resolution (x and y).
#pragma once

struct PLPoint {
    int x = 0;
    int y = 0;
    PLPoint() = default;
    PLPoint(int ax, int ay) : x(ax), y(ay) {}
    bool operator==(const PLPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const PLPoint& o) const { return !(*this == o); }
};
