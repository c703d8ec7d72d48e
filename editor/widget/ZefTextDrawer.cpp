// Cell-exact text output through raw fonts per style, and the mapping of TColor to QColor.
#include "ZefTextDrawer.h"

#include "CodePage1252.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPalette>
#include <QString>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// Bytes that stand for no printable character: C0 controls, DEL and the bytes the code page leaves undefined.
bool IsControlByte(unsigned char byte)
{
    return byte < 32 || byte == 127 || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

QColor SystemColor(int index, const QPalette& palette)
{
    switch (index) {
    case 0: return palette.color(QPalette::Button);                      // scroll bar
    case 1: return palette.color(QPalette::Window);                      // desktop
    case 2: case 3: return palette.color(QPalette::Highlight);           // captions
    case 4: return palette.color(QPalette::Window);                      // menu
    case 5: return palette.color(QPalette::Base);                        // window
    case 6: return palette.color(QPalette::Shadow);                      // window frame
    case 7: case 8: case 9: return palette.color(QPalette::Text);        // menu / window / caption text
    case 10: case 11: return palette.color(QPalette::Mid);               // borders
    case 12: return palette.color(QPalette::Dark);                       // application workspace
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);                     // button face
    case 16: return palette.color(QPalette::Dark);                       // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);   // grey text
    case 18: return palette.color(QPalette::ButtonText);
    case 19: return palette.color(QPalette::Inactive, QPalette::Text);
    case 20: return palette.color(QPalette::Light);                      // button highlight
    case 21: return palette.color(QPalette::Shadow);
    case 22: return palette.color(QPalette::Midlight);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Base);
    }
}

} // namespace

QColor ZefToQColor(TColor color, const QPalette& palette, const QColor& fallback)
{
    if (color == clNone || color == clDefault) return fallback;
    if (IsSystemColor(color)) return SystemColor(SystemColorIndex(color), palette);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

void TZefTextDrawer::SetBaseFont(const QFont& font)
{
    if (font.family().isEmpty()) throw std::invalid_argument("SetBaseFont: 'Value' must be specified.");
    baseFont_ = font;
    fonts_ = {};
}

void TZefTextDrawer::SetCharExtra(int pixels) { charExtra_ = std::max(pixels, 0); }

TZefTextDrawer::TStyleFont& TZefTextDrawer::FontFor(TFontStyles style)
{
    TStyleFont& entry = fonts_[style & kAllFontStyles];
    if (entry.made) return entry;
    QFont font = baseFont_;
    font.setBold((style & fsBold) != 0);
    font.setWeight((style & fsBold) != 0 ? QFont::Bold : QFont::Normal);
    font.setItalic((style & fsItalic) != 0);
    font.setUnderline(false);
    font.setStrikeOut(false);
    entry.raw = QRawFont::fromFont(font);
    entry.made = true;
    if (!entry.raw.isValid()) {
        entry.advance = 8;
        entry.height = 16;
        entry.ascent = 12;
        return entry;
    }
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (IsControlByte(byte)) continue;
        const QChar ch(static_cast<char16_t>(cp1252::ToUnicode(byte)));
        const QList<quint32> indexes = entry.raw.glyphIndexesForString(QString(ch));
        entry.glyph[byte] = indexes.isEmpty() ? 0 : indexes.front();
    }
    const quint32 m = entry.glyph['M'];
    const QList<QPointF> advances = entry.raw.advancesForGlyphIndexes(QList<quint32>{m});
    const double advance = advances.isEmpty() ? entry.raw.averageCharWidth() : advances.front().x();
    entry.advance = std::max(static_cast<int>(std::lround(advance)), 1);
    entry.ascent = static_cast<int>(std::ceil(entry.raw.ascent()));
    entry.height = entry.ascent + static_cast<int>(std::ceil(entry.raw.descent()));
    const double right = entry.raw.boundingRect(m).right();
    entry.overhang = std::max(static_cast<int>(std::ceil(right - advance)), 0);
    return entry;
}

int TZefTextDrawer::StyleAdvance(TFontStyles style) { return FontFor(style).advance; }
int TZefTextDrawer::StyleHeight(TFontStyles style) { return FontFor(style).height; }
int TZefTextDrawer::StyleOverhang(TFontStyles style) { return FontFor(style).overhang; }
int TZefTextDrawer::StyleAscent(TFontStyles style) { return FontFor(style).ascent; }

void TZefTextDrawer::BeginDrawing(QPainter* painter)
{
    painter_ = painter;
    painter_->save();
}

void TZefTextDrawer::EndDrawing()
{
    if (painter_ == nullptr) return;
    painter_->restore();
    painter_ = nullptr;
}

void TZefTextDrawer::DrawGlyphs(TStyleFont& font, int x, int baseline, std::string_view text)
{
    const int cell = CellWidth();
    glyphs_.clear();
    positions_.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int left = x + static_cast<int>(i) * cell;
        const quint32 glyph = font.glyph[byte];
        if (glyph == 0) {
            // The substitute for a byte without a glyph: a hollow box inside the cell, as tall as capitals.
            const int top = baseline - font.ascent * 3 / 4;
            painter_->setPen(fore_);
            painter_->setBrush(Qt::NoBrush);
            painter_->drawRect(QRect(left + 1, top, std::max(cell - 3, 1), std::max(font.ascent * 3 / 4 - 1, 2)));
            continue;
        }
        if (byte == ' ') continue;
        glyphs_.push_back(glyph);
        positions_.emplace_back(left, 0);
    }
    if (glyphs_.empty()) return;
    QGlyphRun run;
    run.setRawFont(font.raw);
    run.setGlyphIndexes(QList<quint32>(glyphs_.begin(), glyphs_.end()));
    run.setPositions(QList<QPointF>(positions_.begin(), positions_.end()));
    painter_->setPen(fore_);
    painter_->drawGlyphRun(QPointF(0, baseline), run);
}

void TZefTextDrawer::ExtTextOut(int x, int top, const QRect& clip, std::string_view text)
{
    if (painter_ == nullptr || clip.isEmpty()) return;
    painter_->fillRect(clip, back_);
    TStyleFont& font = FontFor(style_);
    const int baseline = top + (baseline_ > 0 ? baseline_ : font.ascent);
    painter_->setClipRect(clip);
    DrawGlyphs(font, x, baseline, text);
    if ((style_ & (fsUnderline | fsStrikeOut)) != 0 && !text.empty()) {
        const int right = x + static_cast<int>(text.size()) * CellWidth();
        const int thickness = std::max(font.ascent / 12, 1);
        if ((style_ & fsUnderline) != 0) painter_->fillRect(QRect(x, baseline + 1, right - x, thickness), fore_);
        if ((style_ & fsStrikeOut) != 0)
            painter_->fillRect(QRect(x, baseline - font.ascent / 3, right - x, thickness), fore_);
    }
    painter_->setClipping(false);
}

void TZefTextDrawer::DrawCharAt(int x, int top, unsigned char byte)
{
    if (painter_ == nullptr) return;
    TStyleFont& font = FontFor(style_);
    const char c = static_cast<char>(byte);
    DrawGlyphs(font, x, top + (baseline_ > 0 ? baseline_ : font.ascent), std::string_view(&c, 1));
}
