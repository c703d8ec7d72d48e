// The editor control's mouse: caret placement and selection by press, drag and double click, ScrollTimer's
// auto-scroll, gutter clicks, the wheel with its 120-unit accumulator and the pointer shape.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

// Floor division, so pixels left of or above the text area give columns and rows before the first.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

TZefMouseButton ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

// One wheel step in the platform's units.
constexpr int WheelDelta = 120;
constexpr int ScrollTimerInterval = 100;

} // namespace

TDisplayCoord TCustomZefEdit::PixelsToDisplay(QPoint pixel, bool round) const
{
    const int cell = std::max(cellWidth_, 1);
    int x = pixel.x() - (gutterPixels_ + 2);
    if (round) x += cell / 2;
    const int column = std::max(FloorDiv(x, cell) + leftColumn_, 1);
    const int row = std::max(FloorDiv(pixel.y(), std::max(rowHeight_, 1)) + topLine_, 1);
    return TDisplayCoord{column, row};
}

bool TCustomZefEdit::InSelection(TBufferCoord position) const
{
    if (!HasSelection()) return false;
    const TBufferCoord first = SelFirst();
    const TBufferCoord last = SelLast();
    switch (selectionMode_) {
    case smLine: return position.Line >= first.Line && position.Line <= last.Line;
    case smColumn: {
        if (position.Line < first.Line || position.Line > last.Line) return false;
        const int a = BufferToDisplayPos(anchor_).Column;
        const int b = BufferToDisplayPos(head_).Column;
        const int column = BufferToDisplayPos(position).Column;
        return column >= std::min(a, b) && column <= std::max(a, b);
    }
    case smNormal: break;
    }
    return !(position < first) && !(last < position);
}

void TCustomZefEdit::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    viewport()->setMouseTracking(true);
    // Drags arrive at the viewport; CanAcceptDrag decides per drag (editor text always, files by option).
    viewport()->setAcceptDrops(true);
}

void TCustomZefEdit::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TZefMouseButton button = ButtonOf(event->button());
    const bool left = button == mbLeft;
    event->accept();
    // Another button than the left one keeps a selection and the caret as they are.
    if (!left && HasSelection()) return;
    const bool hadSelection = HasSelection();
    if (left && hadSelection) mouse_.MouseDownPoint = pos;
    mouse_.DragStart = DisplayToBufferPos(PixelsToDisplay(pos, true));
    if (OnMouseDown) OnMouseDown(this, button, event->modifiers(), pos.x(), pos.y());

    TPaintLockGuard lock(*this);
    if (left || (button == mbRight && options_.Contains(eoRightMouseMovesCursor))) {
        MoveCaret(DisplayToBufferPos(PixelsToDisplay(pos, true)));
    }
    if (left) {
        mouse_.Captured = true;
        mouse_.PointerPos = pos;
        mouse_.Modifiers = event->modifiers();
        mouse_.WaitingForDrag = hadSelection && options_.Contains(eoDragDropEditing) && pos.x() >= gutterPixels_ &&
                                selectionMode_ == smNormal && InSelection(caret_);
    }
    if (!mouse_.WaitingForDrag && !mouse_.DoubleClicked) {
        if (event->modifiers().testFlag(Qt::ShiftModifier)) {
            // The anchor is still where it was before the caret moved.
            SetSelHead(caret_);
        } else {
            SetSelAnchor(caret_);
            if (options_.Contains(eoAltSetsColumnMode) && selectionMode_ != smLine) {
                SetSelectionMode(event->modifiers().testFlag(Qt::AltModifier) ? smColumn : smNormal);
            }
        }
    }
    if (pos.x() < gutterPixels_) {
        mouse_.GutterClicked = true;
        if (button == mbRight) GutterClick(button, pos);
    }
    setFocus(Qt::MouseFocusReason);
}

