// The Fortran highlighter: keywords, "!" comments and whole-line comments from the first column.
#pragma once

#include "ZefCodeHighlighter.h"

// No line-spanning state (range 0). "!" comments out the rest of the line; "C", "c" or "*" in the first
// column make the whole line a comment. Strings in single or double quotes end at their quote or the line
// end. 50 keywords, ignoring case (146 buckets).
class TZefFortranSyn : public TZefCodeHighlighter {
public:
    TZefFortranSyn();

};
