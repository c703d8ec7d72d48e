// The table-driven token loop: NUL and block-comment continuations first, then the character's rules.
#include "ZefTableHighlighter.h"

#include "CodePage1252.h"
#include "DoubleByte.h"

#include <algorithm>

TZefTableHighlighter::TZefTableHighlighter(int nullKind, int unknownKind, int identifierKind,
                                           TZefRangeState initialRange)
    : TZefScanHighlighter(nullKind, initialRange), ownRanges_{initialRange}, ranges_{initialRange},
      unknownKind_(unknownKind),
      identifierKind_(identifierKind), initialRange_(initialRange), lower_(cp1252::LowerTable())
{
}

void TZefTableHighlighter::AddAttributes(std::initializer_list<TAttributeRow> attributes)
{
    for (const TAttributeRow& row : attributes) {
        TZefHighlighterAttributes* attribute = AddAttribute(row.name);
        attribute->SetForeground(row.foreground);
        attribute->SetStyle(row.style);
        if (row.field) *row.field = attribute;
    }
}

void TZefTableHighlighter::DeclareKinds(std::initializer_list<TKindRow> kinds)
{
    for (const TKindRow& row : kinds) DeclareKind(row.kind, row.name, row.attribute);
}

void TZefTableHighlighter::DeclareKind(int kind, std::string_view name, TZefHighlighterAttributes* attribute)
{
    if (kind < 0) return;
    if (static_cast<size_t>(kind) >= kindNames_.size()) kindNames_.resize(static_cast<size_t>(kind) + 1);
    kindNames_[static_cast<size_t>(kind)] = std::string(name);
    SetKindAttribute(kind, attribute);
}

void TZefTableHighlighter::SetKeywords(std::unique_ptr<TZefKeywordLookup> keywords)
{
    keywords_ = std::move(keywords);
    const auto* buckets = dynamic_cast<const TZefBucketKeywordLookup*>(keywords_.get());
    bucketKeywords_ = buckets ? &buckets->Buckets() : nullptr;
    hashEntryKeywords_ = dynamic_cast<const TZefHashEntryKeywordLookup*>(keywords_.get());
    sortedKeywords_ = dynamic_cast<const TZefSortedKeywordLookup*>(keywords_.get());
    foldedKeywords_ = bucketKeywords_ && bucketKeywords_->ComparesFolded();
    BuildWordBytes();
}

void TZefTableHighlighter::BuildWordBytes()
{
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        uint32_t entry = identChars_.Contains(byte) ? kWordIdent : 0;
        if (bucketKeywords_) {
            const TZefKeyHashTables& tables = bucketKeywords_->Tables();
            entry |= tables.value[byte];
            if (!tables.ident.Contains(byte)) entry |= kWordForeign;
        }
        wordBytes_[byte] = entry | static_cast<uint32_t>(lower_[byte]) << kWordFoldedShift;
    }
    asciiWords_ = TZefAsciiWordReader(identChars_);
    // Bucket keywords take a word read that way by its tail alone when a word that is no keyword is of the
    // identifier kind whatever its hash. Every keyword character is in the tables, so a word holding a
    // character outside them equals no keyword, provided no such character folds to one in them.
    bool bucketsByTail = asciiWords_.Usable() && foldedKeywords_ && bucketKeywords_->UnmatchedIsIdentifier();
    for (int c = 0; c < 128 && bucketsByTail; ++c) {
        const TZefCharSet& tableChars = bucketKeywords_->Tables().ident; // only reached with bucket keywords
        const auto byte = static_cast<unsigned char>(c);
        bucketsByTail = tableChars.Contains(byte) || !tableChars.Contains(lower_[byte]);
    }
    bucketsByTail_ = bucketsByTail;
}

void TZefTableHighlighter::SetLetterKeywords(int bucketCount, std::string_view keywords, int kind)
{
    SetKeywords(std::make_unique<TZefBucketKeywordLookup>(zefkeys::LetterHashTables(), bucketCount, identifierKind_,
                                                          TZefKeyMatch::CharactersIgnoringCase));
    keywords_->AddGroup(keywords, kind);
}

