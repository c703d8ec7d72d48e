// Header/footer macro expansion and the print engine's row splitting and pagination over random text, margins
// and page sizes: no hang, no row wider than its capacity, no page fuller than its rows, and every character
// of the input printed exactly once, in order.
#include "ZefEditPrintLines.h"
#include "ZefEditPrintMacros.h"
#include "ZefEditPrintMargins.h"
#include "ZefEditPrintRows.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    uint8_t Byte()
    {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    double Millimetres() { return (Byte() * 256 + Byte()) / 100.0 - 20; } // -20 .. 635 mm
};

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckPages(const TZefPrintLines& lines, size_t columns, bool wrap, size_t rowsPerPage)
{
    const std::vector<TPageLine> pages = PaginateRows(lines, columns, wrap, rowsPerPage);
    Check(!pages.empty() && pages[0] == TPageLine{});
    // Walk every row of every line in order and see that the pages cut this sequence into runs of at most
    // rowsPerPage rows, none of them empty.
    std::vector<size_t> starts;
    size_t page = 0;
    size_t onPage = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Line(i);
        SplitRows(line, columns, wrap, starts);
        std::string joined;
        for (size_t r = 0; r < starts.size(); ++r) {
            const size_t end = r + 1 < starts.size() ? starts[r + 1] : line.size();
            Check(starts[r] <= end && end <= line.size());
            if (wrap) Check(end - starts[r] <= columns);
            joined.append(line.substr(starts[r], end - starts[r]));
            if (page + 1 < pages.size() && pages[page + 1] == TPageLine{i, r}) {
                Check(onPage > 0);
                ++page;
                onPage = 0;
            }
            ++onPage;
            Check(onPage <= rowsPerPage);
        }
        Check(joined == line);
    }
    Check(page + 1 == pages.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader reader{data, size};
    const bool wrap = (reader.Byte() & 1) != 0;
    const int cell = 1 + reader.Byte() % 64;
    const int rowHeight = 1 + reader.Byte() % 128;
    const int tabWidth = 1 + reader.Byte() % 16;
    TZefEditPrintMargins margins;
    margins.SetLeft(reader.Millimetres());
    margins.SetRight(reader.Millimetres());
    margins.SetTop(reader.Millimetres());
    margins.SetBottom(reader.Millimetres());
    margins.SetGutter(reader.Millimetres());
    margins.SetMirrorMargins((reader.Byte() & 1) != 0);
    TZefEditPrinterInfo info;
    info.SetMetrics(200 + reader.Byte() * 16, 200 + reader.Byte() * 16, 100 + reader.Byte() * 16, 100 + reader.Byte() * 16,
                    reader.Byte(), reader.Byte(), 72 + reader.Byte() * 2, 72 + reader.Byte() * 2);
    const std::string_view rest(reinterpret_cast<const char*>(reader.data), reader.size);

    // The header text is the first line of the rest.
    const std::string_view header = rest.substr(0, std::min(rest.find('\n'), rest.size()));
    TZefMacroValues values;
    values.PageNumber = static_cast<int64_t>(size);
    values.PageCount = static_cast<int64_t>(size) * 3;
    values.Roman = wrap;
    values.Title = "title";
    const std::string expanded = ExpandMacros(header, values);
    if (header.find('$') == std::string_view::npos && header.find_first_not_of(' ') != std::string_view::npos)
        Check(expanded == header);

    for (int page = 1; page <= 2; ++page) {
        const TZefPageMargins m = margins.LayoutPage(page, info, false, false, 0);
        Check(m.PixLeft >= 0 && m.PixRight <= info.PrintableWidth() && m.PixTop >= 0 && m.PixBottom <= info.PrintableHeight());
    }
    const TZefPageMargins odd = margins.LayoutPage(1, info, false, false, 0);
    const TZefPageMargins even = margins.LayoutPage(2, info, false, false, 0);
    const int width = std::min(odd.TextWidth(), even.TextWidth());
    const int columns = width > 0 ? (width - 1) / cell : 0;
    const int rows = odd.TextHeight() > 0 ? odd.TextHeight() / rowHeight : 0;
    if (columns < 1 || rows < 1) return 0; // the engine refuses such margins
    Check(columns * cell < width);

    std::vector<std::string> text;
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t end = std::min(rest.find('\n', start), rest.size());
        text.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    TZefPrintLines lines;
    lines.Assign(text, tabWidth);
    CheckPages(lines, static_cast<size_t>(columns), wrap, static_cast<size_t>(rows));
    return 0;
}
