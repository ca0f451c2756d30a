// Lays out the mark-up text of the rich-text control: wraps it to a width, applies the tags
// (bold, italic, underline, colours, cursor shifts, links, literal mode) and draws it through
// a canvas. Keeps the links it found with their hit rectangles.
#pragma once
#include "CCorvCanvas.h"
#include "CCorvLink.h"
#include "CString.h"
#include "WinTypes.h"

#include <vector>

class CCorvLayout {
public:
    CCorvLayout() = default;

    void SetMargins(int left, int top) { m_leftMargin = left; m_topMargin = top; }
    int LeftMargin() const { return m_leftMargin; }
    int TopMargin() const { return m_topMargin; }
    void SetLineHeight(int height) { m_lineHeight = height; }
    int LineHeight() const { return m_lineHeight; }
    void SetTextColor(COLORREF colour) { m_textColour = colour; }
    COLORREF TextColor() const { return m_textColour; }
    COLORREF LinkColor() const { return m_linkColour; }
    COLORREF HotLinkColor() const { return m_hotLinkColour; }

    // One layout pass over the whole text. Starts afresh every time: plain style, the
    // control's text colour, literal mode off, no links. Draws only when draw is set.
    void Layout(const CString& text, int wrapWidth, int windowHeight, CCorvCanvas& canvas, bool draw);

    // Widest line end (margin included) and the text height used for the scroll range.
    int TextWidth() const { return m_textWidth; }
    int TextHeight() const { return m_textHeight; }
    // Height down to the bottom of the last line, margin included: what a buffer must hold.
    int ContentHeight() const { return m_penY + m_lineHeight + m_topMargin; }
    DWORD Style() const { return m_style; }

    std::vector<CCorvLink>& Links() { return m_links; }
    const std::vector<CCorvLink>& Links() const { return m_links; }
    // Index of the link under the point (layout coordinates), -1 when none.
    int LinkAt(int x, int y) const;
    // Redraws a link's text in the hot or the normal link colour, over the background.
    void DrawLink(size_t index, bool hot, COLORREF background, CCorvCanvas& canvas) const;
    // Marks the link under the point hot and the others normal, redrawing those that change.
    // Returns true when the point is over a link; changed tells whether any link was redrawn.
    bool TrackMouse(int x, int y, COLORREF background, CCorvCanvas& canvas, bool* changed = nullptr);

    // "<COLOR r,g,b>": true with the colour when the tag is well formed.
    static bool ParseColorTag(const CString& tag, COLORREF& colour);

private:
    void HandleTag(const CString& tag, const CString& text, int tagStart);
    void PlaceToken(CString token, const CString& text, int pos, int wrapWidth, CCorvCanvas& canvas, bool draw);
    bool NextWordIsLineBreak(const CString& text, int pos) const;
    void OpenLink(CCorvLink::Type type, const CString& tag, int prefixLength, int start);
    void CompleteLink(const CString& text, int tagStart);
    CCorvLink* OpenedLink();

    int m_leftMargin = 4;
    int m_topMargin = 2;
    int m_lineHeight = 14;
    COLORREF m_textColour = 0;
    COLORREF m_linkColour = 0xFF0000;
    COLORREF m_hotLinkColour = 0x0000FF;

    int m_penX = 0;
    int m_penY = 0;
    int m_textWidth = 0;
    int m_textHeight = 0;
    DWORD m_style = 0;
    COLORREF m_colour = 0;
    bool m_literal = false;
    size_t m_completed = 0;
    std::vector<CCorvLink> m_links;
};
