// Search and replace in the editor control: the scope, the walk over its lines, selecting each match, the
// question before a replacement, and the batch path that replaces every remaining match with one pass per
// line, one range rescan and one undo record.
//
// Matches are always those of a line's text before any replacement in it; positions are adjusted by the
// length changes of the replacements made to their left. Each match is selected and replaced as a normal
// selection whatever the selection mode, so a line or column scope never deletes or pads lines.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"
#include "ZefEditScope.h"

#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Asks for a small routine of the per-line loop to be inlined where the compiler would rather call it.
#if defined(__GNUC__)
#define ZEF_HOT_INLINE __attribute__((always_inline))
#else
#define ZEF_HOT_INLINE
#endif

namespace {

// One match of the current line: 1-based position and length in the line's original text, and the
// engine's result index (for the replacement text).
struct TFound {
    int Pos;
    int Len;
    int Index;
};

// Walks display columns along a line from its start, one position at a time; asked positions must ascend.
class TColumnWalker {
public:
    TColumnWalker(std::string_view line, int tabWidth) : line_(line), tabWidth_(tabWidth) {}
    int ColumnOf(int charIndex)
    {
        for (; at_ < charIndex; ++at_) {
            const bool tab = static_cast<size_t>(at_ - 1) < line_.size() && line_[static_cast<size_t>(at_ - 1)] == '\t';
            column_ = (tab && tabWidth_ > 1) ? ((column_ - 1) / tabWidth_ + 1) * tabWidth_ + 1 : column_ + 1;
        }
        return column_;
    }

private:
    std::string_view line_;
    int tabWidth_;
    int at_ = 1;
    int column_ = 1;
};

// A span of many megabytes is written once from end to end: on Linux, huge pages spare the thousands of
// page faults that its first touch would otherwise cost. The parts before the first and after the last whole
// huge page stay in small pages; they are filled in by one call each instead of one fault per page. Only
// advice: nothing changes where it is not taken.
void PrepareForWriting([[maybe_unused]] const char* data, [[maybe_unused]] size_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHugePage = uintptr_t{1} << 21;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kHugePage - 1);
    if (end <= begin) return;
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#if defined(MADV_POPULATE_WRITE)
    const uintptr_t pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    // Whole pages only: the bytes around the span may belong to other blocks of the heap.
    const uintptr_t firstPage = (reinterpret_cast<uintptr_t>(data) + pageSize - 1) & ~(pageSize - 1);
    const uintptr_t lastPage = (reinterpret_cast<uintptr_t>(data) + size) & ~(pageSize - 1);
    if (begin > firstPage) madvise(reinterpret_cast<void*>(firstPage), begin - firstPage, MADV_POPULATE_WRITE);
    if (lastPage > end) madvise(reinterpret_cast<void*>(end), lastPage - end, MADV_POPULATE_WRITE);
#endif
#endif
}

// The old text of one batch replacement, from its first change to its last, gathered line by line in
// ascending order: the lines between two changed lines are kept only once a later change needs them.
class TUndoRecordSpan {
public:
    void Add(int line, std::string_view old, int firstChange, int oldEnd, int newEnd)
    {
        if (!changed_) {
            start_ = BufferCoord(firstChange, line);
            text_.assign(old.substr(static_cast<size_t>(firstChange - 1)));
            changed_ = true;
        } else {
            if (!gap_.empty()) {
                text_.append(gap_);
                gap_.clear();
            }
            text_.append("\r\n", 2).append(old);
        }
        tail_ = old.size() - static_cast<size_t>(oldEnd - 1);
        oldEnd_ = BufferCoord(oldEnd, line);
        newEnd_ = BufferCoord(newEnd, line);
    }
    void Skip(std::string_view line)
    {
        if (changed_) gap_.append("\r\n").append(line);
    }
    bool Changed() const { return changed_; }
    // Room for the text still to come, so that a span of many megabytes is not copied as it grows.
    void Reserve(size_t size)
    {
        text_.reserve(size);
        PrepareForWriting(text_.data(), size);
    }
    TBufferCoord Start() const { return start_; }
    TBufferCoord OldEnd() const { return oldEnd_; }
    TBufferCoord NewEnd() const { return newEnd_; }
    // The text from Start to OldEnd before the replacement, handed over once the span is complete.
    std::string TakeOldText()
    {
        text_.resize(text_.size() - tail_);
        tail_ = 0;
        // The room reserved beyond the text would stay with the undo record.
        if (text_.capacity() - text_.size() > text_.size() / 2 + 4096) text_.shrink_to_fit();
        return std::move(text_);
    }

private:
    bool changed_ = false;
    TBufferCoord start_;
    TBufferCoord oldEnd_;
    TBufferCoord newEnd_;
    std::string text_;
    std::string gap_;
    size_t tail_ = 0;
};

