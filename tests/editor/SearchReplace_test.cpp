// SearchReplace on the editor control: scopes in every selection mode, the question before each replacement,
// the batch path of replacing all, and undo of a replace-all restoring every byte.
#include "ZefEditTestSupport.h"

#include "ZefEditRegexSearch.h"
#include "ZefEditSearch.h"
#include "ZefEditUndoList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr TSearchOptions kReplaceAll = soReplace | soReplaceAll;
constexpr TSearchOptions kPrompted = soReplace | soReplaceAll | soPrompt;

struct SearchCase {
    const char* name;
    std::string text;     // lines separated by '|'
    TBufferCoord anchor;  // selection before the call (caret at head)
    TBufferCoord head;
    TZefSelectionMode mode;
    TSearchOptions options;
    bool regex;
    std::string search;
    std::string replace;
    std::string answers;  // one letter per question: y(es), n(o), c(ancel), a(ll)
    // Expected:
    std::string lines;    // joined by '|'
    std::string state;    // CaretDump
    int count;
    std::string asked;    // "line:column" of each question, space-separated
};

class SearchReplaceTable : public ::testing::TestWithParam<SearchCase> {};

std::string RunCase(TZefEdit& edit, TZefEditSearchCustom& engine, const SearchCase& c, int& count)
{
    edit.SetSearchEngine(&engine);
    edit.SetSelectionMode(c.mode);
    edit.SetCaretAndSelection(c.head, c.anchor, c.head);
    std::string asked;
    size_t answer = 0;
    edit.OnReplaceText = [&](TCustomZefEdit*, const std::string& search, const std::string& replace, int line,
                             int column, TZefReplaceAction& action) {
        EXPECT_EQ(search, c.search);
        EXPECT_EQ(replace, c.replace);
        EXPECT_EQ(action, raCancel);
        asked += (asked.empty() ? "" : " ") + std::to_string(line) + ":" + std::to_string(column);
        const char letter = answer < c.answers.size() ? c.answers[answer++] : 'c';
        action = letter == 'y' ? raReplace : letter == 'n' ? raSkip : letter == 'a' ? raReplaceAll : raCancel;
    };
    count = edit.SearchReplace(c.search, c.replace, c.options);
    EXPECT_EQ(answer, c.answers.size()) << "answers left over";
    return asked;
}

TEST_P(SearchReplaceTable, ResultTextSelectionCountAndQuestions)
{
    const SearchCase& c = GetParam();
    std::string text = c.text;
    std::replace(text.begin(), text.end(), '|', '\n');
    auto edit = MakeEdit(text);
    TZefEditSearch plain;
    TZefEditRegexSearch regex;
    int count = -1;
    const std::string asked = RunCase(*edit, c.regex ? static_cast<TZefEditSearchCustom&>(regex) : plain, c, count);
    EXPECT_EQ(LinesDump(*edit), c.lines);
    EXPECT_EQ(CaretDump(*edit), c.state);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(edit->PaintLock(), 0);
    EXPECT_EQ(edit->UndoList()->GroupDepth(), 0);
}

