// Window bounds clamped to the screen.
#include "ZefWindowBounds.h"

#include <algorithm>
#include <cstdint>

namespace {

// One axis: the stored span [start, start + length) against the area's [areaStart, areaStart + areaLength).
// Sixty-four bits, since start + length of values read from a file can overflow an int.
bool FitAxis(int64_t start, int64_t length, int64_t areaStart, int64_t areaLength, int& fittedStart, int& fittedLength)
{
    if (length <= 0 || areaLength <= 0 || start + length <= areaStart || start >= areaStart + areaLength)
        return false;
    const int64_t fitted = std::min(length, areaLength);
    fittedStart = static_cast<int>(std::clamp(start, areaStart, areaStart + areaLength - fitted));
    fittedLength = static_cast<int>(fitted);
    return true;
}

} // namespace

std::optional<QRect> ZefFitWindowBounds(int left, int top, int width, int height, const QRect& available)
{
    if (!available.isValid())
        return std::nullopt;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    if (!FitAxis(left, width, available.x(), available.width(), x, w) ||
        !FitAxis(top, height, available.y(), available.height(), y, h))
        return std::nullopt;
    return QRect(x, y, w, h);
}
