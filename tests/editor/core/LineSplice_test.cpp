// In-place edits of one line and the column slices the painter draws, checked against plain string models.
#include "ZefEditColumns.h"
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string RandomText(std::mt19937& random, size_t maxLength, bool tabs)
{
    const std::string alphabet = tabs ? "ab \t" : "abc ";
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
}

// The widest line by a fresh measurement of every line.
int LongestByScan(TZefEditStringList& lines, int tabWidth)
{
    int best = 0;
    for (int i = 0; i < lines.Count(); ++i)
        best = std::max(best, TZefEditStringList::ExpandedWidthOf(lines.GetLine(i), tabWidth));
    return best;
}

} // namespace

TEST(LineSplice, RandomEditsMatchAStringModelWithWidthsAndLongestLine)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 40; ++round) {
        const int tabWidth = 1 + static_cast<int>(random() % 8);
        // Loaded lines start as slices of the load buffer, short ones inline: both must become editable.
        std::vector<std::string> model;
        std::string file;
        for (int i = 0; i < 4; ++i) {
            model.push_back(RandomText(random, i == 0 ? 300 : 20, round % 2 == 0));
            file += model.back() + "\n";
        }
        TZefEditStringList lines;
        lines.SetTabWidth(tabWidth);
        std::istringstream stream(file);
        lines.LoadFromStream(stream);
        if (round % 3 == 0) lines.GetLongestLineWidth(); // sometimes the longest line is being tracked
        int replaced = 0;
        lines.OnLineReplaced = [&](TZefEditStringList*, int, int count) { replaced += count; };
        for (int step = 0; step < 60; ++step) {
            const int index = static_cast<int>(random() % model.size());
            std::string& line = model[static_cast<size_t>(index)];
            const size_t offset = random() % (line.size() + 1);
            const size_t length = random() % 4 == 0 ? random() % (line.size() - offset + 1) : 0;
            const std::string text = RandomText(random, step % 10 == 0 ? 100 : 3, round % 2 == 0);
            lines.ReplaceInLine(index, offset, length, text);
            line.replace(offset, length, text);
            ASSERT_EQ(lines.GetLine(index), line) << round << "/" << step;
            ASSERT_EQ(lines.GetExpandedWidth(index), TZefEditStringList::ExpandedWidthOf(line, tabWidth))
                << round << "/" << step;
            ASSERT_EQ(lines.GetLongestLineWidth(), LongestByScan(lines, tabWidth)) << round << "/" << step;
        }
        EXPECT_EQ(replaced, 60);
        std::ostringstream saved;
        lines.SaveToStream(saved);
        std::string expected;
        for (size_t i = 0; i < model.size(); ++i) expected += model[i] + (i + 1 < model.size() ? "\n" : "");
        EXPECT_EQ(saved.str().substr(0, expected.size()), expected);
    }
}

TEST(LineSplice, TextFromTheLineItselfAndClampedRanges)
{
    TZefEditStringList lines;
    lines.AddLine(std::string(40, 'a') + "0123456789");
    // The inserted text is a view of the line being edited: it must survive the line moving.
    const std::string_view tail = lines.GetLine(0).substr(40);
    lines.ReplaceInLine(0, 0, 0, tail);
    EXPECT_EQ(lines.GetLine(0), "0123456789" + std::string(40, 'a') + "0123456789");
    lines.ReplaceInLine(0, 1000, 5, "!");
    EXPECT_EQ(lines.GetLine(0).back(), '!') << "an offset past the end appends";
    lines.ReplaceInLine(0, 10, 1000, "");
    EXPECT_EQ(lines.GetLine(0), "0123456789") << "a length past the end stops at the end";
    EXPECT_THROW(lines.ReplaceInLine(1, 0, 0, "x"), EZefEditStringList);
    EXPECT_EQ(lines.Count(), 1);
}

TEST(ExpandedColumns, MatchTheWholeExpansionCut)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const int tabWidth = 1 + static_cast<int>(random() % 9);
        const std::string line = RandomText(random, 40, true);
        const std::string whole = TZefEditStringList::ExpandTabs(line, tabWidth);
        const int first = 1 + static_cast<int>(random() % 60);
        const int last = first - 1 + static_cast<int>(random() % 20);
        const std::string expected =
            static_cast<size_t>(first - 1) < whole.size()
                ? whole.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1))
                : std::string();
        ASSERT_EQ(zefcolumns::ExpandedColumns(line, tabWidth, first, last), expected)
            << "tab width " << tabWidth << " columns " << first << ".." << last << " of \"" << line << "\"";
    }
}

TEST(ExpandedColumns, ColumnConversionsAgreeWithTheExpansion)
{
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        const int tabWidth = 1 + static_cast<int>(random() % 9);
        const std::string line = RandomText(random, 30, true);
        // The column of each index walks the expansion; converting back lands on the same index.
        int column = 1;
        for (int index = 1; index <= static_cast<int>(line.size()) + 3; ++index) {
            ASSERT_EQ(zefcolumns::CharToColumn(line, tabWidth, index), column) << index << " in \"" << line << "\"";
            ASSERT_EQ(zefcolumns::ColumnToChar(line, tabWidth, column), index) << column << " in \"" << line << "\"";
            const size_t at = static_cast<size_t>(index - 1);
            column = (at < line.size() && line[at] == '\t' && tabWidth > 1) ? ((column - 1) / tabWidth + 1) * tabWidth + 1
                                                                            : column + 1;
        }
    }
}
