// The Visual Basic highlighter, and the VBScript one that differs from it only in its keywords.
#pragma once

#include "ZefCodeHighlighter.h"

#include <string_view>

// No line-spanning state (range 0). "'" and the word rem (any case, followed by a non-identifier character
// or the line end) comment out the rest of the line. A double quote starts a string and "#" a date literal
// (drawn as a string), each through its closing character on the same line or to the line end; a "#" that
// no other "#" follows on its line is a symbol (file numbers: Print #1, x). Numbers are digits with ".", "e"
// and "E". 213 keywords, ignoring case (134 buckets).
class TZefVBSyn : public TZefCodeHighlighter {
public:
    TZefVBSyn();

    const char* ClassName() const override { return "TZefVBSyn"; }
    std::string GetLanguageName() const override { return "Visual Basic"; }

protected:
    TZefVBSyn(std::string_view keywords, std::string sample, std::string filter);
};

// As Visual Basic, with the 84 VBScript keywords; Rem comments out the rest of the line here as well.
class TZefVBScriptSyn : public TZefVBSyn {
public:
    TZefVBScriptSyn();

    const char* ClassName() const override { return "TZefVBScriptSyn"; }
    std::string GetLanguageName() const override { return "MS VBScript"; }
};
