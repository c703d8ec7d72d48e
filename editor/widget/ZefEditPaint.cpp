// The editor control's painting: the gutter with numbers and marks, and the text rows with tokens and selection.
#include "ZefEdit.h"

#include "CodePage1252.h"
#include "ZefEditColumns.h"
#include "ZefEditHighlighter.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kBeyondLineEnd = INT_MAX; // a selection end that runs past the line's last column
constexpr unsigned char kPilcrow = 182;
constexpr unsigned char kMiddleDot = 183;
constexpr unsigned char kTabArrow = 187;

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// A stretch of equally drawn columns [First, Last] of one row.
struct TSegment {
    int First;
    int Last;
    TFontStyles Style;
    QColor Fore;
    QColor Back;
};

} // namespace

// One row being drawn: the line, its expanded text, colours and the selected columns [SelStart, SelEnd).
// Text holds the expansion from column TextStart on: the whole line when a highlighter scans it, otherwise
// only the columns in the clip (and a tab's width beyond), so a very long line costs one screen to draw.
struct TCustomZefEdit::TPaintRow {
    int Line = 0;
    int Top = 0;
    int FirstColumn = 0;
    int LastColumn = 0;
    std::string Text;
    int TextStart = 1;
    int LineEnd = 0; // last column holding a character
    QColor Fore;
    QColor Back;
    QColor SelFore;
    QColor SelBack;
    bool Special = false;
    int SelStart = 0;
    int SelEnd = 0;
    bool Selected() const { return SelStart < SelEnd; }
    // The expanded text of columns first..last, as far as Text holds them.
    std::string_view Columns(int first, int last) const
    {
        const int64_t from = std::max<int64_t>(int64_t{first} - TextStart, 0);
        const int64_t to = std::min<int64_t>(int64_t{last} - TextStart + 1, static_cast<int64_t>(Text.size()));
        if (to <= from) return {};
        return std::string_view(Text).substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    }
    char At(int column) const
    {
        const std::string_view one = Columns(column, column);
        return one.empty() ? '\0' : one.front();
    }
};

QColor TCustomZefEdit::Resolve(TColor color, TColor fallback) const
{
    return ZefToQColor(color == clNone ? fallback : color, palette(), palette().color(QPalette::Base));
}

TColor TCustomZefEdit::LineBackground(int line) const
{
    if (activeLineColor_ != clNone && line == caret_.Line) return activeLineColor_;
    if (highlighter_ != nullptr) {
        if (const TZefHighlighterAttributes* space = highlighter_->GetDefaultAttribute(kZefAttribWhitespace)) {
            if (space->Background() != clNone) return space->Background();
        }
    }
    return color_;
}

void TCustomZefEdit::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect clip = event->rect();
    if (cellWidth_ <= 0 || rowHeight_ <= 0) return;
    const int textLeft = gutterPixels_ + 2;
    const int clipRight = clip.x() + clip.width(); // exclusive
    const int clipBottom = clip.y() + clip.height();
    const int firstColumn = clip.x() > textLeft ? leftColumn_ + (clip.x() - textLeft) / cellWidth_ : leftColumn_;
    const int lastColumn = leftColumn_ + (clipRight + cellWidth_ - textLeft - 1) / cellWidth_;
    const int firstLine = std::max(topLine_ + clip.y() / rowHeight_, std::max(topLine_, 1));
    const int lastLine = std::min(topLine_ + (clipBottom - 1) / rowHeight_, lines_->Count());
    if (clip.x() < gutterPixels_) DrawGutter(painter, clip, firstLine, lastLine);
    ScanRangesUpTo(lastLine); // the lines drawn read the ranges of the lines above them
    if (clipRight > gutterPixels_) DrawTextArea(painter, clip, firstLine, lastLine, firstColumn, lastColumn);
    DrawCaret(painter);
    if (OnPaint) {
        painter.save();
        painter.setFont(font());
        painter.setBrush(Resolve(color_, clWindow));
        OnPaint(this, &painter);
        painter.restore();
    }
    if (OnPaintTransient) OnPaintTransient(this, &painter, ttAfter);
}

