// Lazily kept highlighter ranges: a mark below which every stored range is exact, idle slices that move it
// to the end, and edits that keep it exact without rescanning more than the screen shows.
//
// Invariant: for every line i < rangeMark_, the stored range equals what a full scan from the top gives.
// Lines at or beyond the mark may hold anything (stale values, -1). Readers of ranges call ScanRangesUpTo
// for the lines they need; the painter does so for the lines it draws.
#include "ZefEdit.h"

#include "ZefEditHighlighter.h"
#include "ZefEditTextBuffer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {

// One idle slice scans for about this long before giving the event loop back.
constexpr qint64 kSliceNanoseconds = 4'000'000;
// Lines scanned between two looks at the clock.
constexpr int kSliceStep = 256;
// An edit below the screen still rescans this many lines at once, where most rescans converge.
constexpr int kEagerLines = 64;
// Idle slices scan this far below the screen and no further: scrolling on from the screen finds its ranges
// ready, and the lines beyond are scanned when something reads them (a jump there, a search, printing).
// Scanning a huge document to its end in idle time would keep a core busy for work no one may ask for.
constexpr int kIdleLookAhead = 100'000;

// Marks the control as storing ranges for as long as it lives (see storingRanges_).
class TStoringRanges {
public:
    explicit TStoringRanges(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~TStoringRanges() { flag_ = before_; }
    TStoringRanges(const TStoringRanges&) = delete;
    TStoringRanges& operator=(const TStoringRanges&) = delete;

private:
    bool& flag_;
    bool before_;
};

} // namespace

void TCustomZefEdit::ScanRangesUpTo(int lineCount) const
{
    if (highlighter_ == nullptr) return;
    const int count = lines_->Count();
    rangeMark_ = std::clamp(rangeMark_, 0, count);
    lineCount = std::min(lineCount, count);
    if (rangeMark_ >= lineCount) return;
    if (rangeMark_ == 0) {
        highlighter_->ResetRange();
    } else {
        highlighter_->SetRange(lines_->GetRangeState(rangeMark_ - 1));
    }
    const TStoringRanges storing(storingRanges_);
    lines_->ScanRangeStates(rangeMark_, lineCount, [this](std::string_view text, int line) {
        highlighter_->ScanLineRange(text, line);
        return highlighter_->GetRange();
    });
    rangeMark_ = lineCount;
}

bool TCustomZefEdit::RangeScanPending() const { return highlighter_ != nullptr && rangeMark_ < IdleScanEnd(); }

int TCustomZefEdit::IdleScanEnd() const
{
    const int below = topLine_ - 1 + visibleLines_ + 1; // the partly visible row included
    return std::min(lines_->Count(), below > INT_MAX - kIdleLookAhead ? INT_MAX : below + kIdleLookAhead);
}

void TCustomZefEdit::FinishRangeScan()
{
    ScanRangesUpTo(lines_->Count());
    if (rangeTimer_ != nullptr) rangeTimer_->stop();
}

void TCustomZefEdit::RestartLazyRanges()
{
    rangeMark_ = 0;
    InvalidateRows(-1, -1);
    ScheduleRangeScan();
}

void TCustomZefEdit::ScheduleRangeScan()
{
    if (!RangeScanPending()) return;
    if (rangeTimer_ == nullptr) {
        rangeTimer_ = new QTimer(this);
        rangeTimer_->setSingleShot(true);
        rangeTimer_->setInterval(0);
        connect(rangeTimer_, &QTimer::timeout, this, [this] { RangeScanSlice(); });
    }
    if (!rangeTimer_->isActive()) rangeTimer_->start();
}

void TCustomZefEdit::RangeScanSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (RangeScanPending()) {
        ScanRangesUpTo(std::min(rangeMark_ + kSliceStep, IdleScanEnd()));
        if (clock.nsecsElapsed() >= kSliceNanoseconds) break;
    }
    ScheduleRangeScan();
}

int TCustomZefEdit::RescanAfterEdit(int first, int firstComparable)
{
    const int count = lines_->Count();
    rangeMark_ = std::clamp(rangeMark_, 0, count);
    // At or beyond the mark nothing exact depends on the change: readers scan it when they need it.
    if (highlighter_ == nullptr || first < 0 || first >= rangeMark_) {
        ScheduleRangeScan();
        return first;
    }
    const int lastVisible = topLine_ + visibleLines_ - 1; // from 0: the partly visible row below included
    const int limit = std::max(lastVisible, first + kEagerLines);
    if (first == 0) {
        highlighter_->ResetRange();
    } else {
        highlighter_->SetRange(lines_->GetRangeState(first - 1));
    }
    const TStoringRanges storing(storingRanges_);
    for (int line = first;; ++line) {
        highlighter_->ScanLineRange(lines_->GetLine(line), line);
        const TZefRangeState range = highlighter_->GetRange();
        // From firstComparable on, a line's stored range is its own exact end state from before the edit and
        // the lines below it are unchanged: ending as before makes every exact line below it exact again.
        if (line >= firstComparable && range == lines_->GetRangeState(line)) return line;
        lines_->SetRangeState(line, range);
        if (line == rangeMark_ - 1) return line;
        if (line >= limit) {
            // Not converged by the end of the screen: the lines below are rescanned in idle slices.
            rangeMark_ = line + 1;
            ScheduleRangeScan();
            return line;
        }
    }
}
