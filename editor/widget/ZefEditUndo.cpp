// Undo and redo on the editor control, and the recorded exact line changes every editing command goes through.
//
// Records the editing commands make are byte-exact. An insertion-like record (ucInsert, ucPaste, ucDrop,
// ucPadding, ucBreakLine, ucUnindent) says "the text from Start to End replaced Text": undoing puts Text back
// over Start..End, and the record moved to the other list says the same about the text just put back, so undo
// and redo are one symmetric operation. A deletion record (ucDeleteLine, ucDeleteBlock, ucDeleteBackward,
// ucDeleteForward) holds the deleted Text, which went from the earlier of Start and End up to the later.
// A change that both removed and inserted under a deletion kind (a join that also trims blanks) is recorded
// as the deletion followed by a ucInsert of the new text. Selection marks (ucSelectionMark, ucIndent) put back
// a caret and selection; ucCaretMark a caret. A paste's ucPasteBegin / ucPasteEnd bracket moves between the
// lists with it, so the paste stays one step both ways.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"
#include "ZefEditScope.h"

#include "ZefEditMarks.h"
#include "ZefEditRangeEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace {

bool IsDeletionKind(TUndoKind kind)
{
    return kind == ucDeleteLine || kind == ucDeleteBlock || kind == ucDeleteBackward || kind == ucDeleteForward;
}

bool IsMarkKind(TUndoKind kind) { return kind == ucSelectionMark || kind == ucIndent || kind == ucCaretMark; }

// Kinds that continue a run of the same kind under eoGroupUndo.
bool IsGroupableKind(TUndoKind kind)
{
    return !IsMarkKind(kind) && kind != ucUnindent && kind != ucGroupBreak && kind != ucPasteBegin &&
           kind != ucPasteEnd;
}

// Pops the records of one step from `list`, newest first, handing each to apply. A step opened by a paste
// bracket's `bracketTop` runs back to its `bracketBottom` (included); any other step is the records sharing the
// top record's change number or the previous record's, and with grouping the run of records of one groupable
// kind. Undo and redo walk their lists alike, with the paste bracket seen from opposite ends.
void PopStep(TZefEditUndoList& list, TUndoKind bracketTop, TUndoKind bracketBottom, bool grouping,
             const std::function<void(const TZefEditUndoItem&)>& apply)
{
    const TZefEditUndoItem* top = list.PeekRecord();
    if (top == nullptr) return;
    const TUndoKind firstKind = top->Kind;
    const TZefChangeNumber number = top->ChangeNumber;
    TUndoKind lastKind = firstKind;
    TZefChangeNumber lastNumber = number;
    bool firstRecord = true;
    while ((top = list.PeekRecord()) != nullptr) {
        if (!firstRecord) {
            const bool more = firstKind == bracketTop
                                  ? top->Kind != bracketBottom
                                  : top->ChangeNumber == number || top->ChangeNumber == lastNumber ||
                                        (grouping && top->Kind == lastKind && IsGroupableKind(lastKind));
            if (!more) break;
        }
        firstRecord = false;
        const TZefEditUndoItem record = *list.PopRecord();
        apply(record);
        lastNumber = record.ChangeNumber;
        lastKind = record.Kind;
    }
    if (firstKind == bracketTop && list.LastKind() == bracketBottom) apply(*list.PopRecord());
}

// A line appended below the document by a column insertion: recorded at the end of the line above, no text.
bool IsAppendedLineBreak(const TZefEditUndoItem& record)
{
    return record.Kind == ucBreakLine && record.Start == record.End && record.Text.empty();
}

// Where undoing a deletion record leaves the caret: after the re-inserted text for deletions made backwards.
TBufferCoord DeletionUndoCaret(TUndoKind kind, TBufferCoord start, TBufferCoord end)
{
    return (kind == ucDeleteBackward || kind == ucDeleteBlock) ? end : start;
}

// Keeps a member at a value for a scope and puts the old value back.
template <typename T> class TSetForScope {
public:
    TSetForScope(T& target, T value) : target_(target), old_(target) { target_ = value; }
    ~TSetForScope() { target_ = old_; }
    TSetForScope(const TSetForScope&) = delete;
    TSetForScope& operator=(const TSetForScope&) = delete;

private:
    T& target_;
    T old_;
};

} // namespace