// Equal texts, byte for byte. Most replacements differ from their match in length or first byte, which is
// decided here without a library call per match.
inline bool SameBytes(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    return a.front() == b.front() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Lines between two reports of replacing all: about a thousand reports over a million lines.
constexpr uint64_t kReplaceProgressLines = 1024;

} // namespace

// One SearchReplace call. The destructor undoes every bracket the run opened, also when an error passes.
class TCustomZefEdit::TSearchRun {
public:
    TSearchRun(TCustomZefEdit& edit, TZefEditSearchCustom& engine, std::string_view search, std::string_view replace,
               TSearchOptions options, const TZefWorkProgress& progress);
    ~TSearchRun();
    TSearchRun(const TSearchRun&) = delete;
    TSearchRun& operator=(const TSearchRun&) = delete;

    int Run();

private:
    enum class TEnd { Untouched, MatchSelected, Handled };

    void ComputeScope(TSearchOptions options);
    void CollectInScope(int line, std::string_view text, std::vector<TFound>& found) const;
    void SelectMatch(int line, int pos, int len);
    void ReplaceOne(int line, int pos, const std::string& matched, const std::string& replacement);
    void TurnReplaceAllOn();
    // Replaces the matches of `found` from `from` on in `line` (positions shifted by offset) and every match of
    // the lines still ahead in the scope.
    void ReplaceRest(int line, const std::vector<TFound>& found, size_t from, int offset);
    void ApplyEndState();

    TCustomZefEdit& edit_;
    TZefEditSearchCustom& engine_;
    const TZefWorkProgress& progress_;
    std::string search_;
    std::string replace_;
    bool backwards_ = false;
    bool prompt_ = false;
    bool replacing_ = false;
    bool replaceAll_ = false;
    bool selectedOnly_ = false;
    TZefSelectionMode userMode_ = smNormal;
    TBufferCoord userAnchor_;
    TBufferCoord userHead_;
    TBufferCoord start_;
    TBufferCoord end_;
    bool column_ = false;
    int blockFrom_ = 0;
    int blockTo_ = 0;
    bool skipEmptyAtStart_ = false; // the scope starts at the caret: an empty match there was already visited
    bool skipEmptyAtEnd_ = false;
    bool endExclusive_ = false;     // a selection's end: a match on its line must start before it
    int endLineDelta_ = 0;          // length change of the scope's end line
    bool paintLocked_ = false;
    bool groupOpen_ = false;
    TEnd endState_ = TEnd::Untouched;
    TBufferCoord lastHandled_;
    int count_ = 0;
};

TCustomZefEdit::TSearchRun::TSearchRun(TCustomZefEdit& edit, TZefEditSearchCustom& engine, std::string_view search,
                                       std::string_view replace, TSearchOptions options,
                                       const TZefWorkProgress& progress)
    : edit_(edit), engine_(engine), progress_(progress), search_(search), replace_(replace)
{
    // A read-only document can be searched, never changed.
    if (edit_.readOnly_) options &= static_cast<TSearchOptions>(~(soReplace | soReplaceAll | soPrompt));
    backwards_ = (options & soBackwards) != 0;
    prompt_ = (options & soPrompt) != 0;
    replaceAll_ = (options & soReplaceAll) != 0;
    replacing_ = (options & (soReplace | soReplaceAll)) != 0;
    if (!edit_.HasSelection()) options &= static_cast<TSearchOptions>(~soSelectedOnly);
    selectedOnly_ = (options & soSelectedOnly) != 0;
    userMode_ = edit_.selectionMode_;
    userAnchor_ = edit_.anchor_;
    userHead_ = edit_.head_;
    ComputeScope(options);

    engine_.SetOptions(options);
    engine_.SetPattern(search);
    edit_.PaintTransient(ttBefore);
    if (replaceAll_) TurnReplaceAllOn();
}

