// The rich-text window under Wine: layout buffer, links under the pointer, clicks, scrolling
// and system colours, driven by real messages.
#include "CCorvEdit.h"
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the external links it would open instead of starting a program.
class CRecordingEdit : public CCorvEdit {
public:
    std::vector<std::string> opened;

protected:
    void OpenExternalLink(const CString& target) override { opened.push_back(target.str()); }
};

struct CorvEditFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        RECT r = {10, 10, 310, 210};
        ASSERT_EQ(edit.Create(0, r, &host, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL), 1);
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        host.DestroyWindow();
    }
    // The centre of a link's first rectangle, in client coordinates.
    POINT LinkPoint(size_t index) const
    {
        const CCorvLink& link = edit.Layout().Links().at(index);
        const CControlRect& r = link.first.IsEmpty() ? link.second : link.first;
        POINT p = {(r.left + r.right) / 2 - edit.ScrollX(), (r.top + r.bottom) / 2 - edit.ScrollY()};
        return p;
    }
    int CountInLink(size_t index, COLORREF colour) const
    {
        const CCorvLink& link = edit.Layout().Links().at(index);
        const CControlRect& r = link.first.IsEmpty() ? link.second : link.first;
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += ::GetPixel(edit.LayoutDC(), x, y) == colour;
        return n;
    }
    CHostWnd host;
    CRecordingEdit edit;
};

const char* const HelpText =
    "<B>Target Files</B>\r\nChoose up to ten files. See <LINK http://example.com/help>the help pages</LINK> "
    "or <INT_LINK 1234>open the wizard</INT_LINK>.";

}  // namespace

TEST_F(CorvEditFixture, WindowClassAndFonts)
{
    char name[64] = {};
    ::GetClassNameA(edit.m_hWnd, name, sizeof(name));
    EXPECT_STREQ(name, "CCorvEdit by Corvex Software");
    EXPECT_NE(edit.HandCursor(), nullptr);  // the help program's hand, else the system's
    EXPECT_EQ(edit.Layout().LineHeight(), 14);
}

TEST_F(CorvEditFixture, DrawsTheTextAndItsLinksIntoTheLayoutBuffer)
{
    edit.SetText(HelpText);
    EXPECT_EQ(edit.GetText(), HelpText);
    char windowText[512] = {};
    ::SendMessageA(edit.m_hWnd, WM_GETTEXT, sizeof windowText, reinterpret_cast<LPARAM>(windowText));
    EXPECT_STREQ(windowText, HelpText) << "other programs read the panel through its window text";
    ASSERT_EQ(edit.Layout().Links().size(), 2u);
    EXPECT_GT(CountInLink(0, edit.Layout().LinkColor()), 5);
    EXPECT_GT(CountInLink(1, edit.Layout().LinkColor()), 5);
    // The text colour is on the first line, the background around it.
    int text = 0;
    for (int x = 0; x < 150; ++x)
        for (int y = 2; y < 16; ++y)
            text += ::GetPixel(edit.LayoutDC(), x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(text, 20);
    EXPECT_EQ(::GetPixel(edit.LayoutDC(), 299, 199), edit.BackgroundColor());

    // On the screen too, after the paint.
    CDibSurface screen;
    Grab(edit.m_hWnd, screen);
    EXPECT_GT(screen.Count(edit.Layout().LinkColor()), 10);
}

TEST_F(CorvEditFixture, HoverTurnsTheLinkRedAndSetsTheHand)
{
    edit.SetText(HelpText);
    const POINT p = LinkPoint(0);
    edit.SendMessage(WM_MOUSEMOVE, 0, Point(p.x, p.y));
    EXPECT_TRUE(edit.Layout().Links()[0].hot);
    EXPECT_EQ(::GetCursor(), edit.HandCursor());
    EXPECT_GT(CountInLink(0, edit.Layout().HotLinkColor()), 5);
    EXPECT_EQ(CountInLink(0, edit.Layout().LinkColor()), 0);
    // Moving away draws it normal again.
    edit.SendMessage(WM_MOUSEMOVE, 0, Point(290, 190));
    EXPECT_FALSE(edit.Layout().Links()[0].hot);
    EXPECT_EQ(CountInLink(0, edit.Layout().HotLinkColor()), 0);
}

TEST_F(CorvEditFixture, ClickOpensExternalLinksAndSendsInternalOnes)
{
    edit.SetText(HelpText);
    POINT p = LinkPoint(0);
    edit.SendMessage(WM_MOUSEMOVE, 0, Point(p.x, p.y));
    edit.SendMessage(WM_LBUTTONUP, 0, Point(p.x, p.y));
    ASSERT_EQ(edit.opened.size(), 1u);
    EXPECT_EQ(edit.opened[0], "http://example.com/help");
    EXPECT_FALSE(edit.Layout().Links()[0].hot);

    p = LinkPoint(1);
    edit.SendMessage(WM_MOUSEMOVE, 0, Point(p.x, p.y));
    edit.SendMessage(WM_LBUTTONUP, 0, Point(p.x, p.y));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], 1234u);
    EXPECT_EQ(edit.opened.size(), 1u);

    // A click away from the links does nothing.
    edit.SendMessage(WM_LBUTTONUP, 0, Point(290, 190));
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(CorvEditFixture, InternalLinksNeverSendSystemMessages)
{
    // WM_CLOSE (16) and WM_DESTROY (2) read from a data file are not sent.
    for (const char* text : {"<INT_LINK 16>close</INT_LINK>", "<INT_LINK 2>destroy</INT_LINK>",
                             "<INT_LINK 49152>registered</INT_LINK>"}) {
        edit.SetText(text);
        const POINT p = LinkPoint(0);
        edit.SendMessage(WM_MOUSEMOVE, 0, Point(p.x, p.y));
        edit.SendMessage(WM_LBUTTONUP, 0, Point(p.x, p.y));
        EXPECT_TRUE(::IsWindow(host.m_hWnd)) << text;
        EXPECT_TRUE(host.messages.empty()) << text;
    }
}