std::string TCustomZefEdit::JoinedLines(int firstLine, int lastLine) const
{
    std::string result;
    for (int line = firstLine; line <= lastLine; ++line) {
        if (line > firstLine) result.append("\r\n");
        result.append(LineText(line));
    }
    return result;
}

std::string TCustomZefEdit::TrimmedForStore(std::string text) const
{
    if (options_.Contains(eoTrimTrailingSpaces)) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    }
    return text;
}

TBufferCoord TCustomZefEdit::ReplaceExact(TBufferCoord start, TBufferCoord end, std::string_view text, bool shiftMarks)
{
    TPaintLockGuard lock(*this);
    const zefrange::TReplaceResult result = zefrange::ReplaceRange(*lines_, start, end, text);
    if (shiftMarks && result.LinesDelta > 0) {
        marks_->LinesInserted(start.Char == 1 ? start.Line : start.Line + 1, result.LinesDelta);
    } else if (shiftMarks && result.LinesDelta < 0) {
        marks_->LinesRemoved(start.Line + 1, -result.LinesDelta);
    }
    return result.End;
}

void TCustomZefEdit::BeginEditScope(int markMode)
{
    if (editDepth_++ > 0) return;
    undoList_->BeginGroup();
    editMarkMode_ = markMode;
    editChanged_ = false;
    editCaret_ = caret_;
    const bool selected = HasSelection();
    editAnchor_ = selected ? anchor_ : caret_;
    editHead_ = selected ? head_ : caret_;
}

void TCustomZefEdit::EndEditScope()
{
    if (editDepth_ == 0 || --editDepth_ > 0) return;
    if (editMarkMode_ == 1 && editChanged_) {
        const bool selected = HasSelection();
        undoList_->AddRecord(ucSelectionMark, selected ? anchor_ : caret_, selected ? head_ : caret_, {}, selectionMode_);
    }
    undoList_->EndGroup();
}

void TCustomZefEdit::RecordLeadingMark()
{
    if (editDepth_ == 0 || editMarkMode_ != 1 || editChanged_) return;
    undoList_->AddRecord(ucSelectionMark, editAnchor_, editHead_, {}, selectionMode_);
}

void TCustomZefEdit::AddContentRecords(TUndoKind kind, TBufferCoord start, TBufferCoord oldEnd, TBufferCoord newEnd,
                                       std::string oldText, bool pureDeletion)
{
    if (!IsDeletionKind(kind)) {
        undoList_->AddRecordTaking(kind, start, newEnd, std::move(oldText), smNormal);
        return;
    }
    undoList_->AddRecordTaking(kind, start, oldEnd, std::move(oldText), smNormal);
    if (!pureDeletion) undoList_->AddRecord(ucInsert, start, newEnd, {}, smNormal);
}

bool TCustomZefEdit::ChangeLines(TUndoKind kind, int firstLine, int oldCount, const std::vector<std::string>& newLines,
                                 TBufferCoord hint, TBufferCoord caretAfter, bool shiftMarks)
{
    const std::string oldJoined = JoinedLines(firstLine, firstLine + oldCount - 1);
    const std::string newJoined = zefrange::JoinLines(newLines);
    // The change is looked for at or before hint, so a typed 'a' before another 'a' is recorded where it was
    // typed.
    const size_t maxPrefix = zefrange::OffsetOf(oldJoined, BufferCoord(1, firstLine), hint);
    const zefrange::TTextChange change = zefrange::Diff(oldJoined, newJoined, maxPrefix);
    if (change.Empty()) return false;

    const TBufferCoord start = zefrange::Advance(BufferCoord(1, firstLine), oldJoined, change.Offset);
    const std::string oldText = oldJoined.substr(change.Offset, change.OldLength);
    const std::string_view newText = std::string_view(newJoined).substr(change.Offset, change.NewLength);
    const TBufferCoord oldEnd = zefrange::Advance(start, oldText, oldText.size());
    ChangeRange(kind, start, oldEnd, oldText, newText, caretAfter, shiftMarks);
    return true;
}

