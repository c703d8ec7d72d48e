// The TZefRegExpr facade: expression and modifier state, compile on demand (parser -> compiler), execution
// through the matcher, templates and replace-all.
#include "ZefRegExpr.h"

#include "ZefRegExprCompiler.h"
#include "ZefRegExprMatcher.h"
#include "ZefRegExprParser.h"

#include <algorithm>

TZefRegExpr::TZefRegExpr() : stepBudget_(kZefReDefaultStepBudget), frameLimit_(kZefReDefaultFrameLimit)
{
    lineSeparators_.Add('\r');
    lineSeparators_.Add('\n');
    std::fill(std::begin(slots_), std::end(slots_), -1);
}

TZefRegExpr::~TZefRegExpr() = default;

void TZefRegExpr::SetExpression(std::string_view expression)
{
    if (expression == expression_ && program_) return;
    expression_ = std::string(expression);
    matcher_.reset();
    program_.reset();
}

void TZefRegExpr::SetModifier(char letter, bool on)
{
    const TZefRegExprModifiers bit = ZefModifierForLetter(letter);
    modifiers_ = on ? (modifiers_ | bit) : (modifiers_ & ~bit);
}

bool TZefRegExpr::Modifier(char letter) const
{
    const TZefRegExprModifiers bit = ZefModifierForLetter(letter);
    return bit && (modifiers_ & bit);
}

void TZefRegExpr::SetLineSeparators(std::string_view separators)
{
    TZefRegExprCharSet set;
    for (char c : separators) set.Add(static_cast<unsigned char>(c));
    if (set == lineSeparators_) return;
    lineSeparators_ = set;
    matcher_.reset();
    program_.reset();
}

void TZefRegExpr::SetLinePairedSeparator(std::string_view pair)
{
    if (!(pair.empty() || (pair.size() == 2 && pair[0] != pair[1]))) {
        throw EZefRegExpr(reeBadLinePairedSeparator, 0);
    }
    if (pair == pairedSeparator_) return;
    pairedSeparator_ = std::string(pair);
    matcher_.reset();
    program_.reset();
}

void TZefRegExpr::Compile()
{
    matcher_.reset();
    program_.reset();
    TZefReParser parser(expression_, modifiers_, lineSeparators_);
    const TZefReNodePtr root = parser.Parse();
    program_ = std::make_unique<TZefReProgram>(
        TZefReCompiler::Compile(*root, parser.GroupCount(), lineSeparators_, pairedSeparator_));
    matcher_ = std::make_unique<TZefReMatcher>(*program_);
    matcher_->SetLimits(stepBudget_, frameLimit_);
    compiledModifiers_ = modifiers_;
}

void TZefRegExpr::EnsureCompiled()
{
    if (expression_.empty()) throw EZefRegExpr(reeNoExpression, 0);
    if (!program_ || compiledModifiers_ != modifiers_) Compile();
}

bool TZefRegExpr::SearchFrom(size_t start)
{
    lastMatched_ = false;
    std::fill(std::begin(slots_), std::end(slots_), -1);
    EnsureCompiled();
    if (start > input_.size()) return false;
    int32_t found[kZefReSlotCount];
    if (!matcher_->Search(input_, start, found)) return false;
    std::copy(std::begin(found), std::end(found), std::begin(slots_));
    lastMatched_ = true;
    return true;
}

bool TZefRegExpr::Exec(std::string_view input)
{
    input_.assign(input.data(), input.size()); // keeps the capacity: no allocation per line
    hasInput_ = true;
    if (matcher_) matcher_->NewInput();
    return SearchFrom(0);
}

bool TZefRegExpr::ExecNext()
{
    if (!lastMatched_) throw EZefRegExpr(reeExecNextWithoutExec, 0);
    const size_t end = static_cast<size_t>(slots_[1]);
    return SearchFrom(slots_[1] == slots_[0] ? end + 1 : end);
}

bool TZefRegExpr::ExecPos(int offset)
{
    if (!hasInput_) throw EZefRegExpr(reeNoInputStringSpecified, 0);
    if (offset < 1) throw EZefRegExpr(reeOffsetMustBeGreaterThen0, 0);
    return SearchFrom(static_cast<size_t>(offset - 1));
}

int TZefRegExpr::MatchStart(int n) const
{
    if (n < 0 || n > kZefReMaxGroups || !hasInput_ || slots_[n * 2] < 0 || slots_[n * 2 + 1] < 0) return -1;
    return slots_[n * 2] + 1;
}

int TZefRegExpr::MatchLength(int n) const
{
    if (MatchStart(n) < 0) return -1;
    return slots_[n * 2 + 1] - slots_[n * 2];
}

std::string TZefRegExpr::Match(int n) const
{
    const int start = MatchStart(n);
    if (start < 0) return {};
    return input_.substr(static_cast<size_t>(start - 1), static_cast<size_t>(MatchLength(n)));
}

std::string TZefRegExpr::ExpandTemplate(std::string_view text) const
{
    std::string out;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto appendGroup = [&](long long n) {
        if (n >= 0 && n <= kZefReMaxGroups) out += Match(static_cast<int>(n));
    };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 < text.size()) {
                out += text[i + 1];
                i += 2;
            } else {
                out += c;
                ++i;
            }
            continue;
        }
        if (c != '$' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        const char next = text[i + 1];
        if (next == '&') {
            appendGroup(0);
            i += 2;
        } else if (isDigit(next)) {
            size_t j = i + 1;
            long long n = 0;
            while (j < text.size() && isDigit(text[j])) {
                if (n < 1000) n = n * 10 + (text[j] - '0');
                ++j;
            }
            appendGroup(n);
            i = j;
        } else if (next == '{') {
            const size_t close = text.find('}', i + 2);
            const std::string_view inside =
                close == std::string_view::npos ? std::string_view() : text.substr(i + 2, close - i - 2);
            const bool digits = !inside.empty() && std::all_of(inside.begin(), inside.end(), isDigit);
            if (inside == "&") {
                appendGroup(0);
                i = close + 1;
            } else if (digits) {
                long long n = 0;
                for (char d : inside) {
                    if (n < 1000) n = n * 10 + (d - '0');
                }
                appendGroup(n);
                i = close + 1;
            } else {
                out += '$';
                ++i;
            }
        } else {
            out += '$';
            ++i;
        }
    }
    return out;
}

std::string TZefRegExpr::ReplaceAll(std::string_view input, std::string_view replaceTemplate, bool expand)
{
    std::string out;
    size_t copied = 0;
    for (bool found = Exec(input); found; found = ExecNext()) {
        const size_t start = static_cast<size_t>(slots_[0]);
        out.append(input.substr(copied, start - copied));
        out += expand ? ExpandTemplate(replaceTemplate) : std::string(replaceTemplate);
        copied = static_cast<size_t>(slots_[1]);
    }
    out.append(input.substr(copied));
    return out;
}

std::string TZefRegExpr::DumpProgram()
{
    EnsureCompiled();
    return program_->Dump();
}

void TZefRegExpr::SetMatchLimits(uint64_t stepBudget, size_t frameLimit)
{
    stepBudget_ = stepBudget;
    frameLimit_ = frameLimit;
    if (matcher_) matcher_->SetLimits(stepBudget, frameLimit);
}

uint64_t TZefRegExpr::MatchStepsUsed() const
{
    return matcher_ ? matcher_->StepsUsed() : 0;
}
