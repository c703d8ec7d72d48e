// The parser's node tree and the compiler's search facts, as text: class members, modifier scope, quantifier
// shapes and the literal optimisations.
#include "ZefRegExpr.h"
#include "ZefRegExprCompiler.h"
#include "ZefRegExprParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ParseDump(const std::string& pattern, TZefRegExprModifiers modifiers = kZefRegExprDefaultModifiers)
{
    TZefRegExprCharSet separators;
    separators.Add('\r');
    separators.Add('\n');
    TZefReParser parser(pattern, modifiers, separators);
    return parser.Parse()->Dump();
}

struct DumpCase {
    const char* pattern;
    const char* dump;
};

const DumpCase kDumps[] = {
    {"ab", "alt(cat(lit(a) lit(b)))"},
    {"a|", "alt(cat(lit(a)) cat())"},
    {"(a)b*?", "alt(cat(group1(alt(cat(lit(a)))) rep{0,-1,l}(lit(b))))"},
    {"[a-c-]", "alt(cat(set(\\x2Da-c)))"},
    {"[-a]", "alt(cat(set(\\x2Da)))"},
    {"[a\\-z]", "alt(cat(set(\\x2Daz)))"},
    {"[\\s-]", "alt(cat(set(\\x09\\x0A\\x0C\\x0D\\x20\\x2D)))"},
    {"a(?i)b|c", "alt(cat(lit(a) empty lit/i(b)) cat(lit/i(c)))"},
    {"((?i)a)b", "alt(cat(group1(alt(cat(empty lit/i(a)))) lit(b)))"},
    {"a{2,}?", "alt(cat(rep{2,-1,l}(lit(a))))"},
    {"(?-g)a?", "alt(cat(empty rep{0,1,l}(lit(a))))"},
    {"(?-s).", "alt(cat(empty set(\\x00-\\x09\\x0B\\x0C\\x0E-\\xFF)))"},
    {"(?m)^$", "alt(cat(empty bol/m eol/m))"},
    {"\\1\\b\\B\\A\\Z", "alt(cat(ref1 \\b \\B \\A \\Z))"},
    {"1", "alt(cat(lit(1)))"},
};

TEST(RegExprParse, TreeDumps)
{
    for (const DumpCase& c : kDumps) EXPECT_EQ(ParseDump(c.pattern), c.dump) << c.pattern;
}

TEST(RegExprParse, IgnoreCaseClosesClassesUnderCase)
{
    EXPECT_EQ(ParseDump("[a\xE9]", rmIgnoreCase), "alt(cat(set(Aa\\xC9\\xE9)))");
    EXPECT_EQ(ParseDump("[^a]", rmIgnoreCase | rmSingleLine), "alt(cat(set(\\x00-@B-`b-\\xFF)))");
}

struct FactsCase {
    const char* pattern;
    const char* firstChars;
    bool anchored;
    int firstLiteral;
    const char* required;
};

const FactsCase kFacts[] = {
    {"abc", "a", false, 'a', "abc"},
    {"x*abc", "ax", false, -1, "abc"},
    {"\\bfoo\\w*", "f", false, 'f', "foo"},
    {"(a|b)c", "ab", false, -1, "c"},
    {"a|bc", "ab", false, -1, ""},
    {"^ab", "a", true, 'a', "ab"},
    {"(?m)^ab", "a", false, 'a', "ab"},
    {"$", "", false, -1, ""},
    {"a?b*c", "a-c", false, -1, "c"},
    {"(?i)ab", "Aa", false, -1, ""},
    {"de(?i)f(?-i)gh", "d", false, 'd', "gh"},
    {"a(?#x)b", "a", false, 'a', "ab"},
};

TEST(RegExprCompile, SearchFacts)
{
    for (const FactsCase& c : kFacts) {
        TZefRegExprCharSet separators;
        TZefReParser parser(c.pattern, kZefRegExprDefaultModifiers, separators);
        const TZefReNodePtr root = parser.Parse();
        const TZefReProgram program = TZefReCompiler::Compile(*root, parser.GroupCount(), separators, "");
        EXPECT_EQ(program.firstChars.Describe(), c.firstChars) << c.pattern;
        EXPECT_EQ(program.anchoredStart, c.anchored) << c.pattern;
        EXPECT_EQ(program.firstLiteral, c.firstLiteral) << c.pattern;
        EXPECT_EQ(program.requiredLiteral, c.required) << c.pattern;
    }
}

TEST(RegExprCompile, ProgramDumpShowsLoopsAndHints)
{
    TZefRegExpr re;
    re.SetExpression("[a-z]*x(ab){2,3}");
    EXPECT_EQ(re.DumpProgram(),
              "0: repeat a-z {0,-1} hint x\n"
              "1: byte x\n"
              "2: loopinit r0\n"
              "3: looptest r0 {2,3} 4, 8\n"
              "4: save 2\n"
              "5: string ab\n"
              "6: save 3\n"
              "7: loopend 3\n"
              "8: match\n");
}

} // namespace