void TCustomZefEdit::ChangeRange(TUndoKind kind, TBufferCoord start, TBufferCoord oldEnd, const std::string& oldText,
                                 std::string_view newText, TBufferCoord caretAfter, bool shiftMarks)
{
    const TBufferCoord caretBefore = caret_;
    const TBufferCoord newEnd = ReplaceExact(start, oldEnd, newText, shiftMarks);
    const bool pureDeletion = newText.empty();

    if (editMarkMode_ == 1 && editDepth_ > 0) {
        RecordLeadingMark();
        editChanged_ = true;
        AddContentRecords(kind, start, oldEnd, newEnd, oldText, pureDeletion);
        return;
    }
    // Where undo and redo would put the caret by these records alone; a mark fixes it where that is wrong.
    const bool deletion = IsDeletionKind(kind);
    const TBufferCoord undoCaret = deletion ? DeletionUndoCaret(kind, start, oldEnd) : start;
    const TBufferCoord redoCaret = (deletion && pureDeletion) ? start : newEnd;
    const bool marks = editMarkMode_ == 0 || editDepth_ == 0;
    if (marks && undoCaret != caretBefore) {
        undoList_->AddRecord(ucSelectionMark, caretBefore, caretBefore, {}, selectionMode_);
    }
    AddContentRecords(kind, start, oldEnd, newEnd, oldText, pureDeletion);
    if (marks && redoCaret != caretAfter) {
        undoList_->AddRecord(ucSelectionMark, caretAfter, caretAfter, {}, selectionMode_);
    }
    editChanged_ = true;
}

void TCustomZefEdit::RecordLinesChange(TUndoKind kind, int firstLine, const std::string& oldJoined, int newCount,
                                       TBufferCoord caretBefore)
{
    const std::string newJoined = JoinedLines(firstLine, firstLine + newCount - 1);
    // The old text is gone from the store, so the offset of caretBefore is counted in oldJoined itself.
    const size_t maxPrefix = zefrange::OffsetOf(oldJoined, BufferCoord(1, firstLine), caretBefore);
    const zefrange::TTextChange change = zefrange::Diff(oldJoined, newJoined, maxPrefix);
    if (change.Empty()) return;
    const TBufferCoord start = zefrange::Advance(BufferCoord(1, firstLine), oldJoined, change.Offset);
    const std::string oldText = oldJoined.substr(change.Offset, change.OldLength);
    const std::string_view newText = std::string_view(newJoined).substr(change.Offset, change.NewLength);
    const TBufferCoord oldEnd = zefrange::Advance(start, oldText, oldText.size());
    const TBufferCoord newEnd = zefrange::Advance(start, newText, newText.size());
    RecordLeadingMark();
    editChanged_ = true;
    AddContentRecords(kind, start, oldEnd, newEnd, oldText, newText.empty());
}

void TCustomZefEdit::RefreshModified()
{
    const bool modified = !undoList_->IsAtSavedState();
    if (modified == modified_) return;
    modified_ = modified;
    StatusChanged(scModified);
}

void TCustomZefEdit::CaretTo(TBufferCoord position)
{
    TPaintLockGuard lock(*this);
    MoveCaret(position);
    SetSelAnchor(position);
}

void TCustomZefEdit::RestoreMark(const TZefEditUndoItem& record)
{
    if (record.Kind == ucCaretMark) {
        MoveCaret(record.Start);
    } else if (record.Start == record.End) {
        CaretTo(record.End);
    } else {
        SetCaretAndSelection(record.End, record.Start, record.End);
    }
}