void TZefTableHighlighter::DeclareRange(TZefRangeState range)
{
    if (std::find(ownRanges_.begin(), ownRanges_.end(), range) == ownRanges_.end()) ownRanges_.push_back(range);
    RulesChanged();
}

void TZefTableHighlighter::RulesChanged()
{
    ranges_ = ownRanges_;
    for (const TZefScanRules::TBlockComment& comment : rules_.BlockComments()) {
        if (std::find(ranges_.begin(), ranges_.end(), comment.range) == ranges_.end()) ranges_.push_back(comment.range);
    }
    std::sort(ranges_.begin(), ranges_.end());
    SetRange(GetRange());
}

void TZefTableHighlighter::FinishConstruction(std::string filter, TScanBy scanBy)
{
    rulesRange_ = scanBy == TScanBy::Rules ? initialRange_ : kNoRulesRange;
    RulesChanged();
    SetAttributesOnChange([this](TZefPersistent* sender) { NotifyChange(sender); });
    ResetRange();
    SetDefaultFilter(std::move(filter));
}

TZefHighlighterAttributes* TZefTableHighlighter::GetDefaultAttribute(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < defaults_.size() ? defaults_[static_cast<size_t>(index)] : nullptr;
}

bool TZefTableHighlighter::IsKeyword(std::string_view word) const
{
    return keywords_ && !word.empty() && keywords_->KindOf(word) != identifierKind_;
}

void TZefTableHighlighter::SetRange(TZefRangeState value)
{
    const bool own = std::find(ranges_.begin(), ranges_.end(), value) != ranges_.end();
    TZefScanHighlighter::SetRange(own ? value : initialRange_);
}

void TZefTableHighlighter::SetLine(std::string_view line, int lineIndex)
{
    missedClose_ = -1;
    TZefScanHighlighter::SetLine(line, lineIndex);
}

void TZefTableHighlighter::ScanLineRange(std::string_view line, int lineIndex)
{
    if (ranges_.size() > 1) TZefScanHighlighter::ScanLineRange(line, lineIndex);
}

std::string_view TZefTableHighlighter::TokenKindName(int kind) const
{
    if (kind < 0 || static_cast<size_t>(kind) >= kindNames_.size() || kindNames_[static_cast<size_t>(kind)].empty())
        return "?";
    return kindNames_[static_cast<size_t>(kind)];
}

std::vector<int> TZefTableHighlighter::TokenKinds() const
{
    std::vector<int> kinds;
    for (size_t kind = 0; kind < kindNames_.size(); ++kind) {
        if (!kindNames_[kind].empty()) kinds.push_back(static_cast<int>(kind));
    }
    return kinds;
}

bool TZefTableHighlighter::ScanInRange(TZefRangeState range)
{
    (void)range;
    return false;
}

void TZefTableHighlighter::Next()
{
    // In the initial state every token of a language scanned by its rules takes at least one character (the
    // rules fall back to an unknown character), so the scan guards have nothing to check. Before the line
    // end the end-of-line token cannot be current, so the common token needs no other test. Every other
    // path is a call of its own, so that this one needs no stack frame.
    TZefScanCursor& cursor = Cursor();
    if (Range() == rulesRange_ && !cursor.AtEnd()) {
        cursor.StartToken();
        ScanByRules();
        return;
    }
    NextOutsideRules();
}

void TZefTableHighlighter::NextOutsideRules()
{
    if (!StartNextToken()) return;
    if (Range() == rulesRange_)
        ScanByRules();
    else
        ScanAndGuard();
}

void TZefTableHighlighter::ScanToken()
{
    const TZefRangeState range = Range();
    if (range != initialRange_) {
        for (const TZefScanRules::TBlockComment& comment : rules_.BlockComments()) {
            if (comment.range != range) continue;
            SetTokenKind(comment.kind);
            if (Cursor().SkipPast(comment.close)) Enter(initialRange_);
            return;
        }
        if (ScanInRange(range)) return;
    }
    ScanByRules();
}

