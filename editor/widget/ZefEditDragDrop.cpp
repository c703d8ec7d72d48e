// Dragging selected text within one editor control and between two, and files dropped from the desktop.
//
// QDrag runs a nested event loop that cannot run headless, so the target side lives in DropData, which takes
// the drag's data, its source object and the pointer as arguments; dropEvent only forwards to it.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"
#include "ZefEditScope.h"

#include "CodePage1252.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace {

// The shell's file-name buffer holds 260 characters and the terminating zero.
constexpr size_t MaxDroppedNameLength = 260;

std::vector<std::string> DroppedFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (data == nullptr) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        std::string name = cp1252::FromUtf16(url.toLocalFile().toStdU16String());
        if (name.size() > MaxDroppedNameLength) name.resize(MaxDroppedNameLength);
        files.push_back(std::move(name));
    }
    return files;
}

} // namespace

void TCustomZefEdit::StartTextDrag()
{
    QMimeData* data = MakeDragData();
    if (data == nullptr) return;
    auto* drag = new QDrag(this); // Qt deletes it when the drag ends
    drag->setMimeData(data);
    // The target does the moving (it deletes this control's selection), so the answer is not needed here.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

bool TCustomZefEdit::CanAcceptDrag(const QMimeData* data, QObject* source) const
{
    if (qobject_cast<TCustomZefEdit*>(source) != nullptr) return !readOnly_;
    return source == nullptr && options_.Contains(eoDropFiles) && data != nullptr && data->hasUrls();
}

void TCustomZefEdit::DragCaretTo(QPoint pixel)
{
    TDisplayCoord target = PixelsToDisplay(pixel, false);
    const int rows = std::max(visibleLines_, 1);
    const int columns = std::max(visibleColumns_, 1);
    target.Row = std::clamp(target.Row, topLine_, topLine_ + rows - 1);
    target.Column = std::clamp(target.Column, leftColumn_, leftColumn_ + columns - 1);
    MoveCaret(DisplayToBufferPos(target));
}

Qt::DropAction TCustomZefEdit::DragOver(const QMimeData* data, QObject* source, QPoint pos,
                                        Qt::KeyboardModifiers modifiers)
{
    if (!CanAcceptDrag(data, source)) return Qt::IgnoreAction;
    if (source == nullptr) return Qt::CopyAction; // files from the desktop
    if (source == this) {
        mouse_.PointerPos = pos;
        mouse_.Modifiers = modifiers;
        DragCaretTo(pos);
        ComputeScrollDeltas(pos);
    } else {
        MoveCaret(DisplayToBufferPos(PixelsToDisplay(pos, false)));
    }
    return modifiers.testFlag(Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

void TCustomZefEdit::DragLeft()
{
    if (!mouse_.Dragging) return;
    StopScrollTimer();
    MoveCaret(mouse_.DragStart);
}

void TCustomZefEdit::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TCustomZefEdit::dragMoveEvent(QDragMoveEvent* event)
{
    const Qt::DropAction action =
        DragOver(event->mimeData(), event->source(), event->position().toPoint(), event->modifiers());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void TCustomZefEdit::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
    DragLeft();
}

void TCustomZefEdit::dropEvent(QDropEvent* event)
{
    StopScrollTimer();
    const Qt::DropAction action =
        DropData(event->mimeData(), event->source(), event->position().toPoint(), event->modifiers());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

Qt::DropAction TCustomZefEdit::DropData(const QMimeData* data, QObject* source, QPoint pos,
                                        Qt::KeyboardModifiers modifiers)
{
    auto* from = qobject_cast<TCustomZefEdit*>(source);
    if (from == nullptr) {
        if (source != nullptr || !options_.Contains(eoDropFiles) || !OnDropFiles) return Qt::IgnoreAction;
        const std::vector<std::string> files = DroppedFiles(data);
        if (files.empty()) return Qt::IgnoreAction;
        OnDropFiles(this, pos.x(), pos.y(), files);
        return Qt::CopyAction;
    }
    if (readOnly_ || !from->HasSelection()) return Qt::IgnoreAction;

    TPaintLockGuard lock(*this);
    TDisplayCoord cell = PixelsToDisplay(pos, true);
    cell.Row = std::clamp(cell.Row, 1, std::max(lines_->Count(), 1));
    TBufferCoord drop = DisplayToBufferPos(cell);
    MoveCaret(drop);
    const bool same = from == this;
    const bool move = same ? !modifiers.testFlag(Qt::ControlModifier) : modifiers.testFlag(Qt::ShiftModifier);
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    bool after = false;
    if (same) {
        // Onto the selection itself nothing happens; a copy may go exactly at either end.
        const bool inside = move ? !(drop < first) && !(last < drop) : first < drop && drop < last;
        if (inside) return Qt::IgnoreAction;
        after = last < drop;
    }
    const std::string text = from->SelectedText();

    TEditScope scope(*this, 1);
    scope.CaretAnywhere();
    if (same && move) {
        DeleteSelectionRecorded(ucDeleteBlock);
        if (after) {
            // The rest of the selection's last line now continues its first line at first.Char.
            if (drop.Line == last.Line) drop.Char -= last.Char - first.Char;
            drop.Line -= last.Line - first.Line;
        }
    } else if (move) {
        from->SetSelectedText({});
    }
    SetCaretAndSelection(drop, drop, drop);
    ReplaceSelectionRecorded(same ? ucDrop : ucInsert, selectionMode_, text);
    // The dropped text ends up selected, with the caret at its start.
    SetSelAnchor(caret_);
    DispatchCommand(ecSelGotoXY, 0, &drop);
    return move ? Qt::MoveAction : Qt::CopyAction;
}
