// A canvas with fixed character widths that records what is drawn: 6 pixels a character,
// 7 in bold.
#pragma once
#include "CCorvCanvas.h"

#include <string>
#include <vector>

class FakeCanvas : public CCorvCanvas {
public:
    struct Drawn {
        int x, y;
        std::string text;
        DWORD style;
        COLORREF colour;
    };

    int TextWidth(const CString& text, DWORD style) override
    {
        ++measured;
        return text.GetLength() * ((style & StyleBold) ? 7 : 6);
    }
    void DrawText(int x, int y, const CString& text, DWORD style, COLORREF colour) override
    {
        drawn.push_back({x, y, text.str(), style, colour});
    }
    void FillRect(const CControlRect& rect, COLORREF colour) override
    {
        fills.push_back(rect);
        fillColour = colour;
    }

    std::string Texts() const
    {
        std::string all;
        for (const Drawn& d : drawn)
            all += "[" + d.text + "]";
        return all;
    }

    std::vector<Drawn> drawn;
    std::vector<CControlRect> fills;
    COLORREF fillColour = 0;
    int measured = 0;
};
