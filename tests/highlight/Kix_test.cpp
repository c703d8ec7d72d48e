// The KiXtart highlighter: comments, variables, macros, "#" codes, "?" and keywords matched by characters.
#include "support/AllHighlighters.h"

#include "ZefHighlighterKix.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(KixHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefKixSyn>({
        {"comment", "CLS ; clear", "{key}CLS{space} {comment}; clear\n"},
        {"variables and macros", "$user_1 = @USERID", "{variable}$user_1{space} {symbol}={space} {misc}@USERID\n"},
        {"a lone $ or @ is a symbol", "$ @", "{symbol}${space} {symbol}@\n"},
        {"# with digits is a string", "#13 #", "{string}#13{space} {symbol}#\n"},
        {"? is a key", "? \"x\"", "{key}?{space} {string}\"x\"\n"},
        {"sound 3: quotes stop at the line end", "'open\n\"more\nx", "{string}'open\n{string}\"more\n{ident}x\n"},
        {"sound 5: COOKIE1 is a keyword, COOKIE2 is not", "COOKIE1 COOKIE2 cookie1",
         "{key}COOKIE1{space} {ident}COOKIE2{space} {key}cookie1\n"},
        {"sound 4: a NUL is one unknown character", "\0$a"s, "{unknown}\0{variable}$a\n"s},
        {"sound 2: a stale range starts from the initial state", "; c", "{comment}; c\n", 12},
    });
}

TEST(KixHighlighter, KeywordsAndAttributes)
{
    TZefKixSyn kix;
    for (const char* word : {"ADDKEY", "expandenvironmentvars", "WriteProfileString", "YEAR", "SETL"})
        EXPECT_TRUE(kix.IsKeyword(word)) << word;
    EXPECT_FALSE(kix.IsKeyword("COOKIE2"));
    EXPECT_FALSE(kix.IsKeyword("SETN"));
    EXPECT_EQ(kix.KeyAttri->Name(), "Key");
    EXPECT_EQ(kix.KeyAttri->Style(), fsBold);
    EXPECT_EQ(kix.MiscellaneousAttri->Name(), "Miscellaneous");
    EXPECT_EQ(kix.GetAttribCount(), 9);
}
