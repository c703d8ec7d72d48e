// Execution of TZefRegExpr: walking matches, slots, templates, replace-all, execution errors, recompiling
// on changes, and patterns that must stop with the budget error instead of running away.
#include "ZefRegExpr.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

// Every match of the walk Exec, ExecNext, ... as "start:length".
std::vector<std::string> AllMatches(TZefRegExpr& re, const std::string& input)
{
    std::vector<std::string> out;
    for (bool found = re.Exec(input); found; found = re.ExecNext()) {
        out.push_back(std::to_string(re.MatchStart(0)) + ":" + std::to_string(re.MatchLength(0)));
    }
    return out;
}

using Matches = std::vector<std::string>;

TEST(RegExprExec, WalksMatchesLeftToRightWithoutOverlap)
{
    TZefRegExpr re;
    re.SetExpression("aa");
    EXPECT_EQ(AllMatches(re, "aaaaa"), (Matches{"1:2", "3:2"}));
    re.SetExpression("\\w+");
    EXPECT_EQ(AllMatches(re, "ab, cd e"), (Matches{"1:2", "5:2", "8:1"}));
    re.SetExpression("^");
    EXPECT_EQ(AllMatches(re, "abc"), (Matches{"1:0"}));
    EXPECT_EQ(AllMatches(re, ""), (Matches{"1:0"}));
    re.SetExpression("x*");
    EXPECT_EQ(AllMatches(re, "axxbx"), (Matches{"2:2", "5:1"}));
    re.SetExpression("$");
    EXPECT_EQ(AllMatches(re, "abc"), Matches{});
}

TEST(RegExprExec, EmptyMatchStepsOneFurther)
{
    TZefRegExpr re;
    re.SetExpression("a?");
    EXPECT_EQ(AllMatches(re, "aab"), (Matches{"1:1", "2:1"}));
    re.SetExpression("\\b");
    EXPECT_EQ(AllMatches(re, "ab cd"), Matches{}) << "no byte can begin a match of only the empty text";
    re.SetExpression("\\ba?");
    EXPECT_EQ(AllMatches(re, "ab a"), (Matches{"1:1", "4:1"})) << "empty matches only where a byte of the set is";
}

TEST(RegExprExec, SlotsOfGroups)
{
    TZefRegExpr re;
    re.SetExpression("(\\d+)-(\\d+)(x)?");
    ASSERT_TRUE(re.Exec("ab 12-345 c"));
    EXPECT_EQ(re.MatchStart(0), 4);
    EXPECT_EQ(re.MatchLength(0), 6);
    EXPECT_EQ(re.Match(1), "12");
    EXPECT_EQ(re.MatchStart(2), 7);
    EXPECT_EQ(re.MatchLength(2), 3);
    EXPECT_EQ(re.MatchStart(3), -1) << "group took no part";
    EXPECT_EQ(re.MatchLength(3), -1);
    EXPECT_EQ(re.MatchStart(15), -1);
    EXPECT_EQ(re.MatchStart(-1), -1);
    ASSERT_TRUE(re.Exec("(a)(b)") == false);
    EXPECT_EQ(re.MatchStart(0), -1);

    re.SetExpression("(a|b)*c");
    ASSERT_TRUE(re.Exec("abbac"));
    EXPECT_EQ(re.Match(1), "a") << "a group in a loop keeps its last capture";
    TZefRegExpr fresh;
    EXPECT_EQ(fresh.MatchStart(0), -1) << "no input yet";
}

TEST(RegExprExec, ExecPosAndExecutionErrors)
{
    TZefRegExpr re;
    auto code = [&](auto&& action) {
        try {
            action();
        } catch (const EZefRegExpr& e) {
            EXPECT_EQ(e.Position(), 0);
            if (e.Code() >= 1000) {
                EXPECT_STREQ(e.what(), TZefRegExpr::ErrorText(e.Code()).c_str());
            }
            return e.Code();
        }
        return 0;
    };
    EXPECT_EQ(code([&] { re.Exec("abc"); }), 1003);
    re.SetExpression("b");
    TZefRegExpr noInput;
    noInput.SetExpression("b");
    EXPECT_EQ(code([&] { noInput.ExecPos(1); }), 1005);
    EXPECT_EQ(code([&] { re.ExecNext(); }), 1007);
    EXPECT_FALSE(re.Exec("aaa"));
    EXPECT_EQ(code([&] { re.ExecNext(); }), 1007) << "after a failed search";
    EXPECT_TRUE(re.Exec("abab"));
    EXPECT_EQ(code([&] { re.ExecPos(0); }), 1006);
    EXPECT_TRUE(re.ExecPos(3));
    EXPECT_EQ(re.MatchStart(0), 4);
    EXPECT_FALSE(re.ExecPos(6));
    EXPECT_TRUE(re.ExecPos(1)) << "searching again from further back";
    EXPECT_EQ(re.MatchStart(0), 2);
    re.SetExpression("ab\\w");
    ASSERT_TRUE(re.Exec("abx abyz"));
    ASSERT_TRUE(re.ExecPos(4));
    EXPECT_EQ(re.MatchStart(0), 5);
    ASSERT_TRUE(re.ExecPos(1));
    EXPECT_EQ(re.MatchStart(0), 1);
    EXPECT_EQ(code([&] { re.SetLinePairedSeparator("\n\n"); }), 128);
    EXPECT_EQ(code([&] { re.SetLinePairedSeparator("x"); }), 128);
    re.SetExpression("");
    EXPECT_EQ(code([&] { re.Compile(); }), 100);
}

