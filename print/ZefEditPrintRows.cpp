// Row splitting and pagination of the print engine.
#include "ZefEditPrintRows.h"

#include "ZefEditPrintLines.h"

#include <algorithm>

namespace {

constexpr std::string_view kWordSeparators{"\t ,-", 4};
constexpr std::string_view kSentenceSeparators{").;", 3};
// Lines between two calls of the progress: a few milliseconds of work.
constexpr uint64_t kLinesPerStep = 65536;

} // namespace

bool WrapText(std::string_view line, std::string_view separators, size_t capacity, std::vector<size_t>& positions)
{
    const size_t length = line.size();
    if (capacity >= length) return true;
    const size_t addedFrom = positions.size();
    size_t rowStart = 0;
    size_t separator = 0; // 1-based; 0 while none is remembered
    for (size_t i = 1; i <= length; ++i) {
        if (separators.find(line[i - 1]) != std::string_view::npos) separator = i;
        if (i - rowStart == capacity || i == length) {
            if (separator == 0) {
                positions.resize(addedFrom);
                return false;
            }
            positions.push_back(separator);
            rowStart = separator;
            if (length - rowStart <= capacity || i == length) return true;
            // Separators between the wrap and here are not looked at again.
            separator = 0;
        }
    }
    return true;
}

void SplitRows(std::string_view line, size_t capacity, bool wrap, std::vector<size_t>& rowStarts)
{
    rowStarts.assign(1, 0);
    capacity = std::max<size_t>(capacity, 1);
    if (!wrap || line.size() <= capacity) return;
    if (WrapText(line, kWordSeparators, capacity, rowStarts)) return;
    if (WrapText(line, kSentenceSeparators, capacity, rowStarts)) return;
    for (size_t start = capacity; start < line.size(); start += capacity) rowStarts.push_back(start);
}

size_t RowCount(std::string_view line, size_t capacity, bool wrap, std::vector<size_t>& scratch)
{
    if (!wrap || line.size() <= capacity) return 1;
    SplitRows(line, capacity, wrap, scratch);
    return scratch.size();
}

std::vector<TPageLine> PaginateRows(const TZefPrintLines& lines, size_t capacity, bool wrap, size_t rowsPerPage,
                                    const TZefWorkProgress& progress)
{
    rowsPerPage = std::max<size_t>(rowsPerPage, 1);
    capacity = std::max<size_t>(capacity, 1);
    std::vector<TPageLine> pages{TPageLine{}};
    std::vector<size_t> scratch;
    size_t used = 0; // rows already on the current page
    const int count = lines.Count();
    TZefProgressTicker ticker(progress, static_cast<uint64_t>(count), kLinesPerStep);
    for (int i = 0; i < count; ++i) {
        ticker.CheckAt(static_cast<uint64_t>(i));
        const size_t length = lines.Length(i);
        const size_t rows = (!wrap || length <= capacity) ? 1 : RowCount(lines.Line(i), capacity, wrap, scratch);
        if (used > 0 && used + rows > rowsPerPage) {
            pages.push_back({i, 0});
            used = 0;
        }
        size_t row = 0;
        while (rows - row > rowsPerPage - used) {
            row += rowsPerPage - used;
            pages.push_back({i, row});
            used = 0;
        }
        used += rows - row;
    }
    return pages;
}
