// The editor control's view: cell metrics from the font, layout, gutter width, first visible row and column.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditHighlighter.h"
#include "ZefEditTextBuffer.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>
#include <climits>
#include <cstdlib>

void TCustomZefEdit::SetTopVisibleLine(int value)
{
    const int count = lines_->Count();
    const int highest = options_.Contains(eoScrollPastEof) ? count : count - visibleLines_ + 1;
    value = std::max(std::min(value, highest), 1);
    if (value == topLine_) return;
    const int delta = topLine_ - value;
    topLine_ = value;
    if (std::abs(delta) < visibleLines_ && !linesChanging_) {
        // Moves the pixels already drawn (not the child widgets); Qt repaints only the rows uncovered.
        viewport()->scroll(0, delta * rowHeight_, viewport()->rect());
        if (!caretDrawn_.isNull()) viewport()->update(caretDrawn_.translated(0, delta * rowHeight_));
    } else {
        viewport()->update();
    }
    UpdateCaret();
    RefreshScrollBars();
    ScheduleRangeScan(); // the look-ahead below the screen moved with it
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
    const int delta = leftColumn_ - value;
    leftColumn_ = value;
    if (std::abs(delta) < visibleColumns_ && !linesChanging_) {
        const QRect text(gutterPixels_ + 2, 0, std::max(viewport()->width() - gutterPixels_ - 2, 0),
                         viewport()->height());
        viewport()->scroll(delta * cellWidth_, 0, text);
        if (!caretDrawn_.isNull()) viewport()->update(caretDrawn_.translated(delta * cellWidth_, 0));
    } else {
        InvalidateRows(-1, -1);
    }
    if (options_.Contains(eoAutoSizeMaxLineWidth) && options_.Contains(eoScrollPastEol)) {
        maxLineWidth_ = std::max(maxLineWidth_, std::min(leftColumn_ + visibleColumns_, MaxMaxLineWidth));
    }
    UpdateCaret();
    RefreshScrollBars();
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
    drawer_.SetBaseFont(font());
    // The style combinations in use: the bold / italic ones of the highlighter's attributes, or the font's own.
    bool used[4] = {false, false, false, false};
    if (highlighter_ != nullptr && highlighter_->GetAttribCount() > 0) {
        for (int i = 0; i < highlighter_->GetAttribCount(); ++i) {
            if (const TZefHighlighterAttributes* attribute = highlighter_->GetAttribute(i))
                used[attribute->Style() & (fsBold | fsItalic)] = true;
        }
    } else {
        used[(font().bold() ? fsBold : 0) | (font().italic() ? fsItalic : 0)] = true;
    }
    int width = 0;
    int height = 0;
    int ascent = 0;
    for (TFontStyles style = 0; style < 4; ++style) {
        if (!used[style]) continue;
        width = std::max(width, drawer_.StyleAdvance(style));
        height = std::max(height, drawer_.StyleHeight(style));
        ascent = std::max(ascent, drawer_.StyleAscent(style));
    }
    cellWidth_ = std::max(width, 1);
    rowHeight_ = std::max(height, 1) + extraLineSpacing_;
    fontAscent_ = ascent;
    drawer_.SetCharExtra(cellWidth_ - drawer_.StyleAdvance(0));
    drawer_.SetBaseline(ascent);
}

void TCustomZefEdit::LayoutChanged(bool fontChanged)
{
    // Until the window exists the visible rows and columns stay 0.
    if (cellWidth_ <= 0 || rowHeight_ <= 0 || !testAttribute(Qt::WA_WState_Created)) return;
    const QSize area = viewport()->size();
    visibleColumns_ = std::max(area.width() - gutterPixels_ - 2, 0) / cellWidth_;
    visibleLines_ = area.height() / rowHeight_;
    TPaintLockGuard lock(*this);
    if (fontChanged) {
        if (gutter_.ShowLineNumbers()) {
            GutterChanged();
        } else {
            RefreshScrollBars();
        }
        UpdateCaret();
        viewport()->update();
    } else {
        RefreshScrollBars();
    }
    if (!options_.Contains(eoScrollPastEol)) SetLeftVisibleColumn(leftColumn_);
    if (!options_.Contains(eoScrollPastEof)) SetTopVisibleLine(topLine_);
}

void TCustomZefEdit::GutterChanged()
{
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigits(lines_->Count());
    const int width = gutter_.ComputeGutterWidth(cellWidth_);
    if (width == gutterPixels_) {
        InvalidateGutterRows(-1, -1);
    } else {
        SetGutterPixels(width);
    }
}

void TCustomZefEdit::SetGutterPixels(int pixels)
{
    gutterPixels_ = std::max(pixels, 0);
    if (cellWidth_ > 0) visibleColumns_ = std::max(viewport()->width() - gutterPixels_ - 2, 0) / cellWidth_;
    RefreshScrollBars();
    UpdateCaret();
    viewport()->update();
}

void TCustomZefEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    LayoutChanged(false);
}

void TCustomZefEdit::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange || applyingFont_) return;
    const QFontMetrics metrics(font());
    if (metrics.averageCharWidth() != metrics.maxWidth() && !QFontInfo(font()).fixedPitch()) {
        // A proportional font: the same family, size and style with fixed pitch requested.
        QFont fixed = font();
        fixed.setFixedPitch(true);
        fixed.setStyleHint(QFont::TypeWriter);
        applyingFont_ = true;
        setFont(fixed);
        applyingFont_ = false;
    }
    MeasureFont();
    LayoutChanged(true);
}
