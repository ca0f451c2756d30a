#include "CCorvLayout.h"
#include "CCorvScroller.h"
#include "CCorvTokenizer.h"
#include "FakeCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(const CString& text)
{
    std::vector<std::string> tokens;
    int pos = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        const CString token = CCorvTokenizer::NextToken(text, pos);
        if (token == "<END>")
            return tokens;
        tokens.push_back(token.str());
    }
    ADD_FAILURE() << "the tokeniser does not reach the end";
    return tokens;
}

const COLORREF Black = 0x000000;
const COLORREF Grey = 0xC0C0C0;

// A layout with the control's defaults, 200 pixels of wrap width.
struct LayoutFixture : ::testing::Test {
    void Run(const char* text, int wrap = 200, int windowHeight = 100)
    {
        canvas.drawn.clear();
        layout.Layout(text, wrap, windowHeight, canvas, true);
    }
    const FakeCanvas::Drawn& DrawnText(const std::string& text)
    {
        for (const FakeCanvas::Drawn& d : canvas.drawn)
            if (d.text == text)
                return d;
        ADD_FAILURE() << "not drawn: " << text << " in " << canvas.Texts();
        static FakeCanvas::Drawn none{};
        return none;
    }
    CCorvLayout layout;
    FakeCanvas canvas;
};

}  // namespace

TEST(CCorvTokenizerTest, SplitsWordsTagsAndLineBreaks)
{
    struct Case {
        const char* text;
        std::vector<std::string> tokens;
    } cases[] = {
        {"", {}},
        {"Hello world", {"Hello ", "world"}},
        {"a\r\nb", {"a", "\r\n", "b"}},
        {"\r\n\r\n", {"\r\n", "\r\n"}},
        {"<B>bold</B> x", {"<B>", "bold", "</B>", " ", "x"}},
        {"word<B>", {"word", "<B>"}},
        {"<LINK http://a b>go", {"<LINK http://a b>", "go"}},
        {"1 < 2 ok", {"1 ", "< ", "2 ", "ok"}},  // a "<" without ">" runs to the next blank
        {"<abc def", {"<abc ", "def"}},
        {"<abc", {"<abc"}},
        // The line break behind an unclosed "<" stays a line break.
        {"<abc\r\ndef", {"<abc", "\r\n", "def"}},
        {"x <END> y", {"x ", "<END>"}},
    };
    for (const Case& c : cases) {
        if (std::string(c.text) == "x <END> y") {
            int pos = 2;
            EXPECT_EQ(CCorvTokenizer::NextToken(c.text, pos), "<END>");
            continue;
        }
        EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
    }
}

TEST(CCorvTokenizerTest, TextsLongerThanTwentyFiveThousandCharactersEnd)
{
    // Words past character 25000, and one long run without any delimiter beyond it.
    std::string words;
    while (words.size() < 30000)
        words += "word ";
    const std::string run = std::string(26000, 'x') + " tail<B>";
    for (const std::string& text : {words, run, words + run}) {
        const std::vector<std::string> tokens = Tokens(text.c_str());
        std::string joined;
        for (const std::string& t : tokens)
            joined += t;
        EXPECT_EQ(joined, text);
    }
    int pos = 40000;  // beyond the end
    EXPECT_EQ(CCorvTokenizer::NextToken(CString(run.c_str()), pos), "<END>");
}

TEST(CCorvTokenizerTest, TellsTagsFromText)
{
    EXPECT_TRUE(CCorvTokenizer::IsTag("<B>"));
    EXPECT_TRUE(CCorvTokenizer::IsTag("<LINK http://x>"));
    EXPECT_FALSE(CCorvTokenizer::IsTag("<abc "));
    EXPECT_FALSE(CCorvTokenizer::IsTag("<a>b"));
    EXPECT_FALSE(CCorvTokenizer::IsTag("word"));
    EXPECT_FALSE(CCorvTokenizer::IsTag("<"));
}

TEST_F(LayoutFixture, StylesSelectTheirFonts)
{
    Run("<B>bold</B> plain <I>it</I> <U>un</U> <B><I><U>all</U></I></B>");
    EXPECT_EQ(canvas.Texts(), "[bold][ ][plain ][it][ ][un][ ][all]");
    EXPECT_EQ(DrawnText("bold").style, CCorvCanvas::StyleBold);
    EXPECT_EQ(DrawnText("plain ").style, 0u);
    EXPECT_EQ(DrawnText("it").style, CCorvCanvas::StyleItalic);
    EXPECT_EQ(DrawnText("un").style, CCorvCanvas::StyleUnderline);
    EXPECT_EQ(DrawnText("all").style,
              CCorvCanvas::StyleBold | CCorvCanvas::StyleItalic | CCorvCanvas::StyleUnderline);
    EXPECT_EQ(layout.Style(), 0u);
    // Bold is 7 pixels a character: "bold" ends at 4 + 28.
    EXPECT_EQ(DrawnText(" ").x, 4 + 28);
    EXPECT_EQ(DrawnText("plain ").x, 4 + 28 + 6);
}

