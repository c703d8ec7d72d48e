// Margin numbers as text.
#include "ZefMarginText.h"

#include <QLocale>

#include <cmath>

const std::array<TZefMarginField, kZefMarginFieldCount> kZefMarginFields{{
    {"EditLeft", &TZefEditPrintMargins::Left, &TZefEditPrintMargins::SetLeft},
    {"EditRight", &TZefEditPrintMargins::Right, &TZefEditPrintMargins::SetRight},
    {"EditTop", &TZefEditPrintMargins::Top, &TZefEditPrintMargins::SetTop},
    {"EditBottom", &TZefEditPrintMargins::Bottom, &TZefEditPrintMargins::SetBottom},
    {"EditGutter", &TZefEditPrintMargins::Gutter, &TZefEditPrintMargins::SetGutter},
    {"EditHeader", &TZefEditPrintMargins::Header, &TZefEditPrintMargins::SetHeader},
    {"EditFooter", &TZefEditPrintMargins::Footer, &TZefEditPrintMargins::SetFooter},
    {"EditLeftHFTextIndent", &TZefEditPrintMargins::LeftHFTextIndent, &TZefEditPrintMargins::SetLeftHFTextIndent},
    {"EditRightHFTextIndent", &TZefEditPrintMargins::RightHFTextIndent,
     &TZefEditPrintMargins::SetRightHFTextIndent},
    {"EditHFInternalMargin", &TZefEditPrintMargins::HFInternalMargin, &TZefEditPrintMargins::SetHFInternalMargin},
}};

namespace {

// The user's locale without thousands separators: "1968.5", never "1,968.5", and "1,968.5" is refused rather
// than read as something the user may not have meant.
QLocale NumberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace

QString ZefMarginText(double value)
{
    return NumberLocale().toString(value, 'g', 15);
}

std::optional<double> ZefParseMarginText(const QString& text)
{
    bool ok = false;
    const double value = NumberLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}
