// Typing on the editor control: characters in insert and overwrite mode (padding in virtual space),
// input-method strings, and line breaks with automatic indentation. Every change is recorded for undo.
#include "ZefEdit.h"
#include "ZefEditScope.h"

#include "ZefDesktop.h"

#include "ZefEditRangeEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>

void TCustomZefEdit::InsertAtCaretReplacingSelection(std::string_view text)
{
    // One step: the selection's deletion and the new text, with the selection put back on undo.
    TEditScope scope(*this, 1);
    DeleteSelectionRecorded(ucDeleteBlock);
    if (lines_->Count() == 0) ReplaceExact(BufferCoord(1, 1), BufferCoord(1, 1), {});
    const TBufferCoord at = caret_;
    std::string line(LineText(at.Line));
    if (static_cast<int>(line.size()) < at.Char - 1) line.resize(static_cast<size_t>(at.Char - 1), ' ');
    line.insert(static_cast<size_t>(at.Char - 1), text);
    const TBufferCoord after = BufferCoord(at.Char + static_cast<int>(text.size()), at.Line);
    ChangeLines(ucInsert, at.Line, 1, {TrimmedForStore(line)}, at, after);
    CaretTo(after);
}

void TCustomZefEdit::ReplaceSelectionRecorded(TUndoKind kind, TZefSelectionMode pasteMode, std::string_view text)
{
    if (readOnly_) return;
    ReplaceSelectionExact(kind, pasteMode, text);
}

void TCustomZefEdit::ReplaceSelectionExact(TUndoKind kind, TZefSelectionMode pasteMode, std::string_view text)
{
    TEditScope scope(*this, 1);
    DeleteSelectionRecorded(ucDeleteBlock);
    if (text.empty()) return;
    if (lines_->Count() == 0) ReplaceExact(BufferCoord(1, 1), BufferCoord(1, 1), {});
    const TBufferCoord caret = caret_;
    const int count = lines_->Count();
    const int first = caret.Line;
    int last = first;
    if (pasteMode == smColumn) {
        // One piece per line from the caret line down; lines missing below are appended.
        const int pieces = static_cast<int>(zefrange::CountLinePieces(text));
        last = std::min(first + pieces - 1, count);
    }
    const std::string oldJoined = JoinedLines(first, last);
    ReplaceSelection(pasteMode, text, false);
    RecordLinesChange(kind, first, oldJoined, last - first + 1 + lines_->Count() - count,
                      pasteMode == smNormal ? caret : BufferCoord(1, first));
}

void TCustomZefEdit::TypeChar(char c)
{
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 32 || code == 127) return;
    if (HasSelection()) {
        InsertAtCaretReplacingSelection(std::string_view(&c, 1));
        return;
    }
    const TBufferCoord caret = caret_;
    const bool limited = insertMode_ && !options_.Contains(eoAutoSizeMaxLineWidth) &&
                         (caret.Char > maxLineWidth_ || lines_->GetExpandedWidth(caret.Line - 1) >= maxLineWidth_);
    // Positions are 32-bit: a line that long takes no more characters.
    const bool full = LineText(caret.Line).size() >= static_cast<size_t>(MaxMaxLineWidth) ||
                      caret.Char >= MaxMaxLineWidth;
    if (limited || full) {
        // A keystroke that cannot be applied is never dropped without a sound.
        ZefDesktop().Beep(TZefBeepKind::bkDefault);
        return;
    }
    if (TypeCharInPlace(c)) return;
    const std::string line(LineText(caret.Line));
    const int length = static_cast<int>(line.size());
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    std::string padded = line;
    if (caret.Char > length + 1) {
        // Padding up to the caret is its own record, so undo takes the blanks away with the character.
        const int width = caret.Char - length - 1;
        const std::string pad = length == 0 ? MakeIndent(width, true) : std::string(static_cast<size_t>(width), ' ');
        ReplaceExact(BufferCoord(length + 1, caret.Line), BufferCoord(length + 1, caret.Line), pad);
        undoList_->AddRecord(ucPadding, BufferCoord(length + 1, caret.Line), caret, {}, smNormal);
        editChanged_ = true;
        padded = line + pad;
    }
    // The character goes where the caret stands; after tab padding that is the padded line's end.
    const size_t at = std::min(static_cast<size_t>(caret.Char - 1), padded.size());
    const TBufferCoord from = BufferCoord(static_cast<int>(at) + 1, caret.Line);
    std::string changed = padded;
    if (!insertMode_ && at < changed.size()) {
        changed[at] = c;
    } else {
        changed.insert(at, 1, c);
    }
    int x = static_cast<int>(at) + 2;
    if (length == 0 && insertMode_) {
        x = static_cast<int>(changed.size()) + 1;
        if (c == ' ' && options_.Contains(eoTrimTrailingSpaces)) {
            x = TZefEditStringList::ExpandedWidthOf(changed, tabWidth_) + 1;
        }
    }
    const TBufferCoord after = BufferCoord(x, caret.Line);
    ChangeLines(ucInsert, caret.Line, 1, {TrimmedForStore(changed)}, from, after);
    CaretTo(after);
    ScrollAfterTyping();
}

