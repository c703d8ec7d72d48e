// The JavaScript highlighter: reserved words, browser object model names and event names, comments, strings.
#pragma once

#include "ZefCodeHighlighter.h"

// Range values: 0 (the initial state) and 1 rsComment, inside "/*" ... "*/". Strings in double or single
// quotes end at the same quote or the line end, a backslash taking the next character ("C:\\" closes).
// Words start with a letter, "_" or "$"; numbers are C-like (0x1F, 1.5e-3, .5); operators take their
// longest form. Three keyword groups, case-sensitive, in 253 buckets.
class TZefJScriptSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkNonReservedKey = tkFirstOwnKind, tkEvent };
    enum TRangeState : TZefRangeState { rsNormal = 0, rsComment = 1 };
    static constexpr int kBucketCount = 253;

    TZefJScriptSyn();

    TZefHighlighterAttributes *NonReservedKeyAttri, *EventAttri;
};
