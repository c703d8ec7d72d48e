// Drawing the engine's operations with a QPainter.
#include "ZefPrintCanvas.h"

#include "CodePage1252.h"

#include <QGlyphRun>
#include <QPen>

#include <vector>

void TZefPainterCanvas::FillRect(const QRect& rect, const QColor& color) { painter_.fillRect(rect, color); }

void TZefPainterCanvas::DrawRectangle(const QRect& rect, const QColor& lineColor, int lineWidth, const QColor& fillColor)
{
    painter_.save();
    if (lineColor.isValid()) {
        QPen pen(lineColor);
        pen.setWidth(lineWidth);
        painter_.setPen(pen);
    } else {
        painter_.setPen(Qt::NoPen);
    }
    painter_.setBrush(fillColor.isValid() ? QBrush(fillColor) : QBrush(Qt::NoBrush));
    painter_.drawRect(rect);
    painter_.restore();
}

void TZefPainterCanvas::DrawLine(int x1, int y1, int x2, int y2, const QColor& color, int lineWidth)
{
    painter_.save();
    QPen pen(color);
    pen.setWidth(lineWidth);
    painter_.setPen(pen);
    painter_.drawLine(x1, y1, x2, y2);
    painter_.restore();
}

void TZefPainterCanvas::DrawText(int x, int baseline, const QString& text, const QFont& font, const QColor& color)
{
    painter_.setFont(font);
    painter_.setPen(color);
    painter_.drawText(QPoint(x, baseline), text);
}

const QRawFont& TZefPainterCanvas::RawFont(const QFont& font)
{
    const QString key = font.key();
    auto found = rawFonts_.find(key);
    if (found == rawFonts_.end()) found = rawFonts_.emplace(key, QRawFont::fromFont(font)).first;
    return found->second;
}

void TZefPainterCanvas::DrawGridText(int x, int baseline, std::string_view bytes, int advance, const QFont& font,
                                     const QColor& color)
{
    if (bytes.empty()) return;
    std::u16string text = cp1252::ToUtf16(bytes);
    for (char16_t& c : text) {
        if (c == u'\t') c = u' ';
    }
    const QRawFont& raw = RawFont(font);
    if (!raw.isValid()) {
        // No outline font to place glyphs with: draw character by character.
        painter_.setFont(font);
        painter_.setPen(color);
        for (size_t k = 0; k < text.size(); ++k)
            painter_.drawText(QPointF(x + static_cast<double>(k) * advance, baseline), QString(QChar(text[k])));
        return;
    }
    const QString string = QString::fromStdU16String(text);
    QList<quint32> glyphs = raw.glyphIndexesForString(string);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (qsizetype k = 0; k < glyphs.size(); ++k) positions.append(QPointF(static_cast<double>(k) * advance, 0));
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font.underline());
    run.setStrikeOut(font.strikeOut());
    painter_.setPen(color);
    painter_.drawGlyphRun(QPointF(x, baseline), run);
}
