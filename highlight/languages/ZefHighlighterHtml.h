// The HTML highlighter: text, tags with attribute names and values, comments and character entities.
#pragma once

#include "ZefKeywordBuckets.h"
#include "ZefScanHighlighter.h"

#include <array>
#include <string>
#include <string_view>

// Range values (the ordinal is what the line store keeps; 5 is not used):
//   0 rsAmpersand         an entity starts at the run position; set and consumed within one line
//   1 rsComment           inside "<!--" ... "-->"
//   2 rsKey               just after "<": the next word is the tag name
//   3 rsParam             inside a tag after its name: attribute names
//   4 rsText              outside any tag (the initial state)
//   6 rsValue             just after "=" inside a tag
//   7 rsQuoteValue        inside a value quoted with '
//   8 rsDoubleQuoteValue  inside a value quoted with "
// Tag names are matched ignoring case by bucket (244 buckets); entity names with exact case. A NUL byte is an
// ordinary character: the line ends at its length only.
class TZefHTMLSyn : public TZefScanHighlighter {
public:
    enum TTokenKind : int {
        tkAmpersand,
        tkComment,
        tkIdentifier,
        tkKey,
        tkNull,
        tkSpace,
        tkSymbol,
        tkText,
        tkUndefKey,
        tkValue,
    };
    enum TRangeState : TZefRangeState {
        rsAmpersand = 0,
        rsComment = 1,
        rsKey = 2,
        rsParam = 3,
        rsText = 4,
        rsValue = 6,
        rsQuoteValue = 7,
        rsDoubleQuoteValue = 8,
    };

    static constexpr int kBucketCount = 244;

    TZefHTMLSyn();

    const char* ClassName() const override { return "TZefHTMLSyn"; }
    std::string GetLanguageName() const override { return "HTML"; }
    TZefCharSet GetIdentChars() const override { return zefchars::StandardIdentChars(); }
    TZefHighlighterAttributes* GetDefaultAttribute(int index) const override;
    std::string GetSampleSource() const override;
    bool IsKeyword(std::string_view word) const override { return tagNames_.KindOf(word) == tkKey; }
    void SetLine(std::string_view line, int lineIndex) override;
    // The end state without tokens: the same state machine, skipping what cannot change the state (text up
    // to "<", comments up to "-->", quoted values up to their quote) with plain searches.
    void ScanLineRange(std::string_view line, int lineIndex) override;
    // A value that cannot start a line (rsAmpersand, 5, anything outside the enumeration, -1) reads as rsText.
    void SetRange(TZefRangeState value) override;

    // The tag-name lookup of the word at the start of `text`: its kind and length (0 for an empty word).
    int TagNameKind(std::string_view text, size_t* length) const;
    // The length of the tag name at the start of `text`: letters, "!" and "/", then digits.
    static size_t TagNameLength(std::string_view text);
    // The index of the entity ("&name;", exact case) at the start of `text`, or -1.
    static int EntityAt(std::string_view text);
    static std::string_view KindName(int kind);
    std::string_view TokenKindName(int kind) const override { return KindName(kind); }

    TZefHighlighterAttributes* AndAttri;
    TZefHighlighterAttributes* CommentAttri;
    TZefHighlighterAttributes* IdentifierAttri;
    TZefHighlighterAttributes* KeyAttri;
    TZefHighlighterAttributes* SpaceAttri;
    TZefHighlighterAttributes* SymbolAttri;
    TZefHighlighterAttributes* TextAttri;
    TZefHighlighterAttributes* UndefKeyAttri;
    TZefHighlighterAttributes* ValueAttri;

protected:
    void ScanToken() override;

private:
    using THandler = void (TZefHTMLSyn::*)();

    // The scanner's own state changes, rsAmpersand included (SetRange refuses it from outside).
    void Enter(TRangeState state) { TZefScanHighlighter::SetRange(state); }

    void CommentScan();
    void TextScan();
    void QuotedValueScan();
    void SpaceProc();
    void LineFeedProc();
    void CarriageReturnProc();
    void QuoteProc();
    void AmpersandProc();
    void TagOpenProc();
    void EqualsProc();
    void TagCloseProc();
    void WordProc();
    // Skips "&#" and the digits after it (hexadecimal after "x" / "X"); the cursor stands on "&".
    void SkipNumericReference();

    std::array<THandler, 256> handlers_{};
    TZefBucketKeywords tagNames_;
    int entityIndex_ = -1;
};