TEST_F(LayoutFixture, ClosingBoldWithoutOpeningSubtractsItsBit)
{
    // The styles do not nest: "</B>" subtracts its bit whatever is set.
    Run("</B>x");
    EXPECT_EQ(layout.Style(), static_cast<DWORD>(0) - CCorvCanvas::StyleBold);
    EXPECT_EQ(DrawnText("x").style & (CCorvCanvas::StyleBold | CCorvCanvas::StyleItalic),
              CCorvCanvas::StyleBold | CCorvCanvas::StyleItalic);
}

TEST_F(LayoutFixture, IgnoreDrawsTagsLiterally)
{
    Run("<IGNORE><B>x</B></IGNORE> <B>y</B>");
    EXPECT_EQ(canvas.Texts(), "[<B>][x][</B>][ ][y]");
    EXPECT_EQ(DrawnText("x").style, 0u);
    EXPECT_EQ(DrawnText("y").style, CCorvCanvas::StyleBold);
}

TEST_F(LayoutFixture, ColourTagsColourTheirWords)
{
    layout.SetTextColor(Black);
    Run("<COLOR 255,0,0>red</COLOR> black <COLOR 0, 128 ,300>x");
    EXPECT_EQ(DrawnText("red").colour, 0x0000FFu);
    EXPECT_EQ(DrawnText("black ").colour, Black);
    EXPECT_EQ(DrawnText("x").colour, 0x2C8000u);  // 300 is cut to its low byte, 44
}

TEST_F(LayoutFixture, MalformedColourTagsAreIgnored)
{
    for (const char* tag : {"<COLOR 255>", "<COLOR 1,2>", "<COLOR a,b,c>", "<COLOR 1,2,3,4>", "<COLOR ,,>",
                            "<COLOR 1,,3>", "<COLOR -1,2,3>", "<COLOR 9999999999,1,1>", "<COLOR>"}) {
        layout.SetTextColor(Black);
        Run((std::string("<COLOR 0,0,255>a") + tag + "b").c_str());
        EXPECT_EQ(canvas.Texts(), "[a][b]") << tag;
        EXPECT_EQ(DrawnText("b").colour, 0xFF0000u) << tag;
        COLORREF colour = 7;
        EXPECT_FALSE(CCorvLayout::ParseColorTag(tag, colour)) << tag;
        EXPECT_EQ(colour, 7u);
    }
}

TEST_F(LayoutFixture, CursorShiftMovesThePen)
{
    Run("a<CURSOR_SHIFT 50>b<CURSOR_SHIFT x>c");
    EXPECT_EQ(DrawnText("b").x, 4 + 6 + 50);
    EXPECT_EQ(DrawnText("c").x, 4 + 6 + 50 + 6);
}

TEST_F(LayoutFixture, EndTagStopsTheLayout)
{
    Run("one <END> two");
    EXPECT_EQ(canvas.Texts(), "[one ]");
}

TEST_F(LayoutFixture, WrapsAtTheWrapWidth)
{
    // 60 pixels: "aaaa " is 30 wide, two of them fit (4 + 24 + 30 = 58, measured without the blank).
    Run("aaaa bbbb cccc", 60);
    ASSERT_EQ(canvas.drawn.size(), 3u);
    EXPECT_EQ(canvas.drawn[0].y, 2);
    EXPECT_EQ(canvas.drawn[1].y, 2);
    EXPECT_EQ(canvas.drawn[2].x, 4);
    EXPECT_EQ(canvas.drawn[2].y, 2 + 14);
    EXPECT_EQ(canvas.drawn[2].text, "cccc");
}

TEST_F(LayoutFixture, AWordWiderThanTheLineTakesALineOfItsOwn)
{
    Run("xxxxxxxxxxxx", 40);
    ASSERT_EQ(canvas.drawn.size(), 1u);
    EXPECT_EQ(canvas.drawn[0].y, 2 + 14);  // the line above stays empty
    EXPECT_EQ(layout.TextWidth(), 4 + 72);
}

