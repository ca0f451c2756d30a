// The layout drawn through real fonts into a memory device context.
#include "CCorvGdiCanvas.h"
#include "CCorvLayout.h"
#include "CFontFallback.h"
#include "CDibSurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Fonts {
    explicit Fonts(const char* face)
    {
        for (int i = 0; i < CCorvGdiCanvas::FontCount; ++i) {
            LOGFONTA lf = {};
            lf.lfHeight = 14;
            lf.lfWeight = (i & 4) ? 700 : 400;
            lf.lfItalic = (i & 2) ? 1 : 0;
            lf.lfUnderline = (i & 1) ? 1 : 0;
            std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
            fonts[i] = ::CreateFontIndirectA(&lf);
        }
    }
    ~Fonts()
    {
        for (HFONT f : fonts)
            ::DeleteObject(f);
    }
    HFONT fonts[CCorvGdiCanvas::FontCount];
};

const COLORREF Face = RGB(212, 208, 200);

}  // namespace

TEST(CCorvGdiCanvasTest, FontSlotsFollowTheStyleBits)
{
    EXPECT_EQ(CCorvGdiCanvas::FontIndex(0), 0);
    EXPECT_EQ(CCorvGdiCanvas::FontIndex(CCorvCanvas::StyleUnderline), 1);
    EXPECT_EQ(CCorvGdiCanvas::FontIndex(CCorvCanvas::StyleItalic), 2);
    EXPECT_EQ(CCorvGdiCanvas::FontIndex(CCorvCanvas::StyleBold), 4);
    EXPECT_EQ(CCorvGdiCanvas::FontIndex(0xFFFFFFF0), 6);  // what a stray "</B>" leaves: bold italic
}

TEST(CCorvGdiCanvasTest, ArialOrItsStandInExists)
{
    const CString face = CFontFallback::Face("Arial");
    EXPECT_TRUE(CFontFallback::Exists(face)) << face.c_str();
    EXPECT_TRUE(CFontFallback::Exists(CFontFallback::Face("MS Sans Serif")));
}

TEST(CCorvGdiCanvasTest, DrawsColouredBoldAndLinkText)
{
    Fonts fonts(CFontFallback::Face("Arial"));
    CDibSurface surface(300, 80);
    surface.Fill(Face);
    CCorvGdiCanvas canvas(surface.GetDC(), fonts.fonts);
    CCorvLayout layout;
    layout.SetTextColor(RGB(0, 0, 0));
    layout.Layout("<COLOR 255,0,0>Red</COLOR> <B>Bold</B> <LINK http://x>link</LINK>", 280, 80, canvas, true);

    // Bold text is wider than plain.
    EXPECT_GT(canvas.TextWidth("Bold", CCorvCanvas::StyleBold), canvas.TextWidth("Bold", 0));
    const int redEnd = 4 + canvas.TextWidth("Red", 0);
    EXPECT_GT(surface.Count(RGB(255, 0, 0), 0, 0, redEnd, 20), 10);
    EXPECT_EQ(surface.Count(RGB(255, 0, 0), redEnd + 2, 0), 0);
    const CCorvLink& link = layout.Links().at(0);
    EXPECT_GT(surface.Count(layout.LinkColor(), link.first.left, link.first.top, link.first.right, link.first.bottom), 5);

    // Hot, the link turns red; the word "Red" keeps its own pixels.
    const int redBefore = surface.Count(RGB(255, 0, 0), 0, 0, redEnd, 20);
    layout.TrackMouse(link.first.left + 2, link.first.top + 5, Face, canvas);
    EXPECT_GT(surface.Count(layout.HotLinkColor(), link.first.left, link.first.top, link.first.right, link.first.bottom), 5);
    EXPECT_EQ(surface.Count(layout.LinkColor(), link.first.left, link.first.top, link.first.right, link.first.bottom), 0);
    EXPECT_EQ(surface.Count(RGB(255, 0, 0), 0, 0, redEnd, 20), redBefore);
}
