// The formatter core: one table of settings, input lines and expected lines, and the progress callback.
#include "ZefTextFormatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TLines = std::vector<std::string>;

std::string Rep(char c, std::size_t n) { return std::string(n, c); }
std::string Sp(std::size_t n) { return Rep(' ', n); }

TZefFormatSettings General(uint16_t max = 80)
{
    TZefFormatSettings settings;
    settings.MaxLineLength = max;
    return settings;
}

TZefFormatSettings Plus(uint16_t max = 80)
{
    TZefFormatSettings settings = General(max);
    settings.Style = TZefFormatStyle::fsGeneralPlus;
    return settings;
}

template <typename F>
TZefFormatSettings With(TZefFormatSettings settings, F change)
{
    change(settings);
    return settings;
}

TZefFormatSettings Compress(TZefFormatSettings settings, uint8_t keep)
{
    settings.DeleteEmptyLines = true;
    settings.MaxEmptyLines = keep;
    return settings;
}

TZefFormatSettings Align(TZefFormatSettings settings, char c, uint8_t count)
{
    settings.AlignChar = std::string(1, c);
    settings.AlignCount = count;
    return settings;
}

struct TFormatCase {
    const char* name;
    TZefFormatSettings settings;
    TLines input;
    TLines expected;
};

// The sample text: 79 characters, its last space in columns 41..60 at column 57, a colon at column 8.
const std::string Subject = "Subject: the quick brown fox jumps over the lazy dog and keeps running far away";
const std::string SubjectHead = "Subject: the quick brown fox jumps over the lazy dog and ";

const TFormatCase FormatCases[] = {
    {"leading tabs become 8 spaces each, inner tabs stay", General(), {"\t\tab\tc", "x\ty"},
     {Sp(16) + "ab\tc", "x\ty"}},
    {"cut after the last break character in columns 41..80", General(),
     {Rep('a', 74) + " " + Rep('b', 25)}, {Rep('a', 74) + " ", Rep('b', 25)}},
    {"a break character in column 40 is never used", General(),
     {Rep('a', 39) + " " + Rep('b', 60)}, {Rep('a', 39) + " " + Rep('b', 40), Rep('b', 20)}},
    {"a break character in column 41 is used", General(),
     {Rep('a', 40) + ":" + Rep('b', 59)}, {Rep('a', 40) + ":", Rep('b', 59)}},
    {"each of the break characters ends a line", General(60),
     {Rep('a', 50) + "\\" + Rep('b', 20), Rep('a', 45) + "!" + Rep('b', 20)},
     {Rep('a', 50) + "\\", Rep('b', 20), Rep('a', 45) + "!", Rep('b', 20)}},
    {"a word longer than the width is cut at the width, again and again", General(),
     {Rep('x', 200)}, {Rep('x', 80), Rep('x', 80), Rep('x', 40)}},
    {"leading blanks before a long word: the cut is not taken inside the blanks", General(),
     {Sp(45) + Rep('x', 100)}, {Sp(45) + Rep('x', 35), Rep('x', 65)}},
    {"the continuation indent of 45 cannot make an endless run", With(Plus(), [](auto& s) { s.SpacesBeforeNew = 45; }),
     {"a " + Rep('x', 150)}, {"a " + Rep('x', 78), Sp(45) + Rep('x', 35), Sp(45) + Rep('x', 35), Sp(45) + "xx"}},
    {"blanks as long as the width leave the line unsplit and clear the indent",
     With(Plus(60), [](auto& s) { s.SpacesBeforeNew = 30; s.SpacesBeforeAll = 30; }),
     {Rep('b', 100), Rep('c', 61)},
     {Sp(30) + Rep('b', 30), Sp(60) + Rep('b', 70), Sp(30) + Rep('c', 30), Sp(60) + Rep('c', 31)}},
    {"an align indent as long as the width ends too", Align(Plus(60), '=', 1),
     {Sp(59) + "=" + Rep('v', 50)}, {Sp(59) + "=", Sp(60) + Rep('v', 50)}},
    {"three blank lines become one with 1", Compress(General(), 1), {"a", "", "  ", "", "b"}, {"a", "", "b"}},
    {"three blank lines disappear with 0", Compress(General(), 0), {"a", "", "  ", "", "b"}, {"a", "b"}},
    {"blank lines at the end disappear with 0", Compress(General(), 0), {"a", "", ""}, {"a"}},
    {"two blank lines are kept with 2", Compress(General(), 2), {"", " ", "", "", "b", ""}, {"", " ", "b", ""}},
    {"fewer blank lines than kept stay", Compress(General(), 3), {"a", "", "", "b"}, {"a", "", "", "b"}},
    {"a following line of tabs is not blank; the line that moves up has its tabs expanded",
     Compress(General(), 0), {"a", "", "\t", "", "\tb"}, {"a", Sp(8), Sp(8) + "b"}},
    {"without compression blank lines stay", General(), {"", "", ""}, {"", "", ""}},
    {"spaces before all lines with General +", With(Plus(), [](auto& s) { s.SpacesBeforeAll = 2; }),
     {"a", "", "b"}, {"  a", "  ", "  b"}},
    {"General ignores the General + settings",
     Align(With(General(60), [](auto& s) { s.SpacesBeforeAll = 2; s.JoinParagraphs = true; }), ':', 1),
     {Subject, "into the woods"}, {SubjectHead, "keeps running far away", "into the woods"}},
    {"spaces before new lines indent the rest without trimming", With(Plus(60), [](auto& s) { s.SpacesBeforeNew = 3; }),
     {Subject}, {SubjectHead, "   keeps running far away"}},
    {"align character found: continuation text starts after it", Align(Plus(60), ':', 1),
     {"Name: " + Rep('w', 3) + " " + Rep('v', 120)},
     {("Name: www " + Rep('v', 120)).substr(0, 60), Sp(5) + Rep('v', 55), Sp(5) + Rep('v', 15)}},
    {"align count 2 takes the second occurrence", Align(Plus(60), ':', 2),
     {"a:bc:" + Rep('v', 70)}, {("a:bc:" + Rep('v', 70)).substr(0, 60), Sp(5) + Rep('v', 15)}},
    {"align character not found: continuation lines are not indented", Align(Plus(60), ':', 3),
     {"a:bc:" + Rep('v', 70)}, {("a:bc:" + Rep('v', 70)).substr(0, 60), Rep('v', 15)}},
    {"paragraph: short lines stay, the overflow joins the next line and is split again",
     With(Plus(60), [](auto& s) { s.JoinParagraphs = true; }),
     {Rep('a', 50) + " " + Rep('b', 20), Rep('c', 45), "", "short"},
     {Rep('a', 50) + " ", Rep('b', 20) + " " + Rep('c', 45).substr(0, 39), Rep('c', 6), "", "short"}},
    {"width 0: nothing is split, tabs, spaces before all and compression still apply",
     Compress(With(Plus(0), [](auto& s) { s.SpacesBeforeAll = 1; }), 1),
     {"\t" + Rep('x', 300), "", "", "y"}, {Sp(9) + Rep('x', 300), " ", " y"}},
    {"General on the sample text", General(60),
     {Subject, "into the woods", "", "", "", "end"},
     {SubjectHead, "keeps running far away", "into the woods", "", "", "", "end"}},
    {"General + with paragraph, colon 1 and one blank line kept on the sample text",
     Compress(Align(With(Plus(60), [](auto& s) { s.JoinParagraphs = true; }), ':', 1), 1),
     {Subject, "into the woods", "", "", "", "end"},
     {SubjectHead, Sp(8) + "keeps running far away into the woods", "", "end"}},
};