bool TCustomZefEdit::TypeCharInPlace(char c)
{
    const TBufferCoord caret = caret_;
    const std::string_view line = LineText(caret.Line);
    const size_t length = line.size();
    const size_t at = static_cast<size_t>(caret.Char - 1);
    if (length == 0 || at > length) return false;
    const bool overwrite = !insertMode_ && at < length;
    if (options_.Contains(eoTrimTrailingSpaces)) {
        // Stored lines are trimmed; an edit that would leave blanks at the end goes the general way.
        const bool typedIsLast = at == length || (overwrite && at + 1 == length);
        const char last = typedIsLast ? c : line.back();
        if (last == ' ' || last == '\t') return false;
    }
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    const TBufferCoord after = BufferCoord(caret.Char + 1, caret.Line);
    if (!overwrite || line[at] != c) {
        const std::string oldText = overwrite ? std::string(1, line[at]) : std::string();
        const TBufferCoord oldEnd = overwrite ? after : caret;
        ChangeRange(ucInsert, caret, oldEnd, oldText, std::string_view(&c, 1), after);
    }
    CaretTo(after);
    ScrollAfterTyping();
    return true;
}

void TCustomZefEdit::ScrollAfterTyping()
{
    if (visibleColumns_ > 0 && BufferToDisplayPos(caret_).Column >= leftColumn_ + visibleColumns_) {
        SetLeftVisibleColumn(leftColumn_ + std::min(25, visibleColumns_ - 1));
    }
}

void TCustomZefEdit::InsertImeString(std::string_view text)
{
    if (text.empty()) return;
    if (HasSelection()) {
        InsertAtCaretReplacingSelection(text);
        viewport()->update();
        return;
    }
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    const TBufferCoord caret = caret_;
    std::string line(LineText(caret.Line));
    if (static_cast<int>(line.size()) < caret.Char - 1) line.resize(static_cast<size_t>(caret.Char - 1), ' ');
    const size_t at = static_cast<size_t>(caret.Char - 1);
    if (!insertMode_) line.erase(at, std::min(text.size(), line.size() - at));
    line.insert(at, text);
    const TBufferCoord after = BufferCoord(caret.Char + static_cast<int>(text.size()), caret.Line);
    ChangeLines(ucInsert, caret.Line, 1, {line}, caret, after);
    CaretTo(after);
    ScrollAfterTyping();
}

void TCustomZefEdit::LineBreak(bool moveCaret)
{
    TEditScope scope(*this, HasSelection() ? 1 : 0);
    DeleteSelectionRecorded(ucDeleteBlock);
    scope.CaretAnywhere();
    const TBufferCoord caret = caret_;
    const int lineNumber = caret.Line;
    const std::string line(LineText(lineNumber));
    const int length = static_cast<int>(line.size());
    std::vector<std::string> newLines;
    TBufferCoord after = caret;
    if (length == 0) {
        // An empty line: a new empty line above it, the caret indented like the nearest text above.
        int width = 0;
        for (int above = lineNumber - 1; above >= 1; --above) {
            if (LineLength(above) == 0) continue;
            width = LeadingWhitespaceWidth(LineText(above), true);
            break;
        }
        newLines = {std::string(), std::string()};
        if (moveCaret) after = BufferCoord(width + 1, lineNumber + 1);
    } else if (caret.Char > length + 1) {
        const int width = LeadingWhitespaceWidth(line, false);
        newLines = {line, moveCaret ? TrimmedForStore(line.substr(0, static_cast<size_t>(width))) : std::string()};
        if (moveCaret) after = BufferCoord(width + 1, lineNumber + 1);
    } else if (caret.Char == 1) {
        newLines = {std::string(), line};
        if (moveCaret) after = BufferCoord(1, lineNumber + 1);
    } else {
        const std::string left = line.substr(0, static_cast<size_t>(caret.Char - 1));
        const std::string indent = MakeIndent(LeadingWhitespaceWidth(left, true), true);
        newLines = {TrimmedForStore(left), indent + line.substr(left.size())};
        if (moveCaret) after = BufferCoord(static_cast<int>(indent.size()) + 1, lineNumber + 1);
    }
    ChangeLines(ucBreakLine, lineNumber, 1, newLines, caret, after);
    CaretTo(after);
    EnsureCaretVisible(false);
}
