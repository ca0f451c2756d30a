// The separator, label and caption statics and the memory device context under Wine,
// checked on the pixels they paint.
#include "CCaptionStatic.h"
#include "CMemoryDC.h"
#include "CSeparatorStatic.h"
#include "CStyledLabel.h"
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF Shadow = ::GetSysColor(COLOR_BTNSHADOW);
const COLORREF Highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);

template <class Static>
bool MakeStatic(Static& control, CWnd& parent, const char* text, DWORD style, int x, int y, int w, int h, UINT id)
{
    RECT r = {x, y, x + w, y + h};
    if (!control.Create(text, WS_CHILD | WS_VISIBLE | style, r, &parent, id))
        return false;
    control.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    return true;
}

}  // namespace

TEST(CSeparatorStaticTest, CaptionGetsItsBlanksByAlignment)
{
    EXPECT_EQ(CSeparatorStatic::Caption("Steps", SS_LEFT), "Steps  ");
    EXPECT_EQ(CSeparatorStatic::Caption("Steps", SS_CENTER), "  Steps  ");
    EXPECT_EQ(CSeparatorStatic::Caption("Steps", SS_RIGHT), "  Steps");
    EXPECT_EQ(CSeparatorStatic::Caption("", SS_LEFT), "  ");  // a gap in the line even without text
}

TEST(CSeparatorStaticTest, DrawsEtchedLinesAndABoldCaption)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CSeparatorStatic horizontal, vertical, empty;
    ASSERT_TRUE(MakeStatic(horizontal, host, "Steps", SS_LEFT, 10, 10, 200, 16, 1));
    ASSERT_TRUE(MakeStatic(vertical, host, "Ignored text", SS_LEFT, 250, 10, 10, 100, 2));
    ASSERT_TRUE(MakeStatic(empty, host, "", SS_LEFT, 10, 40, 200, 16, 3));

    CDibSurface s;
    Grab(horizontal.m_hWnd, s);
    EXPECT_EQ(s.GetPixel(190, 8), Shadow);       // y = h / 2
    EXPECT_EQ(s.GetPixel(190, 9), Highlight);
    EXPECT_EQ(s.Count(::GetSysColor(COLOR_BTNTEXT), 0, 0, 60, 16) > 10, true);  // the caption
    EXPECT_NE(s.GetPixel(1, 8), Shadow);         // the caption's opaque background cuts the line

    Grab(vertical.m_hWnd, s);
    EXPECT_EQ(s.GetPixel(5, 50), Shadow);        // x = w / 2
    EXPECT_EQ(s.GetPixel(6, 50), Highlight);
    EXPECT_EQ(s.Count(::GetSysColor(COLOR_BTNTEXT)), 0);  // no text on a vertical line

    Grab(empty.m_hWnd, s);
    EXPECT_NE(s.GetPixel(0, 8), Shadow);         // the two blanks leave a gap
    EXPECT_EQ(s.GetPixel(150, 8), Shadow);
    host.DestroyWindow();
}

