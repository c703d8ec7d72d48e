// Colours and font styles as highlighter attributes, the painter and the printer exchange them.
#pragma once

#include <cstdint>

// 0x00BBGGRR for an RGB colour (red in the low byte), 0xFF000000 + n for system colour n, clNone for "not set".
using TColor = uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;

// System colours: the desktop's colour number n, resolved when drawing.
inline constexpr TColor kSystemColorBase = 0xFF000000;
inline constexpr TColor clScrollBar = kSystemColorBase + 0;
inline constexpr TColor clBackground = kSystemColorBase + 1;
inline constexpr TColor clActiveCaption = kSystemColorBase + 2;
inline constexpr TColor clInactiveCaption = kSystemColorBase + 3;
inline constexpr TColor clMenu = kSystemColorBase + 4;
inline constexpr TColor clWindow = kSystemColorBase + 5;
inline constexpr TColor clWindowFrame = kSystemColorBase + 6;
inline constexpr TColor clMenuText = kSystemColorBase + 7;
inline constexpr TColor clWindowText = kSystemColorBase + 8;
inline constexpr TColor clCaptionText = kSystemColorBase + 9;
inline constexpr TColor clActiveBorder = kSystemColorBase + 10;
inline constexpr TColor clInactiveBorder = kSystemColorBase + 11;
inline constexpr TColor clAppWorkSpace = kSystemColorBase + 12;
inline constexpr TColor clHighlight = kSystemColorBase + 13;
inline constexpr TColor clHighlightText = kSystemColorBase + 14;
inline constexpr TColor clBtnFace = kSystemColorBase + 15;
inline constexpr TColor clBtnShadow = kSystemColorBase + 16;
inline constexpr TColor clGrayText = kSystemColorBase + 17;
inline constexpr TColor clBtnText = kSystemColorBase + 18;
inline constexpr TColor clInactiveCaptionText = kSystemColorBase + 19;
inline constexpr TColor clBtnHighlight = kSystemColorBase + 20;
inline constexpr TColor cl3DDkShadow = kSystemColorBase + 21;
inline constexpr TColor cl3DLight = kSystemColorBase + 22;
inline constexpr TColor clInfoText = kSystemColorBase + 23;
inline constexpr TColor clInfoBk = kSystemColorBase + 24;

inline constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000) == kSystemColorBase; }
// The system colour number of a system colour.
inline constexpr int SystemColorIndex(TColor color) { return static_cast<int>(color & 0x00FFFFFF); }
inline constexpr TColor ColorRGB(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}
inline constexpr uint8_t GetRValue(TColor color) { return static_cast<uint8_t>(color); }
inline constexpr uint8_t GetGValue(TColor color) { return static_cast<uint8_t>(color >> 8); }
inline constexpr uint8_t GetBValue(TColor color) { return static_cast<uint8_t>(color >> 16); }

// A set of font styles in one byte: bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out.
enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = uint8_t;
inline constexpr TFontStyles kAllFontStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;
