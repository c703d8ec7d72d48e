// The print engine's properties, its cached layout and its print jobs. Drawing is in ZefEditPrintDraw.cpp.
#include "ZefEditPrint.h"

#include "ZefEditHighlighter.h"
#include "ZefEditTextBuffer.h"
#include "ZefPrintMeasure.h"
#include "ZefPrintStamp.h"

#include <algorithm>

TZefEditPrint::TZefEditPrint()
{
    font_.Name = "Courier New";
    font_.Size = 10;
    clock_ = [] { return QDateTime::currentDateTime(); };
}

TZefEditPrint::~TZefEditPrint() { SetHighlighter(nullptr); }

void TZefEditPrint::SetLines(const TZefEditStringList& lines, const TZefWorkProgress& progress)
{
    lines_.Assign(lines, tabWidth_, progress);
    InvalidateRanges();
    Invalidate();
}

void TZefEditPrint::SetLines(const std::vector<std::string>& lines)
{
    lines_.Assign(lines, tabWidth_);
    InvalidateRanges();
    Invalidate();
}

void TZefEditPrint::AssignFromEditor(const TZefEditStringList& lines, int tabWidth, TZefCustomHighlighter* highlighter,
                                     const TZefPrintFont& font, const TZefWorkProgress& progress)
{
    SetTabWidth(tabWidth);
    SetLines(lines, progress);
    SetHighlighter(highlighter);
    SetFont(font);
}

void TZefEditPrint::SetFont(const TZefPrintFont& font)
{
    if (font == font_) return;
    font_ = font;
    Invalidate();
}

void TZefEditPrint::SetWrap(bool value)
{
    if (value == wrap_) return;
    wrap_ = value;
    Invalidate();
}

void TZefEditPrint::SetLineNumbers(bool value)
{
    if (value == lineNumbers_) return;
    lineNumbers_ = value;
    Invalidate();
}

void TZefEditPrint::SetLineNumbersInMargin(bool value)
{
    if (value == lineNumbersInMargin_) return;
    lineNumbersInMargin_ = value;
    Invalidate();
}

void TZefEditPrint::SetLineOffset(int64_t value)
{
    // Far beyond any line count, and small enough that adding the line count cannot overflow.
    value = std::clamp<int64_t>(value, -1'000'000'000'000, 1'000'000'000'000);
    if (value == lineOffset_) return;
    lineOffset_ = value;
    Invalidate();
}

void TZefEditPrint::SetHighlighter(TZefCustomHighlighter* value)
{
    if (value == highlighter_) return;
    if (highlighter_) highlighter_->RemoveFreeNotification(this);
    highlighter_ = value;
    if (highlighter_) {
        highlighter_->AddFreeNotification(this, [this](TZefCustomHighlighter* gone) {
            if (gone == highlighter_) {
                highlighter_ = nullptr;
                InvalidateRanges();
            }
        });
    }
    InvalidateRanges();
}

void TZefEditPrint::InvalidateRanges()
{
    rangeStarts_.clear();
    rangesKnown_ = 0;
}

bool TZefEditPrint::HighlightedPrinting() const { return highlight_ && highlighter_ != nullptr && lines_.Count() > 0; }

void TZefEditPrint::EnsureRanges(int line)
{
    if (!highlighter_ || line < rangesKnown_) return;
    if (rangeStarts_.size() != static_cast<size_t>(lines_.Count())) rangeStarts_.assign(static_cast<size_t>(lines_.Count()), 0);
    if (rangesKnown_ == 0) {
        highlighter_->ResetRange();
        rangeStarts_[0] = highlighter_->GetRange();
        rangesKnown_ = 1;
    }
    // Lines before the first one printed are scanned for their end state only, never tokenised.
    for (int i = rangesKnown_ - 1; i < line; ++i) {
        highlighter_->SetRange(rangeStarts_[static_cast<size_t>(i)]);
        highlighter_->ScanLineRange(lines_.Line(i), i);
        rangeStarts_[static_cast<size_t>(i) + 1] = highlighter_->GetRange();
        rangesKnown_ = i + 2;
    }
}

const QFont& TZefEditPrint::StyledFont(TFontStyles style)
{
    style &= kAllFontStyles;
    if (!styledFontMade_[style]) {
        TZefPrintFont styled = font_;
        styled.Style = style;
        styledFonts_[style] = styled.ToQFont(layout_.PixelsPerInch);
        styledFontMade_[style] = true;
    }
    return styledFonts_[style];
}

