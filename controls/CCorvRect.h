// A rectangle in layout coordinates of the rich-text control (right and bottom exclusive).
#pragma once

struct CCorvRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
