// Deleting on the editor control: the selection as a whole, Backspace with smart tab deletion, Delete, and the
// word and line deletions. Every change is recorded for undo.
#include "ZefEdit.h"
#include "ZefEditScope.h"

#include "ZefEditColumns.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>

void TCustomZefEdit::DeleteSelectionRecorded(TUndoKind kind)
{
    if (!HasSelection() || lines_->Count() == 0) return;
    const TBufferCoord first = SelFirst();
    const int count = lines_->Count();
    const int firstLine = std::min(first.Line, count);
    int lastLine = std::min(SelLast().Line, count);
    // Whole lines disappear in line mode: the run compared before and after takes in the line that follows.
    if (selectionMode_ == smLine && lastLine < count) ++lastLine;
    const std::string oldJoined = JoinedLines(firstLine, lastLine);
    const TBufferCoord hint = selectionMode_ == smNormal ? first : BufferCoord(1, firstLine);
    ReplaceSelection(selectionMode_, {}, false);
    const int newCount = std::max(lastLine - firstLine + 1 + (lines_->Count() - count), 1);
    RecordLinesChange(kind, firstLine, oldJoined, newCount, hint);
}

int TCustomZefEdit::IndentOfLinesAbove(int line, int limit) const
{
    // Nearest line above first: the first leading-blank width below limit; line 1's when none is smaller.
    int width = 0;
    for (int above = line - 1; above >= 1; --above) {
        width = LeadingWhitespaceWidth(LineText(above), false);
        if (width < limit) break;
    }
    return width == limit ? 0 : width;
}

void TCustomZefEdit::DeleteLastChar()
{
    if (HasSelection()) {
        TEditScope scope(*this, 1);
        DeleteSelectionRecorded(anchor_ < head_ ? ucDeleteBlock : ucDeleteLine);
        return;
    }
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    const TBufferCoord caret = caret_;
    const std::string_view line = LineText(caret.Line);
    const int length = static_cast<int>(line.size());
    if (caret.Char > length + 1) {
        // Virtual space: only the caret moves back; the record lets undo put it where it was.
        int x = caret.Char - 1;
        if (options_.Contains(eoSmartTabDelete)) {
            x = length > 0 ? length + 1 : IndentOfLinesAbove(caret.Line, caret.Char - 1) + 1;
        }
        const TBufferCoord target = BufferCoord(x, caret.Line);
        undoList_->AddRecord(ucDeleteBackward, target, caret, {}, smNormal);
        CaretTo(target);
        return;
    }
    if (caret.Char == 1) {
        if (caret.Line == 1) return;
        const int previousLength = LineLength(caret.Line - 1);
        const std::string joined = std::string(LineText(caret.Line - 1)) + TrimmedForStore(std::string(line));
        const TBufferCoord after = BufferCoord(previousLength + 1, caret.Line - 1);
        ChangeLines(ucDeleteBackward, caret.Line - 1, 2, {joined}, after, after);
        // The hint above is the join point; undo must still bring the caret back to the line start.
        CaretTo(after);
        return;
    }
    const int leading = LeadingWhitespaceWidth(line, false);
    const unsigned char before = static_cast<unsigned char>(line[static_cast<size_t>(caret.Char - 2)]);
    int count = 1;
    if (before <= 32 && caret.Char - 1 == leading) {
        if (options_.Contains(eoSmartTabDelete)) {
            count = leading - IndentOfLinesAbove(caret.Line, leading);
        } else {
            const int column = BufferToDisplayPos(caret).Column;
            int span = (column - 1) % tabWidth_;
            if (span == 0) span = tabWidth_;
            count = 0;
            for (int i = caret.Char - 2, columns = 0; i >= 0 && columns < span; --i, ++columns) {
                ++count;
                if (line[static_cast<size_t>(i)] == '\t') break;
            }
        }
        count = std::clamp(count, 1, caret.Char - 1);
    }
    const TBufferCoord after = BufferCoord(caret.Char - count, caret.Line);
    if (!DeleteInLine(ucDeleteBackward, after, count, after)) {
        std::string changed(line);
        changed.erase(static_cast<size_t>(caret.Char - 1 - count), static_cast<size_t>(count));
        ChangeLines(ucDeleteBackward, caret.Line, 1, {TrimmedForStore(changed)}, after, after);
    }
    CaretTo(after);
}

bool TCustomZefEdit::DeleteInLine(TUndoKind kind, TBufferCoord from, int count, TBufferCoord caretAfter)
{
    const std::string_view line = LineText(from.Line);
    const size_t at = static_cast<size_t>(from.Char - 1);
    const size_t length = static_cast<size_t>(count);
    if (at + length > line.size()) return false;
    if (options_.Contains(eoTrimTrailingSpaces)) {
        // Stored lines are trimmed: when the deletion would leave blanks at the end, the general path trims them.
        const bool atEnd = at + length == line.size();
        const std::string_view kept = atEnd ? line.substr(0, at) : line;
        if (!kept.empty() && (kept.back() == ' ' || kept.back() == '\t')) return false;
    }
    const std::string oldText(line.substr(at, length));
    ChangeRange(kind, from, BufferCoord(from.Char + count, from.Line), oldText, {}, caretAfter);
    return true;
}

