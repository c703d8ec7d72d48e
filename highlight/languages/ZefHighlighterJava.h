// The Java highlighter: documentation comments, strings, numbers, operators and keywords.
#pragma once

#include "ZefCodeHighlighter.h"

// Range values: 1 rsComment ("/*" ... "*/"), 2 rsDocument ("/**" ... "*/"), 3 rsNormal (the initial state).
// "/**/" is a closed ordinary comment; the closing "*/" is searched from after the opener. Strings and
// character literals end at their quote or the line end, a backslash taking the next character (none at
// the line end). Words start with a letter, "_", "$" or a Latin-1 letter. A number's "+" or "-" belongs to
// it only after a decimal exponent and before a digit. "@" and "#" are invalid symbols. 53 keywords,
// case-sensitive, in 173 buckets.
class TZefJavaSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkDocument = tkFirstOwnKind, tkInvalid };
    enum TRangeState : TZefRangeState { rsComment = 1, rsDocument = 2, rsNormal = 3 };
    static constexpr int kBucketCount = 173;

    TZefJavaSyn();

    TZefHighlighterAttributes *DocumentAttri, *InvalidAttri;
};
