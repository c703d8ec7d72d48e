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

TEST(LineSplice, ABatchOfEditsIsOneChangeOverItsLines)
{
    // Lines of every kind of storage: inline, slices of the load buffer and blocks of their own.
    const std::vector<std::string> loaded = {"short", std::string(40, 'a'), "tab\there", std::string(30, 'b'), "end"};
    struct Edit {
        int index;
        size_t offset;
        size_t length;
        std::string text;
    };
    const std::vector<Edit> edits = {
        {1, 10, 5, "XY"},                // a slice gets shorter
        {1, 30, 0, std::string(50, 'Z')}, // the same line again, now longer than the longest
        {2, 3, 1, ""},                   // empty replacement takes the tab out
        {3, 0, 30, "tiny"},              // a long line becomes inline
        {3, 4, 0, std::string(20, 'c')}, // and long again
    };
    TZefEditStringList lines;
    std::string file;
    for (const std::string& line : loaded) file += line + "\n";
    std::istringstream stream(file);
    lines.LoadFromStream(stream);
    lines.GetLongestLineWidth(); // the longest line is being tracked
    std::string log;
    lines.OnBeforeChanges = [&](TZefEditStringList*) { log += "B "; };
    lines.OnAfterChanges = [&](TZefEditStringList*) { log += "A "; };
    lines.OnLineReplaced = [&](TZefEditStringList*, int i, int n) { log += "~" + std::to_string(i) + "," + std::to_string(n) + " "; };
    std::vector<std::string> model = loaded;
    {
        TZefEditStringList::TSpliceBatch batch(lines);
        for (const Edit& e : edits) {
            batch.Splice(e.index, e.offset, e.length, e.text);
            model[static_cast<size_t>(e.index)].replace(e.offset, e.length, e.text);
        }
        EXPECT_EQ(log, "B ") << "nothing is announced before the batch closes";
        EXPECT_EQ(batch.FirstChanged(), 1);
        EXPECT_EQ(batch.LastChanged(), 3);
        batch.Close();
        batch.Close();
    }
    EXPECT_EQ(log, "B ~1,3 A ");
    for (int i = 0; i < lines.Count(); ++i) {
        EXPECT_EQ(lines.GetLine(i), model[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(lines.GetExpandedWidth(i), TZefEditStringList::ExpandedWidthOf(model[static_cast<size_t>(i)], 8)) << i;
    }
    EXPECT_EQ(lines.GetLongestLineWidth(), LongestByScan(lines, 8));
}

TEST(LineSplice, ABatchLeftByAnErrorStillAnnouncesWhatItChanged)
{
    TZefEditStringList lines;
    for (int i = 0; i < 4; ++i) lines.AddLine("line " + std::to_string(i));
    std::string log;
    lines.OnBeforeChanges = [&](TZefEditStringList*) { log += "B "; };
    lines.OnAfterChanges = [&](TZefEditStringList*) { log += "A "; };
    lines.OnLineReplaced = [&](TZefEditStringList*, int i, int n) { log += "~" + std::to_string(i) + "," + std::to_string(n) + " "; };
    try {
        TZefEditStringList::TSpliceBatch batch(lines);
        batch.Splice(2, 0, 4, "LINE");
        batch.Splice(4, 0, 0, "x"); // no such line
        ADD_FAILURE() << "a bad index must raise";
    } catch (const EZefEditStringList& error) {
        EXPECT_EQ(error.Index(), 4);
    }
    EXPECT_EQ(log, "B ~2,1 A ");
    EXPECT_EQ(lines.UpdateCount(), 0);
    EXPECT_EQ(lines.GetLine(2), "LINE 2");
    // A batch without edits only brackets.
    log.clear();
    TZefEditStringList::TSpliceBatch(lines).Close();
    EXPECT_EQ(log, "B A ");
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