const TBufferCoord P11{1, 1};

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchReplaceTable,
    ::testing::Values(
        SearchCase{"FindSelectsFirstMatchCaretAtEnd", "x abc abc", P11, P11, smNormal, 0, false, "abc", "", "",
                   "x abc abc", "caret (6,1) sel (3,1)-(6,1)", 1, ""},
        SearchCase{"FindNextPassesOverTheSelectedMatch", "abc abc", {1, 1}, {4, 1}, smNormal, 0, false, "abc", "",
                   "", "abc abc", "caret (8,1) sel (5,1)-(8,1)", 1, ""},
        SearchCase{"FindPreviousAfterFindNextGoesFurtherBack", "abc abc", {5, 1}, {8, 1}, smNormal, soBackwards,
                   false, "abc", "", "", "abc abc", "caret (1,1) sel (1,1)-(4,1)", 1, ""},
        SearchCase{"NothingFoundChangesNothing", "abc", P11, P11, smNormal, kPrompted, false, "zz", "y", "", "abc",
                   "caret (1,1) sel (1,1)-(1,1)", 0, ""},
        SearchCase{"EntireScopeStartsAtTheTop", "ab|ab", {3, 2}, {3, 2}, smNormal, soEntireScope, false, "ab", "",
                   "", "ab|ab", "caret (3,1) sel (1,1)-(3,1)", 1, ""},
        SearchCase{"SelectedOnlyMovesTheScopeEnd", "aa aa aa", {1, 1}, {6, 1}, smNormal,
                   kPrompted | soSelectedOnly | soEntireScope, false, "aa", "b", "a", "b b aa",
                   "caret (4,1) sel (1,1)-(4,1)", 2, "1:1"},
        SearchCase{"MatchesAreThoseBeforeReplacing", "aaaa", P11, P11, smNormal, kPrompted | soEntireScope, false,
                   "aa", "a", "a", "aa", "caret (3,1) sel (3,1)-(3,1)", 2, "1:1"},
        SearchCase{"SameTextIsNeverAskedNorChanged", "ab ab", P11, P11, smNormal, kPrompted | soEntireScope, false,
                   "ab", "ab", "", "ab ab", "caret (6,1) sel (6,1)-(6,1)", 2, ""},
        SearchCase{"CaseFixIsNotTheSameText", "Color color", P11, P11, smNormal, kPrompted | soEntireScope, false,
                   "color", "color", "y", "color color", "caret (12,1) sel (12,1)-(12,1)", 2, "1:1"},
        SearchCase{"CancelLeavesTheMatchSelected", "x ab", P11, P11, smNormal, kPrompted | soEntireScope, false,
                   "ab", "c", "c", "x ab", "caret (5,1) sel (3,1)-(5,1)", 1, "1:3"},
        SearchCase{"NoLeavesTheCaretAfterTheSkippedMatch", "ab ab", P11, P11, smNormal, kPrompted | soEntireScope,
                   false, "ab", "c", "yn", "c ab", "caret (5,1) sel (5,1)-(5,1)", 2, "1:1 1:3"},
        SearchCase{"YesThenAllShiftsByEarlierReplacements", "aa aa|aa", P11, P11, smNormal,
                   kPrompted | soEntireScope, false, "aa", "bbb", "ya", "bbb bbb|bbb",
                   "caret (4,2) sel (4,2)-(4,2)", 3, "1:1 1:5"},
        SearchCase{"BackwardsPromptsRightToLeft", "ab ab|ab", P11, P11, smNormal,
                   kPrompted | soEntireScope | soBackwards, false, "ab", "X", "yna", "X ab|X",
                   "caret (2,1) sel (2,1)-(2,1)", 3, "2:1 1:4 1:1"},
        SearchCase{"ReplaceAllWithoutPromptCaretAfterLast", "a a|b a", P11, P11, smNormal,
                   kReplaceAll | soEntireScope, false, "a", "xy", "", "xy xy|b xy", "caret (5,2) sel (5,2)-(5,2)", 3,
                   ""},
        SearchCase{"ShiftDownSelectionHoldsNothingOfTheNextLine", "ab|ab", {1, 1}, {1, 2}, smNormal,
                   kReplaceAll | soSelectedOnly, false, "ab", "X", "", "X|ab", "caret (2,1) sel (1,1)-(2,1)", 1, ""},
        SearchCase{"LineModeNeverDeletesLines", "x1|x2|x3", {1, 1}, {1, 2}, smLine, kReplaceAll | soSelectedOnly,
                   false, "x", "yy", "", "yy1|yy2|x3", "caret (1,2) sel (1,1)-(1,2)", 2, ""},
        SearchCase{"ColumnModeUsesOriginalPositions", "abab|ab ab", {1, 1}, {3, 2}, smColumn,
                   kReplaceAll | soSelectedOnly, false, "ab", "", "", "ab| ab", "caret (3,2) sel (1,1)-(3,2)", 2, ""},
        SearchCase{"ColumnModeCountsTabsInDisplayColumns", "\tab|xxab", {1, 1}, {5, 2}, smColumn,
                   kReplaceAll | soSelectedOnly, false, "ab", "Z", "", "\tab|xxZ", "caret (5,2) sel (1,1)-(5,2)", 1,
                   ""},
        SearchCase{"ZeroLengthMatchesReplacedOncePerLine", "a|b", P11, P11, smNormal, kPrompted | soEntireScope, true,
                   "^", "> ", "a", "> a|> b", "caret (3,2) sel (3,2)-(3,2)", 2, "1:1"},
        SearchCase{"FindMovesPastEmptyMatchAtCaret", "a|b", P11, P11, smNormal, 0, true, "^", "", "", "a|b",
                   "caret (1,2) sel (1,2)-(1,2)", 1, ""},
        SearchCase{"RegexReplacementUsesTheMatchInItsLine", "xx xx", P11, P11, smNormal, kReplaceAll | soEntireScope,
                   true, "\\Bx", "Y", "", "xY xY", "caret (6,1) sel (6,1)-(6,1)", 2, ""},
        SearchCase{"RegexGroupsInTheTemplate", "ab ab", P11, P11, smNormal, kPrompted | soEntireScope, true,
                   "(a)(b)", "$2$1", "ya", "ba ba", "caret (6,1) sel (6,1)-(6,1)", 2, "1:1 1:4"},
        SearchCase{"WholeWordsOnly", "cat catalog cat", P11, P11, smNormal, kReplaceAll | soEntireScope | soWholeWord,
                   false, "cat", "dog", "", "dog catalog dog", "caret (16,1) sel (16,1)-(16,1)", 2, ""},
        SearchCase{"MatchCase", "Ab ab", P11, P11, smNormal, kReplaceAll | soEntireScope | soMatchCase, false, "ab",
                   "X", "", "Ab X", "caret (5,1) sel (5,1)-(5,1)", 1, ""}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(SearchReplace, ReplaceAllIsOneUndoStepRestoringEveryByte)
{
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + " tab\there  end  \n";
    text += "last";
    for (const bool prompted : {false, true}) {
        auto edit = MakeEdit(text);
        edit->SetMaxUndo(4); // far fewer records than replacements
        TZefEditSearch engine;
        edit->SetSearchEngine(&engine);
        const std::string before = edit->Text();
        if (prompted) {
            edit->OnReplaceText = [](TCustomZefEdit*, const std::string&, const std::string&, int, int,
                                     TZefReplaceAction& action) { action = raReplaceAll; };
        }
        EXPECT_EQ(edit->SearchReplace("e", "EE", (prompted ? kPrompted : kReplaceAll) | soEntireScope), 300 * 4 + 0);
        const std::string after = edit->Text();
        EXPECT_NE(after, before);
        edit->Undo();
        EXPECT_EQ(edit->Text(), before);
        EXPECT_FALSE(edit->CanUndo());
        edit->Redo();
        EXPECT_EQ(edit->Text(), after);
        edit->Undo();
        EXPECT_EQ(edit->Text(), before);
    }
}

// Replace all over lines without, with one and with several matches, by replacements shorter, longer, empty
// and built from the match: the text, one undo step back to every byte, redo, and the width of the widest
// changed line (not the first one) reaching MaxLineWidth.
TEST(SearchReplace, ReplaceAllOverLinesOfEveryShape)
{
    const std::string text = "ab|none here||ab ab ab|xxab|\tab\tab|" + std::string(60, 'y') + "ab" + std::string(60, 'y') + "|ab";
    struct Case {
        bool regex;
        const char* search;
        const char* replace;
        std::string expected;
        int count;
    };
    const std::vector<Case> cases = {
        {false, "ab", "", "|none here||  |xx|\t\t|" + std::string(120, 'y') + "|", 9},
        {false, "ab", "ba", "ba|none here||ba ba ba|xxba|\tba\tba|" + std::string(60, 'y') + "ba" + std::string(60, 'y') + "|ba", 9},
        {false, "ab", "<longer>", "<longer>|none here||<longer> <longer> <longer>|xx<longer>|\t<longer>\t<longer>|" +
                                     std::string(60, 'y') + "<longer>" + std::string(60, 'y') + "|<longer>", 9},
        {true, "(a)(b)", "$2-$1", "b-a|none here||b-a b-a b-a|xxb-a|\tb-a\tb-a|" + std::string(60, 'y') + "b-a" +
                                     std::string(60, 'y') + "|b-a", 9},
        {true, "a(b)", "a$1", text, 9}, // every replacement equals its match: counted, nothing changes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.search + std::string(" -> ") + c.replace);
        std::string joined = text;
        std::replace(joined.begin(), joined.end(), '|', '\n');
        auto edit = MakeEdit(joined);
        edit->SetOptions(edit->Options().With(eoAutoSizeMaxLineWidth));
        edit->SetMaxLineWidth(20);
        TZefEditSearch plain;
        TZefEditRegexSearch regex;
        edit->SetSearchEngine(c.regex ? static_cast<TZefEditSearchCustom*>(&regex) : &plain);
        const std::string before = edit->Text();
        EXPECT_EQ(edit->SearchReplace(c.search, c.replace, kReplaceAll | soEntireScope | soMatchCase), c.count);
        std::string expected = c.expected;
        for (size_t at = expected.find('|'); at != std::string::npos; at = expected.find('|', at)) expected.replace(at, 1, "\r\n");
        EXPECT_EQ(edit->Text(), expected);
        int widest = 0;
        for (int i = 0; i < edit->Lines()->Count(); ++i) widest = std::max(widest, edit->Lines()->GetExpandedWidth(i));
        EXPECT_EQ(edit->Modified(), c.expected != text);
        if (c.expected == text) {
            EXPECT_FALSE(edit->CanUndo());
            continue;
        }
        EXPECT_GE(edit->MaxLineWidth(), widest);
        edit->Undo();
        EXPECT_EQ(edit->Text(), before);
        EXPECT_FALSE(edit->CanUndo());
        EXPECT_FALSE(edit->Modified());
        edit->Redo();
        EXPECT_EQ(edit->Text(), expected);
    }
}

TEST(SearchReplace, PromptedYesAnswersAreStepsOfTheirOwn)
{
    auto edit = MakeEdit("a a a");
    TZefEditSearch engine;
    edit->SetSearchEngine(&engine);
    std::string answers = "yya";
    edit->OnReplaceText = [&](TCustomZefEdit*, const std::string&, const std::string&, int, int,
                              TZefReplaceAction& action) {
        action = answers.front() == 'y' ? raReplace : raReplaceAll;
        answers.erase(0, 1);
    };
    EXPECT_EQ(edit->SearchReplace("a", "b", kPrompted | soEntireScope), 3);
    EXPECT_EQ(edit->Text(), "b b b");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "b b a");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "b a a");
    edit->Undo();
    EXPECT_EQ(edit->Text(), "a a a");
}