TEST_F(LayoutFixture, LineBreaksAndTrailingBlanks)
{
    Run("ab \r\n  cd <B></B>\r\n\r\ne");
    EXPECT_EQ(canvas.Texts(), "[ab][cd][e]");
    EXPECT_EQ(DrawnText("cd").y, 2 + 14);
    EXPECT_EQ(DrawnText("e").y, 2 + 3 * 14);
    EXPECT_EQ(layout.TextWidth(), 4 + 12);  // the trailing blanks before a line break do not count
}

TEST_F(LayoutFixture, EmptyTextHeights)
{
    Run("", 200, 100);
    EXPECT_TRUE(canvas.drawn.empty());
    EXPECT_EQ(layout.TextWidth(), 0);
    EXPECT_EQ(layout.TextHeight(), 4);
    Run("", 200, 18);
    EXPECT_EQ(layout.TextHeight(), 18);
}

TEST_F(LayoutFixture, LinksAreRecordedWithTargetsAndRectangles)
{
    Run("see <LINK http://example.com/a>the page</LINK> or <INT_LINK 1234>this</INT_LINK>.");
    const std::vector<CCorvLink>& links = layout.Links();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].type, CCorvLink::External);
    EXPECT_EQ(links[0].target, "http://example.com/a");
    EXPECT_EQ(links[0].text, "the page");
    EXPECT_EQ(links[0].x, 4 + 24);
    EXPECT_EQ(links[0].first.left, 28);
    EXPECT_EQ(links[0].first.right, 28 + 48);
    EXPECT_EQ(links[0].first.bottom, 2 + 14);
    EXPECT_TRUE(links[0].second.IsEmpty());
    EXPECT_EQ(links[1].type, CCorvLink::Internal);
    EXPECT_EQ(links[1].target, "1234");
    EXPECT_EQ(DrawnText("the ").colour, layout.LinkColor());
    EXPECT_EQ(DrawnText(".").colour, layout.TextColor());
    EXPECT_EQ(layout.LinkAt(30, 5), 0);
    EXPECT_EQ(layout.LinkAt(10, 5), -1);
}

TEST_F(LayoutFixture, RelayoutRebuildsTheLinks)
{
    const char* text = "<LINK a>one</LINK> <LINK b>two</LINK>";
    Run(text);
    Run(text);
    layout.Layout(text, 200, 100, canvas, false);
    ASSERT_EQ(layout.Links().size(), 2u);
    EXPECT_TRUE(layout.Links()[0].complete);
    EXPECT_TRUE(layout.Links()[1].complete);
    EXPECT_EQ(layout.Links()[1].target, "b");
    EXPECT_EQ(layout.LinkAt(4 + 6 * 5, 5), 1);
}

TEST_F(LayoutFixture, EveryLayoutStartsWithPlainStyleColourAndNoLiteralMode)
{
    layout.SetTextColor(Black);
    Run("<B><I><COLOR 1,2,3><LINK x>open <IGNORE>");
    Run("<U>y");
    ASSERT_EQ(canvas.drawn.size(), 1u);
    EXPECT_EQ(canvas.drawn[0].text, "y");
    EXPECT_EQ(canvas.drawn[0].style, CCorvCanvas::StyleUnderline);
    EXPECT_EQ(canvas.drawn[0].colour, Black);
    EXPECT_TRUE(layout.Links().empty());
}

TEST_F(LayoutFixture, ClosingLinkWithoutOpenLinkIsIgnored)
{
    layout.SetTextColor(Black);
    Run("a</LINK>b <COLOR 0,0,255><LINK t>c</LINK></INT_LINK>d");
    EXPECT_EQ(canvas.Texts(), "[a][b ][c][d]");
    ASSERT_EQ(layout.Links().size(), 1u);
    EXPECT_EQ(layout.Links()[0].text, "c");
    EXPECT_EQ(DrawnText("d").colour, Black);
}

