// The checks the highlighter fuzz targets share: a text scanned line by line as the editor does, then each
// line again from its stored range.
#pragma once

#include "ZefEditHighlighter.h"

#include <cstdlib>
#include <functional>
#include <string_view>
#include <vector>

namespace zeffuzz {

inline void Check(bool condition)
{
    if (!condition) std::abort();
}

// The tokens of one line as (kind, pos, length) triples. Checks that they tile the line: each non-empty,
// starting where the last ended, a view of the line itself, the last ending at the line's length; and
// `token` for each (kind and attribute checks of a language).
inline std::vector<int> Tokens(TZefCustomHighlighter& highlighter, std::string_view line, int index,
                               const std::function<void(const TZefCustomHighlighter&)>& token = {})
{
    std::vector<int> tokens;
    highlighter.SetLine(line, index);
    size_t expected = 0;
    while (!highlighter.GetEol()) {
        const std::string_view text = highlighter.GetToken();
        Check(highlighter.GetTokenPos() >= 0 && static_cast<size_t>(highlighter.GetTokenPos()) == expected);
        Check(!text.empty());
        Check(text.data() == line.data() + expected);
        if (token) token(highlighter);
        tokens.insert(tokens.end(), {highlighter.GetTokenKind(), highlighter.GetTokenPos(), static_cast<int>(text.size())});
        expected += text.size();
        highlighter.Next();
    }
    Check(expected == line.size());
    Check(highlighter.GetToken().empty());
    return tokens;
}

// The input split at LF only, so CR and NUL stay inside lines as the store may hold them.
inline std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

// Scans `lines` from the top with `scanner`, checking every end state with `lineStart` and the range scan
// without tokens (on `again`) against the token loop; then each line again on `again`, last to first, from
// the stored range of the line above, which must give the same tokens and end state.
inline void CheckDocument(TZefCustomHighlighter& scanner, TZefCustomHighlighter& again,
                          const std::vector<std::string_view>& lines,
                          const std::function<bool(TZefRangeState)>& lineStart,
                          const std::function<void(const TZefCustomHighlighter&)>& token = {})
{
    std::vector<TZefRangeState> stored;
    std::vector<std::vector<int>> tokens;
    scanner.ResetRange();
    for (size_t i = 0; i < lines.size(); ++i) {
        const TZefRangeState start = scanner.GetRange();
        tokens.push_back(Tokens(scanner, lines[i], static_cast<int>(i), token));
        const TZefRangeState end = scanner.GetRange();
        Check(lineStart(end));
        stored.push_back(end);
        again.SetRange(start);
        again.ScanLineRange(lines[i], static_cast<int>(i));
        Check(again.GetRange() == end);
        scanner.SetRange(end);
    }
    for (size_t i = lines.size(); i-- > 0;) {
        if (i == 0) {
            again.ResetRange();
        } else {
            again.SetRange(stored[i - 1]);
        }
        Check(Tokens(again, lines[i], static_cast<int>(i), token) == tokens[i]);
        Check(again.GetRange() == stored[i]);
    }
}

// Each line from each of `ranges` (the states the language lists): the range scan without tokens (on
// `again`) must end where the token loop (on `scanner`) ends, also from states a top-down scan of this input
// never reaches.
inline void CheckRangeScanFromEveryState(TZefCustomHighlighter& scanner, TZefCustomHighlighter& again,
                                         const std::vector<std::string_view>& lines,
                                         const std::vector<TZefRangeState>& ranges)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        for (const TZefRangeState range : ranges) {
            scanner.SetRange(range);
            Tokens(scanner, lines[i], static_cast<int>(i));
            again.SetRange(range);
            again.ScanLineRange(lines[i], static_cast<int>(i));
            Check(again.GetRange() == scanner.GetRange());
        }
    }
}

} // namespace zeffuzz
