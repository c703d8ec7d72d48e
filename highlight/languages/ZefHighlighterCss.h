// The Cascading Style Sheet highlighter: selectors, declaration blocks with known and unknown property
// names, values, colours, numbers, strings and comments.
#pragma once

#include "ZefTableHighlighter.h"

#include <cstdint>
#include <string_view>

// Range values: 3 rsSelector (the initial state) outside a declaration block; 2 rsDeclaration just after
// "{" and 4 rsPropertyName after ";", where property names are expected; 5 rsValue after ":" or ",". A
// comment ("/*" ... "*/", across lines) returns to the state it began in, which its range keeps: 0 from a
// selector, 6 from rsDeclaration, 7 from rsPropertyName, 8 from a value. Property names are the 122 of CSS
// level 2, matched ignoring case.
class TZefCssSyn : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkComment, tkProperty, tkKey, tkUndefProperty, tkSpace, tkColor, tkNumber, tkString, tkSymbol, tkText,
        tkValue, tkNull,
    };
    enum TRangeState : TZefRangeState {
        rsComment = 0, rsDeclaration = 2, rsSelector = 3, rsPropertyName = 4, rsValue = 5,
        rsCommentInDeclaration = 6, rsCommentInPropertyName = 7, rsCommentInValue = 8,
    };

    TZefCssSyn();

    // Known property names.
    bool IsKeyword(std::string_view word) const override;
    // A line's end state without its tokens (ZefHighlighterCssRanges.cpp).
    void ScanLineRange(std::string_view line, int lineIndex) override;
    void Next() override;

    static uint32_t PropertyHash(std::string_view word);
    // How many names the property list holds.
    static int PropertyCount();

    TZefHighlighterAttributes *CommentAttri, *PropertyAttri, *KeyAttri, *UndefPropertyAttri, *SpaceAttri,
        *ColorAttri, *NumberAttri, *StringAttri, *SymbolAttri, *TextAttri, *ValueAttri;

protected:
    void ScanToken() override;

private:
    void Symbol(TRangeState next);
    // Strings and the symbols of a declaration block, alike in property names and values: true when taken.
    bool BlockToken();
    void SelectorToken();
    void DeclarationToken();
    void ValueToken();
};
