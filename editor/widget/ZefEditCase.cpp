// Case conversion commands of the editor control: upper, lower, toggle and title case of a word or a block.
#include "ZefEdit.h"
#include "ZefEditScope.h"

#include "CodePage1252.h"
#include "ZefEditColumns.h"
#include "ZefEditRangeEdit.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <algorithm>

namespace {

// Converts text as the command says; title case makes the first byte upper case and the rest lower case.
void Convert(TZefEditorCommand command, std::string& text, bool& first)
{
    for (char& c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        unsigned char result = code;
        switch (command) {
        case ecUpperCase:
        case ecUpperCaseBlock: result = cp1252::ToUpper(code); break;
        case ecLowerCase:
        case ecLowerCaseBlock: result = cp1252::ToLower(code); break;
        case ecToggleCase:
        case ecToggleCaseBlock: {
            const unsigned char upper = cp1252::ToUpper(code);
            result = upper == code ? cp1252::ToLower(code) : upper;
            break;
        }
        case ecTitleCase: result = first ? cp1252::ToUpper(code) : cp1252::ToLower(code); break;
        default: break;
        }
        first = false;
        c = static_cast<char>(result);
    }
}

} // namespace

void TCustomZefEdit::ConvertCase(TZefEditorCommand command)
{
    const bool block = command >= ecUpperCaseBlock;
    const TBufferCoord caret = caret_;
    const TBufferCoord anchor = anchor_;
    const TBufferCoord head = head_;
    const bool hadSelection = HasSelection();
    TEditScope scope(*this, 2);
    if (!block) {
        SelectWordAt(caret);
        if (!HasSelection()) {
            const TBufferCoord previous = PreviousWordStart(caret);
            SelectWordAt(previous);
            if (!HasSelection()) SelectWordAt(PreviousWordStart(previous));
        }
    } else if (!hadSelection) {
        if (caret.Char > LineLength(caret.Line)) {
            if (caret.Line < lines_->Count()) CaretTo(BufferCoord(1, caret.Line + 1));
            return;
        }
        SetCaretAndSelection(BufferCoord(caret.Char + 1, caret.Line), caret, BufferCoord(caret.Char + 1, caret.Line));
    }
    if (!HasSelection()) {
        CaretTo(caret);
        return;
    }
    // The selected bytes of each line, converted in place: the line structure never changes.
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    const int lastLine = std::min(last.Line, lines_->Count());
    const int fromColumn = std::min(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
    const int toColumn = std::max(BufferToDisplayPos(anchor_).Column, BufferToDisplayPos(head_).Column);
    std::vector<std::string> newLines;
    bool firstByte = true;
    for (int line = first.Line; line <= lastLine; ++line) {
        std::string text(LineText(line));
        int a = 1;
        int b = static_cast<int>(text.size()) + 1;
        if (selectionMode_ == smNormal) {
            if (line == first.Line) a = first.Char;
            if (line == last.Line) b = last.Char;
        } else if (selectionMode_ == smColumn) {
            a = zefcolumns::ColumnToChar(text, tabWidth_, fromColumn);
            b = zefcolumns::ColumnToChar(text, tabWidth_, toColumn);
        }
        a = std::clamp(a, 1, static_cast<int>(text.size()) + 1);
        b = std::clamp(b, a, static_cast<int>(text.size()) + 1);
        std::string part = text.substr(static_cast<size_t>(a - 1), static_cast<size_t>(b - a));
        Convert(command, part, firstByte);
        text.replace(static_cast<size_t>(a - 1), part.size(), part);
        newLines.push_back(std::move(text));
    }
    // Text that converts to itself changes nothing and records nothing.
    const bool changes = JoinedLines(first.Line, lastLine) != zefrange::JoinLines(newLines);
    if (changes) {
        undoList_->AddRecord(ucSelectionMark, hadSelection ? anchor : caret, hadSelection ? head : caret, {},
                             selectionMode_);
        ChangeLines(ucInsert, first.Line, static_cast<int>(newLines.size()), newLines, BufferCoord(1, first.Line), caret);
    }
    if (!block) {
        CaretTo(caret);
    } else if (hadSelection) {
        SetCaretAndSelection(caret, anchor, head);
    } else {
        CaretTo(BufferCoord(caret.Char + 1, caret.Line));
    }
    const bool selected = HasSelection();
    if (changes) {
        undoList_->AddRecord(ucSelectionMark, selected ? anchor_ : caret_, selected ? head_ : caret_, {}, selectionMode_);
    }
}