TEST_F(CorvEditFixture, RelayoutOnColourChangeKeepsOneRecordPerLink)
{
    edit.SetText(HelpText);
    edit.SendMessage(WM_SYSCOLORCHANGE);
    edit.SendMessage(WM_SYSCOLORCHANGE);
    ASSERT_EQ(edit.Layout().Links().size(), 2u);
    const POINT p = LinkPoint(1);
    edit.SendMessage(WM_MOUSEMOVE, 0, Point(p.x, p.y));
    edit.SendMessage(WM_LBUTTONUP, 0, Point(p.x, p.y));
    EXPECT_EQ(host.messages.size(), 1u);  // one message, not one per layout pass
}

TEST_F(CorvEditFixture, TheLayoutBufferHoldsLongAndWideTexts)
{
    // 600 lines of 14 pixels: far beyond 5000 pixels.
    std::string text;
    for (int i = 0; i < 600; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    text += "<LINK last>the end</LINK>";
    edit.SetText(text.c_str());
    EXPECT_GE(edit.LayoutHeight(), edit.Layout().ContentHeight());
    EXPECT_GT(edit.LayoutHeight(), 5000);
    EXPECT_GT(CountInLink(0, edit.Layout().LinkColor()), 5);

    // A word wider than 800 pixels is drawn whole.
    edit.SetText(std::string(200, 'W').c_str());
    EXPECT_GE(edit.LayoutWidth(), edit.Layout().TextWidth());
    EXPECT_GT(edit.Layout().TextWidth(), 800);
    int ink = 0;
    for (int x = edit.Layout().TextWidth() - 30; x < edit.Layout().TextWidth(); ++x)
        for (int y = 0; y < 40; ++y)
            ink += ::GetPixel(edit.LayoutDC(), x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(ink, 5);
}

TEST_F(CorvEditFixture, ScrollBarsMoveByLinesAndTheThumb)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line\r\n";
    edit.SetText(text.c_str());
    edit.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(edit.ScrollY(), 14);
    EXPECT_EQ(::GetScrollPos(edit.m_hWnd, SB_VERT), 14);
    edit.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(edit.ScrollY(), 28);
    edit.SendMessage(WM_VSCROLL, SB_LINEUP);
    edit.SendMessage(WM_VSCROLL, SB_LINEUP);
    edit.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(edit.ScrollY(), 0);
    for (int i = 0; i < 200; ++i)
        edit.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    ::GetScrollInfo(edit.m_hWnd, SB_VERT, &si);
    EXPECT_EQ(edit.ScrollY(), si.nMax - static_cast<int>(si.nPage) + 1);
    // A new text starts at the top.
    edit.SetText("short");
    EXPECT_EQ(edit.ScrollY(), 0);
    EXPECT_EQ(::GetScrollPos(edit.m_hWnd, SB_VERT), 0);
}

TEST(CorvEditCaptionTest, CaptionLookFramesInTheCaptionColours)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CCorvEdit edit;
    RECT r = {10, 10, 210, 60};
    ASSERT_EQ(edit.Create(WS_EX_CLIENTEDGE, r, &host, 101, WS_CHILD | WS_VISIBLE | WS_BORDER, CCorvEdit::CaptionLook), 1);
    EXPECT_FALSE(edit.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(edit.GetStyle() & WS_BORDER);
    EXPECT_EQ(edit.BackgroundColor(), ::GetSysColor(COLOR_CAPTIONTEXT));
    edit.SetText("Status");
    CDibSurface screen;
    Grab(edit.m_hWnd, screen);
    EXPECT_EQ(screen.GetPixel(0, 0), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(screen.GetPixel(1, 1), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(screen.GetPixel(2, 2), ::GetSysColor(COLOR_CAPTIONTEXT));
    EXPECT_EQ(edit.Layout().LeftMargin(), 6);
    EXPECT_EQ(edit.Layout().TopMargin(), 4);
    edit.DestroyWindow();
    host.DestroyWindow();
}
