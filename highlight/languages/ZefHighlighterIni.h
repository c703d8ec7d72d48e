// The INI file highlighter: sections, keys, values, comments; the first column decides what a line is.
#pragma once

#include "ZefTableHighlighter.h"

// No line-spanning state: every line starts and ends in range 0. In the first column ";" opens a comment,
// "[" a section (through "]" or the line end) and any other character but blanks, quotes and "=" a key that
// runs up to "=". Elsewhere ";" and "[" are text, a digit starts a number (text once a letter follows), and
// quotes start strings that end at the same quote or the line end (''' opens like ').
class TZefIniSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int { tkComment, tkText, tkSection, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown };

    TZefIniSyn();


    TZefHighlighterAttributes *CommentAttri, *TextAttri, *SectionAttri, *KeyAttri, *NumberAttri, *SpaceAttri,
        *StringAttri, *SymbolAttri;
};
