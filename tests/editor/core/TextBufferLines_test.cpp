// Tests of the line store's line operations: records, notifications and brackets, errors, capacity,
// tab expansion and the remembered longest line.
#include "ZefEditTextBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Script = std::function<void(TZefEditStringList&)>;

// Records the six notifications as one string: B before, A after, C cleared, +(i,n) added, -(i,n) removed,
// ~(i,n) replaced.
class Recorder {
public:
    explicit Recorder(TZefEditStringList& list)
    {
        list.OnBeforeChanges = [this](TZefEditStringList*) { Add("B"); };
        list.OnAfterChanges = [this](TZefEditStringList*) { Add("A"); };
        list.OnAllCleared = [this](TZefEditStringList*) { Add("C"); };
        list.OnLinesAdded = [this](TZefEditStringList*, int i, int n) { Add("+", i, n); };
        list.OnLinesRemoved = [this](TZefEditStringList*, int i, int n) { Add("-", i, n); };
        list.OnLineReplaced = [this](TZefEditStringList*, int i, int n) { Add("~", i, n); };
    }
    std::string log;

private:
    void Add(const char* what, int i = -1, int n = -1)
    {
        if (!log.empty()) log += ' ';
        log += what;
        if (i >= 0) log += "(" + std::to_string(i) + "," + std::to_string(n) + ")";
    }
};

void Fill(TZefEditStringList& list, std::initializer_list<const char*> lines)
{
    for (const char* line : lines) list.AddLine(line);
}

std::string Lines(const TZefEditStringList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? "|" : "") + std::string(list.GetLine(i));
    return out;
}

struct ScriptCase {
    const char* name;
    Script script;
    const char* expected;
    friend void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }
};

// ---------------------------------------------------------------------------------------------------------

class NotificationTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(NotificationTest, FiresInOrderOnStoreOfThreeLines)
{
    TZefEditStringList list;
    Fill(list, {"a", "b", "c"});
    Recorder recorder(list);
    GetParam().script(list);
    EXPECT_EQ(recorder.log, GetParam().expected);
    EXPECT_EQ(list.UpdateCount(), 0);
}

int someObject;

