// Splits the mark-up text of the rich-text control into tokens: tags, words with their
// trailing blank, line breaks ("\r\n") and the "<END>" that marks the end of the text.
#pragma once
#include "CString.h"

class CCorvTokenizer {
public:
    // The token at pos; pos moves behind it. At or behind the end of the text "<END>".
    static CString NextToken(const CString& text, int& pos);
    // A token is a tag when it begins with "<" and its first ">" is its last character.
    static bool IsTag(const CString& token);
};