TEST(RegExprExec, CompileErrorLeavesNoCompiledForm)
{
    TZefRegExpr re;
    re.SetExpression("a(");
    EXPECT_THROW(re.Exec("a"), EZefRegExpr);
    EXPECT_THROW(re.Exec("a"), EZefRegExpr) << "the same text is compiled again and fails again";
    re.SetExpression("a");
    EXPECT_TRUE(re.Exec("a"));
}

TEST(RegExprExec, ModifierChangeRecompiles)
{
    TZefRegExpr re;
    re.SetExpression("abc");
    EXPECT_FALSE(re.Exec("ABC"));
    re.SetModifier('I', true);
    EXPECT_TRUE(re.Modifier('i'));
    EXPECT_TRUE(re.Exec("ABC"));
    re.SetModifier('i', false);
    EXPECT_FALSE(re.Exec("ABC"));
    EXPECT_TRUE(re.Modifier('r') && re.Modifier('s') && re.Modifier('g'));
    EXPECT_FALSE(re.Modifier('m') || re.Modifier('x') || re.Modifier('q'));

    re.SetExpression("(?-i)abc");
    re.SetModifier('i', true);
    EXPECT_FALSE(re.Exec("ABC")) << "a modifier group does not change the engine's own modifiers";
    EXPECT_TRUE(re.Modifier('i'));
}

TEST(RegExprExec, LineSeparatorsAreSettings)
{
    TZefRegExpr re;
    re.SetExpression("^b");
    re.SetModifier('m', true);
    re.SetLineSeparators(";");
    EXPECT_TRUE(re.Exec("a;b"));
    EXPECT_FALSE(re.Exec("a\nb"));
    re.SetLineSeparators("\r\n");
    re.SetLinePairedSeparator("");
    re.SetExpression("^\\n");
    EXPECT_TRUE(re.Exec("a\r\nb")) << "without the pair, LF after CR begins a line";
}

struct TemplateCase {
    const char* pattern;
    const char* input;
    const char* replaceTemplate;
    const char* expected;
};

const TemplateCase kTemplates[] = {
    {"(\\d+)-(\\d+)", "12-34", "$2-$1", "34-12"},
    {"(\\d)", "7", "${1}0", "70"},
    {"(\\d)", "7", "$10", ""},
    {"(\\d)", "7", "$15", ""},
    {"(\\d)", "7", "\\$1", "$1"},
    {"(\\d)", "7", "$&$0${&}", "777"},
    {"(\\d)", "7", "$x${1", "$x${1"},
    {"(\\d)", "7", "${a}", "${a}"},
    {"(\\d)", "7", "\\\\\\n$", "\\n$"},
    {"(\\d)", "7", "a\\", "a\\"},
    {"(\\d)", "7", "$0001", "7"},
    {"(a)|(b)", "b", "[$1|$2]", "[|b]"},
};

class RegExprTemplate : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(RegExprTemplate, Expand)
{
    const TemplateCase& c = GetParam();
    TZefRegExpr re;
    re.SetExpression(c.pattern);
    ASSERT_TRUE(re.Exec(c.input));
    EXPECT_EQ(re.ExpandTemplate(c.replaceTemplate), c.expected) << c.replaceTemplate;
}

INSTANTIATE_TEST_SUITE_P(Table, RegExprTemplate, ::testing::ValuesIn(kTemplates));

TEST(RegExprReplaceAll, ReplacesEveryMatchAndKeepsTheRest)
{
    TZefRegExpr re;
    re.SetExpression("(\\w+)@(\\w+)");
    EXPECT_EQ(re.ReplaceAll("to a@b, c@d.", "$2 at $1", true), "to b at a, d at c.");
    EXPECT_EQ(re.ReplaceAll("to a@b, c@d.", "$2 at $1", false), "to $2 at $1, $2 at $1.");
    EXPECT_EQ(re.ReplaceAll("nothing here", "x", true), "nothing here");
    re.SetExpression("x*");
    EXPECT_EQ(re.ReplaceAll("axxbx", "-", true), "a-b-");
    re.SetExpression("^");
    EXPECT_EQ(re.ReplaceAll("abc", "> ", true), "> abc");
}

