// Building the rule table: each rule is filed under the characters a token of it can start with.
#include "ZefScanRules.h"

#include "CodePage1252.h"
#include "ZefHighlighterError.h"

#include <algorithm>

void TZefScanRules::Add(const TZefCharSet& first, TRule rule)
{
    if (rules_.size() >= 0xFFFF) throw EZefHighlighterError("Too many scan rules");
    const auto index = static_cast<uint16_t>(rules_.size());
    rules_.push_back(std::move(rule));
    rules_.back().charTable = TZefCharTable(rules_.back().chars);
    const TZefWhere where = rules_.back().where;
    for (int c = 0; c < 256; ++c) {
        if (!first.Contains(static_cast<unsigned char>(c))) continue;
        if (where != TZefWhere::NotColumn1) dispatch_[0][static_cast<size_t>(c)].push_back(index);
        if (where != TZefWhere::Column1) dispatch_[1][static_cast<size_t>(c)].push_back(index);
    }
    UpdateFirstSteps();
}

namespace {

// The body of a one-character token taken as a run.
constexpr TZefCharTable kNothingFollows;

// The second characters of the texts that the rules before the last one need, when each of them needs a
// text of two or more characters wherever it stands; false when one may take a single character.
bool SecondCharacters(const std::vector<TZefScanRules::TRule>& rules, const std::vector<uint16_t>& candidates,
                      TZefCharSet* seconds)
{
    using TType = TZefScanRules::TType;
    const auto needs = [seconds](std::string_view text) {
        if (text.size() < 2) return false;
        seconds->Add(static_cast<unsigned char>(text[1]));
        return true;
    };
    for (size_t i = 0; i + 1 < candidates.size(); ++i) {
        const TZefScanRules::TRule& rule = rules[candidates[i]];
        if (rule.where == TZefWhere::FirstNonBlank) return false;
        switch (rule.type) {
        case TType::LineComment:
        case TType::BlockComment:
            if (!needs(rule.text)) return false;
            break;
        case TType::Operators:
            for (const std::string& op : rule.operators) {
                if (!needs(op)) return false;
            }
            break;
        default: return false;
        }
    }
    return true;
}

} // namespace

void TZefScanRules::UpdateFirstSteps()
{
    // rules_ may have moved: every pointer is taken again.
    seconds_.clear();
    seconds_.reserve(512);
    for (size_t place = 0; place < 2; ++place) {
        for (size_t c = 0; c < 256; ++c) {
            TFirstStep& first = steps_[place][c];
            const std::vector<uint16_t>& candidates = dispatch_[place][c];
            first = TFirstStep{.step = candidates.empty() || c == 0 ? TStep::Unknown : TStep::TryRules};
            if (c == 0) continue;
            if (candidates.size() == 2 && IsCommentWordBeforeWords(rules_[candidates[0]], rules_[candidates[1]])) {
                first = TFirstStep{.step = TStep::CommentWordOrWord, .kind = rules_[candidates[0]].kind,
                                   .rule = &rules_[candidates[0]]};
                continue;
            }
            if (candidates.size() > 1) {
                const TRule& last = rules_[candidates.back()];
                TZefCharSet seconds;
                if (last.type == TType::Single && last.where != TZefWhere::FirstNonBlank &&
                    SecondCharacters(rules_, candidates, &seconds)) {
                    seconds_.push_back(seconds);
                    first = TFirstStep{.step = TStep::SingleUnlessNext, .kind = last.kind, .seconds = &seconds_.back()};
                }
                continue;
            }
            if (candidates.size() != 1) continue;
            const TRule& rule = rules_[candidates.front()];
            const TStep step = SoleRuleStep(rule);
            if (step == TStep::TryRules) continue;
            first = TFirstStep{.step = step, .kind = rule.kind, .rule = &rule};
            if (step == TStep::Run) first.body = rule.type == TType::Single ? &kNothingFollows : &rule.charTable;
        }
    }
}

TZefScanRules::TStep TZefScanRules::SoleRuleStep(const TRule& rule)
{
    if (rule.where == TZefWhere::FirstNonBlank) return TStep::TryRules;
    switch (rule.type) {
    case TType::Space:
    case TType::Run: return TStep::Run;
    case TType::Single: return TStep::Run;
    case TType::Words: return TStep::Word;
    // These apply to every token they are filed under (their opening text is the one character) and take
    // at least that character.
    case TType::RunUntil:
    case TType::Number:
    case TType::Quoted: return TStep::Apply;
    case TType::Delimited: return rule.unclosed == TZefUnclosed::ToLineEnd ? TStep::Apply : TStep::TryRules;
    case TType::LineComment: return rule.text.size() == 1 ? TStep::Apply : TStep::TryRules;
    case TType::Custom: return TStep::Custom;
    default: return TStep::TryRules;
    }
}

