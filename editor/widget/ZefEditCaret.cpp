// Caret placement, the selection in its three modes, caret movements and word positions of the editor control.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "DoubleByte.h"
#include "ZefEditColumns.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>

std::string_view TCustomZefEdit::LineText(int line) const { return lines_->GetLine(line - 1); }

int TCustomZefEdit::LineLength(int line) const { return static_cast<int>(LineText(line).size()); }

bool TCustomZefEdit::LineHasNoTabs(int line) const
{
    // The store's width cache knows whether a line holds tabs; without them columns and indexes coincide,
    // which spares walking a long line on every caret move.
    if (line < 1 || line > lines_->Count()) return true;
    lines_->GetExpandedWidth(line - 1);
    return (lines_->GetLineFlags(line - 1) & lfNoTabs) != 0;
}

TDisplayCoord TCustomZefEdit::BufferToDisplayPos(TBufferCoord position) const
{
    if (LineHasNoTabs(position.Line)) return TDisplayCoord{std::max(position.Char, 1), position.Line};
    return TDisplayCoord{zefcolumns::CharToColumn(LineText(position.Line), tabWidth_, position.Char), position.Line};
}

TBufferCoord TCustomZefEdit::DisplayToBufferPos(TDisplayCoord position) const
{
    if (LineHasNoTabs(position.Row)) return BufferCoord(std::max(position.Column, 1), position.Row);
    return BufferCoord(zefcolumns::ColumnToChar(LineText(position.Row), tabWidth_, position.Column), position.Row);
}

void TCustomZefEdit::PlaceCaret(TBufferCoord position, bool scrollIntoView)
{
    PaintTransient(ttBefore);
    const bool pastEol = options_.Contains(eoScrollPastEol);
    const int y = std::max(std::min(position.Line, lines_->Count()), 1);
    // An empty document has no line to stand beyond: the caret stays at (1, 1).
    const int limit = (pastEol && lines_->Count() > 0) ? maxLineWidth_ + 1 : LineLength(y) + 1;
    int x = position.Char;
    if (x > limit && !(pastEol && options_.Contains(eoAutoSizeMaxLineWidth) && lines_->Count() > 0)) x = limit;
    x = std::max(x, 1);
    if (x == caret_.Char && y == caret_.Line) {
        desiredColumn_ = BufferToDisplayPos(caret_).Column;
    } else {
        TPaintLockGuard lock(*this);
        const int oldLine = caret_.Line;
        if (x != caret_.Char) {
            caret_.Char = x;
            StatusChanged(scCaretX);
        }
        if (y != caret_.Line) {
            caret_.Line = y;
            StatusChanged(scCaretY);
        }
        desiredColumn_ = BufferToDisplayPos(caret_).Column;
        if (scrollIntoView) EnsureCaretVisible(false);
        // Only the caret and, with an active-line colour, the two lines it left and entered need painting.
        if (activeLineColor_ != clNone && oldLine != caret_.Line) {
            InvalidateRows(oldLine, oldLine);
            InvalidateRows(caret_.Line, caret_.Line);
        }
        UpdateCaret();
    }
    PaintTransient(ttAfter);
}

void TCustomZefEdit::SetCaretPos(TBufferCoord position)
{
    TPaintLockGuard lock(*this);
    MoveCaret(position);
    if (HasSelection()) viewport()->update();
    anchor_ = caret_;
    head_ = caret_;
    StatusChanged(scSelection);
}

TBufferCoord TCustomZefEdit::ClampSelectionPoint(TBufferCoord position) const
{
    const int y = std::max(std::min(position.Line, lines_->Count()), 1);
    int x = std::clamp(position.Char, 1, maxLineWidth_ + 1);
    if (selectionMode_ == smNormal) x = std::min(x, LineLength(y) + 1);
    return BufferCoord(x, y);
}

void TCustomZefEdit::SetSelAnchor(TBufferCoord position)
{
    const TBufferCoord p = ClampSelectionPoint(position);
    const bool changed = p != anchor_ || p != head_;
    if (HasSelection()) viewport()->update();
    anchor_ = p;
    head_ = p;
    if (changed) StatusChanged(scSelection);
}

