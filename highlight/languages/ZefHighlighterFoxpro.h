// The Foxpro highlighter: commands, functions and their abbreviations, comments, strings and date literals.
#pragma once

#include "ZefCodeHighlighter.h"

// No line-spanning state (range 0); no attribute has a style. "&&" comments out the rest of the line, and so
// does a "*" with nothing but blanks before it. Strings in double or single quotes and "{...}" date literals
// (drawn as strings) end at their closing character or the line end. "@" is drawn as a keyword. 256
// keywords, ignoring case (161 buckets).
class TZefFoxproSyn : public TZefCodeHighlighter {
public:
    TZefFoxproSyn();

};
