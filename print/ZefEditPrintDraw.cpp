// Drawing one page of the print engine: text area, header, rows of text (plain or highlighted), footer.
#include "ZefEditPrint.h"

#include "ZefEditHighlighter.h"
#include "ZefPrintMeasure.h"

#include <algorithm>

QColor TZefEditPrint::TextColor() const { return colors_ ? PrintColor(font_.Color) : QColor(Qt::black); }

QColor TZefEditPrint::AreaColor() const { return colors_ ? PrintColor(color_, Qt::white) : QColor(Qt::white); }

void TZefEditPrint::DrawPage(TZefPrintCanvas& canvas, int pageNumber)
{
    const TZefPrintLayout& layout = Layout();
    if (pageNumber < 1 || pageNumber > static_cast<int>(layout.Pages.size())) return;
    PrepareBlocks();
    const TZefPageMargins margins =
        margins_.LayoutPage(pageNumber, printerInfo_, lineNumbers_, lineNumbersInMargin_, layout.LineNumberWidth);
    canvas.FillRect(QRect(margins.PixLeft, margins.PixTop, std::max(0, margins.TextWidth()),
                          std::max(0, margins.TextHeight())),
                    AreaColor());
    header_.DrawOnPage(canvas, pageNumber + pageOffset_, margins);
    if (layout.Ok) {
        const TPageLine start = layout.Pages[static_cast<size_t>(pageNumber) - 1];
        const bool lastPage = pageNumber == static_cast<int>(layout.Pages.size());
        const TPageLine end = lastPage ? TPageLine{lines_.Count(), 0} : layout.Pages[static_cast<size_t>(pageNumber)];
        int y = margins.PixTop;
        for (int line = start.FirstLine; line < lines_.Count() && line <= end.FirstLine; ++line) {
            const size_t firstRow = line == start.FirstLine ? start.FirstRow : 0;
            const size_t endRow = line == end.FirstLine ? end.FirstRow : SIZE_MAX;
            if (endRow <= firstRow) break;
            DrawLineRows(canvas, margins, line, firstRow, endRow, y);
        }
    }
    footer_.DrawOnPage(canvas, pageNumber + pageOffset_, margins);
}

void TZefEditPrint::DrawLineRows(TZefPrintCanvas& canvas, const TZefPageMargins& margins, int line, size_t firstRow,
                                 size_t endRow, int& y)
{
    const std::string_view text = lines_.Line(line);
    SplitRows(text, layout_.Columns, wrap_, rowScratch_);
    const std::vector<size_t>& rowStarts = rowScratch_;
    endRow = std::min(endRow, rowStarts.size());
    if (lineNumbers_ && firstRow == 0) {
        // The number stands before the line's first row, regular style, black, ending at the text's edge.
        const QFont font = StyledFont(0);
        const QString number = QString::number(static_cast<int64_t>(line) + 1 + lineOffset_) + QStringLiteral(": ");
        const int width = measure_->Metrics(font).horizontalAdvance(number);
        canvas.DrawText(margins.PixLeft - width, y + layout_.Ascent, number, font, Qt::black);
    }
    if (HighlightedPrinting()) DrawHighlightedRows(canvas, line, text, rowStarts, firstRow, endRow, margins.PixLeft, y);
    else DrawPlainRows(canvas, text, rowStarts, firstRow, endRow, margins.PixLeft, y);
    y += static_cast<int>(endRow - firstRow) * layout_.RowHeight;
}

namespace {

// Row r's characters [begin, end) of a line cut at rowStarts; without wrap the single row is cut at the
// row capacity so nothing runs past the right margin.
std::pair<size_t, size_t> RowSpan(const std::vector<size_t>& rowStarts, size_t row, size_t length, size_t columns)
{
    const size_t begin = rowStarts[row];
    size_t end = row + 1 < rowStarts.size() ? rowStarts[row + 1] : length;
    end = std::min(end, begin + columns);
    return {begin, end};
}

} // namespace

void TZefEditPrint::DrawPlainRows(TZefPrintCanvas& canvas, std::string_view text, const std::vector<size_t>& rowStarts,
                                  size_t firstRow, size_t endRow, int x, int y)
{
    const QFont& font = StyledFont(font_.Style & kAllFontStyles);
    const QColor color = TextColor();
    for (size_t row = firstRow; row < endRow; ++row, y += layout_.RowHeight) {
        const auto [begin, end] = RowSpan(rowStarts, row, text.size(), layout_.Columns);
        canvas.DrawGridText(x, y + layout_.Ascent, text.substr(begin, end - begin), layout_.CharWidth, font, color);
    }
}

void TZefEditPrint::DrawHighlightedRows(TZefPrintCanvas& canvas, int line, std::string_view text,
                                        const std::vector<size_t>& rowStarts, size_t firstRow, size_t endRow, int x,
                                        int y)
{
    EnsureRanges(line);
    TZefCustomHighlighter& highlighter = *highlighter_;
    if (line == 0) highlighter.ResetRange();
    else highlighter.SetRange(rangeStarts_[static_cast<size_t>(line)]);
    highlighter.SetLine(text, line);
    ++tokenLinesRequested_;

    const QColor area = AreaColor();
    const QColor plainColor = TextColor();
    // One run of characters [begin, end) in one look, cut at the rows it crosses.
    const auto drawRun = [&](size_t begin, size_t end, const TZefHighlighterAttributes* attribute) {
        TFontStyles style = font_.Style;
        QColor foreground = plainColor;
        QColor background = area;
        if (attribute) {
            style = attribute->Style();
            if (colors_) {
                foreground = PrintColor(attribute->Foreground(), plainColor);
                background = PrintColor(attribute->Background(), area);
            }
        }
        const QFont& font = StyledFont(style);
        for (size_t row = firstRow; row < endRow; ++row) {
            const auto [rowBegin, rowEnd] = RowSpan(rowStarts, row, text.size(), layout_.Columns);
            const size_t from = std::max(begin, rowBegin);
            const size_t to = std::min(end, rowEnd);
            if (from >= to) continue;
            const int left = x + static_cast<int>(from - rowBegin) * layout_.CharWidth;
            const int top = y + static_cast<int>(row - firstRow) * layout_.RowHeight;
            if (background != area)
                canvas.FillRect(QRect(left, top, static_cast<int>(to - from) * layout_.CharWidth, layout_.RowHeight), background);
            canvas.DrawGridText(left, top + layout_.Ascent, text.substr(from, to - from), layout_.CharWidth, font, foreground);
        }
    };

    // Characters no token covers (a highlighter that skips some) still print, in the plain look.
    size_t next = 0;
    for (; !highlighter.GetEol(); highlighter.Next()) {
        const int pos = highlighter.GetTokenPos();
        const size_t begin = pos < 0 ? 0 : std::min(static_cast<size_t>(pos), text.size());
        const size_t end = std::min(text.size(), begin + highlighter.GetToken().size());
        if (begin > next) drawRun(next, begin, nullptr);
        const size_t from = std::max(begin, next);
        if (from < end) {
            drawRun(from, end, highlighter.GetTokenAttribute());
            next = end;
        }
    }
    if (next < text.size()) drawRun(next, text.size(), nullptr);
}
