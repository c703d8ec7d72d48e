// The editor control's reaction to line-store changes: range rescans, row invalidation and the highlighter link.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditHighlighter.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"
#include "ZefEditUndoList.h"

#include <QScrollBar>

#include <algorithm>
#include <climits>

void TCustomZefEdit::AttachPainting()
{
    lines_->OnLinesAdded = [this](TZefEditStringList*, int index, int count) { LinesAdded(index, count); };
    lines_->OnLinesRemoved = [this](TZefEditStringList*, int index, int count) { LinesRemoved(index, count); };
    lines_->OnLineReplaced = [this](TZefEditStringList*, int index, int count) { LineReplaced(index, count); };
    marks_->OnChange = [this](TZefEditMarkList*) { InvalidateGutterRows(-1, -1); };
    marks_->OnInvalidateLines = [this](int oldLine, int newLine) {
        InvalidateGutterRows(oldLine, oldLine);
        InvalidateGutterRows(newLine, newLine);
    };
    gutter_.OnChange = [this](TZefGutter*) { GutterChanged(); };
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        const Qt::Orientation orientation = bar->orientation();
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, orientation](int action) { ScrollBarAction(orientation, action); });
        connect(bar, &QAbstractSlider::valueChanged, this,
                [this, orientation](int value) { ScrollBarValue(orientation, value); });
    }
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] { HideScrollHint(); });
    LayoutChanged(true);
}

void TCustomZefEdit::DetachPainting()
{
    lines_->OnLinesAdded = nullptr;
    lines_->OnLinesRemoved = nullptr;
    lines_->OnLineReplaced = nullptr;
    gutter_.OnChange = nullptr;
    if (highlighter_ != nullptr) {
        highlighter_->RemoveChangeHook(this);
        highlighter_->RemoveFreeNotification(this);
        highlighter_ = nullptr;
    }
}

void TCustomZefEdit::SetHighlighter(TZefCustomHighlighter* highlighter)
{
    if (highlighter == highlighter_) return;
    if (highlighter_ != nullptr) {
        highlighter_->RemoveChangeHook(this);
        highlighter_->RemoveFreeNotification(this);
    }
    highlighter_ = highlighter;
    if (highlighter_ != nullptr) {
        highlighter_->AddChangeHook(this, [this](TZefPersistent* sender) { HighlighterChanged(sender); });
        highlighter_->AddFreeNotification(this, [this](TZefCustomHighlighter*) {
            highlighter_ = nullptr;
            InvalidateRows(-1, -1);
        });
        MeasureFont();
        RestartLazyRanges();
    } else {
        MeasureFont();
        InvalidateRows(-1, -1);
    }
    LayoutChanged(true);
}

void TCustomZefEdit::HighlighterChanged(TZefPersistent* sender)
{
    MeasureFont();
    LayoutChanged(true);
    // An attribute's colour or style only needs a repaint; the highlighter's own settings change the ranges.
    if (dynamic_cast<TZefHighlighterAttributes*>(sender) == nullptr) RestartLazyRanges();
}

int TCustomZefEdit::ScanRangesFrom(int index)
{
    const int count = lines_->Count();
    if (highlighter_ == nullptr || index < 0 || index >= count) return index - 1;
    if (index == 0) {
        highlighter_->ResetRange();
    } else {
        highlighter_->SetRange(lines_->GetRangeState(index - 1));
    }
    for (;; ++index) {
        highlighter_->ScanLineRange(lines_->GetLine(index), index);
        const TZefRangeState range = highlighter_->GetRange();
        if (lines_->GetRangeState(index) == range) return index;
        lines_->SetRangeState(index, range);
        if (index == count - 1) return index;
    }
}

void TCustomZefEdit::ScanAllRanges()
{
    if (highlighter_ == nullptr) return;
    const int count = lines_->Count();
    lines_->BeginUpdate();
    highlighter_->ResetRange();
    for (int i = 0; i < count; ++i) {
        highlighter_->ScanLineRange(lines_->GetLine(i), i);
        lines_->SetRangeState(i, highlighter_->GetRange());
    }
    rangeMark_ = count;
    InvalidateRows(-1, -1);
    lines_->EndUpdate();
}

void TCustomZefEdit::GrowMaxLineWidth(int first, int last)
{
    if (!options_.Contains(eoAutoSizeMaxLineWidth)) return;
    int width = 0;
    for (int index = first; index <= last; ++index) width = std::max(width, lines_->GetExpandedWidth(index));
    if (width > maxLineWidth_) SetMaxLineWidth(width);
}

void TCustomZefEdit::LinesAdded(int index, int count)
{
    if (highlighter_ != nullptr) {
        if (index < rangeMark_) rangeMark_ += count;
        RescanAfterEdit(index, index + count);
    }
    InvalidateGutterRows(index + 1, INT_MAX);
    InvalidateRows(index + 1, INT_MAX);
    if (linesChanging_ && options_.Contains(eoAutoSizeMaxLineWidth)) {
        // Measured once when the change ends: a load adds its lines one by one.
        widthFirst_ = widthFirst_ < 0 ? index : std::min(widthFirst_, index);
        widthLast_ = std::max(widthLast_, index);
        return;
    }
    GrowMaxLineWidth(index, index);
}

