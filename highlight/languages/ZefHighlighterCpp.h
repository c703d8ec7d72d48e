// The C++ highlighter: preprocessor lines, number classes, asm statements and blocks, comments and strings.
#pragma once

#include "ZefKeywordBuckets.h"
#include "ZefTableHighlighter.h"

#include <array>

// Range values (the ordinal is what the line store keeps; 6, 8 and 9 are not used):
//   0 rsNormal            ordinary code (the initial state)
//   1 rsComment           inside "/*" ... "*/"
//   2 rsAsmComment        a block comment opened in an asm statement
//   3 rsAsmBlockComment   a block comment opened in an asm block
//   4 rsAsm               an asm statement, up to ";" (or its line end, below)
//   5 rsAsmBlock          an asm block, up to "}"
//   7 rsDirectiveComment  a block comment that began inside a preprocessor line
//  10 rsMultiLineString   a string continued with a backslash at the line end
//  11 rsMultiLineDirective a preprocessor line continued with a backslash at the line end
//
// A block comment's closing "*/" is searched from after its "/*", so "/*/" stays open. An asm statement
// that has no ";" ends with its line, unless the asm keyword is the line's last token (asm on one line, "{"
// on the next). A line ending in a backslash continues a string or preprocessor line; an empty line, which
// has no backslash, ends it. The code of an asm statement or block is reported as tkAsm (GetTokenKind and
// GetTokenAttribute), the asm keyword and the "{", ";" or "}" that open and close it keeping their own kinds.
// 114 keywords, case-sensitive, in 207 buckets.
class TZefCppSyn final : public TZefTableHighlighter {
public:
    enum TTokenKind : int {
        tkAsm, tkComment, tkDirective, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
        tkUnknown, tkChar, tkFloat, tkHex, tkOctal,
    };
    enum TRangeState : TZefRangeState {
        rsNormal = 0, rsComment = 1, rsAsmComment = 2, rsAsmBlockComment = 3, rsAsm = 4, rsAsmBlock = 5,
        rsDirectiveComment = 7, rsMultiLineString = 10, rsMultiLineDirective = 11,
    };
    static constexpr int kBucketCount = 207;

    TZefCppSyn();

    TZefHighlighterCapabilities GetCapabilities() const override { return hcUserSettings | hcRegistry; }
    int GetTokenKind() const override;
    TZefHighlighterAttributes* GetTokenAttribute() const override;
    void SetLine(std::string_view line, int lineIndex) override;
    // Tokens of ordinary code are scanned without the protocol's round trip through its guards.
    void Next() override;
    // Ordinary code, block comments and continued strings are passed by their state-changing bytes alone;
    // a line with a preprocessor directive or an asm keyword, or one that starts in an asm or directive
    // state, goes through the token loop.
    void ScanLineRange(std::string_view line, int lineIndex) override;

    TZefHighlighterAttributes *AsmAttri, *CommentAttri, *IdentifierAttri, *InvalidAttri, *KeyAttri, *NumberAttri,
        *CharAttri, *FloatAttri, *HexAttri, *OctalAttri, *SpaceAttri, *StringAttri, *SymbolAttri, *DirecAttri;

protected:
    void ScanToken() override;
    void ScanLineEnd() override;

private:
    void BlockComment(bool opening);
    void Directive();
    void StringToken(bool opening);
    void CharToken();
    void NumberToken();
    void WordToken();
    void SymbolToken();
    void AsmBrace(unsigned char c);
    // The end state of `line` from the current range without its tokens, or false where only the token
    // loop can tell (ZefHighlighterCppRanges.cpp).
    bool QuickLineRange(std::string_view line, TZefRangeState* end) const;

    const TZefBucketKeywords* keywords_ = nullptr;
    std::array<TZefHighlighterAttributes*, tkOctal + 1> attributes_{};
    bool asmStart_ = false;     // the current token opened an asm statement or block
    bool asmKeywordLast_ = false; // no token but blanks and comments since the asm keyword on this line
    size_t commentOpener_ = std::string_view::npos; // where a directive stopped before "/*"
};
