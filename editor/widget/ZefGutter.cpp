// Gutter settings, line-number text and width, and the program-drawn bookmark glyphs.
#include "ZefGutter.h"

#include <QPainter>

#include <algorithm>
#include <array>

TZefGutter::TZefGutter() : font_(QStringLiteral("Courier New"), 8)
{
    font_.setStyleHint(QFont::TypeWriter);
}

void TZefGutter::Changed()
{
    if (OnChange) OnChange(this);
}

// Each setter stores only a different value, then reports the change.
#define ZEF_GUTTER_SETTER(Name, field, Type)                                                                           \
    void TZefGutter::Set##Name(Type value)                                                                             \
    {                                                                                                                  \
        if (field == value) return;                                                                                    \
        field = value;                                                                                                 \
        Changed();                                                                                                     \
    }

ZEF_GUTTER_SETTER(AutoSize, autoSize_, bool)
ZEF_GUTTER_SETTER(BorderStyle, borderStyle_, TZefGutterBorderStyle)
ZEF_GUTTER_SETTER(Color, color_, TColor)
ZEF_GUTTER_SETTER(FontColor, fontColor_, TColor)
ZEF_GUTTER_SETTER(LeadingZeros, leadingZeros_, bool)
ZEF_GUTTER_SETTER(ShowLineNumbers, showLineNumbers_, bool)
ZEF_GUTTER_SETTER(UseFontStyle, useFontStyle_, bool)
ZEF_GUTTER_SETTER(Visible, visible_, bool)
ZEF_GUTTER_SETTER(ZeroStart, zeroStart_, bool)
#undef ZEF_GUTTER_SETTER

void TZefGutter::SetDigitCount(int value)
{
    value = std::clamp(value, 2, 12);
    if (value == digitCount_) return;
    digitCount_ = value;
    Changed();
}

void TZefGutter::SetFont(const QFont& value)
{
    if (value == font_) return;
    font_ = value;
    Changed();
}

void TZefGutter::SetLeftOffset(int value)
{
    value = std::max(value, 0);
    if (value == leftOffset_) return;
    leftOffset_ = value;
    Changed();
}

void TZefGutter::SetRightOffset(int value)
{
    value = std::max(value, 0);
    if (value == rightOffset_) return;
    rightOffset_ = value;
    Changed();
}

void TZefGutter::SetWidth(int value)
{
    value = std::max(value, 0);
    if (value == width_) return;
    width_ = value;
    Changed();
}

void TZefGutter::AutoSizeDigits(int lineCount)
{
    int digits = digitCount_;
    if (visible_ && autoSize_ && showLineNumbers_) {
        long long highest = zeroStart_ ? lineCount - 1 : lineCount;
        int needed = 1;
        while (highest >= 10) {
            highest /= 10;
            ++needed;
        }
        digits = std::max(needed, digitCount_);
    }
    if (digits == digitsInUse_) return;
    digitsInUse_ = digits;
    Changed();
}

std::string TZefGutter::LineNumberText(int line) const
{
    std::string text = std::to_string(zeroStart_ ? line - 1 : line);
    if (static_cast<int>(text.size()) < digitsInUse_) {
        text.insert(0, static_cast<size_t>(digitsInUse_) - text.size(), leadingZeros_ ? '0' : ' ');
    }
    return text;
}

int TZefGutter::ComputeGutterWidth(int cellWidth) const
{
    if (!visible_) return 0;
    if (showLineNumbers_) return leftOffset_ + rightOffset_ + cellWidth * digitsInUse_ + 2;
    return width_;
}

namespace {

// The ten glyphs: a light raised box (white top-left, dark bottom-right) holding a 3x5 pixel-font digit.
std::array<QImage, 10> MakeBookmarkGlyphs()
{
    static constexpr std::array<const char*, 10> kDigits = {
        "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
        "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"};
    std::array<QImage, 10> glyphs;
    for (int n = 0; n < 10; ++n) {
        QImage image(ZefBookmarkGlyphWidth, ZefBookmarkGlyphHeight, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(QRect(0, 1, 11, 12), QColor(0xF0, 0xE6, 0x8C));
        painter.setPen(Qt::white);
        painter.drawLine(0, 1, 10, 1);
        painter.drawLine(0, 1, 0, 12);
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.drawLine(0, 12, 10, 12);
        painter.drawLine(10, 1, 10, 12);
        // The digit, doubled vertically: 3 wide, 10 high, at (4, 2).
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (kDigits[static_cast<size_t>(n)][row * 3 + col] == '1') {
                    painter.fillRect(QRect(4 + col, 2 + row * 2, 1, 2), Qt::black);
                }
            }
        }
        painter.end();
        glyphs[static_cast<size_t>(n)] = image;
    }
    return glyphs;
}

} // namespace

const QImage& ZefBookmarkGlyph(int n)
{
    static const std::array<QImage, 10> glyphs = MakeBookmarkGlyphs();
    static const QImage none;
    if (n < 0 || n > 9) return none;
    return glyphs[static_cast<size_t>(n)];
}
