// The editor control's command dispatcher, the built-in command table (RunCommand) and the keyboard, input-method
// and focus events that feed it.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "CodePage1252.h"
#include "QtKeyTranslation.h"
#include "ZefEditTextBuffer.h"
#include "ZefKeyboardInput.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

void TCustomZefEdit::DispatchCommand(TZefEditorCommand command, char ch, void* data)
{
    if (command >= ecUserFirst) {
        if (OnProcessUserCommand) OnProcessUserCommand(this, command, ch, data);
    } else if (OnProcessCommand) {
        OnProcessCommand(this, command, ch, data);
    }
    if (command != ecNone && command < ecUserFirst) RunCommand(command, ch, data);
    if (OnCommandProcessed) OnCommandProcessed(this, command, ch, data);
}

TZefEditorCommand TCustomZefEdit::KeyToCommand(TVirtualKey key, TShiftState shift)
{
    return keyboard_->KeyToCommand(key, shift);
}

namespace {

// The commands that change text, undo or redo; a read-only control ignores them.
bool IsEditCommand(TZefEditorCommand command)
{
    return command >= ecDeleteLastChar && command <= ecToggleCaseBlock;
}

bool IsMoveCommand(TZefEditorCommand command)
{
    return (command >= ecLeft && command <= ecGotoXY) || (command >= ecSelLeft && command <= ecSelGotoXY);
}

} // namespace

void TCustomZefEdit::RunCommand(TZefEditorCommand command, char ch, void* data)
{
    if (readOnly_ && IsEditCommand(command)) return;
    TPaintLockGuard lock(*this);
    if (IsMoveCommand(command)) {
        RunMoveCommand(command, data);
        return;
    }
    switch (command) {
    case ecSelectAll: SelectEverything(); break;
    case ecScrollUp: ScrollVertically(-1); break;
    case ecScrollDown: ScrollVertically(1); break;
    case ecScrollLeft: SetLeftVisibleColumn(leftColumn_ - 1); break;
    case ecScrollRight: SetLeftVisibleColumn(leftColumn_ + 1); break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!insertMode_); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecContextHelp:
        if (OnContextHelp) {
            const TBufferCoord start = WordStartAt(caret_);
            const TBufferCoord end = WordEndAt(caret_);
            const std::string_view line = LineText(caret_.Line);
            const size_t from = std::min(static_cast<size_t>(start.Char - 1), line.size());
            OnContextHelp(this, std::string(line.substr(from, static_cast<size_t>(std::max(end.Char - start.Char, 0)))));
        }
        break;
    case ecClearAll: ClearDocument(); break;

    case ecMatchBracket: MoveCaret(FindMatchingBracket()); break;
    case ecDeleteLastChar: DeleteLastChar(); break;
    case ecDeleteChar: DeleteChar(); break;
    case ecDeleteWord: DeleteForwardTo(true); break;
    case ecDeleteEOL: DeleteForwardTo(false); break;
    case ecDeleteLastWord: DeleteBackwardTo(true); break;
    case ecDeleteBOL: DeleteBackwardTo(false); break;
    case ecDeleteLine: DeleteCaretLine(); break;
    case ecLineBreak: LineBreak(true); break;
    case ecInsertLine: LineBreak(false); break;
    case ecChar: TypeChar(ch); break;
    case ecImeStr:
        if (data != nullptr) InsertImeString(static_cast<const char*>(data));
        break;
    case ecUndo: Undo(); break;
    case ecRedo: Redo(); break;
    case ecBlockIndent: BlockIndent(false); break;
    case ecBlockUnindent: BlockUnindent(); break;
    case ecTab: Tab(); break;
    case ecShiftTab: ShiftTab(); break;
    case ecUpperCase:
    case ecLowerCase:
    case ecToggleCase:
    case ecTitleCase:
    case ecUpperCaseBlock:
    case ecLowerCaseBlock:
    case ecToggleCaseBlock: ConvertCase(command); break;

    case ecCopy: CopySelection(); break;
    case ecCut:
        if (HasSelection()) CutSelection();
        break;
    case ecPaste: PasteText(); break;

    default:
        if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
            if (bookmarkOptions_.EnableKeys) GotoBookmark(command - ecGotoMarker0);
        } else if (command >= ecSetMarker0 && command <= ecSetMarker9) {
            if (bookmarkOptions_.EnableKeys) ToggleBookmark(command - ecSetMarker0, data);
        }
        // The focus commands ecGotFocus / ecLostFocus, ecString and ecAutoCompletion run nothing.
        break;
    }
}