void TCustomZefEdit::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    event->accept();
    if (!mouse_.Captured) {
        UpdatePointerShape(pos);
        return;
    }
    mouse_.PointerPos = pos;
    mouse_.Modifiers = event->modifiers();
    if (mouse_.WaitingForDrag) {
        const int threshold = QApplication::startDragDistance();
        const QPoint moved = pos - mouse_.MouseDownPoint;
        if (std::abs(moved.x()) >= threshold || std::abs(moved.y()) >= threshold) {
            mouse_.WaitingForDrag = false;
            mouse_.Dragging = true;
            StartTextDrag();
            // The drag is over (dropped or cancelled) when StartTextDrag returns.
            mouse_.Dragging = false;
            mouse_.Captured = false;
            StopScrollTimer();
        }
        return;
    }
    if (!event->buttons().testFlag(Qt::LeftButton)) return;
    ComputeScrollDeltas(pos);
    TDisplayCoord target = PixelsToDisplay(pos, true);
    // While ScrollTimer scrolls in a direction, it alone moves the caret that way.
    const TDisplayCoord caret = BufferToDisplayPos(caret_);
    if (mouse_.ScrollDeltaX != 0) target.Column = caret.Column;
    if (mouse_.ScrollDeltaY != 0) target.Row = caret.Row;
    TPaintLockGuard lock(*this);
    MoveCaret(DisplayToBufferPos(target));
    SetSelHead(caret_);
}

void TCustomZefEdit::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TZefMouseButton button = ButtonOf(event->button());
    event->accept();
    if (OnMouseUp) OnMouseUp(this, button, event->modifiers(), pos.x(), pos.y());
    StopScrollTimer();
    // A popup menu follows a right release; nothing else happens here.
    const bool popup = contextMenuPolicy() == Qt::CustomContextMenu || contextMenuPolicy() == Qt::ActionsContextMenu;
    if (button == mbRight && event->buttons() == Qt::NoButton && popup) return;
    if (button == mbMiddle && pos.x() >= gutterPixels_) {
        // The X11 way of pasting: the text selected last goes in where the middle button was clicked (not
        // while the left button still selects).
        mouse_.GutterClicked = false;
        if (!mouse_.Captured) PastePrimarySelection(DisplayToBufferPos(PixelsToDisplay(pos, true)));
        return;
    }
    mouse_.Captured = false;
    if (mouse_.GutterClicked && pos.x() < gutterPixels_ && button != mbRight) {
        GutterClick(button, pos);
    } else if (mouse_.WaitingForDrag && !mouse_.DoubleClicked) {
        // A press on the selection that never became a drag: it was a plain click after all.
        TPaintLockGuard lock(*this);
        MoveCaret(DisplayToBufferPos(PixelsToDisplay(pos, true)));
        if (event->modifiers().testFlag(Qt::ShiftModifier)) {
            SetSelHead(caret_);
        } else {
            SetSelAnchor(caret_);
        }
        mouse_.WaitingForDrag = false;
    }
    // A selection made by dragging, by Shift+click or by a double click becomes the primary selection.
    if (button == mbLeft && HasSelection()) PublishPrimarySelection();
    mouse_.DoubleClicked = false;
    mouse_.GutterClicked = false;
    UpdatePointerShape(pos);
}

void TCustomZefEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const TZefMouseButton button = ButtonOf(event->button());
    event->accept();
    if (pos.x() < gutterPixels_ + 2) {
        if (OnDblClick) OnDblClick(this, button, event->modifiers(), pos.x(), pos.y());
        return;
    }
    if (!options_.Contains(eoNoSelection)) SelectWordAt(caret_);
    if (OnDblClick) OnDblClick(this, button, event->modifiers(), pos.x(), pos.y());
    mouse_.DoubleClicked = true;
    mouse_.Captured = false;
    mouse_.WaitingForDrag = false;
}

void TCustomZefEdit::EnsureScrollTimer()
{
    if (scrollTimer_ != nullptr) return;
    scrollTimer_ = new QTimer(this);
    scrollTimer_->setInterval(ScrollTimerInterval);
    connect(scrollTimer_, &QTimer::timeout, this, [this] { ScrollTimerTick(); });
}