void TCustomZefEdit::ApplyUndoRecord(const TZefEditUndoItem& record)
{
    // The record's selection mode holds while it is applied, and the caret may stand anywhere.
    TSetForScope<TZefSelectionMode> mode(selectionMode_, record.SelectionMode);
    TSetForScope<TZefEditorOptions> options(options_, options_.With(eoScrollPastEol));
    const TBufferCoord first = std::min(record.Start, record.End);
    const TBufferCoord last = std::max(record.Start, record.End);
    switch (record.Kind) {
    case ucInsert:
    case ucPaste:
    case ucDrop:
    case ucPadding:
    case ucBreakLine:
    case ucUnindent: {
        if (IsAppendedLineBreak(record)) {
            // Remove the whole line that the column insertion appended below record.Start's line.
            const TBufferCoord lineEnd = BufferCoord(LineLength(record.Start.Line) + 1, record.Start.Line);
            const TBufferCoord nextEnd = BufferCoord(LineLength(record.Start.Line + 1) + 1, record.Start.Line + 1);
            if (record.Start.Line < lines_->Count()) ReplaceExact(lineEnd, nextEnd, {});
            redoList_->AddRecord(record.Kind, record.Start, record.End, {}, record.SelectionMode);
            CaretTo(record.Start);
            break;
        }
        if (record.SelectionMode == smLine) {
            // A line-mode insertion (SetSelectedText in line mode): whole lines from first's line on, and the
            // last piece before last on its line.
            const TBufferCoord from = BufferCoord(1, first.Line);
            std::string removed = zefrange::TextRange(*lines_, from, last);
            const TBufferCoord end = ReplaceExact(from, last, record.Text);
            redoList_->AddRecordTaking(record.Kind, from, end, std::move(removed), smNormal);
            CaretTo(first);
            break;
        }
        // The text put back may be the whole document: it moves to the other list, never copied.
        std::string removed = zefrange::TextRange(*lines_, record.Start, record.End);
        const TBufferCoord end = ReplaceExact(record.Start, record.End, record.Text);
        redoList_->AddRecordTaking(record.Kind, record.Start, end, std::move(removed), smNormal);
        // Padding was added before a character typed in virtual space: the caret goes back there.
        CaretTo(record.Kind == ucPadding ? record.End : record.Start);
        break;
    }
    case ucDeleteLine:
    case ucDeleteBlock:
    case ucDeleteBackward:
    case ucDeleteForward: {
        if (record.SelectionMode == smNormal) {
            ReplaceExact(first, first, record.Text);
        } else {
            // Line and column blocks from the replacement primitive go back in through it, in their mode.
            CaretTo(first);
            ReplaceSelection(record.SelectionMode, record.Text, false);
        }
        redoList_->AddRecord(record.Kind, record.Start, record.End, {}, record.SelectionMode);
        const TBufferCoord target = DeletionUndoCaret(record.Kind, record.Start, record.End);
        if (record.Kind == ucDeleteBlock || record.Kind == ucDeleteLine) {
            const TBufferCoord other = target == record.Start ? record.End : record.Start;
            SetCaretAndSelection(target, other, target);
        } else {
            CaretTo(target);
        }
        EnsureCaretVisible(false);
        break;
    }
    case ucSelectionMark:
    case ucIndent: {
        const bool selected = HasSelection();
        redoList_->AddRecord(record.Kind, selected ? anchor_ : caret_, selected ? head_ : caret_, {}, record.SelectionMode);
        RestoreMark(record);
        break;
    }
    case ucCaretMark:
        redoList_->AddRecord(record.Kind, caret_, caret_, {}, record.SelectionMode);
        RestoreMark(record);
        break;
    case ucPasteBegin:
    case ucPasteEnd:
        // The bracket goes along, so redo takes the paste back as one step and undo again after it.
        redoList_->AddRecord(record.Kind, record.Start, record.End, {}, record.SelectionMode);
        break;
    default: break; // ucGroupBreak: only popped
    }
}