inline void TZefTableHighlighter::ScanByRules()
{
    TZefScanCursor& cursor = Cursor();
    const TZefScanRules::TFirstStep& first = rules_.FirstStep(cursor.Current(), cursor.Run() == 0);
    using TStep = TZefScanRules::TStep;
    // The common steps by plain branches (runs of blanks and one-character symbols, words): they predict
    // better than one jump through a table of all the steps.
    const TStep step = first.step;
    if (step == TStep::Run) {
        cursor.SkipFirstThenWhile(*first.body);
        SetTokenKind(first.kind);
        return;
    }
    if (step == TStep::Word) {
        WordToken();
        return;
    }
    OtherStep(first);
}

void TZefTableHighlighter::OtherStep(const TZefScanRules::TFirstStep& first)
{
    using TStep = TZefScanRules::TStep;
    TZefScanCursor& cursor = Cursor();
    switch (first.step) {
    case TStep::Apply: Apply(*first.rule); return;
    case TStep::Unknown: UnknownToken(); return; // a NUL is a character of the line, never its end
    case TStep::CommentWordOrWord: CommentWordOrWord(*first.rule); return;
    case TStep::SingleUnlessNext: {
        const int next = cursor.Peek(1);
        if (next != TZefScanCursor::kEnd && first.seconds->Contains(static_cast<unsigned char>(next))) break;
        cursor.Advance();
        SetTokenKind(first.kind);
        return;
    }
    case TStep::Custom:
        if (CustomToken(first)) return;
        break;
    case TStep::TryRules: break;
    default: return; // taken by ScanByRules
    }
    TryRules(cursor.Current(), cursor.Run() == 0);
}

bool TZefTableHighlighter::CustomToken(const TZefScanRules::TFirstStep& first)
{
    // The rule's answer is taken when it gives a token; otherwise the rules run as usual (a language's own
    // rule that gives no token changes nothing, so trying it again answers the same).
    TZefScanCursor& cursor = Cursor();
    const size_t start = cursor.Run();
    const int kind = first.rule->custom(cursor);
    if (kind != TZefScanRules::kNoMatch && cursor.Run() > start) {
        SetTokenKind(kind);
        return true;
    }
    cursor.SetRun(start);
    return false;
}

void TZefTableHighlighter::CommentWordOrWord(const TZefScanRules::TRule& commentWord)
{
    if (!CommentWordHere(commentWord)) {
        WordToken();
        return;
    }
    Cursor().SkipToEnd();
    SetTokenKind(commentWord.kind);
}

void TZefTableHighlighter::TryRules(unsigned char c, bool atColumn0)
{
    TZefScanCursor& cursor = Cursor();
    const size_t start = cursor.Run();
    for (const uint16_t index : rules_.RulesFor(c, atColumn0)) {
        const TZefScanRules::TRule& rule = rules_.Rule(index);
        // Column 0 and the rest have their own lists; only the first-non-blank test is left to make.
        if (rule.where == TZefWhere::FirstNonBlank && !AtFirstNonBlank()) continue;
        if (Apply(rule) && cursor.Run() > start) return;
        cursor.SetRun(start);
    }
    UnknownToken();
}

template <typename Step>
inline void TZefTableHighlighter::WalkWord(Step&& step)
{
    TZefScanCursor& cursor = Cursor();
    const std::string_view line = cursor.Line();
    const char* const data = line.data();
    const size_t size = line.size();
    size_t end = cursor.Run();
    uint32_t entry = wordBytes_[static_cast<unsigned char>(data[end])];
    do {
        step(entry);
        if (++end == size) break;
        entry = wordBytes_[static_cast<unsigned char>(data[end])];
    } while (entry & kWordIdent);
    cursor.SetRun(end);
}

