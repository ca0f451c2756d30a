#include "MenuWindowLayout.h"

MenuLayout LayOutMenu(int width, int height, const std::vector<int>& captionWidths, const std::vector<int>& actions)
{
    MenuLayout out;
    const int n = static_cast<int>(actions.size());
    if (n > 0) {
        out.widest = MenuLayout::MinimumWidth;
        for (int w : captionWidths)
            if (w > out.widest)
                out.widest = w;
        out.step = (height - 125) / n;
        if (out.step > MenuLayout::MaximumStep)
            out.step = MenuLayout::MaximumStep;
    }
    const int left = width - out.widest - 50;
    int top = MenuLayout::FirstTop;
    for (int i = 0; i < n; ++i) {
        MenuButtonPlace place;
        int y = top;
        if (actions[i] == MenuActionExit) {
            place.id = MenuLayout::ExitId;
            if (i == n - 1)
                y = height - MenuLayout::ExitFromBottom;
        } else {
            place.id = MenuLayout::FirstButtonId + i;
        }
        place.rect = LayoutRect{ left, y, out.widest, MenuLayout::ButtonHeight };
        out.buttons.push_back(place);
        top += out.step;
    }
    const int textRight = width - out.widest - 100, textBottom = height - 50;
    out.textBox = LayoutRect{ 50, 150, textRight - 50, textBottom - 150 };
    return out;
}

LayoutRect MenuWindowRect(int width, int height, bool titleBar, int captionHeight, int screenWidth, int screenHeight)
{
    const int h = titleBar ? height + captionHeight : height;
    return LayoutRect{ (screenWidth - width) / 2, (screenHeight - h) / 2, width, h };
}

CString MenuMailTarget(const CString& target)
{
    CString lower = target;
    lower.MakeLower();
    if (lower.Left(7) == "mailto:")
        return target;
    return "mailto:" + target;
}
