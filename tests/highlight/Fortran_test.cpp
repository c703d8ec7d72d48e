// The Fortran highlighter: first-column comments, "!" comments, strings and keywords.
#include "support/AllHighlighters.h"

#include "ZefHighlighterFortran.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FortranHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefFortranSyn>({
        {"C in the first column", "C note", "{comment}C note\n"},
        {"sound 7: c in the first column", "c note", "{comment}c note\n"},
        {"* in the first column", "*note", "{comment}*note\n"},
        {"C elsewhere is a word", " CALL C", "{space} {key}CALL{space} {ident}C\n"},
        {"! comment", "X = 1 ! one", "{ident}X{space} {symbol}={space} {number}1{space} {comment}! one\n"},
        {"sound 3: strings stop at the line end", "PRINT *, 'open\n\"x",
         "{key}PRINT{space} {symbol}*{symbol},{space} {string}'open\n{string}\"x\n"},
        {"numbers", "1.5E2 3. 1..2", "{number}1.5E2{space} {number}3.{space} {number}1{symbol}.{symbol}.{number}2\n"},
        {"sound 4: a NUL is one unknown character", "\0C"s, "{unknown}\0{ident}C\n"s},
        {"sound 2: a stale range starts from the initial state", "! c", "{comment}! c\n", 1},
    });
    TZefFortranSyn fortran;
    EXPECT_TRUE(fortran.IsKeyword("EQUIVALENCE"));
    EXPECT_TRUE(fortran.IsKeyword("stucture"));
    EXPECT_FALSE(fortran.IsKeyword("goto"));
}
