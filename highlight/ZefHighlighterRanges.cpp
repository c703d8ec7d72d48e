// Range scanning over the line store, stopping at the first line whose stored end state is unchanged.
#include "ZefHighlighterRanges.h"

#include "ZefEditHighlighter.h"
#include "ZefEditTextBuffer.h"

#include <type_traits>

static_assert(std::is_same_v<TZefRangeState, decltype(std::declval<TZefEditStringList>().GetRangeState(0))>,
              "the highlighter's range state is the line store's");

namespace zefranges {

void ScanAllRanges(TZefCustomHighlighter& highlighter, TZefEditStringList& lines)
{
    highlighter.ResetRange();
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        highlighter.ScanLineRange(lines.GetLine(i), i);
        lines.SetRangeState(i, highlighter.GetRange());
    }
}

int ScanRangesFrom(TZefCustomHighlighter& highlighter, TZefEditStringList& lines, int first)
{
    const int count = lines.Count();
    if (first < 0) first = 0;
    if (first >= count) return first;
    if (first == 0) {
        highlighter.ResetRange();
    } else {
        highlighter.SetRange(lines.GetRangeState(first - 1));
    }
    int line = first;
    for (;;) {
        highlighter.ScanLineRange(lines.GetLine(line), line);
        const TZefRangeState range = highlighter.GetRange();
        if (range == lines.GetRangeState(line)) return line;
        lines.SetRangeState(line, range);
        if (++line == count) return count - 1;
    }
}

} // namespace zefranges
