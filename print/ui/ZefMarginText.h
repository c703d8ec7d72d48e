// The ten margin numbers as the page setup dialog shows and reads them: the order the dialog reads them in,
// and the text of a number in the user's locale.
#pragma once

#include "ZefEditPrintMargins.h"

#include <QString>

#include <array>
#include <optional>

// One distance of TZefEditPrintMargins, read and written in the margins' unit.
struct TZefMarginField {
    const char* Name; // the dialog's edit box
    double (TZefEditPrintMargins::*Get)() const;
    void (TZefEditPrintMargins::*Set)(double);
};

inline constexpr int kZefMarginFieldCount = 10;
// Left, Right, Top, Bottom, Gutter, Header, Footer, LeftHFTextIndent, RightHFTextIndent, HFInternalMargin.
extern const std::array<TZefMarginField, kZefMarginFieldCount> kZefMarginFields;

// Up to 15 significant digits with the locale's decimal separator and no digit grouping: 25 shows as "25",
// 2.5 as "2.5" (or "2,5").
QString ZefMarginText(double value);
// The number in `text` (blanks around it allowed) read with the locale's decimal separator; nothing when the
// text is not a finite number.
std::optional<double> ZefParseMarginText(const QString& text);
