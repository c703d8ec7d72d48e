// The JavaScript highlighter: three keyword groups, comments, strings, numbers and operators.
#include "support/AllHighlighters.h"

#include "ZefHighlighterJScript.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(JScriptHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefJScriptSyn>({
        {"three keyword groups, case-sensitive", "var NaN document Document onClick onclick",
         "{key}var{space} {key}NaN{space} {nonreserved}document{space} {ident}Document{space} {event}onClick{space} "
         "{ident}onclick\n"},
        {"comments", "x /* a\nb */ // c", "{ident}x{space} {comment}/* a ~1\n{comment}b */{space} {comment}// c\n"},
        {"C-like numbers", "0x1F 1.5e-3 .5 10-x", "{number}0x1F{space} {number}1.5e-3{space} {number}.5{space} "
                                                   "{number}10{symbol}-{ident}x\n"},
        {"$ in identifiers", "$ $x a$b", "{ident}${space} {ident}$x{space} {ident}a$b\n"},
        {"longest operators", "a===b!==c>>>=d=>e", "{ident}a{symbol}==={ident}b{symbol}!=={ident}c{symbol}>>>={ident}d"
                                                   "{symbol}=>{ident}e\n"},
        {"sound 2: a backslash escapes the next character", "\"C:\\\\\" + 'it\\'s' x",
         "{string}\"C:\\\\\"{space} {symbol}+{space} {string}'it\\'s'{space} {ident}x\n"},
        {"sound 2: an open string ends at the line end", "'open\nx", "{string}'open\n{ident}x\n"},
        {"sound 9: a NUL is one unknown character", "a\0'\0'"s, "{ident}a{unknown}\0{string}'\0'\n"s},
        {"sound 9: a stale range starts from the initial state", "*/ x", "{symbol}*{symbol}/{space} {ident}x\n", 7},
    });
    TZefJScriptSyn js;
    EXPECT_TRUE(js.IsKeyword("POSITIVE_INFINITY"));
    EXPECT_TRUE(js.IsKeyword("getUTCMilliseconds"));
    EXPECT_FALSE(js.IsKeyword("let"));
}
