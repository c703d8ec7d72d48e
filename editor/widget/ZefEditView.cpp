// The editor control's view position: first visible row and column, cell metrics and scrolling the caret into view.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditTextBuffer.h"

#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>
#include <climits>

void TCustomZefEdit::SetTopVisibleLine(int value)
{
    const int count = lines_->Count();
    const int highest = options_.Contains(eoScrollPastEof) ? count : count - visibleLines_ + 1;
    value = std::max(std::min(value, highest), 1);
    if (value == topLine_) return;
    topLine_ = value;
    viewport()->update();
    StatusChanged(scTopLine);
}

void TCustomZefEdit::SetLeftVisibleColumn(int value)
{
    int highest = 0;
    if (options_.Contains(eoScrollPastEol)) {
        highest = options_.Contains(eoAutoSizeMaxLineWidth) ? INT_MAX - visibleColumns_
                                                            : maxLineWidth_ - visibleColumns_ + 1;
    } else {
        // Only here does the view need the longest line (a full scan when the store lost track of it).
        const int longest = lines_->GetLongestLineWidth();
        highest = longest > visibleColumns_ ? longest - (visibleColumns_ - 1) : longest;
    }
    value = std::max(std::min(value, highest), 1);
    if (value == leftColumn_) return;
    leftColumn_ = value;
    if (options_.Contains(eoAutoSizeMaxLineWidth) && options_.Contains(eoScrollPastEol)) {
        maxLineWidth_ = std::max(maxLineWidth_, std::min(leftColumn_ + visibleColumns_, MaxMaxLineWidth));
    }
    viewport()->update();
    StatusChanged(scLeftChar);
}

void TCustomZefEdit::EnsureCaretVisible(bool center)
{
    TPaintLockGuard lock(*this);
    const TDisplayCoord caret = BufferToDisplayPos(caret_);
    const int columns = std::max(visibleColumns_, 1);
    if (caret.Column < leftColumn_) {
        SetLeftVisibleColumn(caret.Column);
    } else if (caret.Column >= leftColumn_ + columns) {
        SetLeftVisibleColumn(caret.Column - columns + 1);
    }
    const int rows = std::max(visibleLines_, 1);
    if (!center) {
        if (caret.Row < topLine_) {
            SetTopVisibleLine(caret.Row);
        } else if (caret.Row > topLine_ + rows - 1) {
            SetTopVisibleLine(caret.Row - rows + 1);
        }
        return;
    }
    if (caret.Row < topLine_ - 1) {
        SetTopVisibleLine(std::max(1, caret.Row - visibleLines_ / 2 + 1));
    } else if (caret.Row > topLine_ + visibleLines_ - 2) {
        SetTopVisibleLine(caret.Row - (visibleLines_ - 1) + visibleLines_ / 2);
    }
}

void TCustomZefEdit::MeasureFont()
{
    const QFontMetrics metrics(font());
    cellWidth_ = std::max(metrics.horizontalAdvance(QLatin1Char('M')), 1);
    rowHeight_ = std::max(metrics.height(), 1);
}

void TCustomZefEdit::LayoutChanged()
{
    MeasureFont();
    const QSize area = viewport()->size();
    visibleColumns_ = std::max(area.width() - gutterPixels_ - 2, 0) / cellWidth_;
    visibleLines_ = area.height() / rowHeight_;
    TPaintLockGuard lock(*this);
    if (!options_.Contains(eoScrollPastEol)) SetLeftVisibleColumn(leftColumn_);
    if (!options_.Contains(eoScrollPastEof)) SetTopVisibleLine(topLine_);
}

void TCustomZefEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    LayoutChanged();
}
