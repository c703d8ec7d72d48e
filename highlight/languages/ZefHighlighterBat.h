// The MS-DOS batch file highlighter: commands, labels, variables and comments.
#pragma once

#include "ZefTableHighlighter.h"

// No line-spanning state (range 0 throughout). "::" and the word rem (any case, followed by a character at
// or below space or the line end) comment out the rest of the line; ":" starts a label; "%" starts a
// variable: %name%, %1, %%i and the modifier forms %~dp0 and %%~nxi. 21 keywords, ignoring case (131
// buckets, letters 1..26, "_" 31, digits 0). Characters without a rule are drawn as identifiers.
class TZefBatSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int { tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkUnknown, tkVariable };

    TZefBatSyn();


    TZefHighlighterAttributes *CommentAttri, *IdentifierAttri, *KeyAttri, *NumberAttri, *SpaceAttri, *VariableAttri;
};
