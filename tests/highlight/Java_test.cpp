// The Java highlighter: documentation comments, strings, numbers, operators and keywords.
#include "support/AllHighlighters.h"

#include "ZefHighlighterJava.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(JavaHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefJavaSyn>({
        {"/** opens documentation, /* a comment", "/** doc\n*/ /* c\n*/ x",
         "{doc}/** doc ~2\n{doc}*/{space} {comment}/* c ~1\n{comment}*/{space} {ident}x ~3\n"},
        {"words with $, keywords case-sensitive", "$a b$ enum Class class",
         "{ident}$a{space} {ident}b${space} {key}enum{space} {ident}Class{space} {key}class ~3\n"},
        {"strings and characters with escapes", "\"a\\\"b\" '\\'' \"\"\"x\"",
         "{string}\"a\\\"b\"{space} {string}'\\''{space} {string}\"\"\"x\" ~3\n"},
        {"longest operators", "a>>>=b->c::d", "{ident}a{symbol}>>>={ident}b{symbol}->{ident}c{symbol}::{ident}d ~3\n"},
        {"invalid symbols", "@Override #", "{invalid}@{ident}Override{space} {invalid}# ~3\n"},
        {"sound 1: /**/ is a closed ordinary comment", "/**/ x /***/ y",
         "{comment}/**/{space} {ident}x{space} {doc}/***/{space} {ident}y ~3\n"},
        {"sound 1: /** followed by anything else opens documentation", "/**x*/ y", "{doc}/**x*/{space} {ident}y ~3\n"},
        {"sound 3: a backslash at the line end takes nothing", "s = \"a\\\nx", 
         "{ident}s{space} {symbol}={space} {string}\"a\\ ~3\n{ident}x ~3\n"},
        {"sound 7: a sign only after a decimal exponent", "1e-5 10-x 0x1e-5 1e-x 2L",
         "{number}1e-5{space} {number}10{symbol}-{ident}x{space} {number}0x1e{symbol}-{number}5{space} "
         "{number}1e{symbol}-{ident}x{space} {number}2L ~3\n"},
        {"sound 9: a NUL is one unknown character", "a\0\"\0\""s, "{ident}a{unknown}\0{string}\"\0\" ~3\n"s},
        {"sound 9: a stale range starts from the initial state", "*/ x", "{symbol}*{symbol}/{space} {ident}x ~3\n", 0},
    });
    TZefJavaSyn java;
    EXPECT_TRUE(java.IsKeyword("synchronized"));
    EXPECT_FALSE(java.IsKeyword("String"));
    EXPECT_EQ(java.SpaceAttri->Foreground(), clWindow);
    EXPECT_EQ(java.DocumentAttri->Style(), fsItalic);
    EXPECT_TRUE(java.GetIdentChars().Contains('$'));
}
