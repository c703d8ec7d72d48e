// The kit the simple languages are built with: a language is its kinds, attributes, keyword groups and a
// rule table; the token loop, range handling and the checks' listings come from here.
#pragma once

#include "ZefFoldedWord.h"
#include "ZefKeywordLookup.h"
#include "ZefScanHighlighter.h"
#include "ZefScanRules.h"

#include <array>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A language's constructor declares, in this order: its names (SetNames); its attributes with AddAttribute; each token kind with
// DeclareKind (its dump name and attribute); its default attributes; its identifier characters; its keyword
// groups (SetKeywords, then Keywords().AddGroup); its rules (Rules()); any range states beyond the initial
// one and the block comments' (DeclareRange); then FinishConstruction, which records the colours as
// defaults, resets the range and sets the filter.
//
// Range values: the initial state is `initialRange`; each block comment has its own; a language with
// states of its own declares them and scans them in ScanInRange. SetRange with any other value (a line
// never scanned holds -1; a stale value) starts from the initial state. No rule gives an empty token.
class TZefTableHighlighter : public TZefScanHighlighter {
public:
    const char* ClassName() const override { return className_; }
    std::string GetLanguageName() const override { return languageName_; }
    TZefHighlighterAttributes* GetDefaultAttribute(int index) const override;
    TZefCharSet GetIdentChars() const override { return identChars_; }
    std::string GetSampleSource() const override { return sampleSource_; }
    bool IsKeyword(std::string_view word) const override;
    void SetRange(TZefRangeState value) override;
    void SetLine(std::string_view line, int lineIndex) override;
    // A language without line-spanning states ends every line in the state it started in.
    void ScanLineRange(std::string_view line, int lineIndex) override;
    // For a language scanned by its rules alone, the tokens of the initial state are taken here without the
    // scan guards' round trip; everything else through ScanToken.
    void Next() override;

    std::string_view TokenKindName(int kind) const override;
    std::vector<int> TokenKinds() const override;
    std::vector<TZefRangeState> RangeStates() const override { return ranges_; }
    int UnknownKind() const { return unknownKind_; }
    int IdentifierKind() const { return identifierKind_; }

protected:
    // The class name and the language name the highlighter answers.
    void SetNames(const char* className, std::string languageName)
    {
        className_ = className;
        languageName_ = std::move(languageName);
    }
    // nullKind: the end-of-line kind; unknownKind: characters no rule takes (and NUL); identifierKind: words
    // that are no keyword.
    TZefTableHighlighter(int nullKind, int unknownKind, int identifierKind, TZefRangeState initialRange = 0);

    // One attribute as the constructor makes it: where its pointer goes, its display name, colour and style.
    struct TAttributeRow {
        TZefHighlighterAttributes** field;
        const char* name;
        TColor foreground = clNone;
        TFontStyles style = 0;
    };
    void AddAttributes(std::initializer_list<TAttributeRow> attributes);
    // One token kind: its value, its name in token dumps and the attribute it is drawn with.
    struct TKindRow {
        int kind;
        const char* name;
        TZefHighlighterAttributes* attribute;
    };
    void DeclareKinds(std::initializer_list<TKindRow> kinds);
    void DeclareKind(int kind, std::string_view name, TZefHighlighterAttributes* attribute);
    // comment, identifier, keyword, string, white space, symbol (nullptr where the language has none).
    void SetDefaultAttributes(const std::array<TZefHighlighterAttributes*, 6>& attributes) { defaults_ = attributes; }
    void SetIdentChars(const TZefCharSet& chars)
    {
        identChars_ = chars;
        BuildWordBytes();
    }
    void SetKeywords(std::unique_ptr<TZefKeywordLookup> keywords);
    TZefKeywordLookup* Keywords() const { return keywords_.get(); }
    // The kind of `word` by the keywords, without a virtual call where the lookup's scheme is known.
    int KeywordKindOf(std::string_view word) const
    {
        if (hashEntryKeywords_) return hashEntryKeywords_->TZefHashEntryKeywordLookup::KindOf(word);
        return keywords_ ? keywords_->KindOf(word) : identifierKind_;
    }
    // Keywords of one kind in buckets under the letter hash (letters 1..26 in either case, "_" 31, digits 0),
    // each word compared by its characters ignoring case, so a hash shared by two words never makes them equal.
    void SetLetterKeywords(int bucketCount, std::string_view keywords, int kind);
    TZefScanRules& Rules() { return rules_; }
    void DeclareRange(TZefRangeState range);
    // After the rules changed at run time (a setting of the language): the block comments' ranges are
    // recounted, so a range no rule can reach any more reads as the initial state.
    void RulesChanged();
    void SetSample(std::string sample) { sampleSource_ = std::move(sample); }
    // Whether the language's tokens all come from its rules (ScanInRange and ScanLineEnd aside), or it
    // overrides ScanToken and so every token must go through it.
    enum class TScanBy { Rules, OwnScanToken };
    void FinishConstruction(std::string filter, TScanBy scanBy = TScanBy::OwnScanToken);