void TCustomZefEdit::ComputeScrollDeltas(QPoint pixel)
{
    const int cell = std::max(cellWidth_, 1);
    const int row = std::max(rowHeight_, 1);
    const int left = gutterPixels_;
    const int right = left + visibleColumns_ * cell;
    const int top = 0;
    const int bottom = visibleLines_ * row;
    // Integer division truncating towards zero, as the deltas are counted from the area's edge.
    if (pixel.x() < left) {
        mouse_.ScrollDeltaX = (pixel.x() - left) / cell - 1;
    } else if (pixel.x() >= right) {
        mouse_.ScrollDeltaX = (pixel.x() - right) / cell + 1;
    } else {
        mouse_.ScrollDeltaX = 0;
    }
    if (pixel.y() < top) {
        mouse_.ScrollDeltaY = (pixel.y() - top) / row - 1;
    } else if (pixel.y() >= bottom) {
        mouse_.ScrollDeltaY = (pixel.y() - bottom) / row + 1;
    } else {
        mouse_.ScrollDeltaY = 0;
    }
    if (mouse_.ScrollDeltaX != 0 || mouse_.ScrollDeltaY != 0) {
        EnsureScrollTimer();
        if (!scrollTimer_->isActive()) scrollTimer_->start();
    } else {
        StopScrollTimer();
    }
}

void TCustomZefEdit::StopScrollTimer()
{
    if (scrollTimer_ != nullptr) scrollTimer_->stop();
}

void TCustomZefEdit::ScrollTimerTick()
{
    const QPoint pointer = mouse_.PointerPos;
    TDisplayCoord target = PixelsToDisplay(pointer, false);
    TPaintLockGuard lock(*this);
    if (mouse_.ScrollDeltaX != 0) {
        SetLeftVisibleColumn(leftColumn_ + mouse_.ScrollDeltaX);
        target.Column = mouse_.ScrollDeltaX < 0 ? leftColumn_ : leftColumn_ + std::max(visibleColumns_, 1) - 1;
    }
    if (mouse_.ScrollDeltaY != 0) {
        const bool page = mouse_.Modifiers.testFlag(Qt::ShiftModifier);
        SetTopVisibleLine(topLine_ + (page ? mouse_.ScrollDeltaY * visibleLines_ : mouse_.ScrollDeltaY));
        target.Row = mouse_.ScrollDeltaY < 0 ? topLine_ : topLine_ + std::max(visibleLines_, 1) - 1;
    }
    target.Row = std::clamp(target.Row, 1, std::max(lines_->Count(), 1));
    const TBufferCoord position = DisplayToBufferPos(target);
    if (position != caret_) {
        MoveCaret(position);
        // A dragged selection stays as it is; only a selecting drag extends.
        if (mouse_.Captured && !mouse_.Dragging) SetSelHead(caret_);
    }
    ComputeScrollDeltas(pointer);
}

void TCustomZefEdit::GutterClick(TZefMouseButton button, QPoint pixel)
{
    if (!OnGutterClick) return;
    const int line = PixelsToDisplay(pixel, false).Row;
    if (line > lines_->Count()) return;
    TZefEditMark* clicked = nullptr;
    int right = 0;
    for (TZefEditMark* mark : marks_->MarksForLine(line)) {
        if (mark == nullptr) break;
        right += bookmarkOptions_.Xoffset;
        if (pixel.x() < right) {
            clicked = mark;
            break;
        }
    }
    OnGutterClick(this, button, pixel.x(), pixel.y(), line, clicked);
}

void TCustomZefEdit::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    mouse_.WheelAccumulator += delta;
    const int steps = mouse_.WheelAccumulator / WheelDelta;
    mouse_.WheelAccumulator -= steps * WheelDelta;
    if (steps == 0) return;
    const int page = std::max(visibleLines_, 1);
    int rows = 0;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        rows = options_.Contains(eoHalfPageScroll) ? std::max(page / 2, 1) : page;
    } else {
        // A "page at a time" setting arrives as a large line count; it counts as a page.
        rows = std::clamp(QApplication::wheelScrollLines(), 1, page);
    }
    SetTopVisibleLine(topLine_ - steps * rows);
    if (OnScroll) OnScroll(this, Qt::Vertical);
}

void TCustomZefEdit::UpdatePointerShape(QPoint pixel)
{
    Qt::CursorShape shape = Qt::IBeamCursor;
    if (pixel.x() < gutterPixels_) {
        viewport()->setCursor(Qt::ArrowCursor);
        return;
    }
    const TBufferCoord position = DisplayToBufferPos(PixelsToDisplay(pixel, false));
    if (options_.Contains(eoDragDropEditing) && !mouse_.Captured && InSelection(position)) shape = Qt::ArrowCursor;
    if (OnMouseCursor) OnMouseCursor(this, position, shape);
    viewport()->setCursor(shape);
}