void TCustomZefEdit::DrawGutter(QPainter& painter, const QRect& clip, int firstLine, int lastLine)
{
    const QColor gutterColor = Resolve(gutter_.Color(), clBtnFace);
    const int right = std::min(clip.x() + clip.width(), gutterPixels_);
    const QRect area(clip.x(), clip.y(), right - clip.x(), clip.height());
    int below = 0; // top of the area left below the last numbered row
    if (gutter_.ShowLineNumbers()) {
        QFont numberFont = gutter_.Font();
        if (!gutter_.UseFontStyle()) {
            numberFont = font();
            numberFont.setBold(false);
            numberFont.setItalic(false);
        }
        const QFontMetrics metrics(numberFont);
        painter.setFont(numberFont);
        painter.setPen(Resolve(gutter_.UseFontStyle() ? gutter_.FontColor() : fontColor_, clWindowText));
        for (int line = firstLine; line <= lastLine; ++line) {
            const int top = (line - topLine_) * rowHeight_;
            std::string text = gutter_.LineNumberText(line);
            if (OnGutterGetText) OnGutterGetText(this, line, text);
            painter.fillRect(QRect(area.x(), top, area.width(), rowHeight_), gutterColor);
            const QString shown = QString::fromStdU16String(cp1252::ToUtf16(text));
            const int x = gutterPixels_ - gutter_.RightOffset() - metrics.horizontalAdvance(shown) - 2;
            painter.drawText(x, top + (rowHeight_ - metrics.height()) / 2 + metrics.ascent(), shown);
            below = top + rowHeight_;
        }
        if (lastLine < firstLine) below = clip.y();
        if (below < clip.y() + clip.height())
            painter.fillRect(QRect(area.x(), below, area.width(), clip.y() + clip.height() - below), gutterColor);
    } else {
        painter.fillRect(area, gutterColor);
    }
    if (gutter_.BorderStyle() != gbsNone && right >= gutterPixels_ - 2 && gutterPixels_ >= 2) {
        const QColor editorColor = Resolve(color_, clWindow);
        if (gutter_.BorderStyle() == gbsMiddle) {
            painter.fillRect(QRect(gutterPixels_ - 2, clip.y(), 1, clip.height()), editorColor);
            painter.fillRect(QRect(gutterPixels_ - 1, clip.y(), 1, clip.height()), gutterColor);
        } else {
            painter.fillRect(QRect(gutterPixels_ - 1, clip.y(), 1, clip.height()), editorColor);
        }
    }
    std::vector<int> offsets(static_cast<size_t>(std::max(lastLine - firstLine + 1, 0)), 0);
    if (bookmarkOptions_.GlyphsVisible && marks_->Count() > 0 && lastLine >= firstLine)
        DrawMarks(painter, firstLine, lastLine, offsets);
    if (OnGutterPaint) {
        for (int line = firstLine; line <= lastLine; ++line)
            OnGutterPaint(this, line, offsets[static_cast<size_t>(line - firstLine)], (line - topLine_) * rowHeight_);
    }
}

void TCustomZefEdit::DrawMarks(QPainter& painter, int firstLine, int lastLine, std::vector<int>& offsets)
{
    // Without an image list only the built-in glyphs 0..9 exist, and only the first mark of a row is drawn.
    for (int pass = 0; pass < 2; ++pass) {
        const bool bookmarks = (pass == 0) == bookmarkOptions_.DrawBookmarksFirst;
        for (int i = 0; i < marks_->Count(); ++i) {
            const TZefEditMark* mark = marks_->Item(i);
            if (!mark->Shown() || mark->IsBookmark() != bookmarks) continue;
            if (mark->MarkLine() < firstLine || mark->MarkLine() > lastLine) continue;
            int& offset = offsets[static_cast<size_t>(mark->MarkLine() - firstLine)];
            const QImage& glyph = ZefBookmarkGlyph(mark->GlyphIndex());
            if (glyph.isNull() || offset != 0) continue;
            const int top = (mark->MarkLine() - topLine_) * rowHeight_ + (rowHeight_ - ZefBookmarkGlyphHeight) / 2;
            painter.drawImage(bookmarkOptions_.LeftMargin + offset, top, glyph);
            offset += bookmarkOptions_.Xoffset;
        }
    }
}

