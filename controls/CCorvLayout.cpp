#include "CCorvLayout.h"

#include "CCorvTokenizer.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool StartsWith(const CString& s, const char* prefix)
{
    return s.Find(prefix) == 0;
}

// A decimal number of at most nine digits, blanks around it allowed.
bool ParseDecimal(CString part, long& value)
{
    part.Trim();
    if (part.IsEmpty() || part.GetLength() > 9)
        return false;
    for (int i = 0; i < part.GetLength(); ++i)
        if (part[i] < '0' || part[i] > '9')
            return false;
    value = std::strtol(part, nullptr, 10);
    return true;
}

}  // namespace

void CCorvLayout::Layout(const CString& text, int wrapWidth, int windowHeight, CCorvCanvas& canvas, bool draw)
{
    m_links.clear();
    m_completed = 0;
    m_style = 0;
    m_literal = false;
    m_colour = m_textColour;
    m_penX = m_leftMargin;
    m_penY = m_topMargin;
    m_textWidth = 0;
    m_textHeight = 0;

    int pos = 0;
    for (;;) {
        const int tokenStart = pos;
        CString token = CCorvTokenizer::NextToken(text, pos);
        if (token == "<END>")
            break;
        if (m_penX == m_leftMargin && token != "\r\n")
            token.TrimLeft(' ');
        if (CCorvTokenizer::IsTag(token)) {
            if (!m_literal) {
                HandleTag(token, text, tokenStart);
                continue;
            }
            if (token == "<IGNORE>")
                continue;
            if (token == "</IGNORE>") {
                m_literal = false;
                continue;
            }
        }
        PlaceToken(token, text, pos, wrapWidth, canvas, draw);
    }

    m_textHeight = m_penY + m_topMargin;
    if (m_textHeight + m_lineHeight >= windowHeight)
        m_textHeight += m_lineHeight;
}

void CCorvLayout::PlaceToken(CString token, const CString& text, int pos, int wrapWidth, CCorvCanvas& canvas, bool draw)
{
    CString trimmed(token);
    trimmed.TrimRight(' ');
    const int width = canvas.TextWidth(trimmed, m_style);
    if (token != "\r\n" && m_penX + width <= wrapWidth) {
        if (NextWordIsLineBreak(text, pos))
            token = trimmed;
    } else {
        m_penX = m_leftMargin;
        m_penY += m_lineHeight;
        if (token == "\r\n")
            token.Empty();
        else
            token.TrimLeft(' ');
    }
    if (token.IsEmpty())
        return;
    const int tokenWidth = canvas.TextWidth(token, m_style);
    m_textWidth = std::max(m_textWidth, m_penX + tokenWidth);
    if (draw)
        canvas.DrawText(m_penX, m_penY, token, m_style, m_colour);
    if (CCorvLink* link = OpenedLink())
        link->fragments.push_back({m_penX, m_penY, tokenWidth, token, m_style});
    m_penX += tokenWidth;
}

bool CCorvLayout::NextWordIsLineBreak(const CString& text, int pos) const
{
    for (;;) {
        const CString token = CCorvTokenizer::NextToken(text, pos);
        if (token == "<END>")
            return false;
        if (CCorvTokenizer::IsTag(token) && (!m_literal || token == "<IGNORE>" || token == "</IGNORE>"))
            continue;
        return token == "\r\n";
    }
}

void CCorvLayout::HandleTag(const CString& tag, const CString& text, int tagStart)
{
    if (tag == "<B>")
        m_style |= CCorvCanvas::StyleBold;
    else if (tag == "</B>")
        m_style -= CCorvCanvas::StyleBold;
    else if (tag == "<I>")
        m_style |= CCorvCanvas::StyleItalic;
    else if (tag == "</I>")
        m_style -= CCorvCanvas::StyleItalic;
    else if (tag == "<U>")
        m_style |= CCorvCanvas::StyleUnderline;
    else if (tag == "</U>")
        m_style -= CCorvCanvas::StyleUnderline;
    else if (tag == "</COLOR>")
        m_colour = m_textColour;
    else if (StartsWith(tag, "<COLOR ")) {
        COLORREF colour;
        if (ParseColorTag(tag, colour))
            m_colour = colour;
    } else if (StartsWith(tag, "<CURSOR_SHIFT ")) {
        long shift;
        if (ParseDecimal(tag.Mid(14, tag.GetLength() - 15), shift))
            m_penX += static_cast<int>(shift);
    } else if (tag == "</LINK>" || tag == "</INT_LINK>")
        CompleteLink(text, tagStart);
    else if (StartsWith(tag, "<LINK"))
        OpenLink(CCorvLink::External, tag, 5, tagStart + tag.GetLength());
    else if (StartsWith(tag, "<INT_LINK"))
        OpenLink(CCorvLink::Internal, tag, 9, tagStart + tag.GetLength());
    else if (tag == "<IGNORE>")
        m_literal = true;
    else if (tag == "</IGNORE>")
        m_literal = false;
}

