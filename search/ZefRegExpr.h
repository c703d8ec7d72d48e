// TZefRegExpr: compiles a regular expression and finds its matches in a byte string; builds replacement
// texts from templates. One instance serves one search engine, one line at a time.
#pragma once

#include "ZefRegExprCharSet.h"
#include "ZefRegExprError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct TZefReProgram;
class TZefReMatcher;

class TZefRegExpr {
public:
    TZefRegExpr();
    ~TZefRegExpr();
    TZefRegExpr(const TZefRegExpr&) = delete;
    TZefRegExpr& operator=(const TZefRegExpr&) = delete;

    // Setting a different text (or any text while the current one has no compiled form) discards the
    // compiled form; compilation happens at the next execution. An empty text is no expression.
    const std::string& Expression() const { return expression_; }
    void SetExpression(std::string_view expression);

    // Letters i, r, s, g, m, x in either case; other letters are ignored. A change recompiles at the next run.
    void SetModifier(char letter, bool on);
    bool Modifier(char letter) const;
    TZefRegExprModifiers Modifiers() const { return modifiers_; }

    // The bytes that separate lines for "^", "$" under m and "." under s off (default CR and LF), and the
    // pair that counts as one separator (default CR LF; two different bytes or none, else error 128).
    void SetLineSeparators(std::string_view separators);
    void SetLinePairedSeparator(std::string_view pair);

    // Compiles now; error 100 without an expression, or the parser's error.
    void Compile();

    // Copies the input and finds the first match from position 1. NUL bytes are ordinary characters.
    bool Exec(std::string_view input);
    // The next match, from the end of the previous one (one further after an empty match); error 1007
    // without a previous successful match.
    bool ExecNext();
    // The first match from the 1-based offset in the current input (errors 1005, 1006).
    bool ExecPos(int offset);

    // 1-based start and length of slot n (0 the whole match, 1..14 the groups); -1 when n is outside
    // 0..14, there is no input or the slot is unset.
    int MatchStart(int n) const;
    int MatchLength(int n) const;
    std::string Match(int n) const;

    // The template with references to the last match replaced ("$1", "${1}", "$&", "\x" escapes).
    std::string ExpandTemplate(std::string_view replaceTemplate) const;
    // The input with every match replaced by the (expanded) template; text between matches stays.
    std::string ReplaceAll(std::string_view input, std::string_view replaceTemplate, bool expand);

    static std::string ErrorText(int code) { return ZefRegExprErrorText(code); }

    // The compiled program as text (compiles first); for tests and debugging.
    std::string DumpProgram();
    // Test seam: the base step budget of one line and the backtracking-frame limit, and the steps the
    // searches of the current line have taken so far.
    void SetMatchLimits(uint64_t stepBudget, size_t frameLimit);
    uint64_t MatchStepsUsed() const;

private:
    void EnsureCompiled();
    bool SearchFrom(size_t start);

    std::string expression_;
    TZefRegExprModifiers modifiers_ = kZefRegExprDefaultModifiers;
    TZefRegExprModifiers compiledModifiers_ = 0;
    TZefRegExprCharSet lineSeparators_;
    std::string pairedSeparator_ = "\r\n";
    std::unique_ptr<TZefReProgram> program_;
    std::unique_ptr<TZefReMatcher> matcher_;
    uint64_t stepBudget_;
    size_t frameLimit_;

    std::string input_;
    bool hasInput_ = false;
    bool lastMatched_ = false;
    int32_t slots_[30];
};