void TCustomZefEdit::DrawTextArea(QPainter& painter, const QRect& clip, int firstLine, int lastLine,
                                  int firstColumn, int lastColumn)
{
    const QRect textArea(gutterPixels_, 0, std::max(viewport()->width() - gutterPixels_, 0), viewport()->height());
    painter.save();
    painter.setClipRect(textArea.intersected(clip));
    const QColor background = Resolve(LineBackground(0), clWindow);
    if (clip.x() < gutterPixels_ + 2) painter.fillRect(QRect(gutterPixels_, clip.y(), 2, clip.height()), background);

    // The selection in display positions; in column mode the two columns are ordered on their own.
    const bool showSelection = !(hideSelection_ && !hasFocus()) && HasSelection();
    TDisplayCoord selFirst = BufferToDisplayPos(SelFirst());
    TDisplayCoord selLast = BufferToDisplayPos(SelLast());
    if (selectionMode_ == smColumn && selFirst.Column > selLast.Column) std::swap(selFirst.Column, selLast.Column);

    drawer_.BeginDrawing(&painter);
    TPaintRow row;
    row.FirstColumn = firstColumn;
    row.LastColumn = lastColumn;
    for (int line = firstLine; line <= lastLine; ++line) {
        row.Line = line;
        row.Top = (line - topLine_) * rowHeight_;
        FillRowText(row);
        row.SelStart = row.SelEnd = 0;
        if (showSelection && line >= selFirst.Row && line <= selLast.Row) {
            switch (selectionMode_) {
            case smLine:
                row.SelStart = 1;
                row.SelEnd = kBeyondLineEnd;
                break;
            case smNormal:
                row.SelStart = line == selFirst.Row ? selFirst.Column : 1;
                row.SelEnd = line == selLast.Row ? selLast.Column : kBeyondLineEnd;
                break;
            case smColumn: {
                // The columns converted to this line's characters and back, so a tab is selected whole.
                const std::string_view text = lines_->GetLine(line - 1);
                row.SelStart = zefcolumns::CharToColumn(text, tabWidth_,
                                                        zefcolumns::ColumnToChar(text, tabWidth_, selFirst.Column));
                row.SelEnd = zefcolumns::CharToColumn(text, tabWidth_,
                                                      zefcolumns::ColumnToChar(text, tabWidth_, selLast.Column));
                break;
            }
            }
        }
        DrawLine(painter, row);
    }
    drawer_.EndDrawing();
    const int below = std::max(lastLine - topLine_ + 1, 0) * rowHeight_;
    if (below < clip.y() + clip.height())
        painter.fillRect(QRect(gutterPixels_ + 2, below, textArea.width(), clip.y() + clip.height() - below),
                         Resolve(color_, clWindow));
    if (rightEdge_ > 0) {
        const int x = rightEdge_ * cellWidth_ + TextOriginX();
        if (x >= clip.x() && x < clip.x() + clip.width() && x >= gutterPixels_ + 2)
            painter.fillRect(QRect(x, clip.y(), 1, clip.height()), Resolve(rightEdgeColor_, clSilver));
    }
    painter.restore();
}

void TCustomZefEdit::FillRowText(TPaintRow& row) const
{
    const int index = row.Line - 1;
    if (highlighter_ != nullptr) {
        row.Text = lines_->GetExpandedLine(index);
        row.TextStart = 1;
        row.LineEnd = static_cast<int>(row.Text.size());
        return;
    }
    row.LineEnd = lines_->GetExpandedWidth(index);
    row.TextStart = std::max(row.FirstColumn, 1);
    // A tab's width past the clip, for the tab marks that look ahead to the end of their span.
    const int last = row.LastColumn > INT_MAX - tabWidth_ ? INT_MAX : row.LastColumn + tabWidth_;
    const std::string_view text = lines_->GetLine(index);
    if (LineHasNoTabs(row.Line)) {
        const size_t from = static_cast<size_t>(row.TextStart - 1);
        row.Text.assign(from < text.size() ? text.substr(from, static_cast<size_t>(last - row.TextStart + 1))
                                           : std::string_view());
    } else {
        row.Text = zefcolumns::ExpandedColumns(text, tabWidth_, row.TextStart, last);
    }
}

