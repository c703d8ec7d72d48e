// The Perl highlighter: variables, keyword groups, strings, numbers and symbols.
#include "support/AllHighlighters.h"

#include "ZefHighlighterPerl.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(PerlHighlighter, TokensOfEachConstruct)
{
    alllanguages::CheckDumps<TZefPerlSyn>({
        {"variables and words", "$count $ARGV $_ $! $0 $^W $^ @ARGV %INC %h",
         "{ident}$count{space} {variable}$ARGV{space} {variable}$_{space} {variable}$!{space} {variable}$0{space} "
         "{variable}$^W{space} {ident}${symbol}^{space} {variable}@ARGV{space} {variable}%INC{space} {ident}%h\n"},
        {"$^ at the line end is a variable", "$^", "{variable}$^\n"},
        {"keyword groups", "eq strict printf our until Strict",
         "{operator}eq{space} {pragma}strict{space} {key}printf{space} {key}our{space} {key}until{space} {ident}Strict\n"},
        {"x and % at the line end are symbols", "$a x 3 x\n$b %\n$c x= 2",
         "{ident}$a{space} {ident}x{space} {number}3{space} {symbol}x\n{ident}$b{space} {symbol}%\n"
         "{ident}$c{space} {symbol}x={space} {number}2\n"},
        {"strings and comments end with their line", "\"a\\\"b\" 'c\\' # d\n\"open\nx",
         "{string}\"a\\\"b\"{space} {string}'c\\'{space} {comment}# d\n{string}\"open\n{symbol}x\n"},
        {"longest symbols", "$a<=>$b=~$c**=2", "{ident}$a{symbol}<=>{ident}$b{symbol}=~{ident}$c{symbol}**={number}2\n"},
        {"illegal characters", "`ls` \x80", "{illegal}`{ident}ls{illegal}`{space} {illegal}\x80\n"},
        {"sound 7: a sign only after a decimal exponent", "1e-5 10-x 0x1e-5 1_000",
         "{number}1e-5{space} {number}10{symbol}-{ident}x{space} {number}0x1e{symbol}-{number}5{space} {number}1_000\n"},
        {"sound 7: . starts a number only before a digit", "$a.$b .5 $c.x 1..2",
         "{ident}$a{symbol}.{ident}$b{space} {number}.5{space} {ident}$c{symbol}.{ident}x{space} "
         "{number}1{symbol}..{number}2\n"},
        {"sound 9: a NUL is one illegal character", "$a\0\"\0\""s, "{ident}$a{illegal}\0{string}\"\0\"\n"s},
        {"sound 9: a stale range starts from the initial state", "# c", "{comment}# c\n", 3},
    });
    TZefPerlSyn perl;
    EXPECT_TRUE(perl.IsKeyword("$FORMAT_LINE_BREAK_CHARACTERS"));
    EXPECT_TRUE(perl.IsKeyword("getprotobynumber"));
    EXPECT_FALSE(perl.IsKeyword("$count"));
    EXPECT_EQ(perl.VariableAttri->Style(), fsBold);
    EXPECT_TRUE(perl.GetIdentChars().Contains('@'));
}
