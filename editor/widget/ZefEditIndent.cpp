// Tab and Shift+Tab on the editor control (smart tabs, tabs to spaces) and block indentation and unindentation.
#include "ZefEdit.h"
#include "ZefEditScope.h"

#include "ZefEditColumns.h"
#include "ZefEditRangeEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

bool TCustomZefEdit::IsLineStartSelection() const
{
    return HasSelection() && SelFirst().Char <= 1 && SelLast().Char > LineLength(caret_.Line);
}

void TCustomZefEdit::Tab()
{
    if (options_.Contains(eoTabIndent) && HasSelection()) {
        const bool lineStart = IsLineStartSelection();
        if ((selectionMode_ != smColumn && SelFirst().Line != SelLast().Line) || lineStart) {
            BlockIndent(lineStart);
            return;
        }
    }
    // Smart width: from the caret's column to the next word start on the nearest line above that reaches it.
    int smart = 0;
    if (options_.Contains(eoSmartTabs) && caret_.Line > 1) {
        const int column = BufferToDisplayPos(caret_).Column;
        for (int above = caret_.Line - 1; above >= 1; --above) {
            const std::string_view text = LineText(above);
            const int index = zefcolumns::ColumnToChar(text, tabWidth_, column);
            if (index > static_cast<int>(text.size())) continue;
            size_t end = static_cast<size_t>(index - 1);
            while (end < text.size() && !IsBlank(text[end])) ++end;
            while (end < text.size() && IsBlank(text[end])) ++end;
            smart = static_cast<int>(end) - (index - 1);
            break;
        }
    }
    TEditScope scope(*this, HasSelection() ? 1 : 0);
    scope.CaretAnywhere();
    DeleteSelectionRecorded(ucDeleteBlock);
    const TBufferCoord at = caret_;
    const std::string line(LineText(at.Line));
    const int length = static_cast<int>(line.size());
    int width = smart;
    if (width == 0) {
        width = tabWidth_;
        if (options_.Contains(eoTabsToSpaces)) width = tabWidth_ - ((at.Char - 1) % tabWidth_);
    }
    std::string insert;
    int x = at.Char;
    if (options_.Contains(eoTabsToSpaces)) {
        insert.assign(static_cast<size_t>(width), ' ');
        x += width;
    } else if (options_.Contains(eoTrimTrailingSpaces) && at.Char > length + 1) {
        // Nothing would survive trimming: the caret only moves on.
        const int column = BufferToDisplayPos(at).Column;
        const int target = (options_.Contains(eoSmartTabs) && smart > 0) ? column + smart
                                                                          : ((column - 1) / tabWidth_ + 1) * tabWidth_ + 1;
        x += target - column;
    } else if (options_.Contains(eoSmartTabs)) {
        const bool textBefore = std::any_of(line.begin(), line.begin() + std::min(at.Char - 1, length),
                                            [](char c) { return !IsBlank(c); });
        if (textBefore) {
            insert = "\t";
        } else {
            // Tabs and spaces that reach the smart target column from the caret.
            int column = BufferToDisplayPos(at).Column;
            const int target = column + width;
            const int nextStop = ((column - 1) / tabWidth_ + 1) * tabWidth_ + 1;
            if (nextStop <= target) {
                insert += '\t';
                column = nextStop;
                while (column + tabWidth_ <= target) {
                    insert += '\t';
                    column += tabWidth_;
                }
            }
            insert.append(static_cast<size_t>(target - column), ' ');
        }
        x += static_cast<int>(insert.size());
    } else {
        insert = "\t";
        x += 1;
    }
    const TBufferCoord after = BufferCoord(x, at.Line);
    if (!insert.empty()) {
        std::string changed = line;
        if (length < at.Char - 1) changed.resize(static_cast<size_t>(at.Char - 1), ' ');
        changed.insert(static_cast<size_t>(at.Char - 1), insert);
        ChangeLines(ucInsert, at.Line, 1, {TrimmedForStore(changed)}, at, after);
    }
    CaretTo(after);
    EnsureCaretVisible(false);
}

void TCustomZefEdit::ShiftTab()
{
    if (options_.Contains(eoTabIndent) && HasSelection()) {
        if ((selectionMode_ != smColumn && SelFirst().Line != SelLast().Line) || IsLineStartSelection()) {
            BlockUnindent();
            return;
        }
    }
    const TBufferCoord caret = caret_;
    const std::string line(LineText(caret.Line));
    const int length = static_cast<int>(line.size());
    int t = caret.Char;
    if (options_.Contains(eoSmartTabs) && caret.Char > 1) {
        for (int above = caret.Line - 1; above >= 1; --above) {
            const std::string_view text = LineText(above);
            if (static_cast<int>(text.size()) < caret.Char - 1) continue;
            int i = caret.Char - 1;
            while (i > 1 && text[static_cast<size_t>(i - 1)] == ' ') --i;
            while (i > 1 && text[static_cast<size_t>(i - 2)] != ' ') --i;
            t = i;
            break;
        }
    }
    if (t == caret.Char && caret.Char > 1) {
        const int stop = tabWidth_ * ((caret.Char - 2) / tabWidth_) + 1;
        if (caret.Char > length + 1) {
            t = stop;
        } else if (line[static_cast<size_t>(caret.Char - 2)] == '\t') {
            t = caret.Char - 1;
        } else {
            while (t > stop && line[static_cast<size_t>(t - 2)] == ' ') --t;
        }
    }
    if (t >= caret.Char) return;
    TEditScope scope(*this, 0);
    scope.CaretAnywhere();
    const TBufferCoord after = BufferCoord(t, caret.Line);
    if (t <= length) {
        std::string changed = line.substr(0, static_cast<size_t>(t - 1));
        changed.append(line.substr(static_cast<size_t>(std::min(caret.Char - 1, length))));
        ChangeLines(ucDeleteLine, caret.Line, 1, {TrimmedForStore(changed)}, after, after);
    }
    CaretTo(after);
}

