// The rule table of a table-driven language: what a token starting with each character can be.
#pragma once

#include "ZefCharSet.h"
#include "ZefEditHighlighter.h"
#include "ZefScanCursor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Where in the line a rule may start a token.
enum class TZefWhere : uint8_t {
    Anywhere,
    Column1,       // only at offset 0
    FirstNonBlank, // only where nothing but spaces and tabs stand before it
    NotColumn1,    // anywhere but offset 0
};

// What a backslash or a quote does inside a quoted string.
enum class TZefEscape : uint8_t {
    None,            // the next quote closes
    Backslash,       // a backslash takes the next character with it
    TripleQuoteSkip, // two more quotes right after the opening one are skipped (so ''' opens like ')
    BackslashTripleQuoteSkip, // both of the above
};

// What a delimited literal without its closing character on the same line gives.
enum class TZefUnclosed : uint8_t {
    ToLineEnd, // the literal runs to the line end
    NoMatch,   // the rule does not apply; the next rule (often a one-character symbol) is tried
};

// The rules, tried per character in the order they were added; the first whose position and text fit
// gives the token. A character no rule takes, and a NUL wherever a token starts, is a one-character token
// of the language's unknown kind (two characters for a lead byte with a trail byte after it). Every rule
// stops at the line end: nothing but a block comment carries over to the next line.
class TZefScanRules {
public:
    // From `cursor` at the token's first character: moves over the token and answers its kind, or answers
    // kNoMatch without moving (any move is undone).
    using TCustomRule = std::function<int(TZefScanCursor& cursor)>;
    static constexpr int kNoMatch = -1;
    static constexpr int kNoClosing = -1;

    // A run of `chars` (the first one included).
    void Space(const TZefCharSet& chars, int kind);
    // The usual white space: a run of bytes 1..32 but CR and LF, and CR and LF one character each.
    void StandardSpace(int kind);
    // `opener` (exact) and the rest of the line.
    void LineComment(std::string_view opener, int kind, TZefWhere where = TZefWhere::Anywhere);
    // `word` in any letter case, followed by the line end or a character of `followers`, and the rest of
    // the line (rem).
    void CommentWord(std::string_view word, const TZefCharSet& followers, int kind,
                     TZefWhere where = TZefWhere::Anywhere);
    // From `open` through the first `close` after it; when the line ends first the range becomes `range`
    // and the next lines continue the comment (a language has at most a few, each with its own range).
    void BlockComment(std::string_view open, std::string_view close, int kind, TZefRangeState range);
    // From `quote` through the next `quote` under the escape policy, or to the line end.
    void Quoted(char quote, int kind, TZefEscape escape = TZefEscape::None);
    // From `open` through the next `close` on the line (date literals, sections); see TZefUnclosed.
    void Delimited(char open, char close, int kind, TZefUnclosed unclosed, TZefWhere where = TZefWhere::Anywhere);
    // `prefix`, the run of `body` after it, then `closing` when it follows ($word, @word, %word%). With an
    // empty body the rule applies only when !bodyRequired.
    void Prefixed(std::string_view prefix, const TZefCharSet& body, int kind, int closing = kNoClosing,
                  bool bodyRequired = true);
    // A word: the first character and the run of identifier characters after it; its kind comes from the
    // language's keyword groups (or is the identifier kind).
    void Words(const TZefCharSet& start);
    // A number: the first character and the run of `body` after it, stopping before "..".
    void Number(const TZefCharSet& start, const TZefCharSet& body, int kind);
    // The longest of `operators` standing at the run position.
    void Operators(const std::vector<std::string_view>& operators, int kind);
    // The first character and the run of `body` after it.
    void Run(const TZefCharSet& start, const TZefCharSet& body, int kind, TZefWhere where = TZefWhere::Anywhere);
    // The first character and everything up to (not including) a character of `stops` or the line end.
    void RunUntil(const TZefCharSet& start, const TZefCharSet& stops, int kind, TZefWhere where = TZefWhere::Anywhere);
    // One character.
    void Single(const TZefCharSet& chars, int kind, TZefWhere where = TZefWhere::Anywhere);
    // A language's own recogniser for the tokens starting with `chars`.
    void Custom(const TZefCharSet& chars, TCustomRule rule, TZefWhere where = TZefWhere::Anywhere);