TEST(SearchReplace, RefusalsChangeNothing)
{
    auto edit = MakeEdit("ab ab");
    EXPECT_THROW(edit->SearchReplace("ab", "x", 0), EZefEditSearch); // no engine
    TZefEditSearch engine;
    edit->SetSearchEngine(&engine);
    EXPECT_EQ(edit->SearchReplace("", "x", kReplaceAll), 0);
    for (const char* broken : {"x\ny", "x\r", "\r\n"}) {
        EXPECT_THROW(edit->SearchReplace("ab", broken, kReplaceAll | soEntireScope), EZefEditSearch);
        EXPECT_EQ(edit->Text(), "ab ab");
        EXPECT_FALSE(edit->CanUndo());
    }
    // Read-only: found and selected, never changed.
    edit->SetReadOnly(true);
    EXPECT_EQ(edit->SearchReplace("ab", "x", kReplaceAll | soEntireScope), 1);
    EXPECT_EQ(edit->Text(), "ab ab");
    EXPECT_EQ(CaretDump(*edit), "caret (3,1) sel (1,1)-(3,1)");
}

TEST(SearchReplace, RegexErrorLeavesNoLockGroupOrPartialUndo)
{
    auto edit = MakeEdit("ab\nab");
    TZefEditRegexSearch engine;
    edit->SetSearchEngine(&engine);
    EXPECT_ANY_THROW(edit->SearchReplace("(ab", "x", kReplaceAll | soEntireScope));
    EXPECT_EQ(edit->PaintLock(), 0);
    EXPECT_EQ(edit->UndoList()->GroupDepth(), 0);
    EXPECT_EQ(edit->Text(), "ab\r\nab");
}