void CCorvLayout::OpenLink(CCorvLink::Type type, const CString& tag, int prefixLength, int start)
{
    CCorvLink link;
    link.type = type;
    link.start = start;
    link.x = m_penX;
    link.y = m_penY;
    link.target = tag.Mid(prefixLength, tag.GetLength() - prefixLength - 1);
    link.target.TrimLeft(' ');
    m_links.push_back(link);
    m_colour = m_linkColour;
}

CCorvLink* CCorvLayout::OpenedLink()
{
    return m_completed < m_links.size() ? &m_links[m_completed] : nullptr;
}

void CCorvLayout::CompleteLink(const CString& text, int tagStart)
{
    CCorvLink* link = OpenedLink();
    if (!link)
        return;  // a closing tag without an open link changes nothing
    link->text = text.Mid(link->start, tagStart - link->start);
    if (m_penY == link->y) {
        link->first = {link->x, link->y, m_penX, m_penY + m_lineHeight};
        link->second = CControlRect();
    } else {
        int lineEnd = link->x;
        for (const CCorvLink::Fragment& f : link->fragments)
            if (f.y == link->y)
                lineEnd = std::max(lineEnd, f.x + f.width);
        link->first = {link->x, link->y, lineEnd, link->y + m_lineHeight};
        link->second = {m_leftMargin, link->y + m_lineHeight, m_penX, m_penY + m_lineHeight};
    }
    link->complete = true;
    ++m_completed;
    m_colour = m_textColour;
}

int CCorvLayout::LinkAt(int x, int y) const
{
    for (size_t i = 0; i < m_links.size(); ++i)
        if (m_links[i].HitTest(x, y))
            return static_cast<int>(i);
    return -1;
}

void CCorvLayout::DrawLink(size_t index, bool hot, COLORREF background, CCorvCanvas& canvas) const
{
    if (index >= m_links.size())
        return;
    const COLORREF colour = hot ? m_hotLinkColour : m_linkColour;
    for (const CCorvLink::Fragment& f : m_links[index].fragments) {
        canvas.FillRect({f.x, f.y, f.x + f.width, f.y + m_lineHeight}, background);
        canvas.DrawText(f.x, f.y, f.text, f.style | CCorvCanvas::StyleUnderline, colour);
    }
}

bool CCorvLayout::TrackMouse(int x, int y, COLORREF background, CCorvCanvas& canvas, bool* changed)
{
    if (changed)
        *changed = false;
    const int over = LinkAt(x, y);
    for (size_t i = 0; i < m_links.size(); ++i) {
        CCorvLink& link = m_links[i];
        const bool hit = static_cast<int>(i) == over;
        if (hit != link.hot) {
            DrawLink(i, hit, background, canvas);
            link.hot = hit;
            if (changed)
                *changed = true;
        }
    }
    return over >= 0;
}

bool CCorvLayout::ParseColorTag(const CString& tag, COLORREF& colour)
{
    if (!StartsWith(tag, "<COLOR ") || !CCorvTokenizer::IsTag(tag))
        return false;
    const CString body = tag.Mid(7, tag.GetLength() - 8);
    const int comma1 = body.Find(',');
    const int comma2 = comma1 < 0 ? -1 : body.Find(',', comma1 + 1);
    if (comma2 < 0 || body.Find(',', comma2 + 1) >= 0)
        return false;
    long r, g, b;
    if (!ParseDecimal(body.Left(comma1), r) || !ParseDecimal(body.Mid(comma1 + 1, comma2 - comma1 - 1), g)
        || !ParseDecimal(body.Mid(comma2 + 1), b))
        return false;
    colour = static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
    return true;
}
