// The editor control's scroll bars: ranges scaled above 32767, scroll requests and the hint while dragging.
#include "ZefEdit.h"
#include "ZefEditPaintLock.h"

#include "ZefEditTextBuffer.h"

#include <QLabel>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kMaxScrollRange = 32767;

// A position in 1..range as the bar holds it: unchanged up to 32767, mapped linearly onto 1..32767 above, so
// that the first and the last positions stay the ends of the bar.
int ToBar(int value, int range)
{
    if (range <= kMaxScrollRange) return value;
    return 1 + static_cast<int>(static_cast<long long>(value - 1) * (kMaxScrollRange - 1) / (range - 1));
}

int FromBar(int value, int range)
{
    if (range <= kMaxScrollRange) return value;
    return 1 + static_cast<int>(static_cast<long long>(value - 1) * (range - 1) / (kMaxScrollRange - 1));
}

} // namespace

void TCustomZefEdit::RefreshScrollBars()
{
    if (paintLock_ > 0) {
        scrollBarsPending_ = true;
        return;
    }
    scrollBarsPending_ = false;
    settingScrollBars_ = true;
    const bool hideWhenCovered = options_.Contains(eoHideShowScrollbars);
    // range: highest unscaled value; the bar runs from 1 to range - page + 1 (scaled), page as its page step.
    auto setBar = [&](QScrollBar* bar, bool wanted, int range, int page, int position, Qt::Orientation orientation) {
        const bool covered = page >= range;
        const bool show = wanted && !(hideWhenCovered && covered);
        const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        const int barPage = range <= kMaxScrollRange
                                ? std::max(page, 1)
                                : std::max(static_cast<int>(static_cast<long long>(page) * kMaxScrollRange / range), 1);
        const int barRange = std::min(range, kMaxScrollRange);
        bar->setRange(1, std::max(barRange - barPage + 1, 1));
        bar->setPageStep(barPage);
        bar->setSingleStep(1);
        bar->setValue(ToBar(position, range));
        bar->setEnabled(!covered);
        if (orientation == Qt::Horizontal && horizontalScrollBarPolicy() != policy)
            setHorizontalScrollBarPolicy(policy);
        if (orientation == Qt::Vertical && verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    };
    hRange_ = options_.Contains(eoScrollPastEol) ? maxLineWidth_ : std::max(lines_->GetLongestLineWidth(), 1);
    vRange_ = std::max(lines_->Count() + (options_.Contains(eoScrollPastEof) ? visibleLines_ - 1 : 0), 1);
    setBar(horizontalScrollBar(), scrollBars_ == ssHorizontal || scrollBars_ == ssBoth, hRange_, visibleColumns_,
           leftColumn_, Qt::Horizontal);
    setBar(verticalScrollBar(), scrollBars_ == ssVertical || scrollBars_ == ssBoth, vRange_, visibleLines_, topLine_,
           Qt::Vertical);
    settingScrollBars_ = false;
}

void TCustomZefEdit::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_) return;
    scrollBars_ = value;
    RefreshScrollBars();
    viewport()->update();
}

void TCustomZefEdit::scrollContentsBy(int, int)
{
    // The view follows the bars through ScrollBarAction / ScrollBarValue; nothing is moved here.
}