INSTANTIATE_TEST_SUITE_P(
    TextBuffer, NotificationTest,
    ::testing::Values(
        ScriptCase{"AddLine", [](auto& l) { l.AddLine("x"); }, "B +(3,1) A"},
        ScriptCase{"InsertLine", [](auto& l) { l.InsertLine(1, "x"); }, "B +(1,1) A"},
        ScriptCase{"ReplaceLine", [](auto& l) { l.ReplaceLine(1, "x"); }, "B ~(1,1) A"},
        ScriptCase{"ReplaceLineAtCountAppends", [](auto& l) { l.ReplaceLine(3, "x"); }, "B +(3,1) A"},
        ScriptCase{"DeleteLine", [](auto& l) { l.DeleteLine(0); }, "B -(0,1) A"},
        ScriptCase{"RemoveLinesBracketsOnlyTheMove", [](auto& l) { l.RemoveLines(0, 2); }, "B A -(0,2)"},
        ScriptCase{"RemoveLinesAtEndHasNoMove", [](auto& l) { l.RemoveLines(1, 5); }, "-(1,2)"},
        ScriptCase{"RemoveNoLines", [](auto& l) { l.RemoveLines(1, 0); }, ""},
        ScriptCase{"InsertEmptyLines", [](auto& l) { l.InsertEmptyLines(1, 2); }, "B +(1,2) A"},
        ScriptCase{"InsertNoEmptyLines", [](auto& l) { l.InsertEmptyLines(1, 0); }, ""},
        ScriptCase{"ExchangeLines", [](auto& l) { l.ExchangeLines(0, 2); }, "B A"},
        ScriptCase{"AppendLines", [](auto& l) { l.AppendLines({"x", "y"}); }, "B +(3,2) A"},
        ScriptCase{"AppendNoLines", [](auto& l) { l.AppendLines({}); }, ""},
        ScriptCase{"ClearAll", [](auto& l) { l.ClearAll(); }, "B C A"},
        ScriptCase{"ClearAllTwice", [](auto& l) { l.ClearAll(); l.ClearAll(); }, "B C A"},
        ScriptCase{"SetUserObject", [](auto& l) { l.SetUserObject(0, &someObject); }, "B A"},
        ScriptCase{"SetRangeState", [](auto& l) { l.SetRangeState(2, 7); }, "B A"},
        ScriptCase{"SetTabWidth", [](auto& l) { l.SetTabWidth(4); }, ""},
        ScriptCase{"SetText", [](auto& l) { l.SetText("x\ny"); }, "B C +(0,1) +(1,1) A"},
        ScriptCase{"NestedBracketsFireOnce",
                   [](auto& l) {
                       l.BeginUpdate();
                       l.AddLine("x");
                       l.DeleteLine(0);
                       l.EndUpdate();
                   },
                   "B +(3,1) -(0,1) A"},
        ScriptCase{"ReadsAreSilent",
                   [](auto& l) {
                       (void)l.GetLine(0);
                       (void)l.GetExpandedLine(1);
                       (void)l.GetLongestLineWidth();
                       (void)l.GetText();
                   },
                   ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextBuffer, DestroyingTheStoreFiresNothing)
{
    std::string log;
    {
        TZefEditStringList list;
        Fill(list, {"a"});
        list.OnAfterChanges = [&](TZefEditStringList*) { log += "A"; };
        list.OnAllCleared = [&](TZefEditStringList*) { log += "C"; };
        list.BeginUpdate();
    }
    EXPECT_EQ(log, "");
}

// ---------------------------------------------------------------------------------------------------------

class IndexErrorTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(IndexErrorTest, RaisesAndLeavesStoreUnchanged)
{
    TZefEditStringList list;
    Fill(list, {"a", "b", "c"});
    list.SetRangeState(1, 5);
    std::string before = list.DebugDump();
    Recorder recorder(list);
    try {
        GetParam().script(list);
        FAIL() << "no exception";
    } catch (const EZefEditStringList& e) {
        EXPECT_STREQ(e.what(), GetParam().expected);
    }
    EXPECT_EQ(list.DebugDump(), before);
    EXPECT_EQ(list.Capacity(), 16);
    EXPECT_EQ(recorder.log, "");
}

INSTANTIATE_TEST_SUITE_P(
    TextBuffer, IndexErrorTest,
    ::testing::Values(
        ScriptCase{"ReplaceLineNegative", [](auto& l) { l.ReplaceLine(-1, "x"); }, "Invalid stringlist index -1"},
        ScriptCase{"ReplaceLineBeyondCount", [](auto& l) { l.ReplaceLine(4, "x"); }, "Invalid stringlist index 4"},
        ScriptCase{"InsertLineBeyondCount", [](auto& l) { l.InsertLine(4, "x"); }, "Invalid stringlist index 4"},
        ScriptCase{"DeleteLineAtCount", [](auto& l) { l.DeleteLine(3); }, "Invalid stringlist index 3"},
        ScriptCase{"RemoveLinesBeyondCount", [](auto& l) { l.RemoveLines(4, 1); }, "Invalid stringlist index 4"},
        ScriptCase{"RemoveLinesNegative", [](auto& l) { l.RemoveLines(-1, 1); }, "Invalid stringlist index -1"},
        ScriptCase{"InsertEmptyLinesBeyondCount", [](auto& l) { l.InsertEmptyLines(4, 1); },
                   "Invalid stringlist index 4"},
        ScriptCase{"ExchangeSecondBad", [](auto& l) { l.ExchangeLines(0, 3); }, "Invalid stringlist index 3"},
        ScriptCase{"ExchangeFirstBad", [](auto& l) { l.ExchangeLines(-2, 0); }, "Invalid stringlist index -2"},
        ScriptCase{"SetUserObjectAtCount", [](auto& l) { l.SetUserObject(3, nullptr); },
                   "Invalid stringlist index 3"},
        ScriptCase{"SetRangeStateNegative", [](auto& l) { l.SetRangeState(-1, 0); }, "Invalid stringlist index -1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextBuffer, ReadsWithBadIndexAnswerEmpty)
{
    TZefEditStringList list;
    Fill(list, {"a\tb"});
    list.SetUserObject(0, &someObject);
    list.SetRangeState(0, 3);
    for (int index : {-1, 1, 1000}) {
        EXPECT_EQ(list.GetLine(index), "");
        EXPECT_EQ(list.GetUserObject(index), nullptr);
        EXPECT_EQ(list.GetRangeState(index), 0);
        EXPECT_EQ(list.GetExpandedLine(index), "");
        EXPECT_EQ(list.GetExpandedWidth(index), 0);
    }
}

// ---------------------------------------------------------------------------------------------------------

TEST(TextBuffer, RecordsOfEachKindOfInsertion)
{
    TZefEditStringList list;
    int objects[2];
    list.AddLine("abc");
    list.AppendLines({"x", "y"}, {&objects[0]});
    list.InsertEmptyLines(1, 1);
    list.SetRangeState(0, 9);
    list.SetUserObject(0, &objects[1]);
    list.ReplaceLine(0, "a\tb");
    EXPECT_EQ(list.DebugDump(),
              "0 \"a\\tb\" range=9 width=-1 flags=U obj\n"
              "1 \"\" range=0 width=0 flags=-\n"
              "2 \"x\" range=-1 width=-1 flags=U obj\n"
              "3 \"y\" range=-1 width=-1 flags=U\n");
    EXPECT_EQ(list.GetUserObject(2), &objects[0]);
    EXPECT_EQ(list.GetUserObject(0), &objects[1]);
}

// Lines of every storage size around the inline limit, fed from the store's own lines (whose storage
// moves or is released while the operation runs).
TEST(TextBuffer, LinesSurviveSelfReferenceAcrossStorageSizes)
{
    TZefEditStringList list;
    std::vector<std::string> expected;
    for (size_t length : {0u, 1u, 14u, 15u, 16u, 17u, 100u}) {
        std::string text(length, 'a');
        for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
        if (length > 2) text[1] = '\0';
        list.AddLine(text);
        expected.push_back(text);
    }
    for (int round = 0; round < 40; ++round) { // grows the array several times while copying line 0..6
        int source = round % 7;
        list.AddLine(list.GetLine(source));
        expected.push_back(expected[static_cast<size_t>(source)]);
    }
    for (int i = 0; i < 7; ++i) {
        list.ReplaceLine(i, list.GetLine(i));
        list.InsertLine(i, list.GetLine(i + 7));
        expected.insert(expected.begin() + i, expected[static_cast<size_t>(i + 7)]);
        std::string_view line = list.GetLine(i);
        list.ReplaceLine(i, line.substr(line.size() / 2));
        expected[static_cast<size_t>(i)] = expected[static_cast<size_t>(i)].substr(line.size() / 2);
    }
    ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.GetLine(i), expected[static_cast<size_t>(i)]) << i;
}

TEST(TextBuffer, ReplaceKeepsRangeStateAndObject)
{
    TZefEditStringList list;
    Fill(list, {"a", "b"});
    list.SetRangeState(1, 42);
    list.SetUserObject(1, &someObject);
    list.ReplaceLine(1, "a much longer line than before");
    EXPECT_EQ(list.GetRangeState(1), 42);
    EXPECT_EQ(list.GetUserObject(1), &someObject);
    EXPECT_EQ(list.GetLine(1), "a much longer line than before");
}

TEST(TextBuffer, RemoveLinesClampsAtTheEnd)
{
    TZefEditStringList list;
    Fill(list, {"a", "b", "c", "d"});
    list.RemoveLines(2, 100);
    EXPECT_EQ(Lines(list), "a|b");
    list.RemoveLines(2, 1); // index equal to Count: nothing to remove, no error
    EXPECT_EQ(Lines(list), "a|b");
    list.RemoveLines(0, 1);
    EXPECT_EQ(Lines(list), "b");
}

TEST(TextBuffer, ExchangeSwapsWholeRecords)
{
    TZefEditStringList list;
    Fill(list, {"first", "second"});
    list.SetRangeState(0, 1);
    list.SetUserObject(1, &someObject);
    (void)list.GetExpandedWidth(1);
    list.ExchangeLines(0, 1);
    EXPECT_EQ(list.DebugDump(), "0 \"second\" range=-1 width=6 flags=N obj\n"
                                "1 \"first\" range=1 width=-1 flags=U\n");
}

TEST(TextBuffer, GetTextEndsEveryLineWithCrLf)
{
    TZefEditStringList list;
    EXPECT_EQ(list.GetText(), "");
    Fill(list, {"a", "", "b"});
    list.SetLineBreakStyle(lbsLF);
    EXPECT_EQ(list.GetText(), "a\r\n\r\nb\r\n");
}

class SetTextTest : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(SetTextTest, SplitsAtEachBreakKeepingNul)
{
    TZefEditStringList list;
    list.SetTrailingLineBreak(false); // a final break never adds a line in SetText
    list.SetText(GetParam().first);
    EXPECT_EQ(Lines(list), GetParam().second);
    EXPECT_EQ(list.LineBreakStyle(), lbsCRLF);
}

INSTANTIATE_TEST_SUITE_P(TextBuffer, SetTextTest,
                         ::testing::Values(std::pair<std::string, std::string>{"", ""},
                                           std::pair<std::string, std::string>{"abc", "abc"},
                                           std::pair<std::string, std::string>{"a\nb\n", "a|b"},
                                           std::pair<std::string, std::string>{"a\r\nb\rc\n", "a|b|c"},
                                           std::pair<std::string, std::string>{"\n\r", "|"},
                                           std::pair<std::string, std::string>{"\r\n\r\n", "|"},
                                           std::pair<std::string, std::string>{std::string("a\0b\n\0", 5),
                                                                               std::string("a\0b|\0", 5)}));

// ---------------------------------------------------------------------------------------------------------

TEST(TextBuffer, CapacityGrowsBySixteenThenByAQuarter)
{
    TZefEditStringList list;
    std::vector<int> seen;
    for (int i = 0; i < 130; ++i) {
        list.AddLine("x");
        if (seen.empty() || seen.back() != list.Capacity()) seen.push_back(list.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{16, 32, 48, 64, 80, 100, 125, 156}));
}

TEST(TextBuffer, CapacityRulesOfBulkOperations)
{
    TZefEditStringList list;
    Fill(list, {"a", "b", "c"});
    list.AppendLines(std::vector<std::string>(20, "x")); // 23 lines: rounded up to 32
    EXPECT_EQ(list.Capacity(), 32);
    list.AppendLines({"y"}); // fits
    EXPECT_EQ(list.Capacity(), 32);
    list.InsertEmptyLines(0, 2); // fits
    EXPECT_EQ(list.Count(), 26);
    EXPECT_EQ(list.Capacity(), 32);
    list.InsertEmptyLines(0, 10); // grows by the single-insert step, or to fit when that is not enough
    EXPECT_EQ(list.Capacity(), 48);
    list.InsertEmptyLines(0, 40);
    EXPECT_EQ(list.Count(), 76);
    EXPECT_EQ(list.Capacity(), 76);
    list.SetCapacity(90);
    EXPECT_EQ(list.Capacity(), 90);
    try {
        list.SetCapacity(75);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Stringlist capacity cannot be smaller than count");
    }
    EXPECT_EQ(list.Capacity(), 90);
    EXPECT_EQ(list.Count(), 76);
    list.SetCapacity(76);
    EXPECT_EQ(list.Capacity(), 76);
    list.ClearAll();
    EXPECT_EQ(list.Capacity(), 0);
    list.SetCapacity(10);
    list.ClearAll(); // releases the array even when there are no lines
    EXPECT_EQ(list.Capacity(), 0);
}

// ---------------------------------------------------------------------------------------------------------

struct TabCase {
    int tabWidth;
    const char* line;
    const char* expanded;
};

class TabExpansionTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabExpansionTest, ExpandsAndCachesWidth)
{
    const TabCase& c = GetParam();
    EXPECT_EQ(TZefEditStringList::ExpandTabs(c.line, c.tabWidth), c.expanded);
    EXPECT_EQ(TZefEditStringList::ExpandedWidthOf(c.line, c.tabWidth), static_cast<int>(strlen(c.expanded)));

    TZefEditStringList list;
    list.SetTabWidth(c.tabWidth);
    list.AddLine(c.line);
    EXPECT_EQ(list.GetExpandedLine(0), c.expanded);
    EXPECT_EQ(list.GetExpandedWidth(0), static_cast<int>(strlen(c.expanded)));
    bool hasTab = strchr(c.line, '\t') != nullptr;
    EXPECT_EQ(list.GetLineFlags(0), hasTab ? lfHasTabs : lfNoTabs);
}

INSTANTIATE_TEST_SUITE_P(
    TextBuffer, TabExpansionTest,
    ::testing::Values(TabCase{4, "a\tb", "a\t\t\tb"}, TabCase{1, "a\tb", "a b"}, TabCase{4, "\t", "\t\t\t\t"},
                      TabCase{4, "abcd\tx", "abcd\t\t\t\tx"}, TabCase{4, "ab\t\tc", "ab\t\t\t\t\t\tc"},
                      TabCase{8, "a\tb", "a\t\t\t\t\t\t\tb"}, TabCase{8, "abcd\tx", "abcd\t\t\t\tx"},
                      TabCase{3, "a\tb", "a\t\tb"}, TabCase{3, "abcd\tx", "abcd\t\tx"},
                      TabCase{3, "ab\t\tc", "ab\t\t\t\tc"}, TabCase{1, "ab\t\tc", "ab  c"}, TabCase{8, "", ""},
                      TabCase{8, "plain", "plain"}));

// Reference rule, one column at a time, against the three routines for widths 1 to 17.
TEST(TextBuffer, TabExpansionAgreesWithColumnByColumnRule)
{
    std::mt19937 random(7);
    for (int tabWidth = 1; tabWidth <= 17; ++tabWidth) {
        for (int sample = 0; sample < 50; ++sample) {
            std::string line;
            int length = static_cast<int>(random() % 30);
            for (int i = 0; i < length; ++i) line += random() % 3 == 0 ? '\t' : 'x';
            std::string expected;
            for (char c : line) {
                if (c != '\t') expected += c;
                else if (tabWidth == 1) expected += ' ';
                else
                    do expected += '\t';
                    while (expected.size() % static_cast<size_t>(tabWidth) != 0);
            }
            ASSERT_EQ(TZefEditStringList::ExpandTabs(line, tabWidth), expected) << tabWidth << " " << sample;
            ASSERT_EQ(TZefEditStringList::ExpandedWidthOf(line, tabWidth), static_cast<int>(expected.size()));
        }
    }
}

TEST(TextBuffer, SetTabWidthForgetsWidths)
{
    TZefEditStringList list;
    Fill(list, {"a\tb", "ab"});
    EXPECT_EQ(list.GetLongestLineWidth(), 9);
    list.SetTabWidth(4);
    EXPECT_EQ(list.LongestLineIndex(), -1);
    EXPECT_EQ(list.DebugDump(), "0 \"a\\tb\" range=-1 width=-1 flags=TU\n"
                                "1 \"ab\" range=-1 width=-1 flags=U\n");
    EXPECT_EQ(list.GetLongestLineWidth(), 5);
    EXPECT_EQ(list.GetExpandedLine(1), "ab");
    EXPECT_EQ(list.DebugDump(), "0 \"a\\tb\" range=-1 width=5 flags=T\n"
                                "1 \"ab\" range=-1 width=2 flags=N\n");
}

// ---------------------------------------------------------------------------------------------------------

TEST(TextBuffer, LongestLineIsFirstOfTheWidest)
{
    TZefEditStringList list;
    EXPECT_EQ(list.GetLongestLineWidth(), 0);
    Fill(list, {"ab", "\t", "cdefghij", "12345678"});
    EXPECT_EQ(list.GetLongestLineWidth(), 8);
    EXPECT_EQ(list.LongestLineIndex(), 1);
}

TEST(TextBuffer, ExchangeMovesTheLongestLineIndex)
{
    TZefEditStringList list;
    Fill(list, {"a", "abcdef", "ab"});
    EXPECT_EQ(list.GetLongestLineWidth(), 6);
    list.ExchangeLines(1, 2);
    EXPECT_EQ(list.LongestLineIndex(), 2);
    list.ExchangeLines(0, 2);
    EXPECT_EQ(list.LongestLineIndex(), 0);
    EXPECT_EQ(list.GetLongestLineWidth(), 6);
    EXPECT_EQ(list.GetLine(0), "abcdef");
}

class LongestLineTest : public ::testing::TestWithParam<std::tuple<const char*, Script, int>> {};

// Starting from lines a, abcdef, ab, abc with the longest line known (index 1): the index the operation
// leaves behind (-1: must be searched again).
TEST_P(LongestLineTest, KeepsOrResetsTheKnownLongestLine)
{
    TZefEditStringList list;
    Fill(list, {"a", "abcdef", "ab", "abc"});
    ASSERT_EQ(list.GetLongestLineWidth(), 6);
    std::get<1>(GetParam())(list);
    EXPECT_EQ(list.LongestLineIndex(), std::get<2>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    TextBuffer, LongestLineTest,
    ::testing::Values(std::tuple<const char*, Script, int>{"TypingInAShortLine", [](auto& l) { l.ReplaceLine(2, "abx"); }, 1},
                      std::tuple<const char*, Script, int>{"ShortLineBecomesWidest", [](auto& l) { l.ReplaceLine(3, "abcdefg"); }, 3},
                      std::tuple<const char*, Script, int>{"EquallyWideKeepsFirstKnown", [](auto& l) { l.ReplaceLine(3, "abcdeX"); }, 1},
                      std::tuple<const char*, Script, int>{"LongestGrows", [](auto& l) { l.ReplaceLine(1, "abcdefgh"); }, 1},
                      std::tuple<const char*, Script, int>{"LongestShrinks", [](auto& l) { l.ReplaceLine(1, "abcde"); }, -1},
                      std::tuple<const char*, Script, int>{"InsertAbove", [](auto& l) { l.InsertLine(0, "x"); }, 2},
                      std::tuple<const char*, Script, int>{"InsertWiderBelow", [](auto& l) { l.InsertLine(3, "\t"); }, 3},
                      std::tuple<const char*, Script, int>{"AddLine", [](auto& l) { l.AddLine("abc"); }, 1},
                      std::tuple<const char*, Script, int>{"InsertEmptyAbove", [](auto& l) { l.InsertEmptyLines(1, 3); }, 4},
                      std::tuple<const char*, Script, int>{"DeleteAbove", [](auto& l) { l.DeleteLine(0); }, 0},
                      std::tuple<const char*, Script, int>{"DeleteBelow", [](auto& l) { l.DeleteLine(2); }, 1},
                      std::tuple<const char*, Script, int>{"DeleteLongest", [](auto& l) { l.DeleteLine(1); }, -1},
                      std::tuple<const char*, Script, int>{"RemoveAbove", [](auto& l) { l.RemoveLines(0, 1); }, 0},
                      std::tuple<const char*, Script, int>{"RemoveAcross", [](auto& l) { l.RemoveLines(0, 2); }, -1},
                      std::tuple<const char*, Script, int>{"AppendLines", [](auto& l) { l.AppendLines({"x"}); }, -1},
                      std::tuple<const char*, Script, int>{"ClearAll", [](auto& l) { l.ClearAll(); }, -1},
                      std::tuple<const char*, Script, int>{"SetText", [](auto& l) { l.SetText("x"); }, -1}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// Random edits: whenever the store names a longest line, no line is wider than it.
TEST(TextBuffer, LongestLineInvariantUnderRandomEdits)
{
    TZefEditStringList list;
    std::mt19937 random(11);
    auto randomLine = [&] {
        std::string line(random() % 20, 'x');
        for (char& c : line)
            if (random() % 5 == 0) c = '\t';
        return line;
    };
    for (int i = 0; i < 20; ++i) list.AddLine(randomLine());
    for (int step = 0; step < 3000; ++step) {
        int count = list.Count();
        switch (random() % 9) {
        case 0: list.ReplaceLine(static_cast<int>(random() % static_cast<unsigned>(count + 1)), randomLine()); break;
        case 1: list.InsertLine(static_cast<int>(random() % static_cast<unsigned>(count + 1)), randomLine()); break;
        case 2: if (count > 1) list.DeleteLine(static_cast<int>(random() % static_cast<unsigned>(count))); break;
        case 3: list.RemoveLines(static_cast<int>(random() % static_cast<unsigned>(count + 1)), static_cast<int>(random() % 3)); break;
        case 4: list.InsertEmptyLines(static_cast<int>(random() % static_cast<unsigned>(count + 1)), 1); break;
        case 5: if (count > 1) list.ExchangeLines(static_cast<int>(random() % static_cast<unsigned>(count)), static_cast<int>(random() % static_cast<unsigned>(count))); break;
        case 6: list.SetTabWidth(static_cast<int>(1 + random() % 9)); break;
        case 7: (void)list.GetExpandedWidth(static_cast<int>(random() % static_cast<unsigned>(count + 1))); break;
        default: (void)list.GetLongestLineWidth(); break;
        }
        int longest = list.LongestLineIndex();
        if (longest < 0) continue;
        int widest = 0;
        for (int i = 0; i < list.Count(); ++i)
            widest = std::max(widest, TZefEditStringList::ExpandedWidthOf(list.GetLine(i), list.TabWidth()));
        ASSERT_EQ(TZefEditStringList::ExpandedWidthOf(list.GetLine(longest), list.TabWidth()), widest) << step;
        ASSERT_EQ(list.GetLongestLineWidth(), widest) << step;
    }
}

} // namespace
