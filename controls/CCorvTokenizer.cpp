#include "CCorvTokenizer.h"

#include <algorithm>

CString CCorvTokenizer::NextToken(const CString& text, int& pos)
{
    const int length = text.GetLength();
    if (pos < 0)
        pos = 0;
    if (pos >= length) {
        pos = length;
        return "<END>";
    }
    // A delimiter that is not there counts as the end of the text, whatever its length.
    auto orEnd = [length](int found) { return found < 0 ? length : found; };
    const int blank = orEnd(text.Find(' ', pos));
    const int lineBreak = orEnd(text.Find("\r\n", pos));
    const int open = orEnd(text.Find('<', pos));
    const int nearest = std::min({blank, lineBreak, open});

    CString token;
    if (nearest == length) {
        token = text.Mid(pos);
        pos = length;
    } else if (nearest == open) {
        if (open == pos) {
            const int close = text.Find('>', pos);
            int end;  // exclusive
            if (close >= 0)
                end = close + 1;
            else if (blank < lineBreak)
                end = blank + 1;
            else
                end = lineBreak;  // the line break stays a token of its own
            token = text.Mid(pos, end - pos);
            pos = end;
        } else {
            token = text.Mid(pos, open - pos);
            pos = open;
        }
    } else if (nearest == lineBreak) {
        if (lineBreak == pos) {
            token = "\r\n";
            pos += 2;
        } else {
            token = text.Mid(pos, lineBreak - pos);
            pos = lineBreak;
        }
    } else {
        token = text.Mid(pos, blank - pos + 1);
        pos = blank + 1;
    }
    return token;
}

bool CCorvTokenizer::IsTag(const CString& token)
{
    return token.GetLength() >= 2 && token[0] == '<' && token.Find('>') == token.GetLength() - 1;
}
