// Character index / display column conversion; a tab advances to the next multiple of the tab width.
// Both walks jump from tab to tab (memchr), so lines without many tabs cost about a memory scan.
#include "ZefEditColumns.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace zefcolumns {

namespace {

int64_t NextTabStop(int64_t column0, int tabWidth)
{
    if (tabWidth <= 1) return column0 + 1;
    return (column0 / tabWidth + 1) * tabWidth;
}

const char* FindTab(const char* from, const char* end)
{
    return static_cast<const char*>(std::memchr(from, '\t', static_cast<size_t>(end - from)));
}

int ClampToInt(int64_t value) { return static_cast<int>(std::min<int64_t>(value, INT_MAX)); }

} // namespace

int CharToColumn(std::string_view line, int tabWidth, int charIndex)
{
    const int64_t before = std::max(charIndex - 1, 0);
    const int64_t inLine = std::min<int64_t>(before, static_cast<int64_t>(line.size()));
    const char* p = line.data();
    const char* end = p + inLine;
    int64_t column0 = 0;
    while (p < end) {
        const char* tab = FindTab(p, end);
        if (tab == nullptr) {
            column0 += end - p;
            break;
        }
        column0 = NextTabStop(column0 + (tab - p), tabWidth);
        p = tab + 1;
    }
    return ClampToInt(column0 + (before - inLine) + 1);
}

int ColumnToChar(std::string_view line, int tabWidth, int column)
{
    const int64_t target0 = std::max(column, 1) - 1;
    const char* start = line.data();
    const char* p = start;
    const char* end = start + line.size();
    int64_t column0 = 0;
    while (p < end) {
        const char* tab = FindTab(p, end);
        const char* segmentEnd = tab != nullptr ? tab : end;
        // Plain characters are one column each: the target lies in this run when it is short of its end.
        if (target0 < column0 + (segmentEnd - p)) return ClampToInt((p - start) + (target0 - column0) + 1);
        column0 += segmentEnd - p;
        if (tab == nullptr) break;
        const int64_t next = NextTabStop(column0, tabWidth);
        if (next > target0) return ClampToInt((tab - start) + 1);
        column0 = next;
        p = tab + 1;
    }
    return ClampToInt(static_cast<int64_t>(line.size()) + 1 + (target0 - column0));
}

std::string ExpandedColumns(std::string_view line, int tabWidth, int firstColumn, int lastColumn)
{
    firstColumn = std::max(firstColumn, 1);
    std::string result;
    if (lastColumn < firstColumn) return result;
    // The character whose span holds firstColumn, and the column where that span starts.
    const int64_t first = ColumnToChar(line, tabWidth, firstColumn);
    if (first > static_cast<int64_t>(line.size())) return result;
    int64_t column0 = CharToColumn(line, tabWidth, static_cast<int>(first)) - 1;
    const int64_t skip = (firstColumn - 1) - column0;
    const int64_t last0 = lastColumn - 1;
    result.reserve(static_cast<size_t>(std::min<int64_t>(last0 - column0 + 1, 1 << 16)));
    for (size_t i = static_cast<size_t>(first - 1); i < line.size() && column0 <= last0; ++i) {
        if (line[i] != '\t') {
            result.push_back(line[i]);
            ++column0;
        } else if (tabWidth <= 1) {
            result.push_back(' ');
            ++column0;
        } else {
            const int64_t stop = NextTabStop(column0, tabWidth);
            result.append(static_cast<size_t>(stop - column0), '\t');
            column0 = stop;
        }
    }
    result.erase(0, static_cast<size_t>(std::min<int64_t>(skip, static_cast<int64_t>(result.size()))));
    if (result.size() > static_cast<size_t>(lastColumn - firstColumn + 1))
        result.resize(static_cast<size_t>(lastColumn - firstColumn + 1));
    return result;
}

} // namespace zefcolumns
