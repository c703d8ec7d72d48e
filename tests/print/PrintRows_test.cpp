// Word wrap, row splitting and pagination, dumped as the (line.row) where each page starts.
#include "ZefEditPrintLines.h"
#include "ZefEditPrintRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Dump(const std::vector<TPageLine>& pages)
{
    std::string dump;
    for (const TPageLine& page : pages) {
        if (!dump.empty()) dump += ' ';
        dump += std::to_string(page.FirstLine) + "." + std::to_string(page.FirstRow);
    }
    return dump;
}

std::string Paginate(const std::vector<std::string>& text, size_t columns, size_t rowsPerPage, bool wrap = true)
{
    TZefPrintLines lines;
    lines.Assign(text, 8);
    return Dump(PaginateRows(lines, columns, wrap, rowsPerPage));
}

std::vector<std::string> Rows(const std::string& line, size_t columns, bool wrap = true)
{
    std::vector<size_t> starts;
    SplitRows(line, columns, wrap, starts);
    std::vector<std::string> rows;
    for (size_t r = 0; r < starts.size(); ++r) {
        const size_t end = r + 1 < starts.size() ? starts[r + 1] : line.size();
        rows.push_back(line.substr(starts[r], end - starts[r]));
    }
    return rows;
}

using Rowsv = std::vector<std::string>;

} // namespace

TEST(PrintRows, WrapPositions)
{
    struct Case {
        const char* line;
        const char* separators;
        size_t columns;
        bool ok;
        std::vector<size_t> positions;
    } cases[] = {
        {"aaa bbb ccc", " ", 4, true, {4, 8}},
        {"aaa bbb ccc", " ", 11, true, {}},      // fits: no position
        {"abcdefgh", " ", 3, false, {}},         // no separator at all
        {"ab cdefgh ij", " ", 4, false, {}},     // a stretch of 4 without one
        {"aaa.bbb.ccc", ".", 4, true, {4, 8}},
        {"a,b-c d\te", "\t ,-", 2, true, {2, 4, 6, 8}},
    };
    for (const Case& c : cases) {
        std::vector<size_t> positions{99}; // what was there before stays
        EXPECT_EQ(WrapText(c.line, c.separators, c.columns, positions), c.ok) << c.line;
        std::vector<size_t> expected{99};
        expected.insert(expected.end(), c.positions.begin(), c.positions.end());
        EXPECT_EQ(positions, expected) << c.line;
    }
}

TEST(PrintRows, SplitTable)
{
    EXPECT_EQ(Rows("", 5), Rowsv{""});
    EXPECT_EQ(Rows("abcde", 5), Rowsv{"abcde"});                      // exactly M: one row
    EXPECT_EQ(Rows("abcdef", 5), (Rowsv{"abcde", "f"}));               // M + 1: two
    EXPECT_EQ(Rows("aaa bbb ccc", 4), (Rowsv{"aaa ", "bbb ", "ccc"})); // after the spaces
    EXPECT_EQ(Rows("aaabbbcccd", 4), (Rowsv{"aaab", "bbcc", "cd"}));   // no separator: every M
    EXPECT_EQ(Rows("ab cdefgh ij", 4), (Rowsv{"ab c", "defg", "h ij"}));
    EXPECT_EQ(Rows("f(a).g(b);", 5), (Rowsv{"f(a).", "g(b);"}));       // second separator set
    EXPECT_EQ(Rows("abcdefgh", 3, false), Rowsv{"abcdefgh"});          // no wrap: one row
}

TEST(PrintRows, EveryCharacterLandsInExactlyOneRowOfAtMostMCharacters)
{
    const std::string samples[] = {
        "The quick brown fox, jumps-over the lazy dog; again. And again (and again).",
        std::string(1000, 'x') + " tail",
        "a b c d e f g h i j k l m n o p q r s t u v w x y z",
        "\t\t\tx\t\ty",
    };
    for (const std::string& line : samples) {
        for (size_t columns : {1u, 2u, 3u, 7u, 16u, 80u}) {
            const Rowsv rows = Rows(line, columns);
            std::string joined;
            for (const std::string& row : rows) {
                EXPECT_LE(row.size(), columns);
                joined += row;
            }
            EXPECT_EQ(joined, line) << columns;
        }
    }
}

TEST(PrintRows, PaginationTable)
{
    const std::string two(6, 'x');   // two rows of 4
    const std::string eight(32, 'x'); // eight rows of 4
    struct Case {
        const char* name;
        std::vector<std::string> text;
        bool wrap;
        const char* pages;
    } cases[] = {
        {"empty text is one page", {}, true, "0.0"},
        {"exact fit at the bottom", {"a", "b", "c"}, true, "0.0"},
        {"one more line starts page 2", {"a", "b", "c", "d"}, true, "0.0 3.0"},
        {"a wrapped line moves whole", {"a", "b", two}, true, "0.0 2.0"},
        {"its rows count on the new page", {"a", "b", two, "c", "d"}, true, "0.0 2.0 4.0"},
        {"tall first line: no blank page", {eight}, true, "0.0 0.3 0.6"},
        {"tall line after text", {"a", eight, "b"}, true, "0.0 1.0 1.3 1.6"},
        {"tall line's last page shared", {eight, "b", "c"}, true, "0.0 0.3 0.6 2.0"},
        {"no wrap: one row per line", {eight, eight, eight, eight}, false, "0.0 3.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Paginate(c.text, 4, 3, c.wrap), c.pages) << c.name;
}

TEST(PrintRows, HundredThousandCharacterLinePrintsWhole)
{
    const std::string line(100'000, 'y');
    EXPECT_EQ(Rows(line, 80).size(), 1250u);
    TZefPrintLines lines;
    lines.Assign(std::vector<std::string>{"first", line, "last"}, 8);
    const std::vector<TPageLine> pages = PaginateRows(lines, 80, true, 60);
    // "first" alone, then 1250 rows over 21 pages (the last one holding 50 rows and "last").
    ASSERT_EQ(pages.size(), 22u);
    EXPECT_EQ(pages[1], (TPageLine{1, 0}));
    EXPECT_EQ(pages[21], (TPageLine{1, 1200}));
}

TEST(PrintLines, TabsExpandToTabBytesUpToTheNextStop)
{
    TZefPrintLines lines;
    lines.Assign(std::vector<std::string>{"a\tb", "", "\t"}, 4);
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Line(0), "a\t\t\tb");
    EXPECT_EQ(lines.Line(1), "");
    EXPECT_EQ(lines.Line(2), "\t\t\t\t");
    lines.Assign(std::vector<std::string>{"a\tb"}, 1);
    EXPECT_EQ(lines.Line(0), "a b");
}
