// The PHP highlighter: variables, strings with variables inside, comments and keywords.
#pragma once

#include "ZefCodeHighlighter.h"

// Range values: 0 rsNormal (the initial state), 1 rsSingleString, 2 rsDoubleString (a string goes on to the
// next line as a new String token), 3 rsComment ("/*" ... "*/"), and 4 rsStringVariable, which never
// outlives its line: in a double-quoted string an unescaped "$" before "{" or a word character ends the
// String token (before a "{" right in front of the "$") and the variable follows as its own token: "{$...}"
// or "${...}" through the matching "}" on the line; otherwise "$" and a name, extended over complete
// "[name]" and "['text']" indexes and "->name" accesses on the line. No variable runs past a double quote.
// A string closes at its quote unless an odd number of backslashes stands before it. "#" and "//" comment
// out the rest of the line. 61 keywords, ignoring case, in 207 buckets.
class TZefPHPSyn : public TZefCodeHighlighter {
public:
    enum TOwnKind : int { tkVariable = tkFirstOwnKind };
    enum TRangeState : TZefRangeState {
        rsNormal = 0, rsSingleString = 1, rsDoubleString = 2, rsComment = 3, rsStringVariable = 4,
    };
    static constexpr int kBucketCount = 207;

    TZefPHPSyn();

    TZefHighlighterAttributes* VariableAttri;

protected:
    void ScanToken() override;
    bool ScanInRange(TZefRangeState range) override;

private:
    void StringToken(char quote);
    void StringVariableToken();
    // Moves over one complete index or property access after a variable's name; false when none stands there.
    bool SkipVariableSuffix();
};
