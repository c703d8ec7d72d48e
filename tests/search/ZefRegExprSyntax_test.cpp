// The regular-expression syntax as a table of {pattern, modifiers, input, first match}, and the compile
// errors as a table of {pattern, code, position}.
#include "ZefRegExpr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The input with the first match bracketed, e.g. "the [cat] sat"; "-" when there is no match.
std::string FirstMatch(const std::string& pattern, const std::string& modifiers, const std::string& input)
{
    TZefRegExpr re;
    re.SetExpression(pattern);
    bool on = true;
    for (char c : modifiers) {
        if (c == '-') {
            on = false;
        } else {
            re.SetModifier(c, on);
        }
    }
    if (!re.Exec(input)) return "-";
    const size_t start = static_cast<size_t>(re.MatchStart(0) - 1);
    const size_t length = static_cast<size_t>(re.MatchLength(0));
    return input.substr(0, start) + "[" + input.substr(start, length) + "]" + input.substr(start + length);
}

struct SyntaxCase {
    const char* pattern;
    const char* modifiers; // letters to switch on; after "-" letters to switch off
    const char* input;
    const char* expected;
};

const SyntaxCase kSyntax[] = {
    // literals and metacharacters
    {"cat", "", "the cat sat", "the [cat] sat"},
    {"cat", "", "the CAT sat", "-"},
    {"cat", "i", "the CAT sat", "the [CAT] sat"},
    {"a.c", "", "xabcx", "x[abc]x"},
    {"a.c", "", "a\nc", "[a\nc]"},
    {"a.c", "-s", "a\nc a-c", "a\nc [a-c]"},
    {"a.c", "-s", "a\rc", "-"},
    {"}", "", "a}b", "a[}]b"},
    {"]", "", "a]b", "a[]]b"},
    // anchors
    {"^ab", "", "abab", "[ab]ab"},
    {"ab$", "", "abab", "ab[ab]"},
    {"^b", "", "a\nb", "-"},
    {"^b", "m", "a\nb", "a\n[b]"},
    {"a$", "m", "a\nb", "[a]\nb"},
    {"^$", "m", "a\r\n\r\nb", "-"}, // under m "^" does not anchor, and no byte can begin a match
    {"^\\n", "m", "a\r\nb", "-"},
    {"\\r$", "m", "a\r\nb", "-"},
    {"\\Ab", "m", "a\nb", "-"},
    {"a\\Z", "m", "a\nb", "-"},
    {"b\\Z", "m", "a\nb", "a\n[b]"},
    {"^", "", "", "[]"},
    {"^", "", "abc", "[]abc"},
    {"$", "", "abc", "-"},
    {"^$", "", "", "[]"},
    {"^$", "", "x", "-"},
    // word boundaries
    {"\\bcat\\b", "", "the cat sat", "the [cat] sat"},
    {"\\bcat\\b", "", "concatenate", "-"},
    {"\\bcaf\\b", "", "cafe caf\xE9", "cafe [caf]\xE9"}, // \xE9 is no word character
    {"\\Bat", "", "at cat", "at c[at]"},
    // escapes and classes
    {"\\d+", "", "ab123c", "ab[123]c"},
    {"\\D+", "", "12ab3", "12[ab]3"},
    {"\\w+", "", "  foo_1 ", "  [foo_1] "},
    {"\\w", "", "\xE9", "-"},
    {"\\W+", "", "ab-+cd", "ab[-+]cd"},
    {"\\s+", "", "a \t\r\n\fb", "a[ \t\r\n\f]b"},
    {"\\S+", "", "  ab  ", "  [ab]  "},
    {"\\t\\e\\a", "", "x\t\x1B\x07", "x[\t\x1B\x07]"},
    {"\\x41\\x{42}\\x{0043}", "", "zABC", "z[ABC]"},
    {"\\x{000041}", "", "zA", "z[A]"},
    {"\\.", "", "a.b", "a[.]b"},
    {"\\q", "", "aqb", "a[q]b"},
    {"[abc]+", "", "xxbcay", "xx[bca]y"},
    {"[^abc]+", "", "abxyc", "ab[xy]c"},
    {"[]a]+", "", "x]a]x", "x[]a]]x"},
    {"[^]a]+", "", "]ab]", "]a[b]]"},
    {"[a-c]+", "", "xabcdx", "x[abc]dx"},
    {"[a-]+", "", "x-a-x", "x[-a-]x"},
    {"[a-c-e]+", "", "xb-ed", "x[b-e]d"},
    {"[\\d-z]+", "", "a1-zb", "a[1-z]b"},
    {"[a-\\d]+", "", "xa-5x", "x[a-5]x"},
    {"[\\D]+", "", "xDDx", "x[DD]x"},
    {"[\\b]", "", "ab", "a[b]"},
    {"[\\x41-\\x43]+", "", "xABCDx", "x[ABC]Dx"},
    {"[\\]]", "", "a]b", "a[]]b"},
    {"[\\t]", "", "a\tb", "a[\t]b"},
    {"[a-z]+", "i", "12AbC3", "12[AbC]3"},
    {"[\xE0-\xE9]+", "i", "x\xC9\xE9x", "x[\xC9\xE9]x"},
    {"[\xE0-\xFF]+", "", "\xB8\xE0\xFF", "[\xB8\xE0\xFF]"},
    {"[\xE0-\xFF]+", "-r", "\xB8\xE0\xFF", "\xB8[\xE0\xFF]"},
    {"[\xC0-\xDF]+", "", "\xA8\xC0", "[\xA8\xC0]"},
    {"[\xE0-\xDF]+", "", "\xA8\xB8\xC0\xFF", "[\xA8\xB8\xC0\xFF]"},
    // groups, alternation, back-references
    {"(ab)+", "", "xababx", "x[abab]x"},
    {"a|b", "", "xyb", "xy[b]"},
    {"ab|a", "", "ab", "[ab]"},
    {"a|ab", "", "ab", "[a]b"},
    {"a(|b)c", "", "ac", "[ac]"},
    {"5|\\D", "", "5", "[5]"},
    {"5|\\D", "", "1x", "1[x]"},
    {"(a)\\1", "", "aab", "[aa]b"},
    {"(a)\\1", "i", "aA", "[aA]"},
    {"(a)\\1", "", "aA", "-"},
    {"(a)|\\1b", "", "b", "-"},
    {"(\\w+) \\1", "", "say hello hello", "say [hello hello]"},
    // quantifiers
    {"colou?r", "", "color", "[color]"},
    {"colou?r", "", "colour", "[colour]"},
    {"colou?r", "i", "COLOR", "[COLOR]"},
    {"a.*b", "", "axxbyyb", "[axxbyyb]"},
    {"a.*?b", "", "axxbyyb", "[axxb]yyb"},
    {"a.*b", "-g", "axxbyyb", "[axxb]yyb"},
    {"a+", "", "baaa", "b[aaa]"},
    {"a+?", "", "baaa", "b[a]aa"},
    {"a??b", "", "ab", "[ab]"},
    {"x*", "", "abc", "-"},
    {"x*", "", "axxb", "a[xx]b"},
    {"a{2}", "", "aaaa", "[aa]aa"},
    {"a{2,}", "", "aaaa", "[aaaa]"},
    {"a{2,3}", "", "aaaa", "[aaa]a"},
    {"a{2,3}?", "", "aaaa", "[aa]aa"},
    {"(ab){2}", "", "abababab", "[abab]abab"},
    {"(ab){1,2}?c", "", "ababc", "[ababc]"},
    {"(a|b){2,3}", "", "abab", "[aba]b"},
    {"(ab)*?c", "", "ababc", "[ababc]"},
    {"(a|ab)(c|bcd)(d*)", "", "abcd", "[abcd]"},
    {"a{,5}", "", "a{,5}", "[a{,5}]"},
    {"a{", "", "a{", "[a{]"},
    {"a{2", "", "a{2", "[a{2]"},
    {"a{2,x}", "", "a{2,x}", "[a{2,x}]"},
    {"{2}", "", "x{2}", "x[{2}]"},
    {"a{0}b", "", "ab", "a[b]"},
    {"a*", "", "baaa", "b[aaa]"},
    {"[ab]*c", "", "xababc", "x[ababc]"},
    // modifier groups, comments, extended mode
    {"(?i)abc", "", "xABC", "x[ABC]"},
    {"a(?i)b", "", "aB", "[aB]"},
    {"a(?i)b", "", "AB", "-"},
    {"(?-i)abc", "i", "ABC abc", "ABC [abc]"},
    {"((?i)a)b", "", "AB Ab", "AB [Ab]"},
    {"(?)ab", "", "ab", "[ab]"},
    {"a(?#comment)b", "", "ab", "[ab]"},
    {"(?x) a b # c\n c", "", "abc", "[abc]"},
    {"a\\ b", "x", "a b", "[a b]"},
    {"[ ]", "x", "a b", "a[ ]b"},
    {"(?s-s).", "", "\nx", "\n[x]"},
    {"(?-g)a+", "", "aaa", "[a]aa"},
    {"(?m)^b", "", "a\nb", "a\n[b]"},
};

class RegExprSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(RegExprSyntax, FirstMatch)
{
    const SyntaxCase& c = GetParam();
    EXPECT_EQ(FirstMatch(c.pattern, c.modifiers, c.input), c.expected) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Table, RegExprSyntax, ::testing::ValuesIn(kSyntax));

TEST(RegExprSyntaxNul, NulBytesInInputAndPatternAreOrdinary)
{
    const std::string input("x\0y\0z", 5);
    EXPECT_EQ(FirstMatch("y\\x00z", "", input), std::string("x\0[y\0z]", 7));
    EXPECT_EQ(FirstMatch("\\x{}+", "", input), std::string("x[\0]y\0z", 7));
    EXPECT_EQ(FirstMatch("z$", "", input), std::string("x\0y\0[z]", 7));
}

struct ErrorCase {
    const char* pattern;
    int code;
    int position;
};

const ErrorCase kErrors[] = {
    {"a**", 107, 2},
    {"a+?+", 107, 3},
    {"a{2}{3}", 107, 4},
    {"a*{x", 107, 2},
    {"a???", 107, 3},
    {"(a*)*", 106, 5},
    {"^*", 106, 2},
    {"(a|)+", 106, 5},
    {"\\b{2}", 106, 3},
    {"^{x", 106, 2},
    {"(?i)*", 106, 5},
    {"*a", 115, 1},
    {"a|+", 115, 3},
    {"(?a)", 127, 2},
    {"(?:a)", 127, 2},
    {"(?i", 127, 3},
    {"(?#abc", 125, 6},
    {"(a", 103, 2},
    {"((a)", 103, 4},
    {"a)", 104, 1},
    {"a\\", 116, 2},
    {"[a\\", 110, 3},
    {"[abc", 113, 4},
    {"[", 113, 1},
    {"[^", 113, 2},
    {"[]", 113, 2},
    {"[z-a]", 109, 3},
    {"[\xE0-\xDF]", 109, 3}, // only under r
    {"\\x", 111, 2},
    {"\\x4", 111, 3},
    {"\\x{41", 111, 5},
    {"\\xg1", 108, 2},
    {"\\x4g", 108, 3},
    {"\\x{4g}", 108, 4},
    {"\\x{100}", 112, 5},
    {"a{2,1}", 124, 6},
    {"a{123456789}", 122, 2},
    {"a{1,123456789}", 122, 2},
    {"(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)", 102, 43},
};

class RegExprErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RegExprErrors, CodeAndPosition)
{
    const ErrorCase& c = GetParam();
    TZefRegExpr re;
    re.SetExpression(c.pattern);
    re.SetModifier('r', std::string(c.pattern) != "[\xE0-\xDF]");
    try {
        re.Exec("abc");
        ADD_FAILURE() << "no error for " << c.pattern;
    } catch (const EZefRegExpr& e) {
        EXPECT_EQ(e.Code(), c.code) << c.pattern;
        EXPECT_EQ(e.Position(), c.position) << c.pattern;
        EXPECT_EQ(std::string(e.what()),
                  TZefRegExpr::ErrorText(c.code) + " (pos " + std::to_string(c.position) + ")");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RegExprErrors, ::testing::ValuesIn(kErrors));

TEST(RegExprErrorText, MessagesAsPublished)
{
    TZefRegExpr re;
    re.SetExpression("a**");
    try {
        re.Exec("a");
        FAIL();
    } catch (const EZefRegExpr& e) {
        EXPECT_STREQ(e.what(), "TZefRegExpr(comp): Nested *?+ (pos 2)");
    }
    re.SetExpression("[z-a]");
    EXPECT_THROW(re.Exec("a"), EZefRegExpr);
    try {
        re.Exec("a");
    } catch (const EZefRegExpr& e) {
        EXPECT_STREQ(e.what(), "TZefRegExpr(comp): Invalid [] Range (pos 3)");
    }
    EXPECT_EQ(TZefRegExpr::ErrorText(0), "No errors");
    EXPECT_EQ(TZefRegExpr::ErrorText(105), "Unknown error");
    EXPECT_EQ(TZefRegExpr::ErrorText(1007), "TZefRegExpr(exec): ExecNext Without Exec[Pos]");
    EXPECT_EQ(TZefRegExpr::ErrorText(128),
              "TZefRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all");
    EXPECT_EQ(TZefRegExpr::ErrorText(116), "TZefRegExpr(comp): Trailing \\");
}

TEST(RegExprErrorText, FourteenGroupsCompile)
{
    TZefRegExpr re;
    re.SetExpression("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)(m)(n)(?#x)(?i)");
    ASSERT_TRUE(re.Exec("abcdefghijklmn"));
    EXPECT_EQ(re.Match(14), "n");
}

} // namespace