void TCustomZefEdit::SetSelHead(TBufferCoord position)
{
    if (options_.Contains(eoNoSelection)) return;
    TBufferCoord p = ClampSelectionPoint(position);
    if (dbcs::IsTrailByteAt(LineText(p.Line), p.Char)) --p.Char;
    if (p == head_) return;
    viewport()->update();
    head_ = p;
    StatusChanged(scSelection);
}

void TCustomZefEdit::SetCaretAndSelection(TBufferCoord caret, TBufferCoord anchor, TBufferCoord head)
{
    TPaintLockGuard lock(*this);
    MoveCaret(caret);
    SetSelAnchor(anchor);
    SetSelHead(head);
}

bool TCustomZefEdit::HasSelection() const
{
    return anchor_.Char != head_.Char || (anchor_.Line != head_.Line && selectionMode_ != smColumn);
}

void TCustomZefEdit::SelectEverything()
{
    TPaintLockGuard lock(*this);
    const int last = std::max(lines_->Count(), 1);
    const TBufferCoord end = BufferCoord(LineLength(last) + 1, last);
    MoveCaret(end);
    anchor_ = BufferCoord(1, 1);
    head_ = ClampSelectionPoint(end);
    viewport()->update();
    StatusChanged(scSelection);
}

void TCustomZefEdit::MoveCaretAndSelection(TBufferCoord from, TBufferCoord to, bool selecting)
{
    // A caret move ends a run of typing, so the next edit starts its own undo group.
    if (options_.Contains(eoGroupUndo) && undoList_->CanUndo()) undoList_->AddGroupBreak();
    TPaintLockGuard lock(*this);
    if (selecting) {
        if (!HasSelection()) SetSelAnchor(from);
        if (selectionMode_ == smColumn && from.Char == to.Char) {
            SetSelHead(BufferCoord(to.Char + 1, to.Line));
        } else {
            SetSelHead(to);
        }
    } else {
        SetSelAnchor(to);
    }
    MoveCaret(to);
}

void TCustomZefEdit::MoveCaretHorizontally(int delta, bool selecting)
{
    const bool pastEol = options_.Contains(eoScrollPastEol);
    const int length = LineLength(caret_.Line);
    TBufferCoord target = caret_;
    if (!pastEol && delta == -1 && caret_.Char == 1 && caret_.Line > 1) {
        target = BufferCoord(LineLength(caret_.Line - 1) + 1, caret_.Line - 1);
    } else if (!pastEol && delta == 1 && caret_.Char > length && caret_.Line < lines_->Count()) {
        target = BufferCoord(1, caret_.Line + 1);
    } else {
        target.Char = std::max(1, caret_.Char + delta);
        if (!pastEol && delta > 0) target.Char = std::min(target.Char, length + 1);
        if (dbcs::IsTrailByteAt(LineText(target.Line), target.Char)) target.Char += delta < 0 ? -1 : 1;
    }
    MoveCaretAndSelection(anchor_, target, selecting);
}

void TCustomZefEdit::MoveCaretVertically(int delta, bool selecting)
{
    const TDisplayCoord from = BufferToDisplayPos(caret_);
    const int row = std::clamp(from.Row + delta, 1, std::max(lines_->Count(), 1));
    const int column = (row != from.Row && options_.Contains(eoKeepCaretX)) ? desiredColumn_ : from.Column;
    TBufferCoord target = DisplayToBufferPos(TDisplayCoord{column, row});
    if (dbcs::IsTrailByteAt(LineText(target.Line), target.Char)) --target.Char;
    const int desired = desiredColumn_;
    MoveCaretAndSelection(anchor_, target, selecting);
    desiredColumn_ = desired;
}

TBufferCoord TCustomZefEdit::NextWordStart(TBufferCoord position) const
{
    return zefword::NextWordStart(*lines_, wordChars_, position);
}

TBufferCoord TCustomZefEdit::PreviousWordStart(TBufferCoord position) const
{
    return zefword::PreviousWordStart(*lines_, wordChars_, position);
}

TBufferCoord TCustomZefEdit::WordStartAt(TBufferCoord position) const
{
    return zefword::WordStartAt(*lines_, wordChars_, position);
}

TBufferCoord TCustomZefEdit::WordEndAt(TBufferCoord position) const
{
    return zefword::WordEndAt(*lines_, wordChars_, position);
}
