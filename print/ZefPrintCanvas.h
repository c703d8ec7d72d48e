// What the print engine draws with: a handful of operations in device pixels. The painter canvas puts them on
// any QPainter (PDF writer, printer, preview image); tests record them to check a page as text.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <map>
#include <string_view>

class TZefPrintCanvas {
public:
    virtual ~TZefPrintCanvas() = default;
    virtual void FillRect(const QRect& rect, const QColor& color) = 0;
    // A rectangle outlined with `lineColor` (when not invalid) and filled with `fillColor` (when not invalid).
    virtual void DrawRectangle(const QRect& rect, const QColor& lineColor, int lineWidth, const QColor& fillColor) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, const QColor& color, int lineWidth) = 0;
    // Text with its baseline at y.
    virtual void DrawText(int x, int baseline, const QString& text, const QFont& font, const QColor& color) = 0;
    // Code-page bytes on a fixed grid: byte k at x + k * advance, whatever its glyph's own width. Tab bytes
    // show as blanks.
    virtual void DrawGridText(int x, int baseline, std::string_view bytes, int advance, const QFont& font,
                              const QColor& color) = 0;
};

class TZefPainterCanvas : public TZefPrintCanvas {
public:
    explicit TZefPainterCanvas(QPainter& painter) : painter_(painter) {}
    QPainter& Painter() { return painter_; }

    void FillRect(const QRect& rect, const QColor& color) override;
    void DrawRectangle(const QRect& rect, const QColor& lineColor, int lineWidth, const QColor& fillColor) override;
    void DrawLine(int x1, int y1, int x2, int y2, const QColor& color, int lineWidth) override;
    void DrawText(int x, int baseline, const QString& text, const QFont& font, const QColor& color) override;
    void DrawGridText(int x, int baseline, std::string_view bytes, int advance, const QFont& font,
                      const QColor& color) override;

private:
    const QRawFont& RawFont(const QFont& font);

    QPainter& painter_;
    std::map<QString, QRawFont> rawFonts_; // by QFont::key(); a page uses a few
};