void TCustomZefEdit::ScrollBarAction(Qt::Orientation bar, int action)
{
    if (settingScrollBars_) return;
    const bool vertical = bar == Qt::Vertical;
    const int current = vertical ? topLine_ : leftColumn_;
    const int visible = vertical ? visibleLines_ : visibleColumns_;
    const int page = std::max(visible - (options_.Contains(eoScrollByOneLess) ? 1 : 0), 1);
    const int last = vertical ? lines_->Count() : maxLineWidth_ - visibleColumns_ + 1;
    int target = current;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: target = current + 1; break;
    case QAbstractSlider::SliderSingleStepSub: target = current - 1; break;
    case QAbstractSlider::SliderPageStepAdd: target = current + page; break;
    case QAbstractSlider::SliderPageStepSub: target = current - page; break;
    case QAbstractSlider::SliderToMinimum: target = 1; break;
    case QAbstractSlider::SliderToMaximum: target = last; break;
    case QAbstractSlider::SliderMove:
        // The thumb (or the wheel): ScrollBarValue follows it; the hint shows only while the thumb is held.
        if (vertical && verticalScrollBar()->isSliderDown()) ShowScrollHint();
        if (OnScroll) OnScroll(this, bar);
        return;
    default: return;
    }
    {
        TPaintLockGuard lock(*this);
        if (vertical) {
            SetTopVisibleLine(target);
        } else {
            SetLeftVisibleColumn(target);
        }
    }
    // The bar would apply its own step after this signal: give it the position the view took instead.
    settingScrollBars_ = true;
    QScrollBar* scrollBar = vertical ? verticalScrollBar() : horizontalScrollBar();
    scrollBar->setSliderPosition(ToBar(vertical ? topLine_ : leftColumn_, vertical ? vRange_ : hRange_));
    settingScrollBars_ = false;
    if (OnScroll) OnScroll(this, bar);
}

void TCustomZefEdit::ScrollBarValue(Qt::Orientation bar, int value)
{
    if (settingScrollBars_) return;
    const bool vertical = bar == Qt::Vertical;
    const int range = vertical ? vRange_ : hRange_;
    const int current = vertical ? topLine_ : leftColumn_;
    if (value == ToBar(current, range)) return;
    QScrollBar* scrollBar = vertical ? verticalScrollBar() : horizontalScrollBar();
    // The end of a scaled bar is the end of the text, whatever the rounding: the last lines, or the last
    // columns filling the window (not the last column alone at its left edge).
    const int end = vertical ? range : std::max(range - visibleColumns_ + 1, 1);
    const int target = value >= scrollBar->maximum() ? end : std::max(FromBar(value, range), 1);
    TPaintLockGuard lock(*this);
    if (vertical) {
        SetTopVisibleLine(target);
        if (scrollBar->isSliderDown()) ShowScrollHint();
    } else {
        SetLeftVisibleColumn(target);
    }
}

void TCustomZefEdit::ShowScrollHint()
{
    if (!options_.Contains(eoShowScrollHint)) return;
    if (scrollHint_ == nullptr) {
        scrollHint_ = new QLabel(viewport());
        scrollHint_->setObjectName(QStringLiteral("ScrollHint"));
        scrollHint_->setFrameShape(QFrame::Box);
        scrollHint_->setAutoFillBackground(true);
        scrollHint_->setMargin(2);
    }
    QPalette palette = scrollHint_->palette();
    palette.setColor(QPalette::Window, Resolve(scrollHintColor_, clInfoBk));
    palette.setColor(QPalette::WindowText, Resolve(clInfoText, clInfoText));
    scrollHint_->setPalette(palette);
    const QString text = scrollHintFormat_ == shfTopToBottom
                             ? QStringLiteral("%1 - %2").arg(topLine_).arg(
                                   std::min(topLine_ + visibleLines_ - 1, std::max(lines_->Count(), 1)))
                             : QStringLiteral("Top Line: %1").arg(topLine_);
    scrollHint_->setText(text);
    scrollHint_->adjustSize();
    int y = 10;
    if (options_.Contains(eoScrollHintFollows)) {
        // Beside the thumb: proportional to its position along the track between the two arrow buttons.
        const QScrollBar* bar = verticalScrollBar();
        const int arrow = bar->width();
        const int track = std::max(bar->height() - 2 * arrow - scrollHint_->height(), 0);
        const int span = std::max(bar->maximum() - bar->minimum(), 1);
        y = arrow + track * (bar->sliderPosition() - bar->minimum()) / span;
    }
    scrollHint_->move(viewport()->width() - scrollHint_->width() - 4, y);
    scrollHint_->show();
    scrollHint_->raise();
}

void TCustomZefEdit::HideScrollHint()
{
    if (scrollHint_ != nullptr) scrollHint_->hide();
}
