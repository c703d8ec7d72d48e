// Draws byte strings in fixed character cells with one font per style combination, and converts colours.
#pragma once

#include "ZefGraphicsTypes.h"

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QRect>

#include <array>
#include <string_view>
#include <vector>

class QPainter;
class QPalette;

// The colour a TColor stands for: an RGB value, or a system colour resolved through the palette. clNone and
// clDefault have no colour of their own and answer `fallback`.
QColor ZefToQColor(TColor color, const QPalette& palette, const QColor& fallback = QColor());

// Text output in character cells. Holds a base font and, per style combination (bold, italic, underline,
// strike-out), a raw font made on first use. Every byte occupies exactly CellWidth pixels: glyphs are placed
// by an explicit advance array, never by the font's own advances. Bytes go through the Windows-1252 table;
// control bytes and bytes without a glyph are drawn as a hollow box in their cell, never as nothing.
class TZefTextDrawer {
public:
    TZefTextDrawer() = default;

    // Raises std::invalid_argument "SetBaseFont: 'Value' must be specified." for a font without a family.
    void SetBaseFont(const QFont& font);
    const QFont& BaseFont() const { return baseFont_; }
    // Extra pixels added to every cell beyond the widest style's advance.
    void SetCharExtra(int pixels);

    // Metrics of one style combination: advance ("M" plus the overhang) and absolute height.
    int StyleAdvance(TFontStyles style);
    int StyleHeight(TFontStyles style);
    // Pixels an italic glyph reaches beyond its cell.
    int StyleOverhang(TFontStyles style);
    int StyleAscent(TFontStyles style);
    // The cell width every character is drawn with: the base style's advance plus the extra spacing.
    int CellWidth() { return StyleAdvance(0) + charExtra_; }
    // Ascent of the tallest style in use, so all styles share one baseline.
    void SetBaseline(int ascent) { baseline_ = ascent; }

    // Drawing bracket: between them, Style / colours apply to ExtTextOut. The painter's state is restored.
    void BeginDrawing(QPainter* painter);
    void EndDrawing();
    void SetStyle(TFontStyles style) { style_ = style; }
    void SetForeColor(const QColor& color) { fore_ = color; }
    void SetBackColor(const QColor& color) { back_ = color; }

    // Fills `clip` with the background colour, then draws `text` starting at x (cell by cell) in the row whose
    // top is `top`; the glyphs are clipped to `clip`.
    void ExtTextOut(int x, int top, const QRect& clip, std::string_view text);
    // Draws one byte centred in the cell at x without filling the background (the tab arrow of special chars).
    void DrawCharAt(int x, int top, unsigned char byte);

private:
    struct TStyleFont {
        bool made = false;
        QRawFont raw;
        int advance = 0;
        int height = 0;
        int ascent = 0;
        int overhang = 0;
        std::array<quint32, 256> glyph{}; // glyph index per byte; 0 for "no glyph"
    };
    TStyleFont& FontFor(TFontStyles style);
    void DrawGlyphs(TStyleFont& font, int x, int baseline, std::string_view text);

    QFont baseFont_;
    std::array<TStyleFont, 16> fonts_{};
    int charExtra_ = 0;
    int baseline_ = 0;
    QPainter* painter_ = nullptr;
    TFontStyles style_ = 0;
    QColor fore_ = Qt::black;
    QColor back_ = Qt::white;
    std::vector<QPointF> positions_; // reused advance array
    std::vector<quint32> glyphs_;
};