void TCustomZefEdit::DeleteChar()
{
    if (HasSelection()) {
        TEditScope scope(*this, 1);
        DeleteSelectionRecorded(anchor_ < head_ ? ucDeleteBlock : ucDeleteLine);
        return;
    }
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    const TBufferCoord caret = caret_;
    const std::string_view line = LineText(caret.Line);
    const int length = static_cast<int>(line.size());
    if (caret.Char > length) {
        if (caret.Line >= lines_->Count()) return;
        // Join the next line at the caret; blanks up to a caret in virtual space become part of the line.
        std::string joined(line);
        joined.resize(static_cast<size_t>(std::max(length, caret.Char - 1)), ' ');
        joined.append(LineText(caret.Line + 1));
        ChangeLines(ucDeleteForward, caret.Line, 2, {joined}, caret, caret);
    } else if (!DeleteInLine(ucDeleteForward, caret, 1, caret)) {
        std::string changed(line);
        changed.erase(static_cast<size_t>(caret.Char - 1), 1);
        ChangeLines(ucDeleteForward, caret.Line, 1, {TrimmedForStore(changed)}, caret, caret);
    }
    CaretTo(caret);
}

void TCustomZefEdit::DeleteForwardTo(bool toWordEnd)
{
    const TBufferCoord caret = caret_;
    const std::string line(LineText(caret.Line));
    const int length = static_cast<int>(line.size());
    TBufferCoord end = toWordEnd ? WordEndAt(caret) : BufferCoord(length + 1, caret.Line);
    if (toWordEnd) {
        if (caret >= end) {
            if (end.Char > length) {
                if (caret.Line >= lines_->Count()) return;
                end = BufferCoord(1, caret.Line + 1);
            } else if (line[static_cast<size_t>(end.Char - 1)] != ' ') {
                ++end.Char;
            }
        }
        const std::string_view endLine = LineText(end.Line);
        while (end.Char <= static_cast<int>(endLine.size()) && endLine[static_cast<size_t>(end.Char - 1)] == ' ') {
            ++end.Char;
        }
    }
    if (end == caret || (end.Line == caret.Line && end.Char <= std::min(caret.Char, length + 1))) return;
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    // Blanks keep the caret's column when it stands in virtual space before a joined line.
    std::string changed = line.substr(0, static_cast<size_t>(std::min(caret.Char - 1, length)));
    if (caret.Char - 1 > length) changed.append(static_cast<size_t>(caret.Char - 1 - length), ' ');
    const std::string_view endLine = LineText(end.Line);
    changed.append(endLine.substr(std::min(static_cast<size_t>(end.Char - 1), endLine.size())));
    ChangeLines(ucDeleteForward, caret.Line, end.Line - caret.Line + 1, {TrimmedForStore(changed)}, caret, caret);
    CaretTo(caret);
}

void TCustomZefEdit::DeleteBackwardTo(bool toWordStart)
{
    const TBufferCoord caret = caret_;
    const TBufferCoord start = toWordStart ? PreviousWordStart(caret) : BufferCoord(1, caret.Line);
    if (start == caret) return;
    const std::string line(LineText(caret.Line));
    const int to = std::min(caret.Char, static_cast<int>(line.size()) + 1);
    if (start.Line == caret.Line && start.Char >= to) {
        // Only virtual space lies between: the caret moves, nothing is deleted.
        TEditScope scope(*this, 0);
        undoList_->AddRecord(ucDeleteBackward, start, caret, {}, smNormal);
        CaretTo(start);
        return;
    }
    TEditScope scope(*this, 0);
    const std::string_view startLine = LineText(start.Line);
    std::string changed(startLine.substr(0, std::min(static_cast<size_t>(start.Char - 1), startLine.size())));
    changed.append(line.substr(static_cast<size_t>(to - 1)));
    ChangeLines(ucDeleteBackward, start.Line, caret.Line - start.Line + 1, {TrimmedForStore(changed)}, start, start);
    CaretTo(start);
}

void TCustomZefEdit::DeleteCaretLine()
{
    const int count = lines_->Count();
    if (count == 0 || (count == 1 && LineLength(1) == 0)) return;
    TEditScope scope(*this, 1);
    SetSelAnchor(caret_);
    const int line = caret_.Line;
    if (count == 1) {
        ChangeLines(ucDeleteLine, 1, 1, {std::string()}, BufferCoord(1, 1), BufferCoord(1, 1), false);
    } else if (line < count) {
        ChangeLines(ucDeleteLine, line, 2, {std::string(LineText(line + 1))}, BufferCoord(1, line), BufferCoord(1, line),
                    false);
        marks_->LinesRemoved(line, 1);
    } else {
        // The last line goes with the line break before it.
        const TBufferCoord end = BufferCoord(LineLength(line - 1) + 1, line - 1);
        ChangeLines(ucDeleteLine, line - 1, 2, {std::string(LineText(line - 1))}, end, end, false);
        marks_->LinesRemoved(line, 1);
    }
    CaretTo(BufferCoord(1, std::min(line, lines_->Count())));
}