void TCustomZefEdit::DrawLine(QPainter& painter, TPaintRow& row)
{
    TColor fore = fontColor_;
    TColor back = LineBackground(row.Line);
    row.Special = false;
    if (OnSpecialLineColors) OnSpecialLineColors(this, row.Line, row.Special, fore, back);
    row.Fore = Resolve(fore, clWindowText);
    row.Back = Resolve(back, clWindow);
    if (row.Special) {
        row.SelFore = row.Back;
        row.SelBack = row.Fore;
    } else {
        row.SelFore = Resolve(selectedColor_.Foreground, clHighlightText);
        row.SelBack = Resolve(selectedColor_.Background, clHighlight);
    }
    const bool showSpecial = options_.Contains(eoShowSpecialChars);
    const bool activeLine = activeLineColor_ != clNone && row.Line == caret_.Line;
    const bool specialColors = row.Special && !options_.Contains(eoSpecialLineDefaultFg);
    const int lineEnd = row.LineEnd;
    if (showSpecial && row.TextStart + static_cast<int64_t>(row.Text.size()) - 1 == lineEnd)
        row.Text += static_cast<char>(kPilcrow);

    // Tokens become segments; neighbours with the same look are merged so each run is drawn with one call.
    std::vector<TSegment> segments;
    auto add = [&](int first, int last, TFontStyles style, QColor foreColor, QColor backColor) {
        first = std::max(first, row.FirstColumn);
        last = std::min(last, row.LastColumn);
        if (first > last) return;
        const bool blank = IsBlank(row.Columns(first, last));
        if (!segments.empty()) {
            TSegment& run = segments.back();
            const bool styleFits = run.Style == style || (blank && ((run.Style | style) & fsUnderline) == 0);
            const bool colourFits = specialColors || (run.Back == backColor && (run.Fore == foreColor || blank));
            if (run.Last + 1 == first && styleFits && colourFits) {
                run.Last = last;
                return;
            }
        }
        segments.push_back({first, last, style, foreColor, backColor});
    };
    auto attributeColours = [&](const TZefHighlighterAttributes* attribute, TFontStyles& style, QColor& f, QColor& b) {
        style = attribute != nullptr ? attribute->Style() : 0;
        f = row.Fore;
        b = row.Back;
        if (attribute == nullptr || row.Special) {
            if (row.Special && options_.Contains(eoSpecialLineDefaultFg) && attribute != nullptr)
                f = Resolve(attribute->Foreground(), fore);
            return;
        }
        f = Resolve(attribute->Foreground(), fore);
        if (!activeLine) b = Resolve(attribute->Background(), back);
    };

    const TZefHighlighterAttributes* lastAttribute = nullptr;
    if (highlighter_ != nullptr) {
        if (row.Line == 1) {
            highlighter_->ResetRange();
        } else {
            highlighter_->SetRange(lines_->GetRangeState(row.Line - 2));
        }
        highlighter_->SetLine(std::string_view(row.Text.data(), static_cast<size_t>(lineEnd)), row.Line - 1);
        while (!highlighter_->GetEol()) {
            const int first = highlighter_->GetTokenPos() + 1;
            const int last = first + static_cast<int>(highlighter_->GetToken().size()) - 1;
            if (first > row.LastColumn) break;
            lastAttribute = highlighter_->GetTokenAttribute();
            if (last >= row.FirstColumn) {
                TFontStyles style;
                QColor f, b;
                attributeColours(lastAttribute, style, f, b);
                add(first, last, style, f, b);
            }
            highlighter_->Next();
        }
    } else {
        const TFontStyles style = (font().bold() ? fsBold : 0) | (font().italic() ? fsItalic : 0) |
                                  (font().underline() ? fsUnderline : 0) | (font().strikeOut() ? fsStrikeOut : 0);
        add(1, lineEnd, style, row.Fore, row.Back);
    }
    if (showSpecial) {
        // The end-of-line mark takes the comment colours after a comment, else the whitespace colours.
        const TZefHighlighterAttributes* markAttribute = nullptr;
        if (highlighter_ != nullptr) {
            const TZefHighlighterAttributes* comment = highlighter_->GetDefaultAttribute(kZefAttribComment);
            markAttribute = lastAttribute != nullptr && lastAttribute == comment
                                ? comment
                                : highlighter_->GetDefaultAttribute(kZefAttribWhitespace);
        }
        TFontStyles style;
        QColor f, b;
        attributeColours(markAttribute, style, f, b);
        add(lineEnd + 1, lineEnd + 1, style, f, b);
    }

    const int visibleEnd = showSpecial ? lineEnd + 1 : lineEnd;
    int overhang = 0; // pixels the line's last glyph reaches beyond its cell (italic), kept free of the fill
    auto drawPiece = [&](int first, int last, TFontStyles style, const QColor& f, const QColor& b) {
        if (first > last) return;
        std::string text(row.Columns(first, last));
        for (char& c : text) {
            if (c == '\t') {
                c = ' ';
            } else if (c == ' ' && showSpecial) {
                c = static_cast<char>(kMiddleDot);
            }
        }
        const int x = ColumnToX(first);
        drawer_.SetStyle(style);
        drawer_.SetForeColor(f);
        drawer_.SetBackColor(b);
        overhang = last == visibleEnd && style != 0 ? drawer_.StyleOverhang(style) : 0;
        drawer_.ExtTextOut(x, row.Top, QRect(x, row.Top, (last - first + 1) * cellWidth_ + overhang, rowHeight_), text);
        if (!showSpecial) return;
        // One arrow per tab span (a span ends at a tab stop), in the cell after its middle (the middle of an odd one).
        for (int column = first; column <= last;) {
            if (row.At(column) != '\t' || column > lineEnd) {
                ++column;
                continue;
            }
            int spanEnd = column;
            while (spanEnd % tabWidth_ != 0 && spanEnd < lineEnd && row.At(spanEnd + 1) == '\t')
                ++spanEnd;
            const int span = spanEnd - column + 1;
            painter.save();
            painter.setClipRect(QRect(x, row.Top, (last - first + 1) * cellWidth_, rowHeight_), Qt::IntersectClip);
            drawer_.DrawCharAt(ColumnToX(column + span / 2), row.Top, kTabArrow);
            painter.restore();
            column = spanEnd + 1;
        }
    };
    for (const TSegment& run : segments) {
        const QColor f = run.Fore;
        const QColor b = run.Back;
        // Up to three pieces: before the selection, inside it, after it.
        const int selFirst = std::max(run.First, row.SelStart);
        const int selLast = std::min(run.Last, row.SelEnd == kBeyondLineEnd ? run.Last : row.SelEnd - 1);
        if (!row.Selected() || selFirst > selLast) {
            drawPiece(run.First, run.Last, run.Style, f, b);
            continue;
        }
        drawPiece(run.First, selFirst - 1, run.Style, f, b);
        drawPiece(selFirst, selLast, run.Style, row.SelFore, row.SelBack);
        drawPiece(selLast + 1, run.Last, run.Style, f, b);
    }
    // The rest of the row: selection colours where the selection runs past the text, then the line colour.
    int fillColumn = std::max(visibleEnd + 1, row.FirstColumn);
    const int rowRight = viewport()->width();
    if (row.Selected() && row.SelEnd > fillColumn) {
        const int start = std::max(fillColumn, row.SelStart);
        const int x = std::max(ColumnToX(start), gutterPixels_ + 2);
        const int end = row.SelEnd == kBeyondLineEnd ? rowRight : std::min(ColumnToX(row.SelEnd), rowRight);
        if (start > fillColumn)
            painter.fillRect(QRect(ColumnToX(fillColumn), row.Top, x - ColumnToX(fillColumn), rowHeight_), row.Back);
        if (end > x) painter.fillRect(QRect(x, row.Top, end - x, rowHeight_), row.SelBack);
        if (end < rowRight) painter.fillRect(QRect(end, row.Top, rowRight - end, rowHeight_), row.Back);
    } else {
        const int start = ColumnToX(fillColumn) + (fillColumn == visibleEnd + 1 ? overhang : 0);
        const int x = std::max(start, gutterPixels_ + 2);
        if (x < rowRight) painter.fillRect(QRect(x, row.Top, rowRight - x, rowHeight_), row.Back);
    }
    if (rightEdge_ > 0) {
        const int x = rightEdge_ * cellWidth_ + TextOriginX();
        if (x >= gutterPixels_ + 2 && x < rowRight)
            painter.fillRect(QRect(x, row.Top, 1, rowHeight_), Resolve(rightEdgeColor_, clSilver));
    }
}

void TCustomZefEdit::DrawCaret(QPainter& painter)
{
    const QRect caret = CaretRect();
    caretDrawn_ = caret;
    if (caret.isNull() || !caretBlinkOn_) return;
    painter.save();
    painter.setClipRect(QRect(gutterPixels_ + 2, 0, viewport()->width(), viewport()->height()));
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret, Qt::white);
    painter.restore();
}
