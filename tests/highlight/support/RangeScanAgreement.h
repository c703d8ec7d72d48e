// Random lines of a language's pieces, each from every given start state: the range scan without tokens
// must end where the token loop ends. Pieces put the characters that matter side by side (a word right
// after a number, a quote inside a value, an opener at the line end) more densely than the all-language
// property test.
#pragma once

#include "ZefEditHighlighter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace rangescan {

inline void ExpectRangeScanAgrees(TZefCustomHighlighter& tokens, TZefCustomHighlighter& ranges,
                                  const std::vector<std::string>& pieces, const std::vector<TZefRangeState>& starts,
                                  int lineCount = 6000)
{
    std::mt19937 random(11);
    for (int i = 0; i < lineCount; ++i) {
        std::string line;
        const int count = static_cast<int>(random() % 12);
        for (int k = 0; k < count; ++k) line += pieces[random() % pieces.size()];
        for (const TZefRangeState start : starts) {
            tokens.SetRange(start);
            tokens.SetLine(line, 1);
            tokens.NextToEol();
            ranges.SetRange(start);
            ranges.ScanLineRange(line, 1);
            ASSERT_EQ(ranges.GetRange(), tokens.GetRange()) << "start " << start << " line \"" << line << "\"";
        }
    }
}

} // namespace rangescan
