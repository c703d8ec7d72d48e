// Reading and replacing text in the editor control: selected text, the replacement primitive in its three modes,
// trimmed line storage, indentation helpers and whole-text access.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "DoubleByte.h"
#include "ZefEditColumns.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>
#include <vector>

namespace {

std::string_view TrimTrailingBlanks(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(0, end);
}

// CR, LF and CR LF each end a piece, so n breaks give n + 1 pieces. NUL is an ordinary character.
std::vector<std::string_view> SplitPieces(std::string_view text)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        pieces.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// Characters [from, to) of line (indexes from 1), clamped to the line.
std::string_view Slice(std::string_view line, int from, int to)
{
    const int length = static_cast<int>(line.size());
    const int a = std::clamp(from - 1, 0, length);
    const int b = std::clamp(to - 1, a, length);
    return line.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
}

// Keeps the line store inside one update bracket for a scope, also when a store operation throws.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TZefEditStringList& lines) : lines_(lines) { lines_.BeginUpdate(); }
    ~TUpdateBracket() { lines_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TZefEditStringList& lines_;
};

} // namespace

std::string TCustomZefEdit::SelectedText() const
{
    if (!HasSelection()) return {};
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    std::string result;
    switch (selectionMode_) {
    case smNormal:
        if (first.Line == last.Line) return std::string(Slice(LineText(first.Line), first.Char, last.Char));
        result.append(Slice(LineText(first.Line), first.Char, INT32_MAX));
        for (int line = first.Line + 1; line < last.Line; ++line) result.append("\r\n").append(LineText(line));
        result.append("\r\n").append(Slice(LineText(last.Line), 1, last.Char));
        return result;
    case smLine:
        for (int line = first.Line; line <= last.Line; ++line) {
            result.append(LineText(line));
            if (line != lines_->Count()) result.append("\r\n");
        }
        return result;
    case smColumn: {
        const int from = std::min(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
        const int to = std::max(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
        const bool pad = !options_.Contains(eoTrimTrailingSpaces);
        for (int line = first.Line; line <= last.Line; ++line) {
            const std::string_view text = LineText(line);
            const int a = zefcolumns::ColumnToChar(text, tabWidth_, from);
            const int b = zefcolumns::ColumnToChar(text, tabWidth_, to);
            if (line != first.Line) result.append("\r\n");
            const std::string_view piece = Slice(text, a, b);
            result.append(piece);
            if (pad) result.append(static_cast<size_t>(b - a) - piece.size(), ' ');
        }
        return result;
    }
    }
    return result;
}

void TCustomZefEdit::SetSelectedText(std::string_view text)
{
    // A programmatic replacement: it works on a read-only control too, and records byte-exactly (the blanks
    // the primitive pads with or trims away come back on undo) in one undo step.
    ReplaceSelectionExact(ucInsert, selectionMode_, text);
}

void TCustomZefEdit::ReplaceSelection(TZefSelectionMode pasteMode, std::string_view text, bool recordPerLine)
{
    TPaintLockGuard lock(*this);
    PaintTransient(ttBefore);
    {
        TUpdateBracket bracket(*lines_);
        if (HasSelection()) DeleteSelectionForReplace(SelFirst(), SelLast());
        if (!text.empty()) {
            switch (pasteMode) {
            case smNormal: InsertNormal(text); break;
            case smLine: InsertLines(text); break;
            case smColumn: InsertColumn(text, recordPerLine); break;
            }
        }
        // The caret line is never below 1 here: PlaceCaret clamps it. Collapse now as well, because an
        // enclosing update bracket (a replace-all loop) delays the line-change reaction that does it.
        SetSelAnchor(caret_);
    }
    PaintTransient(ttAfter);
}

void TCustomZefEdit::DeleteSelectionForReplace(TBufferCoord first, TBufferCoord last)
{
    switch (selectionMode_) {
    case smNormal: {
        if (lines_->Count() == 0) break;
        std::string joined(Slice(LineText(first.Line), 1, first.Char));
        joined.append(Slice(LineText(last.Line), last.Char, INT32_MAX));
        const int removed = last.Line - first.Line;
        if (removed > 0) {
            lines_->RemoveLines(first.Line, removed);
            marks_->LinesRemoved(first.Line + 1, removed);
        }
        const bool trim = options_.Contains(eoScrollPastEol) && options_.Contains(eoTrimTrailingSpaces);
        lines_->ReplaceLine(first.Line - 1, trim ? TrimTrailingBlanks(joined) : std::string_view(joined));
        MoveCaret(first);
        break;
    }
    case smLine: {
        const int count = lines_->Count();
        const int lastLine = std::min(last.Line, count);
        if (lastLine < first.Line) break;
        if (lastLine == count) {
            // The document keeps an empty last line instead of losing it.
            const int removed = lastLine - first.Line;
            if (removed > 0) {
                lines_->RemoveLines(first.Line - 1, removed);
                marks_->LinesRemoved(first.Line, removed);
            }
            lines_->ReplaceLine(first.Line - 1, {});
        } else {
            const int removed = lastLine - first.Line + 1;
            lines_->RemoveLines(first.Line - 1, removed);
            marks_->LinesRemoved(first.Line, removed);
        }
        MoveCaret(BufferCoord(1, first.Line));
        break;
    }
    case smColumn: {
        const int from = std::min(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
        const int to = std::max(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
        const int headLine = head_.Line;
        for (int line = first.Line; line <= std::min(last.Line, lines_->Count()); ++line) {
            std::string text(LineText(line));
            const int a = zefcolumns::ColumnToChar(text, tabWidth_, from);
            const int b = zefcolumns::ColumnToChar(text, tabWidth_, to);
            const int length = static_cast<int>(text.size());
            if (a <= length) text.erase(static_cast<size_t>(a - 1), static_cast<size_t>(std::min(b, length + 1) - a));
            SetLineTrimmed(line - 1, text);
        }
        MoveCaret(BufferCoord(zefcolumns::ColumnToChar(LineText(headLine), tabWidth_, from), headLine));
        break;
    }
    }
}

void TCustomZefEdit::InsertNormal(std::string_view text)
{
    const TBufferCoord start = caret_;
    const std::string_view line = LineText(start.Line);
    const int length = static_cast<int>(line.size());
    const int split = start.Char - 1;
    std::string left(line.substr(0, static_cast<size_t>(std::min(split, length))));
    if (split > length) left.append(static_cast<size_t>(split - length), ' ');
    const std::string right(line.substr(static_cast<size_t>(std::min(split, length))));

    const std::vector<std::string_view> pieces = SplitPieces(text);
    const int added = static_cast<int>(pieces.size()) - 1;
    std::string lastPiece;
    if (added == 0) {
        lastPiece = left;
        lastPiece.append(pieces[0]);
    } else {
        SetLineTrimmed(start.Line - 1, left.append(pieces[0]));
        lines_->InsertEmptyLines(start.Line, added);
        marks_->LinesInserted(start.Char == 1 ? start.Line : start.Line + 1, added);
        for (int i = 1; i < added; ++i) SetLineTrimmed(start.Line - 1 + i, pieces[static_cast<size_t>(i)]);
        lastPiece = pieces.back();
    }
    const int endLine = start.Line + added;
    SetLineTrimmed(endLine - 1, lastPiece + right);

    const std::string_view stored = LineText(endLine);
    int x = 0;
    if (right.empty()) {
        // Blanks trimmed off the end become virtual columns, so the caret still stands after the typed text.
        x = static_cast<int>(stored.size()) + 1 + TZefEditStringList::ExpandedWidthOf(lastPiece, tabWidth_) -
            TZefEditStringList::ExpandedWidthOf(stored, tabWidth_);
    } else {
        const bool trim = options_.Contains(eoTrimTrailingSpaces);
        const size_t rightLength = trim ? TrimTrailingBlanks(right).size() : right.size();
        x = static_cast<int>(stored.size() - rightLength) + 1;
    }
    MoveCaret(BufferCoord(x, endLine));
}

void TCustomZefEdit::InsertLines(std::string_view text)
{
    const bool trim = options_.Contains(eoTrimTrailingSpaces);
    const int firstLine = caret_.Line;
    MoveCaret(BufferCoord(1, firstLine));
    const std::vector<std::string_view> pieces = SplitPieces(text);
    int line = firstLine;
    for (size_t i = 0; i + 1 < pieces.size(); ++i, ++line) {
        lines_->InsertLine(line - 1, trim ? TrimTrailingBlanks(pieces[i]) : pieces[i]);
    }
    if (pieces.size() > 1) marks_->LinesInserted(firstLine, static_cast<int>(pieces.size()) - 1);
    const std::string_view last = pieces.back();
    std::string joined(last);
    if (line <= lines_->Count()) joined.append(LineText(line));
    SetLineTrimmed(std::min(line - 1, lines_->Count()), joined);
    MoveCaret(BufferCoord(static_cast<int>(last.size()) + 1, line));
}

void TCustomZefEdit::InsertColumn(std::string_view text, bool recordPerLine)
{
    int x = caret_.Char;
    const int firstLine = caret_.Line;
    if (dbcs::IsTrailByteAt(LineText(firstLine), x)) ++x;
    const std::vector<std::string_view> pieces = SplitPieces(text);
    int line = firstLine;
    for (const std::string_view piece : pieces) {
        std::string stored;
        if (line <= lines_->Count()) {
            stored = LineText(line);
            if (static_cast<int>(stored.size()) < x - 1) stored.resize(static_cast<size_t>(x - 1), ' ');
            stored.insert(static_cast<size_t>(x - 1), piece);
        } else {
            // Below the last line: a new line, recorded as a line break at the end of the line above.
            if (recordPerLine && line > 1) {
                const TBufferCoord end = BufferCoord(LineLength(line - 1) + 1, line - 1);
                undoList_->AddRecord(ucBreakLine, end, end, {}, smNormal);
            }
            stored.assign(static_cast<size_t>(x - 1), ' ');
            stored.append(piece);
        }
        SetLineTrimmed(line - 1, stored);
        if (recordPerLine) {
            const int pieceLength = static_cast<int>(piece.size());
            undoList_->AddRecord(ucPaste, BufferCoord(x, line), BufferCoord(x + pieceLength, line), {}, smColumn);
        }
        ++line;
    }
    MoveCaret(BufferCoord(x + static_cast<int>(pieces.back().size()), firstLine));
}

void TCustomZefEdit::SetLineTrimmed(int index, std::string_view text)
{
    lines_->ReplaceLine(index, options_.Contains(eoTrimTrailingSpaces) ? TrimTrailingBlanks(text) : text);
}

int TCustomZefEdit::LeadingWhitespaceWidth(std::string_view text, bool expandTabs) const
{
    if (!options_.Contains(eoAutoIndent)) return 0;
    int width = 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 32) break;
        width += (c == '\t' && expandTabs) ? tabWidth_ : 1;
    }
    return width;
}

std::string TCustomZefEdit::MakeIndent(int width, bool tabsAllowed) const
{
    width = std::max(width, 0);
    if (!tabsAllowed || options_.Contains(eoTabsToSpaces) || width < tabWidth_) {
        return std::string(static_cast<size_t>(width), ' ');
    }
    return std::string(static_cast<size_t>(width / tabWidth_), '\t') +
           std::string(static_cast<size_t>(width % tabWidth_), ' ');
}

std::string TCustomZefEdit::Text() const
{
    std::string text = lines_->GetText();
    if (text.size() >= 2) text.resize(text.size() - 2); // no break after the last line
    return text;
}

void TCustomZefEdit::SetText(std::string_view text) { lines_->SetText(text); }

std::string TCustomZefEdit::CurrentLineText() const
{
    if (caret_.Line < 1 || caret_.Line > lines_->Count()) return {};
    return std::string(LineText(caret_.Line));
}

void TCustomZefEdit::SetCurrentLineText(std::string_view text)
{
    if (caret_.Line < 1 || caret_.Line > lines_->Count()) return;
    lines_->ReplaceLine(caret_.Line - 1, text);
}

void TCustomZefEdit::ClearDocument()
{
    TPaintLockGuard lock(*this);
    lines_->ClearAll();
    marks_->Clear();
    undoList_->ClearRecords();
    SetModified(false);
}
