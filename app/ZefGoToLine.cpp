// Reading the number of the go-to-line prompt.
#include "ZefGoToLine.h"

#include <algorithm>
#include <cstdint>
#include <limits>

std::optional<int> ZefJumpToLineNumber(const QString& typed, bool zeroStart)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < typed.size() && (typed[i] == QLatin1Char('+') || typed[i] == QLatin1Char('-'))) {
        negative = typed[i] == QLatin1Char('-');
        ++i;
    }
    if (i == typed.size())
        return std::nullopt;
    // Saturates well above the int range, so that no number of digits can overflow.
    constexpr int64_t saturated = int64_t{1} << 40;
    int64_t value = 0;
    for (; i < typed.size(); ++i) {
        const char16_t c = typed[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(saturated, value * 10 + (c - u'0'));
    }
    if (negative)
        value = -value;
    if (zeroStart)
        value += 1;
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