TCustomZefEdit::TSearchRun::~TSearchRun()
{
    if (endState_ == TEnd::Untouched && edit_.selectionMode_ != userMode_) edit_.SetSelectionMode(userMode_);
    if (groupOpen_) edit_.undoList_->EndGroup();
    if (paintLocked_) edit_.EndPaintLock();
    edit_.PaintTransient(ttAfter);
}

void TCustomZefEdit::TSearchRun::TurnReplaceAllOn()
{
    replaceAll_ = true;
    if (!paintLocked_) {
        edit_.BeginPaintLock();
        paintLocked_ = true;
    }
}

void TCustomZefEdit::TSearchRun::ComputeScope(TSearchOptions options)
{
    const int lastLine = std::max(edit_.lines_->Count(), 1);
    if (selectedOnly_) {
        start_ = edit_.SelFirst();
        end_ = edit_.SelLast();
        switch (userMode_) {
        case smLine:
            start_.Char = 1;
            end_.Char = edit_.LineLength(end_.Line) + 1;
            break;
        case smColumn: {
            column_ = true;
            const int a = edit_.BufferToDisplayPos(edit_.anchor_).Column;
            const int b = edit_.BufferToDisplayPos(edit_.head_).Column;
            blockFrom_ = std::min(a, b);
            blockTo_ = std::max(a, b);
            break;
        }
        case smNormal:
            // A selection ending at the start of a line (Shift+Down) holds nothing of that line.
            if (end_.Char == 1 && end_.Line > start_.Line) end_ = BufferCoord(edit_.LineLength(end_.Line - 1) + 1, end_.Line - 1);
            endExclusive_ = true;
            break;
        }
        return;
    }
    start_ = BufferCoord(1, 1);
    end_ = BufferCoord(edit_.LineLength(lastLine) + 1, lastLine);
    if ((options & soEntireScope) != 0) return;
    // From the caret; a selection (a match found before) is passed over, so the next search moves on.
    const bool selected = edit_.HasSelection() && userMode_ == smNormal;
    if (backwards_) {
        end_ = selected ? edit_.SelFirst() : edit_.caret_;
        skipEmptyAtEnd_ = true;
    } else {
        start_ = selected ? edit_.SelLast() : edit_.caret_;
        skipEmptyAtStart_ = true;
    }
}

void TCustomZefEdit::TSearchRun::CollectInScope(int line, std::string_view text, std::vector<TFound>& found) const
{
    found.clear();
    const int results = engine_.ResultCount();
    // A line strictly inside a scope of whole lines takes every match.
    if (!column_ && line != start_.Line && line != end_.Line) {
        for (int i = 0; i < results; ++i) found.push_back(TFound{engine_.Results(i), engine_.Lengths(i), i});
        if (backwards_) std::reverse(found.begin(), found.end());
        return;
    }
    TColumnWalker walker(text, edit_.tabWidth_);
    for (int i = 0; i < results; ++i) {
        const int pos = engine_.Results(i);
        const int len = engine_.Lengths(i);
        if (column_) {
            // Decided on the original positions against the block's display columns.
            if (blockTo_ > blockFrom_ && (walker.ColumnOf(pos) < blockFrom_ || walker.ColumnOf(pos + len) > blockTo_)) {
                continue;
            }
        } else {
            if (line == start_.Line && (pos < start_.Char || (pos == start_.Char && len == 0 && skipEmptyAtStart_))) {
                continue;
            }
            if (line == end_.Line) {
                if (pos + len > end_.Char) continue;
                if (endExclusive_ && pos >= end_.Char) continue;
                if (skipEmptyAtEnd_ && len == 0 && pos == end_.Char) continue;
            }
        }
        found.push_back(TFound{pos, len, i});
    }
    if (backwards_) std::reverse(found.begin(), found.end());
}

void TCustomZefEdit::TSearchRun::SelectMatch(int line, int pos, int len)
{
    TCustomZefEdit& e = edit_;
    if (e.selectionMode_ != smNormal) e.SetSelectionMode(smNormal);
    // Every column of a long line can be selected.
    if (pos + len > e.maxLineWidth_ + 1) e.SetMaxLineWidth(pos + len - 1);
    // The view shows the line's start, centring the line when it was out of view, then follows the caret.
    e.PlaceCaret(BufferCoord(1, line), false);
    e.EnsureCaretVisible(true);
    const TBufferCoord first = BufferCoord(pos, line);
    const TBufferCoord last = BufferCoord(pos + len, line);
    e.SetCaretAndSelection(backwards_ ? first : last, first, last);
    if (len > 0 ? (e.SelFirst() != first || e.SelLast() != last) : e.caret_ != first) {
        throw EZefEditSearch("The text found could not be selected");
    }
}