void TCustomZefEdit::GrowToAddedLines()
{
    const int count = lines_->Count();
    const int first = widthFirst_;
    const int last = std::min(widthLast_, count - 1);
    widthFirst_ = widthLast_ = -1;
    if (first < 0 || first > last) return;
    // Lines added to the whole document (a load): its longest line is what they reach, and the store may
    // know it without measuring them.
    if (first == 0 && last == count - 1) {
        const int longest = lines_->GetLongestLineWidth();
        if (options_.Contains(eoAutoSizeMaxLineWidth) && longest > maxLineWidth_) SetMaxLineWidth(longest);
        return;
    }
    GrowMaxLineWidth(first, last);
}

void TCustomZefEdit::LinesRemoved(int index, int count)
{
    if (highlighter_ != nullptr) {
        if (index < rangeMark_) rangeMark_ = rangeMark_ <= index + count ? index : rangeMark_ - count;
        RescanAfterEdit(index, index);
    }
    InvalidateGutterRows(index + 1, INT_MAX);
    InvalidateRows(index + 1, INT_MAX);
}

void TCustomZefEdit::LineReplaced(int index, int count)
{
    const int last = index + std::max(count, 1) - 1;
    if (deferRangeScans_) {
        // A batch replacement rescans and repaints its whole span once when it ends.
        deferredFirst_ = deferredFirst_ < 0 ? index : std::min(deferredFirst_, index);
        deferredLast_ = std::max(deferredLast_, last);
        GrowMaxLineWidth(index, last);
        return;
    }
    if (highlighter_ != nullptr) {
        const int scanned = RescanAfterEdit(index, last);
        InvalidateRows(index + 1, std::max(scanned, index) + 1);
    } else {
        InvalidateRows(index + 1, last + 1);
    }
    GrowMaxLineWidth(index, last);
}

void TCustomZefEdit::LinesAfterChanges()
{
    linesChanging_ = false;
    TPaintLockGuard lock(*this);
    GrowToAddedLines();
    RefreshScrollBars();
    SetSelAnchor(caret_);
    if (!pendingInvalidRect_.isNull()) {
        viewport()->update(pendingInvalidRect_);
        pendingInvalidRect_ = QRect();
    }
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigits(lines_->Count());
    if (!options_.Contains(eoScrollPastEof)) SetTopVisibleLine(topLine_);
}

void TCustomZefEdit::LinesAllCleared()
{
    TPaintLockGuard lock(*this);
    rangeMark_ = 0;
    widthFirst_ = widthLast_ = -1;
    undoList_->ClearRecords();
    redoList_->ClearRecords();
    pendingInvalidRect_ = QRect();
    viewport()->update();
    SetCaretPos(BufferCoord(1, 1));
    SetTopVisibleLine(1);
    SetLeftVisibleColumn(1);
    StatusChanged(scAll);
}

void TCustomZefEdit::SetRecordInvalidations(bool on)
{
    recordInvalidations_ = on;
    invalidations_.clear();
}

void TCustomZefEdit::AddInvalidRect(const QRect& rect)
{
    if (rect.isEmpty()) return;
    if (linesChanging_) {
        pendingInvalidRect_ = pendingInvalidRect_.united(rect);
    } else {
        viewport()->update(rect);
    }
}

namespace {

// Orders and limits a line range to the rows on screen; false when none is visible.
bool VisibleRows(int& first, int& last, int top, int visibleLines, int lineCount)
{
    if (first > last) std::swap(first, last);
    const int bottom = top + visibleLines; // the partly visible row below the last full one included
    if (last >= lineCount) last = bottom;
    first = std::max(first, top);
    last = std::min(last, bottom);
    return first <= last;
}

} // namespace

void TCustomZefEdit::InvalidateRows(int first, int last)
{
    if (!isVisible() || rowHeight_ <= 0) return;
    const int width = viewport()->width();
    if (first == -1 && last == -1) {
        if (recordInvalidations_) invalidations_.push_back({-1, -1, false});
        AddInvalidRect(QRect(gutterPixels_, 0, width - gutterPixels_, viewport()->height()));
        return;
    }
    if (!VisibleRows(first, last, topLine_, visibleLines_, lines_->Count())) return;
    if (recordInvalidations_) invalidations_.push_back({first, last, false});
    AddInvalidRect(QRect(gutterPixels_, (first - topLine_) * rowHeight_, width - gutterPixels_,
                         (last - first + 1) * rowHeight_));
}

void TCustomZefEdit::InvalidateGutterRows(int first, int last)
{
    if (!isVisible() || rowHeight_ <= 0 || gutterPixels_ <= 0) return;
    if (first == -1 && last == -1) {
        if (recordInvalidations_) invalidations_.push_back({-1, -1, true});
        AddInvalidRect(QRect(0, 0, gutterPixels_, viewport()->height()));
        return;
    }
    if (!VisibleRows(first, last, topLine_, visibleLines_, lines_->Count())) return;
    if (recordInvalidations_) invalidations_.push_back({first, last, true});
    AddInvalidRect(QRect(0, (first - topLine_) * rowHeight_, gutterPixels_, (last - first + 1) * rowHeight_));
}
