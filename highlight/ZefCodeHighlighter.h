// The attribute set most programming languages share (comment, identifier, keyword, number, space, string,
// symbol) with its token kinds, on the table kit.
#pragma once

#include "ZefTableHighlighter.h"

#include <string_view>

// A language built on it declares its rules and keywords and may add kinds from tkFirstOwnKind on. Unknown
// characters are drawn as identifiers. Default attributes: comment, identifier, keyword, string, space, symbol.
class TZefCodeHighlighter : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown, tkFirstOwnKind
    };

    TZefHighlighterAttributes *CommentAttri, *IdentifierAttri, *KeyAttri, *NumberAttri, *SpaceAttri, *StringAttri,
        *SymbolAttri;

protected:
    // How the language names and styles its attributes.
    struct TLook {
        const char* keyName = "Reserved Word";
        TFontStyles commentStyle = fsItalic;
        TFontStyles keyStyle = fsBold;
    };
    explicit TZefCodeHighlighter(const TLook& look, TZefRangeState initialRange = 0);

    // Blanks, words from a letter or "_", numbers from a digit over `numberBody`, and one-character symbols.
    void AddCommonRules(const TZefCharSet& numberBody, const TZefCharSet& symbols);
};