void TCustomZefEdit::TSearchRun::ReplaceOne(int line, int pos, const std::string& matched, const std::string& replacement)
{
    TCustomZefEdit& e = edit_;
    const TBufferCoord first = BufferCoord(pos, line);
    const TBufferCoord last = BufferCoord(pos + static_cast<int>(matched.size()), line);
    // The selection must still be the match, byte for byte, before anything is edited.
    if (e.SelFirst() != first || e.SelLast() != last || e.LineText(line).substr(static_cast<size_t>(pos - 1), matched.size()) != matched) {
        throw EZefEditSearch("The selected text is not the text found");
    }
    TEditScope scope(e, 1);
    const TBufferCoord after = BufferCoord(pos + static_cast<int>(replacement.size()), line);
    e.ChangeRange(ucInsert, first, last, matched, replacement, after);
    e.CaretTo(after);
    if (line == end_.Line) endLineDelta_ += static_cast<int>(replacement.size()) - static_cast<int>(matched.size());
}

int TCustomZefEdit::TSearchRun::Run()
{
    TCustomZefEdit& e = edit_;
    const int count = e.lines_->Count();
    const int firstLine = std::max(start_.Line, 1);
    const int lastLine = std::min(end_.Line, count);
    if (replaceAll_ && !prompt_) {
        ReplaceRest(backwards_ ? lastLine + 1 : firstLine - 1, {}, 0, 0);
        return count_;
    }
    std::vector<TFound> found;
    for (int line = backwards_ ? lastLine : firstLine; backwards_ ? line >= firstLine : line <= lastLine;
         line += backwards_ ? -1 : 1) {
        if (engine_.FindAll(e.LineText(line)) == 0) continue;
        CollectInScope(line, e.LineText(line), found);
        if (found.empty()) continue;
        // The line's text before any replacement in it: the matches and their replacements belong to it.
        const std::string original(e.LineText(line));
        int offset = 0;
        for (size_t k = 0; k < found.size(); ++k) {
            const TFound& m = found[k];
            const int at = m.Pos + offset;
            if (!replacing_) {
                ++count_;
                SelectMatch(line, at, m.Len);
                endState_ = TEnd::MatchSelected;
                return count_;
            }
            SelectMatch(line, at, m.Len);
            const std::string matched = original.substr(static_cast<size_t>(m.Pos - 1), static_cast<size_t>(m.Len));
            const std::string replacement = engine_.ReplacementFor(m.Index, replace_);
            TZefReplaceAction action = raReplace;
            if (replacement == matched) {
                action = raSkip; // nothing would change: not even asked
            } else if (prompt_ && e.OnReplaceText) {
                action = raCancel;
                e.OnReplaceText(&e, search_, replace_, line, at, action);
            }
            if (action == raCancel) {
                ++count_;
                endState_ = TEnd::MatchSelected;
                return count_;
            }
            if (action == raReplaceAll) {
                prompt_ = false;
                TurnReplaceAllOn();
                ReplaceRest(line, found, k, offset);
                return count_;
            }
            ++count_;
            endState_ = TEnd::Handled;
            if (action == raReplace) {
                ReplaceOne(line, at, matched, replacement);
                lastHandled_ = BufferCoord(at + static_cast<int>(replacement.size()), line);
                if (!backwards_) offset += static_cast<int>(replacement.size()) - m.Len;
            } else {
                lastHandled_ = BufferCoord(at + m.Len, line);
            }
            if (!replaceAll_) {
                ApplyEndState();
                return count_;
            }
        }
    }
    ApplyEndState();
    return count_;
}

