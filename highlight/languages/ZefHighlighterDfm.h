// The Borland form file highlighter (.dfm, .xfm in text form): objects, properties and values.
#pragma once

#include "ZefCodeHighlighter.h"

// Range values: 0 rsUnknown (outside comments, the initial state), 1 rsComment (inside "{" ... "}", which may
// span lines). The words end, object and inherited, in any letter case, are keys (attribute "Key"). Strings
// in single quotes end at their quote or the line end; "#" with digits is a string (a character code); "$"
// with hexadecimal digits a number.
class TZefDfmSyn : public TZefCodeHighlighter {
public:
    enum TRangeState : TZefRangeState { rsUnknown = 0, rsComment = 1 };

    TZefDfmSyn();

};
