// The KiXtart script highlighter: commands and functions, $variables, @macros and comments.
#pragma once

#include "ZefCodeHighlighter.h"

// No line-spanning state (range 0). ";" comments out the rest of the line; strings in double or single
// quotes end at their quote or the line end; "$" with letters, digits and "_" is a variable; "@" with
// letters and digits a macro (Miscellaneous); "#" with digits a string; "?" a keyword. 169 keywords, ignoring
// case (274 buckets), compared by their characters: COOKIE1 is a keyword, COOKIE2 is not.
class TZefKixSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkMiscellaneous = tkFirstOwnKind, tkVariable };

    TZefKixSyn();


    TZefHighlighterAttributes *MiscellaneousAttri, *VariableAttri;
};
