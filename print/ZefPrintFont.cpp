// Print fonts and colours.
#include "ZefPrintFont.h"

#include "CodePage1252.h"

#include <algorithm>
#include <array>
#include <cmath>

QFont TZefPrintFont::ToQFont(int pixelsPerInch) const
{
    QFont font(QString::fromStdU16String(cp1252::ToUtf16(Name)));
    const double points = std::isfinite(Size) ? std::clamp(Size, 1.0, 1638.0) : 10.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * std::max(pixelsPerInch, 1) / 72.0))));
    font.setBold((Style & fsBold) != 0);
    font.setItalic((Style & fsItalic) != 0);
    font.setUnderline((Style & fsUnderline) != 0);
    font.setStrikeOut((Style & fsStrikeOut) != 0);
    font.setKerning(false);
    return font;
}

TZefPrintFont TZefPrintFont::FromQFont(const QFont& font, TColor color)
{
    TZefPrintFont result;
    result.Name = cp1252::FromUtf16(font.family().toStdU16String());
    result.Size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    result.Style = static_cast<TFontStyles>((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                                            (font.underline() ? fsUnderline : 0) |
                                            (font.strikeOut() ? fsStrikeOut : 0));
    result.Color = color;
    return result;
}

QColor PrintColor(TColor color, QColor fallback)
{
    if (color == clNone || color == clDefault) return fallback;
    if (IsSystemColor(color)) {
        // Windows' classic values for the system colours, by number.
        static constexpr std::array<uint32_t, 25> kClassic{
            0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
            0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
            0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1};
        const int index = SystemColorIndex(color);
        if (index < 0 || index >= static_cast<int>(kClassic.size())) return fallback;
        return QColor::fromRgb(kClassic[static_cast<size_t>(index)]);
    }
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}