TEST(ZefTextFormatter, FormatsEachCaseOfTheTable)
{
    for (const TFormatCase& c : FormatCases) {
        const TZefFormatResult result = ZefFormatLines(c.input, c.settings);
        EXPECT_EQ(result.Lines, c.expected) << c.name;
        EXPECT_FALSE(result.Stopped) << c.name;
    }
}

TEST(ZefTextFormatter, ReportsEachVisitedLineWithTheCurrentCount)
{
    std::vector<std::pair<int, int>> calls;
    const TZefFormatResult result = ZefFormatLines({Rep('x', 100), "b"}, General(),
                                                   [&](int line, int count) {
                                                       calls.emplace_back(line, count);
                                                       return true;
                                                   });
    const std::vector<std::pair<int, int>> expected = {{1, 2}, {2, 3}, {3, 3}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(result.Lines, (TLines{Rep('x', 80), Rep('x', 20), "b"}));
}

TEST(ZefTextFormatter, StopLeavesTheLinesNotVisitedAsTheyWere)
{
    const TLines input = {"\ta", Rep('x', 100), "\tb", "\tc"};
    // Stopping before the third visit: the rest of the split line is kept as it stands, the tabs of the
    // later lines are not expanded.
    const TZefFormatResult result =
        ZefFormatLines(input, General(), [](int line, int) { return line < 3; });
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(result.Lines, (TLines{Sp(8) + "a", Rep('x', 80), Rep('x', 20), "\tb", "\tc"}));

    const TZefFormatResult none = ZefFormatLines(input, General(), [](int, int) { return false; });
    EXPECT_TRUE(none.Stopped);
    EXPECT_EQ(none.Lines, input);
}

} // namespace