bool TZefScanRules::IsCommentWordBeforeWords(const TRule& first, const TRule& second)
{
    return first.type == TType::CommentWord && first.where != TZefWhere::FirstNonBlank && second.type == TType::Words;
}

namespace {

TZefCharSet FirstOf(std::string_view text)
{
    if (text.empty()) throw EZefHighlighterError("A scan rule needs its opening text");
    return TZefCharSet().Add(static_cast<unsigned char>(text[0]));
}

} // namespace

void TZefScanRules::Space(const TZefCharSet& chars, int kind)
{
    Add(chars, TRule{.type = TType::Space, .kind = kind, .chars = chars});
}

void TZefScanRules::StandardSpace(int kind)
{
    Space(zefchars::BlankChars(), kind);
    Single(TZefCharSet("\r\n"), kind);
}

void TZefScanRules::LineComment(std::string_view opener, int kind, TZefWhere where)
{
    Add(FirstOf(opener), TRule{.type = TType::LineComment, .where = where, .kind = kind, .text = std::string(opener)});
}

void TZefScanRules::CommentWord(std::string_view word, const TZefCharSet& followers, int kind, TZefWhere where)
{
    TZefCharSet first = FirstOf(word);
    const auto c = static_cast<unsigned char>(word[0]);
    first.Add(cp1252::ToLower(c)).Add(cp1252::ToUpper(c));
    Add(first, TRule{.type = TType::CommentWord, .where = where, .kind = kind, .text = std::string(word),
                     .chars = followers});
}

void TZefScanRules::BlockComment(std::string_view open, std::string_view close, int kind, TZefRangeState range)
{
    if (close.empty()) throw EZefHighlighterError("A block comment needs its closing text");
    Add(FirstOf(open), TRule{.type = TType::BlockComment, .kind = kind, .range = range, .text = std::string(open),
                             .close2 = std::string(close)});
    blockComments_.push_back({std::string(close), kind, range});
}

void TZefScanRules::Quoted(char quote, int kind, TZefEscape escape)
{
    Add(TZefCharSet().Add(static_cast<unsigned char>(quote)),
        TRule{.type = TType::Quoted, .escape = escape, .open = quote, .close = quote, .kind = kind});
}

void TZefScanRules::Delimited(char open, char close, int kind, TZefUnclosed unclosed, TZefWhere where)
{
    Add(TZefCharSet().Add(static_cast<unsigned char>(open)),
        TRule{.type = TType::Delimited, .where = where, .unclosed = unclosed, .open = open, .close = close,
              .kind = kind});
}

void TZefScanRules::Prefixed(std::string_view prefix, const TZefCharSet& body, int kind, int closing, bool bodyRequired)
{
    Add(FirstOf(prefix), TRule{.type = TType::Prefixed, .bodyRequired = bodyRequired, .closing = closing,
                               .kind = kind, .text = std::string(prefix), .chars = body});
}

void TZefScanRules::Words(const TZefCharSet& start) { Add(start, TRule{.type = TType::Words}); }

void TZefScanRules::Number(const TZefCharSet& start, const TZefCharSet& body, int kind)
{
    Add(start, TRule{.type = TType::Number, .kind = kind, .chars = body});
}

void TZefScanRules::Operators(const std::vector<std::string_view>& operators, int kind)
{
    TRule rule{.type = TType::Operators, .kind = kind};
    TZefCharSet first;
    for (std::string_view op : operators) {
        first = first | FirstOf(op);
        rule.operators.emplace_back(op);
    }
    std::stable_sort(rule.operators.begin(), rule.operators.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    Add(first, std::move(rule));
}

void TZefScanRules::Run(const TZefCharSet& start, const TZefCharSet& body, int kind, TZefWhere where)
{
    Add(start, TRule{.type = TType::Run, .where = where, .kind = kind, .chars = body});
}

void TZefScanRules::RunUntil(const TZefCharSet& start, const TZefCharSet& stops, int kind, TZefWhere where)
{
    Add(start, TRule{.type = TType::RunUntil, .where = where, .kind = kind, .chars = stops});
}

void TZefScanRules::Single(const TZefCharSet& chars, int kind, TZefWhere where)
{
    Add(chars, TRule{.type = TType::Single, .where = where, .kind = kind});
}

void TZefScanRules::Custom(const TZefCharSet& chars, TCustomRule rule, TZefWhere where)
{
    Add(chars, TRule{.type = TType::Custom, .where = where, .custom = std::move(rule)});
}

void TZefScanRules::Clear()
{
    rules_.clear();
    for (auto& place : dispatch_) {
        for (auto& list : place) list.clear();
    }
    UpdateFirstSteps();
    blockComments_.clear();
}