TEST(RegExprLimits, CountedLoopsNestAtMostTenDeep)
{
    std::string ten;
    for (int i = 0; i < 10; ++i) ten = "(" + (ten.empty() ? std::string("a") : ten) + "){1,2}";
    const std::string eleven = "(" + ten + "){1,2}";
    TZefRegExpr re;
    re.SetExpression(ten);
    EXPECT_TRUE(re.Exec("a"));
    re.SetExpression(eleven);
    try {
        re.Exec("a");
        ADD_FAILURE() << "eleven nested counted loops ran";
    } catch (const EZefRegExpr& e) {
        EXPECT_EQ(e.Code(), 1014);
    }
    EXPECT_FALSE(re.Exec("b")) << "the error comes only when matching reaches the loop";
}

// Runs one search of a pathological case: it must either answer or raise the budget error, quickly.
int RunGuarded(TZefRegExpr& re, const std::string& input, bool* matched)
{
    try {
        *matched = re.Exec(input);
        return 0;
    } catch (const EZefRegExpr& e) {
        return e.Code();
    }
}

TEST(RegExprLimits, PathologicalPatternsStopOrMatch)
{
    TZefRegExpr re;
    bool matched = false;

    // '(a|aa)*c' backtracks exponentially on a run of 'a' that is not followed by 'c'.
    re.SetMatchLimits(20'000'000, 4'000'000); // the default budget is measured in bench_search
    re.SetExpression("(a|aa)*c");
    EXPECT_EQ(RunGuarded(re, std::string(100000, 'a') + "!bc", &matched), 1016);
    EXPECT_STREQ(EZefRegExpr(1016, 0).what(), "TZefRegExpr(exec): Match Too Complex, Search Stopped");

    // The budget spans the whole search of the line, not each start position.
    re.SetMatchLimits(1'000'000, 1'000'000);
    re.SetExpression("(\\w+\\s*)+!");
    EXPECT_EQ(RunGuarded(re, "!" + std::string(2000, 'a') + " x", &matched), 1016);

    // A 10 MB line: the matcher keeps its own stack, so the machine stack cannot overflow.
    const std::string big = std::string(10'000'000, 'a') + "bc";
    re.SetMatchLimits(200'000'000, 4'000'000);
    re.SetExpression("(a|b)*c");
    EXPECT_EQ(RunGuarded(re, big, &matched), 1016) << "more backtracking frames than allowed";
    re.SetExpression("(.)*x");
    EXPECT_EQ(RunGuarded(re, big, &matched), 0) << "no 'x': the required literal settles it";
    EXPECT_FALSE(matched);
    re.SetExpression(".*x");
    EXPECT_EQ(RunGuarded(re, big, &matched), 0);
    EXPECT_FALSE(matched);

    // Quadratic in a naive backtracker; the leading run is tried once.
    re.SetExpression("\\s+$");
    EXPECT_EQ(RunGuarded(re, std::string(1'000'000, ' ') + "x", &matched), 0);
    EXPECT_FALSE(matched);

    // Within the limits a long group loop does match.
    re.SetExpression("(a|b)*c");
    EXPECT_EQ(RunGuarded(re, std::string(200'000, 'b') + "c", &matched), 0);
    EXPECT_TRUE(matched);
    EXPECT_EQ(re.MatchLength(0), 200'001);
}

TEST(RegExprLimits, BudgetCoversEveryMatchOfTheLine)
{
    // Each run of x before "!" backtracks exponentially before the "xxy" after it matches.
    std::string line;
    for (int i = 0; i < 8; ++i) line += std::string(12, 'x') + "! xxy ";
    TZefRegExpr re;
    re.SetExpression("(x+x+)+y");
    ASSERT_TRUE(re.Exec(line));
    const uint64_t first = re.MatchStepsUsed();
    while (re.ExecNext()) {
    }
    EXPECT_GT(re.MatchStepsUsed(), 6 * first);

    re.SetMatchLimits(2 * first, 1'000'000);
    ASSERT_TRUE(re.Exec(line)) << "one search fits the budget";
    try {
        while (re.ExecNext()) {
        }
        ADD_FAILURE() << "the walk over the line ran past the budget";
    } catch (const EZefRegExpr& e) {
        EXPECT_EQ(e.Code(), 1016);
    }
    EXPECT_TRUE(re.Exec(line)) << "a new line starts a new budget";
}

TEST(RegExprLimits, CompileRejectsEmptyLoops)
{
    TZefRegExpr re;
    re.SetExpression("(a*)*b");
    EXPECT_THROW(re.Exec(std::string(1000, 'a')), EZefRegExpr);
    re.SetExpression("(a?)?b");
    EXPECT_TRUE(re.Exec("ab"));
    // A back-reference may be empty; looping over it must still end.
    re.SetExpression("(x?)\\1*y");
    EXPECT_TRUE(re.Exec("aay"));
    EXPECT_EQ(re.MatchStart(0), 3);
    re.SetExpression("(x?)(\\1){2,}y");
    EXPECT_TRUE(re.Exec("y"));
}

} // namespace
