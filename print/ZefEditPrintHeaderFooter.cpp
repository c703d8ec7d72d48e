// Header and footer items, their measurement per job and their drawing per page.
#include "ZefEditPrintHeaderFooter.h"

#include "CodePage1252.h"
#include "ZefPrintMeasure.h"

#include <algorithm>

std::string THeaderFooterItem::ExpandText(int64_t pageCount, int64_t pageNumber, bool roman, const std::string& title,
                                          const std::string& time, const std::string& date) const
{
    TZefMacroValues values;
    values.PageCount = pageCount;
    values.PageNumber = pageNumber;
    values.Roman = roman;
    values.Title = title;
    values.Time = time;
    values.Date = date;
    return ExpandMacros(Text, values);
}

THeaderFooter::THeaderFooter(THeaderFooterType type) : type_(type) {}

int THeaderFooter::Add(std::string text, const TZefPrintFont* font, TZefAlignment alignment, int lineNumber)
{
    THeaderFooterItem item;
    item.Text = std::move(text);
    item.Font = font ? *font : defaultFont_;
    item.Alignment = alignment;
    item.LineNumber = lineNumber;
    item.Index = Count();
    items_.push_back(std::move(item));
    return items_.back().Index;
}

void THeaderFooter::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    for (int i = index; i < Count(); ++i) items_[static_cast<size_t>(i)].Index = i;
}

void THeaderFooter::Clear() { items_.clear(); }

void THeaderFooter::Assign(const THeaderFooter& source)
{
    if (&source == this) return;
    frameTypes_ = source.frameTypes_;
    shadedColor_ = source.shadedColor_;
    lineColor_ = source.lineColor_;
    Clear();
    for (const THeaderFooterItem& item : source.items_) Add(item.Text, &item.Font, item.Alignment, item.LineNumber);
    defaultFont_ = source.defaultFont_;
    romanNumbers_ = source.romanNumbers_;
    mirrorPosition_ = source.mirrorPosition_;
}

void THeaderFooter::PrepareForPrint(int pixelsPerInch, int64_t pageCount, const std::string& title,
                                    const TZefJobStamp& stamp, const TZefPageMargins& margins)
{
    pixelsPerInch_ = std::max(pixelsPerInch, 1);
    pageCount_ = pageCount;
    title_ = title;
    stamp_ = stamp;
    internalMargin_ = margins.PixHFInternalMargin;

    prepared_.clear();
    rows_.clear();
    frameHeight_ = -1;
    if (items_.empty()) return;

    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return items_[static_cast<size_t>(a)].LineNumber < items_[static_cast<size_t>(b)].LineNumber;
    });

    TZefPrintMeasure measure(pixelsPerInch_);
    frameHeight_ = 0;
    int rowTop = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const THeaderFooterItem& item = items_[static_cast<size_t>(order[k])];
        const bool newRow = k == 0 || item.LineNumber != items_[static_cast<size_t>(order[k - 1])].LineNumber;
        if (newRow) {
            rowTop = frameHeight_;
            rows_.push_back({});
        }
        prepared_.push_back({order[k], static_cast<int>(rows_.size()) - 1});
        const QFontMetrics metrics = measure.Metrics(item.Font.ToQFont(pixelsPerInch_));
        TLineInfo& row = rows_.back();
        row.RowHeight = std::max(row.RowHeight, metrics.height());
        row.BaselineOffset = std::max(row.BaselineOffset, metrics.ascent());
        frameHeight_ = std::max(frameHeight_, rowTop + metrics.height());
    }
    frameHeight_ += 2 * internalMargin_;
}

void THeaderFooter::DrawOnPage(TZefPrintCanvas& canvas, int64_t pageNumber, const TZefPageMargins& margins) const
{
    if (frameHeight_ <= 0) return;
    const int top = type_ == hftHeader ? margins.PixHeader - frameHeight_ : margins.PixFooter;
    const int lineWidth = std::max(1, pixelsPerInch_ / 150);
    const QColor lineColor = PrintColor(lineColor_);

    if ((frameTypes_ & (ftBox | ftShaded)) != 0) {
        canvas.DrawRectangle(QRect(margins.PixLeft, top, margins.PixRight - margins.PixLeft, frameHeight_),
                             (frameTypes_ & ftBox) != 0 ? lineColor : QColor(),
                             lineWidth, (frameTypes_ & ftShaded) != 0 ? PrintColor(shadedColor_, Qt::lightGray) : QColor());
    }
    if ((frameTypes_ & ftLine) != 0) {
        const int y = type_ == hftHeader ? margins.PixHeader : margins.PixFooter;
        canvas.DrawLine(margins.PixLeft, y, margins.PixRight, y, lineColor, lineWidth);
    }

    TZefPrintMeasure measure(pixelsPerInch_);
    int y = top + internalMargin_;
    int previousRow = 0;
    const bool swap = mirrorPosition_ && pageNumber % 2 == 0;
    for (const TPrepared& entry : prepared_) {
        const THeaderFooterItem& item = items_[static_cast<size_t>(entry.Item)];
        if (entry.Row != previousRow) {
            y += rows_[static_cast<size_t>(previousRow)].RowHeight;
            previousRow = entry.Row;
        }
        const std::string text = item.ExpandText(pageCount_, pageNumber, romanNumbers_, title_, stamp_.Time, stamp_.Date);
        if (text.empty()) continue;
        TZefAlignment alignment = item.Alignment;
        if (swap && alignment != taCenter) alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        const QFont font = item.Font.ToQFont(pixelsPerInch_);
        const QString shown = QString::fromStdU16String(cp1252::ToUtf16(text));
        const int width = measure.Metrics(font).horizontalAdvance(shown);
        int x = margins.PixLeftHFTextIndent;
        if (alignment == taRightJustify) x = margins.PixRightHFTextIndent - width;
        else if (alignment == taCenter) x = (margins.PixLeftHFTextIndent + margins.PixRightHFTextIndent - width) / 2;
        canvas.DrawText(x, y + rows_[static_cast<size_t>(entry.Row)].BaselineOffset, shown, font,
                        PrintColor(item.Font.Color));
    }
}