void TCustomZefEdit::RunMoveCommand(TZefEditorCommand command, void* data)
{
    const bool selecting = command >= ecSelection;
    const TZefEditorCommand move = selecting ? static_cast<TZefEditorCommand>(command - ecSelection) : command;
    auto moveTo = [&](TBufferCoord to) { MoveCaretAndSelection(caret_, to, selecting); };
    auto pageRows = [&] {
        int rows = visibleLines_;
        if (options_.Contains(eoHalfPageScroll)) rows /= 2;
        if (options_.Contains(eoScrollByOneLess)) --rows;
        return rows;
    };
    const int caretColumn = BufferToDisplayPos(caret_).Column;
    switch (move) {
    case ecLeft: MoveCaretHorizontally(-1, selecting); break;
    case ecRight: MoveCaretHorizontally(1, selecting); break;
    case ecUp: MoveCaretVertically(-1, selecting); break;
    case ecDown: MoveCaretVertically(1, selecting); break;
    case ecWordLeft: moveTo(PreviousWordStart(caret_)); break;
    case ecWordRight: moveTo(NextWordStart(caret_)); break;
    case ecLineStart: RunHome(selecting); break;
    case ecLineEnd: moveTo(BufferCoord(LineLength(caret_.Line) + 1, caret_.Line)); break;
    case ecPageUp: {
        const int rows = pageRows();
        SetTopVisibleLine(topLine_ - rows);
        MoveCaretVertically(-rows, selecting);
        break;
    }
    case ecPageDown: {
        const int rows = pageRows();
        SetTopVisibleLine(topLine_ + rows);
        MoveCaretVertically(rows, selecting);
        break;
    }
    case ecPageLeft: MoveCaretHorizontally(-visibleColumns_, selecting); break;
    case ecPageRight: MoveCaretHorizontally(visibleColumns_, selecting); break;
    case ecPageTop: moveTo(DisplayToBufferPos(TDisplayCoord{caretColumn, topLine_})); break;
    case ecPageBottom:
        // The last row shown in the window.
        moveTo(DisplayToBufferPos(TDisplayCoord{caretColumn, topLine_ + std::max(visibleLines_, 1) - 1}));
        break;
    case ecEditorTop: moveTo(BufferCoord(1, 1)); break;
    case ecEditorBottom: {
        const int last = std::max(lines_->Count(), 1);
        moveTo(BufferCoord(LineLength(last) + 1, last));
        break;
    }
    case ecGotoXY:
        if (data != nullptr) moveTo(*static_cast<const TBufferCoord*>(data));
        break;
    default: break;
    }
    viewport()->update();
}

void TCustomZefEdit::RunHome(bool selecting)
{
    int target = 1;
    if (options_.Contains(eoEnhanceHomeKey)) {
        const std::string_view line = LineText(caret_.Line);
        const size_t blank = line.find_first_not_of(" \t");
        const int first = blank == std::string_view::npos ? static_cast<int>(line.size()) + 1 : static_cast<int>(blank) + 1;
        target = (caret_.Char <= first && caret_.Char != 1) ? 1 : first;
    }
    MoveCaretAndSelection(caret_, BufferCoord(target, caret_.Line), selecting);
}

void TCustomZefEdit::ScrollVertically(int delta)
{
    const int row = caret_.Line;
    const int rows = std::max(visibleLines_, 1);
    if (row < topLine_ || row >= topLine_ + rows) {
        EnsureCaretVisible(false);
        return;
    }
    SetTopVisibleLine(topLine_ + delta);
    if (row < topLine_) {
        MoveCaretVertically(topLine_ - row, false);
    } else if (row > topLine_ + rows - 1) {
        MoveCaretVertically(topLine_ + rows - 1 - row, false);
    }
    EnsureCaretVisible(false);
    viewport()->update();
}

void TCustomZefEdit::keyPressEvent(QKeyEvent* event)
{
    // Enter and Tab are left to the dialog or the focus chain unless WantReturns / WantTabs claims them.
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool isTab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if ((isReturn && !wantReturns_) || (isTab && !wantTabs_)) {
        event->ignore();
        return;
    }
    const TVirtualKeyPress press = TranslateKeyEvent(*event);
    TVirtualKey key = press.Key;
    const TBufferCoord anchorBefore = anchor_;
    const TBufferCoord headBefore = head_;
    const TZefSelectionMode modeBefore = selectionMode_;
    const bool handled = keyboard_->KeyDown(key, press.Shift);
    // Qt delivers a key and the characters it types in one event; they follow the key as character messages.
    std::string bytes = cp1252::FromUtf16(event->text().toStdU16String());
    const bool alt = press.Shift.Contains(ssAlt) && !press.Shift.Contains(ssCtrl);
    if (press.Shift.Contains(ssCtrl) && !press.Shift.Contains(ssAlt)) {
        // Ctrl with a letter types its control character (Ctrl+K is 11), as the platform's character messages
        // do; some platforms deliver the plain letter instead, which must not be typed.
        for (char& c : bytes) {
            if ((c >= '@' && c <= '_') || (c >= 'a' && c <= 'z')) c = static_cast<char>(c & 0x1F);
        }
    }
    bool typed = false;
    for (const char c : bytes) {
        if (alt) {
            keyboard_->SysChar(c);
        } else {
            keyboard_->KeyPress(c);
            typed = true;
        }
    }
    // A selection made or changed with the keyboard becomes the primary selection.
    if (HasSelection() && (anchor_ != anchorBefore || head_ != headBefore || selectionMode_ != modeBefore)) {
        PublishPrimarySelection();
    }
    // A key that did nothing here (F1 without an entry, Alt+letter) goes on to the parent and the application.
    if (handled || typed) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TCustomZefEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const std::string text = cp1252::FromUtf16(event->commitString().toStdU16String());
    // Qt sends no character messages after a commit, so nothing is left to skip: dispatch the string itself.
    if (!text.empty()) DispatchCommand(ecImeStr, 0, const_cast<char*>(text.c_str()));
    event->accept();
}

void TCustomZefEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    DispatchCommand(ecGotFocus, 0, nullptr);
    viewport()->update();
}

void TCustomZefEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    DispatchCommand(ecLostFocus, 0, nullptr);
    viewport()->update();
}

bool TCustomZefEdit::focusNextPrevChild(bool next)
{
    // With WantTabs the Tab key stays here as a key press instead of moving the focus.
    if (wantTabs_) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}
