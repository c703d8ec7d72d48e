// The gutter beside the text: line-number layout, borders, its font and colours, and the built-in bookmark glyphs.
#pragma once

#include "ZefGraphicsTypes.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <string>

enum TZefGutterBorderStyle : uint8_t { gbsNone, gbsMiddle, gbsRight };

// The editor control's Gutter. Holds the settings; the control draws it. Every property change raises
// OnChange (the control then recomputes the gutter width and repaints).
class TZefGutter {
public:
    using ChangeEvent = std::function<void(TZefGutter* sender)>;

    TZefGutter();

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TZefGutterBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TZefGutterBorderStyle value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Clamped to 2..12.
    int DigitCount() const { return digitCount_; }
    void SetDigitCount(int value);
    int DigitsInUse() const { return digitsInUse_; }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& value);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    bool LeadingZeros() const { return leadingZeros_; }
    void SetLeadingZeros(bool value);
    int LeftOffset() const { return leftOffset_; }
    void SetLeftOffset(int value);
    int RightOffset() const { return rightOffset_; }
    void SetRightOffset(int value);
    bool ShowLineNumbers() const { return showLineNumbers_; }
    void SetShowLineNumbers(bool value);
    bool UseFontStyle() const { return useFontStyle_; }
    void SetUseFontStyle(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    bool ZeroStart() const { return zeroStart_; }
    void SetZeroStart(bool value);

    // With Visible, AutoSize and ShowLineNumbers: the digits of the highest number shown, at least DigitCount;
    // otherwise DigitCount. Raises OnChange when the digits in use change.
    void AutoSizeDigits(int lineCount);
    // The number of line (from 1) as shown: right-aligned in DigitsInUse characters, padded with spaces, or
    // with LeadingZeros with '0' (the last position always holds a digit).
    std::string LineNumberText(int line) const;
    // Pixels the gutter needs for the given cell width.
    int ComputeGutterWidth(int cellWidth) const;

    ChangeEvent OnChange;

private:
    void Changed();

    bool autoSize_ = false;
    TZefGutterBorderStyle borderStyle_ = gbsMiddle;
    TColor color_ = clBtnFace;
    int digitCount_ = 4;
    int digitsInUse_ = 4;
    QFont font_;
    TColor fontColor_ = clWindowText;
    bool leadingZeros_ = false;
    int leftOffset_ = 16;
    int rightOffset_ = 2;
    bool showLineNumbers_ = false;
    bool useFontStyle_ = true;
    bool visible_ = true;
    int width_ = 30;
    bool zeroStart_ = false;
};

// The built-in bookmark glyph n (0..9): 11 by 14 pixels, the digit n in a small raised box; drawn by the
// program on first use and shared by every control. Any other n answers a null image.
const QImage& ZefBookmarkGlyph(int n);
inline constexpr int ZefBookmarkGlyphWidth = 11;
inline constexpr int ZefBookmarkGlyphHeight = 14;