inline void TZefTableHighlighter::ScanWordBytes(TWordScan* word)
{
    // One pass: the word's extent by the identifier characters, its hash by the keyword tables and its
    // folded tail; a word with a character outside the tables is no keyword.
    uint32_t hash = 0;
    uint32_t seen = 0;
    uint64_t tail = 0;
    WalkWord([&](uint32_t entry) {
        hash += entry & 0xFFFFu;
        seen |= entry;
        tail = zeffold::TailStep(tail, FoldedByte(entry));
    });
    *word = {hash, tail, (seen & kWordForeign) == 0};
}

inline bool TZefTableHighlighter::ReadAsciiWord(uint64_t* foldedTail)
{
    TZefScanCursor& cursor = Cursor();
    const size_t run = cursor.Run();
    TZefAsciiWordReader::TWord word;
    if (!asciiWords_.Read(cursor.Line().data(), cursor.Line().size(), run, &word)) return false;
    cursor.SetRun(run + word.length);
    *foldedTail = word.foldedTail;
    return true;
}

void TZefTableHighlighter::WordToken()
{
    // Each keyword scheme has its own function, so that each stays small.
    if (!foldedKeywords_) {
        if (hashEntryKeywords_)
            HashEntryWordToken();
        else if (bucketKeywords_)
            BucketWordToken();
        else
            ListWordToken();
        return;
    }
    uint64_t tail;
    if (bucketsByTail_ && ReadAsciiWord(&tail)) {
        SetTokenKind(bucketKeywords_->KindOfFoldedTail(tail, Cursor().Token()));
        return;
    }
    TWordScan word;
    ScanWordBytes(&word);
    SetTokenKind(word.hashed ? bucketKeywords_->KindOfFolded(word.hash, word.tail, Cursor().Token()) : identifierKind_);
}

void TZefTableHighlighter::HashEntryWordToken()
{
    uint64_t tail = 0;
    if (!ReadAsciiWord(&tail)) WalkWord([&tail](uint32_t entry) { tail = zeffold::TailStep(tail, FoldedByte(entry)); });
    SetTokenKind(hashEntryKeywords_->KindOfFoldedTail(tail, Cursor().Token()));
}

void TZefTableHighlighter::BucketWordToken()
{
    // Buckets whose tables decide which characters are equal: by the word's hash.
    TWordScan word;
    ScanWordBytes(&word);
    SetTokenKind(word.hashed ? bucketKeywords_->KindOfHashed(word.hash, Cursor().Token()) : identifierKind_);
}

void TZefTableHighlighter::ListWordToken()
{
    TZefScanCursor& cursor = Cursor();
    const size_t run = cursor.Run();
    size_t length;
    if (asciiWords_.ReadLength(cursor.Line().data(), cursor.Line().size(), run, &length)) {
        cursor.SetRun(run + length);
    } else {
        cursor.Advance();
        cursor.SkipWhile(identChars_);
    }
    const bool none = !keywords_ || (sortedKeywords_ && sortedKeywords_->Count() == 0);
    SetTokenKind(none ? identifierKind_ : keywords_->KindOf(cursor.Token()));
}

void TZefTableHighlighter::UnknownToken()
{
    TZefScanCursor& cursor = Cursor();
    SetTokenKind(unknownKind_);
    // A lead byte takes its trail byte with it, and nothing when it ends the line.
    cursor.Advance(dbcs::IsLeadByte(cursor.Current()) && cursor.Peek(1) != TZefScanCursor::kEnd ? 2 : 1);
}

bool TZefTableHighlighter::AtFirstNonBlank() const
{
    const TZefScanCursor& cursor = Cursor();
    for (size_t back = 1;; ++back) {
        const int c = cursor.PeekBefore(back);
        if (c == TZefScanCursor::kEnd) return true;
        if (c != ' ' && c != '\t') return false;
    }
}