void TZefEditPrint::BuildLayout(const TZefWorkProgress& progress)
{
    layout_ = TZefPrintLayout{};
    layout_.Printer = printerInfo_;
    layout_.PixelsPerInch = printerInfo_.YPixPerInch();
    std::fill(std::begin(styledFontMade_), std::end(styledFontMade_), false);
    layoutValid_ = true;
    layoutMarginsRevision_ = margins_.Revision();
    layoutPrinter_ = printerInfo_;

    measure_ = std::make_unique<TZefPrintMeasure>(layout_.PixelsPerInch);
    const QFontMetrics metrics = measure_->Metrics(StyledFont(0));
    layout_.CharWidth = std::max(1, metrics.averageCharWidth());
    layout_.RowHeight = std::max(1, metrics.height() + metrics.leading());
    layout_.Ascent = metrics.ascent();
    const int64_t maxLineNumber = std::max<int64_t>(lines_.Count() + lineOffset_, std::abs(lineOffset_ + 1));
    layout_.LineNumberWidth = metrics.horizontalAdvance(QString::number(maxLineNumber) + QStringLiteral(": "));

    // Mirrored margins give even pages another width: rows must fit the narrower of the two.
    const TZefPageMargins odd = margins_.LayoutPage(1, printerInfo_, lineNumbers_, lineNumbersInMargin_, layout_.LineNumberWidth);
    const TZefPageMargins even = margins_.LayoutPage(2, printerInfo_, lineNumbers_, lineNumbersInMargin_, layout_.LineNumberWidth);
    const int textWidth = std::min(odd.TextWidth(), even.TextWidth());
    // A row holds as many "W"s as fit strictly inside the text area; every character sits on a grid cell as
    // wide as the average character, so the grid is no wider either.
    const int cell = std::max(layout_.CharWidth, std::max(1, metrics.horizontalAdvance(QLatin1Char('W'))));
    const int columns = textWidth > 0 ? (textWidth - 1) / cell : 0;
    const int rows = odd.TextHeight() > 0 ? odd.TextHeight() / layout_.RowHeight : 0;
    if (columns < 1 || rows < 1) {
        layout_.Error = kNoRoomForText;
        layout_.Pages.assign(1, TPageLine{});
        return;
    }
    layout_.Columns = static_cast<size_t>(columns);
    layout_.RowsPerPage = static_cast<size_t>(rows);
    try {
        layout_.Pages = PaginateRows(lines_, layout_.Columns, wrap_, layout_.RowsPerPage, progress);
    } catch (const EZefWorkCancelled&) {
        // Whoever draws before the next layout finds one empty page, never a missing one.
        layout_.Pages.assign(1, TPageLine{});
        layoutValid_ = false;
        throw;
    }
    layout_.Ok = true;
}

const TZefPrintLayout& TZefEditPrint::Layout(const TZefWorkProgress& progress)
{
    if (!layoutValid_ || layoutMarginsRevision_ != margins_.Revision() || !(layoutPrinter_ == printerInfo_))
        BuildLayout(progress);
    return layout_;
}

int TZefEditPrint::PageCount() { return static_cast<int>(Layout().Pages.size()); }

bool TZefEditPrint::PreparePages(const TZefWorkProgress& progress)
{
    const TZefPrintLayout& layout = Layout(progress);
    stamp_ = MakeJobStamp(clock_ ? clock_() : QDateTime::currentDateTime());
    stampTaken_ = true;
    PrepareBlocks();
    return layout.Ok;
}

void TZefEditPrint::PrepareBlocks()
{
    const TZefPrintLayout& layout = Layout();
    if (!stampTaken_) {
        stamp_ = MakeJobStamp(clock_ ? clock_() : QDateTime::currentDateTime());
        stampTaken_ = true;
    }
    const TZefPageMargins first =
        margins_.LayoutPage(1, printerInfo_, lineNumbers_, lineNumbersInMargin_, layout.LineNumberWidth);
    const int64_t pages = static_cast<int64_t>(layout.Pages.size());
    header_.PrepareForPrint(layout.PixelsPerInch, pages, title_, stamp_, first);
    footer_.PrepareForPrint(layout.PixelsPerInch, pages, title_, stamp_, first);
}

TZefPrintResult TZefEditPrint::PrintRange(TZefPrintTarget& target, int startPage, int endPage,
                                          const TZefWorkProgress& progress)
{
    TZefPrintResult result;
    printerInfo_ = target.Metrics();
    if (!PreparePages()) {
        result.Message = layout_.Error;
        return result;
    }
    const int count = PageCount();
    const int first = std::max(startPage, 1);
    const int last = endPage < 0 ? count : std::min(endPage, count);
    if (first > last) {
        result.Message = "The document has " + std::to_string(count) + (count == 1 ? " page" : " pages") +
                         "; there is no page to print from page " + std::to_string(startPage) + " to " +
                         (endPage < 0 ? std::string("the end") : "page " + std::to_string(endPage)) + ".";
        return result;
    }

    bool abort = false;
    const int span = last - first + 1;
    const int64_t total = static_cast<int64_t>(span) * copies_;
    if (OnPrintStatus) OnPrintStatus(this, psBegin, first, abort);
    // Asked before each page is begun, so that a stopped job has no empty page; before the first, no job.
    auto stopAsked = [&](int64_t done) {
        return progress && !progress(static_cast<uint64_t>(done), static_cast<uint64_t>(total));
    };
    if (abort || stopAsked(0)) {
        result.Cancelled = true;
        result.Message = "Printing was cancelled.";
        return result;
    }
    if (!target.BeginDocument(docTitle_.empty() ? title_ : docTitle_)) {
        result.Message = target.ErrorText();
        return result;
    }
    for (int64_t k = 0; k < total; ++k) {
        // Collated: the range once per copy; otherwise each page Copies times in a row.
        const int page = first + static_cast<int>(collate_ ? k % span : k / copies_);
        if (k > 0 && stopAsked(k)) {
            abort = true;
            break;
        }
        if (k > 0 && !target.NewPage()) {
            result.Message = target.ErrorText();
            target.EndDocument();
            return result;
        }
        if (OnPrintStatus) OnPrintStatus(this, psNewPage, page, abort);
        if (abort) break;
        DrawPage(target.Canvas(), page);
        ++result.PagesPrinted;
    }
    if (!target.EndDocument()) {
        result.Message = target.ErrorText();
        return result;
    }
    bool ignored = false;
    if (OnPrintStatus) OnPrintStatus(this, psEnd, last, ignored);
    if (abort) {
        result.Cancelled = true;
        result.Message = "Printing was cancelled.";
        return result;
    }
    result.Ok = true;
    return result;
}