void TCustomZefEdit::ApplyRedoRecord(const TZefEditUndoItem& record)
{
    TSetForScope<TZefSelectionMode> mode(selectionMode_, record.SelectionMode);
    TSetForScope<TZefEditorOptions> options(options_, options_.With(eoScrollPastEol));
    const TBufferCoord first = std::min(record.Start, record.End);
    const TBufferCoord last = std::max(record.Start, record.End);
    switch (record.Kind) {
    case ucInsert:
    case ucPaste:
    case ucDrop:
    case ucPadding:
    case ucBreakLine:
    case ucUnindent: {
        if (IsAppendedLineBreak(record)) {
            const TBufferCoord lineEnd = BufferCoord(LineLength(record.Start.Line) + 1, record.Start.Line);
            ReplaceExact(lineEnd, lineEnd, "\r\n");
            undoList_->AddRecord(record.Kind, record.Start, record.End, {}, record.SelectionMode);
            CaretTo(record.Start);
            break;
        }
        std::string removed = zefrange::TextRange(*lines_, record.Start, record.End);
        const TBufferCoord end = ReplaceExact(record.Start, record.End, record.Text);
        undoList_->AddRecordTaking(record.Kind, record.Start, end, std::move(removed), smNormal);
        CaretTo(end);
        break;
    }
    case ucDeleteLine:
    case ucDeleteBlock:
    case ucDeleteBackward:
    case ucDeleteForward: {
        std::string removed;
        if (record.SelectionMode == smNormal) {
            removed = zefrange::TextRange(*lines_, first, last);
            ReplaceExact(first, last, {});
        } else {
            SetCaretAndSelection(last, first, last);
            removed = SelectedText();
            ReplaceSelection(record.SelectionMode, {}, false);
        }
        undoList_->AddRecordTaking(record.Kind, record.Start, record.End, std::move(removed), record.SelectionMode);
        CaretTo(first);
        EnsureCaretVisible(false);
        break;
    }
    case ucSelectionMark:
    case ucIndent: {
        const bool selected = HasSelection();
        undoList_->AddRecord(record.Kind, selected ? anchor_ : caret_, selected ? head_ : caret_, {}, record.SelectionMode);
        RestoreMark(record);
        break;
    }
    case ucCaretMark:
        undoList_->AddRecord(record.Kind, caret_, caret_, {}, record.SelectionMode);
        RestoreMark(record);
        break;
    case ucPasteBegin:
    case ucPasteEnd: undoList_->AddRecord(record.Kind, record.Start, record.End, {}, record.SelectionMode); break;
    default: break;
    }
}

void TCustomZefEdit::Undo()
{
    if (readOnly_ || !undoList_->CanUndo()) return;
    TPaintLockGuard lock(*this);
    PaintTransient(ttBefore);
    if (undoList_->LastKind() == ucGroupBreak) redoList_->PushRecord(*undoList_->PopRecord());
    if (const TZefEditUndoItem* top = undoList_->PeekRecord()) {
        // The inverse records share the step's number, so redo takes them back as one step.
        const TZefChangeNumber redoGroup = redoList_->GroupNumber();
        redoList_->SetGroupNumber(top->ChangeNumber);
        PopStep(*undoList_, ucPasteEnd, ucPasteBegin, options_.Contains(eoGroupUndo),
                [this](const TZefEditUndoItem& record) { ApplyUndoRecord(record); });
        redoList_->SetGroupNumber(redoGroup);
    }
    RefreshModified();
    PaintTransient(ttAfter);
}

void TCustomZefEdit::Redo()
{
    if (readOnly_ || !redoList_->CanUndo()) return;
    TPaintLockGuard lock(*this);
    PaintTransient(ttBefore);
    TSetForScope<bool> redoing(redoInProgress_, true);
    if (redoList_->LastKind() == ucGroupBreak) undoList_->PushRecord(*redoList_->PopRecord());
    if (const TZefEditUndoItem* top = redoList_->PeekRecord()) {
        // The records come back with the number they had, so the saved state is recognised again.
        const TZefChangeNumber undoGroup = undoList_->GroupNumber();
        undoList_->SetGroupNumber(top->ChangeNumber);
        PopStep(*redoList_, ucPasteBegin, ucPasteEnd, options_.Contains(eoGroupUndo),
                [this](const TZefEditUndoItem& record) {
                    // Records keep their own number: a grouped run of typing stays one run per number.
                    undoList_->SetGroupNumber(record.ChangeNumber);
                    ApplyRedoRecord(record);
                });
        undoList_->SetGroupNumber(undoGroup);
    }
    // The group break that followed this step before it was undone goes back after it.
    if (redoList_->LastKind() == ucGroupBreak) undoList_->PushRecord(*redoList_->PopRecord());
    RefreshModified();
    PaintTransient(ttAfter);
}