TEST(CStyledLabelTest, StylesAndWindowTextFallback)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CStyledLabel label;
    ASSERT_TRUE(MakeStatic(label, host, "Window text", SS_LEFT, 10, 10, 200, 40, 1));
    for (int style : {0, 1, 2}) {
        label.SetStyle(style);
        EXPECT_EQ(label.FontDescription().lfWeight, style == 0 ? 400 : 700);
        EXPECT_EQ(label.FontDescription().lfHeight, style == 2 ? 22 : 15);
    }
    label.SetStyle(1);
    CDibSurface s;
    Grab(label.m_hWnd, s);
    EXPECT_EQ(s.GetPixel(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(s.GetPixel(2, 2), RGB(255, 255, 255));   // the white frame 2 pixels in
    EXPECT_EQ(s.GetPixel(3, 3), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(s.Count(RGB(255, 255, 255), 6, 6, 150, 34), 10);  // the window text, white

    label.SetStyle(2);
    Grab(label.m_hWnd, s);
    EXPECT_EQ(s.GetPixel(2, 2), RGB(0, 0, 0xC0));      // icon 133 at (2, 2)
    EXPECT_GT(s.Count(::GetSysColor(COLOR_HIGHLIGHT), 36, 4), 10);

    label.SetText("Stored");
    label.SetStyle(0);
    label.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(label.GetLabelStyle(), 0);
    EXPECT_EQ(label.BackColor(), ::GetSysColor(COLOR_BTNFACE));
    host.DestroyWindow();
}

TEST(CCaptionStaticTest, ShowsNewTextAtOnceAndKeepsIt)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CCaptionStatic caption;
    ASSERT_TRUE(MakeStatic(caption, host, "", SS_LEFT, 10, 10, 200, 50, 1));
    caption.SetText("AutoPlay is enabled on this machine.");
    ASSERT_NE(caption.PictureDC(), nullptr);
    // Normal mode: a 2-pixel frame in the caption colour, text inside.
    EXPECT_EQ(::GetPixel(caption.PictureDC(), 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(::GetPixel(caption.PictureDC(), 1, 25), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(::GetPixel(caption.PictureDC(), 3, 25), ::GetSysColor(COLOR_CAPTIONTEXT));
    CDibSurface s;
    Grab(caption.m_hWnd, s);
    EXPECT_GT(s.Count(::GetSysColor(COLOR_ACTIVECAPTION), 6, 6, 194, 44), 10);
    // Covered and uncovered: the picture is copied again.
    ::ShowWindow(caption.m_hWnd, SW_HIDE);
    ::ShowWindow(caption.m_hWnd, SW_SHOW);
    CDibSurface again;
    Grab(caption.m_hWnd, again);
    EXPECT_EQ(again.Count(::GetSysColor(COLOR_ACTIVECAPTION)), s.Count(::GetSysColor(COLOR_ACTIVECAPTION)));

    caption.SetBold();
    EXPECT_EQ(caption.GetMode(), CCaptionStatic::Bold);
    EXPECT_EQ(::GetPixel(caption.PictureDC(), 199, 49), ::GetSysColor(COLOR_BTNFACE));
    int shadowRows = 0, lineY = -1;
    for (int y = 0; y < 49; ++y)
        if (::GetPixel(caption.PictureDC(), 199, y) == Shadow && ::GetPixel(caption.PictureDC(), 199, y + 1) == Highlight) {
            ++shadowRows;
            lineY = y;
        }
    EXPECT_EQ(shadowRows, 1);  // the etched underline, 3 pixels below the text, from x 8
    EXPECT_EQ(::GetPixel(caption.PictureDC(), 8, lineY), Shadow);
    EXPECT_NE(::GetPixel(caption.PictureDC(), 7, lineY), Shadow);
    caption.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(caption.BackColor(), ::GetSysColor(COLOR_BTNFACE));
    host.DestroyWindow();
}

TEST(CMemoryDCTest, DrawsOffScreenAndCopiesOnDestruction)
{
    CDibSurface target(40, 30);
    target.Fill(RGB(0, 0, 0));
    CDC* dc = CDC::FromHandle(target.GetDC());
    ::IntersectClipRect(target.GetDC(), 10, 5, 30, 25);
    {
        CMemoryDC memory(dc);
        EXPECT_TRUE(memory.IsOffScreen());
        EXPECT_EQ(memory.Rect().left, 10);
        EXPECT_EQ(memory.Rect().bottom, 25);
        EXPECT_NE(memory.GetSafeHdc(), target.GetDC());
        RECT all = {0, 0, 40, 30};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(memory.GetSafeHdc(), &all, red);  // logical coordinates as on the target
        ::DeleteObject(red);
        EXPECT_EQ(target.GetPixel(15, 10), RGB(0, 0, 0));  // nothing on the target yet
    }
    EXPECT_EQ(target.GetPixel(15, 10), RGB(255, 0, 0));
    EXPECT_EQ(target.GetPixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(target.GetPixel(29, 24), RGB(255, 0, 0));
    EXPECT_EQ(target.GetPixel(5, 5), RGB(0, 0, 0));        // outside the clip box untouched
}