    // For a range declared by the language itself (not a block comment's): scan one token there and answer
    // true, or answer false to scan by the rules. The base answers false.
    virtual bool ScanInRange(TZefRangeState range);
    // The scanner's own state change (no check against the declared states).
    void Enter(TZefRangeState range) { TZefScanHighlighter::SetRange(range); }
    TZefRangeState InitialRange() const { return initialRange_; }

    void ScanToken() override;

private:
    // One token in the initial state by the rules: by its first character's one unconditional rule where
    // it has one (see TZefScanRules::FirstStep), else by TryRules. Always takes at least one character.
    void ScanByRules();
    // Next away from the common case: at the line end, or in a state of the language's own.
    [[gnu::noinline]] void NextOutsideRules();
    // The steps of ScanByRules other than runs and words.
    [[gnu::noinline]] void OtherStep(const TZefScanRules::TFirstStep& first);
    // The comment word to the line end, or else a word. Kept out of Next, whose common paths then need no
    // stack frame.
    [[gnu::noinline]] void CommentWordOrWord(const TZefScanRules::TRule& commentWord);
    // A language's own rule tried first: true when it gave a token, else nothing is taken.
    [[gnu::noinline]] bool CustomToken(const TZefScanRules::TFirstStep& first);
    // The rules for a token starting with `c`, in order; an unknown character when none applies.
    void TryRules(unsigned char c, bool atColumn0);
    // Only spaces and tabs stand before the run position.
    bool AtFirstNonBlank() const;
    bool Apply(const TZefScanRules::TRule& rule);
    // A CommentWord rule's word in any letter case at the run position, followed by the line end or one of
    // the rule's followers.
    bool CommentWordHere(const TZefScanRules::TRule& rule) const;
    void UnknownToken();
    void WordToken();
    // A word looked up in hash entries, in buckets compared by the tables' values, or in any other list;
    // kept out of WordToken so its common path stays small.
    [[gnu::noinline]] void HashEntryWordToken();
    [[gnu::noinline]] void BucketWordToken();
    [[gnu::noinline]] void ListWordToken();
    struct TWordScan {
        uint32_t hash;
        uint64_t tail;
        bool hashed; // every character in the keyword tables
    };
    // Moves over the word at the run position (its first character is a word's by its rule, whatever the
    // identifier characters say), calling step with each of its bytes' wordBytes_ entries.
    template <typename Step>
    void WalkWord(Step&& step);
    // Moves over the word at the run position, filling in its hash and folded tail.
    void ScanWordBytes(TWordScan* word);
    // Moves over the word at the run position and answers true with its folded tail, when asciiWords_ can
    // read it at once (a short word of ASCII in a line of sixteen bytes or more); else moves nothing.
    bool ReadAsciiWord(uint64_t* foldedTail);
    static unsigned char FoldedByte(uint32_t wordBytesEntry)
    {
        return static_cast<unsigned char>(wordBytesEntry >> kWordFoldedShift);
    }
    // The word scanner's view of each byte (see kWordIdent and kWordForeign), rebuilt whenever the
    // identifier characters or the keyword tables change.
    void BuildWordBytes();

    // The last search for a delimited literal's closing character that found none: from this offset on the
    // line holds none, so later openers need no search (a line of openers stays linear).
    int missedClose_ = -1;
    size_t missedFrom_ = 0;

    TZefScanRules rules_;
    std::unique_ptr<TZefKeywordLookup> keywords_;
    const TZefBucketKeywords* bucketKeywords_ = nullptr; // the same lookup without a virtual call, when buckets
    const TZefHashEntryKeywordLookup* hashEntryKeywords_ = nullptr; // or when hash entries
    const TZefSortedKeywordLookup* sortedKeywords_ = nullptr; // or when a sorted list (often empty)
    bool foldedKeywords_ = false; // the buckets look words up by their folded tails
    bool bucketsByTail_ = false;  // and take a word read by asciiWords_ by its tail alone
    TZefAsciiWordReader asciiWords_; // for the identifier characters
    // Per byte: its bucket hash value in the low 16 bits, kWordIdent when it continues a word, kWordForeign
    // when the keyword tables do not know it, its lower-case form in the top byte; one load per character in
    // the word loop.
    static constexpr uint32_t kWordIdent = 1u << 16;
    static constexpr uint32_t kWordForeign = 1u << 17;
    static constexpr int kWordFoldedShift = 24;
    std::array<uint32_t, 256> wordBytes_{};
    std::array<TZefHighlighterAttributes*, 6> defaults_{};
    std::vector<std::string> kindNames_;
    std::vector<TZefRangeState> ownRanges_; // the initial state and those declared
    std::vector<TZefRangeState> ranges_;    // and the block comments', sorted
    TZefCharSet identChars_ = zefchars::StandardIdentChars();
    std::string sampleSource_;
    const char* className_ = "TZefTableHighlighter";
    std::string languageName_;
    int unknownKind_;
    int identifierKind_;
    TZefRangeState initialRange_;
    // The initial range when the language is scanned by its rules alone (see Next), else a value no range
    // takes.
    static constexpr TZefRangeState kNoRulesRange = std::numeric_limits<TZefRangeState>::min();
    TZefRangeState rulesRange_ = kNoRulesRange;
    const unsigned char* lower_; // the case folding table
};