void TCustomZefEdit::TSearchRun::ReplaceRest(int line, const std::vector<TFound>& found, size_t from, int offset)
{
    TCustomZefEdit& e = edit_;
    if (!groupOpen_) {
        e.undoList_->BeginGroup();
        groupOpen_ = true;
    }
    const int count = e.lines_->Count();
    const int firstLine = std::max(start_.Line, 1);
    const int lastLine = std::min(end_.Line, count);

    // The rest of the current line is built first, while the engine still holds that line's matches. Only the
    // changed part of a line is built and written in place: from its first change to the end of its last.
    struct TLineResult {
        int Line = 0;
        std::string_view Middle; // the new text of the changed part: the replacement itself, or Built
        std::string Built;       // the changed part of a line with several changes, or of a computed replacement
        int FirstChange = 0;     // 1-based, in the line before and after
        int OldEnd = 0;          // after the last change, before / after
        int NewEnd = 0;
    };
    // A literal replacement is the same for every match: no text is built per match, and a line with a
    // single change takes the replacement as it is.
    const bool literal = engine_.ReplacementIsLiteral();
    std::string perMatch;
    auto build = [&](int at, std::string_view text, const std::vector<TFound>& matches, size_t begin, int shift,
                     TLineResult& result) ZEF_HOT_INLINE {
        result.Line = at;
        result.Middle = {};
        result.FirstChange = result.OldEnd = result.NewEnd = 0;
        bool built = false;
        size_t copied = 0;
        const size_t n = matches.size() - std::min(begin, matches.size());
        for (size_t j = 0; j < n; ++j) {
            // Ascending positions in the current text.
            const TFound& m = matches[backwards_ ? matches.size() - 1 - j : begin + j];
            ++count_;
            const size_t pos = static_cast<size_t>(m.Pos + (backwards_ ? 0 : shift) - 1);
            std::string_view replacement = replace_;
            if (!literal) {
                perMatch = engine_.ReplacementFor(m.Index, replace_);
                replacement = perMatch;
            }
            const std::string_view matched = text.substr(pos, static_cast<size_t>(m.Len));
            if (SameBytes(replacement, matched)) continue;
            if (result.FirstChange == 0) {
                result.FirstChange = static_cast<int>(pos) + 1;
                if (literal) {
                    result.Middle = replacement; // replace_ outlives the line's edit
                } else {
                    // perMatch changes with the next match: the text is kept at once.
                    result.Built.reserve(text.size() - pos);
                    result.Built.assign(replacement);
                    built = true;
                }
            } else {
                if (!built) {
                    result.Built.reserve(text.size() - pos);
                    result.Built.assign(result.Middle);
                    built = true;
                }
                result.Built.append(text.substr(copied, pos - copied)).append(replacement);
            }
            if (built) result.Middle = result.Built;
            copied = pos + matched.size();
            result.OldEnd = static_cast<int>(copied) + 1;
        }
        if (result.FirstChange != 0) result.NewEnd = result.FirstChange + static_cast<int>(result.Middle.size());
    };

    TLineResult current;
    const bool haveCurrent = line >= firstLine && line <= lastLine && from < found.size();
    if (haveCurrent) build(line, e.LineText(line), found, from, offset, current);
    // The lines still ahead and the current line at its place, in ascending order.
    int walkFirst = backwards_ ? firstLine : line + 1;
    int walkLast = backwards_ ? line - 1 : lastLine;
    if (haveCurrent) (backwards_ ? walkLast : walkFirst) = line;

    TEditScope scope(e, 1);
    TUndoRecordSpan span;
    TLineResult result;
    std::vector<TFound> matches;
    e.deferRangeScans_ = true;
    e.deferredFirst_ = e.deferredLast_ = -1;
    struct TDeferGuard {
        TCustomZefEdit& edit;
        ~TDeferGuard() { edit.deferRangeScans_ = false; }
    } deferGuard{e};
    TBufferCoord topmost;
    bool anyHandled = false;
    // Every line edit of the run is one change of the line store, announced once when the batch closes.
    TZefEditStringList::TSpliceBatch batch(*e.lines_);
    auto apply = [&](const TLineResult& r, std::string_view old) {
        if (!span.Changed()) {
            // At most every line from here to the end of the scope with its line break.
            size_t room = 0;
            for (int at = r.Line; at <= lastLine; ++at) room += e.lines_->GetLine(at - 1).size() + 2;
            span.Reserve(room);
        }
        span.Add(r.Line, old, r.FirstChange, r.OldEnd, r.NewEnd);
        batch.Splice(r.Line - 1, static_cast<size_t>(r.FirstChange - 1), static_cast<size_t>(r.OldEnd - r.FirstChange),
                     r.Middle);
        if (r.Line == end_.Line) endLineDelta_ += r.NewEnd - r.OldEnd;
        lastHandled_ = BufferCoord(r.NewEnd, r.Line);
        if (!anyHandled) topmost = lastHandled_;
        anyHandled = true;
    };
    // Whatever was replaced is rescanned and recorded, also when an engine error ends the walk early, so
    // that undo restores every byte.
    auto finish = [&] {
        batch.Close();
        e.deferRangeScans_ = false;
        if (e.deferredFirst_ >= 0) {
            // One rescan over the changed span, continuing past it only while range states keep changing.
            int scanned = e.deferredFirst_ - 1;
            if (e.highlighter_ != nullptr) {
                for (int index = e.deferredFirst_; index <= e.deferredLast_; index = std::max(index + 1, scanned + 1)) {
                    scanned = std::max(scanned, e.ScanRangesFrom(index));
                }
            }
            e.InvalidateRows(e.deferredFirst_ + 1, std::max(scanned, e.deferredLast_) + 1);
        }
        if (span.Changed()) {
            e.RecordLeadingMark();
            e.editChanged_ = true;
            e.AddContentRecords(ucInsert, span.Start(), span.OldEnd(), span.NewEnd(), span.TakeOldText(), false);
        }
    };
    // Told between two lines, where every line is whole and the lines already done are the text that undo
    // goes back from; a stop there is an early end of the walk. Whatever the progress lets run meanwhile
    // (painting, the idle range scans) reads whole lines; the ranges of the changed span are made exact when
    // the batch closes.
    const uint64_t walkTotal = walkLast >= walkFirst ? static_cast<uint64_t>(walkLast - walkFirst + 1) : 0;
    TZefProgressTicker ticker(progress_, walkTotal, kReplaceProgressLines);
    if (progress_ && !progress_(0, walkTotal)) walkLast = walkFirst - 1;
    try {
        for (int at = walkFirst; at <= walkLast; ++at) {
            if (!ticker.At(static_cast<uint64_t>(at - walkFirst))) break;
            const std::string_view text = e.lines_->GetLine(at - 1);
            const TLineResult* change = &current;
            if (!haveCurrent || at != line) {
                if (engine_.FindAll(text) == 0) {
                    span.Skip(text);
                    continue;
                }
                CollectInScope(at, text, matches);
                build(at, text, matches, 0, 0, result);
                change = &result;
            }
            if (change->FirstChange == 0) {
                span.Skip(text);
                continue;
            }
            apply(*change, text);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    // Going backwards the last replacement made is the topmost one.
    if (backwards_ && anyHandled) lastHandled_ = topmost;
    if (!anyHandled) lastHandled_ = haveCurrent ? BufferCoord(found[from].Pos + offset + found[from].Len, line) : e.caret_;
    if (count_ > 0) endState_ = TEnd::Handled;
    ApplyEndState();
}

void TCustomZefEdit::TSearchRun::ApplyEndState()
{
    TCustomZefEdit& e = edit_;
    if (endState_ != TEnd::Handled) return;
    if (e.selectionMode_ != userMode_) e.SetSelectionMode(userMode_);
    if (selectedOnly_) {
        // The scope stays selected, its end moved by the length changes on its last line.
        if (userMode_ == smNormal) {
            const TBufferCoord last = BufferCoord(end_.Char + endLineDelta_, end_.Line);
            const bool anchorFirst = userAnchor_ <= userHead_;
            e.SetCaretAndSelection(anchorFirst ? last : start_, anchorFirst ? start_ : last, anchorFirst ? last : start_);
        } else {
            e.SetCaretAndSelection(userHead_, userAnchor_, userHead_);
        }
        return;
    }
    e.CaretTo(lastHandled_);
}

int TCustomZefEdit::SearchReplace(std::string_view search, std::string_view replace, TSearchOptions options,
                                  const TZefWorkProgress& progress)
{
    TZefEditSearchCustom* engine = searchEngine_.Get();
    if (engine == nullptr) throw EZefEditSearch("No search engine has been assigned");
    if (search.empty()) return 0;
    if ((options & (soReplace | soReplaceAll)) != 0 && HasLineBreak(replace)) {
        throw EZefEditSearch("The replacement text cannot contain a line break");
    }
    TSearchRun run(*this, *engine, search, replace, options, progress);
    return run.Run();
}