TEST_F(LayoutFixture, AWrappedLinkHasTwoRectanglesAndRedrawsWhole)
{
    // Wrap width 70: "xx " and "aaaa " fit, the link wraps after "aaaa".
    Run("xx <LINK http://t>aaaa bbbb <B>cccc</B></LINK> z", 70);
    ASSERT_EQ(layout.Links().size(), 1u);
    const CCorvLink& link = layout.Links()[0];
    EXPECT_EQ(link.text, "aaaa bbbb <B>cccc</B>");
    EXPECT_EQ(link.first.left, 4 + 18);
    EXPECT_EQ(link.first.top, 2);
    EXPECT_EQ(link.first.right, 4 + 18 + 30);
    EXPECT_EQ(link.first.bottom, 2 + 14);
    EXPECT_EQ(link.second.left, 4);
    EXPECT_EQ(link.second.top, 2 + 14);
    EXPECT_EQ(link.second.right, 4 + 30 + 28);  // "bbbb " and bold "cccc" on the second line
    EXPECT_EQ(link.second.bottom, 2 + 28);

    // Over either part the whole link is drawn hot; tags inside it are neither measured nor drawn.
    for (int y : {5, 20}) {
        canvas.drawn.clear();
        canvas.fills.clear();
        EXPECT_TRUE(layout.TrackMouse(30, y, Grey, canvas));
        EXPECT_EQ(canvas.Texts(), "[aaaa ][bbbb ][cccc]") << y;
        for (const FakeCanvas::Drawn& d : canvas.drawn) {
            EXPECT_EQ(d.colour, layout.HotLinkColor());
            EXPECT_TRUE(d.style & CCorvCanvas::StyleUnderline);
        }
        EXPECT_EQ(DrawnText("cccc").x, 4 + 30);
        EXPECT_TRUE(DrawnText("cccc").style & CCorvCanvas::StyleBold);
        EXPECT_EQ(canvas.fillColour, Grey);
        EXPECT_TRUE(layout.Links()[0].hot);
        // Leaving draws it normal again.
        canvas.drawn.clear();
        EXPECT_FALSE(layout.TrackMouse(300, 300, Grey, canvas));
        EXPECT_EQ(canvas.Texts(), "[aaaa ][bbbb ][cccc]");
        EXPECT_EQ(canvas.drawn[0].colour, layout.LinkColor());
        EXPECT_FALSE(layout.Links()[0].hot);
    }
    // Moving within a hot link draws nothing more.
    bool changed = false;
    layout.TrackMouse(30, 5, Grey, canvas, &changed);
    EXPECT_TRUE(changed);
    canvas.drawn.clear();
    layout.TrackMouse(31, 6, Grey, canvas, &changed);
    EXPECT_TRUE(canvas.drawn.empty());
    EXPECT_FALSE(changed);
}

TEST(CCorvLinkTest, InternalLinksSendOnlyApplicationMessages)
{
    struct Case {
        const char* target;
        bool sent;
        UINT message;
    } cases[] = {
        {"1234", true, 1234},   {"1024", true, 0x400},  {" 32771 ", true, 32771}, {"49151", true, 0xBFFF},
        {"16", false, 0},       {"2", false, 0},        {"1023", false, 0},       {"49152", false, 0},
        {"65535", false, 0},    {"4294967312", false, 0}, {"", false, 0},         {"12x", false, 0},
        {"-1234", false, 0},    {"0x500", false, 0},
    };
    for (const Case& c : cases) {
        CCorvLink link;
        link.type = CCorvLink::Internal;
        link.target = c.target;
        UINT message = 0;
        EXPECT_EQ(link.InternalMessage(message), c.sent) << c.target;
        EXPECT_EQ(message, c.message) << c.target;
    }
    CCorvLink external;
    external.target = "1234";
    UINT message = 0;
    EXPECT_FALSE(external.InternalMessage(message));
}

TEST(CCorvScrollerTest, CodesMoveWithinTheRange)
{
    CCorvScroller bar;
    bar.SetRange(300, 100);  // positions 0 to 201
    EXPECT_EQ(bar.Limit(), 201);
    struct Step {
        int code, track, expected;
    } steps[] = {
        {CCorvScroller::LineUp, 0, 0},          {CCorvScroller::LineDown, 0, 14},
        {CCorvScroller::PageDown, 0, 28},       {CCorvScroller::ThumbTrack, 190, 190},
        {CCorvScroller::LineDown, 0, 201},      {CCorvScroller::LineDown, 0, 201},
        {8 /* end scroll */, 0, 201},           {CCorvScroller::PageUp, 0, 187},
        {CCorvScroller::ThumbPosition, 5, 5},   {CCorvScroller::LineUp, 0, 0},
    };
    for (const Step& s : steps) {
        bar.Scroll(s.code, s.track, 14);
        EXPECT_EQ(bar.Position(), s.expected) << s.code;
    }
    // A text that fits the window cannot scroll; shrinking the range pulls the position back.
    bar.SetPosition(150);
    bar.SetRange(120, 100);
    EXPECT_EQ(bar.Position(), 21);
    bar.SetRange(50, 100);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_FALSE(bar.Scroll(CCorvScroller::LineDown, 0, 14));
}