bool TZefTableHighlighter::CommentWordHere(const TZefScanRules::TRule& rule) const
{
    const TZefScanCursor& cursor = Cursor();
    const unsigned char* const lower = lower_;
    if (!cursor.LookingAt(rule.text, [lower](unsigned char c) { return lower[c]; })) return false;
    const int next = cursor.Peek(rule.text.size());
    return next == TZefScanCursor::kEnd || rule.chars.Contains(static_cast<unsigned char>(next));
}

bool TZefTableHighlighter::Apply(const TZefScanRules::TRule& rule)
{
    using TType = TZefScanRules::TType;
    TZefScanCursor& cursor = Cursor();
    switch (rule.type) {
    case TType::Space:
    case TType::Run:
        cursor.Advance();
        cursor.SkipWhile(rule.charTable);
        break;
    case TType::RunUntil:
        cursor.Advance();
        cursor.SkipUntil(rule.chars);
        break;
    case TType::Single: cursor.Advance(); break;
    case TType::LineComment:
        if (!cursor.LookingAt(rule.text)) return false;
        cursor.SkipToEnd();
        break;
    case TType::CommentWord:
        if (!CommentWordHere(rule)) return false;
        cursor.SkipToEnd();
        break;
    case TType::BlockComment:
        if (!cursor.Skip(rule.text)) return false;
        if (!cursor.SkipPast(rule.close2)) Enter(rule.range);
        break;
    case TType::Quoted: {
        const bool tripleSkip =
            rule.escape == TZefEscape::TripleQuoteSkip || rule.escape == TZefEscape::BackslashTripleQuoteSkip;
        const bool backslash = rule.escape == TZefEscape::Backslash || rule.escape == TZefEscape::BackslashTripleQuoteSkip;
        if (tripleSkip && cursor.Peek(1) == rule.open && cursor.Peek(2) == rule.open) cursor.Advance(2);
        cursor.Advance();
        const auto quote = static_cast<unsigned char>(rule.close);
        while (!cursor.AtEnd()) {
            const unsigned char c = cursor.Current();
            if (backslash && c == '\\') {
                cursor.Advance(2);
                continue;
            }
            cursor.Advance();
            if (c == quote) break;
        }
        break;
    }
    case TType::Delimited: {
        const size_t from = cursor.Run() + 1;
        const bool missed = missedClose_ == static_cast<unsigned char>(rule.close) && from >= missedFrom_;
        const size_t close = missed ? std::string_view::npos : cursor.Line().find(rule.close, from);
        if (close == std::string_view::npos) {
            missedClose_ = static_cast<unsigned char>(rule.close);
            if (!missed) missedFrom_ = from;
            if (rule.unclosed == TZefUnclosed::NoMatch) return false;
            cursor.SkipToEnd();
        } else {
            cursor.SetRun(close + 1);
        }
        break;
    }
    case TType::Prefixed: {
        if (!cursor.Skip(rule.text)) return false;
        if (cursor.SkipWhile(rule.chars) == 0 && rule.bodyRequired) return false;
        if (rule.closing != TZefScanRules::kNoClosing && cursor.Peek() == rule.closing) cursor.Advance();
        break;
    }
    case TType::Words: WordToken(); return true;
    case TType::Number:
        cursor.Advance();
        while (!cursor.AtEnd() && rule.chars.Contains(cursor.Current())) {
            if (cursor.Current() == '.' && cursor.Peek(1) == '.') break;
            cursor.Advance();
        }
        break;
    case TType::Operators: {
        const auto found = std::find_if(rule.operators.begin(), rule.operators.end(),
                                        [&cursor](const std::string& op) { return cursor.LookingAt(op); });
        if (found == rule.operators.end()) return false;
        cursor.Advance(found->size());
        break;
    }
    case TType::Custom: {
        const int kind = rule.custom(cursor);
        if (kind == TZefScanRules::kNoMatch) return false;
        SetTokenKind(kind);
        return true;
    }
    }
    SetTokenKind(rule.kind);
    return true;
}