void TCustomZefEdit::BlockIndent(bool lineStartSelection)
{
    if (!HasSelection()) return;
    TEditScope scope(*this, 2);
    if (lineStartSelection) {
        // The end with the smaller index moves to index 1.
        (anchor_.Char <= head_.Char ? anchor_ : head_).Char = 1;
    }
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    const int lastLine = (last.Char == 1 && last.Line > first.Line) ? last.Line - 1 : last.Line;
    const bool column = selectionMode_ == smColumn;
    const int at = column ? std::min(anchor_.Char, head_.Char) : 1;
    const std::string indent = options_.Contains(eoTabsToSpaces) ? std::string(static_cast<size_t>(tabWidth_), ' ') : "\t";
    const int shift = static_cast<int>(indent.size());
    std::vector<std::string> newLines;
    for (int line = first.Line; line <= std::min(lastLine, std::max(lines_->Count(), 1)); ++line) {
        std::string text(LineText(line));
        if (static_cast<int>(text.size()) < at - 1) text.resize(static_cast<size_t>(at - 1), ' ');
        text.insert(static_cast<size_t>(at - 1), indent);
        newLines.push_back(TrimmedForStore(std::move(text)));
    }
    // Indenting nothing but empty lines that are stored trimmed changes nothing and records nothing.
    if (JoinedLines(first.Line, first.Line + static_cast<int>(newLines.size()) - 1) == zefrange::JoinLines(newLines)) return;
    // The change collapses the selection; the new one is worked out from the old ends.
    const TBufferCoord oldAnchor = anchor_;
    const TBufferCoord oldHead = head_;
    const TBufferCoord oldCaret = caret_;
    undoList_->AddRecord(ucIndent, anchor_, head_, {}, selectionMode_);
    ChangeLines(ucPaste, first.Line, static_cast<int>(newLines.size()), newLines, BufferCoord(at, first.Line), caret_);
    auto shifted = [&](TBufferCoord p) {
        if (p.Line < first.Line || p.Line > lastLine || (column && p.Char < at)) return p;
        return BufferCoord(p.Char + shift, p.Line);
    };
    const TBufferCoord anchor = shifted(oldAnchor);
    const TBufferCoord head = shifted(oldHead);
    SetCaretAndSelection(shifted(oldCaret), anchor, head);
    undoList_->AddRecord(ucIndent, anchor, head, {}, selectionMode_);
}

void TCustomZefEdit::BlockUnindent()
{
    if (!HasSelection()) return;
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    const int lastLine = std::min((last.Char == 1 && last.Line > first.Line) ? last.Line - 1 : last.Line, lines_->Count());
    const bool column = selectionMode_ == smColumn;
    const int at = column ? std::min(anchor_.Char, head_.Char) : 1;
    std::vector<std::string> newLines;
    std::vector<int> removed;
    bool any = false;
    for (int line = first.Line; line <= lastLine; ++line) {
        std::string text(LineText(line));
        const size_t from = static_cast<size_t>(at - 1);
        size_t count = 0;
        if (from < text.size() && text[from] == '\t') {
            count = 1;
        } else {
            while (count < static_cast<size_t>(tabWidth_) && from + count < text.size() && text[from + count] == ' ') {
                ++count;
            }
            if (count < static_cast<size_t>(tabWidth_) && from + count < text.size() && text[from + count] == '\t') {
                ++count;
            }
        }
        if (count > 0) {
            text.erase(from, count);
            any = true;
        }
        removed.push_back(static_cast<int>(count));
        newLines.push_back(std::move(text));
    }
    if (!any) return;
    TEditScope scope(*this, 2);
    const TBufferCoord oldAnchor = anchor_;
    const TBufferCoord oldHead = head_;
    const TBufferCoord oldCaret = caret_;
    undoList_->AddRecord(ucIndent, anchor_, head_, {}, selectionMode_);
    ChangeLines(ucUnindent, first.Line, static_cast<int>(newLines.size()), newLines, BufferCoord(at, first.Line), caret_);
    auto prefixOf = [&](int line) {
        return (line >= first.Line && line <= lastLine) ? removed[static_cast<size_t>(line - first.Line)] : 0;
    };
    auto shrunk = [&](TBufferCoord p) {
        if (column || p.Char == 1) return p;
        return BufferCoord(std::max(p.Char - prefixOf(p.Line), 1), p.Line);
    };
    const TBufferCoord anchor = shrunk(oldAnchor);
    const TBufferCoord head = shrunk(oldHead);
    SetCaretAndSelection(shrunk(oldCaret), anchor, head);
    undoList_->AddRecord(ucIndent, anchor, head, {}, selectionMode_);
}
