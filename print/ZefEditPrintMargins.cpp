// Margin units and the per-page pixel layout.
#include "ZefEditPrintMargins.h"

#include <algorithm>
#include <cmath>

double TZefEditPrintMargins::FromMM(double mm, TUnitSystem unit)
{
    switch (unit) {
    case usCM: return mm / 10;
    case usInch: return mm / 25.4;
    case muThousandthsOfInches: return mm * 1000 / 25.4;
    case usMM: break;
    }
    return mm;
}

double TZefEditPrintMargins::ToMM(double value, TUnitSystem unit)
{
    switch (unit) {
    case usCM: return value * 10;
    case usInch: return value * 25.4;
    case muThousandthsOfInches: return value * 25.4 / 1000;
    case usMM: break;
    }
    return value;
}

void TZefEditPrintMargins::SetUnitSystem(TUnitSystem value)
{
    if (value > muThousandthsOfInches) value = usMM;
    unitSystem_ = value;
    ++revision_;
}

void TZefEditPrintMargins::Store(double& field, double value)
{
    // A distance that is not a finite number would make every pixel figure meaningless.
    field = std::isfinite(value) ? ToMM(value, unitSystem_) : 0;
    ++revision_;
}

void TZefEditPrintMargins::SetMirrorMargins(bool value)
{
    mirrorMargins_ = value;
    ++revision_;
}

void TZefEditPrintMargins::Assign(const TZefEditPrintMargins& source)
{
    const uint64_t revision = revision_;
    *this = source;
    revision_ = std::max(revision, source.revision_) + 1;
}

TZefPageMargins TZefEditPrintMargins::LayoutPage(int pageNumber, const TZefEditPrinterInfo& info, bool lineNumbers,
                                                 bool lineNumbersInMargin, int lineNumberWidth) const
{
    const int width = info.PrintableWidth();
    const int height = info.PrintableHeight();
    const auto inWidth = [width](int x) { return std::clamp(x, 0, width); };
    const auto inHeight = [height](int y) { return std::clamp(y, 0, height); };

    TZefPageMargins m;
    const bool mirrored = mirrorMargins_ && pageNumber % 2 == 0;
    const double leftMM = mirrored ? right_ : left_ + gutter_;
    const double rightMM = mirrored ? left_ + gutter_ : right_;
    m.PixLeft = inWidth(info.PixelsFromLeft(leftMM));
    m.PixRight = inWidth(width - info.PixelsFromRight(rightMM));
    if (lineNumbers && !lineNumbersInMargin) m.PixLeft = inWidth(m.PixLeft + std::max(lineNumberWidth, 0));
    m.PixTop = inHeight(info.PixelsFromTop(top_));
    m.PixBottom = inHeight(height - info.PixelsFromBottom(bottom_));
    m.PixHeader = inHeight(info.PixelsFromTop(header_));
    m.PixFooter = inHeight(height - info.PixelsFromBottom(footer_));
    m.PixHFInternalMargin = std::max(NearestInt(info.YPixPerMM() * hfInternalMargin_), 0);
    m.PixRightHFTextIndent = m.PixRight - NearestInt(info.XPixPerMM() * rightHFTextIndent_);
    m.PixLeftHFTextIndent = m.PixLeft + NearestInt(info.XPixPerMM() * leftHFTextIndent_);
    return m;
}
