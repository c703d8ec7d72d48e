// Printer metrics and the millimetre-to-pixel conversions of the margins.
#include "ZefEditPrinterInfo.h"

#include <QSize>

#include <algorithm>
#include <climits>
#include <cmath>

int NearestInt(double value)
{
    if (!(value == value)) return 0; // NaN
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(rounded);
}

TZefEditPrinterInfo::TZefEditPrinterInfo() { SetMetrics(2481, 3507, 2358, 3407, 65, 50, 300, 300); }

TZefEditPrinterInfo TZefEditPrinterInfo::DefaultA4() { return TZefEditPrinterInfo(); }

TZefEditPrinterInfo TZefEditPrinterInfo::ForPaper(const QPageSize& paper, QPageLayout::Orientation orientation,
                                                  int dotsPerInch)
{
    dotsPerInch = std::clamp(dotsPerInch, 1, 100000);
    QSize size = paper.sizePixels(dotsPerInch);
    if (orientation == QPageLayout::Landscape) size.transpose();
    TZefEditPrinterInfo info;
    info.SetMetrics(size.width(), size.height(), size.width(), size.height(), 0, 0, dotsPerInch, dotsPerInch);
    return info;
}

void TZefEditPrinterInfo::SetMetrics(int physicalWidth, int physicalHeight, int printableWidth, int printableHeight,
                                     int leftGutter, int topGutter, int xPixPerInch, int yPixPerInch)
{
    physicalWidth_ = std::max(physicalWidth, 1);
    physicalHeight_ = std::max(physicalHeight, 1);
    printableWidth_ = std::clamp(printableWidth, 1, physicalWidth_);
    printableHeight_ = std::clamp(printableHeight, 1, physicalHeight_);
    leftGutter_ = std::clamp(leftGutter, 0, physicalWidth_ - printableWidth_);
    topGutter_ = std::clamp(topGutter, 0, physicalHeight_ - printableHeight_);
    xPixPerInch_ = std::max(xPixPerInch, 1);
    yPixPerInch_ = std::max(yPixPerInch, 1);
}

int TZefEditPrinterInfo::PixelsFromLeft(double mm) const { return NearestInt(mm * XPixPerMM() - leftGutter_); }
int TZefEditPrinterInfo::PixelsFromRight(double mm) const { return NearestInt(mm * XPixPerMM() - RightGutter()); }
int TZefEditPrinterInfo::PixelsFromTop(double mm) const { return NearestInt(mm * YPixPerMM() - topGutter_); }
int TZefEditPrinterInfo::PixelsFromBottom(double mm) const { return NearestInt(mm * YPixPerMM() - BottomGutter()); }
