// The measuring image.
#include "ZefPrintMeasure.h"

#include <algorithm>
#include <cmath>

TZefPrintMeasure::TZefPrintMeasure(int pixelsPerInch)
    : pixelsPerInch_(std::max(pixelsPerInch, 1)), image_(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = static_cast<int>(std::lround(pixelsPerInch_ / 0.0254));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
}