    void Clear();
    bool HasBlockComments() const { return !blockComments_.empty(); }

    enum class TType : uint8_t {
        Space, LineComment, CommentWord, BlockComment, Quoted, Delimited, Prefixed, Words, Number, Operators,
        Run, RunUntil, Single, Custom,
    };
    struct TRule {
        TType type;
        TZefWhere where = TZefWhere::Anywhere;
        TZefEscape escape = TZefEscape::None;
        TZefUnclosed unclosed = TZefUnclosed::ToLineEnd;
        bool bodyRequired = true;
        char open = 0;
        char close = 0;
        int closing = kNoClosing;
        int kind = 0;
        TZefRangeState range = 0;
        std::string text{}; // opener, word or prefix
        std::string close2{}; // the block comment's closing text
        TZefCharSet chars{}; // body, stops or followers
        TZefCharTable charTable{}; // chars again, for the run loops
        std::vector<std::string> operators{}; // longest first
        TCustomRule custom{};
    };
    struct TBlockComment {
        std::string close;
        int kind;
        TZefRangeState range;
    };

    // The rules of a token starting with `c` at column 0 or elsewhere (Column1 rules are only in the first
    // list, NotColumn1 rules only in the second), in the order added.
    const std::vector<uint16_t>& RulesFor(unsigned char c, bool atColumn0) const
    {
        return dispatch_[atColumn0 ? 0 : 1][c];
    }
    // What the scanner does first with a token starting with `c` there, so that the common tokens need no
    // look at the rule list: take it by its one rule when that applies unconditionally and always gives a
    // token (a run or one character, a word; Apply for the other such rules), take it as an unknown character
    // (a NUL, or a character no rule takes), try a comment word and else take a word (rem before the
    // words), or try the rules in order.
    // Run covers the one-character rules too, with an empty body, so the two commonest tokens (blanks and
    // symbols) share one branch.
    // SingleUnlessNext: the last rule is one character and every rule before it needs a text of two
    // characters or more: unless the next character is one of those texts' second characters, the one
    // character is the token. Custom: the one rule is a language's own, tried first.
    enum class TStep : uint8_t { TryRules, Run, Word, Apply, Unknown, SingleUnlessNext, Custom, CommentWordOrWord };
    struct TFirstStep {
        TStep step = TStep::Unknown;
        int kind = 0;
        const TRule* rule = nullptr; // the one rule, for every step but TryRules, Unknown and SingleUnlessNext
        const TZefCharSet* seconds = nullptr; // for SingleUnlessNext: the second characters of the texts
        const TZefCharTable* body = nullptr;  // for Run: what continues the token after its first character
    };
    const TFirstStep& FirstStep(unsigned char c, bool atColumn0) const { return steps_[atColumn0 ? 0 : 1][c]; }
    const TRule& Rule(uint16_t index) const { return rules_[index]; }
    const std::vector<TBlockComment>& BlockComments() const { return blockComments_; }

private:
    void Add(const TZefCharSet& first, TRule rule);
    void UpdateFirstSteps();
    // The step of a character whose one rule is `rule` (TryRules when the rule may not apply).
    static TStep SoleRuleStep(const TRule& rule);
    static bool IsCommentWordBeforeWords(const TRule& first, const TRule& second);

    std::vector<TRule> rules_;
    std::array<std::array<std::vector<uint16_t>, 256>, 2> dispatch_; // [0] column 0, [1] elsewhere
    std::array<std::array<TFirstStep, 256>, 2> steps_{};
    std::vector<TZefCharSet> seconds_; // the sets the SingleUnlessNext steps point to
    std::vector<TBlockComment> blockComments_;
};
