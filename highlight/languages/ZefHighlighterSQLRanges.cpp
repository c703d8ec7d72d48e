// The SQL highlighter's range scan without tokens. Outside comments and strings only "--", "/*", a single
// quote (a string that may carry over the line end) and a double quote (a string that hides the rest of
// its line up to its closing quote) matter, and each of them always starts a token there: no word,
// number or operator takes one of them after its first character (a number takes a "-" only when no
// second "-" follows). Everything between them is skipped by a byte table.
#include "ZefHighlighterSQL.h"

#include <array>

namespace {

constexpr std::array<bool, 256> MakeCodeStops()
{
    std::array<bool, 256> stops{};
    for (const char c : std::string_view("-/'\"")) stops[static_cast<unsigned char>(c)] = true;
    return stops;
}
constexpr std::array<bool, 256> kCodeStops = MakeCodeStops();

constexpr size_t kOpen = std::string_view::npos;

// Just past `close` at or after `from`, or kOpen.
size_t SkipPast(std::string_view line, size_t from, std::string_view close)
{
    const size_t found = line.find(close, from);
    return found == std::string_view::npos ? kOpen : found + close.size();
}

// Just past a double-quoted string whose body starts at `from` (or the line end, where it ends anyway): a
// backslash or a quote before a quote keeps that quote inside.
size_t SkipDoubleQuoted(std::string_view line, size_t from)
{
    const size_t size = line.size();
    size_t i = from;
    while (i < size) {
        const char c = line[i];
        if ((c == '\\' || c == '"') && i + 1 < size && line[i + 1] == '"') {
            i += 2;
            continue;
        }
        ++i;
        if (c == '"') break;
    }
    return i;
}

} // namespace

void TZefSQLSyn::ScanLineRange(std::string_view line, int lineIndex)
{
    const size_t size = line.size();
    size_t i = 0;
    TZefRangeState end = Range();
    if (end == rsComment || end == rsString) {
        i = SkipPast(line, 0, end == rsComment ? "*/" : "'");
        if (i == kOpen) {
            SetScannedRange(end, lineIndex);
            return;
        }
    }
    end = rsUnknown;
    const auto* const bytes = reinterpret_cast<const unsigned char*>(line.data());
    while (i < size) {
        while (i < size && !kCodeStops[bytes[i]]) ++i;
        if (i == size) break;
        const unsigned char c = bytes[i];
        const unsigned char next = i + 1 < size ? bytes[i + 1] : 0;
        if (c == '-' && next == '-') break;
        if (c == '/' && next == '*') {
            i = SkipPast(line, i + 2, "*/");
            if (i == kOpen) end = rsComment;
        } else if (c == '\'') {
            i = SkipPast(line, i + 1, "'");
            if (i == kOpen) end = rsString;
        } else if (c == '"') {
            i = SkipDoubleQuoted(line, i + 1);
        } else {
            ++i;
        }
    }
    SetScannedRange(end, lineIndex);
}
