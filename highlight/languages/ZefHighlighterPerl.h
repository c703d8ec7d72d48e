// The Perl highlighter: built-in functions, word operators, pragmas and special variables.
#pragma once

#include "ZefCodeHighlighter.h"

// No line-spanning state (range 0): strings and comments end with their line. "#" comments out the rest of
// the line; double-quoted strings take backslash escapes, single-quoted ones none. A "$" before a
// punctuation character, digit or "_" is a two-character variable ($_, $!, $0), "$^" and a letter of
// ADFILPTWX a three-character one; any other word runs over "$", "%", "@", letters, digits and "_" and is
// looked up in four keyword groups (case-sensitive, 2168 buckets by the sum of the character codes). A
// number's "+" or "-" belongs to it only after a decimal exponent and before a digit; "." starts a number
// only before a digit. "x" and "%" at the line end are symbols. The backquote and 127..255 are illegal.
class TZefPerlSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkOperator = tkFirstOwnKind, tkPragma, tkVariable };
    static constexpr int kBucketCount = 2168;

    TZefPerlSyn();

    TZefHighlighterAttributes *InvalidAttri, *OperatorAttri, *PragmaAttri, *VariableAttri;

private:
    int WordOrVariable(TZefScanCursor& cursor) const;
};