TEST(SearchReplace, MatchesFarOutOnALongLineAreSelectedAndReplacedThere)
{
    const std::string line = std::string(5000, 'x') + "needle" + std::string(3000, 'y');
    auto edit = MakeEdit(line);
    ASSERT_LT(edit->MaxLineWidth(), 5000);
    TZefEditSearch engine;
    edit->SetSearchEngine(&engine);
    EXPECT_EQ(edit->SearchReplace("needle", "", 0), 1);
    EXPECT_EQ(CaretDump(*edit), "caret (5007,1) sel (5001,1)-(5007,1)");
    EXPECT_EQ(edit->SelectedText(), "needle");
    edit->SetCaretPos(BufferCoord(1, 1));
    EXPECT_EQ(edit->SearchReplace("needle", "pin", kPrompted | soEntireScope), 1); // no handler: replaced
    EXPECT_EQ(edit->Text(), std::string(5000, 'x') + "pin" + std::string(3000, 'y'));
    edit->Undo();
    EXPECT_EQ(edit->Text(), line);
}

TEST(SearchReplace, ForgetsAnEngineDestroyedFirst)
{
    auto edit = MakeEdit("ab");
    {
        TZefEditSearch engine;
        edit->SetSearchEngine(&engine);
    }
    EXPECT_EQ(edit->SearchEngine(), nullptr);
}

} // namespace
